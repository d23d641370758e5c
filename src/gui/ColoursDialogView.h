// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include "app/DialogColours.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace tessera::gui {

// The "Colours..." dialog: the palette a picture's colours go to, its transparent colour and
// dithering. It shows `values` and writes them back only when OK is pressed.
class ColoursDialogView : public QDialog {
  public:
    ColoursDialogView(DialogColours& values, QWidget* owner);

  private:
    void confirm();
    void pickColour();
    void browse();
    void showColour();
    void enableParts();

    DialogColours& values_;
    QRadioButton* own_;
    QRadioButton* reduce_;
    QRadioButton* mapOnto_;
    QSpinBox* colours_;
    QLineEdit* file_;
    QPushButton* browse_;
    QCheckBox* transparent_;
    QPushButton* colour_;
    QCheckBox* byAlpha_;
    QCheckBox* dither_;
    QRgb rgb_;
};

}  // namespace tessera::gui
