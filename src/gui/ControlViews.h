// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSize>
#include <functional>
#include <vector>

#include "app/Controls.h"
#include "gui/TwipsScale.h"

class QWidget;

namespace tessera::gui {

// One widget per control of a window model: the model stays the owner of every value, the widgets
// only show it and pass the user's clicks and typing back. Shared by the main window and the RAW
// dialog, which are both drawn in twips.
class ControlViews {
  public:
    struct Bound {
        Control* model;
        QWidget* widget;
    };
    // Runs a model action, then lets the window mirror the model back into its widgets.
    using Runner = std::function<void(const std::function<void()>&)>;

    // Builds the widgets on `window`; children of a frame go inside its group box. The controls
    // come sorted by tab index, and that order becomes the keyboard order. A label that only
    // carries values between procedures gets no widget.
    ControlViews(QWidget* window, const std::vector<Control*>& controls);

    // Forwards clicks and edits to the model through `run`.
    void connect(const Runner& run);
    // The smallest pixels-per-twip factor at which every caption fits its control, never below
    // the design factor.
    double fittingFactor() const;
    void place(const TwipsScale& scale);
    // Copies the model's state into the widgets: visible, enabled, caption, check, option, text.
    void mirror(const TwipsScale& scale);

    QWidget* widget(const Control& control) const;
    const std::vector<Bound>& all() const { return bound_; }

    // Pixels a control needs so that its caption is not clipped (indicators and frames included).
    static QSize neededPixels(const Control& control, const QWidget* widget);

  private:
    const Bound* find(const char* name) const;

    std::vector<Bound> bound_;
};

}  // namespace tessera::gui
