// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/RawDialogView.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace tessera::gui {

RawDialogView::RawDialogView(DialogRAW& dialog, QWidget* owner)
    : QDialog(owner,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      dialog_(dialog),
      views_(this, dialog.controls()) {
    setWindowTitle(QString::fromUtf8(DialogRAW::kCaption));
    setModal(true);
    scale_ = TwipsScale(views_.fittingFactor());
    views_.place(scale_);
    setFixedSize(scale_.size(DialogRAW::kClientWidth, DialogRAW::kClientHeight));
    views_.mirror(scale_);

    auto* ok = static_cast<QPushButton*>(widget(dialog_.OKButton));
    ok->setDefault(true);
    ok->setFocus();
    // The buttons and boxes keep the person's choices until OK; nothing reaches the model before.
    QObject::connect(ok, &QPushButton::clicked, this, &RawDialogView::confirm);
}

void RawDialogView::confirm() {
    auto text = [this](TextBox& box) {
        box.Text() = static_cast<QLineEdit*>(widget(box))->text().toStdString();
    };
    text(dialog_.txtRAWWidth);
    text(dialog_.txtRAWHeight);
    if (static_cast<QRadioButton*>(widget(dialog_.opt24b))->isChecked())
        dialog_.opt24b.select();
    else
        dialog_.opt8b.select();
    dialog_.OKButton.click();
    accept();
}

}  // namespace tessera::gui
