// SPDX-License-Identifier: GPL-3.0-or-later
// tessera_screenshot OUT.png: the window as the AppStream screenshot shows it, rendered on Qt's
// offscreen platform (no display needed): a picture made here is loaded as a user would, and
// the main window is drawn beside its preview at zoom 4.
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include "gui/PreviewWindow.h"
#include "gui/ProgramWindow.h"

namespace {

// A small sprite sheet of true colours: a sky gradient with a sun and a row of hills.
QImage makePicture() {
    QImage image(96, 64, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(40 + y * 2, 90 + y * 2, 200 - y));
    }
    QPainter p(&image);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 210, 60));
    p.drawEllipse(QPoint(70, 18), 10, 10);
    p.setBrush(QColor(40, 140, 60));
    for (int x = -10; x < 100; x += 30)
        p.drawEllipse(QPoint(x, 64), 22, 16);
    return image;
}

}  // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("usage: tessera_screenshot OUT.png\n", stderr);
        return 2;
    }
    QTemporaryDir dir;
    const QString picture = dir.filePath(QStringLiteral("landscape.png"));
    if (!makePicture().save(picture))
        return 1;

    tessera::gui::ProgramWindow program;
    tessera::gui::MainWindow& window = program.window;
    window.show();
    window.openFile(picture);
    window.showPreview();
    window.preview()->setZoom(4);
    QApplication::processEvents();

    const QPixmap main = window.grab(), preview = window.preview()->grab();
    const int gap = 16;
    QImage shot(gap * 3 + main.width() + preview.width(),
                gap * 2 + std::max(main.height(), preview.height()), QImage::Format_RGB32);
    shot.fill(QColor(0x3c, 0x3c, 0x3c));
    QPainter painter(&shot);
    painter.drawPixmap(gap, gap, main);
    painter.drawPixmap(gap * 2 + main.width(), gap, preview);
    painter.end();
    return shot.save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
