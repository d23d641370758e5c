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
    // Loads `path` as the load buttons do: a .wav through the sound load, anything else through
    // the picture load, which refuses what it cannot read with its own message.
    void openFile(const QString& path);
    // The same once the event loop runs, so the window is on screen behind any dialog.
    void openLater(const QString& path);
    // Whether a drag carries a file the loads read (.bmp, .png, .raw, .wav).
    static bool acceptsDrop(const QMimeData* data);

    // The preview tool window, made on first use (Ctrl+P, or the "File infos" context menu).
    void showPreview();
    PreviewWindow* preview() const { return preview_; }
    static QKeySequence previewShortcut();
    // The "Colours..." dialog (Ctrl+K, or the "File infos" context menu).
    void showColours();
    static QKeySequence coloursShortcut();

    // Shows every model value in the widgets.
    void mirror();
    // Redraws the progress bar at `twips` during a long conversion, at most every ~30 ms.
    void showProgress(double twips);

  protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void run(const std::function<void()>& action);

    Form1& form_;
    ControlViews views_;
    TwipsScale scale_;
    QLabel* progressBar_ = nullptr;
    PreviewWindow* preview_ = nullptr;
    OpenAnswer openAnswer_;
    QElapsedTimer sinceRepaint_;
    bool busy_ = false;
    bool closeWhenIdle_ = false;
};

}  // namespace tessera::gui
