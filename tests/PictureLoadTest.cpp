#include "WindowFixture.h"

namespace tessera {
namespace {

struct PictureLoad : test::WindowFixture {
    void loadScan(test::ScriptedUi::RawAnswer a) {
        ui.rawAnswers.push_back(a);
        ui.openWith(dir.path("scan.Raw"));
        form.cmdBMPLoad.click();
    }
};

TEST_F(PictureLoad, DescribesTheBitmapOrRefusesIt) {
    const auto path = loadBmp("photo.bmp", test::Picture::pattern(320, 240, 24));
    EXPECT_EQ(form.lblBMPName.Caption,
              "Image Name : \r\nphoto.bmp\r\n\r\n Width  : 320\r\n Height : 240\r\n BPP    : 24\r\n"
              " Length : 230400");
    EXPECT_EQ(form.txtVar.Text(), "photo");
    EXPECT_EQ(form.state.strImgPath, path);
    EXPECT_EQ(ui.dialogsShown.at(0)->DialogTitle, "Load BMP File");
    loadBmp("tiles.bmp", test::Picture::pattern(4, 4, 8));  // colour count field 0 means 256
    EXPECT_EQ(form.state.lngPalCount, 256);
    loadFile("fake.bmp", {0x89, 'P', 'N', 'G'});
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"Can't open this kind of image file..."});
}

TEST_F(PictureLoad, RawDialogValuesBecomeNumbers) {
    test::writeFile(dir.path("scan.Raw"), test::Bytes(1000, 7));
    loadScan({.ok = false});  // closed before any OK: the hidden labels still say 0
    EXPECT_EQ(form.state.lngWidth, 0);
    EXPECT_EQ(form.state.intBpp, 0);
    loadScan({});  // OK with the defaults
    EXPECT_EQ(form.lblBMPName.Caption,
              "Image Name : \r\nscan.Raw\r\n\r\n Width  : 320\r\n Height : 240\r\n BPP    : 8\r\n"
              " Length : 1000");
    loadScan({.width = "320.5", .height = "321.5", .bits24 = true});  // halves to even
    EXPECT_EQ(form.state.lngWidth, 320);
    EXPECT_EQ(form.state.lngHeight, 322);
    EXPECT_EQ(form.state.intBpp, 24);
    loadScan({.width = "abc", .height = "12px"});  // the leading number, or 0
    EXPECT_EQ(form.state.lngWidth, 0);
    EXPECT_EQ(form.state.lngHeight, 12);
    // Closing without OK after an OK reuses the last values; each dialog opens with defaults.
    loadScan({.width = "7", .ok = false});
    EXPECT_EQ(form.state.lngWidth, 0);
    EXPECT_EQ(ui.rawDefaultsSeen, std::vector<std::string>(5, "320x240x8"));
    loadScan({.width = "99999999999"});
    EXPECT_EQ(ui.texts().back(),
              "Can't use this picture size :(\r\nThe width \"99999999999\" is out of range.");
    EXPECT_FALSE(form.cmdBMPConvert.Enabled);
}

}  // namespace
}  // namespace tessera
