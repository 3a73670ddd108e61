// The OBJ import as the game runs it, on arbitrary bytes: read from a file
// with the game's post-processing steps and its material-library filter. The
// same bytes are also the file's material library, so "mtllib fuzz.mtl" in
// the input sends them through the library parser as well.
#include <assimp/Importer.hpp>
#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "render/material_library_filter.h"
#include "tests/support/scratch_dir.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // One folder for the run, removed when the process exits.
    static const ScratchDir folder;
    const std::string bytes(data, data + size);
    const std::string obj = folder.write("fuzz.obj", bytes);
    folder.write("fuzz.mtl", bytes);
    // One importer for the run: building one registers every format, which
    // would cost more than the import itself.
    static MaterialLibraryFilter* filter = new MaterialLibraryFilter;
    static Assimp::Importer* importer = [] {
        auto* made = new Assimp::Importer;
        made->SetIOHandler(filter);  // the importer owns it
        return made;
    }();
    const aiScene* scene = importer->ReadFile(
        obj, aiProcess_CalcTangentSpace | aiProcess_Triangulate | aiProcess_GenNormals | aiProcess_FlipUVs);
    if (scene && scene->mRootNode) {
        for (unsigned i = 0; i < scene->mNumMeshes; ++i) {
            const aiMesh* mesh = scene->mMeshes[i];
            for (unsigned v = 0; v < mesh->mNumVertices; ++v) {
                volatile float x = mesh->mVertices[v].x;
                (void)x;
            }
        }
    }
    importer->FreeScene();
    // A game import ends with its importer, and the filter with it.
    filter->releaseLeftovers();
    return 0;
}
