#include <gtest/gtest.h>

#include <QDir>
#include <QPixmap>
#include <cstdlib>

#include "GuiSupport.h"
#include "app/DialogRAW.h"
#include "app/Form1.h"
#include "gui/MainWindow.h"
#include "gui/RawDialogView.h"
#include "support/Builders.h"
#include "support/ScriptedUi.h"

namespace tessera {
namespace {

// Pictures of the window after an 8-bit load and of the RAW dialog, for a person to look at:
// set TESSERA_SHOT_DIR to keep them (run under xvfb-run for the real fonts of a desktop).
void keep(const QPixmap& shot, const char* name) {
    const char* dir = std::getenv("TESSERA_SHOT_DIR");
    if (!dir)
        return;
    QDir().mkpath(dir);
    EXPECT_TRUE(shot.save(QDir(dir).filePath(name))) << name;
}

TEST(Screenshot, WindowAfterEightBitLoadAndRawDialog) {
    test::guiApp();
    test::TempDir dir;
    test::ScriptedUi ui;
    Form1 form(ui);
    gui::MainWindow window(form);
    const auto path = dir.path("tiles.bmp");
    test::writeFile(path, test::buildBmp(test::Picture::pattern(64, 48, 8)));
    ui.openWith(path);
    window.show();
    test::mouseClick(window.widget(form.cmdBMPLoad));
    window.showProgress(Form1::kConvertedProgress);

    const QPixmap main = window.grab();
    EXPECT_EQ(main.deviceIndependentSize().toSize(), window.size());
    keep(main, "main-window-8bit.png");

    DialogRAW dialog(form.lblIMGWidth, form.lblIMGHeight, form.lblIMGbpp);
    gui::RawDialogView view(dialog, &window);
    view.show();
    const QPixmap raw = view.grab();
    EXPECT_EQ(raw.deviceIndependentSize().toSize(), view.size());
    keep(raw, "raw-dialog.png");
}

}  // namespace
}  // namespace tessera
