#include <filesystem>

#include "WindowFixture.h"

namespace tessera {
namespace {

using test::Bytes;
using test::Picture;

constexpr const char* kDone = "Convertion done successfully :)";

// The picture convert buttons end to end: save dialog, questions, writer, messages, the bar.
struct PictureCommands : test::WindowFixture {
    void convert(const std::string& name, bool add = false) {
        ui.saveAs(dir.path(name));
        (add ? form.cmdBMPConvertAdd : form.cmdBMPConvert).click();
    }
    std::string last() const { return ui.messages.empty() ? "" : ui.messages.back().text; }
    std::string text(const std::string& name) const { return test::readText(dir.path(name)); }
};

TEST_F(PictureCommands, NewFilesAskBeforeOverwritingAndAddedOnesAlways) {
    Picture p = Picture::pattern(4, 4, 8);
    p.palette.resize(4);
    loadBmp("pic.bmp", p);
    convert("pic.h");  // no file yet: no question
    EXPECT_EQ(ui.proposedNames.back(), "pic");
    EXPECT_EQ(ui.texts(), std::vector<std::string>{kDone});
    EXPECT_EQ(form.lblPercent.Width, 0);
    const std::string fresh = text("pic.h");
    test::writeText(dir.path("pic.h"), "old");
    ui.questionAnswers = {MsgAnswer::No, MsgAnswer::Yes};
    convert("pic.h");
    EXPECT_EQ(ui.messages.back().style, MsgStyle::YesNoExclamation);
    EXPECT_EQ(last(), "Do you want to OVERWRITE this file :\r\npic.h  ?!?");
    EXPECT_EQ(text("pic.h"), "old");
    convert("pic.h");
    EXPECT_EQ(text("pic.h"), fresh);

    // Adding: three line ends, no include line; asked even when the file does not exist.
    convert("new.h", true);
    EXPECT_EQ(ui.messages.end()[-2].text, "Do you want to ADD data to this file :\r\nnew.h  ?!?");
    EXPECT_EQ(ui.messages.end()[-2].style, MsgStyle::YesNoQuestion);
    EXPECT_EQ(last(), kDone);
    const std::string added = text("new.h");
    EXPECT_EQ(
        added, "\r\n\r\n\r\n" + [&] {
            std::string s = fresh;
            return s.erase(s.find("#include"), std::string("#include \"gpgraphic.h\"\r\n").size());
        }());
    test::writeText(dir.path("game.h"), "int score;");
    ui.questionAnswers = {MsgAnswer::Yes, MsgAnswer::No};
    convert("game.h", true);
    convert("game.h", true);
    EXPECT_EQ(text("game.h"), "int score;" + added);
}

TEST_F(PictureCommands, OnlyDotHAndDotCInEitherCaseAreText) {
    loadBmp("pic.bmp", Picture::pattern(3, 2, 8));
    convert("pic.gpg");
    for (const char* name : {"a.h", "b.c", "c.H", "d.C", "e.Hh", "f.hpp", "g.txt"}) {
        convert(name);
        if (std::string(name).size() == 3)
            EXPECT_EQ(text(name).rfind("/////", 0), 0u) << name;
        else
            EXPECT_EQ(test::readFile(dir.path(name)), test::readFile(dir.path("pic.gpg"))) << name;
    }
}

TEST_F(PictureCommands, GpgOfTheThreeByTwoExampleAndItsProgress) {
    loadBmp("pic.bmp", make(3, 2, 8, {1, 2, 3, 4, 5, 6}));
    test::writeFile(dir.path("pic.gpg"), Bytes(100, 0xEE));  // a longer old file is replaced whole
    convert("pic.gpg");
    EXPECT_EQ(test::readFile(dir.path("pic.gpg")),
              (Bytes{0x67, 0x70, 0x67, 0x20, 12, 0, 0, 0, 4, 1, 0, 0, 5, 2, 0, 0, 6, 3, 0, 0}));
    loadBmp("big.bmp", Picture::pattern(32, 32, 8));  // 1024 indices
    convert("big.gpg");
    EXPECT_EQ(std::vector<double>(ui.progress.end() - 4, ui.progress.end()),
              (std::vector<double>{1415, 1915, 2415, 0}));
}

TEST_F(PictureCommands, RefusalsShowTheirMessageAndWriteNothing) {
    const std::string pal = "Can't export palette\r\n with \".GPG\" Files :(",
                      add = "Can't ADD with \".GPG\" Files :(",
                      gpg24 = "Only 8 bits pictures can be\r\nconverted in a \".GPG\" file :(",
                      depth = "Only 8 and 24 bits pictures can be converted :(",
                      no = "Can't convert this picture :(\r\n",
                      size = no + "Its width and height must be more than 0.",
                      big = no +
                            "It is too big: more than 67108864 pixels once its columns are "
                            "padded.",
                      colours = no + "Its colour table claims more than 256 colours.",
                      packed = no +
                               "Its pixels are packed in a way this tool does not read (only "
                               "plain pixels, 8 bits RLE and 24 bits with the usual colour "
                               "masks are read).";
    using Patch = std::vector<std::pair<std::size_t, std::uint32_t>>;  // header fields changed
    using Row = std::tuple<const char*, bool, bool, int, Patch, std::string>;  // add, only palette
    for (const auto& [name, add, onlyPalette, bpp, patch, message] :
         {Row{"x.gpg", false, true, 8, {}, pal}, Row{"x.gpg", true, true, 8, {}, pal},
          Row{"x.gpg", true, false, 8, {}, add}, Row{"x.gpg", false, false, 24, {}, gpg24},
          Row{"x.gpg", false, false, 8, {{28, 16}}, depth},
          Row{"x.h", false, false, 8, {{18, 0}}, size},
          Row{"x.h", false, false, 24, {{18, 0xFFFFFFFE}}, size},
          Row{"x.h", false, false, 8, {{18, 8193}, {22, 8192}}, big},
          Row{"x.h", false, false, 24, {{18, 0x7FFFFFFF}, {22, 0x80000000}}, big},
          Row{"x.h", false, false, 8, {{46, 300}}, colours},
          Row{"x.h", false, false, 24, {{30, 1}}, packed}}) {
        Bytes b = test::buildBmp(Picture::pattern(2, 2, bpp));
        for (const auto& [at, value] : patch)
            test::putLe32(b, at, value);
        loadFile("p.bmp", b);
        form.chkOnlyPal.setValue(onlyPalette ? 1 : 0);
        ui.messages.clear();
        convert(name, add);
        EXPECT_EQ(ui.texts().size(), add ? 2u : 1u) << message;
        EXPECT_EQ(last(), message);
        EXPECT_FALSE(std::filesystem::exists(dir.path(name))) << message;
    }
}

}  // namespace
}  // namespace tessera
