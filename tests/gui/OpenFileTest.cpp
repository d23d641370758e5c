#include <QAccessible>
#include <QDropEvent>
#include <QFileDialog>
#include <QMimeData>
#include <QSettings>
#include <QTimer>

#include "GuiSupport.h"
#include "gui/MainWindow.h"
#include "gui/PreviewWindow.h"
#include "gui/QtUi.h"
#include "gui/RawDialogView.h"
#include "support/Window.h"

namespace tessera {
namespace {

struct OpenFile : ::testing::Test {
    QApplication& app = test::guiApp();
    test::TempDir dir;
    test::ScriptedUi ui;
    Form1 form{ui};
    gui::MainWindow window{form};
    OpenFile() {
        window.answerOpensWith([this](const QString& path) { ui.openWith(path.toStdString()); });
    }
    // Drags `name` over the window and drops it; returns whether the drag was welcome.
    bool drop(const std::string& name) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(QString::fromStdString(dir.path(name)))});
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&window, &enter);
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&window, &drop);
        return enter.isAccepted();
    }
};

// A dropped file loads as its load button would, RAW dialog included. A file that is not what
// its name says gets the load's own refusal; a kind the loads do not read is not taken at all.
TEST_F(OpenFile, DroppedFilesLoadThroughTheLoadButtons) {
    const auto picture = test::buildBmp(test::Picture::pattern(4, 4, 8));
    const test::Bytes text = {'h', 'e', 'l', 'l', 'o', '\n'};
    struct Row {
        const char* name;
        test::Bytes bytes;
        bool welcome;
        const char* shown;  // the start of "File infos", or the last message shown
        int rawDialogs;
    };
    for (const Row& r :
         {Row{"tiles.bmp", picture, true, "Image Name : \r\ntiles.bmp\r\n", 0},
          Row{"beep.WAV", test::buildWav({1, 2, 3, 4}), true, "Sound Name : \r\nbeep.WAV\r\n", 0},
          Row{"dump.raw", test::Bytes(320 * 240), true, "Image Name : \r\ndump.raw\r\n", 1},
          Row{"fake.bmp", text, true, "Can't open this kind of image file...", 0},
          Row{"fake.wav", text, true, "Can't open this kind of WAV file...", 0},
          Row{"notes.txt", picture, false, "(none)", 0}}) {
        SCOPED_TRACE(r.name);
        ui.messages = {{"(none)", MsgStyle::OkOnly}}, ui.rawDefaultsSeen.clear();
        form.lblBMPName.Caption.clear();
        test::writeFile(dir.path(r.name), r.bytes);
        EXPECT_EQ(drop(r.name), r.welcome);
        const std::string shown =
            form.lblBMPName.Caption.empty() ? ui.texts().back() : form.lblBMPName.Caption;
        EXPECT_TRUE(shown.starts_with(r.shown)) << shown;
        EXPECT_EQ(ui.rawDefaultsSeen.size(), std::size_t(r.rawDialogs));
        EXPECT_TRUE(ui.openAnswers.empty());  // the load took the path, no dialog was left over
    }
    EXPECT_FALSE(gui::MainWindow::acceptsDrop(nullptr));
}

// `tessera FILE`: the file loads once the event loop runs, with the window already on screen.
TEST_F(OpenFile, StartArgumentLoadsOnceTheWindowRuns) {
    test::writeFile(dir.path("ship.bmp"), test::buildBmp(test::Picture::pattern(3, 2, 24)));
    window.show();
    window.openLater(QString::fromStdString(dir.path("ship.bmp")));
    EXPECT_FALSE(form.cmdBMPConvert.Enabled);
    QApplication::processEvents();
    EXPECT_TRUE(form.cmdBMPConvert.Enabled);
    EXPECT_TRUE(window.widget(form.cmdBMPConvert)->isEnabled());
    EXPECT_EQ(form.txtVar.Text(), "ship");
}

// The dialogs start in the folder last picked from, kept in the settings (a folder of the test's
// own: guiApp() points QSettings there) and nothing else is kept. A drop moves no folder.
TEST(QtUiFolders, DialogsStartInTheFolderLastUsed) {
    test::guiApp();
    test::TempDir first, second;
    gui::QtUi::rememberFolder(QString::fromStdString(first.dir().string()));
    gui::QtUi ui;
    CommonDialog open{"dlgBMPFile", "Load BMP File", "Image Files|*.bmp", 0};
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(box);
        EXPECT_EQ(box->directory().absolutePath().toStdString(), first.dir().string());
        box->selectFile(QString::fromStdString(second.path("new.bmp")));
        static_cast<QDialog*>(box)->accept();  // as the Open button does
    });
    ASSERT_TRUE(ui.showOpen(open));
    EXPECT_EQ(open.FileName, second.path("new.bmp"));
    EXPECT_EQ(gui::QtUi::startFolder().toStdString(), second.dir().string());
    EXPECT_EQ(QSettings().allKeys(), QStringList{"lastFolder"});

    ui.answerNextOpen(QString::fromStdString(first.path("drop.wav")));
    ASSERT_TRUE(ui.showOpen(open));
    EXPECT_EQ(open.FileName, first.path("drop.wav"));
    EXPECT_EQ(open.FileTitle, "drop.wav");
    EXPECT_EQ(gui::QtUi::startFolder().toStdString(), second.dir().string());
}

// What a screen reader reads: every control of the window, the RAW dialog and the preview has a
// name, captions as shown and value controls after what they hold.
TEST_F(OpenFile, EveryControlHasAnAccessibleName) {
    auto name = [](QWidget* w) {
        return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name).toStdString();
    };
    Label w{"w", "", {}, 0}, h{"h", "", {}, 0}, b{"b", "", {}, 0};
    DialogRAW raw(w, h, b);
    gui::RawDialogView rawView(raw, &window);
    window.showPreview();
    std::vector<QWidget*> widgets;
    for (const auto* views : {&window.views(), &rawView.views()})
        for (const auto& bound : views->all())
            widgets.push_back(bound.widget);
    for (QWidget* child : window.preview()->findChildren<QWidget*>())
        if (child->focusPolicy() != Qt::NoFocus || child->inherits("QAbstractScrollArea"))
            widgets.push_back(child);
    for (QWidget* widget : widgets)
        EXPECT_NE(name(widget), "") << widget->metaObject()->className();
    EXPECT_EQ(name(window.widget(form.cmdQuitter)), "Quit");
    EXPECT_EQ(name(window.widget(form.txtVar)), "Array Variable Name");
    EXPECT_EQ(name(window.widget(form.Label2)), "File infos");
    EXPECT_EQ(name(rawView.widget(raw.txtRAWWidth)), "Image Width");
}

}  // namespace
}  // namespace tessera
