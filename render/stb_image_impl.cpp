// The one place stb_image's decoder is compiled: only the two formats the game
// reads, and a cap on image size so a hostile header cannot ask for gigabytes.
// Allocations come zeroed: the JPEG decoder leaves tables that a file never
// defines uninitialised, and a scan that uses one would index with garbage.
#include <cstdlib>

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_JPEG
#define STBI_ONLY_PNG
#define STBI_MAX_DIMENSIONS 16384
#define STBI_MALLOC(size) std::calloc(1, size)
#define STBI_REALLOC(pointer, size) std::realloc(pointer, size)
#define STBI_FREE(pointer) std::free(pointer)
#include <stb_image.h>
