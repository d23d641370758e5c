// SPDX-License-Identifier: GPL-3.0-or-later
#include "GuiSupport.h"
#include "app/AppMessages.h"
#include "gui/ColoursDialogView.h"
#include "gui/PreviewPicture.h"
#include "gui/PreviewWindow.h"
#include "gui/ProgramWindow.h"
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

// `tessera FILE`: the file loads once the window is on screen, not before.
TEST_F(MainWindowView, StartArgumentLoadsOnceTheWindowIsShown) {
    window.openLater(writeInput("ship.bmp", test::buildBmp(test::Picture::pattern(3, 2, 24))));
    QTest::qWait(20);
    EXPECT_FALSE(form.cmdBMPConvert.Enabled);
    window.show();
    EXPECT_TRUE(QTest::qWaitFor([this] { return window.widget(form.cmdBMPConvert)->isEnabled(); }));
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
            const gp32::Rgb shown = gp32::shownColour(colour);
            ASSERT_EQ(preview.at(x, y), shown) << p.bpp << "-bit " << k;
            ASSERT_EQ(image.pixel(x, y), qRgb(shown.red, shown.green, shown.blue)) << k;
        }
    }
}

// The preview zooms by Ctrl+plus (or Ctrl+=), Ctrl+minus, Ctrl+0 (pixels at their own size) and
// Ctrl+wheel, a step a notch, within 1x and 8x; the wheel alone scrolls and never zooms.
TEST_F(MainWindowView, PreviewZoomsByKeysAndCtrlWheel) {
    window.showPreview();
    gui::PreviewWindow* preview = window.preview();
    QWidget* picture = preview->findChild<QScrollArea*>()->viewport();
    QApplication::setActiveWindow(preview);
    const auto key = [preview](Qt::Key k) {
        return [preview, k] { QTest::keyClick(preview, k, Qt::ControlModifier); };
    };
    const auto wheel = [picture](int angle, Qt::KeyboardModifiers modifiers) {
        return [picture, angle, modifiers] {
            QWheelEvent turn(QPointF(5, 5), picture->mapToGlobal(QPointF(5, 5)), QPoint(),
                             QPoint(0, angle), Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
            QApplication::sendEvent(picture, &turn);
        };
    };
    struct Step {
        const char* what;
        std::function<void()> act;
        int zoom;
    };
    const Step steps[] = {
        {"Ctrl+plus", key(Qt::Key_Plus), 3},
        {"Ctrl+=", key(Qt::Key_Equal), 4},
        {"Ctrl+minus", key(Qt::Key_Minus), 3},
        {"Ctrl+0", key(Qt::Key_0), 1},
        {"Ctrl+minus at 1x", key(Qt::Key_Minus), 1},
        {"Ctrl+wheel, a notch up", wheel(120, Qt::ControlModifier), 2},
        {"Ctrl+wheel, half a notch", wheel(60, Qt::ControlModifier), 2},
        {"Ctrl+wheel, the other half", wheel(60, Qt::ControlModifier), 3},
        {"wheel alone", wheel(120, Qt::NoModifier), 3},
        {"Ctrl+wheel, ten notches up", wheel(1200, Qt::ControlModifier), 8},
        {"Ctrl+wheel, two notches down", wheel(-240, Qt::ControlModifier), 6},
    };
    for (const Step& step : steps) {
        step.act();
        EXPECT_EQ(preview->zoom(), step.zoom) << step.what;
        EXPECT_EQ(preview->pixels()->width(), preview->picture().width * step.zoom) << step.what;
    }
}

// The preview goes beside the main window, to its right, else its left, else below or above it;
// made smaller (not below its least size) on the side with most room when no side holds it
// whole; always inside the screen's available area, a second screen's too.
TEST(PreviewPlace, BesideTheWindowInsideTheScreen) {
    struct Row {
        const char* what;
        QRect screen, owner;
        QRect placed;
    };
    const QSize size(500, 400), least(300, 350);
    const Row rows[] = {
        {"room on the right", {0, 0, 1600, 900}, {100, 100, 600, 300}, {708, 100, 500, 400}},
        {"room on the left only", {0, 0, 1600, 900}, {1000, 100, 550, 300}, {492, 100, 500, 400}},
        {"room below only", {0, 0, 1600, 900}, {50, 100, 1500, 300}, {50, 408, 500, 400}},
        {"room above only", {0, 0, 1600, 900}, {50, 450, 1500, 300}, {50, 42, 500, 400}},
        {"kept above the screen's bottom",
         {0, 0, 1600, 900},
         {100, 700, 600, 150},
         {708, 500, 500, 400}},
        {"narrower on the right", {0, 0, 1600, 900}, {360, 311, 854, 336}, {1222, 311, 378, 400}},
        {"narrower on the left", {0, 0, 1600, 900}, {400, 311, 1100, 336}, {0, 311, 392, 400}},
        {"too little room above: over the window",
         {0, 0, 1600, 900},
         {100, 200, 1400, 600},
         {1100, 200, 500, 400}},
        {"no room: over the window, at the side with more room",
         {0, 0, 1600, 900},
         {300, 0, 1300, 900},
         {0, 0, 500, 400}},
        {"on a second screen", {1920, 30, 1280, 994}, {2000, 10, 600, 300}, {2608, 30, 500, 400}},
        {"a screen smaller than the preview", {0, 0, 400, 300}, {0, 0, 100, 100}, {0, 0, 400, 300}},
    };
    for (const Row& row : rows)
        EXPECT_EQ(gui::PreviewWindow::placeBeside(row.screen, row.owner, size, least), row.placed)
            << row.what;
}

// A box shows the model's lines as they are, a command between backquotes in a fixed-pitch font
// without them, and the file a load failed on after everything, unless the text names it.
TEST(QtMessages, ShownTextOfABox) {
    test::guiApp();  // for the fonts the text document lays out with
    struct Row {
        std::string text;
        QString file;
        QString shown;
        bool code;
    };
    const Row rows[] = {
        {"Can't open :(\r\nIt is <odd> (`convert IN OUT.png` mends it).", "/tmp/a&b.bmp",
         "Can't open :(\nIt is <odd> (convert IN OUT.png mends it).\n\n/tmp/a&b.bmp", true},
        {"Only 8 bits\r\n with `one quote", "", "Only 8 bits\n with `one quote", false},
        {"Can't read this file :(\r\n/tmp/x.bmp: gone", "/tmp/x.bmp",
         "Can't read this file :(\n/tmp/x.bmp: gone", false},
    };
    for (const Row& row : rows) {
        const QString html = gui::QtUi::shownMessage(row.text, row.file);
        QTextDocument box;
        box.setHtml(html);
        EXPECT_EQ(box.toPlainText().replace(QChar::LineSeparator, '\n'), row.shown) << row.text;
        EXPECT_EQ(html.contains("<code>convert IN OUT.png</code>"), row.code) << row.text;
    }
}

// At start (`tessera FILE`), a file that fails to load gets its box over the window, naming it.
TEST(QtMessages, FailedStartLoadNamesTheFileOverTheWindow) {
    test::guiApp();
    test::TempDir dir;
    const std::string path = dir.path("ship.bmp");
    test::writeFile(path, {'G', 'I', 'F', '8', '9', 'a', 0, 0});
    gui::ProgramWindow program;
    gui::MainWindow& window = program.window;
    window.move(150, 90);
    window.openLater(QString::fromStdString(path));
    QString shown;
    QRect boxFrame;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            QTextDocument text;
            text.setHtml(box->text());
            shown = text.toPlainText().replace(QChar::LineSeparator, '\n');
            boxFrame = box->frameGeometry();
            box->accept();
        }
    });
    watch.start(5);
    window.show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !shown.isEmpty(); }));
    const QStringList lines = shown.split('\n');
    EXPECT_EQ(lines.first(), messages::kUnknownImage);
    EXPECT_EQ(lines.last().toStdString(), path);
    EXPECT_FALSE(shown.contains('`'));
    EXPECT_TRUE(window.frameGeometry().contains(boxFrame.center()));
}

}  // namespace
}  // namespace tessera
