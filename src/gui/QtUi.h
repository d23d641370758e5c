#pragma once

#include <QString>
#include <optional>

#include "app/Ui.h"

class QWidget;

namespace tessera::gui {

class MainWindow;

// The window's dialogs and message boxes in Qt. It is made before the window it serves (Form1
// needs a Ui to be built), so the window is attached afterwards.
class QtUi : public Ui {
  public:
    void attach(MainWindow* window) { window_ = window; }
    // The next open dialog is not shown: it answers `path` at once, as if the person had picked
    // it. A dropped file and the file named at start go through the load buttons this way, so
    // they get the load's own checks and messages.
    void answerNextOpen(const QString& path) { nextOpen_ = path; }

    // The folder the open and save dialogs start in: the one last picked from, kept between runs
    // in the user's settings (the only thing Tessera keeps there).
    static QString startFolder();
    static void rememberFolder(const QString& folder);

    bool showOpen(CommonDialog& dialog) override;
    bool showSave(CommonDialog& dialog) override;
    MsgAnswer msgBox(const std::string& text, MsgStyle style) override;
    void showRawDialog(DialogRAW& dialog) override;
    bool showColoursDialog(DialogColours& dialog) override;
    void progressChanged(double width) override;

  private:
    bool showFileDialog(CommonDialog& dialog, bool save);
    void showCurrentState();

    MainWindow* window_ = nullptr;
    std::optional<QString> nextOpen_;
};

}  // namespace tessera::gui
