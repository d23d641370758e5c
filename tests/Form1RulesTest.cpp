#include <set>

#include "WindowFixture.h"

namespace tessera {
namespace {

using test::Picture;
using Names = std::set<std::string>;

struct Form1Rules : test::WindowFixture {
    Names enabled() {
        Names out;
        for (Control* c : form.controls())
            if (c->kind != ControlKind::Label && c->Enabled)
                out.insert(c->name);
        return out;
    }
    void loadSound() {
        test::writeFile(dir.path("s.wav"), test::buildWav(test::Bytes(4, 0x80)));
        ui.openWith(dir.path("s.wav"));
        form.cmdWAVLoad.click();
    }
};

TEST_F(Form1Rules, SteadyStatesOfTheWindow) {
    const Names always{"cmdBMPLoad", "cmdWAVLoad", "cmdQuitter", "txtVar"};
    const Names picture{"cmdBMPConvert", "cmdBMPConvertAdd"},
        sound{"cmdWAVConvert", "cmdWAVConvertAdd"};
    const Names eight{"Frame1", "chkPal", "chkOnlyPal"}, fill{"Frame2", "optFill0", "optFill1"};
    auto with = [&](std::initializer_list<Names> parts) {
        Names all = always;
        for (const Names& p : parts)
            all.insert(p.begin(), p.end());
        return all;
    };
    EXPECT_EQ(enabled(), always);
    EXPECT_EQ(form.chkPal.Value(), 1);
    EXPECT_TRUE(form.optFill1.Value);
    loadBmp("a.bmp", Picture::pattern(2, 2, 8));
    EXPECT_EQ(enabled(), with({picture, eight, fill}));
    loadSound();
    EXPECT_EQ(enabled(), with({sound}));
    loadBmp("b.bmp", Picture::pattern(2, 2, 24));
    EXPECT_EQ(enabled(), with({picture, fill}));
    test::Bytes deep = test::buildBmp(Picture::pattern(2, 2, 8));
    test::putLe16(deep, 28, 16);
    loadFile("c.bmp", deep);  // "Generate Palette" still checked: the fill options follow it
    EXPECT_EQ(enabled(), with({picture, fill}));
    form.chkPal.setValue(0);
    loadFile("c.bmp", deep);
    EXPECT_EQ(enabled(), with({picture}));
    loadSound();
    ui.openAnswers.push_back(std::nullopt);  // a cancelled picture load
    form.cmdBMPLoad.click();
    EXPECT_EQ(enabled(), (Names{"cmdBMPLoad", "cmdWAVLoad", "cmdQuitter"}));
}

TEST_F(Form1Rules, PaletteCheckBoxes) {
    form.chkPal.Enabled = form.chkOnlyPal.Enabled = true;
    // Clearing "Generate Palette" greys the fill options but keeps the selected one.
    form.chkPal.click();
    EXPECT_FALSE(form.Frame2.Enabled || form.optFill0.Enabled || form.optFill1.Enabled);
    EXPECT_TRUE(form.optFill1.Value);
    // "Generate ONLY Palette" while "Generate Palette" is clear checks it (its rule enabling the
    // fill options) and locks it; clearing it unlocks "Generate Palette", which stays checked.
    form.chkOnlyPal.click();
    EXPECT_EQ(form.chkPal.Value(), 1);
    EXPECT_FALSE(form.chkPal.Enabled);
    EXPECT_TRUE(form.Frame2.Enabled && form.optFill0.Enabled && form.optFill1.Enabled);
    form.chkOnlyPal.click();
    EXPECT_TRUE(form.chkPal.Enabled);
    EXPECT_EQ(form.chkPal.Value(), 1);
    // With "Generate Palette" already checked, only the lock changes.
    form.Frame2.Enabled = false;
    form.chkOnlyPal.click();
    EXPECT_FALSE(form.chkPal.Enabled || form.Frame2.Enabled);
    // An 8-bit load enables "Generate Palette" again, so it can be cleared on its own.
    loadBmp("a.bmp", Picture::pattern(2, 2, 8));
    form.chkPal.click();
    EXPECT_EQ(form.chkPal.Value(), 0);
    EXPECT_EQ(form.chkOnlyPal.Value(), 1);
    form.cmdQuitter.click();
    EXPECT_TRUE(form.unloaded());
    EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
}  // namespace tessera
