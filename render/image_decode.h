#pragma once
// Every image the game shows is decoded here: the bytes are read once, a JPEG's
// Huffman tables are checked, then stb_image decodes them at the file's own
// channel count; a PNG's chunk lengths are checked against its size. The
// pixels are released with stbi_image_free.
#include <cstddef>
#include <cstdio>

// Null when the file cannot be read, fails a check or does not decode.
unsigned char* decodeImageFile(const char* path, int* width, int* height, int* channels);
unsigned char* decodeImageFile(std::FILE* file, int* width, int* height, int* channels);
unsigned char* decodeImageBytes(const unsigned char* data, std::size_t size, int* width, int* height, int* channels);

// False for a JPEG whose Huffman tables the decoder would index out of
// bounds: more than 256 codes, more codes of a length than fit, or a DC
// symbol above 15. Anything that is not a JPEG passes.
bool jpegTablesAreSound(const unsigned char* data, std::size_t size);

// False for a PNG with a chunk that claims more bytes than the file has left:
// the decoder would grow its data buffer to the claimed size, up to gigabytes
// for a file of a few hundred bytes. Anything that is not a PNG passes.
bool pngChunksFitTheirBytes(const unsigned char* data, std::size_t size);
