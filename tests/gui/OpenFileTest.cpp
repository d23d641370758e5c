#include "GuiSupport.h"
#include "gui/FileFilter.h"
#include "gui/QtUi.h"

namespace tessera {
namespace {

using OpenFile = test::GuiFixture;

// A dropped file loads as its load button would, a sound as a sound; a file that is not what its
// name says gets the load's own refusal, and a kind the loads do not read is not taken at all.
TEST_F(OpenFile, DroppedFilesLoadThroughTheLoadButtons) {
    EXPECT_TRUE(drop("beep.WAV", test::buildWav({1, 2})));
    EXPECT_TRUE(form.lblBMPName.Caption.starts_with("Sound Name : \r\nbeep.WAV\r\n"));
    EXPECT_TRUE(drop("fake.bmp", {'h', 'i'}));
    EXPECT_TRUE(ui.texts().back().starts_with("Can't open this kind of image file..."));
    EXPECT_FALSE(drop("notes.txt", {'h', 'i'}));
    EXPECT_EQ(ui.messages.size(), 1u);
}

// `tessera FILE`: the file loads once the event loop runs, with the window already on screen.
TEST_F(OpenFile, StartArgumentLoadsOnceTheWindowRuns) {
    window.show();
    window.openLater(writeInput("ship.bmp", test::buildBmp(test::Picture::pattern(3, 2, 24))));
    EXPECT_FALSE(form.cmdBMPConvert.Enabled);
    QApplication::processEvents();
    EXPECT_TRUE(window.widget(form.cmdBMPConvert)->isEnabled());
}

TEST(FileFilter, DialogFiltersBecomeQtFilters) {
    EXPECT_EQ(gui::qtFileFilter("Image Files (*.bmp,*.raw)|*.bmp;*.raw|All Files (*.*)|*.*"),
              "Image Files (*.bmp *.raw);;All Files (*)");
    EXPECT_EQ(gui::qtFileFilter("Sounds|*.wav"), "Sounds (*.wav)");
}

// The dialogs start in the folder last picked from, kept in the settings (a folder of the test's
// own: guiApp() points QSettings there) and nothing else is kept.
TEST(QtUiFolders, DialogsStartInTheFolderLastUsed) {
    test::guiApp();
    test::TempDir first, second;
    gui::QtUi::rememberFolder(QString::fromStdString(first.dir().string()));
    gui::QtUi ui;
    CommonDialog open{"dlgBMPFile", "Load BMP File", "Image Files|*.bmp", 0};
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        EXPECT_EQ(box->directory().absolutePath().toStdString(), first.dir().string());
        box->selectFile(QString::fromStdString(second.path("new.bmp")));
        static_cast<QDialog*>(box)->accept();  // as the Open button does
    });
    ASSERT_TRUE(ui.showOpen(open));
    EXPECT_EQ(gui::QtUi::startFolder().toStdString(), second.dir().string());
    EXPECT_EQ(QSettings().allKeys(), QStringList{"lastFolder"});
}

}  // namespace
}  // namespace tessera
