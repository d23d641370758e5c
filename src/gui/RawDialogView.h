// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include "app/DialogRAW.h"
#include "gui/ControlViews.h"
#include "gui/TwipsScale.h"

namespace tessera::gui {

// The RAW image dialog on screen: a small tool window, modal over the main window, drawn from the
// DialogRAW model. The widgets hold what the person types; only OK hands it to the model, so the
// close button hands nothing over.
class RawDialogView : public QDialog {
    Q_OBJECT

  public:
    RawDialogView(DialogRAW& dialog, QWidget* owner);

    const TwipsScale& scale() const { return scale_; }
    QWidget* widget(const Control& control) const { return views_.widget(control); }
    const ControlViews& views() const { return views_; }

    // OK: the typed texts and the chosen depth go into the model, then its OKButton_Click runs.
    void confirm();

  private:
    DialogRAW& dialog_;
    ControlViews views_;
    TwipsScale scale_;
};

}  // namespace tessera::gui
