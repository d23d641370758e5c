#include "gui/MainWindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>

namespace tessera::gui {

namespace {

constexpr qint64 kRepaintEveryMs = 30;

// The information label lines its values up in a fixed-pitch font.
QFont fixedPitchFont() {
    if (QFontDatabase::families().contains(QStringLiteral("Courier New"))) {
        QFont courier(QStringLiteral("Courier New"));
        courier.setPointSizeF(8.25);
        return courier;
    }
    return QFontDatabase::systemFont(QFontDatabase::FixedFont);
}

void fillWith(QWidget* w, QPalette::ColorRole role) {
    QPalette palette = w->palette();
    palette.setColor(QPalette::Window, palette.color(role));
    w->setPalette(palette);
    w->setAutoFillBackground(true);
}

}  // namespace

MainWindow::MainWindow(Form1& form, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      form_(form),
      views_(this, form.controls()) {
    setWindowTitle(QString::fromUtf8(Form1::kCaption));

    for (const auto& b : views_.all()) {
        if (auto* label = qobject_cast<QLabel*>(b.widget)) {
            const auto look = static_cast<const Label*>(b.model)->look;
            if (look == LabelLook::FixedPitchInfo) {
                label->setFont(fixedPitchFont());
                fillWith(label, QPalette::Base);
            } else if (look == LabelLook::ProgressBar) {
                fillWith(label, QPalette::Highlight);
                progressBar_ = label;
            }
        }
    }

    scale_ = TwipsScale(views_.fittingFactor());
    views_.place(scale_);
    setFixedSize(scale_.size(Form1::kClientWidth, Form1::kClientHeight));
    views_.connect([this](const std::function<void()>& action) { run(action); });

    // Quit is the window's cancel button: Escape presses it.
    auto* quit = static_cast<QPushButton*>(widget(form_.cmdQuitter));
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    QObject::connect(escape, &QShortcut::activated, quit, &QPushButton::click);

    mirror();
    quit->setFocus();
    sinceRepaint_.start();
}

void MainWindow::mirror() {
    views_.mirror(scale_);
}

void MainWindow::run(const std::function<void()>& action) {
    busy_ = true;
    action();
    busy_ = false;
    mirror();
    if (form_.unloaded() || closeWhenIdle_)
        close();
}

void MainWindow::showProgress(double twips) {
    if (!progressBar_)
        return;
    progressBar_->resize(scale_.px(twips), progressBar_->height());
    if (sinceRepaint_.elapsed() < kRepaintEveryMs)
        return;
    sinceRepaint_.restart();
    progressBar_->repaint();
    // Lets the window system show the new width; clicks and keys wait for the command's end.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // A close asked for in the middle of a conversion waits until the command has finished, so
    // the model is never torn down under a running handler.
    if (busy_) {
        closeWhenIdle_ = true;
        event->ignore();
        return;
    }
    event->accept();
}

}  // namespace tessera::gui
