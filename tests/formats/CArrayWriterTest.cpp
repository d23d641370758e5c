#include <gtest/gtest.h>

#include <cstdio>

#include "formats/text/CArrayWriter.h"
#include "support/Files.h"

namespace tessera {
namespace {

// Mixed literal lengths, from 0x0 to eight digits.
std::uint32_t valueAt(std::int64_t i) {
    return static_cast<std::uint32_t>((i * 2654435761u) >> (i % 29));
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

TEST(CArrayWriter, MatchesThePlainLayoutAcrossLinesAndBufferedBlocks) {
    for (const std::int64_t count : {0, 1, 15, 16, 17, 32, 33, 1023, 1024, 1025, 3077, 20000}) {
        test::TempDir dir;
        std::vector<std::int64_t> progress;
        {
            TextStream out(dir.path("a.h"), OutputFile::Mode::Replace);
            writeCArrayBody(
                out, count, [](std::int64_t i, char* o) { return putHexLiteral(o, valueAt(i)); },
                64, [&](std::int64_t i, std::int64_t) { progress.push_back(i); });
            out.Close();
        }
        EXPECT_EQ(test::readText(dir.path("a.h")), plainLayout(count)) << count;
        ASSERT_EQ(progress.size(), static_cast<std::size_t>(count / 64)) << count;
        for (std::size_t k = 0; k < progress.size(); ++k)
            EXPECT_EQ(progress[k], static_cast<std::int64_t>(64 * (k + 1)));
    }
}

}  // namespace
}  // namespace tessera
