#pragma once

#include <QElapsedTimer>
#include <QWidget>
#include <functional>

#include "app/Form1.h"
#include "gui/ControlViews.h"
#include "gui/TwipsScale.h"

class QLabel;

namespace tessera::gui {

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

    // Shows every model value in the widgets.
    void mirror();
    // Redraws the progress bar at `twips` during a long conversion, at most every ~30 ms.
    void showProgress(double twips);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void run(const std::function<void()>& action);

    Form1& form_;
    ControlViews views_;
    TwipsScale scale_;
    QLabel* progressBar_ = nullptr;
    QElapsedTimer sinceRepaint_;
    bool busy_ = false;
    bool closeWhenIdle_ = false;
};

}  // namespace tessera::gui
