// SPDX-License-Identifier: GPL-3.0-or-later
// Palette files read for --palette-of (GIMP .gpl, JASC .pal, C text with a GP_PALETTEENTRY
// array, or the colour table of a BMP or PNG), on any bytes; a palette that is read is then the
// target of a small colour picture's conversion, flat and diffused, with and without a
// transparent colour.

#include <cstdint>

#include "FuzzSession.h"
#include "app/PaletteJobs.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tessera;
    static const fuzz::FuzzSession session;
    static const bool pictureWritten = [] {
        // 5 x 3 pixels of varied colours, as a 24-bit bitmap with its rows padded to 16 bytes.
        std::uint8_t bmp[54 + 48] = {'B', 'M', 102, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,  40,
                                     0,   0,   0,   5, 0, 0, 0, 3, 0, 0, 0,  1, 0, 24, 0};
        for (int i = 54; i < 102; ++i)
            bmp[i] = static_cast<std::uint8_t>(i * 37);
        session.writeInput("picture.bmp", bmp, sizeof bmp);
        return true;
    }();
    (void)pictureWritten;
    session.writeInput("in.pal", data, size);
    const PaletteOf of = readPaletteOf(session.path("in.pal"));
    if (of.failure)
        return 0;
    fuzz::FuzzUi ui;
    Form1 form(ui);
    form.colourOptions.target = of.palette;
    form.colourOptions.dither = (size & 1) != 0;
    if (size & 2)
        form.colourOptions.transparent = of.palette.front();
    ui.openPath = session.path("picture.bmp");
    form.cmdBMPLoad.click();
    session.convertAll(
        ui, [&] { form.cmdBMPConvert.click(); }, [&] { form.cmdBMPConvertAdd.click(); }, "out.gpg");
    return 0;
}
