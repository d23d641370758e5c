#pragma once

#include <cstdint>
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

}  // namespace tessera
