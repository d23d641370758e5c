#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>
#include <algorithm>
#include <filesystem>
#include <regex>

#include "GuiSupport.h"
#include "app/Form1.h"
#include "gui/MainWindow.h"
#include "support/Builders.h"
#include "support/ScriptedUi.h"

namespace tessera {
namespace {

using test::Bytes;
using test::Picture;

constexpr const char* kDone = "Convertion done successfully :)";
constexpr const char* kFrame = "/////////////////////////////////////////\r\n";

// Scripted dialogs, but the progress reaches the real window as the Qt dialogs would pass it on;
// the bar's pixel width is noted at every step.
struct WindowUi : test::ScriptedUi {
    gui::MainWindow* window = nullptr;
    QWidget* bar = nullptr;
    std::vector<int> barWidths;
    void progressChanged(double width) override {
        ScriptedUi::progressChanged(width);
        window->showProgress(width);
        barWidths.push_back(bar->width());
    }
};

// The indices of a bitmap as the GP32 screen wants them: column after column from the left, each
// from the bottom row up, then zeros after the top pixel up to a multiple of 4.
Bytes screenOrder(const Picture& p) {
    Bytes out;
    for (int col = 0; col < p.width; ++col) {
        for (int row = p.height - 1; row >= 0; --row)
            out.push_back(static_cast<std::uint8_t>(p.at(row, col)));
        out.resize(out.size() + (4 - p.height % 4) % 4, 0);
    }
    return out;
}

// The literals of the array that `text` opens with `opening`, up to its "};".
std::vector<unsigned> arrayValues(const std::string& text, const std::string& opening) {
    const auto from = text.find(opening);
    if (from == std::string::npos)
        return {};
    const auto to = text.find("};", from);
    const std::string body = text.substr(from + opening.size(), to - from - opening.size());
    std::vector<unsigned> values;
    const std::regex literal("0x([0-9A-F]+)");
    for (std::sregex_iterator it(body.begin(), body.end(), literal), end; it != end; ++it)
        values.push_back(static_cast<unsigned>(std::stoul((*it)[1].str(), nullptr, 16)));
    return values;
}

std::vector<unsigned> asValues(const Bytes& bytes) {
    return {bytes.begin(), bytes.end()};
}

struct ConvertButtons : ::testing::Test {
    QApplication& app = test::guiApp();
    test::TempDir dir;
    WindowUi ui;
    Form1 form{ui};
    gui::MainWindow window{form};

    ConvertButtons() {
        ui.window = &window;
        ui.bar = window.widget(form.lblPercent);
        window.show();
    }
    void click(const Control& c) { QTest::mouseClick(window.widget(c), Qt::LeftButton); }
    bool enabled(const Control& c) { return window.widget(c)->isEnabled(); }
    // Loads an 8-bit bitmap through "Load Image File...".
    void loadPicture(const Picture& p, const std::string& name) {
        const auto path = dir.path(name);
        test::writeFile(path, test::buildBmp(p));
        ui.openWith(path);
        click(form.cmdBMPLoad);
    }
    std::string lastMessage() const { return ui.messages.empty() ? "" : ui.messages.back().text; }
};

TEST_F(ConvertButtons, PictureToNewHeaderThenAddedToIt) {
    const Picture p = Picture::pattern(7, 6, 8);  // 6 rows: each column padded with 2 zeros
    loadPicture(p, "tiles.bmp");
    ASSERT_TRUE(enabled(form.cmdBMPConvert));

    const auto out = dir.path("tiles.h");
    ui.saveAs(out);
    click(form.cmdBMPConvert);
    ASSERT_TRUE(std::filesystem::exists(out));
    EXPECT_EQ(ui.dialogsShown.back()->DialogTitle, "Save Converted  File");
    EXPECT_EQ(ui.proposedNames.back(), "tiles");
    ASSERT_EQ(ui.messages.size(), 1u);  // no question: the file did not exist
    EXPECT_EQ(ui.messages[0].text, kDone);
    EXPECT_EQ(ui.messages[0].style, MsgStyle::OkOnly);
    const std::string first = test::readText(out);
    EXPECT_EQ(first.rfind(std::string(kFrame) + "//\r\n// Header file for GP32\r\n", 0), 0u);
    EXPECT_EQ(arrayValues(first, "const unsigned char tiles[56] = {"), asValues(screenOrder(p)));
    // The bar grew in the widget during the conversion and is empty again afterwards.
    ASSERT_FALSE(ui.barWidths.empty());
    EXPECT_GE(*std::max_element(ui.barWidths.begin(), ui.barWidths.end()),
              window.scale().px(Form1::kConvertedProgress));
    EXPECT_EQ(ui.bar->width(), 0);

    const std::string include = "#include \"gpgraphic.h\"\r\n";
    ASSERT_NE(first.find(include), std::string::npos);
    ui.saveAs(out);
    click(form.cmdBMPConvertAdd);
    ASSERT_EQ(ui.messages.size(), 3u);
    EXPECT_EQ(ui.messages[1].text, "Do you want to ADD data to this file :\r\ntiles.h  ?!?");
    EXPECT_EQ(ui.messages[1].style, MsgStyle::YesNoQuestion);
    EXPECT_EQ(ui.messages[2].text, kDone);
    // The second block is the first without the include line, after three line ends.
    std::string second = first;
    second.erase(second.find(include), include.size());
    EXPECT_EQ(test::readText(out), first + "\r\n\r\n\r\n" + second);
    EXPECT_EQ(ui.bar->width(), 0);
}

TEST_F(ConvertButtons, PictureToGpgFileReplacingALongerOne) {
    const Picture p = Picture::pattern(3, 5, 8);
    loadPicture(p, "hero.bmp");
    const auto out = dir.path("hero.gpg");
    test::writeFile(out, Bytes(100, 0xEE));

    ui.saveAs(out);
    click(form.cmdBMPConvert);
    ASSERT_EQ(ui.texts(), (std::vector<std::string>{
                              "Do you want to OVERWRITE this file :\r\nhero.gpg  ?!?", kDone}));
    EXPECT_EQ(ui.messages[0].style, MsgStyle::YesNoExclamation);
    const Bytes indices = screenOrder(p);
    ASSERT_EQ(indices.size(), 24u);  // 3 columns of 5 rows padded to 8
    Bytes expected = {'g', 'p', 'g', ' '};
    test::appendLe32(expected, static_cast<std::uint32_t>(indices.size()));
    expected.insert(expected.end(), indices.begin(), indices.end());
    EXPECT_EQ(test::readFile(out), expected);
    EXPECT_EQ(ui.bar->width(), 0);
}

TEST_F(ConvertButtons, SoundLoadSwitchesTheWindowAndConvertsToHeader) {
    loadPicture(Picture::pattern(4, 4, 8), "tiles.bmp");
    ASSERT_TRUE(enabled(form.chkOnlyPal));

    Bytes samples;
    for (int i = 0; i < 40; ++i)
        samples.push_back(static_cast<std::uint8_t>(i * 37 + 5));
    const auto wav = dir.path("tune.wav");
    test::writeFile(wav, test::buildWav(samples));
    ui.openWith(wav);
    click(form.cmdWAVLoad);

    for (const Control* off : std::initializer_list<const Control*>{
             &form.cmdBMPConvert, &form.cmdBMPConvertAdd, &form.Frame1, &form.chkPal,
             &form.chkOnlyPal, &form.Frame2, &form.optFill0, &form.optFill1}) {
        EXPECT_FALSE(enabled(*off)) << off->name;
    }
    for (const Control* on : std::initializer_list<const Control*>{
             &form.cmdWAVConvert, &form.cmdWAVConvertAdd, &form.txtVar, &form.cmdBMPLoad,
             &form.cmdWAVLoad, &form.cmdQuitter}) {
        EXPECT_TRUE(enabled(*on)) << on->name;
    }
    EXPECT_TRUE(qobject_cast<QLabel*>(window.widget(form.lblBMPName))
                    ->text()
                    .startsWith("Sound Name : \ntune.wav\n\n Freq   : 22kHz\n"));
    // A click on a greyed picture button reaches nothing.
    const auto dialogs = ui.dialogsShown.size();
    click(form.cmdBMPConvert);
    EXPECT_EQ(ui.dialogsShown.size(), dialogs);

    const auto out = dir.path("tune.h");
    ui.saveAs(out);
    click(form.cmdWAVConvert);
    EXPECT_EQ(ui.dialogsShown.back()->DialogTitle, "Save Converted File");
    EXPECT_EQ(ui.proposedNames.back(), "tune");
    EXPECT_EQ(ui.texts(), std::vector<std::string>{kDone});
    const std::string text = test::readText(out);
    EXPECT_EQ(text.rfind(kFrame, 0), 0u);
    EXPECT_EQ(arrayValues(text, "const unsigned char tune[40] = {"), asValues(samples));
    EXPECT_EQ(ui.bar->width(), 0);
}

}  // namespace
}  // namespace tessera
