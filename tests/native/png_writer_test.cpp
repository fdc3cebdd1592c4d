// The screenshot encoder: check values of the two checksums, and PNG files read back chunk by
// chunk, their image data inflated by zlib itself.
#include "png_writer.h"

#include <gtest/gtest.h>
#include <zlib.h>

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

// The scanlines inside a zlib stream, inflated by zlib, which also checks the stream's header,
// every code and distance, and the closing Adler-32. Empty when the stream is not valid.
std::vector<std::uint8_t> Inflate(const std::vector<std::uint8_t>& z, std::size_t expectedSize) {
    std::vector<std::uint8_t> data(expectedSize + 1);
    uLongf size = static_cast<uLongf>(data.size());
    if (uncompress(data.data(), &size, z.data(), static_cast<uLong>(z.size())) != Z_OK)
        return {};
    data.resize(size);
    return data;
}

// The rows of an image as PNG stores them: each led by its filter byte, 0.
std::vector<std::uint8_t> Scanlines(const RgbImage& image) {
    std::vector<std::uint8_t> rows;
    const std::size_t rowBytes = static_cast<std::size_t>(image.width) * 3;
    for (int y = 0; y < image.height; ++y) {
        rows.push_back(0);
        rows.insert(rows.end(), image.pixels.begin() + y * rowBytes,
                    image.pixels.begin() + (y + 1) * rowBytes);
    }
    return rows;
}

// The image data of an encoded image, inflated.
std::vector<std::uint8_t> ImageData(const RgbImage& image, std::size_t* compressedSize = nullptr) {
    const auto chunks = ReadChunks(EncodePng(image));
    if (chunks.size() != 3 || chunks[1].type != "IDAT" || chunks[1].crc != chunks[1].expectedCrc)
        return {};
    if (compressedSize)
        *compressedSize = chunks[1].data.size();
    return Inflate(chunks[1].data, Scanlines(image).size());
}

// Pseudo-random bytes that no repeat search can shorten.
std::vector<std::uint8_t> Noise(std::size_t size, std::uint32_t seed) {
    std::vector<std::uint8_t> bytes(size);
    for (std::uint8_t& byte : bytes) {
        seed = seed * 1664525u + 1013904223u;
        byte = static_cast<std::uint8_t>(seed >> 24);
    }
    return bytes;
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
    const std::vector<std::uint8_t> scanlines = {0, 255, 0, 0, 0, 255, 0, 0, 0, 0, 255, 10, 20, 30};
    EXPECT_EQ(Inflate(chunks[1].data, scanlines.size()), scanlines);

    EXPECT_EQ(chunks[2].type, "IEND");
    EXPECT_TRUE(chunks[2].data.empty());
}

TEST(PngEncoder, ImagesRoundTripThroughZlib) {
    // A gradient, incompressible noise, and one pixel wide and one row high extremes.
    RgbImage noise;
    noise.width = 200;
    noise.height = 150;
    noise.pixels = Noise(200 * 150 * 3, 7);
    for (const RgbImage& image : {Gradient(300, 100), noise, Gradient(1, 700), Gradient(900, 1)}) {
        SCOPED_TRACE(std::to_string(image.width) + " x " + std::to_string(image.height));
        EXPECT_EQ(ImageData(image), Scanlines(image));
    }
}

TEST(PngEncoder, ScreenshotLikeImagesShrink) {
    // A window face: light grey with a white box and a few dark lines, as screenshots are.
    RgbImage face;
    face.width = 400;
    face.height = 300;
    face.pixels.assign(400 * 300 * 3, 0xC0);
    for (int y = 40; y < 260; ++y)
        for (int x = 20; x < 380; ++x)
            for (int c = 0; c < 3; ++c)
                face.pixels[(y * 400 + x) * 3 + c] = (y % 18 == 0) ? 0x40 : 0xFF;
    std::size_t compressed = 0;
    EXPECT_EQ(ImageData(face, &compressed), Scanlines(face));
    EXPECT_LT(compressed, Scanlines(face).size() / 50);
}

TEST(PngEncoder, RepeatsAreFoundUpToTheWindowAndNoFurther) {
    // Rows of 1365 pixels take 4096 bytes with their filter byte: a row that repeats the one
    // eight rows up lies exactly 32768 bytes back, the farthest that deflate can reach; nine
    // rows up lies beyond it and must be sent again.
    for (int period : {8, 9}) {
        SCOPED_TRACE(period);
        RgbImage image;
        image.width = 1365;
        image.height = 3 * period;
        for (int y = 0; y < image.height; ++y) {
            const auto row = Noise(1365 * 3, static_cast<std::uint32_t>(y % period) + 1);
            image.pixels.insert(image.pixels.end(), row.begin(), row.end());
        }
        std::size_t compressed = 0;
        EXPECT_EQ(ImageData(image, &compressed), Scanlines(image));
        const std::size_t raw = Scanlines(image).size();
        if (period == 8)
            EXPECT_LT(compressed, raw / 2); // two of the three periods come as repeats
        else
            EXPECT_GT(compressed, raw); // noise throughout, each byte 8 or 9 bits
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

    // Too large for one chunk even if nothing repeats: refused before any pixel is read.
    RgbImage huge;
    huge.width = 20000;
    huge.height = 30000;
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
