#include "GuiSupport.h"
#include "gui/ColoursDialogView.h"
#include "gui/PreviewPicture.h"
#include "gui/PreviewWindow.h"
#include "gui/QtUi.h"
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

// A dropped file loads as its load button would, a sound as a sound; a file that is not what its
// name says gets the load's own refusal, and a kind the loads do not read is not taken at all.
TEST_F(MainWindowView, DroppedFilesLoadThroughTheLoadButtons) {
    EXPECT_TRUE(drop("beep.WAV", test::buildWav({1, 2})));
    EXPECT_TRUE(form.lblBMPName.Caption.starts_with("Sound Name : \r\nbeep.WAV\r\n"));
    EXPECT_TRUE(drop("fake.bmp", {'h', 'i'}));
    EXPECT_TRUE(ui.texts().back().starts_with("Can't open this kind of image file..."));
    EXPECT_FALSE(drop("notes.txt", {'h', 'i'}));
    EXPECT_EQ(ui.messages.size(), 1u);  // the refusal alone: the text file was not opened
}

// `tessera FILE`: the file loads once the event loop runs, with the window already on screen.
TEST_F(MainWindowView, StartArgumentLoadsOnceTheWindowRuns) {
    window.show();
    window.openLater(writeInput("ship.bmp", test::buildBmp(test::Picture::pattern(3, 2, 24))));
    EXPECT_FALSE(form.cmdBMPConvert.Enabled);
    QApplication::processEvents();
    EXPECT_TRUE(window.widget(form.cmdBMPConvert)->isEnabled());
}

// The dialogs start in the folder last picked from, kept in the settings (a folder of the test's
// own: guiApp() points QSettings there) and nothing else is kept. Their filters are Qt's: the
// patterns in the description's brackets, "*" for any file.
TEST_F(MainWindowView, DialogsStartInTheFolderLastUsed) {
    test::TempDir first, second;
    gui::QtUi::rememberFolder(QString::fromStdString(first.dir().string()));
    gui::QtUi qtUi;
    CommonDialog open{"dlgBMPFile", "Load BMP File", "Images|*.bmp;*.raw|All Files (*.*)|*.*", 0};
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        EXPECT_EQ(box->nameFilters(), (QStringList{"Images (*.bmp *.raw)", "All Files (*)"}));
        EXPECT_EQ(box->directory().absolutePath().toStdString(), first.dir().string());
        box->selectFile(QString::fromStdString(second.path("new.bmp")));
        static_cast<QDialog*>(box)->accept();  // as the Open button does
    });
    ASSERT_TRUE(qtUi.showOpen(open));
    EXPECT_EQ(gui::QtUi::startFolder().toStdString(), second.dir().string());
    EXPECT_EQ(QSettings().allKeys(), QStringList{"lastFolder"});
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

// The "Colours..." dialog opens with the values it was given and hands the person's choices over
// only on OK.
TEST_F(MainWindowView, ColoursDialogHandsOverOnlyOnOk) {
    for (const bool ok : {false, true}) {
        DialogColours values{.colours = 16, .transparentRgb = 0x00FF00};
        gui::ColoursDialogView view{values, nullptr};
        EXPECT_EQ(view.findChild<QSpinBox*>()->value(), 16);
        for (QRadioButton* b : view.findChildren<QRadioButton*>()) {
            if (b->text().contains("Reduce"))
                b->setChecked(true);
        }
        view.findChild<QSpinBox*>()->setValue(40);
        for (QCheckBox* box : view.findChildren<QCheckBox*>())
            box->setChecked(!box->text().contains("alpha"));
        view.show();
        if (ok)
            view.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        else
            view.reject();
        EXPECT_EQ(values.palette == DialogColours::Palette::Reduce, ok);
        EXPECT_EQ(values.colours, ok ? 40 : 16);
        EXPECT_EQ(values.transparent && values.dither && !values.byAlpha, ok);
        EXPECT_EQ(values.transparentRgb, 0x00FF00u);
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

// The preview, opened before anything is loaded, follows each new load and the intensity bit (off
// for the 24-bit picture, on for the 8-bit one): every pixel, column by column from the bottom, is
// the value the conversion wrote (a colour, or the palette's colour of the index written), shown as
// the screen shows it.
TEST_F(MainWindowView, PreviewPixelsEqualTheConvertedValues) {
    window.showPreview();
    const PicturePreview& preview = window.preview()->picture();
    EXPECT_EQ(preview.refusal, "Load a picture to see it as the GP32 shows it.");
    for (const test::Picture& p :
         {test::Picture::pattern(7, 6, 24), test::Picture::pattern(9, 5, 8)}) {
        window.openFile(writeInput("in.bmp", test::buildBmp(p)));
        click(p.bpp == 24 ? form.optFill0 : form.optFill1);
        convert("out.h");
        const test::U32s written = converted();
        const int column = (p.height + 3) / 4 * 4;
        ASSERT_EQ(QSize(preview.width, preview.height), QSize(p.width, column));
        const QImage image = gui::previewImage(preview);
        for (std::size_t k = 0; k < written.size(); ++k) {
            const int x = static_cast<int>(k) / column;
            const int y = column - 1 - static_cast<int>(k) % column;
            const auto colour =
                static_cast<std::uint16_t>(p.bpp == 8 ? form.state.strPal[written[k]] : written[k]);
            ASSERT_EQ(preview.at(x, y), colour) << p.bpp << "-bit " << k;
            ASSERT_EQ(image.pixel(x, y), gui::shownColour(colour)) << p.bpp << "-bit " << k;
        }
    }
}

}  // namespace
}  // namespace tessera
