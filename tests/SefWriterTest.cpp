#include "WindowFixture.h"

namespace tessera {
namespace {

using test::Bytes;
using test::WavOptions;

struct SefWriter : test::WindowFixture {};

TEST_F(SefWriter, TagLengthAndUnsignedSamples) {
    for (const auto& [data, options, expected] : std::vector<std::tuple<Bytes, WavOptions, Bytes>>{
             {{0x80, 0x7F, 0x81},
              {.bits = 8},
              {0x73, 0x65, 0x66, 0x20, 3, 0, 0, 0, 0x80, 0x7F, 0x81}},
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
              {0x73, 0x65, 0x66, 0x20, 8, 0, 0, 0, 0x10, 0x81, 0x20, 0x82, 0x30, 0x83, 0x40,
               0x84}}}) {
        loadWav(data, options);
        test::writeFile(dir.path("tune.sef"), Bytes(100, 0xAB));  // a longer old file goes whole
        EXPECT_EQ(convertSound("tune.sef"), expected);
        EXPECT_EQ(ui.texts().back(), "Convertion done successfully :)");
    }
}

TEST_F(SefWriter, AddingIsRefusedAndTheFileStaysAsItWas) {
    const Bytes old{0x73, 0x65, 0x66, 0x20, 1, 0, 0, 0, 0x80};
    test::writeFile(dir.path("old.sef"), old);
    loadWav({1, 2, 3});
    ui.saveAs(dir.path("old.sef"));
    form.cmdWAVConvertAdd.click();
    EXPECT_EQ(test::readFile(dir.path("old.sef")), old);
    EXPECT_EQ(ui.texts().back(), "Can't ADD with \".SEF\" Files :(");
}

TEST_F(SefWriter, ProgressEvery2048SamplesAcrossReadBlocks) {
    Bytes data(2 * 70000);
    for (std::size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<std::uint8_t>(i * 7);
    loadWav(data, {.bits = 16});
    const Bytes sef = convertSound("tune.sef");
    ASSERT_EQ(sef.size(), 8 + data.size());
    for (std::size_t i = 0; i < data.size(); ++i)
        ASSERT_EQ(sef[8 + i], i % 2 ? data[i] ^ 0x80 : data[i]) << i;
    ASSERT_EQ(ui.progress.size(), 70000u / 2048 + 1);
    EXPECT_EQ(ui.progress[33], 2048.0 * 34 / 70000 * 2415);
}

}  // namespace
}  // namespace tessera
