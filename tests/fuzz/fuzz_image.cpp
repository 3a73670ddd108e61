// The image decoding path as the game runs it: the JPEG table check, then
// stb_image (JPEG and PNG only, size-capped) at the file's own channel count.
#include <stb_image.h>

#include <cstddef>
#include <cstdint>

#include "render/image_decode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    int width = 0, height = 0, channels = 0;
    unsigned char* pixels = decodeImageBytes(data, size, &width, &height, &channels);
    if (pixels) {
        // Touch the last byte the uploader would read.
        volatile unsigned char last = pixels[static_cast<size_t>(width) * static_cast<size_t>(height) * channels - 1];
        (void)last;
    }
    stbi_image_free(pixels);
    return 0;
}
