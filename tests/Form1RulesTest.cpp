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
};

TEST_F(Form1Rules, SteadyStatesOfTheWindow) {
    const Names start{"cmdBMPLoad", "cmdWAVLoad", "cmdQuitter", "txtVar"};
    auto with = [&](Names more) { return more.insert(start.begin(), start.end()), more; };
    const Names picture = with({"cmdBMPConvert", "cmdBMPConvertAdd"});
    auto plus = [&](Names more) { return more.insert(picture.begin(), picture.end()), more; };
    const Names fill{"Frame2", "optFill0", "optFill1"};
    EXPECT_EQ(enabled(), start);
    EXPECT_EQ(form.chkPal.Value(), 1);
    EXPECT_TRUE(form.optFill1.Value);
    loadBmp("a.bmp", Picture::pattern(2, 2, 8));
    EXPECT_EQ(enabled(),
              plus({"Frame1", "chkPal", "chkOnlyPal", "Frame2", "optFill0", "optFill1"}));
    loadWav({1, 2});
    EXPECT_EQ(enabled(), with({"cmdWAVConvert", "cmdWAVConvertAdd"}));
    loadBmp("b.bmp", Picture::pattern(2, 2, 24));
    EXPECT_EQ(enabled(), plus(fill));
    test::Bytes deep = test::buildBmp(Picture::pattern(2, 2, 8));
    test::putLe16(deep, 28, 16);
    loadFile("c.bmp", deep);  // "Generate Palette" still checked: the fill options follow it
    EXPECT_EQ(enabled(), plus(fill));
    form.chkPal.setValue(0);
    loadFile("c.bmp", deep);
    EXPECT_EQ(enabled(), picture);
    loadWav({1, 2});
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
    // "Generate ONLY Palette" checks it (its rule enabling the fill options) and locks it;
    // clearing it unlocks "Generate Palette", which stays checked.
    form.chkOnlyPal.click();
    EXPECT_EQ(form.chkPal.Value(), 1);
    EXPECT_FALSE(form.chkPal.Enabled);
    EXPECT_TRUE(form.Frame2.Enabled && form.optFill0.Enabled && form.optFill1.Enabled);
    form.chkOnlyPal.click();
    EXPECT_TRUE(form.chkPal.Enabled && form.chkPal.Value() == 1);
    form.Frame2.Enabled = false;  // already checked: only the lock changes
    form.chkOnlyPal.click();
    EXPECT_FALSE(form.chkPal.Enabled || form.Frame2.Enabled);
    // An 8-bit load enables "Generate Palette" again, so it can be cleared on its own.
    loadBmp("a.bmp", Picture::pattern(2, 2, 8));
    form.chkPal.click();
    EXPECT_TRUE(form.chkPal.Value() == 0 && form.chkOnlyPal.Value() == 1);
    form.cmdQuitter.click();
    EXPECT_TRUE(form.unloaded() && ui.messages.empty());
}

// A writer reports millions of times: the view hears only of whole-twip changes and resets, while
// the model keeps the exact width.
TEST_F(Form1Rules, ProgressViewHearsOnlyWholeTwipChanges) {
    for (auto [from, to, heard] : {std::tuple{100.2, 100.4, 0u},
                                   {100.6, 101.0, 1u},
                                   {0.4, 0.0, 1u},
                                   {99.9, 100.1, 1u},
                                   {15.0, 15.0, 0u},
                                   {0.0, 2415.0, 1u}}) {
        ui.progress.clear();
        form.lblPercent.Width = from;
        form.setPercentWidth(to);
        EXPECT_EQ(ui.progress.size(), heard) << from << " -> " << to;
        EXPECT_EQ(form.lblPercent.Width, to);
    }
}

}  // namespace
}  // namespace tessera
