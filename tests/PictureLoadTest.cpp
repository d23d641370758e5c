#include <gtest/gtest.h>

#include "app/Form1.h"
#include "support/Builders.h"
#include "support/ScriptedUi.h"

namespace tessera {
namespace {

using test::BmpOptions;
using test::Picture;
using test::ScriptedUi;
using test::TempDir;

struct PictureLoad : ::testing::Test {
    TempDir dir;
    ScriptedUi ui;
    Form1 form{ui};

    void load(const std::string& path) {
        ui.openWith(path);
        form.cmdBMPLoad.click();
    }
    std::string bmp(const std::string& name, const Picture& p, const BmpOptions& o = {}) {
        const auto path = dir.path(name);
        test::writeFile(path, test::buildBmp(p, o));
        return path;
    }
};

TEST_F(PictureLoad, Describes24BitPhotoAndEnablesFillOptions) {
    const auto path = bmp("photo.bmp", Picture::pattern(320, 240, 24));
    load(path);
    EXPECT_EQ(form.lblBMPName.Caption,
              "Image Name : \r\nphoto.bmp\r\n\r\n Width  : 320\r\n Height : 240\r\n BPP    : 24\r\n"
              " Length : 230400");
    EXPECT_EQ(form.txtVar.Text(), "photo");
    EXPECT_EQ(form.state.intGP32Mode, 16);
    EXPECT_EQ(form.state.lngDataOffset, 54);
    EXPECT_EQ(form.state.strImgPath, path);
    EXPECT_TRUE(form.cmdBMPConvert.Enabled && form.cmdBMPConvertAdd.Enabled);
    EXPECT_TRUE(form.Frame2.Enabled && form.optFill0.Enabled && form.optFill1.Enabled);
    EXPECT_FALSE(form.Frame1.Enabled || form.chkPal.Enabled || form.chkOnlyPal.Enabled);
    EXPECT_EQ(ui.dialogsShown.at(0)->DialogTitle, "Load BMP File");
    EXPECT_EQ(ui.dialogsShown.at(0)->Flags, 4096);
}

TEST_F(PictureLoad, EightBitColourCountAndCarriedOverMarks) {
    Picture p = Picture::pattern(4, 4, 8);
    load(bmp("full.bmp", p));  // colour count field 0 means 256
    EXPECT_EQ(form.state.lngPalCount, 256);
    EXPECT_EQ(form.state.intGP32Mode, 8);
    EXPECT_TRUE(form.Frame1.Enabled && form.chkPal.Enabled && form.chkOnlyPal.Enabled);
    EXPECT_TRUE(form.Frame2.Enabled);

    // "Generate ONLY Palette" checked on this picture stays checked for the next one, which
    // enables "Generate Palette" again so it can be cleared on its own.
    form.chkOnlyPal.click();
    p.palette.resize(16);
    load(bmp("small.bmp", p));
    EXPECT_EQ(form.state.lngPalCount, 16);
    EXPECT_TRUE(form.chkPal.Enabled);
    form.chkPal.click();
    EXPECT_EQ(form.chkPal.Value(), 0);
    EXPECT_EQ(form.chkOnlyPal.Value(), 1);
    EXPECT_FALSE(form.Frame2.Enabled);

    // A 16-bit picture: the 8-bit options stay off, the fill options follow "Generate Palette".
    load(bmp("deep.bmp", Picture::pattern(2, 2, 16)));
    EXPECT_EQ(form.state.intGP32Mode, 16);
    EXPECT_FALSE(form.chkPal.Enabled);
    EXPECT_FALSE(form.Frame2.Enabled);
}

TEST_F(PictureLoad, TopDownAndCompressedPicturesAreDescribedAsStored) {
    load(bmp("top.bmp", Picture::pattern(3, 5, 8), {.topDown = true}));
    EXPECT_EQ(form.state.lngHeight, -5);
    EXPECT_NE(form.lblBMPName.Caption.find(" Height : -5\r\n"), std::string::npos);
    load(bmp("rle.bmp", Picture::pattern(8, 3, 8), {.compression = 1}));
    EXPECT_EQ(form.state.lngWidth, 8);
    EXPECT_TRUE(form.cmdBMPConvert.Enabled);
}

TEST_F(PictureLoad, MixedCaseNamesAreKnownAndShortTitlesProposeNothing) {
    load(bmp("photo.Bmp", Picture::pattern(2, 2, 24)));
    EXPECT_EQ(form.state.lngWidth, 2);
    EXPECT_EQ(form.txtVar.Text(), "photo");
    load(bmp("a.b", Picture::pattern(2, 2, 24)));  // not a picture name at all
    EXPECT_EQ(ui.texts().back(), "Can't open this kind of image file...");
    load(bmp("bmp", Picture::pattern(5, 1, 24)));  // three characters, and a BMP by its name
    EXPECT_EQ(form.state.lngWidth, 5);
    EXPECT_EQ(form.txtVar.Text(), "");
    EXPECT_TRUE(form.cmdBMPConvert.Enabled);
}

TEST_F(PictureLoad, RefusedAndFailedLoadsDisableEveryConvertControl) {
    load(bmp("ok.bmp", Picture::pattern(2, 2, 8)));
    test::writeText(dir.path("fake.bmp"), "\x89PNG not a bitmap");
    load(dir.path("fake.bmp"));
    EXPECT_EQ(ui.messages.back().text, "Can't open this kind of image file...");
    EXPECT_EQ(ui.messages.back().style, MsgStyle::OkOnly);
    EXPECT_EQ(form.state.lngWidth, 2);  // the picture variables keep their values
    EXPECT_EQ(form.lblBMPName.Caption, "");
    EXPECT_FALSE(form.cmdBMPConvert.Enabled || form.txtVar.Enabled || form.chkPal.Enabled);

    load(dir.path("gone.bmp"));
    EXPECT_EQ(ui.messages.back().text.rfind("Can't read this file :(\r\n", 0), 0u);
    EXPECT_FALSE(form.cmdBMPConvert.Enabled);

    const auto before = ui.messages.size();
    ui.openAnswers.push_back(std::nullopt);  // Cancel: silent
    form.cmdBMPLoad.click();
    EXPECT_EQ(ui.messages.size(), before);
    EXPECT_FALSE(form.cmdBMPConvert.Enabled || form.cmdWAVConvert.Enabled);
}

TEST_F(PictureLoad, RawDialogValuesBecomeNumbers) {
    const auto path = dir.path("scan.Raw");
    test::writeFile(path, test::Bytes(1000, 7));

    // Closed without OK before any OK: the hidden labels still say 0.
    ui.rawAnswers.push_back({.ok = false});
    load(path);
    EXPECT_EQ(form.state.lngWidth, 0);
    EXPECT_EQ(form.state.intBpp, 0);
    EXPECT_EQ(form.state.intGP32Mode, 16);

    load(path);  // OK with the defaults
    EXPECT_EQ(form.lblIMGWidth.Caption, "320");
    EXPECT_EQ(form.lblIMGHeight.Caption, "240");
    EXPECT_EQ(form.lblIMGbpp.Caption, "8");
    EXPECT_EQ(form.lblBMPName.Caption,
              "Image Name : \r\nscan.Raw\r\n\r\n Width  : 320\r\n Height : 240\r\n BPP    : 8\r\n"
              " Length : 1000");
    EXPECT_TRUE(form.chkPal.Enabled);

    ui.rawAnswers.push_back({.width = "abc", .height = "321.5", .bits24 = true});
    load(path);
    EXPECT_EQ(form.state.lngWidth, 0);
    EXPECT_EQ(form.state.lngHeight, 322);
    EXPECT_EQ(form.state.intBpp, 24);
    EXPECT_TRUE(form.Frame2.Enabled);

    // Closing without OK after an OK reuses the last values; each dialog opens with defaults.
    ui.rawAnswers.push_back({.width = "320.5", .ok = false});
    load(path);
    EXPECT_EQ(form.state.lngHeight, 322);
    EXPECT_EQ(ui.rawDefaultsSeen, std::vector<std::string>(4, "320x240x8"));

    ui.rawAnswers.push_back({.width = "99999999999"});
    load(path);
    EXPECT_EQ(ui.messages.back().text,
              "Can't use this picture size :(\r\nThe width \"99999999999\" is out of range.");
    EXPECT_FALSE(form.cmdBMPConvert.Enabled);
}

}  // namespace
}  // namespace tessera
