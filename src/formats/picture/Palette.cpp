#include "formats/picture/Palette.h"

#include "formats/Gp32.h"
#include "formats/picture/PictureLayout.h"

namespace tessera {

std::vector<std::uint16_t> readPalette(const InputFile& in, const PictureInfo& info,
                                       std::int32_t fillBit) {
    checkPaletteCount(info.paletteCount);
    const auto count = static_cast<std::size_t>(info.paletteCount);
    std::vector<std::uint8_t> table(4 * count);  // blue, green, red, unused
    in.read(info.paletteOffset, table);
    std::vector<std::uint16_t> palette(count);
    for (std::size_t e = 0; e < count; ++e)
        palette[e] = gp32::colour(table[4 * e + 2], table[4 * e + 1], table[4 * e], fillBit);
    return palette;
}

}  // namespace tessera
