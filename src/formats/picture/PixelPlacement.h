// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "formats/Progress.h"
#include "formats/picture/ColourDiffusion.h"
#include "formats/picture/ColourReduction.h"
#include "formats/picture/PictureLayout.h"
#include "platform/ZeroedBuffer.h"

namespace tessera {

class InputFile;

// A picture in GP32 screen order: 8-bit pictures keep their palette indices, 24-bit pictures
// become GP32 colours; the other vector stays empty.
struct ScreenPixels {
    std::vector<std::uint8_t> indices;
    std::vector<std::uint16_t> colours;
    std::int64_t count = 0;
};

// How a colour pixel's bytes (red first or last, then alpha when the rows carry it) become a
// colour word, or kSeeThrough when a transparent colour is given and the pixel is of that colour
// or its alpha is below half.
struct PixelWord {
    PixelWord(const PictureLayout& layout, std::optional<ColourWord> transparent);
    ColourWord operator()(const std::uint8_t* px) const {
        const ColourWord w = colourWord(px[red] >> 3, px[1] >> 3, px[blue] >> 3);
        return transparent && ((alpha && px[3] < 128) || w == *transparent) ? kSeeThrough : w;
    }
    int red;
    int blue;
    bool alpha;
    std::optional<ColourWord> transparent;
};

// How many threads a pass over the pixels of this picture takes: every core for a large one,
// one for a smaller one, done before a second thread would have started.
int teamFor(const PictureLayout& layout);

// Reads every stored row of the picture and places it in screen order. Column padding is 0 for
// indices and black with the intensity bit for colours; see-through pixels of a colour picture
// are the transparent colour. `progress` hears of every row.
ScreenPixels placePixels(const InputFile& in, const PictureLayout& layout, std::int32_t fillBit,
                         const Progress& progress,
                         std::optional<ColourWord> transparent = std::nullopt);

// The indices of an 8-bit picture as placePixels gives them, for a file written straight from
// them: in memory the system gives zeroed, so no pass clears it first.
ZeroedBuffer placeIndices(const InputFile& in, const PictureLayout& layout,
                          const Progress& progress);

// The entry of a palette for each stored index of an 8-bit picture.
using EntryMap = std::array<std::uint8_t, 256>;

// The indices of an 8-bit picture as placePixels gives them, each turned into its entry of
// another palette as it is placed: a picture mapped onto a palette file in one pass.
std::vector<std::uint8_t> placeMappedIndices(const InputFile& in, const PictureLayout& layout,
                                             const EntryMap& entries, const Progress& progress);

// The palette step's passes over a colour picture, each reading the rows as they stream past:
// the colours counted; the entries of `table` placed (padding 0), one byte an element; the
// colour words placed, for error diffusion, which needs its neighbours.
ColourCounts countColours(const InputFile& in, const PictureLayout& layout,
                          std::optional<ColourWord> transparent, const Progress& progress);
std::vector<std::uint8_t> placeEntries(const InputFile& in, const PictureLayout& layout,
                                       const IndexTable& table,
                                       std::optional<ColourWord> transparent,
                                       const Progress& progress);
std::vector<ColourWord> placeWords(const InputFile& in, const PictureLayout& layout,
                                   std::optional<ColourWord> transparent, const Progress& progress);
// Where the pixels of the columns lie in a screen array of this layout.
ScreenColumns screenColumns(const PictureLayout& layout);

// The way back: the rows of a picture from its screen order. Takes `order.count()` elements
// (palette indices or GP32 colours, as `placePixels` gives them) of a picture `order.width` wide
// and `order.height` high whose padding lies on `side` of each column. Gives the rows top row
// first, each from its left pixel: `order.height` rows, or the whole padded column
// (`order.columnLength()` rows, the padding rows on their side) with `keepPadding`. Throws
// std::invalid_argument when the element count is not `order.count()`.
std::vector<std::uint8_t> rowsFromScreenOrder(std::span<const std::uint8_t> screen,
                                              const gp32::ScreenOrder& order,
                                              gp32::PaddingSide side, bool keepPadding = false);
std::vector<std::uint16_t> rowsFromScreenOrder(std::span<const std::uint16_t> screen,
                                               const gp32::ScreenOrder& order,
                                               gp32::PaddingSide side, bool keepPadding = false);

}  // namespace tessera
