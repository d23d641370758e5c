#include <filesystem>

#include "support/Window.h"

namespace tessera {
namespace {

using test::Bytes;
using test::Picture;

constexpr const char* kDone = "Convertion done successfully :)";

// The picture convert buttons end to end: save dialog, questions, writer, messages, the bar.
using PictureCommands = test::WindowFixture;

TEST_F(PictureCommands, NewFilesAskBeforeOverwritingAndAddedOnesAlways) {
    loadBmp("pic.bmp", Picture::pattern(4, 4, 8));
    const std::string fresh = convert("pic.h");  // no file yet: no question
    EXPECT_EQ(ui.proposedNames.back(), "pic");
    EXPECT_EQ(ui.texts(), std::vector<std::string>{kDone});
    EXPECT_EQ(form.lblPercent.Width, 0);
    test::writeText(dir.path("pic.h"), "old");
    ui.questionAnswers = {MsgAnswer::No, MsgAnswer::Yes};
    EXPECT_EQ(convert("pic.h"), "old");
    EXPECT_EQ(ui.messages.back().style, MsgStyle::YesNoExclamation);
    EXPECT_EQ(ui.texts().back(), "Do you want to OVERWRITE this file :\r\npic.h  ?!?");
    EXPECT_EQ(convert("pic.h"), fresh);

    // Adding: three line ends, no include line; asked even when the file does not exist.
    const std::string added = convert("new.h", true);
    EXPECT_EQ(ui.messages.end()[-2].text, "Do you want to ADD data to this file :\r\nnew.h  ?!?");
    EXPECT_EQ(ui.messages.end()[-2].style, MsgStyle::YesNoQuestion);
    EXPECT_EQ(ui.texts().back(), kDone);
    const std::string include = "#include \"gpgraphic.h\"\r\n";
    EXPECT_EQ(added,
              "\r\n\r\n\r\n" + std::string(fresh).erase(fresh.find(include), include.size()));
    test::writeText(dir.path("game.h"), "int score;");
    ui.questionAnswers = {MsgAnswer::Yes, MsgAnswer::No};
    convert("game.h", true);
    EXPECT_EQ(convert("game.h", true), "int score;" + added);
}

TEST_F(PictureCommands, OnlyDotHAndDotCInEitherCaseAreText) {
    loadBmp("pic.bmp", Picture::pattern(3, 2, 8));
    const std::string gpg = convert("pic.gpg");
    for (const char* name : {"a.h", "b.c", "c.H", "d.C", "e.Hh", "f.hpp", "g.txt"})
        EXPECT_EQ(convert(name).rfind(std::string(name).size() == 3 ? "/////" : gpg, 0), 0u)
            << name;
}

TEST_F(PictureCommands, GpgOfTheThreeByTwoExampleAndItsProgress) {
    loadBmp("pic.bmp", make(3, 2, 8, {1, 2, 3, 4, 5, 6}));
    test::writeFile(dir.path("pic.gpg"), Bytes(100, 0xEE));  // a longer old file is replaced whole
    const Bytes gpg{0x67, 0x70, 0x67, 0x20, 12, 0, 0, 0, 4, 1, 0, 0, 5, 2, 0, 0, 6, 3, 0, 0};
    EXPECT_EQ(convert("pic.gpg"), std::string(gpg.begin(), gpg.end()));
    loadBmp("big.bmp", Picture::pattern(32, 32, 8));  // 1024 indices
    convert("big.gpg");
    EXPECT_EQ(std::vector<double>(ui.progress.end() - 4, ui.progress.end()),
              (std::vector<double>{1415, 1915, 2415, 0}));
}

TEST_F(PictureCommands, RefusalsShowTheirMessageAndWriteNothing) {
    const std::string pal = "Can't export palette\r\n with \".GPG\" Files :(",
                      add = "Can't ADD with \".GPG\" Files :(",
                      gpg24 = "Only 8 bits pictures can be\r\nconverted in a \".GPG\" file :(",
                      no = "Can't convert this picture :(\r\n",
                      depth = no +
                              "It has 2 bits per pixel; bitmaps of 1, 4, 8, 16, 24 and 32 bits are "
                              "read (`convert IN.bmp BMP3:OUT.bmp` writes a plain 24-bit copy).",
                      size = no + "Its width and height must be more than 0.",
                      big = no +
                            "It is too big: more than 67108864 pixels once its columns are "
                            "padded.",
                      colours = no + "Its colour table claims more than 256 colours.",
                      packed = no +
                               "Its 24 bits pixels are packed in a way this tool does not read "
                               "(compression 1); plain pixels, RLE at 4 and 8 bits and bit fields "
                               "at 16 and 32 bits are read (`convert IN.bmp BMP3:OUT.bmp` writes a "
                               "plain 24-bit copy).";
    using Patch = std::vector<std::pair<std::size_t, std::uint32_t>>;  // header fields changed
    using Row = std::tuple<const char*, bool, bool, int, Patch, std::string>;  // add, only palette
    for (const auto& [name, add, onlyPalette, bpp, patch, message] :
         {Row{"x.gpg", false, true, 8, {}, pal}, Row{"x.gpg", true, true, 8, {}, pal},
          Row{"x.gpg", true, false, 8, {}, add}, Row{"x.gpg", false, false, 24, {}, gpg24},
          Row{"x.gpg", false, false, 8, {{28, 2}}, depth},
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
        EXPECT_FALSE(std::filesystem::exists(dir.path(name))) << message;
        EXPECT_EQ(ui.texts().size(), add ? 2u : 1u) << message;
        EXPECT_EQ(ui.texts().back(), message);
    }
}

}  // namespace
}  // namespace tessera
