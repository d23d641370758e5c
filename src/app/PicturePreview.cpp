// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/PicturePreview.h"

#include "app/Form1.h"
#include "formats/Gp32.h"
#include "formats/picture/Palette.h"
#include "formats/picture/PaletteStep.h"
#include "formats/picture/PictureLayout.h"
#include "formats/picture/PixelPlacement.h"
#include "platform/Errors.h"
#include "platform/InputFile.h"

namespace tessera {

namespace {

constexpr const char* kNoPicture = "Load a picture to see it as the GP32 shows it.";

// The screen-order colours of an 8-bit picture: an index takes its palette's colour, black past
// the palette's end; without a palette (a RAW picture) an index is a grey level.
std::vector<std::uint16_t> indexColours(const std::vector<std::uint8_t>& indices,
                                        const std::vector<std::uint16_t>& palette,
                                        std::int32_t fill) {
    std::vector<std::uint16_t> colours(indices.size());
    for (std::size_t k = 0; k < indices.size(); ++k) {
        const std::uint8_t i = indices[k];
        colours[k] = palette.empty()      ? gp32::colour(i, i, i, fill)
                     : i < palette.size() ? palette[i]
                                          : gp32::colour(0, 0, 0, fill);
    }
    return colours;
}

}  // namespace

std::uint32_t shownRgb(std::uint16_t gp32) {
    const gp32::Rgb c = gp32::shownColour(gp32);
    return std::uint32_t{c.red} << 16 | std::uint32_t{c.green} << 8 | c.blue;
}

PicturePreview Form1::picturePreview() const {
    PicturePreview p;
    if (!cmdBMPConvert.Enabled || !state.picture) {
        p.refusal = kNoPicture;
        return p;
    }
    const std::int32_t fill = fillBit();
    try {
        // The conversion's own steps, without its state or its progress bar.
        const PictureInfo& info = *state.picture;
        const std::optional<ColourWord> transparent = colourOptions.transparent;
        const PictureLayout layout =
            pictureLayout(info, transparent.has_value() && colourOptions.byAlpha);
        const InputFile in = openLoadedInput(info.file);
        const Progress none = [](std::int64_t, std::int64_t) {};
        const std::optional<PaletteOptions> step = paletteStep();
        ScreenPixels pixels;
        if (step) {
            ReducedPicture reduced = reducePicture(in, info, layout, *step, none);
            for (const ColourWord w : reduced.palette)
                p.palette.push_back(static_cast<std::uint16_t>(w | fill));
            pixels.indices = std::move(reduced.indices);
        } else {
            pixels = placePixels(in, layout, fill, none, transparent);
        }
        p.bpp = step || layout.bytesPerPixel == 1 ? 8 : 24;
        if (p.bpp == 8) {
            if (!step && info.kind != PictureKind::Raw)
                p.palette = readPalette(in, info, fill);
            pixels.colours = indexColours(pixels.indices, p.palette, fill);
        }
        p.hasPalette = !p.palette.empty();
        p.width = static_cast<int>(layout.order.width);
        p.height = static_cast<int>(layout.order.columnLength());
        p.padding = static_cast<int>(layout.order.padding());
        p.colours = rowsFromScreenOrder(std::span<const std::uint16_t>(pixels.colours),
                                        layout.order, layout.paddingSide(), true);
    } catch (const TesseraError& e) {
        return PicturePreview{.refusal = e.what()};
    }
    return p;
}

}  // namespace tessera
