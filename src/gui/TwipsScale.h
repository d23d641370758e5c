// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>
#include <QSize>
#include <cmath>

#include "app/Controls.h"

namespace tessera::gui {

// The window was drawn in twips. One factor turns every position and size into pixels, so the
// layout keeps its proportions whatever factor the font asks for.
class TwipsScale {
  public:
    // 15 twips make a pixel on a 96 dpi screen with the fonts the window was drawn for.
    static constexpr double kDesignFactor = 1.0 / 15.0;

    explicit TwipsScale(double pixelsPerTwip = kDesignFactor) : factor_(pixelsPerTwip) {}

    double factor() const { return factor_; }
    int px(double twips) const { return static_cast<int>(std::lround(twips * factor_)); }
    QRect rect(const Twips& t) const { return {px(t.left), px(t.top), px(t.width), px(t.height)}; }
    QSize size(int widthTwips, int heightTwips) const { return {px(widthTwips), px(heightTwips)}; }

  private:
    double factor_;
};

}  // namespace tessera::gui
