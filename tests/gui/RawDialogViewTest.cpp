#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "GuiSupport.h"
#include "app/DialogRAW.h"
#include "app/Form1.h"
#include "gui/FileFilter.h"
#include "gui/RawDialogView.h"
#include "support/ScriptedUi.h"

namespace tessera {
namespace {

using gui::RawDialogView;

struct RawDialogViewTest : ::testing::Test {
    QApplication& app = test::guiApp();
    test::ScriptedUi ui;
    Form1 form{ui};
    DialogRAW dialog{form.lblIMGWidth, form.lblIMGHeight, form.lblIMGbpp};
    RawDialogView view{dialog, nullptr};

    QLineEdit* edit(const Control& c) { return qobject_cast<QLineEdit*>(view.widget(c)); }
    QRadioButton* option(const Control& c) { return qobject_cast<QRadioButton*>(view.widget(c)); }
    std::string handedOver() {
        return form.lblIMGWidth.Caption + "x" + form.lblIMGHeight.Caption + "x" +
               form.lblIMGbpp.Caption;
    }
};

TEST_F(RawDialogViewTest, ToolWindowWithDefaultsAndOkFirst) {
    EXPECT_EQ(view.windowTitle(), "RAW File configuration");
    EXPECT_EQ(view.windowType(), Qt::Tool);
    EXPECT_FALSE(view.windowFlags() &
                 (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(view.isModal());
    EXPECT_EQ(edit(dialog.txtRAWWidth)->text(), "320");
    EXPECT_EQ(edit(dialog.txtRAWHeight)->text(), "240");
    EXPECT_TRUE(option(dialog.opt8b)->isChecked());
    auto* ok = qobject_cast<QPushButton*>(view.widget(dialog.OKButton));
    EXPECT_TRUE(ok->isDefault());
    EXPECT_EQ(test::tabChain(view.views(), ok), "OKButton txtRAWWidth txtRAWHeight opt8b opt24b ");
    EXPECT_EQ(test::clippedCaptions(view.views()), "");
    EXPECT_EQ(test::misplacedControls(view.views(), view.scale()), "");
    EXPECT_NEAR(view.width(), DialogRAW::kClientWidth * view.scale().factor(), 0.5);
    EXPECT_NEAR(view.height(), DialogRAW::kClientHeight * view.scale().factor(), 0.5);
}

TEST_F(RawDialogViewTest, OkHandsOverWhatWasTyped) {
    edit(dialog.txtRAWWidth)->setText("321.5");
    edit(dialog.txtRAWHeight)->setText("abc");
    test::mouseClick(option(dialog.opt24b));
    EXPECT_FALSE(option(dialog.opt8b)->isChecked());  // the two depths exclude each other
    EXPECT_EQ(handedOver(), "0x0x0");                 // nothing reaches the model before OK
    test::mouseClick(view.widget(dialog.OKButton));
    EXPECT_EQ(handedOver(), "321.5xabcx24");
    EXPECT_TRUE(dialog.unloaded());
    EXPECT_EQ(view.result(), QDialog::Accepted);
}

TEST_F(RawDialogViewTest, ClosingHandsNothingOver) {
    edit(dialog.txtRAWWidth)->setText("64");
    view.show();
    view.close();
    EXPECT_EQ(handedOver(), "0x0x0");
    EXPECT_FALSE(dialog.unloaded());
    EXPECT_EQ(view.result(), QDialog::Rejected);
}

TEST(FileFilter, DialogFiltersBecomeQtFilters) {
    struct Case {
        const char* in;
        const char* out;
    } cases[] = {
        {"Image Files (*.bmp,*.raw)|*.bmp;*.raw|All Files (*.*)|*.*",
         "Image Files (*.bmp *.raw);;All Files (*)"},
        {"Headers (*.h)|*.h|C Files (*.c)|*.c", "Headers (*.h);;C Files (*.c)"},
        {"Sounds|*.wav", "Sounds (*.wav)"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(gui::qtFileFilter(c.in).toStdString(), c.out) << c.in;
}

}  // namespace
}  // namespace tessera
