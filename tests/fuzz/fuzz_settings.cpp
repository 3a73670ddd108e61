// Settings conversions on arbitrary file contents.
#include <INIReader.h>

#include <cstddef>
#include <cstdint>

#include "app/settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    INIReader reader(reinterpret_cast<const char*>(data), size);
    Settings settings = readSettings(reader);
    volatile int hint = refreshRateHint(settings);
    (void)hint;
    return 0;
}
