// The decoding path every texture, sky face and film image goes through:
// real asset files decode exactly as stb_image decodes them, and JPEGs with
// tables the decoder would index out of bounds are refused before decoding.
#include <gtest/gtest.h>

#include <stb_image.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "render/image_decode.h"

namespace {
using Bytes = std::vector<unsigned char>;
using Pixels = std::unique_ptr<unsigned char, void (*)(void*)>;

Bytes readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

const std::string Assets = std::string(MH_SOURCE_DIR) + "/assets/";

bool decodes(const Bytes& bytes) {
    int w = 0, h = 0, c = 0;
    return Pixels(decodeImageBytes(bytes.data(), bytes.size(), &w, &h, &c), stbi_image_free) != nullptr;
}

// Offset of the first segment with this marker, or 0 when there is none.
size_t findSegment(const Bytes& jpeg, unsigned char marker) {
    size_t at = 2;
    while (at + 4 <= jpeg.size() && jpeg[at] == 0xFF && jpeg[at + 1] != 0xDA) {
        if (jpeg[at + 1] == marker) return at;
        at += 2 + ((size_t(jpeg[at + 2]) << 8) | jpeg[at + 3]);
    }
    return 0;
}
}  // namespace

TEST(ImageDecode, AssetFilesDecodeExactlyAsTheLibraryDecodesThem) {
    for (const char* name : {"frames/frame1.jpg", "objects/stone/stone.png", "objects/cube/cube_specular.png"}) {
        SCOPED_TRACE(name);
        const std::string path = Assets + name;
        int w = 0, h = 0, c = 0, width = 0, height = 0, channels = 0;
        const Pixels expected(stbi_load(path.c_str(), &w, &h, &c, 0), stbi_image_free);
        const Pixels pixels(decodeImageFile(path.c_str(), &width, &height, &channels), stbi_image_free);
        ASSERT_TRUE(expected && pixels);
        EXPECT_EQ(std::vector<int>({width, height, channels}), std::vector<int>({w, h, c}));
        EXPECT_EQ(std::memcmp(pixels.get(), expected.get(), size_t(w) * h * c), 0);
    }
    // Missing files and empty or foreign bytes give no pixels.
    int w = 0, h = 0, c = 0;
    EXPECT_EQ(decodeImageFile((Assets + "frames/frame0.jpg").c_str(), &w, &h, &c), nullptr);
    EXPECT_EQ(decodeImageBytes(nullptr, 0, &w, &h, &c), nullptr);
    const Bytes text = {'n', 'o', 't', ' ', 'a', 'n', ' ', 'i', 'm', 'a', 'g', 'e'};
    EXPECT_TRUE(jpegTablesAreSound(text.data(), text.size()));
    EXPECT_FALSE(decodes(text));
}

TEST(ImageDecode, HostileHuffmanTablesAreRefusedBeforeDecoding) {
    // Byte edits relative to the first table's 16 code counts.
    struct Case {
        const char* what;
        std::vector<std::pair<int, unsigned char>> edits;
    };
    const Case cases[] = {
        // 248 more 16-bit codes still make a prefix code, but 257 overrun the decoder's size
        // list (256 and a terminator); the segment, made an AC table, is stretched to hold them.
        {"more than 256 codes", {{-3, 1}, {-2, 20}, {-1, 0x10}, {15, 248}}},
        // Three codes of one bit cannot exist; the symbol count stays as it was.
        {"overfull code lengths", {{0, 3}, {1, 0}, {2, 1}}},
        // A DC symbol is a bit count; 200 would index the decoder's masks.
        {"DC symbol above 15", {{16, 200}}},
        // The counts promise more symbols than the segment holds.
        {"table longer than its segment", {{-3, 0}, {-2, 19}}},
        {"table class 2", {{-1, 0x20}}},
    };
    const Bytes film = readFile(Assets + "frames/frame1.jpg");
    const size_t counts = findSegment(film, 0xC4) + 5;
    ASSERT_GT(counts, 5u);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Bytes jpeg = film;
        for (const auto& edit : c.edits) jpeg[counts + edit.first] = edit.second;
        EXPECT_FALSE(jpegTablesAreSound(jpeg.data(), jpeg.size()));
        EXPECT_FALSE(decodes(jpeg));
        // The decoder skips fill bytes before the start marker; so must the check.
        jpeg.insert(jpeg.begin(), 5, 0xFF);
        EXPECT_FALSE(jpegTablesAreSound(jpeg.data(), jpeg.size()));
    }
}

TEST(ImageDecode, ScansWithTablesTheFileNeverDefinesDoNotReadPastTheDecoder) {
    // Every DHT segment cut out: the scans then use tables no file defined,
    // which the decoder must see zeroed, not as left-over heap bytes.
    Bytes jpeg = readFile(Assets + "frames/frame1.jpg");
    for (size_t dht; (dht = findSegment(jpeg, 0xC4)) != 0;) {
        const size_t length = 2 + ((size_t(jpeg[dht + 2]) << 8) | jpeg[dht + 3]);
        jpeg.erase(jpeg.begin() + long(dht), jpeg.begin() + long(dht + length));
    }
    ASSERT_TRUE(jpegTablesAreSound(jpeg.data(), jpeg.size()));
    decodes(jpeg);  // Any result will do; the sanitizer build checks the reads.
}

TEST(ImageDecode, PngChunksLongerThanTheFileAreRefused) {
    const Bytes png = readFile(Assets + "objects/stone/stone.png");
    ASSERT_TRUE(pngChunksFitTheirBytes(png.data(), png.size()));
    // The header chunk claims a gigabyte, as the input the fuzzer found this with did.
    Bytes huge = png;
    huge[8] = 0x40;
    EXPECT_FALSE(pngChunksFitTheirBytes(huge.data(), huge.size()));
    EXPECT_FALSE(decodes(huge));
    // Cut off inside the data: the data chunk runs past the end.
    const Bytes cut(png.begin(), png.begin() + long(png.size() / 2));
    EXPECT_FALSE(pngChunksFitTheirBytes(cut.data(), cut.size()));
}
