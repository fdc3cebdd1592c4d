// A small PNG encoder for the host's screenshots: 8-bit RGB, no filtering, and a zlib stream
// of one deflate block with the fixed Huffman codes. Portable: no window handles here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace host {

// CRC-32 as PNG chunks use it (reflected polynomial 0xEDB88320), continued from `crc`.
std::uint32_t Crc32(const std::uint8_t* data, std::size_t size, std::uint32_t crc = 0);
// Adler-32 as zlib streams end with it, continued from `adler`.
std::uint32_t Adler32(const std::uint8_t* data, std::size_t size, std::uint32_t adler = 1);

// An image of width x height pixels, rows top to bottom, three bytes (R, G, B) a pixel.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;
};

// The whole PNG file; empty when the image's size does not match its pixels or is zero.
std::vector<std::uint8_t> EncodePng(const RgbImage& image);

// Writes the PNG file; false when the image is invalid or the file cannot be written.
bool WritePng(const RgbImage& image, const std::string& path);

} // namespace host
