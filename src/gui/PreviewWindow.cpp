#include "gui/PreviewWindow.h"

#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QScrollArea>
#include <QVBoxLayout>
#include <algorithm>

#include "app/Form1.h"

namespace tessera::gui {

namespace {

constexpr const char* kTitle = "Tessera - GP32 Preview";

// What the preview shows depends on: the loaded file (its name, size and time), the size typed
// for a RAW file, and the intensity bit.
std::string previewKey(const Form1& form) {
    const auto& s = form.state;
    if (!form.cmdBMPConvert.Enabled)
        return {};
    const QFileInfo file(QString::fromStdString(s.strImgPath));
    return s.strImgPath + '|' + std::to_string(file.size()) + '|' +
           std::to_string(file.lastModified().toMSecsSinceEpoch()) + '|' +
           std::to_string(s.lngWidth()) + 'x' + std::to_string(s.lngHeight()) + 'x' +
           std::to_string(s.intBpp()) + '|' + (form.optFill1.Value ? '1' : '0');
}

QString describe(const PicturePreview& p) {
    if (!p.refusal.empty())
        return QString::fromStdString(p.refusal);
    QString text = QStringLiteral("%1 x %2, %3")
                       .arg(p.width)
                       .arg(p.height - p.padding)
                       .arg(p.bpp == 8 ? QStringLiteral("8-bit indices")
                                       : QStringLiteral("16-bit GP32 colours"));
    if (p.padding > 0)
        text += QStringLiteral(", columns padded to %1").arg(p.height);
    return text;
}

}  // namespace

PixelView::PixelView(QWidget* parent) : QWidget(parent) {
    setAccessibleName(QStringLiteral("Picture as the GP32 shows it"));
}

void PixelView::showImage(const QImage& image, int zoom) {
    image_ = image;
    zoom_ = zoom;
    setFixedSize(image_.width() * zoom_, image_.height() * zoom_);
    update();
}

void PixelView::paintEvent(QPaintEvent*) {
    // No smoothing: every GP32 pixel stays a square of one colour at any zoom and pixel ratio.
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(rect(), image_);
}

SwatchView::SwatchView(QWidget* parent) : QWidget(parent) {
    setAccessibleName(QStringLiteral("Palette"));
}

void SwatchView::showColours(const std::vector<std::uint16_t>& palette) {
    palette_ = palette;
    const int rows = (static_cast<int>(palette_.size()) + kPerRow - 1) / kPerRow;
    setFixedSize(kPerRow * kSide + 1, rows * kSide + 1);
    update();
}

void SwatchView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Mid));
    for (std::size_t e = 0; e < palette_.size(); ++e) {
        const int col = static_cast<int>(e) % kPerRow;
        const int row = static_cast<int>(e) / kPerRow;
        painter.setBrush(QColor(shownColour(palette_[e])));
        painter.drawRect(col * kSide, row * kSide, kSide, kSide);
    }
}

PreviewWindow::PreviewWindow(const Form1& form, QWidget* owner)
    : QWidget(owner, Qt::Tool), form_(form) {
    setWindowTitle(QString::fromUtf8(kTitle));
    setAccessibleName(QString::fromUtf8(kTitle));

    info_ = new QLabel(this);
    info_->setAccessibleName(QStringLiteral("Picture infos"));
    auto* zoomLabel = new QLabel(QStringLiteral("&Zoom:"), this);
    zoomBox_ = new QComboBox(this);
    for (int z = 1; z <= kMaxZoom; ++z)
        zoomBox_->addItem(QStringLiteral("%1x").arg(z), z);
    zoomBox_->setCurrentIndex(1);
    zoomBox_->setAccessibleName(QStringLiteral("Zoom"));
    zoomLabel->setBuddy(zoomBox_);
    connect(zoomBox_, &QComboBox::currentIndexChanged, this, [this] { redraw(); });

    pixels_ = new PixelView(this);
    auto* scroll = new QScrollArea(this);
    scroll->setWidget(pixels_);
    scroll->setAlignment(Qt::AlignCenter);
    scroll->setBackgroundRole(QPalette::Dark);
    scroll->setAccessibleName(QStringLiteral("Picture"));
    paletteTitle_ = new QLabel(QStringLiteral("Palette:"), this);
    swatches_ = new SwatchView(this);

    auto* top = new QHBoxLayout;
    top->addWidget(zoomLabel);
    top->addWidget(zoomBox_);
    top->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(info_);
    layout->addWidget(scroll, 1);
    layout->addWidget(paletteTitle_);
    layout->addWidget(swatches_);
    resize(520, 440);
}

int PreviewWindow::zoom() const {
    return zoomBox_->currentData().toInt();
}

void PreviewWindow::setZoom(int zoom) {
    zoomBox_->setCurrentIndex(std::clamp(zoom, 1, kMaxZoom) - 1);
}

void PreviewWindow::refresh() {
    const std::string key = previewKey(form_);
    if (!key.empty() && key == shownKey_)
        return;
    shownKey_ = key;
    picture_ = form_.picturePreview();
    redraw();
}

void PreviewWindow::redraw() {
    info_->setText(describe(picture_));
    pixels_->showImage(picture_.refusal.empty() ? previewImage(picture_) : QImage(), zoom());
    paletteTitle_->setVisible(picture_.hasPalette);
    swatches_->setVisible(picture_.hasPalette);
    swatches_->showColours(picture_.palette);
}

}  // namespace tessera::gui
