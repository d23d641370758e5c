#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "formats/Progress.h"
#include "formats/picture/PictureLayout.h"

namespace tessera {

class InputFile;

// A picture in GP32 screen order: 8-bit pictures keep their palette indices, 24-bit pictures
// become GP32 colours; the other vector stays empty.
struct ScreenPixels {
    std::vector<std::uint8_t> indices;
    std::vector<std::uint16_t> colours;
    std::int64_t count = 0;
};

// Reads every stored row of the picture and places it in screen order. Column padding is 0 for
// indices and black with the intensity bit for colours. `progress` hears of every row.
ScreenPixels placePixels(const InputFile& in, const PictureLayout& layout, std::int32_t fillBit,
                         const Progress& progress);

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
