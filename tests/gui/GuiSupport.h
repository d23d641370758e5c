// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTest>
#include <QtWidgets>

#include "gui/MainWindow.h"
#include "support/Window.h"

namespace tessera::test {

// One QApplication for every test of the binary (the offscreen platform in CTest). It is never
// destroyed: tearing it down among the other statics at exit crashes once a window was shown.
// It has the program's names, and its settings go to a folder of its own, never to the user's.
inline QApplication& guiApp() {
    static QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    QCoreApplication::setOrganizationName(QStringLiteral("Tessera"));
    QCoreApplication::setApplicationName(QStringLiteral("Tessera"));
    static int argc = 1;
    static char* argv[] = {const_cast<char*>("tessera_gui_tests"), nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

// Whether the caption shows whole, in the room the style leaves it beside frames and indicators.
inline bool captionFits(QWidget* w) {
    const QFontMetrics fm(w->font());
    if (auto* push = qobject_cast<QPushButton*>(w)) {
        QStyleOptionButton o;
        o.initFrom(push);
        o.text = push->text();
        const QRect room = push->style()->subElementRect(QStyle::SE_PushButtonContents, &o, push);
        return room.width() >= fm.horizontalAdvance(push->text().remove('&')) &&
               w->height() >= fm.height();
    }
    // A box's minimum hint is its caption with the indicator or the style's margins.
    if (qobject_cast<QAbstractButton*>(w) || qobject_cast<QGroupBox*>(w))
        return w->width() >= w->minimumSizeHint().width() && w->height() >= fm.height();
    if (auto* label = qobject_cast<QLabel*>(w)) {
        const QRect used = fm.boundingRect(QRect(0, 0, 100000, 100000),
                                           Qt::AlignLeft | Qt::AlignTop, label->text());
        return used.width() <= w->width() && used.height() <= w->height();
    }
    return true;
}

// The controls whose caption is clipped or whose geometry is not their twips rectangle times the
// scale's one factor, each named with what is wrong; empty when the layout is right.
inline std::string layoutProblems(const gui::ControlViews& views, const gui::TwipsScale& scale) {
    std::string problems;
    const double f = scale.factor();
    auto near = [f](int px, double twips) { return std::abs(px - twips * f) <= 0.5 + 1e-9; };
    for (const auto& b : views.all()) {
        const Twips& t = b.model->position;
        const QRect g = b.widget->geometry();
        // A label's width is the model's, by which the progress bar grows.
        const double width = b.model->kind == ControlKind::Label
                                 ? static_cast<const Label*>(b.model)->Width
                                 : t.width;
        if (!near(g.left(), t.left) || !near(g.top(), t.top) || !near(g.width(), width) ||
            !near(g.height(), t.height))
            problems += b.model->name + " misplaced; ";
        if (!captionFits(b.widget))
            problems += b.model->name + " clipped; ";
    }
    return problems;
}

// The names of the focusable widgets in the order Tab visits them, starting at `first`.
inline std::string tabChain(const gui::ControlViews& views, QWidget* first) {
    std::string chain;
    QWidget* w = first;
    do {
        for (const auto& b : views.all())
            chain += b.widget == w && (w->focusPolicy() & Qt::TabFocus) ? b.model->name + " " : "";
        w = w->nextInFocusChain();
    } while (w && w != first);
    return chain;
}

// The window over a scripted model; a file opened in the window (a drop, the start argument) is
// answered with its own path.
struct GuiFixture : WindowFixture {
    QApplication& app = guiApp();
    gui::MainWindow window{form};
    GuiFixture() {
        window.answerOpensWith([this](const QString& path) { ui.openWith(path.toStdString()); });
    }
    void click(const Control& c) { QTest::mouseClick(window.widget(c), Qt::LeftButton); }
    QString writeInput(const std::string& name, const Bytes& bytes) {
        writeFile(dir.path(name), bytes);
        return QString::fromStdString(dir.path(name));
    }
    // Drags the file over the window and drops it; returns whether the drag was welcome.
    bool drop(const std::string& name, const Bytes& bytes) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(writeInput(name, bytes))});
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&window, &enter);
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&window, &drop);
        return enter.isAccepted();
    }
};

}  // namespace tessera::test
