#include <gtest/gtest.h>

#include "app/VbText.h"

namespace tessera {
namespace {

TEST(VbText, LeadingNumberRoundsHalvesToEven) {
    const std::vector<std::pair<std::string, std::int32_t>> cases{
        {"320", 320}, {"abc", 0},  {"", 0},    {"320.5", 320}, {"321.5", 322}, {"  -7", -7},
        {"12px", 12}, {"1 2", 12}, {"2.5", 2}, {"-2.5", -2},   {"1e3", 1000},  {".5", 0}};
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(valToInt32(text), expected) << text;
    }
    EXPECT_FALSE(valToInt32("2147483648"));
    EXPECT_EQ(valToInt32("2147483647"), 2147483647);
    EXPECT_FALSE(valToInt16("32768"));
    EXPECT_EQ(valToInt16("-32768"), -32768);
}

TEST(VbText, HexTitlesAndKinds) {
    EXPECT_EQ(hexText(0), "0");
    EXPECT_EQ(hexText(0xF801), "F801");
    EXPECT_EQ(hexText(7), "7");
    EXPECT_EQ(withoutExtension("photo.bmp"), "photo");
    EXPECT_EQ(withoutExtension("my.logo.raw"), "my.logo");
    EXPECT_EQ(withoutExtension("a.b"), "");
    EXPECT_EQ(fileTitleOf("/x/y/pic.bmp"), "pic.bmp");
    EXPECT_TRUE(hasKind("photo.Bmp", "bmp"));
    EXPECT_TRUE(hasKind("draw", "raw"));
    EXPECT_FALSE(hasKind("photo.bmpx", "bmp"));
    for (const char* text : {"a.h", "a.H", "a.c", "a.C"})
        EXPECT_TRUE(isTextOutput(text)) << text;
    for (const char* bin : {"a.Hh", "a.hpp", "a.txt", "a", "a.gpg"})
        EXPECT_FALSE(isTextOutput(bin));
}

}  // namespace
}  // namespace tessera
