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
#include <vector>

#include "render/image_decode.h"
#include "support/scratch_dir.h"

namespace {
using Bytes = std::vector<unsigned char>;

Bytes readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

const std::string Assets = std::string(MH_SOURCE_DIR) + "/assets/";
const std::string FilmImage = Assets + "frames/frame1.jpg";

struct Decoded {
    std::unique_ptr<unsigned char, void (*)(void*)> pixels{nullptr, stbi_image_free};
    int width = 0, height = 0, channels = 0;
};

Decoded decode(const Bytes& bytes) {
    Decoded d;
    d.pixels.reset(decodeImageBytes(bytes.data(), bytes.size(), &d.width, &d.height, &d.channels));
    return d;
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

// The film image with its first Huffman table changed by `edit`, which gets
// the offset of the table's 16 code counts.
template <typename Edit>
Bytes withFirstTableEdited(Edit edit) {
    Bytes jpeg = readFile(FilmImage);
    const size_t dht = findSegment(jpeg, 0xC4);
    EXPECT_NE(dht, 0u);
    edit(jpeg, dht + 5);
    return jpeg;
}
}  // namespace

TEST(ImageDecode, AssetFilesDecodeExactlyAsTheLibraryDecodesThem) {
    for (const char* name : {"frames/frame1.jpg", "objects/stone/stone.png", "objects/cube/cube_specular.png"}) {
        SCOPED_TRACE(name);
        const std::string path = Assets + name;
        const Bytes bytes = readFile(path);
        ASSERT_TRUE(jpegTablesAreSound(bytes.data(), bytes.size()));

        int w = 0, h = 0, c = 0;
        std::unique_ptr<unsigned char, void (*)(void*)> expected(stbi_load(path.c_str(), &w, &h, &c, 0),
                                                                 stbi_image_free);
        ASSERT_TRUE(expected);
        Decoded fromFile;
        fromFile.pixels.reset(decodeImageFile(path.c_str(), &fromFile.width, &fromFile.height, &fromFile.channels));
        ASSERT_TRUE(fromFile.pixels);
        EXPECT_EQ(fromFile.width, w);
        EXPECT_EQ(fromFile.height, h);
        EXPECT_EQ(fromFile.channels, c);
        EXPECT_EQ(std::memcmp(fromFile.pixels.get(), expected.get(), size_t(w) * h * c), 0);
    }
}

TEST(ImageDecode, MissingFilesAndEmptyOrForeignBytesGiveNoPixels) {
    int w = 0, h = 0, c = 0;
    EXPECT_EQ(decodeImageFile((Assets + "frames/frame0.jpg").c_str(), &w, &h, &c), nullptr);
    EXPECT_EQ(decodeImageBytes(nullptr, 0, &w, &h, &c), nullptr);
    const Bytes text = {'n', 'o', 't', ' ', 'a', 'n', ' ', 'i', 'm', 'a', 'g', 'e'};
    EXPECT_TRUE(jpegTablesAreSound(text.data(), text.size()));
    EXPECT_FALSE(decode(text).pixels);
}

TEST(ImageDecode, HostileHuffmanTablesAreRefusedBeforeDecoding) {
    struct Case {
        const char* what;
        Bytes jpeg;
    };
    const std::vector<Case> cases = {
        // 257 codes: the decoder's size list has room for 256 and a terminator.
        {"more than 256 codes", withFirstTableEdited([](Bytes& j, size_t counts) {
             j[counts + 15] = 255;
             j[counts + 14] = 255;
         })},
        // Three codes of one bit cannot exist.
        {"overfull code lengths", withFirstTableEdited([](Bytes& j, size_t counts) { j[counts] = 3; })},
        // A DC symbol is a bit count; 200 would index the decoder's masks.
        {"DC symbol above 15", withFirstTableEdited([](Bytes& j, size_t counts) { j[counts + 16] = 200; })},
        // The counts promise more symbols than the segment holds.
        {"table longer than its segment", withFirstTableEdited([](Bytes& j, size_t counts) {
             j[counts - 3] = 0;
             j[counts - 2] = 19;
         })},
        {"table class 2", withFirstTableEdited([](Bytes& j, size_t counts) { j[counts - 1] = 0x20; })},
    };
    std::vector<Case> all = cases;
    // The decoder skips fill bytes before the start marker; so must the check.
    Bytes filled = cases.front().jpeg;
    filled.insert(filled.begin(), 5, 0xFF);
    all.push_back({"more than 256 codes after fill bytes", filled});
    for (const Case& c : all) {
        SCOPED_TRACE(c.what);
        EXPECT_FALSE(jpegTablesAreSound(c.jpeg.data(), c.jpeg.size()));
        EXPECT_FALSE(decode(c.jpeg).pixels);
    }
}

TEST(ImageDecode, ScansWithTablesTheFileNeverDefinesDoNotReadPastTheDecoder) {
    // Every DHT segment cut out: the scans then use tables no file defined,
    // which the decoder must see zeroed, not as left-over heap bytes.
    Bytes jpeg = readFile(FilmImage);
    for (size_t dht; (dht = findSegment(jpeg, 0xC4)) != 0;) {
        const size_t length = 2 + ((size_t(jpeg[dht + 2]) << 8) | jpeg[dht + 3]);
        jpeg.erase(jpeg.begin() + long(dht), jpeg.begin() + long(dht + length));
    }
    ASSERT_TRUE(jpegTablesAreSound(jpeg.data(), jpeg.size()));
    decode(jpeg);  // Any result will do; the sanitizer build checks the reads.

    // The input the fuzzer first found this with.
    const Bytes found = readFile(std::string(MH_SOURCE_DIR) + "/tests/fuzz/corpus/image/jpeg-huffman-overflow.jpg");
    ASSERT_FALSE(found.empty());
    EXPECT_FALSE(decode(found).pixels);
}

TEST(ImageDecode, PngChunksLongerThanTheFileAreRefused) {
    const Bytes png = readFile(Assets + "objects/stone/stone.png");
    ASSERT_TRUE(pngChunksFitTheirBytes(png.data(), png.size()));
    // The header chunk claims a gigabyte.
    Bytes huge = png;
    huge[8] = 0x40;
    EXPECT_FALSE(pngChunksFitTheirBytes(huge.data(), huge.size()));
    EXPECT_FALSE(decode(huge).pixels);
    // Cut off inside the data: the data chunk runs past the end.
    const Bytes cut(png.begin(), png.begin() + long(png.size() / 2));
    EXPECT_FALSE(pngChunksFitTheirBytes(cut.data(), cut.size()));
    // The input the fuzzer found it with asked for gigabytes from 300 bytes.
    const Bytes found =
        readFile(std::string(MH_SOURCE_DIR) + "/tests/fuzz/corpus/image/png-chunk-longer-than-file.png");
    ASSERT_FALSE(found.empty());
    EXPECT_FALSE(decode(found).pixels);
}
