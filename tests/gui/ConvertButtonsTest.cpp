#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>

#include "GuiSupport.h"
#include "app/Form1.h"
#include "gui/MainWindow.h"
#include "support/Builders.h"
#include "support/ScriptedUi.h"

namespace tessera {
namespace {

// The window's convert buttons clicked with the mouse, dialogs answered by script: a picture to a
// new header, then a sound load that turns the window to sound and converts to a header.
TEST(ConvertButtons, PictureToHeaderThenSoundLoadSwitchesToSound) {
    test::guiApp();
    test::TempDir dir;
    test::ScriptedUi ui;
    Form1 form{ui};
    gui::MainWindow window{form};
    window.show();
    auto click = [&](const Control& c) { QTest::mouseClick(window.widget(c), Qt::LeftButton); };
    const std::string done = "Convertion done successfully :)";

    test::writeFile(dir.path("tiles.bmp"), test::buildBmp(test::Picture::pattern(7, 6, 8)));
    ui.openWith(dir.path("tiles.bmp"));
    click(form.cmdBMPLoad);
    ui.saveAs(dir.path("tiles.h"));
    click(form.cmdBMPConvert);
    EXPECT_EQ(ui.dialogsShown.back()->DialogTitle, "Save Converted  File");
    EXPECT_EQ(ui.proposedNames, std::vector<std::string>{"tiles"});
    EXPECT_EQ(ui.texts(), std::vector<std::string>{done});  // no question: a new file
    const std::string header = test::readText(dir.path("tiles.h"));
    EXPECT_NE(header.find("// Header file for GP32\r\n"), std::string::npos);
    // 7 columns of 6 indices, each padded to 8.
    EXPECT_NE(header.find("const unsigned char tiles[56] = {"), std::string::npos);

    test::writeFile(dir.path("tune.wav"), test::buildWav(test::Bytes(40, 0x80)));
    ui.openWith(dir.path("tune.wav"));
    click(form.cmdWAVLoad);
    EXPECT_EQ(test::enabledControls(window.views()),
              "cmdQuitter cmdBMPLoad cmdWAVLoad cmdWAVConvert txtVar cmdWAVConvertAdd ");
    EXPECT_TRUE(qobject_cast<QLabel*>(window.widget(form.lblBMPName))
                    ->text()
                    .startsWith("Sound Name : \ntune.wav\n\n Freq   : 22kHz\n"));

    ui.saveAs(dir.path("tune.h"));
    click(form.cmdWAVConvert);
    EXPECT_EQ(ui.dialogsShown.back()->DialogTitle, "Save Converted File");
    EXPECT_EQ(ui.texts(), (std::vector<std::string>{done, done}));
    EXPECT_NE(test::readText(dir.path("tune.h")).find("const unsigned char tune[40] = {"),
              std::string::npos);
}

}  // namespace
}  // namespace tessera
