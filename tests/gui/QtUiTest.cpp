#include <gtest/gtest.h>

#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <functional>

#include "GuiSupport.h"
#include "app/Form1.h"
#include "gui/MainWindow.h"
#include "gui/QtUi.h"
#include "gui/RawDialogView.h"
#include "support/Builders.h"

namespace tessera {
namespace {

// Acts on the modal dialog once it is up, as the person in front of it would. Anything else that
// is modal is closed, so a wrong dialog fails the test instead of hanging it.
template <typename Dialog>
void whenShown(std::function<void(Dialog*)> act) {
    QTimer::singleShot(0, [act] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* dialog = qobject_cast<Dialog*>(modal)) {
            act(dialog);
            return;
        }
        ADD_FAILURE() << "expected dialog not shown";
        if (modal)
            modal->close();
    });
}

struct QtUiTest : ::testing::Test {
    QApplication& app = test::guiApp();
    gui::QtUi ui;
    Form1 form{ui};
    gui::MainWindow window{form};
    QtUiTest() { ui.attach(&window); }
};

TEST_F(QtUiTest, MessageBoxesHaveTheirIconsAndButtons) {
    struct Case {
        MsgStyle style;
        QMessageBox::Icon icon;
        QMessageBox::StandardButtons buttons;
        QMessageBox::StandardButton press;
        MsgAnswer answer;
    } cases[] = {
        {MsgStyle::OkOnly, QMessageBox::NoIcon, QMessageBox::Ok, QMessageBox::Ok, MsgAnswer::Ok},
        {MsgStyle::YesNoQuestion, QMessageBox::Question, QMessageBox::Yes | QMessageBox::No,
         QMessageBox::No, MsgAnswer::No},
        {MsgStyle::YesNoExclamation, QMessageBox::Warning, QMessageBox::Yes | QMessageBox::No,
         QMessageBox::Yes, MsgAnswer::Yes},
        {MsgStyle::OkExclamation, QMessageBox::Warning, QMessageBox::Ok, QMessageBox::Ok,
         MsgAnswer::Ok},
    };
    for (const Case& c : cases) {
        whenShown<QMessageBox>([&c](QMessageBox* box) {
            EXPECT_EQ(box->windowTitle(), "Tessera");
            EXPECT_EQ(box->text(), "Line one\nline two");
            EXPECT_EQ(box->icon(), c.icon);
            EXPECT_EQ(box->standardButtons(), c.buttons);
            box->button(c.press)->click();
        });
        EXPECT_EQ(ui.msgBox("Line one\nline two", c.style), c.answer) << static_cast<int>(c.style);
    }
}

TEST_F(QtUiTest, OpenAndSaveDialogsFillNameAndTitle) {
    test::TempDir dir;
    const auto picture = dir.path("tiles.bmp");
    test::writeFile(picture, test::buildBmp(test::Picture::pattern(4, 4, 8)));

    form.dlgBMPFile.Flags = 4096;
    whenShown<QFileDialog>([&](QFileDialog* d) {
        EXPECT_EQ(d->windowTitle(), "Load BMP File");
        EXPECT_EQ(d->fileMode(), QFileDialog::ExistingFile);
        EXPECT_EQ(d->nameFilters(), QStringList({"Image Files (*.bmp *.raw)", "All Files (*)"}));
        d->selectFile(QString::fromStdString(picture));
        static_cast<QDialog*>(d)->accept();  // the Open or Save button
    });
    ASSERT_TRUE(ui.showOpen(form.dlgBMPFile));
    EXPECT_EQ(form.dlgBMPFile.FileName, picture);
    EXPECT_EQ(form.dlgBMPFile.FileTitle, "tiles.bmp");

    // The real load: behind its open dialog the window already shows the cleared label and the
    // disabled convert buttons.
    auto* load = qobject_cast<QPushButton*>(window.widget(form.cmdBMPLoad));
    whenShown<QFileDialog>([&](QFileDialog* d) {
        d->selectFile(QString::fromStdString(picture));
        static_cast<QDialog*>(d)->accept();
    });
    load->click();
    EXPECT_TRUE(window.widget(form.cmdBMPConvert)->isEnabled());
    whenShown<QFileDialog>([&](QFileDialog* d) {
        EXPECT_FALSE(window.widget(form.cmdBMPConvert)->isEnabled());
        d->reject();
    });
    load->click();
    EXPECT_FALSE(window.widget(form.cmdBMPConvert)->isEnabled());

    // The save dialog proposes the bare name, adds no suffix and leaves the overwrite question
    // to the convert command; it opens where the last file was picked.
    form.dlgBMPConv.FileName = "tiles";
    whenShown<QFileDialog>([&](QFileDialog* d) {
        EXPECT_EQ(d->windowTitle(), "Save Converted  File");
        EXPECT_EQ(d->acceptMode(), QFileDialog::AcceptSave);
        EXPECT_TRUE(d->testOption(QFileDialog::DontConfirmOverwrite));
        EXPECT_EQ(d->defaultSuffix(), "");
        EXPECT_EQ(d->directory().absolutePath().toStdString(), dir.dir().string());
        d->selectFile(QString::fromStdString(dir.path("tiles.gpg")));
        static_cast<QDialog*>(d)->accept();  // the Open or Save button
    });
    ASSERT_TRUE(ui.showSave(form.dlgBMPConv));
    EXPECT_EQ(form.dlgBMPConv.FileName, dir.path("tiles.gpg"));
    EXPECT_EQ(form.dlgBMPConv.FileTitle, "tiles.gpg");

    whenShown<QFileDialog>([](QFileDialog* d) { d->reject(); });
    EXPECT_FALSE(ui.showOpen(form.dlgWAVFile));
}

TEST_F(QtUiTest, RawDialogIsModalOverTheWindowAndFreshEachTime) {
    for (const char* width : {"128", "640"}) {
        DialogRAW dialog(form.lblIMGWidth, form.lblIMGHeight, form.lblIMGbpp);
        whenShown<gui::RawDialogView>([&](gui::RawDialogView* view) {
            EXPECT_EQ(view->parentWidget(), &window);
            auto* edit = qobject_cast<QLineEdit*>(view->widget(dialog.txtRAWWidth));
            EXPECT_EQ(edit->text(), "320");
            edit->setText(width);
            qobject_cast<QPushButton*>(view->widget(dialog.OKButton))->click();
        });
        ui.showRawDialog(dialog);
        EXPECT_EQ(form.lblIMGWidth.Caption, width);
    }
}

}  // namespace
}  // namespace tessera
