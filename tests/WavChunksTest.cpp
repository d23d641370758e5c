#include <gtest/gtest.h>

#include <filesystem>

#include "app/InputFile.h"
#include "sound/WavChunks.h"
#include "support/Builders.h"

namespace tessera {
namespace {

using test::Bytes;
using test::WavOptions;

struct WavChunks : ::testing::Test {
    test::TempDir dir;
    WavReading walk(const Bytes& bytes) {
        const auto path = dir.path("s.wav");
        test::writeFile(path, bytes);
        return walkWavChunks(InputFile(path));
    }
};

TEST_F(WavChunks, CanonicalHeaderGivesTheFixedOffsetFields) {
    const std::vector<WavOptions> cases{
        {.format = 1, .channels = 1, .rate = 22050, .bits = 8},
        {.format = 1, .channels = 2, .rate = 44100, .bits = 16},
        {.format = 1, .channels = 4, .rate = 8000, .bits = 24},
        {.format = 3, .channels = 2, .rate = 48000, .bits = 32},
    };
    for (const auto& o : cases) {
        const Bytes data(o.bits == 8 ? 5 : 12, 0x42);
        const Bytes file = test::buildWav(data, o);
        ASSERT_EQ(file.size(), 44 + data.size());
        const auto path = dir.path("c.wav");
        test::writeFile(path, file);
        const InputFile in(path);
        const WavReading r = walkWavChunks(in);
        ASSERT_EQ(r.problem, WavProblem::None);
        EXPECT_EQ(r.layout.formatCode, in.readU16(20));
        EXPECT_EQ(r.layout.channels, in.readU16(22));
        EXPECT_EQ(r.layout.sampleRate, in.readU32(24));
        EXPECT_EQ(r.layout.bitsPerSample, in.readU16(34));
        EXPECT_EQ(r.layout.dataLength, in.readLe32(40));
        EXPECT_EQ(r.layout.dataOffset, 44);
    }
}

TEST_F(WavChunks, ChunksAroundFmtAndDataAreSkippedWithTheirPadByte) {
    // An 18-byte fmt (cbSize), then a LIST chunk of odd size with its pad byte before the data.
    const WavOptions o{.channels = 2,
                       .rate = 11025,
                       .bits = 16,
                       .fmtSize = 18,
                       .chunksBeforeFmt = {{{'J', 'U', 'N', 'K'}, Bytes(3, 0xEE)}},
                       .chunksBeforeData = {{{'L', 'I', 'S', 'T'}, Bytes(5, 0xDD)}}};
    const WavReading r = walk(test::buildWav({1, 2, 3, 4}, o));
    ASSERT_EQ(r.problem, WavProblem::None);
    EXPECT_EQ(r.layout.channels, 2);
    EXPECT_EQ(r.layout.sampleRate, 11025u);
    EXPECT_EQ(r.layout.bitsPerSample, 16);
    // RIFF header 12, JUNK 8+3+1, fmt 8+18, LIST 8+5+1, data header 8.
    EXPECT_EQ(r.layout.dataOffset, 12 + 12 + 26 + 14 + 8);
    EXPECT_EQ(r.layout.dataLength, 4);
}

TEST_F(WavChunks, FirstFmtAndFirstDataWinWhereverTheyLie) {
    // A data chunk before the fmt chunk, and a second fmt chunk claiming another rate.
    Bytes laterFmt(16, 0);
    test::putLe32(laterFmt, 4, 8000);
    const WavOptions o{.rate = 22050,
                       .chunksBeforeFmt = {{{'d', 'a', 't', 'a'}, Bytes{7, 8, 9}}},
                       .chunksBeforeData = {{{'f', 'm', 't', ' '}, laterFmt}}};
    const WavReading r = walk(test::buildWav({1, 2, 3, 4, 5, 6}, o));
    ASSERT_EQ(r.problem, WavProblem::None);
    EXPECT_EQ(r.layout.sampleRate, 22050u);
    EXPECT_EQ(r.layout.dataOffset, 20);
    EXPECT_EQ(r.layout.dataLength, 3);
}

TEST_F(WavChunks, DataLengthIsCutToTheBytesTheFileHolds) {
    Bytes file = test::buildWav(Bytes(10, 0x80));
    test::putLe32(file, 40, 1000);
    EXPECT_EQ(walk(file).layout.dataLength, 10);
    file.resize(44);
    EXPECT_EQ(walk(file).layout.dataLength, 0);
}

TEST_F(WavChunks, BrokenFilesAreNamed) {
    const Bytes good = test::buildWav(Bytes(4, 0x80));
    auto patched = [&](std::size_t pos, const char* bytes, std::size_t n) {
        Bytes b = good;
        std::copy(bytes, bytes + n, b.begin() + static_cast<std::ptrdiff_t>(pos));
        return b;
    };
    Bytes hugeFmt = good;
    test::putLe32(hugeFmt, 16, 0x7FFFFFF0);  // runs past the end
    Bytes hugeList =
        test::buildWav(Bytes(4, 0x80), {.chunksBeforeData = {{{'L', 'I', 'S', 'T'}, Bytes(2, 0)}}});
    test::putLe32(hugeList, 40, 0xFFFFFFFF);  // a LIST running past the end hides the data
    const std::vector<std::pair<Bytes, WavProblem>> cases{
        {Bytes{}, WavProblem::NotRiffWave},
        {Bytes{'R', 'I', 'F'}, WavProblem::NotRiffWave},
        {patched(0, "RIFX", 4), WavProblem::NotRiffWave},
        {patched(8, "AVI ", 4), WavProblem::NotRiffWave},
        {patched(12, "fmX ", 4), WavProblem::NoFormat},
        {test::buildWav(Bytes(4, 0x80), {.fmtSize = 14}), WavProblem::NoFormat},
        {hugeFmt, WavProblem::NoFormat},
        {patched(36, "dat_", 4), WavProblem::NoData},
        {Bytes(good.begin(), good.begin() + 36), WavProblem::NoData},
        {hugeList, WavProblem::NoData},
    };
    for (std::size_t i = 0; i < cases.size(); ++i)
        EXPECT_EQ(walk(cases[i].first).problem, cases[i].second) << "case " << i;
}

TEST_F(WavChunks, MoreThanTwoGigabytesOfSamplesIsRefused) {
    Bytes head = test::buildWav({});
    test::putLe32(head, 40, 0xFFFFFFF0);
    const auto path = dir.path("big.wav");
    test::writeFile(path, head);
    std::filesystem::resize_file(path, 44 + (std::uintmax_t{1} << 31));  // sparse: costs nothing
    EXPECT_EQ(walkWavChunks(InputFile(path)).problem, WavProblem::TooLong);
    std::filesystem::resize_file(path, 44 + (std::uintmax_t{1} << 31) - 1);
    const WavReading r = walkWavChunks(InputFile(path));
    EXPECT_EQ(r.problem, WavProblem::None);
    EXPECT_EQ(r.layout.dataLength, 0x7FFFFFFF);
}

}  // namespace
}  // namespace tessera
