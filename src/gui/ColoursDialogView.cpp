// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/ColoursDialogView.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "gui/QtUi.h"

namespace tessera::gui {

ColoursDialogView::ColoursDialogView(DialogColours& values, QWidget* owner)
    : QDialog(owner,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      values_(values),
      own_(new QRadioButton(tr("&Keep the picture's own colours"), this)),
      reduce_(new QRadioButton(tr("&Reduce to"), this)),
      mapOnto_(new QRadioButton(tr("&Map onto the palette of"), this)),
      colours_(new QSpinBox(this)),
      file_(new QLineEdit(this)),
      browse_(new QPushButton(tr("&Browse..."), this)),
      transparent_(new QCheckBox(tr("&Transparent colour"), this)),
      colour_(new QPushButton(this)),
      byAlpha_(new QCheckBox(tr("and where &alpha is below half"), this)),
      dither_(new QCheckBox(tr("&Dither colours the palette lacks"), this)),
      rgb_(values.transparentRgb) {
    setWindowTitle(QString::fromUtf8(DialogColours::kCaption));
    setModal(true);
    colours_->setRange(2, 256);
    colours_->setSuffix(tr(" colours"));
    colours_->setValue(values.colours);
    file_->setText(QString::fromStdString(values.paletteFile));
    file_->setPlaceholderText(tr("8-bit BMP or PNG, .gpl, .pal, .h or .c"));
    using Palette = DialogColours::Palette;
    (values.palette == Palette::Reduce    ? reduce_
     : values.palette == Palette::MapOnto ? mapOnto_
                                          : own_)
        ->setChecked(true);
    transparent_->setChecked(values.transparent);
    byAlpha_->setChecked(values.byAlpha);
    dither_->setChecked(values.dither);
    showColour();

    auto* grid = new QGridLayout;
    grid->addWidget(own_, 0, 0, 1, 3);
    grid->addWidget(reduce_, 1, 0);
    grid->addWidget(colours_, 1, 1);
    grid->addWidget(mapOnto_, 2, 0);
    grid->addWidget(file_, 2, 1);
    grid->addWidget(browse_, 2, 2);
    grid->addWidget(transparent_, 3, 0);
    grid->addWidget(colour_, 3, 1);
    grid->addWidget(byAlpha_, 4, 0, 1, 3);
    grid->addWidget(dither_, 5, 0, 1, 3);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);

    for (QRadioButton* b : {own_, reduce_, mapOnto_})
        QObject::connect(b, &QRadioButton::toggled, this, &ColoursDialogView::enableParts);
    QObject::connect(transparent_, &QCheckBox::toggled, this, &ColoursDialogView::enableParts);
    QObject::connect(colour_, &QPushButton::clicked, this, &ColoursDialogView::pickColour);
    QObject::connect(browse_, &QPushButton::clicked, this, &ColoursDialogView::browse);
    QObject::connect(buttons, &QDialogButtonBox::accepted, this, &ColoursDialogView::confirm);
    QObject::connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    enableParts();
}

void ColoursDialogView::enableParts() {
    colours_->setEnabled(reduce_->isChecked());
    file_->setEnabled(mapOnto_->isChecked());
    browse_->setEnabled(mapOnto_->isChecked());
    dither_->setEnabled(!own_->isChecked());
    colour_->setEnabled(transparent_->isChecked());
    byAlpha_->setEnabled(transparent_->isChecked());
}

// The colour button shows the colour and its RRGGBB, as --transparent takes it.
void ColoursDialogView::showColour() {
    const QColor c = QColor::fromRgb(rgb_);
    colour_->setText(c.name(QColor::HexRgb).mid(1).toUpper());
    colour_->setStyleSheet(QStringLiteral("background-color: %1; color: %2")
                               .arg(c.name(), c.lightness() < 128 ? "white" : "black"));
}

void ColoursDialogView::pickColour() {
    const QColor picked = QColorDialog::getColor(QColor::fromRgb(rgb_), this);
    if (picked.isValid()) {
        rgb_ = picked.rgb();
        showColour();
    }
}

void ColoursDialogView::browse() {
    const QString path = QFileDialog::getOpenFileName(
        this, tr("Palette"), file_->text().isEmpty() ? QtUi::startFolder() : file_->text(),
        tr("Palettes (*.bmp *.png *.gpl *.pal *.h *.c);;All Files (*)"));
    if (!path.isEmpty())
        file_->setText(path);
}

void ColoursDialogView::confirm() {
    using Palette = DialogColours::Palette;
    values_.palette = reduce_->isChecked()    ? Palette::Reduce
                      : mapOnto_->isChecked() ? Palette::MapOnto
                                              : Palette::Own;
    values_.colours = colours_->value();
    values_.paletteFile = file_->text().toStdString();
    values_.transparent = transparent_->isChecked();
    values_.transparentRgb = rgb_ & 0xFFFFFF;
    values_.byAlpha = byAlpha_->isChecked();
    values_.dither = dither_->isChecked();
    accept();
}

}  // namespace tessera::gui
