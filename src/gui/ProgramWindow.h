// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/Form1.h"
#include "gui/MainWindow.h"
#include "gui/QtUi.h"

namespace tessera::gui {

// The program's main window wired up: the Qt dialogs answer the model, the view shows it, and a
// file given by drop or at start answers the next open dialog. Built by main() and by the
// screenshot renderer alike.
struct ProgramWindow {
    QtUi ui;
    Form1 form{ui};
    MainWindow window{form};

    ProgramWindow() {
        ui.attach(&window);
        window.answerOpensWith([this](const QString& path) { ui.answerNextOpen(path); });
    }
    ProgramWindow(const ProgramWindow&) = delete;
    ProgramWindow& operator=(const ProgramWindow&) = delete;
};

}  // namespace tessera::gui
