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
    const std::string palette = "Can't export palette\r\n with \".GPG\" Files :(",
                      add = "Can't ADD with \".GPG\" Files :(",
                      gpg24 = "Only 8 bits pictures can be\r\nconverted in a \".GPG\" file :(",
                      depth = "Only 8 and 24 bits pictures can be converted :(",
                      cant = "Can't convert this picture :(\r\n",
                      size = cant + "Its width and height must be more than 0.",
                      big = cant +
                            "It is too big: more than 67108864 pixels once its columns are "
                            "padded.",
                      colours = cant + "Its colour table claims more than 256 colours.",
                      packed = cant +
                               "Its pixels are packed in a way this tool does not read "
                               "(only plain pixels, 8 bits RLE and 24 bits with the usual "
                               "colour masks are read).";
    struct Case {
        std::string name;
        bool add, onlyPalette;
        int bpp;
        std::vector<std::pair<std::size_t, std::uint32_t>> patch;  // header fields changed
        std::string message;
    };
    for (const Case& c :
         std::vector<Case>{{"x.gpg", false, true, 8, {}, palette},
                           {"x.gpg", true, true, 8, {}, palette},
                           {"x.gpg", true, false, 8, {}, add},
                           {"x.gpg", false, false, 24, {}, gpg24},
                           {"x.gpg", false, false, 8, {{28, 16}}, depth},
                           {"x.h", false, false, 8, {{18, 0}}, size},
                           {"x.h", false, false, 24, {{18, 0xFFFFFFFE}}, size},
                           {"x.h", false, false, 8, {{18, 8193}, {22, 8192}}, big},
                           {"x.h", false, false, 24, {{18, 0x7FFFFFFF}, {22, 0x80000000}}, big},
                           {"x.h", false, false, 8, {{46, 300}}, colours},
                           {"x.h", false, false, 24, {{30, 1}}, packed}}) {
        Bytes b = test::buildBmp(Picture::pattern(2, 2, c.bpp));
        for (const auto& [at, value] : c.patch)
            test::putLe32(b, at, value);
        loadFile("p.bmp", b);
        form.chkOnlyPal.setValue(c.onlyPalette ? 1 : 0);
        ui.messages.clear();
        convert(c.name, c.add);
        EXPECT_EQ(ui.texts().size(), c.add ? 2u : 1u) << c.message;
        EXPECT_EQ(last(), c.message);
        EXPECT_FALSE(std::filesystem::exists(dir.path(c.name))) << c.message;
    }
}

TEST_F(PictureCommands, AFailedConversionLeavesTheOldFileByteForByte) {
    std::filesystem::remove(loadBmp("pic.bmp", Picture::pattern(4, 4, 8)));
    const Bytes old{'k', 'e', 'e', 'p', '\r', '\n'};
    for (const bool add : {false, true}) {
        for (const char* name : {"old.h", "old.gpg"}) {
            test::writeFile(dir.path(name), old);
            ui.messages.clear();
            convert(name, add);
            EXPECT_EQ(test::readFile(dir.path(name)), old) << name << add;
        }
        EXPECT_EQ(last().rfind(add ? "Can't ADD" : "Can't read this file :(\r\n", 0), 0u);
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.dir()), {}), 2);
}

}  // namespace
}  // namespace tessera
