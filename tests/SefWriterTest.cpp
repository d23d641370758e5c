#include "WindowFixture.h"

namespace tessera {
namespace {

using test::Bytes;

struct SefWriter : test::WindowFixture {};

TEST_F(SefWriter, TagLengthAndUnsignedSamples) {
    const Bytes tag{0x73, 0x65, 0x66, 0x20};
    for (auto [data, bits, channels, expected] : std::vector<std::tuple<Bytes, int, int, Bytes>>{
             {{0x80, 0x7F, 0x81}, 8, 1, {3, 0, 0, 0, 0x80, 0x7F, 0x81}},
             {{0x00, 0x00, 0xFF, 0x7F, 0x00, 0x80}, 16, 1, {6, 0, 0, 0, 0, 0x80, 0xFF, 0xFF, 0, 0}},
             // An odd 16-bit length stays in the header while the half sample is dropped.
             {{1, 0, 2, 0, 3, 0xFF, 0x44}, 16, 1, {7, 0, 0, 0, 1, 0x80, 2, 0x80, 3, 0x7F}},
             {{1, 1, 2, 2, 3, 3, 4, 4}, 16, 2, {8, 0, 0, 0, 1, 0x81, 2, 0x82, 3, 0x83, 4, 0x84}}}) {
        loadWav(data, {.channels = static_cast<std::uint16_t>(channels),
                       .bits = static_cast<std::uint16_t>(bits)});
        test::writeFile(dir.path("tune.sef"), Bytes(100, 0xAB));  // a longer old file goes whole
        expected.insert(expected.begin(), tag.begin(), tag.end());
        EXPECT_EQ(convertSound("tune.sef"), expected);
        EXPECT_EQ(ui.texts().back(), "Convertion done successfully :)");
    }
    const Bytes old = test::readFile(dir.path("tune.sef"));
    ui.saveAs(dir.path("tune.sef"));
    form.cmdWAVConvertAdd.click();
    EXPECT_EQ(ui.texts().back(), "Can't ADD with \".SEF\" Files :(");
    EXPECT_EQ(test::readFile(dir.path("tune.sef")), old);
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
