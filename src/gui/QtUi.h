#pragma once

#include <QString>

#include "app/Ui.h"

class QWidget;

namespace tessera::gui {

class MainWindow;

// The window's dialogs and message boxes in Qt. It is made before the window it serves (Form1
// needs a Ui to be built), so the window is attached afterwards.
class QtUi : public Ui {
  public:
    void attach(MainWindow* window) { window_ = window; }

    bool showOpen(CommonDialog& dialog) override;
    bool showSave(CommonDialog& dialog) override;
    MsgAnswer msgBox(const std::string& text, MsgStyle style) override;
    void showRawDialog(DialogRAW& dialog) override;
    void progressChanged(double width) override;

  private:
    bool showFileDialog(CommonDialog& dialog, bool save);
    void showCurrentState();

    MainWindow* window_ = nullptr;
    QString lastFolder_;  // the next dialog opens where the person last picked a file
};

}  // namespace tessera::gui
