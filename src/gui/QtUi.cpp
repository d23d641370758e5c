#include "gui/QtUi.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QSettings>

#include "gui/ColoursDialogView.h"
#include "gui/FileFilter.h"
#include "gui/MainWindow.h"
#include "gui/RawDialogView.h"

namespace tessera::gui {

namespace {

constexpr const char* kLastFolderKey = "lastFolder";

void answer(CommonDialog& dialog, const QFileInfo& chosen) {
    dialog.FileName = QDir::toNativeSeparators(chosen.absoluteFilePath()).toStdString();
    dialog.FileTitle = chosen.fileName().toStdString();
}

}  // namespace

QString QtUi::startFolder() {
    return QSettings().value(QLatin1String(kLastFolderKey)).toString();
}

void QtUi::rememberFolder(const QString& folder) {
    QSettings().setValue(QLatin1String(kLastFolderKey), folder);
}

void QtUi::showCurrentState() {
    // A command may have changed the window before it asks something (a load clears the label
    // and disables the convert buttons first): show that behind the dialog.
    if (window_)
        window_->mirror();
}

bool QtUi::showFileDialog(CommonDialog& dialog, bool save) {
    showCurrentState();
    QFileDialog box(window_, QString::fromStdString(dialog.DialogTitle));
    box.setNameFilter(qtFileFilter(dialog.Filter));
    const QString folder = startFolder();
    if (!folder.isEmpty() && QFileInfo(folder).isDir())
        box.setDirectory(folder);
    if (save) {
        box.setAcceptMode(QFileDialog::AcceptSave);
        box.setFileMode(QFileDialog::AnyFile);
        // The convert commands ask their own overwrite and append questions, and the kind of
        // output is read from the name exactly as typed: no second question, no added suffix.
        box.setOption(QFileDialog::DontConfirmOverwrite);
        box.setDefaultSuffix(QString());
    } else {
        box.setAcceptMode(QFileDialog::AcceptOpen);
        box.setFileMode((dialog.Flags & CommonDialog::kFileMustExist) ? QFileDialog::ExistingFile
                                                                      : QFileDialog::AnyFile);
    }
    if (!dialog.FileName.empty())
        box.selectFile(QString::fromStdString(dialog.FileName));
    if (box.exec() != QDialog::Accepted || box.selectedFiles().isEmpty())
        return false;

    const QFileInfo chosen(box.selectedFiles().constFirst());
    rememberFolder(chosen.absolutePath());
    answer(dialog, chosen);
    return true;
}

bool QtUi::showOpen(CommonDialog& dialog) {
    if (nextOpen_) {
        answer(dialog, QFileInfo(*nextOpen_));
        nextOpen_.reset();
        return true;
    }
    return showFileDialog(dialog, false);
}

bool QtUi::showSave(CommonDialog& dialog) {
    return showFileDialog(dialog, true);
}

MsgAnswer QtUi::msgBox(const std::string& text, MsgStyle style) {
    showCurrentState();
    QMessageBox box(window_);
    box.setWindowTitle(QString::fromUtf8(kAppTitle));
    box.setText(QString::fromStdString(text));
    switch (style) {
        case MsgStyle::OkOnly:
            box.setIcon(QMessageBox::NoIcon);
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case MsgStyle::YesNoQuestion:
            box.setIcon(QMessageBox::Question);
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            break;
        case MsgStyle::YesNoExclamation:
            box.setIcon(QMessageBox::Warning);
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            break;
        case MsgStyle::OkExclamation:
            box.setIcon(QMessageBox::Warning);
            box.setStandardButtons(QMessageBox::Ok);
            break;
    }
    const int pressed = box.exec();
    if (style == MsgStyle::YesNoQuestion || style == MsgStyle::YesNoExclamation)
        return pressed == QMessageBox::Yes ? MsgAnswer::Yes : MsgAnswer::No;
    return MsgAnswer::Ok;
}

void QtUi::showRawDialog(DialogRAW& dialog) {
    showCurrentState();
    RawDialogView view(dialog, window_);
    view.exec();
}

bool QtUi::showColoursDialog(DialogColours& dialog) {
    showCurrentState();
    ColoursDialogView view(dialog, window_);
    return view.exec() == QDialog::Accepted;
}

void QtUi::progressChanged(double width) {
    if (window_)
        window_->showProgress(width);
}

}  // namespace tessera::gui
