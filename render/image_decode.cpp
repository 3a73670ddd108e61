#include "render/image_decode.h"

#include <climits>
#include <cstring>
#include <vector>

#include <stb_image.h>

namespace {
// Markers that stand alone, without a length: the restart markers and TEM.
bool isStandaloneMarker(unsigned char marker) { return (marker >= 0xD0 && marker <= 0xD7) || marker == 0x01; }

bool huffmanSegmentIsSound(const unsigned char* segment, std::size_t length) {
    std::size_t at = 0;
    while (at < length) {
        if (length - at < 17) return false;
        const int tableClass = segment[at] >> 4;
        const int tableId = segment[at] & 15;
        if (tableClass > 1 || tableId > 3) return false;
        const unsigned char* counts = segment + at + 1;
        // Canonical codes: each length's codes must fit what the shorter ones left.
        unsigned total = 0;
        unsigned long code = 0;
        for (int bits = 1; bits <= 16; ++bits) {
            total += counts[bits - 1];
            code += counts[bits - 1];
            if (code > (1ul << bits)) return false;
            code <<= 1;
        }
        if (total > 256) return false;
        at += 17;
        if (length - at < total) return false;
        // A DC symbol is a bit count; the decoder's masks end at 16 bits.
        if (tableClass == 0) {
            for (unsigned i = 0; i < total; ++i)
                if (segment[at + i] > 15) return false;
        }
        at += total;
    }
    return true;
}
}  // namespace

bool jpegTablesAreSound(const unsigned char* data, std::size_t size) {
    // The decoder takes any run of fill bytes before the start marker.
    std::size_t at = 1;
    if (size < 2 || data[0] != 0xFF) return true;
    while (at < size && data[at] == 0xFF) ++at;
    if (at == size || data[at] != 0xD8) return true;
    ++at;
    while (at + 1 < size) {
        if (data[at] != 0xFF) {
            // Entropy-coded bytes after a scan header: skip to the next marker.
            ++at;
            continue;
        }
        const unsigned char marker = data[at + 1];
        if (marker == 0xFF || marker == 0x00 || isStandaloneMarker(marker)) {
            // Fill byte, stuffed zero or restart: no segment follows.
            at += marker == 0xFF ? 1 : 2;
            continue;
        }
        if (marker == 0xD9) return true;
        if (at + 4 > size) return false;
        const std::size_t length = (std::size_t(data[at + 2]) << 8) | data[at + 3];
        if (length < 2 || at + 2 + length > size) return false;
        const unsigned char* segment = data + at + 4;
        if (marker == 0xC4 && !huffmanSegmentIsSound(segment, length - 2)) return false;
        at += 2 + length;
    }
    return true;
}

bool pngChunksFitTheirBytes(const unsigned char* data, std::size_t size) {
    static const unsigned char Signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (size < 8 || std::memcmp(data, Signature, 8) != 0) return true;
    std::size_t at = 8;
    // Length, type, data, check value: the decoder stops at IEND.
    while (size - at >= 8) {
        const std::size_t length = (std::size_t(data[at]) << 24) | (std::size_t(data[at + 1]) << 16) |
                                   (std::size_t(data[at + 2]) << 8) | data[at + 3];
        if (std::memcmp(data + at + 4, "IEND", 4) == 0) return true;
        if (length > size - at - 8) return false;
        at += 8 + length;
        if (size - at < 4) return true;
        at += 4;
    }
    return true;
}

unsigned char* decodeImageBytes(const unsigned char* data, std::size_t size, int* width, int* height, int* channels) {
    if (size == 0 || size > static_cast<std::size_t>(INT_MAX)) return nullptr;
    if (!jpegTablesAreSound(data, size) || !pngChunksFitTheirBytes(data, size)) return nullptr;
    return stbi_load_from_memory(data, static_cast<int>(size), width, height, channels, 0);
}

unsigned char* decodeImageFile(std::FILE* file, int* width, int* height, int* channels) {
    std::vector<unsigned char> bytes;
    unsigned char chunk[1 << 16];
    std::size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) bytes.insert(bytes.end(), chunk, chunk + got);
    if (std::ferror(file)) return nullptr;
    return decodeImageBytes(bytes.data(), bytes.size(), width, height, channels);
}

unsigned char* decodeImageFile(const char* path, int* width, int* height, int* channels) {
    std::FILE* file = std::fopen(path, "rb");
    if (!file) return nullptr;
    unsigned char* pixels = decodeImageFile(file, width, height, channels);
    std::fclose(file);
    return pixels;
}
