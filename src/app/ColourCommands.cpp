// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>

#include "app/Form1.h"
#include "app/PaletteJobs.h"
#include "platform/Errors.h"

namespace tessera {

void Form1::mnuColours_Click() {
    runCommand([this] {
        DialogColours dialog = colourDialog;
        if (!ui_.showColoursDialog(dialog))
            throw CommandCancelled{};
        using Palette = DialogColours::Palette;
        PaletteOptions options;
        if (dialog.palette == Palette::Reduce)
            options.colours = std::clamp(dialog.colours, kMinColours, kMaxColours);
        if (dialog.palette == Palette::MapOnto) {
            PaletteOf of = readPaletteOf(dialog.paletteFile);
            if (of.failure) {
                // The headline, then the file and what is wrong with it.
                std::string text = of.failure->text;
                const std::size_t reason = text.find("\r\n");
                if (reason != std::string::npos &&
                    text.find(dialog.paletteFile) == std::string::npos)
                    text.insert(reason + 2, dialog.paletteFile + ": ");
                throw TesseraError(Reason::PaletteFileUnread, text);
            }
            options.target = std::move(of.palette);
        }
        if (dialog.transparent)
            options.transparent = colourWordOf(dialog.transparentRgb);
        options.byAlpha = dialog.byAlpha;
        options.dither = dialog.dither && dialog.palette != Palette::Own;
        colourDialog = dialog;
        colourOptions = std::move(options);
        colourOptionsChanged();
    });
}

}  // namespace tessera
