#include <gtest/gtest.h>

#include <filesystem>

#include "app/InputFile.h"
#include "sound/WavChunks.h"
#include "support/Builders.h"

namespace tessera {
namespace {

using test::Bytes;

struct WavChunks : ::testing::Test {
    test::TempDir dir;
    WavReading walk(const Bytes& bytes) {
        test::writeFile(dir.path("s.wav"), bytes);
        return walkWavChunks(InputFile(dir.path("s.wav")));
    }
};

TEST_F(WavChunks, ChunksAroundFmtAndDataAreSkippedWithTheirPadByte) {
    // An 18-byte fmt, then a LIST chunk of odd size with its pad byte before the data.
    const WavReading r = walk(test::buildWav(
        {1, 2, 3, 4}, {.channels = 2,
                       .rate = 11025,
                       .bits = 16,
                       .fmtSize = 18,
                       .chunksBeforeFmt = {{{'J', 'U', 'N', 'K'}, Bytes(3, 0xEE)}},
                       .chunksBeforeData = {{{'L', 'I', 'S', 'T'}, Bytes(5, 0xDD)}}}));
    ASSERT_EQ(r.problem, WavProblem::None);
    EXPECT_EQ(r.layout.channels, 2);
    EXPECT_EQ(r.layout.sampleRate, 11025u);
    EXPECT_EQ(r.layout.bitsPerSample, 16);
    EXPECT_EQ(r.layout.dataOffset, 12 + (8 + 3 + 1) + (8 + 18) + (8 + 5 + 1) + 8);
    EXPECT_EQ(r.layout.dataLength, 4);
}

TEST_F(WavChunks, DataLengthIsCutToTheBytesTheFileHolds) {
    Bytes file = test::buildWav(Bytes(10, 0x80));
    test::putLe32(file, 40, 1000);
    EXPECT_EQ(walk(file).layout.dataLength, 10);
    file.resize(44);
    EXPECT_EQ(walk(file).layout.dataLength, 0);

    // More than 2 GB of samples cannot be described by a .sef length field.
    test::putLe32(file, 40, 0xFFFFFFF0);
    test::writeFile(dir.path("big.wav"), file);
    std::filesystem::resize_file(dir.path("big.wav"), 44 + (std::uintmax_t{1} << 31));  // sparse
    EXPECT_EQ(walkWavChunks(InputFile(dir.path("big.wav"))).problem, WavProblem::TooLong);
}

}  // namespace
}  // namespace tessera
