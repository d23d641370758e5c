// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/PreviewPicture.h"

namespace tessera::gui {

QRgb shownColour(std::uint16_t gp32) {
    return 0xFF000000u | shownRgb(gp32);
}

QImage previewImage(const PicturePreview& preview) {
    QImage out(preview.width, preview.height, QImage::Format_RGB32);
    for (int y = 0; y < preview.height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < preview.width; ++x) {
            const gp32::Rgb c = preview.at(x, y);
            line[x] = qRgb(c.red, c.green, c.blue);
        }
    }
    return out;
}

}  // namespace tessera::gui
