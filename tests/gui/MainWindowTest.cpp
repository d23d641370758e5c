#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "GuiSupport.h"
#include "app/Form1.h"
#include "gui/MainWindow.h"
#include "support/Builders.h"
#include "support/ScriptedUi.h"

namespace tessera {
namespace {

using gui::MainWindow;
using test::Picture;
using test::ScriptedUi;

struct MainWindowView : ::testing::Test {
    QApplication& app = test::guiApp();
    test::TempDir dir;
    ScriptedUi ui;
    Form1 form{ui};
    MainWindow window{form};

    template <typename W>
    W* w(const Control& c) {
        return qobject_cast<W*>(window.widget(c));
    }
    std::string bmp8(const std::string& name) {
        const auto path = dir.path(name);
        test::writeFile(path, test::buildBmp(Picture::pattern(16, 8, 8)));
        return path;
    }
    // What the widgets show as enabled, in the form's tab order (labels aside).
    std::string enabledWidgets() {
        std::string out;
        for (Control* c : form.controls()) {
            if (c->kind != ControlKind::Label && window.widget(*c)->isEnabled())
                out += c->name + " ";
        }
        return out;
    }
    std::string enabledModel() {
        std::string out;
        for (Control* c : form.controls()) {
            if (c->kind != ControlKind::Label && c->Enabled)
                out += c->name + " ";
        }
        return out;
    }
};

TEST_F(MainWindowView, WindowFrameAndOneScaleFactor) {
    EXPECT_EQ(window.windowTitle(), "Tessera v1.3");
    EXPECT_FALSE(window.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    const double f = window.scale().factor();
    EXPECT_NEAR(window.width(), Form1::kClientWidth * f, 0.5);
    EXPECT_NEAR(window.height(), Form1::kClientHeight * f, 0.5);
    EXPECT_EQ(test::misplacedControls(window.views(), window.scale()), "");
    // Every control comes from the model, each frame's children inside their group box.
    EXPECT_EQ(window.views().all().size(), form.controls().size());
    EXPECT_EQ(window.widget(form.chkOnlyPal)->parentWidget(), window.widget(form.Frame1));
    EXPECT_EQ(window.widget(form.optFill0)->parentWidget(), window.widget(form.Frame2));
}

TEST_F(MainWindowView, EveryCaptionFits) {
    EXPECT_EQ(test::clippedCaptions(window.views()), "");
    // The design factor of 15 twips a pixel cannot hold "Generate ONLY Palette" in common
    // fonts; the window must have grown rather than cut the caption.
    const int needed = w<QCheckBox>(form.chkOnlyPal)->sizeHint().width();
    EXPECT_GE(window.widget(form.chkOnlyPal)->width(), needed);
}

TEST_F(MainWindowView, LooksOfTheSpecialLabelsAndQuit) {
    auto* info = w<QLabel>(form.lblBMPName);
    // Fixed pitch, judged by the glyphs: some monospace fonts do not flag themselves as such.
    const QFontMetrics fm(info->font());
    EXPECT_EQ(fm.horizontalAdvance(" Width  : "), fm.horizontalAdvance("Image Name"));
    EXPECT_EQ(fm.horizontalAdvance("iiii"), fm.horizontalAdvance("WWWW"));
    EXPECT_TRUE(info->autoFillBackground());
    auto* bar = w<QLabel>(form.lblPercent);
    EXPECT_TRUE(bar->autoFillBackground());
    EXPECT_EQ(bar->palette().color(QPalette::Window), window.palette().color(QPalette::Highlight));
    for (const Label* hidden : {&form.lblIMGWidth, &form.lblIMGHeight, &form.lblIMGbpp})
        EXPECT_TRUE(window.widget(*hidden)->isHidden()) << hidden->name;
    EXPECT_EQ(w<QPushButton>(form.cmdQuitter)->text(), "&Quit");
    EXPECT_TRUE(w<QCheckBox>(form.chkPal)->isChecked());
    EXPECT_TRUE(w<QRadioButton>(form.optFill1)->isChecked());
}

TEST_F(MainWindowView, TabOrderFollowsTabIndexAndQuitHasFocus) {
    QWidget* quit = window.widget(form.cmdQuitter);
    EXPECT_EQ(test::tabChain(window.views(), quit),
              "cmdQuitter cmdBMPLoad cmdBMPConvert cmdWAVLoad cmdWAVConvert txtVar optFill0 "
              "optFill1 chkPal cmdBMPConvertAdd cmdWAVConvertAdd chkOnlyPal ");
    window.show();
    window.activateWindow();
    QApplication::processEvents();
    EXPECT_EQ(window.focusWidget(), quit);
}

TEST_F(MainWindowView, RealLoadButtonMirrorsTheModelsStates) {
    window.show();
    EXPECT_EQ(enabledWidgets(), "cmdQuitter cmdBMPLoad cmdWAVLoad txtVar ");
    ui.openWith(bmp8("tiles.bmp"));
    test::mouseClick(window.widget(form.cmdBMPLoad));
    ASSERT_EQ(ui.dialogsShown.size(), 1u);
    EXPECT_EQ(form.state.intBpp, 8);
    EXPECT_EQ(enabledWidgets(), enabledModel());
    EXPECT_TRUE(window.widget(form.chkOnlyPal)->isEnabled());
    EXPECT_EQ(w<QLineEdit>(form.txtVar)->text(), "tiles");
    EXPECT_TRUE(w<QLabel>(form.lblBMPName)->text().startsWith("Image Name : \ntiles.bmp\n\n"));
    EXPECT_EQ(test::clippedCaptions(window.views()), "");

    // Cancel: the model disables every convert control and the widgets follow.
    test::mouseClick(window.widget(form.cmdBMPLoad));
    EXPECT_EQ(enabledWidgets(), "cmdQuitter cmdBMPLoad cmdWAVLoad ");
    EXPECT_EQ(w<QLabel>(form.lblBMPName)->text(), "");
}

TEST_F(MainWindowView, CheckBoxesAndTextGoThroughTheModel) {
    ui.openWith(bmp8("pal.bmp"));
    w<QPushButton>(form.cmdBMPLoad)->click();
    // Clear "Generate Palette", then check "Generate ONLY Palette": the model checks and locks
    // "Generate Palette" again and the fill options come back.
    w<QCheckBox>(form.chkPal)->click();
    EXPECT_EQ(form.chkPal.Value(), 0);
    EXPECT_FALSE(window.widget(form.Frame2)->isEnabled());
    w<QCheckBox>(form.chkOnlyPal)->click();
    EXPECT_TRUE(w<QCheckBox>(form.chkPal)->isChecked());
    EXPECT_FALSE(window.widget(form.chkPal)->isEnabled());
    EXPECT_TRUE(window.widget(form.optFill0)->isEnabled());

    w<QRadioButton>(form.optFill0)->click();
    EXPECT_TRUE(form.optFill0.Value);
    EXPECT_FALSE(form.optFill1.Value);

    auto* name = w<QLineEdit>(form.txtVar);
    name->setFocus();
    name->selectAll();
    name->insert("hero");  // as typed: textEdited reaches the model
    EXPECT_EQ(form.txtVar.Text(), "hero");
}

TEST_F(MainWindowView, ProgressWidthAndQuit) {
    window.show();
    window.showProgress(Form1::kFullProgress);
    EXPECT_EQ(window.widget(form.lblPercent)->width(), window.scale().px(Form1::kFullProgress));
    form.lblPercent.Width = 0;
    window.mirror();
    EXPECT_EQ(window.widget(form.lblPercent)->width(), 0);

    test::mouseClick(window.widget(form.cmdQuitter));
    EXPECT_TRUE(form.unloaded());
    EXPECT_FALSE(window.isVisible());
}

}  // namespace
}  // namespace tessera
