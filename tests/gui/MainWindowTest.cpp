#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "GuiSupport.h"
#include "gui/MainWindow.h"
#include "gui/RawDialogView.h"
#include "support/Window.h"

namespace tessera {
namespace {

using Strings = std::vector<std::string>;

struct MainWindowView : ::testing::Test {
    QApplication& app = test::guiApp();
    test::TempDir dir;
    test::ScriptedUi ui;
    Form1 form{ui};
    gui::MainWindow window{form};

    std::string enabled(bool model = false) { return test::enabledControls(window.views(), model); }
    void click(const Control& c) { QTest::mouseClick(window.widget(c), Qt::LeftButton); }
    void load(const std::string& name, const test::Bytes& bytes) {
        test::writeFile(dir.path(name), bytes);
        ui.openWith(dir.path(name));
        click(name.ends_with(".wav") ? form.cmdWAVLoad : form.cmdBMPLoad);
    }
};

TEST_F(MainWindowView, CaptionsFitAndTwipsScaleByOneFactor) {
    EXPECT_EQ(test::layoutProblems(window.views(), window.scale()), "");
    const double f = window.scale().factor();
    EXPECT_NEAR(window.width(), Form1::kClientWidth * f, 0.5);
    EXPECT_NEAR(window.height(), Form1::kClientHeight * f, 0.5);
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
    load("tiles.bmp", test::buildBmp(test::Picture::pattern(16, 8, 8)));
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

// The convert buttons clicked with the mouse, dialogs answered by script: a picture to a new
// header, then a sound load that turns the window to sound and converts to a header.
TEST_F(MainWindowView, ClickedConvertsPictureThenSound) {
    window.show();
    const std::string done = "Convertion done successfully :)";
    load("tiles.bmp", test::buildBmp(test::Picture::pattern(7, 6, 8)));
    ui.saveAs(dir.path("tiles.h"));
    click(form.cmdBMPConvert);
    EXPECT_EQ(ui.dialogsShown.back()->DialogTitle, "Save Converted  File");
    // 7 columns of 6 indices, each padded to 8.
    EXPECT_NE(test::readText(dir.path("tiles.h")).find("const unsigned char tiles[56] = {"),
              std::string::npos);

    load("tune.wav", test::buildWav(test::Bytes(40, 0x80)));
    ui.saveAs(dir.path("tune.h"));
    click(form.cmdWAVConvert);
    EXPECT_EQ(ui.dialogsShown.back()->DialogTitle, "Save Converted File");
    EXPECT_EQ(ui.texts(), (Strings{done, done}));  // no question: new files
    EXPECT_NE(test::readText(dir.path("tune.h")).find("const unsigned char tune[40] = {"),
              std::string::npos);
}

// The RAW dialog: its layout and tab order, and only OK hands what was typed to the window.
TEST_F(MainWindowView, RawDialogHandsOverOnlyOnOk) {
    auto handedOver = [&] {
        return form.lblIMGWidth.Caption + form.lblIMGHeight.Caption + form.lblIMGbpp.Caption;
    };
    for (const bool ok : {false, true}) {
        DialogRAW dialog{form.lblIMGWidth, form.lblIMGHeight, form.lblIMGbpp};
        gui::RawDialogView view{dialog, nullptr};
        EXPECT_EQ(test::layoutProblems(view.views(), view.scale()), "");
        EXPECT_EQ(test::tabChain(view.views(), view.widget(dialog.OKButton)),
                  "OKButton txtRAWWidth txtRAWHeight opt8b opt24b ");
        qobject_cast<QLineEdit*>(view.widget(dialog.txtRAWWidth))->setText("321.5");
        qobject_cast<QLineEdit*>(view.widget(dialog.txtRAWHeight))->setText("abc");
        QTest::mouseClick(view.widget(dialog.opt24b), Qt::LeftButton);
        EXPECT_EQ(handedOver(), "000");  // nothing reaches the model before OK
        view.show();
        if (ok)
            QTest::mouseClick(view.widget(dialog.OKButton), Qt::LeftButton);
        else
            view.close();
        EXPECT_EQ(handedOver(), ok ? "321.5abc24" : "000");
        EXPECT_EQ(dialog.unloaded(), ok);
        EXPECT_EQ(view.result(), ok ? QDialog::Accepted : QDialog::Rejected);
    }
}

}  // namespace
}  // namespace tessera
