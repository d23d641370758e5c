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
    using B = QMessageBox;
    using Row = std::tuple<MsgStyle, B::Icon, B::StandardButtons, B::StandardButton, MsgAnswer>;
    for (const auto& [style, icon, buttons, press, answer] :
         {Row{MsgStyle::OkOnly, B::NoIcon, B::Ok, B::Ok, MsgAnswer::Ok},
          Row{MsgStyle::YesNoQuestion, B::Question, B::Yes | B::No, B::No, MsgAnswer::No},
          Row{MsgStyle::YesNoExclamation, B::Warning, B::Yes | B::No, B::Yes, MsgAnswer::Yes},
          Row{MsgStyle::OkExclamation, B::Warning, B::Ok, B::Ok, MsgAnswer::Ok}}) {
        SCOPED_TRACE(static_cast<int>(style));
        // Answers the box once it is up; anything else modal is closed so the test cannot hang.
        QTimer::singleShot(0, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            auto* box = qobject_cast<QMessageBox*>(modal);
            if (!box) {
                ADD_FAILURE() << "no message box";
                return modal ? void(modal->close()) : void();
            }
            EXPECT_EQ(box->windowTitle(), "Tessera");
            EXPECT_EQ(box->text(), "Line one\nline two");
            EXPECT_EQ(box->icon(), icon);
            EXPECT_EQ(box->standardButtons(), buttons);
            box->button(press)->click();
        });
        EXPECT_EQ(ui.msgBox("Line one\nline two", style), answer);
    }
}

TEST(FileFilter, DialogFiltersBecomeQtFilters) {
    const char* cases[][2] = {{"Image Files (*.bmp,*.raw)|*.bmp;*.raw|All Files (*.*)|*.*",
                               "Image Files (*.bmp *.raw);;All Files (*)"},
                              {"Sounds|*.wav", "Sounds (*.wav)"},
                              {"", ""}};
    for (const auto& c : cases)
        EXPECT_EQ(gui::qtFileFilter(c[0]).toStdString(), c[1]) << c[0];
}

}  // namespace
}  // namespace tessera
