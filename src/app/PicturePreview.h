// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "../formats/back/BackPicture.h"

namespace tessera {

// The loaded picture as the GP32 shows it, worked out from the very values a conversion writes.
// The GP32 draws each column of the data from the bottom up, a whole padded column high, so the
// preview is a padded column high: a bitmap's padding shows above it, a RAW picture's below.
struct PicturePreview {
    int width = 0;
    int height = 0;   // a padded column
    int padding = 0;  // rows of the column that are padding
    int bpp = 0;
    bool hasPalette = false;  // false for 24-bit and RAW 8-bit pictures
    BackPicture shown;        // as the conversion back writes it, top row first, padding rows kept
    std::vector<std::uint16_t> palette;  // an 8-bit picture's palette as GP32 colours
    std::string refusal;                 // why there is nothing to show, else empty

    gp32::Rgb at(int x, int y) const { return shown.rgbAt(x, y); }
};

// What the screen makes of a GP32 colour, as 0xRRGGBB.
std::uint32_t shownRgb(std::uint16_t gp32);

}  // namespace tessera
