// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <cstdint>

#include "app/PicturePreview.h"

namespace tessera::gui {

// A GP32 colour as the screen shows it (the model says how), and the model's preview as an image
// of those colours, a padded column high.
QRgb shownColour(std::uint16_t gp32);
QImage previewImage(const PicturePreview& preview);

}  // namespace tessera::gui
