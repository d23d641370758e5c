// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

namespace tessera {

// The "Colours..." dialog's values: what a picture's colours become before it is placed. The
// window keeps the last values given, so the dialog opens with them.
struct DialogColours {
    static constexpr const char* kCaption = "Colours";
    enum class Palette { Own, Reduce, MapOnto };
    Palette palette = Palette::Own;  // the picture's own colours, at most `colours`, or a file's
    int colours = 256;
    std::string paletteFile;
    bool transparent = false;  // `transparentRgb` pixels (and clear ones) become index 0
    std::uint32_t transparentRgb = 0xFF00FF;
    bool byAlpha = true;  // pixels whose alpha is below half are see-through too
    bool dither = false;
};

}  // namespace tessera
