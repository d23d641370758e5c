#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "support/Files.h"

namespace tessera::test {

// A picture as the tests think of it: rows from the top, each pixel an index (8 bits) or a
// colour (24 bits, red in the high byte: 0xRRGGBB).
struct Picture {
    std::int32_t width = 0;
    std::int32_t height = 0;
    int bpp = 8;
    std::vector<std::uint32_t> pixels;                 // width * height, top row first
    std::vector<std::array<std::uint8_t, 3>> palette;  // r, g, b

    std::uint32_t at(int row, int col) const { return pixels[row * width + col]; }
    static Picture pattern(int width, int height, int bpp);  // varied, reproducible content
};

// A Windows bitmap built byte by byte, with the knobs that real files turn.
struct BmpOptions {
    std::uint32_t infoSize = 40;
    bool topDown = false;           // negative height, rows stored top first
    std::uint32_t compression = 0;  // 0, 1 (RLE8, the builder encodes) or 3 (bit fields)
};
Bytes buildBmp(const Picture& picture, const BmpOptions& options = {});

// Headerless RAW: rows top first, 1 or 3 bytes a pixel (r, g, b), no padding.
Bytes buildRaw(const Picture& picture);

// A RIFF WAVE file. Extra chunks may be put before "fmt " and between "fmt " and "data".
struct WavOptions {
    std::uint16_t format = 1;
    std::uint16_t channels = 1;
    std::uint32_t rate = 22050;
    std::uint16_t bits = 8;
    std::uint32_t fmtSize = 16;
    std::vector<std::pair<std::array<char, 4>, Bytes>> chunksBeforeFmt;
    std::vector<std::pair<std::array<char, 4>, Bytes>> chunksBeforeData;
};
Bytes buildWav(const Bytes& data, const WavOptions& options = {});

}  // namespace tessera::test
