#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QMessageBox>
#include <QTimer>

#include "GuiSupport.h"
#include "gui/FileFilter.h"
#include "gui/QtUi.h"

namespace tessera {
namespace {

TEST(QtUi, MessageBoxStylesGiveTheirIconButtonsAndAnswer) {
    test::guiApp();
    gui::QtUi ui;
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
        SCOPED_TRACE(static_cast<int>(c.style));
        // Answers the box once it is up; anything else modal is closed so the test cannot hang.
        QTimer::singleShot(0, [&c] {
            QWidget* modal = QApplication::activeModalWidget();
            auto* box = qobject_cast<QMessageBox*>(modal);
            if (!box) {
                ADD_FAILURE() << "no message box";
                return modal ? void(modal->close()) : void();
            }
            EXPECT_EQ(box->windowTitle(), "Tessera");
            EXPECT_EQ(box->text(), "Line one\nline two");
            EXPECT_EQ(box->icon(), c.icon);
            EXPECT_EQ(box->standardButtons(), c.buttons);
            box->button(c.press)->click();
        });
        EXPECT_EQ(ui.msgBox("Line one\nline two", c.style), c.answer);
    }
}

TEST(FileFilter, DialogFiltersBecomeQtFilters) {
    const char* cases[][2] = {
        {"Image Files (*.bmp,*.raw)|*.bmp;*.raw|All Files (*.*)|*.*",
         "Image Files (*.bmp *.raw);;All Files (*)"},
        {"Sounds|*.wav", "Sounds (*.wav)"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(gui::qtFileFilter(c[0]).toStdString(), c[1]) << c[0];
}

}  // namespace
}  // namespace tessera
