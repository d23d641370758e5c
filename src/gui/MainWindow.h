// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QKeySequence>
#include <QWidget>
#include <functional>

#include "app/Form1.h"
#include "gui/ControlViews.h"
#include "gui/TwipsScale.h"

class QLabel;
class QMimeData;

namespace tessera::gui {

class PreviewWindow;
class ProgressLabel;
class SoundOptionsDialog;

// The Qt face of Form1: builds the widgets from the model's controls, sends the user's clicks to
// the model's handlers and mirrors the model back after each one. Form1 is taken by reference so
// that any Ui (the Qt one, or a scripted one in the tests) can answer its dialogs.
class MainWindow : public QWidget {
    Q_OBJECT

  public:
    explicit MainWindow(Form1& form, QWidget* parent = nullptr);

    Form1& form() { return form_; }
    const TwipsScale& scale() const { return scale_; }
    QWidget* widget(const Control& control) const { return views_.widget(control); }
    const ControlViews& views() const { return views_; }

    // How a file given by drop or at start reaches the load: the window's Ui answers its next
    // open dialog with the path (QtUi::answerNextOpen in the program, a script in the tests).
    using OpenAnswer = std::function<void(const QString&)>;
    void answerOpensWith(OpenAnswer answer) { openAnswer_ = std::move(answer); }
    // Loads `path` as the load buttons do: a sound's name (.wav, .flac, .ogg, .mp3, ...) through
    // the sound load, anything else through the picture load, which refuses what it cannot read
    // with its own message.
    void openFile(const QString& path);
    // The same once the window is on screen, so that any message of the load sits over it.
    void openLater(const QString& path);
    // Whether a drag carries a file the loads read (.bmp, .png, .raw, or a sound name).
    static bool acceptsDrop(const QMimeData* data);

    // The preview tool window, made on first use (Ctrl+P, or the "File infos" context menu).
    void showPreview();
    PreviewWindow* preview() const { return preview_; }
    static QKeySequence previewShortcut();
    // The "Colours..." dialog (Ctrl+K, or the "File infos" context menu).
    void showColours();
    static QKeySequence coloursShortcut();

    // "Sound options..." (Ctrl+Shift+S, or the "File infos" context menu), made on first use.
    void showSoundOptions();
    SoundOptionsDialog* soundOptions() const { return soundOptions_; }
    static QKeySequence soundOptionsShortcut();

    // Shows every model value in the widgets.
    void mirror();
    // Redraws the progress bar at `twips` during a long conversion, at most every ~30 ms.
    void showProgress(double twips);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void run(const std::function<void()>& action);
    void openStartFileSoon();
    // Tells a screen reader how far the bar is, in percent of a full bar.
    void showPercent(double twips);

    Form1& form_;
    ControlViews views_;
    TwipsScale scale_;
    ProgressLabel* progressBar_ = nullptr;
    PreviewWindow* preview_ = nullptr;
    SoundOptionsDialog* soundOptions_ = nullptr;
    OpenAnswer openAnswer_;
    QString startFile_;
    QElapsedTimer sinceRepaint_;
    bool busy_ = false;
    bool closeWhenIdle_ = false;
};

}  // namespace tessera::gui
