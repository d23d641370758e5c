// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <string>

#include "gui/PreviewPicture.h"

class QLabel;
class QSpinBox;

namespace tessera::gui {
class InfoLabel;
}

namespace tessera {
class Form1;
}

namespace tessera::gui {

// The picture drawn with square pixels, `zoom` device-independent pixels a side.
class PixelView : public QWidget {
  public:
    explicit PixelView(QWidget* parent);
    void showImage(const QImage& image, int zoom);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QImage image_;
    int zoom_ = 1;
};

// The palette of an 8-bit picture as rows of sixteen swatches, each in its shown colour.
class SwatchView : public QWidget {
  public:
    static constexpr int kPerRow = 16;
    static constexpr int kSide = 14;
    explicit SwatchView(QWidget* parent);
    void showColours(const std::vector<std::uint16_t>& palette);
    const std::vector<std::uint16_t>& colours() const { return palette_; }
    QRect swatchRect(int entry) const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::vector<std::uint16_t> palette_;
};

// The preview's tool window: the loaded picture as the GP32 shows it, zoomed 1x to 8x (Ctrl+plus,
// Ctrl+minus, Ctrl+0 and Ctrl+wheel too), with its palette. The main window refreshes it after
// every command; it converts again only when the picture, its file or the intensity bit changed.
class PreviewWindow : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kMaxZoom = 8;
    PreviewWindow(const Form1& form, QWidget* owner);

    void refresh();
    void setZoom(int zoom);
    int zoom() const;
    // Where a window of `size` (frames included) goes beside `owner`: to its right, else to its
    // left, else below or above it; where no side holds it whole, made smaller (down to `least`)
    // on the side with most room; always inside `screen` (its available area).
    static QRect placeBeside(const QRect& screen, const QRect& owner, QSize size, QSize least);
    // Puts the window beside `owner` on the owner's screen, before it is first shown.
    void placeBesideOwner(const QWidget* owner);
    const PicturePreview& picture() const { return picture_; }
    const PixelView* pixels() const { return pixels_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    void redraw();
    // Ctrl+wheel zooms, a step for each notch (a touchpad's small steps add up to notches).
    bool wheelZooms(QWheelEvent* event);

    const Form1& form_;
    PicturePreview picture_;
    std::string shownKey_;
    InfoLabel* info_;
    QSpinBox* zoomBox_;
    int wheelAngle_ = 0;
    PixelView* pixels_;
    QLabel* paletteTitle_;
    SwatchView* swatches_;
};

}  // namespace tessera::gui
