// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/PreviewWindow.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QScrollArea>
#include <QShortcut>
#include <QSpinBox>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>

#include "app/Form1.h"
#include "gui/AccessibleViews.h"

namespace tessera::gui {

namespace {

constexpr const char* kTitle = "Tessera - GP32 Preview";
constexpr int kStartZoom = 2;
constexpr int kWheelNotch = 120;  // eighths of a degree, as wheels report a notch
constexpr int kBesideGap = 8;     // pixels between the preview and the main window

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

QRect SwatchView::swatchRect(int entry) const {
    return {entry % kPerRow * kSide, entry / kPerRow * kSide, kSide, kSide};
}

void SwatchView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Mid));
    for (std::size_t e = 0; e < palette_.size(); ++e) {
        painter.setBrush(QColor(shownColour(palette_[e])));
        painter.drawRect(swatchRect(static_cast<int>(e)));
    }
}

PreviewWindow::PreviewWindow(const Form1& form, QWidget* owner)
    : QWidget(owner, Qt::Tool), form_(form) {
    installAccessibility();
    setWindowTitle(QString::fromUtf8(kTitle));

    info_ = new InfoLabel(this);
    info_->setAccessibleName(QStringLiteral("Picture infos"));
    auto* zoomLabel = new QLabel(QStringLiteral("&Zoom:"), this);
    zoomBox_ = new QSpinBox(this);
    zoomBox_->setRange(1, kMaxZoom);
    zoomBox_->setSuffix(QStringLiteral("x"));
    zoomBox_->setValue(kStartZoom);
    zoomBox_->setAccessibleName(QStringLiteral("Zoom"));
    zoomLabel->setBuddy(zoomBox_);
    connect(zoomBox_, &QSpinBox::valueChanged, this, [this] { redraw(); });

    // Ctrl+plus also as Ctrl+= (plus without Shift on many keyboards); Ctrl+0 shows the pixels
    // at their own size.
    const auto zoomKeys = [this](QList<QKeySequence> keys, QKeySequence::StandardKey standard,
                                 const std::function<void()>& zoomTo) {
        for (const QKeySequence& key : QKeySequence::keyBindings(standard)) {
            if (!keys.contains(key))
                keys.append(key);
        }
        auto* shortcut = new QShortcut(this);
        shortcut->setKeys(keys);
        connect(shortcut, &QShortcut::activated, this, zoomTo);
    };
    zoomKeys({QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)},
             QKeySequence::ZoomIn, [this] { setZoom(zoom() + 1); });
    zoomKeys({QKeySequence(Qt::CTRL | Qt::Key_Minus)}, QKeySequence::ZoomOut,
             [this] { setZoom(zoom() - 1); });
    zoomKeys({QKeySequence(Qt::CTRL | Qt::Key_0)}, QKeySequence::UnknownKey,
             [this] { setZoom(1); });

    pixels_ = new PixelView(this);
    auto* scroll = new QScrollArea(this);
    scroll->setWidget(pixels_);
    scroll->setAlignment(Qt::AlignCenter);
    scroll->setBackgroundRole(QPalette::Dark);
    scroll->setAccessibleName(QStringLiteral("Picture"));
    scroll->viewport()->installEventFilter(this);
    paletteTitle_ = new QLabel(QStringLiteral("Palette:"), this);
    swatches_ = new SwatchView(this);
    paletteTitle_->setBuddy(swatches_);

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
    return zoomBox_->value();
}

void PreviewWindow::setZoom(int zoom) {
    zoomBox_->setValue(std::clamp(zoom, 1, kMaxZoom));
}

bool PreviewWindow::wheelZooms(QWheelEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier))
        return false;
    wheelAngle_ += event->angleDelta().y();
    const int notches = wheelAngle_ / kWheelNotch;
    wheelAngle_ -= notches * kWheelNotch;
    setZoom(zoom() + notches);
    event->accept();
    return true;
}

bool PreviewWindow::eventFilter(QObject* watched, QEvent* event) {
    // The picture's scroll area scrolls with the wheel; with Ctrl held the wheel zooms instead.
    if (event->type() == QEvent::Wheel && wheelZooms(static_cast<QWheelEvent*>(event)))
        return true;
    return QWidget::eventFilter(watched, event);
}

void PreviewWindow::wheelEvent(QWheelEvent* event) {
    if (!wheelZooms(event))
        QWidget::wheelEvent(event);
}

QRect PreviewWindow::placeBeside(const QRect& screen, const QRect& owner, QSize size, QSize least) {
    size = size.boundedTo(screen.size());
    // The room on each side of the owner, in the order they are tried: right, left, below, above.
    const QRect rooms[] = {
        QRect(QPoint(owner.right() + 1 + kBesideGap, screen.top()), screen.bottomRight()),
        QRect(screen.topLeft(), QPoint(owner.left() - 1 - kBesideGap, screen.bottom())),
        QRect(QPoint(screen.left(), owner.bottom() + 1 + kBesideGap), screen.bottomRight()),
        QRect(screen.topLeft(), QPoint(screen.right(), owner.top() - 1 - kBesideGap)),
    };
    // Against the owner's near edge, level with its top (or its left) as far as the room allows.
    const auto placeIn = [&owner](const QRect& room, int side, QSize s) {
        const int x = side == 0 ? room.left()
                      : side == 1
                          ? room.right() + 1 - s.width()
                          : std::clamp(owner.left(), room.left(), room.right() + 1 - s.width());
        const int y = side == 2 ? room.top()
                      : side == 3
                          ? room.bottom() + 1 - s.height()
                          : std::clamp(owner.top(), room.top(), room.bottom() + 1 - s.height());
        return QRect(QPoint(x, y), s);
    };
    for (int side = 0; side < 4; ++side) {
        if (rooms[side].width() >= size.width() && rooms[side].height() >= size.height())
            return placeIn(rooms[side], side, size);
    }
    // No side holds it whole: the side where it can be largest, made smaller, if it can be as
    // large as `least` there.
    int best = -1;
    QSize bestSize;
    for (int side = 0; side < 4; ++side) {
        const QSize fits = size.boundedTo(rooms[side].size());
        if (fits.width() >= least.width() && fits.height() >= least.height() &&
            fits.width() * fits.height() > bestSize.width() * bestSize.height()) {
            best = side;
            bestSize = fits;
        }
    }
    if (best >= 0)
        return placeIn(rooms[best], best, bestSize);
    // No room beside it at all: over the owner, at the edge of the screen with more room.
    const bool moreOnRight = screen.right() - owner.right() >= owner.left() - screen.left();
    return placeIn(screen, moreOnRight ? 1 : 0, size);
}

void PreviewWindow::placeBesideOwner(const QWidget* owner) {
    const QScreen* screen = owner->screen();
    if (!screen)
        return;
    // The preview's frame is not known before it is shown: take the owner's as its measure.
    const QRect ownerFrame = owner->frameGeometry();
    const QMargins frame(owner->geometry().left() - ownerFrame.left(),
                         owner->geometry().top() - ownerFrame.top(),
                         ownerFrame.right() - owner->geometry().right(),
                         ownerFrame.bottom() - owner->geometry().bottom());
    const QRect placed = placeBeside(screen->availableGeometry(), ownerFrame, size().grownBy(frame),
                                     minimumSizeHint().grownBy(frame));
    setGeometry(placed.marginsRemoved(frame));
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
    info_->setInfo(describe(picture_));
    pixels_->showImage(picture_.refusal.empty() ? previewImage(picture_) : QImage(), zoom());
    paletteTitle_->setVisible(picture_.hasPalette);
    swatches_->setVisible(picture_.hasPalette);
    swatches_->showColours(picture_.palette);
}

}  // namespace tessera::gui
