// The screenshot encoder: check values of the two checksums, and PNG files read back by a
// small reader that follows the PNG and zlib formats (chunks, stored deflate blocks).
#include "png_writer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

using host::Adler32;
using host::Crc32;
using host::EncodePng;
using host::RgbImage;

namespace {

std::vector<std::uint8_t> Bytes(const char* text) {
    return std::vector<std::uint8_t>(text, text + std::strlen(text));
}

std::uint32_t BigEndian32(const std::vector<std::uint8_t>& data, std::size_t at) {
    return std::uint32_t(data[at]) << 24 | std::uint32_t(data[at + 1]) << 16 |
           std::uint32_t(data[at + 2]) << 8 | data[at + 3];
}

struct Chunk {
    std::string type;
    std::vector<std::uint8_t> data;
    std::uint32_t crc;
    std::uint32_t expectedCrc; // of type and data, recomputed
};

// Splits a PNG file after its signature into its chunks.
std::vector<Chunk> ReadChunks(const std::vector<std::uint8_t>& png) {
    std::vector<Chunk> chunks;
    std::size_t at = 8;
    while (at + 12 <= png.size()) {
        const std::uint32_t length = BigEndian32(png, at);
        if (at + 12 + length > png.size())
            break;
        Chunk chunk;
        chunk.type.assign(png.begin() + at + 4, png.begin() + at + 8);
        chunk.data.assign(png.begin() + at + 8, png.begin() + at + 8 + length);
        chunk.crc = BigEndian32(png, at + 8 + length);
        chunk.expectedCrc = Crc32(png.data() + at + 4, length + 4);
        chunks.push_back(chunk);
        at += 12 + length;
    }
    EXPECT_EQ(at, png.size()) << "trailing bytes after the last chunk";
    return chunks;
}

struct Inflated {
    std::vector<std::uint8_t> data;
    std::vector<std::size_t> blockSizes;
    bool valid = false;
};

// Reads a zlib stream made only of stored deflate blocks, checking its header, each block's
// LEN/NLEN pair and the closing Adler-32.
Inflated InflateStored(const std::vector<std::uint8_t>& z) {
    Inflated result;
    if (z.size() < 6 || (z[0] & 0x0F) != 8 || ((z[0] << 8) | z[1]) % 31 != 0)
        return result;
    std::size_t at = 2;
    bool final = false;
    while (!final) {
        if (at + 5 > z.size() || (z[at] & 0x06) != 0) // BTYPE must be 00
            return result;
        final = z[at] & 1;
        const unsigned length = z[at + 1] | z[at + 2] << 8;
        const unsigned complement = z[at + 3] | z[at + 4] << 8;
        if ((length ^ 0xFFFF) != complement || at + 5 + length > z.size())
            return result;
        result.data.insert(result.data.end(), z.begin() + at + 5, z.begin() + at + 5 + length);
        result.blockSizes.push_back(length);
        at += 5 + length;
    }
    if (at + 4 != z.size())
        return result;
    result.valid = BigEndian32(z, at) == Adler32(result.data.data(), result.data.size());
    return result;
}

RgbImage Gradient(int width, int height) {
    RgbImage image;
    image.width = width;
    image.height = height;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            image.pixels.push_back(static_cast<std::uint8_t>(x));
            image.pixels.push_back(static_cast<std::uint8_t>(y));
            image.pixels.push_back(static_cast<std::uint8_t>(x ^ y));
        }
    return image;
}

} // namespace

TEST(PngChecksums, MatchTheirPublishedCheckValues) {
    const auto digits = Bytes("123456789");
    EXPECT_EQ(Crc32(digits.data(), digits.size()), 0xCBF43926u);
    EXPECT_EQ(Crc32(nullptr, 0), 0u);
    // The CRC of the empty IEND chunk that closes every PNG file.
    const auto iend = Bytes("IEND");
    EXPECT_EQ(Crc32(iend.data(), iend.size()), 0xAE426082u);

    const auto word = Bytes("Wikipedia");
    EXPECT_EQ(Adler32(word.data(), word.size()), 0x11E60398u);
    EXPECT_EQ(Adler32(nullptr, 0), 1u);
}

TEST(PngChecksums, ContinueAcrossPiecesAndLongRuns) {
    const auto digits = Bytes("123456789");
    EXPECT_EQ(Crc32(digits.data() + 4, 5, Crc32(digits.data(), 4)), 0xCBF43926u);

    // Long runs of 0xFF are the worst case for the deferred modulo of the sums.
    std::vector<std::uint8_t> ones(100000, 0xFF);
    std::uint32_t a = 1, b = 0;
    for (std::uint8_t byte : ones) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    EXPECT_EQ(Adler32(ones.data(), ones.size()), (b << 16) | a);
    EXPECT_EQ(Adler32(ones.data() + 7000, ones.size() - 7000, Adler32(ones.data(), 7000)),
              (b << 16) | a);
}

TEST(PngEncoder, SmallImageHasHeaderDataAndEndChunks) {
    RgbImage image;
    image.width = 2;
    image.height = 2;
    image.pixels = {255, 0, 0, 0, 255, 0, 0, 0, 255, 10, 20, 30};
    const auto png = EncodePng(image);

    ASSERT_GE(png.size(), 8u);
    const std::uint8_t signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    EXPECT_TRUE(std::equal(signature, signature + 8, png.begin()));

    const auto chunks = ReadChunks(png);
    ASSERT_EQ(chunks.size(), 3u);
    for (const Chunk& chunk : chunks)
        EXPECT_EQ(chunk.crc, chunk.expectedCrc) << chunk.type;

    EXPECT_EQ(chunks[0].type, "IHDR");
    const std::vector<std::uint8_t> header = {0, 0, 0, 2, 0, 0, 0, 2, 8, 2, 0, 0, 0};
    EXPECT_EQ(chunks[0].data, header); // 2 x 2, 8 bits, RGB, deflate, filter 0, no interlace

    EXPECT_EQ(chunks[1].type, "IDAT");
    const Inflated raw = InflateStored(chunks[1].data);
    ASSERT_TRUE(raw.valid);
    const std::vector<std::uint8_t> scanlines = {0, 255, 0, 0, 0, 255, 0, 0, 0, 0, 255, 10, 20, 30};
    EXPECT_EQ(raw.data, scanlines);

    EXPECT_EQ(chunks[2].type, "IEND");
    EXPECT_TRUE(chunks[2].data.empty());
}

TEST(PngEncoder, LargeImageSpansSeveralStoredBlocks) {
    // 300 x 100 pixels: 100 rows of 1 + 900 bytes, 90100 bytes in all.
    const RgbImage image = Gradient(300, 100);
    const auto chunks = ReadChunks(EncodePng(image));
    ASSERT_EQ(chunks.size(), 3u);
    EXPECT_EQ(chunks[1].crc, chunks[1].expectedCrc);

    const Inflated raw = InflateStored(chunks[1].data);
    ASSERT_TRUE(raw.valid);
    EXPECT_EQ(raw.blockSizes, (std::vector<std::size_t>{65535, 90100 - 65535}));
    ASSERT_EQ(raw.data.size(), 90100u);
    for (int y = 0; y < 100; ++y) {
        const std::size_t row = static_cast<std::size_t>(y) * 901;
        ASSERT_EQ(raw.data[row], 0) << "filter byte of row " << y;
        EXPECT_TRUE(std::equal(raw.data.begin() + row + 1, raw.data.begin() + row + 901,
                               image.pixels.begin() + y * 900))
            << "row " << y;
    }
}

TEST(PngEncoder, RefusesImagesWhosePixelsDoNotMatchTheirSize) {
    RgbImage empty;
    EXPECT_TRUE(EncodePng(empty).empty());

    RgbImage short_ = Gradient(4, 4);
    short_.pixels.pop_back();
    EXPECT_TRUE(EncodePng(short_).empty());

    RgbImage negative = Gradient(4, 4);
    negative.width = -4;
    negative.height = -12;
    EXPECT_TRUE(EncodePng(negative).empty());

    // Too large for one chunk: refused before any pixel is read.
    RgbImage huge;
    huge.width = 40000;
    huge.height = 40000;
    EXPECT_TRUE(EncodePng(huge).empty());
}

TEST(PngEncoder, WritesTheFileAndReportsFailure) {
    const RgbImage image = Gradient(5, 3);
    const std::string path = ::testing::TempDir() + "png_writer_test.png";
    ASSERT_TRUE(host::WritePng(image, path));
    std::ifstream file(path, std::ios::binary);
    const std::vector<std::uint8_t> written((std::istreambuf_iterator<char>(file)),
                                            std::istreambuf_iterator<char>());
    EXPECT_EQ(written, EncodePng(image));
    std::remove(path.c_str());

    EXPECT_FALSE(host::WritePng(image, ::testing::TempDir() + "no/such/folder/x.png"));
    EXPECT_FALSE(host::WritePng(RgbImage{}, ::testing::TempDir() + "empty.png"));
}
