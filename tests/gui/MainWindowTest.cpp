#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QTest>

#include "GuiSupport.h"
#include "app/Form1.h"
#include "gui/MainWindow.h"
#include "support/Builders.h"
#include "support/ScriptedUi.h"

namespace tessera {
namespace {

struct MainWindowView : ::testing::Test {
    QApplication& app = test::guiApp();
    test::TempDir dir;
    test::ScriptedUi ui;
    Form1 form{ui};
    gui::MainWindow window{form};

    std::string enabled(bool model = false) { return test::enabledControls(window.views(), model); }
    void click(const Control& c) { QTest::mouseClick(window.widget(c), Qt::LeftButton); }
};

TEST_F(MainWindowView, CaptionsFitAndTwipsScaleByOneFactor) {
    EXPECT_EQ(test::layoutProblems(window.views(), window.scale()), "");
    const double f = window.scale().factor();
    EXPECT_NEAR(window.width(), Form1::kClientWidth * f, 0.5);
    EXPECT_NEAR(window.height(), Form1::kClientHeight * f, 0.5);
    window.show();
    EXPECT_EQ(window.grab().deviceIndependentSize().toSize(), window.size());  // it renders
}

TEST_F(MainWindowView, TabOrderStartsAtQuitWhichHasFocus) {
    QWidget* quit = window.widget(form.cmdQuitter);
    EXPECT_EQ(test::tabChain(window.views(), quit),
              "cmdQuitter cmdBMPLoad cmdBMPConvert cmdWAVLoad cmdWAVConvert txtVar optFill0 "
              "optFill1 chkPal cmdBMPConvertAdd cmdWAVConvertAdd chkOnlyPal ");
    window.show();
    window.activateWindow();
    QApplication::processEvents();
    EXPECT_EQ(window.focusWidget(), quit);
    click(form.cmdQuitter);
    EXPECT_TRUE(form.unloaded());
    EXPECT_FALSE(window.isVisible());
}

TEST_F(MainWindowView, PictureLoadBringsTheModelsStatesToTheWidgets) {
    window.show();
    EXPECT_EQ(enabled(), "cmdQuitter cmdBMPLoad cmdWAVLoad txtVar ");
    const auto path = dir.path("tiles.bmp");
    test::writeFile(path, test::buildBmp(test::Picture::pattern(16, 8, 8)));
    ui.openWith(path);
    click(form.cmdBMPLoad);
    EXPECT_EQ(enabled(), enabled(true));
    EXPECT_EQ(qobject_cast<QLineEdit*>(window.widget(form.txtVar))->text(), "tiles");
    EXPECT_TRUE(qobject_cast<QLabel*>(window.widget(form.lblBMPName))
                    ->text()
                    .startsWith("Image Name : \ntiles.bmp\n\n"));
    EXPECT_EQ(test::layoutProblems(window.views(), window.scale()), "");  // the info fits

    // A box ticked in the window goes through the model, whose locks come back to the widgets.
    click(form.chkOnlyPal);
    EXPECT_EQ(enabled(), enabled(true));
    EXPECT_FALSE(window.widget(form.chkPal)->isEnabled());

    click(form.cmdBMPLoad);  // cancelled: every convert control greys out
    EXPECT_EQ(enabled(), "cmdQuitter cmdBMPLoad cmdWAVLoad ");
}

}  // namespace
}  // namespace tessera
