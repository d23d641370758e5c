// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdio>
#include <stdexcept>
#include <vector>

#include "formats/ChunkPipeline.h"
#include "formats/text/CArrayWriter.h"
#include "support/Files.h"

namespace tessera {
namespace {

// Mixed literal lengths, from 0x0 to four digits.
std::uint32_t valueAt(std::int64_t i) {
    return static_cast<std::uint32_t>((i * 2654435761u) >> (i % 29)) & 0xFFFF;
}

// The layout written the plain way, one literal after the other: sixteen to a line, ", " between
// literals, a new indented line after every sixteenth, then "};".
std::string plainLayout(std::int64_t count) {
    std::string text = "      ";
    char literal[16];
    for (std::int64_t i = 1; i <= count; ++i) {
        std::snprintf(literal, sizeof literal, "0x%X", valueAt(i - 1));
        text += literal + std::string(i != count ? ", " : "") + (i % 16 ? "" : "\r\n      ");
    }
    return text + "\r\n};\r\n";
}

TEST(CArrayWriter, EveryValueAsPrintfWritesIt) {
    for (const int minDigits : {1, 3}) {
        for (std::uint32_t v = 0; v <= 0xFFFF; ++v) {
            char expected[16];
            std::snprintf(expected, sizeof expected, "0x%0*X, ", minDigits, v);
            char got[kElementBytes];
            const std::size_t n = putHexElement(got, v, minDigits);
            ASSERT_EQ(std::string(got, n), expected) << v << " " << minDigits;
            if (minDigits == 1) {  // the ready-made literals of 16-bit values
                ASSERT_EQ(putWordElement(got, static_cast<std::uint16_t>(v)), n);
                ASSERT_EQ(std::string(got, n), expected) << v;
            }
            if (minDigits == 1 && v <= 0xFF) {  // and of bytes
                ASSERT_EQ(putByteElement(got, static_cast<std::uint8_t>(v)), n);
                ASSERT_EQ(std::string(got, n), expected) << v;
            }
        }
    }
}

// Counts around the line length and around the chunks the body is cut into on several threads.
TEST(CArrayWriter, MatchesThePlainLayoutAcrossLinesAndChunks) {
    for (const std::int64_t count : {0L, 1L, 15L, 16L, 17L, 1025L, kChunkElements,
                                     kChunkElements + 1, 5 * kChunkElements + 7}) {
        test::TempDir dir;
        std::vector<std::int64_t> progress;
        {
            TextStream out(dir.path("a.h"), OutputFile::Mode::Replace);
            const auto format = [count](std::int64_t begin, std::int64_t end, int, char* text) {
                return formatLines(
                    begin, end, count,
                    [](std::int64_t i, char* o) { return putHexElement(o, valueAt(i), 1); }, text);
            };
            writeCArrayBody(out, count, {.format = format}, 64,
                            [&](std::int64_t i, std::int64_t) { progress.push_back(i); });
            out.Close();
        }
        EXPECT_EQ(test::readText(dir.path("a.h")), plainLayout(count)) << count;
        // Whole multiples of 64, growing, at least once a chunk, up to the last one of the array.
        ASSERT_GE(progress.size(), static_cast<std::size_t>(count / kChunkElements)) << count;
        EXPECT_EQ(progress.empty() ? 0 : progress.back(), count / 64 * 64) << count;
        for (std::size_t k = 0; k < progress.size(); ++k) {
            EXPECT_EQ(progress[k] % 64, 0) << count;
            EXPECT_GT(progress[k], k == 0 ? 0 : progress[k - 1]) << count;
        }
    }
}

// A failing chunk stops the job with its error before any later chunk is finished, and those
// before it finish in order. (That every chunk finishes in order is the layout test's business.)
TEST(ChunkPipeline, StopsAtAFailure) {
    for (const std::int64_t failing : {0L, 37L, 99L}) {
        std::vector<std::int64_t> finished;
        const ChunkSteps steps{.work =
                                   [&](std::int64_t k, int) {
                                       if (k == failing)
                                           throw std::runtime_error("chunk failed");
                                   },
                               .finish = [&](std::int64_t k, int) { finished.push_back(k); }};
        EXPECT_THROW(runChunks(100, steps), std::runtime_error) << failing;
        ASSERT_LE(static_cast<std::int64_t>(finished.size()), failing);
        for (std::size_t k = 0; k < finished.size(); ++k)
            EXPECT_EQ(finished[k], static_cast<std::int64_t>(k));
    }
}

}  // namespace
}  // namespace tessera
