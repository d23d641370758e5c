// SPDX-License-Identifier: GPL-3.0-or-later
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

TEST_F(Form1Rules, SteadyStatesAndPaletteCheckBoxes) {
    const Names start{"cmdBMPLoad", "cmdWAVLoad", "cmdQuitter", "txtVar"};
    auto join = [](Names a, const Names& b) {
        a.insert(b.begin(), b.end());
        return a;
    };
    const Names picture = join(start, {"cmdBMPConvert", "cmdBMPConvertAdd"});
    EXPECT_EQ(enabled(), start);
    loadBmp("a.bmp", Picture::pattern(2, 2, 8));
    EXPECT_EQ(enabled(),
              join(picture, {"Frame1", "chkPal", "chkOnlyPal", "Frame2", "optFill0", "optFill1"}));
    loadWav({1, 2});
    EXPECT_EQ(enabled(), join(start, {"cmdWAVConvert", "cmdWAVConvertAdd"}));
    loadBmp("b.bmp", Picture::pattern(2, 2, 24));  // the fill options follow "Generate Palette"
    EXPECT_EQ(enabled(), join(picture, {"Frame2", "optFill0", "optFill1"}));
    loadWav({1, 2});
    ui.openAnswers.push_back(std::nullopt);  // a cancelled picture load
    form.cmdBMPLoad.click();
    EXPECT_EQ(enabled(), (Names{"cmdBMPLoad", "cmdWAVLoad", "cmdQuitter"}));

    loadBmp("a.bmp", Picture::pattern(2, 2, 8));
    // Clearing "Generate Palette" greys the fill options but keeps the selected one.
    form.chkPal.click();
    EXPECT_FALSE(form.Frame2.Enabled || form.optFill0.Enabled || form.optFill1.Enabled);
    EXPECT_TRUE(form.optFill1.Value);
    // "Generate ONLY Palette" checks it (its rule enabling the fill options) and locks it;
    // clearing it unlocks "Generate Palette", which stays checked.
    form.chkOnlyPal.click();
    EXPECT_EQ(form.chkPal.Value(), 1);
    EXPECT_FALSE(form.chkPal.Enabled);
    EXPECT_TRUE(form.optFill0.Enabled);
    form.chkOnlyPal.click();
    EXPECT_TRUE(form.chkPal.Enabled);
    EXPECT_EQ(form.chkPal.Value(), 1);
}

// A 24-bit picture always takes the intensity bit, "Generate Palette" cleared or not.
TEST_F(Form1Rules, ColourPicturesOfferTheFillBitWhateverThePaletteBox) {
    loadBmp("a.bmp", Picture::pattern(2, 2, 8));
    form.chkPal.click();
    loadBmp("b.bmp", Picture::pattern(2, 2, 24));
    EXPECT_EQ(form.chkPal.Value(), 0);
    EXPECT_TRUE(form.Frame2.Enabled && form.optFill0.Enabled && form.optFill1.Enabled);
}

// A writer reports millions of times: the view hears only of whole-twip changes and resets, while
// the model keeps the exact width.
TEST_F(Form1Rules, ProgressViewHearsOnlyWholeTwipChanges) {
    form.setPercentWidth(100.2);
    ui.progress.clear();
    form.setPercentWidth(100.4);
    EXPECT_EQ(form.lblPercent.Width, 100.4);
    form.setPercentWidth(101.1);  // a new whole twip, then the reset
    form.setPercentWidth(0.0);
    EXPECT_EQ(ui.progress, (std::vector<double>{101.1, 0.0}));
}

}  // namespace
}  // namespace tessera
