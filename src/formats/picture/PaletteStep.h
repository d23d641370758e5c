// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

#include "formats/Progress.h"
#include "formats/picture/ColourReduction.h"
#include "formats/picture/PictureLayout.h"

namespace tessera {

class InputFile;

// A picture after the palette step: its entries in screen order (padding 0) and the palette
// they index, as colour words.
struct ReducedPicture {
    std::vector<std::uint8_t> indices;
    std::vector<ColourWord> palette;
};

// The palette step, between a picture's description and its placement: any picture, 8-bit or
// colour, becomes entries of the palette `options` ask for (one of its own of at most
// `options.colours` entries, or `options.target`). `layout` keeps the alpha when a transparent
// colour is given (pictureLayout(info, true)). Without dithering a colour picture is read twice
// (once to count, once to place), never held whole.
ReducedPicture reducePicture(const InputFile& in, const PictureInfo& info,
                             const PictureLayout& layout, const PaletteOptions& options,
                             const Progress& progress);

// The colours a picture holds, for a palette shared by several pictures.
ColourCounts pictureColours(const InputFile& in, const PictureInfo& info,
                            const PictureLayout& layout, const PaletteOptions& options,
                            const Progress& progress);

}  // namespace tessera
