#pragma once

#include <QApplication>
#include <QWidget>
#include <string>

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

// The controls whose caption is clipped or whose geometry is not their twips rectangle times the
// scale's one factor, each named with what is wrong; empty when the layout is right.
std::string layoutProblems(const gui::ControlViews& views, const gui::TwipsScale& scale);
// The names of the controls (labels aside) that the widgets show enabled, or with `model` that
// the model holds enabled.
std::string enabledControls(const gui::ControlViews& views, bool model = false);
// The names of the focusable widgets in the order Tab visits them, starting at `first`.
std::string tabChain(const gui::ControlViews& views, QWidget* first);

}  // namespace tessera::test
