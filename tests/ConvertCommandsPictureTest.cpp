#include <filesystem>
#include <string>

#include "PictureFixture.h"

namespace tessera {
namespace {

using test::Bytes;
using test::Picture;

constexpr const char* kDone = "Convertion done successfully :)";

// The picture convert buttons end to end: save dialog, questions, writer, messages, the bar.
struct PictureCommands : test::PictureFixture {
    // Saves through "Convert in a New File..." or "Add to an Existing File...".
    void convert(const std::string& path, bool add = false) {
        ui.saveAs(path);
        (add ? form.cmdBMPConvertAdd : form.cmdBMPConvert).click();
    }
    std::string lastMessage() const { return ui.messages.empty() ? "" : ui.messages.back().text; }
};

TEST_F(PictureCommands, NewHeaderAsksBeforeOverwriting) {
    loadBmp("pic.bmp", Picture::pattern(3, 2, 24));
    const auto out = dir.path("pic.h");
    convert(out);  // no file yet: no question
    EXPECT_EQ(ui.proposedNames.back(), "pic");
    EXPECT_EQ(ui.dialogsShown.back()->DialogTitle, "Save Converted  File");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, kDone);
    EXPECT_EQ(ui.messages[0].style, MsgStyle::OkOnly);
    EXPECT_EQ(form.lblPercent.Width, 0);
    const std::string first = test::readText(out);
    EXPECT_EQ(first.rfind("/////", 0), 0u);

    test::writeText(out, "old");
    ui.progress.clear();
    ui.questionAnswers.push_back(MsgAnswer::No);
    convert(out);
    EXPECT_EQ(ui.messages.back().text, "Do you want to OVERWRITE this file :\r\npic.h  ?!?");
    EXPECT_EQ(ui.messages.back().style, MsgStyle::YesNoExclamation);
    EXPECT_EQ(test::readText(out), "old");
    EXPECT_TRUE(ui.progress.empty());

    ui.questionAnswers.push_back(MsgAnswer::Yes);
    convert(out);
    EXPECT_EQ(lastMessage(), kDone);
    EXPECT_EQ(test::readText(out), first);
    EXPECT_EQ(ui.progress.back(), 0);

    // A title too short to lose an extension proposes an empty name and goes on.
    loadBmp("bmp", Picture::pattern(1, 1, 24));
    convert(dir.path("short.h"));
    EXPECT_EQ(ui.proposedNames.back(), "");
    EXPECT_EQ(lastMessage(), kDone);
}

TEST_F(PictureCommands, AddingAppendsAfterThreeLineEndsWithoutTheInclude) {
    Picture p = Picture::pattern(4, 4, 8);
    p.palette.resize(4);
    loadBmp("tiles.bmp", p);
    const auto fresh = dir.path("fresh.h");
    convert(fresh, true);  // asked even though the file does not exist
    EXPECT_EQ(ui.messages.at(0).text, "Do you want to ADD data to this file :\r\nfresh.h  ?!?");
    EXPECT_EQ(ui.messages.at(0).style, MsgStyle::YesNoQuestion);
    EXPECT_EQ(lastMessage(), kDone);
    const std::string added = test::readText(fresh);
    EXPECT_EQ(added.rfind("\r\n\r\n\r\n/////", 0), 0u);
    EXPECT_EQ(added.find("#include"), std::string::npos);

    const auto existing = dir.path("game.h");
    test::writeText(existing, "int score;");
    convert(existing, true);
    EXPECT_EQ(test::readText(existing), "int score;" + added);

    ui.questionAnswers.push_back(MsgAnswer::No);
    convert(existing, true);
    EXPECT_EQ(test::readText(existing), "int score;" + added);
}

TEST_F(PictureCommands, OnlyDotHAndDotCInEitherCaseAreText) {
    loadBmp("pic.bmp", Picture::pattern(3, 2, 8));
    const Bytes gpg = [&] {
        convert(dir.path("pic.gpg"));
        return test::readFile(dir.path("pic.gpg"));
    }();
    for (const char* name : {"a.h", "b.c", "c.H", "d.C"}) {
        convert(dir.path(name));
        EXPECT_EQ(test::readText(dir.path(name)).rfind("/////", 0), 0u) << name;
    }
    for (const char* name : {"e.Hh", "f.hpp", "g.txt", "noextension"}) {
        convert(dir.path(name));
        EXPECT_EQ(test::readFile(dir.path(name)), gpg) << name;
        EXPECT_EQ(lastMessage(), kDone) << name;
    }
}

TEST_F(PictureCommands, GpgOfTheThreeByTwoExample) {
    Picture p = Picture::pattern(3, 2, 8);
    p.pixels = {1, 2, 3, 4, 5, 6};  // top row 1 2 3, bottom row 4 5 6
    loadBmp("pic.bmp", p);
    const auto out = dir.path("pic.gpg");
    test::writeFile(out, Bytes(100, 0xEE));  // a longer old file is replaced whole
    convert(out);
    EXPECT_EQ(test::readFile(out),
              (Bytes{0x67, 0x70, 0x67, 0x20, 12, 0, 0, 0, 4, 1, 0, 0, 5, 2, 0, 0, 6, 3, 0, 0}));
    EXPECT_EQ(lastMessage(), kDone);

    loadRaw("pic.raw", p);  // RAW: padding below the bottom pixel
    convert(out);
    EXPECT_EQ(test::readFile(out),
              (Bytes{0x67, 0x70, 0x67, 0x20, 12, 0, 0, 0, 0, 0, 4, 1, 0, 0, 5, 2, 0, 0, 6, 3}));
}

TEST_F(PictureCommands, GpgProgressEvery512Bytes) {
    loadBmp("big.bmp", Picture::pattern(32, 32, 8));  // 1024 indices
    ui.progress.clear();
    convert(dir.path("big.gpg"));
    ASSERT_EQ(ui.progress.size(), 32u + 3u);
    EXPECT_EQ(ui.progress[31], 1415);
    EXPECT_EQ(std::vector<double>(ui.progress.begin() + 32, ui.progress.end()),
              (std::vector<double>{1915, 2415, 0}));
    EXPECT_EQ(test::readFile(dir.path("big.gpg")).size(), 8u + 1024u);
}

TEST_F(PictureCommands, RefusalsShowTheirMessageAndWriteNothing) {
    struct Case {
        const char* what;
        int bpp;
        bool onlyPalette, add;
        std::string name, message;
    };
    const std::string depth = "Only 8 and 24 bits pictures can be converted :(";
    for (const Case& c : {
             Case{"palette only", 8, true, false, "x.gpg",
                  "Can't export palette\r\n with \".GPG\" Files :("},
             Case{"palette only, added", 8, true, true, "x.gpg",
                  "Can't export palette\r\n with \".GPG\" Files :("},
             Case{"added", 8, false, true, "x.gpg", "Can't ADD with \".GPG\" Files :("},
             Case{"24 bits", 24, false, false, "x.gpg",
                  "Only 8 bits pictures can be\r\nconverted in a \".GPG\" file :("},
             Case{"16 bits gpg", 16, false, false, "x.gpg", depth},
             Case{"16 bits header", 16, false, false, "x.h", depth},
             Case{"16 bits added", 16, false, true, "x.h", depth},
         }) {
        Bytes b = test::buildBmp(Picture::pattern(2, 2, c.bpp == 24 ? 24 : 8));
        test::putLe16(b, 28, static_cast<std::uint16_t>(c.bpp));
        loadFile("p.bmp", b);
        form.chkOnlyPal.setValue(c.onlyPalette ? 1 : 0);
        ui.messages.clear();
        convert(dir.path(c.name), c.add);
        EXPECT_EQ(lastMessage(), c.message) << c.what;
        EXPECT_EQ(ui.messages.size(), c.add ? 2u : 1u) << c.what;
        EXPECT_FALSE(std::filesystem::exists(dir.path(c.name))) << c.what;
        EXPECT_EQ(form.lblPercent.Width, 0) << c.what;
    }
}

TEST_F(PictureCommands, AFailedConversionLeavesTheOldFileAndSaysWhy) {
    const auto input = loadBmp("pic.bmp", Picture::pattern(4, 4, 8));
    std::filesystem::remove(input);
    for (const bool add : {false, true}) {
        for (const char* name : {"old.h", "old.gpg"}) {
            const Bytes old{'k', 'e', 'e', 'p', '\r', '\n'};
            test::writeFile(dir.path(name), old);
            ui.messages.clear();
            convert(dir.path(name), add);
            if (!add || std::string(name) == "old.h") {
                EXPECT_EQ(lastMessage().rfind("Can't read this file :(\r\n", 0), 0u) << name;
                EXPECT_EQ(ui.messages.back().style, MsgStyle::OkExclamation);
            }
            EXPECT_EQ(test::readFile(dir.path(name)), old) << name << add;
            EXPECT_EQ(form.lblPercent.Width, 0);
        }
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.dir()), {}), 2);
}

}  // namespace
}  // namespace tessera
