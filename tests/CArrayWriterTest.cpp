#include <gtest/gtest.h>

#include <cstdio>

#include "export/CArrayWriter.h"
#include "support/Files.h"

namespace tessera {
namespace {

std::string body(std::int64_t count, std::vector<std::int64_t>* progress = nullptr) {
    test::TempDir dir;
    const auto path = dir.path("a.h");
    {
        TextStream out(path, OutputFile::Mode::Replace);
        writeCArrayBody(
            out, count,
            [](std::int64_t i, char* o) { return putHexLiteral(o, static_cast<std::uint32_t>(i)); },
            16,
            [&](std::int64_t i) {
                if (progress)
                    progress->push_back(i);
            });
        out.Close();
    }
    return test::readText(path);
}

TEST(CArrayWriter, LinesOfSixteenAndTheLoneIndent) {
    EXPECT_EQ(body(0), "      \r\n};\r\n");
    EXPECT_EQ(body(1), "      0x0\r\n};\r\n");
    const std::string sixteen =
        "      0x0, 0x1, 0x2, 0x3, 0x4, 0x5, 0x6, 0x7, 0x8, 0x9, 0xA, 0xB, 0xC, 0xD, 0xE, 0xF";
    EXPECT_EQ(body(16), sixteen + "\r\n      \r\n};\r\n");
    std::vector<std::int64_t> progress;
    EXPECT_EQ(body(17, &progress), sixteen + ", \r\n      0x10\r\n};\r\n");
    EXPECT_EQ(progress, std::vector<std::int64_t>{16});
}

TEST(CArrayWriter, HexLiterals) {
    char buf[kMaxLiteral];
    for (const auto& [value, text] :
         std::vector<std::pair<std::uint32_t, std::string>>{{0, "0x0"},
                                                            {7, "0x7"},
                                                            {0xFF, "0xFF"},
                                                            {0xF801, "0xF801"},
                                                            {0xFFFFFFFF, "0xFFFFFFFF"}}) {
        EXPECT_EQ(std::string(buf, putHexLiteral(buf, value)), text);
    }
}

// The layout written the plain way, one literal after the other, to hold the fast writer to.
std::string plainLayout(std::int64_t count, std::uint32_t (*value)(std::int64_t)) {
    std::string text = "      ";
    for (std::int64_t i = 1; i <= count; ++i) {
        char literal[16];
        std::snprintf(literal, sizeof literal, "0x%X", value(i - 1));
        text += literal;
        if (i != count)
            text += ", ";
        if (i % 16 == 0)
            text += "\r\n      ";
    }
    return text + "\r\n};\r\n";
}

TEST(CArrayWriter, MatchesThePlainLayoutAcrossItsBufferedBlocks) {
    // Mixed literal lengths; counts around lines and around the writer's blocks of lines.
    auto value = [](std::int64_t i) {
        return static_cast<std::uint32_t>((i * 2654435761u) >> (i % 29));
    };
    for (const std::int64_t count : {2, 15, 31, 32, 33, 1023, 1024, 1025, 3077, 20000}) {
        test::TempDir dir;
        const auto path = dir.path("a.h");
        std::vector<std::int64_t> progress;
        {
            TextStream out(path, OutputFile::Mode::Replace);
            writeCArrayBody(
                out, count, [&](std::int64_t i, char* o) { return putHexLiteral(o, value(i)); }, 64,
                [&](std::int64_t i) { progress.push_back(i); });
            out.Close();
        }
        EXPECT_EQ(test::readText(path), plainLayout(count, value)) << count;
        ASSERT_EQ(progress.size(), static_cast<std::size_t>(count / 64)) << count;
        for (std::size_t k = 0; k < progress.size(); ++k)
            EXPECT_EQ(progress[k], static_cast<std::int64_t>(64 * (k + 1)));
    }
}

TEST(CArrayWriter, HexLiteralsOfEveryLengthMatchPrintf) {
    std::vector<std::uint32_t> values;
    for (std::uint32_t v = 0; v <= 0x1FFFF; ++v)
        values.push_back(v);
    for (int bits = 17; bits <= 32; ++bits) {
        const auto top = static_cast<std::uint32_t>((std::uint64_t{1} << bits) - 1);
        values.insert(values.end(), {top, top >> 1 | 1u << (bits - 1), top - 0x1234});
    }
    char buf[kMaxLiteral];
    char expected[16];
    for (const std::uint32_t v : values) {
        std::snprintf(expected, sizeof expected, "0x%X", v);
        ASSERT_EQ(std::string(buf, putHexLiteral(buf, v)), expected) << v;
    }
}

}  // namespace
}  // namespace tessera
