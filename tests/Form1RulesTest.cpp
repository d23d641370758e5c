#include <set>

#include "support/Window.h"

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
    auto join = [](Names a, const Names& b) {
        a.insert(b.begin(), b.end());
        return a;
    };
    const Names picture = join(start, {"cmdBMPConvert", "cmdBMPConvertAdd"});
    const Names fill{"Frame2", "optFill0", "optFill1"};
    EXPECT_EQ(enabled(), start);
    EXPECT_EQ(form.chkPal.Value(), 1);
    EXPECT_TRUE(form.optFill1.Value);
    loadBmp("a.bmp", Picture::pattern(2, 2, 8));
    EXPECT_EQ(enabled(),
              join(picture, {"Frame1", "chkPal", "chkOnlyPal", "Frame2", "optFill0", "optFill1"}));
    loadWav({1, 2});
    EXPECT_EQ(enabled(), join(start, {"cmdWAVConvert", "cmdWAVConvertAdd"}));
    loadBmp("b.bmp", Picture::pattern(2, 2, 24));
    EXPECT_EQ(enabled(), join(picture, fill));
    test::Bytes deep = test::buildBmp(Picture::pattern(2, 2, 8));
    test::putLe16(deep, 28, 2);  // a depth no conversion takes
    loadFile("c.bmp", deep);     // "Generate Palette" still checked: the fill options follow it
    EXPECT_EQ(enabled(), join(picture, fill));
    form.chkPal.setValue(0);
    loadFile("c.bmp", deep);
    EXPECT_EQ(enabled(), picture);
    loadWav({1, 2});
    ui.openAnswers.push_back(std::nullopt);  // a cancelled picture load
    form.cmdBMPLoad.click();
    EXPECT_EQ(enabled(), (Names{"cmdBMPLoad", "cmdWAVLoad", "cmdQuitter"}));
}

TEST_F(Form1Rules, PaletteCheckBoxes) {
    loadBmp("a.bmp", Picture::pattern(2, 2, 8));
    // Clearing "Generate Palette" greys the fill options but keeps the selected one.
    form.chkPal.click();
    EXPECT_FALSE(form.Frame2.Enabled);
    EXPECT_FALSE(form.optFill0.Enabled);
    EXPECT_FALSE(form.optFill1.Enabled);
    EXPECT_TRUE(form.optFill1.Value);
    // "Generate ONLY Palette" checks it (its rule enabling the fill options) and locks it;
    // clearing it unlocks "Generate Palette", which stays checked.
    form.chkOnlyPal.click();
    EXPECT_EQ(form.chkPal.Value(), 1);
    EXPECT_FALSE(form.chkPal.Enabled);
    EXPECT_TRUE(form.Frame2.Enabled);
    EXPECT_TRUE(form.optFill0.Enabled);
    form.chkOnlyPal.click();
    EXPECT_TRUE(form.chkPal.Enabled);
    EXPECT_EQ(form.chkPal.Value(), 1);
    // With "Generate Palette" already checked, only the lock changes.
    form.chkOnlyPal.click();
    EXPECT_FALSE(form.chkPal.Enabled);
    EXPECT_TRUE(form.Frame2.Enabled);
    // A new 8-bit load enables "Generate Palette" again, so it can be cleared on its own.
    loadBmp("b.bmp", Picture::pattern(2, 2, 8));
    form.chkPal.click();
    EXPECT_EQ(form.chkPal.Value(), 0);
    EXPECT_EQ(form.chkOnlyPal.Value(), 1);
}

// A writer reports millions of times: the view hears only of whole-twip changes and resets, while
// the model keeps the exact width.
TEST_F(Form1Rules, ProgressViewHearsOnlyWholeTwipChanges) {
    struct Row {
        double from;
        double to;
        std::size_t heard;
    };
    const Row rows[] = {
        {.from = 100.2, .to = 100.4, .heard = 0}, {.from = 100.6, .to = 101.0, .heard = 1},
        {.from = 0.4, .to = 0.0, .heard = 1},     {.from = 99.9, .to = 100.1, .heard = 1},
        {.from = 15.0, .to = 15.0, .heard = 0},   {.from = 0.0, .to = 2415.0, .heard = 1}};
    for (const Row& row : rows) {
        form.setPercentWidth(row.from);
        ui.progress.clear();
        form.setPercentWidth(row.to);
        EXPECT_EQ(ui.progress.size(), row.heard) << row.from << " -> " << row.to;
        EXPECT_EQ(form.lblPercent.Width, row.to);
    }
}

}  // namespace
}  // namespace tessera
