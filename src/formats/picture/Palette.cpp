// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/picture/Palette.h"

#include "formats/Gp32.h"
#include "formats/picture/PictureLayout.h"

namespace tessera {

std::vector<std::uint16_t> readPalette(const InputFile& in, const PictureInfo& info,
                                       std::int32_t fillBit) {
    checkPaletteCount(info.paletteCount);
    const auto count = static_cast<std::size_t>(info.paletteCount);
    std::vector<std::uint16_t> palette(count);
    if (info.kind == PictureKind::Png) {  // read with the header: PLTE or the grey ramp
        for (std::size_t e = 0; e < count; ++e) {
            const auto& [r, g, b] = info.colours[e];
            palette[e] = gp32::colour(r, g, b, fillBit);
        }
        return palette;
    }
    const auto size = static_cast<std::size_t>(info.paletteEntrySize);
    std::vector<std::uint8_t> table(size * count);  // blue, green, red (, unused)
    in.read(info.paletteOffset, table);
    for (std::size_t e = 0; e < count; ++e) {
        const std::uint8_t* entry = table.data() + size * e;
        palette[e] = gp32::colour(entry[2], entry[1], entry[0], fillBit);
    }
    return palette;
}

}  // namespace tessera
