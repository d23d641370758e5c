#include <QComboBox>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include "GuiSupport.h"
#include "gui/MainWindow.h"
#include "gui/PreviewPicture.h"
#include "gui/PreviewWindow.h"
#include "support/Expected.h"
#include "support/Window.h"

namespace tessera {
namespace {

using gui::shownColour;

// What the screen makes of a colour, from its definition: each channel's five bits, then the
// intensity bit as a sixth, spread over eight bits.
TEST(PreviewColour, FiveBitsAndTheIntensityBitPerChannel) {
    EXPECT_EQ(shownColour(0xFFFF), qRgb(255, 255, 255));
    EXPECT_EQ(shownColour(0x0000), qRgb(0, 0, 0));
    EXPECT_EQ(shownColour(0xF800), qRgb(251, 0, 0));
    EXPECT_EQ(shownColour(0xF801), qRgb(255, 4, 4));
    EXPECT_EQ(shownColour(0x07C0), qRgb(0, 251, 0));
    EXPECT_EQ(shownColour(0x003E), qRgb(0, 0, 251));
}

struct PreviewPixels : test::WindowFixture {};

// Every pixel of the preview, column by column from the bottom, is the value the conversion
// wrote (a colour, or the palette's colour of the index written), shown as the screen shows it.
TEST_F(PreviewPixels, EqualTheConvertedValues) {
    struct Row {
        const char* name;
        int width, height, bpp;
        bool raw;
        int fill;
    };
    for (const Row& r : {Row{.name = "ship.bmp", .width = 7, .height = 6, .bpp = 24, .fill = 1},
                         Row{.name = "dim.bmp", .width = 5, .height = 4, .bpp = 24, .fill = 0},
                         Row{.name = "tiles.bmp", .width = 9, .height = 5, .bpp = 8, .fill = 0},
                         Row{.name = "sky.raw", .width = 3, .height = 5, .bpp = 24, .raw = true,
                             .fill = 1}}) {
        SCOPED_TRACE(r.name);
        const test::Picture p = test::Picture::pattern(r.width, r.height, r.bpp);
        r.raw ? loadRaw(r.name, p) : loadBmp(r.name, p);
        (r.fill ? form.optFill1 : form.optFill0).click();
        const gui::PreviewPicture preview = gui::previewOf(form);
        convert("out.h");
        ASSERT_EQ(preview.refusal, "");
        const test::U32s written = converted();
        ASSERT_EQ(written, test::screenOrder(p, r.raw, r.fill));
        const int column = (r.height + 3) / 4 * 4;
        ASSERT_EQ(preview.width, r.width);
        ASSERT_EQ(preview.height, column);
        EXPECT_EQ(preview.hasPalette, r.bpp == 8);
        if (r.bpp == 8) {
            EXPECT_EQ(preview.palette, form.state.strPal);
        }
        const QImage image = preview.image();
        for (std::size_t k = 0; k < written.size(); ++k) {
            const int x = static_cast<int>(k) / column;
            const int y = column - 1 - static_cast<int>(k) % column;
            const auto colour =
                static_cast<std::uint16_t>(r.bpp == 8 ? form.state.strPal[written[k]] : written[k]);
            ASSERT_EQ(preview.at(x, y), colour) << "element " << k;
            ASSERT_EQ(image.pixel(x, y), shownColour(colour)) << "element " << k;
        }
        // The top left pixel: a bitmap's padding shows above the picture, a RAW one's below.
        const int top = r.raw ? 0 : column - r.height;
        if (r.bpp == 24) {
            EXPECT_EQ(preview.at(0, top), test::gp32(p.at(0, 0), r.fill));
        }
    }
}

TEST_F(PreviewPixels, NothingToShowWithoutAPicture) {
    EXPECT_EQ(gui::previewOf(form).refusal, "Load a picture to see it as the GP32 shows it.");
    loadWav({1, 2, 3, 4});
    EXPECT_EQ(gui::previewOf(form).refusal, "Load a picture to see it as the GP32 shows it.");
}

struct PreviewInWindow : test::WindowFixture {
    QApplication& app = test::guiApp();
    gui::MainWindow window{form};
    void click(const Control& c) { QTest::mouseClick(window.widget(c), Qt::LeftButton); }
};

// Opened from the "File infos" context menu, the preview follows the intensity bit and a new
// load, and zooms with square pixels.
TEST_F(PreviewInWindow, FollowsTheOptionsAndLoadsAndZooms) {
    window.show();
    loadBmp("ship.bmp", test::Picture::pattern(6, 4, 24));
    window.mirror();
    QTimer::singleShot(0, [] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_TRUE(menu);
        EXPECT_EQ(menu->actions().constFirst()->shortcut(), gui::MainWindow::previewShortcut());
        menu->actions().constFirst()->trigger();
        menu->close();
    });
    emit window.widget(form.lblBMPName)->customContextMenuRequested(QPoint(5, 5));
    gui::PreviewWindow* preview = window.preview();
    ASSERT_TRUE(preview && preview->isVisible());
    EXPECT_EQ(preview->picture().at(0, 0) & 1, 1);

    click(form.optFill0);
    EXPECT_EQ(preview->picture().at(0, 0) & 1, 0);
    EXPECT_EQ(preview->picture().at(0, 0), test::gp32(test::Picture::pattern(6, 4, 24).at(0, 0), 0));

    // A new load through the window (a drop) refreshes the preview.
    window.answerOpensWith([this](const QString& path) { ui.openWith(path.toStdString()); });
    test::writeFile(dir.path("tiles.bmp"), test::buildBmp(test::Picture::pattern(3, 7, 8)));
    window.openFile(QString::fromStdString(dir.path("tiles.bmp")));
    EXPECT_EQ(preview->picture().width, 3);
    EXPECT_TRUE(preview->picture().hasPalette);

    for (int zoom : {1, 3, 8}) {
        preview->setZoom(zoom);
        EXPECT_EQ(preview->pixels()->size(), QSize(3 * zoom, 8 * zoom));
    }
    preview->setZoom(12);
    EXPECT_EQ(preview->zoom(), 8);
}

TEST_F(PreviewInWindow, ShortcutOpensIt) {
    window.show();
    window.activateWindow();
    QApplication::processEvents();
    QTest::keyClick(&window, Qt::Key_P, Qt::ControlModifier);
    ASSERT_TRUE(window.preview());
    EXPECT_TRUE(window.preview()->isVisible());
    EXPECT_NE(window.preview()->picture().refusal, "");
}

}  // namespace
}  // namespace tessera
