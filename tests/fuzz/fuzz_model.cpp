// The OBJ import as the game runs it, on arbitrary bytes. The same bytes are
// also the file's material library, so "mtllib fuzz.mtl" in the input sends
// them through the library parser as well.
#include <cstddef>
#include <cstdint>
#include <string>

#include "render/model_import.h"
#include "tests/support/scratch_dir.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // One folder for the run, removed when the process exits.
    static const ScratchDir folder;
    const std::string bytes(data, data + size);
    folder.write("fuzz.mtl", bytes);
    importModel(folder.write("fuzz.obj", bytes));
    return 0;
}
