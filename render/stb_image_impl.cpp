// The one place stb_image's decoder is compiled: only the two formats the game
// reads, and a cap on image size so a hostile header cannot ask for gigabytes.
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_JPEG
#define STBI_ONLY_PNG
#define STBI_MAX_DIMENSIONS 16384
#include <stb_image.h>
