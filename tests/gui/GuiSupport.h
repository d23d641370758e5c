#pragma once

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <string>

#include "app/Controls.h"
#include "gui/ControlViews.h"
#include "gui/TwipsScale.h"

namespace tessera::test {

// One QApplication for every test of the binary (the offscreen platform in CTest). It is never
// destroyed: tearing it down among the other statics at exit crashes once a window was shown.
inline QApplication& guiApp() {
    static int argc = 1;
    static char name[] = "tessera_gui_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

// A press and a release in the middle of the widget, as a mouse would send them.
inline void mouseClick(QWidget* w) {
    const QPointF at = QRectF(w->rect()).center();
    const QPointF global = w->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(w, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(w, &release);
}

// Problems found with one window's captions: each entry names the control and what is clipped.
std::string clippedCaptions(const gui::ControlViews& views);
// Controls whose geometry is not their twips position times the window's one factor.
std::string misplacedControls(const gui::ControlViews& views, const gui::TwipsScale& scale);
// The names of the focusable widgets in the order Tab visits them, starting at `first`.
std::string tabChain(const gui::ControlViews& views, QWidget* first);

}  // namespace tessera::test
