// The image decoder as the game compiles it (JPEG and PNG only, size-capped),
// asked for the file's own channel count as the texture loader asks.
#include <stb_image.h>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > static_cast<size_t>(INT32_MAX)) return 0;
    int width = 0, height = 0, channels = 0;
    stbi_set_flip_vertically_on_load(0);
    unsigned char* pixels =
        stbi_load_from_memory(data, static_cast<int>(size), &width, &height, &channels, 0);
    if (pixels) {
        // Touch the last byte the uploader would read.
        volatile unsigned char last =
            pixels[static_cast<size_t>(width) * static_cast<size_t>(height) * channels - 1];
        (void)last;
    }
    stbi_image_free(pixels);
    return 0;
}
