// SPDX-License-Identifier: GPL-3.0-or-later
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
    std::uint32_t infoSize = 40;    // 12: the oldest core header, 16-bit sizes, 3-byte colours
    bool topDown = false;           // negative height, rows stored top first
    std::uint32_t compression = 0;  // 0, 1 (RLE8) or 2 (RLE4), the builder encodes; 3 bit fields
    int bits = 0;                   // 0: the picture's; 1 or 4 (indices), 16 or 32 (colours)
    // Where red, green and blue lie in a 16- or 32-bit pixel; the other bits are set, as an
    // opaque alpha would be.
    std::array<std::uint32_t, 3> masks = {0xFF0000, 0xFF00, 0xFF};
};
Bytes buildBmp(const Picture& picture, const BmpOptions& options = {});

// A PNG written by the PNG library itself: colour type 3 (palette) and 0 (grey, the indices as
// grey levels; at 16 bits the red channel) take 8-bit pictures' indices, 2 and 6 (RGB, RGBA)
// 24-bit pictures' colours, with a varying alpha. 16-bit samples repeat the byte, so their high
// byte is the picture's.
struct PngOptions {
    int colourType = 6;
    int bitDepth = 8;
    bool interlaced = false;
    // Colour type 6: each pixel's alpha is 255 less its top byte (0x80RRGGBB is half clear)
    // instead of the varying one.
    bool alphaInPixels = false;
};
Bytes buildPng(const Picture& picture, const PngOptions& options = {});
// The same PNG with a header claiming another size (its checksum mended, so it is believed).
Bytes claimPngSize(Bytes png, std::uint32_t width, std::uint32_t height);

// PNG pieces for damage the PNG library never writes: the signature, IHDR and PLTE of an 8-bit
// palette picture of `colours` grey levels; one chunk, its CRC spoilt when asked; `data`
// compressed (zlib), then `moreMiB` MiB of zeros, ended properly only when `moreMiB` is 0.
Bytes pngHead(std::uint32_t width, std::uint32_t height, int colours);
Bytes pngChunk(const std::string& tag, const Bytes& data, bool badCrc = false);
Bytes zlibOf(const Bytes& data, int moreMiB = 0);

// Headerless RAW: rows top first, 1 or 3 bytes a pixel (r, g, b), no padding.
Bytes buildRaw(const Picture& picture);

// A RIFF WAVE file. Extra chunks may be put before "fmt " and between "fmt " and "data"; they
// and a longer "fmt " chunk shape the fuzzing seeds.
struct WavOptions {
    std::uint16_t format = 1;
    std::uint16_t channels = 1;
    std::uint32_t rate = 22050;
    std::uint16_t bits = 8;
    std::uint16_t subFormat = 0;  // with format 0xFFFE: the extensible format's coding
    std::uint32_t fmtSize = 16;   // a longer "fmt " chunk is padded with zeros
    std::vector<std::pair<std::array<char, 4>, Bytes>> chunksBeforeFmt;
    std::vector<std::pair<std::array<char, 4>, Bytes>> chunksBeforeData;
};
Bytes buildWav(const Bytes& data, const WavOptions& options = {});

}  // namespace tessera::test
