#include "WindowFixture.h"

namespace tessera {
namespace {

using test::Picture;

struct PictureLoad : test::WindowFixture {};

TEST_F(PictureLoad, DescribesTheBitmap) {
    const auto path = loadBmp("photo.bmp", Picture::pattern(320, 240, 24));
    EXPECT_EQ(form.lblBMPName.Caption,
              "Image Name : \r\nphoto.bmp\r\n\r\n Width  : 320\r\n Height : 240\r\n BPP    : 24\r\n"
              " Length : 230400");
    EXPECT_EQ(form.txtVar.Text(), "photo");
    EXPECT_EQ(form.state.intGP32Mode, 16);
    EXPECT_EQ(form.state.strImgPath, path);
    EXPECT_EQ(ui.dialogsShown.at(0)->DialogTitle, "Load BMP File");
    loadBmp("tiles.bmp", Picture::pattern(4, 4, 8));  // colour count field 0 means 256
    EXPECT_EQ(form.state.lngPalCount, 256);
    EXPECT_EQ(form.state.intGP32Mode, 8);
}

TEST_F(PictureLoad, UnknownAndVanishedFilesAreRefused) {
    loadFile("fake.bmp", {0x89, 'P', 'N', 'G'});
    EXPECT_EQ(ui.texts().back(), "Can't open this kind of image file...");
    ui.openWith(dir.path("gone.bmp"));
    form.cmdBMPLoad.click();
    EXPECT_EQ(ui.texts().back().rfind("Can't read this file :(\r\n", 0), 0u);
    EXPECT_FALSE(form.cmdBMPConvert.Enabled);
}

TEST_F(PictureLoad, RawDialogValuesBecomeNumbers) {
    test::writeFile(dir.path("scan.Raw"), test::Bytes(1000, 7));
    auto load = [&](test::ScriptedUi::RawAnswer a) {
        ui.rawAnswers.push_back(a);
        ui.openWith(dir.path("scan.Raw"));
        form.cmdBMPLoad.click();
    };
    load({.ok = false});  // closed before any OK: the hidden labels still say 0
    EXPECT_EQ(form.state.lngWidth, 0);
    EXPECT_EQ(form.state.intBpp, 0);
    load({});  // OK with the defaults
    EXPECT_EQ(form.lblBMPName.Caption,
              "Image Name : \r\nscan.Raw\r\n\r\n Width  : 320\r\n Height : 240\r\n BPP    : 8\r\n"
              " Length : 1000");
    // Leading numbers, halves rounded to even.
    load({.width = "320.5", .height = "321.5", .bits24 = true});
    EXPECT_EQ(form.state.lngWidth, 320);
    EXPECT_EQ(form.state.lngHeight, 322);
    EXPECT_EQ(form.state.intBpp, 24);
    load({.width = "abc", .height = "12px"});
    EXPECT_EQ(form.state.lngWidth, 0);
    EXPECT_EQ(form.state.lngHeight, 12);
    // Closing without OK after an OK reuses the last values; each dialog opens with defaults.
    load({.width = "7", .ok = false});
    EXPECT_EQ(form.state.lngHeight, 12);
    EXPECT_EQ(ui.rawDefaultsSeen, std::vector<std::string>(5, "320x240x8"));
    load({.width = "99999999999"});
    EXPECT_EQ(ui.texts().back(),
              "Can't use this picture size :(\r\nThe width \"99999999999\" is out of range.");
    EXPECT_FALSE(form.cmdBMPConvert.Enabled);
}

}  // namespace
}  // namespace tessera
