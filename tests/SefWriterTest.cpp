#include <gtest/gtest.h>

#include "app/Form1.h"
#include "support/Builders.h"
#include "support/ScriptedUi.h"

namespace tessera {
namespace {

using test::Bytes;
using test::ScriptedUi;
using test::TempDir;
using test::WavOptions;

constexpr const char* kDone = "Convertion done successfully :)";

struct SefWriter : ::testing::Test {
    TempDir dir;
    ScriptedUi ui;
    Form1 form{ui};

    void load(const Bytes& data, const WavOptions& o) {
        const auto path = dir.path("tune.wav");
        test::writeFile(path, test::buildWav(data, o));
        ui.openWith(path);
        form.cmdWAVLoad.click();
        ASSERT_TRUE(form.cmdWAVConvert.Enabled);
    }
    Bytes convert(const std::string& name = "tune.sef") {
        ui.saveAs(dir.path(name));
        form.cmdWAVConvert.click();
        return test::readFile(dir.path(name));
    }
};

TEST_F(SefWriter, TagLengthAndUnsignedSamples) {
    const std::vector<std::tuple<Bytes, WavOptions, Bytes>> cases{
        {{0x80, 0x7F, 0x81}, {.bits = 8}, {0x73, 0x65, 0x66, 0x20, 3, 0, 0, 0, 0x80, 0x7F, 0x81}},
        {{0x00, 0x00, 0xFF, 0x7F, 0x00, 0x80},
         {.bits = 16},
         {0x73, 0x65, 0x66, 0x20, 6, 0, 0, 0, 0x00, 0x80, 0xFF, 0xFF, 0x00, 0x00}},
        // An odd 16-bit length stays in the header while the half sample is dropped.
        {{0x01, 0x00, 0x02, 0x00, 0x03, 0xFF, 0x44},
         {.bits = 16},
         {0x73, 0x65, 0x66, 0x20, 7, 0, 0, 0, 0x01, 0x80, 0x02, 0x80, 0x03, 0x7F}},
        // Stereo stays interleaved.
        {{0x10, 0x01, 0x20, 0x02, 0x30, 0x03, 0x40, 0x04},
         {.channels = 2, .bits = 16},
         {0x73, 0x65, 0x66, 0x20, 8, 0, 0, 0, 0x10, 0x81, 0x20, 0x82, 0x30, 0x83, 0x40, 0x84}},
    };
    int n = 0;
    for (const auto& [data, options, expected] : cases) {
        load(data, options);
        ui.messages.clear();
        EXPECT_EQ(convert("case" + std::to_string(++n) + ".sef"), expected);
        EXPECT_EQ(ui.texts(), std::vector<std::string>{kDone});
    }
}

TEST_F(SefWriter, ProposedNameReplacesALongerFileWhole) {
    test::writeFile(dir.path("tune"), Bytes(100, 0xAB));
    load({1, 2}, {.bits = 8});
    ui.saveAs(dir.path("tune"));
    form.cmdWAVConvert.click();
    EXPECT_EQ(ui.proposedNames.back(), "tune");
    EXPECT_EQ(ui.texts(), (std::vector<std::string>{
                              "Do you want to OVERWRITE this file :\r\ntune  ?!?", kDone}));
    EXPECT_EQ(test::readFile(dir.path("tune")), (Bytes{0x73, 0x65, 0x66, 0x20, 2, 0, 0, 0, 1, 2}));
}

TEST_F(SefWriter, AddingIsRefusedAndTheFileStaysAsItWas) {
    const Bytes old{0x73, 0x65, 0x66, 0x20, 1, 0, 0, 0, 0x80};
    test::writeFile(dir.path("old.sef"), old);
    load({1, 2, 3}, {.bits = 8});
    ui.messages.clear();
    ui.saveAs(dir.path("old.sef"));
    form.cmdWAVConvertAdd.click();
    EXPECT_EQ(test::readFile(dir.path("old.sef")), old);
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[1].text, "Can't ADD with \".SEF\" Files :(");
    EXPECT_EQ(ui.messages[1].style, MsgStyle::OkOnly);
    EXPECT_EQ(form.state.bAddMode, -1);
}

TEST_F(SefWriter, ProgressEvery2048BytesOrSamples) {
    load(Bytes(5000, 0x80), {.bits = 8});
    convert();
    EXPECT_EQ(ui.progress, (std::vector<double>{2048.0 / 5000 * 2415, 4096.0 / 5000 * 2415, 0}));

    // A sound longer than one read block: every block boundary and progress step is crossed.
    Bytes data(2 * 70000);
    for (std::size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<std::uint8_t>(i * 7);
    load(data, {.bits = 16});
    ui.progress.clear();
    const Bytes sef = convert();
    ASSERT_EQ(sef.size(), 8 + data.size());
    for (std::size_t i = 0; i < data.size(); ++i) {
        const std::uint8_t expected = i % 2 ? static_cast<std::uint8_t>(data[i] ^ 0x80) : data[i];
        ASSERT_EQ(sef[8 + i], expected) << i;
    }
    ASSERT_EQ(ui.progress.size(), 70000u / 2048 + 1);
    EXPECT_EQ(ui.progress[33], 2048.0 * 34 / 70000 * 2415);
}

}  // namespace
}  // namespace tessera
