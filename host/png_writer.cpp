#include "png_writer.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>

namespace host {

namespace {

const std::array<std::uint32_t, 256>& CrcTable() {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    return table;
}

void PutBigEndian32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value >> 24));
    out.push_back(static_cast<std::uint8_t>(value >> 16));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
    out.push_back(static_cast<std::uint8_t>(value));
}

// A chunk: length, type, data, and the CRC of type and data.
void PutChunk(std::vector<std::uint8_t>& out, const char type[4],
              const std::vector<std::uint8_t>& data) {
    PutBigEndian32(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t typeStart = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    PutBigEndian32(out, Crc32(out.data() + typeStart, out.size() - typeStart));
}

// The scanlines as PNG wants them: each row led by its filter type, 0 (none).
std::vector<std::uint8_t> Scanlines(const RgbImage& image) {
    const std::size_t rowBytes = static_cast<std::size_t>(image.width) * 3;
    std::vector<std::uint8_t> raw;
    raw.reserve((rowBytes + 1) * static_cast<std::size_t>(image.height));
    for (int y = 0; y < image.height; ++y) {
        raw.push_back(0);
        const auto row = image.pixels.begin() + static_cast<std::ptrdiff_t>(rowBytes * y);
        raw.insert(raw.end(), row, row + static_cast<std::ptrdiff_t>(rowBytes));
    }
    return raw;
}

// Deflate output: bits are packed from the least significant bit of each byte up.
class BitWriter {
public:
    explicit BitWriter(std::vector<std::uint8_t>& out) : out_(out) {}

    // The low `count` bits of value, least significant first (header fields, extra bits).
    void Put(std::uint32_t value, int count) {
        bits_ |= value << used_;
        used_ += count;
        while (used_ >= 8) {
            out_.push_back(static_cast<std::uint8_t>(bits_));
            bits_ >>= 8;
            used_ -= 8;
        }
    }

    // A Huffman code of `count` bits, which deflate stores most significant bit first.
    void PutCode(std::uint32_t code, int count) {
        std::uint32_t reversed = 0;
        for (int i = 0; i < count; ++i)
            reversed |= ((code >> i) & 1u) << (count - 1 - i);
        Put(reversed, count);
    }

    void Flush() {
        if (used_ > 0)
            out_.push_back(static_cast<std::uint8_t>(bits_));
        bits_ = 0;
        used_ = 0;
    }

private:
    std::vector<std::uint8_t>& out_;
    std::uint32_t bits_ = 0;
    int used_ = 0;
};

// The fixed Huffman code of a literal/length symbol (0 to 285).
void PutSymbol(BitWriter& out, int symbol) {
    if (symbol <= 143)
        out.PutCode(0x30 + symbol, 8);
    else if (symbol <= 255)
        out.PutCode(0x190 + (symbol - 144), 9);
    else if (symbol <= 279)
        out.PutCode(symbol - 256, 7);
    else
        out.PutCode(0xC0 + (symbol - 280), 8);
}

constexpr int MinMatch = 3;
constexpr int MaxMatch = 258;
constexpr std::size_t Window = 32768;

const std::uint16_t LengthBase[29] = {3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                      15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                      67, 83, 99, 115, 131, 163, 195, 227, 258};
const std::uint8_t LengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                      2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
const std::uint16_t DistanceBase[30] = {
    1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
const std::uint8_t DistanceExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                        6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

void PutMatch(BitWriter& out, int length, int distance) {
    int code = 28;
    while (LengthBase[code] > length)
        --code;
    PutSymbol(out, 257 + code);
    out.Put(static_cast<std::uint32_t>(length - LengthBase[code]), LengthExtra[code]);
    code = 29;
    while (DistanceBase[code] > distance)
        --code;
    out.PutCode(static_cast<std::uint32_t>(code), 5);
    out.Put(static_cast<std::uint32_t>(distance - DistanceBase[code]), DistanceExtra[code]);
}

// A zlib stream of one deflate block with the fixed Huffman codes. Repeats are found by
// hash chains over three-byte prefixes, searched a bounded number of steps back: screenshots
// are mostly long runs and repeated rows, which this shrinks to a small fraction.
std::vector<std::uint8_t> DeflateZlib(const std::vector<std::uint8_t>& data) {
    constexpr int ChainLimit = 48;
    constexpr std::size_t HashSize = 1 << 15;
    constexpr std::size_t NoPosition = SIZE_MAX;
    std::vector<std::size_t> head(HashSize, NoPosition);
    std::vector<std::size_t> previous(Window, NoPosition);
    const auto hashAt = [&data](std::size_t i) {
        return ((data[i] << 10) ^ (data[i + 1] << 5) ^ data[i + 2]) & (HashSize - 1);
    };
    const auto insert = [&](std::size_t i) {
        if (i + MinMatch > data.size())
            return;
        const std::size_t hash = hashAt(i);
        previous[i % Window] = head[hash];
        head[hash] = i;
    };

    std::vector<std::uint8_t> out = {0x78, 0x9C}; // deflate, 32 KiB window; a multiple of 31
    BitWriter bits(out);
    bits.Put(1, 1); // BFINAL
    bits.Put(1, 2); // BTYPE 01: fixed Huffman codes
    std::size_t i = 0;
    while (i < data.size()) {
        int bestLength = 0;
        std::size_t bestDistance = 0;
        if (i + MinMatch <= data.size()) {
            const std::size_t limit = std::min<std::size_t>(MaxMatch, data.size() - i);
            std::size_t candidate = head[hashAt(i)];
            for (int steps = 0;
                 steps < ChainLimit && candidate != NoPosition && i - candidate <= Window;
                 ++steps) {
                std::size_t length = 0;
                while (length < limit && data[candidate + length] == data[i + length])
                    ++length;
                if (static_cast<int>(length) > bestLength) {
                    bestLength = static_cast<int>(length);
                    bestDistance = i - candidate;
                    if (length == limit)
                        break;
                }
                const std::size_t next = previous[candidate % Window];
                if (next == NoPosition || next >= candidate)
                    break;
                candidate = next;
            }
        }
        if (bestLength >= MinMatch) {
            PutMatch(bits, bestLength, static_cast<int>(bestDistance));
            for (int k = 0; k < bestLength; ++k)
                insert(i + k);
            i += static_cast<std::size_t>(bestLength);
        } else {
            PutSymbol(bits, data[i]);
            insert(i);
            ++i;
        }
    }
    PutSymbol(bits, 256); // end of block
    bits.Flush();
    PutBigEndian32(out, Adler32(data.data(), data.size()));
    return out;
}

bool IsValid(const RgbImage& image) {
    if (image.width <= 0 || image.height <= 0)
        return false;
    const std::uint64_t width = static_cast<std::uint64_t>(image.width);
    const std::uint64_t height = static_cast<std::uint64_t>(image.height);
    // The compressed scanlines must fit in one chunk, whose length is below 2^31; with the
    // fixed codes incompressible data grows by at most one eighth.
    if ((width * 3 + 1) * height > 0x70000000u)
        return false;
    return image.pixels.size() == width * height * 3;
}

} // namespace

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size, std::uint32_t crc) {
    const auto& table = CrcTable();
    crc = ~crc;
    for (std::size_t i = 0; i < size; ++i)
        crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

std::uint32_t Adler32(const std::uint8_t* data, std::size_t size, std::uint32_t adler) {
    const std::uint32_t mod = 65521;
    std::uint32_t a = adler & 0xFFFF, b = adler >> 16;
    while (size > 0) {
        // 5552 bytes is the most that cannot overflow b before the reduction.
        const std::size_t run = std::min<std::size_t>(size, 5552);
        for (std::size_t i = 0; i < run; ++i) {
            a += data[i];
            b += a;
        }
        a %= mod;
        b %= mod;
        data += run;
        size -= run;
    }
    return (b << 16) | a;
}

std::vector<std::uint8_t> EncodePng(const RgbImage& image) {
    if (!IsValid(image))
        return {};
    std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

    std::vector<std::uint8_t> header;
    PutBigEndian32(header, static_cast<std::uint32_t>(image.width));
    PutBigEndian32(header, static_cast<std::uint32_t>(image.height));
    header.push_back(8); // bits per sample
    header.push_back(2); // colour type: RGB
    header.push_back(0); // compression: deflate
    header.push_back(0); // filter method 0
    header.push_back(0); // no interlace
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", DeflateZlib(Scanlines(image)));
    PutChunk(png, "IEND", {});
    return png;
}

bool WritePng(const RgbImage& image, const std::string& path) {
    const std::vector<std::uint8_t> png = EncodePng(image);
    if (png.empty())
        return false;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    const bool written = std::fwrite(png.data(), 1, png.size(), file) == png.size();
    const bool closed = std::fclose(file) == 0;
    return written && closed;
}

} // namespace host
