#include "GuiSupport.h"
#include "gui/PreviewPicture.h"
#include "gui/PreviewWindow.h"
#include "gui/RawDialogView.h"

namespace tessera {
namespace {

using MainWindowView = test::GuiFixture;

// Quit has the focus and Tab goes on in the design's order; a dropped picture loads and brings the
// model's states to the widgets, and every caption, the picture's infos too, shows whole at its
// scaled place.
TEST_F(MainWindowView, FocusTabOrderLayoutAndStatesAfterALoad) {
    window.show();
    window.activateWindow();
    QApplication::processEvents();
    EXPECT_EQ(window.focusWidget(), window.widget(form.cmdQuitter));
    EXPECT_EQ(test::tabChain(window.views(), window.focusWidget()),
              "cmdQuitter cmdBMPLoad cmdBMPConvert cmdWAVLoad cmdWAVConvert txtVar optFill0 "
              "optFill1 chkPal cmdBMPConvertAdd cmdWAVConvertAdd chkOnlyPal ");
    EXPECT_TRUE(drop("tiles.bmp", test::buildBmp(test::Picture::pattern(16, 8, 8))));
    EXPECT_TRUE(form.lblBMPName.Caption.starts_with("Image Name : \r\ntiles.bmp\r\n"));
    for (const auto& bound : window.views().all())
        EXPECT_EQ(bound.widget->isEnabled(), bound.model->Enabled) << bound.model->name;
    EXPECT_EQ(test::layoutProblems(window.views(), window.scale()), "");
}

// The RAW dialog: its captions show whole, and only OK hands what was typed to the window.
TEST_F(MainWindowView, RawDialogHandsOverOnlyOnOk) {
    for (const bool ok : {false, true}) {
        DialogRAW dialog{form.lblIMGWidth, form.lblIMGHeight, form.lblIMGbpp};
        gui::RawDialogView view{dialog, nullptr};
        EXPECT_EQ(test::layoutProblems(view.views(), view.scale()), "");
        qobject_cast<QLineEdit*>(view.widget(dialog.txtRAWWidth))->setText("321.5");
        QTest::mouseClick(view.widget(dialog.opt24b), Qt::LeftButton);
        view.show();
        if (ok)
            QTest::mouseClick(view.widget(dialog.OKButton), Qt::LeftButton);
        else
            view.close();
        EXPECT_EQ(form.lblIMGWidth.Caption + form.lblIMGbpp.Caption, ok ? "321.524" : "00");
    }
}

// What a screen reader reads: every control and label of the window, the RAW dialog and the
// preview has a name.
TEST_F(MainWindowView, EveryControlHasAnAccessibleName) {
    DialogRAW raw(form.lblIMGWidth, form.lblIMGHeight, form.lblIMGbpp);
    gui::RawDialogView rawView(raw, &window);
    window.showPreview();
    for (QWidget* w : window.findChildren<QWidget*>()) {
        if ((w->focusPolicy() & Qt::TabFocus) || qobject_cast<QLabel*>(w)) {
            EXPECT_NE(QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name), "")
                << w->metaObject()->className();
        }
    }
}

// What the screen makes of a colour: each channel's five bits, then the intensity bit as a
// sixth, spread over eight bits.
TEST(PreviewColour, FiveBitsAndTheIntensityBitPerChannel) {
    EXPECT_EQ(gui::shownColour(0xF801), qRgb(255, 4, 4));
    EXPECT_EQ(gui::shownColour(0x07C0), qRgb(0, 251, 0));
    EXPECT_EQ(gui::shownColour(0x003E), qRgb(0, 0, 251));
}

// The preview, opened before anything is loaded, follows each new load and the intensity bit:
// every pixel, column by column from the bottom, is the value the conversion wrote (a colour, or
// the palette's colour of the index written), shown as the screen shows it.
TEST_F(MainWindowView, PreviewPixelsEqualTheConvertedValues) {
    window.showPreview();
    const gui::PreviewPicture& preview = window.preview()->picture();
    EXPECT_EQ(preview.refusal, "Load a picture to see it as the GP32 shows it.");
    struct Row {
        test::Picture picture;
        const Control& fill;
    };
    for (const Row& r : {Row{test::Picture::pattern(7, 6, 24), form.optFill0},
                         Row{test::Picture::pattern(9, 5, 8), form.optFill1}}) {
        SCOPED_TRACE(r.picture.bpp);
        window.openFile(writeInput("in.bmp", test::buildBmp(r.picture)));
        click(r.fill);
        convert("out.h");
        const test::U32s written = converted();
        const int column = (r.picture.height + 3) / 4 * 4;
        ASSERT_EQ(QSize(preview.width, preview.height), QSize(r.picture.width, column));
        const QImage image = preview.image();
        for (std::size_t k = 0; k < written.size(); ++k) {
            const int x = static_cast<int>(k) / column;
            const int y = column - 1 - static_cast<int>(k) % column;
            const auto colour = static_cast<std::uint16_t>(
                r.picture.bpp == 8 ? form.state.strPal[written[k]] : written[k]);
            ASSERT_EQ(preview.at(x, y), colour) << "element " << k;
            ASSERT_EQ(image.pixel(x, y), gui::shownColour(colour)) << "element " << k;
        }
    }
}

}  // namespace
}  // namespace tessera
