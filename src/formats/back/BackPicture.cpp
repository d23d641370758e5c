// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/back/BackPicture.h"

#include "formats/back/ConvertedFile.h"
#include "formats/picture/PixelPlacement.h"

namespace tessera {

gp32::Rgb BackPicture::rgbAt(std::int64_t x, std::int64_t y) const {
    const auto at = static_cast<std::size_t>(y * width + x);
    if (!indexed)
        return {pixels[3 * at], pixels[3 * at + 1], pixels[3 * at + 2]};
    const std::uint8_t index = pixels[at];
    if (palette.empty())
        return {index, index, index};
    return index < palette.size() ? palette[index] : gp32::Rgb{};
}

BackPicture pictureOfScreen(const ConvertedBlock& block, std::span<const std::uint16_t> palette,
                            gp32::PaddingSide side, bool keepPadding) {
    const gp32::ScreenOrder order{block.width, block.height};
    BackPicture picture{.width = block.width,
                        .height = keepPadding ? order.columnLength() : block.height,
                        .indexed = block.bits == 8};
    if (picture.indexed) {
        picture.pixels = rowsFromScreenOrder(std::span(block.narrow), order, side, keepPadding);
        for (const std::uint16_t colour : palette)
            picture.palette.push_back(gp32::shownColour(colour));
        return picture;
    }
    const std::vector<std::uint16_t> rows =
        rowsFromScreenOrder(std::span(block.wide), order, side, keepPadding);
    picture.pixels.resize(rows.size() * 3);
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const gp32::Rgb c = gp32::shownColour(rows[k]);
        picture.pixels[3 * k] = c.red;
        picture.pixels[3 * k + 1] = c.green;
        picture.pixels[3 * k + 2] = c.blue;
    }
    return picture;
}

}  // namespace tessera
