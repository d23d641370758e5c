// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "../Gp32.h"

namespace tessera {

class OutputFile;
struct ConvertedBlock;

// A picture back from screen order, rows top first, each from its left pixel: palette indices
// with their colours, or three bytes red, green, blue a pixel.
struct BackPicture {
    std::int64_t width = 0;
    std::int64_t height = 0;
    bool indexed = false;
    std::vector<std::uint8_t> pixels;
    // An indexed picture's colours; empty when the indices are grey levels (no palette known).
    std::vector<gp32::Rgb> palette;

    gp32::Rgb rgbAt(std::int64_t x, std::int64_t y) const;
};

// The picture a block's screen-order elements make, as the GP32 shows it: each GP32 colour
// (the block's 16-bit elements, or `palette`'s colours for its 8-bit indices) becomes the
// screen's colour (see gp32::shownColour), which keeps all its sixteen bits, so converting the
// picture again with the block's intensity bit gives the block's elements. Without a palette the
// indices stay grey levels. The padding rows of each column are dropped, or kept (on `side`)
// with `keepPadding`, as the GP32 draws them.
BackPicture pictureOfScreen(const ConvertedBlock& block, std::span<const std::uint16_t> palette,
                            gp32::PaddingSide side, bool keepPadding = false);

// The picture as a PNG (8-bit palette, 8-bit grey or 8-bit RGB) or as a Windows bitmap (8 bits
// with a colour table, or 24 bits). Throws TesseraError when the output fails.
void writePng(OutputFile& out, const BackPicture& picture);
void writeBmp(OutputFile& out, const BackPicture& picture);

// A sound block as a WAV file of its depth, rate and channels: 8-bit samples unsigned as the GP32
// plays them, 16-bit ones signed again. The data chunk keeps the length the sound had when
// converted, so a 16-bit sound whose last half sample the conversion dropped gets it back as 0
// and converts again to the same bytes.
void writeWav(OutputFile& out, const ConvertedBlock& sound);

}  // namespace tessera
