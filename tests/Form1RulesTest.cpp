#include <gtest/gtest.h>

#include "app/Form1.h"
#include "support/ScriptedUi.h"

namespace tessera {
namespace {

using test::ScriptedUi;

std::string enabledSet(Form1& f) {
    std::string out;
    for (Control* c : f.controls()) {
        if (c->kind == ControlKind::Label)
            continue;
        if (c->Enabled)
            out += c->name + " ";
    }
    return out;
}

TEST(Form1Rules, DesignStateAtStart) {
    ScriptedUi ui;
    Form1 f(ui);
    EXPECT_EQ(enabledSet(f), "cmdQuitter cmdBMPLoad cmdWAVLoad txtVar ");
    EXPECT_EQ(f.chkPal.Value(), 1);
    EXPECT_EQ(f.chkOnlyPal.Value(), 0);
    EXPECT_TRUE(f.optFill1.Value);
    EXPECT_FALSE(f.optFill0.Value);
    EXPECT_FALSE(f.lblIMGWidth.Visible);
    EXPECT_EQ(f.lblIMGbpp.Caption, "0");
    EXPECT_EQ(f.lblPercent.Width, 15);
    EXPECT_EQ(f.controls().front()->name, "cmdQuitter");
    EXPECT_EQ(f.state.lngFillBit, 0);
}

TEST(Form1Rules, OnlyPaletteChecksAndLocksPalette) {
    ScriptedUi ui;
    Form1 f(ui);
    for (Control* c : {static_cast<Control*>(&f.chkPal), static_cast<Control*>(&f.chkOnlyPal)}) {
        c->Enabled = true;
    }
    // Clearing "Generate Palette" greys the fill options but keeps the selected one.
    f.chkPal.click();
    EXPECT_EQ(f.chkPal.Value(), 0);
    EXPECT_FALSE(f.Frame2.Enabled);
    EXPECT_FALSE(f.optFill0.Enabled);
    EXPECT_TRUE(f.optFill1.Value);

    // "Generate ONLY Palette" while "Generate Palette" is clear: it gets checked (its rule runs,
    // enabling the fill options) and locked.
    f.chkOnlyPal.click();
    EXPECT_EQ(f.chkPal.Value(), 1);
    EXPECT_FALSE(f.chkPal.Enabled);
    EXPECT_TRUE(f.Frame2.Enabled && f.optFill0.Enabled && f.optFill1.Enabled);

    // Clearing it unlocks "Generate Palette", which stays checked.
    f.chkOnlyPal.click();
    EXPECT_TRUE(f.chkPal.Enabled);
    EXPECT_EQ(f.chkPal.Value(), 1);

    // With "Generate Palette" already checked, only the lock changes; Frame2 keeps its state.
    f.Frame2.Enabled = false;
    f.chkOnlyPal.click();
    EXPECT_FALSE(f.chkPal.Enabled);
    EXPECT_FALSE(f.Frame2.Enabled);
}

TEST(Form1Rules, DisabledControlsIgnoreClicksAndQuitUnloads) {
    ScriptedUi ui;
    Form1 f(ui);
    f.chkPal.click();
    EXPECT_EQ(f.chkPal.Value(), 1);
    f.cmdBMPConvert.click();
    EXPECT_TRUE(ui.dialogsShown.empty());
    f.cmdQuitter.click();
    EXPECT_TRUE(f.unloaded());
    EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
}  // namespace tessera
