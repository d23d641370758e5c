#pragma once

#include <QWidget>
#include <string>

#include "gui/PreviewPicture.h"

class QComboBox;
class QLabel;

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

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::vector<std::uint16_t> palette_;
};

// The preview's tool window: the loaded picture as the GP32 shows it, zoomed 1x to 8x, with its
// palette. The main window refreshes it after every command; it converts again only when the
// picture, its file or the intensity bit changed.
class PreviewWindow : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kMaxZoom = 8;
    PreviewWindow(const Form1& form, QWidget* owner);

    void refresh();
    void setZoom(int zoom);
    int zoom() const;
    const PicturePreview& picture() const { return picture_; }
    const PixelView* pixels() const { return pixels_; }

  private:
    void redraw();

    const Form1& form_;
    PicturePreview picture_;
    std::string shownKey_;
    QLabel* info_;
    QComboBox* zoomBox_;
    PixelView* pixels_;
    QLabel* paletteTitle_;
    SwatchView* swatches_;
};

}  // namespace tessera::gui
