#include <gtest/gtest.h>

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

}  // namespace
}  // namespace tessera
