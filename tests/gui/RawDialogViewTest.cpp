#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>

#include "GuiSupport.h"
#include "app/DialogRAW.h"
#include "app/Form1.h"
#include "gui/RawDialogView.h"
#include "support/ScriptedUi.h"

namespace tessera {
namespace {

struct RawDialogViewTest : ::testing::Test {
    QApplication& app = test::guiApp();
    test::ScriptedUi ui;
    Form1 form{ui};
    DialogRAW dialog{form.lblIMGWidth, form.lblIMGHeight, form.lblIMGbpp};
    gui::RawDialogView view{dialog, nullptr};

    void type(const Control& c, const char* text) {
        qobject_cast<QLineEdit*>(view.widget(c))->setText(text);
    }
    std::string handedOver() {
        return form.lblIMGWidth.Caption + "x" + form.lblIMGHeight.Caption + "x" +
               form.lblIMGbpp.Caption;
    }
};

TEST_F(RawDialogViewTest, LayoutAndTabOrder) {
    EXPECT_EQ(test::layoutProblems(view.views(), view.scale()), "");
    EXPECT_EQ(test::tabChain(view.views(), view.widget(dialog.OKButton)),
              "OKButton txtRAWWidth txtRAWHeight opt8b opt24b ");
}

TEST_F(RawDialogViewTest, OkHandsOverWhatWasTyped) {
    type(dialog.txtRAWWidth, "321.5");
    type(dialog.txtRAWHeight, "abc");
    QTest::mouseClick(view.widget(dialog.opt24b), Qt::LeftButton);
    EXPECT_EQ(handedOver(), "0x0x0");  // nothing reaches the model before OK
    QTest::mouseClick(view.widget(dialog.OKButton), Qt::LeftButton);
    EXPECT_EQ(handedOver(), "321.5xabcx24");
    EXPECT_TRUE(dialog.unloaded());
}

TEST_F(RawDialogViewTest, ClosingHandsNothingOver) {
    type(dialog.txtRAWWidth, "64");
    view.show();
    view.close();
    EXPECT_EQ(handedOver(), "0x0x0");
    EXPECT_FALSE(dialog.unloaded());
    EXPECT_EQ(view.result(), QDialog::Rejected);
}

}  // namespace
}  // namespace tessera
