#pragma once

#include <cstdint>

namespace tessera::gp32 {

// What the GP32 expects of picture data, in one place.

// A screen colour: red in bits 15-11, green in 10-6, blue in 5-1, and the intensity bit in bit 0.
// Each 8-bit component keeps its five high bits.
constexpr std::uint16_t colour(std::uint8_t red, std::uint8_t green, std::uint8_t blue,
                               std::int32_t fillBit) {
    return static_cast<std::uint16_t>((red / 8) * 2048 + (green / 8) * 64 + (blue / 8) * 2 +
                                      (fillBit & 1));
}
static_assert(colour(255, 255, 255, 0) == 0xFFFE);
static_assert(colour(255, 255, 255, 1) == 0xFFFF);
static_assert(colour(200, 100, 50, 1) == 0xCB0D);
static_assert(colour(255, 0, 0, 0) == 0xF800);
static_assert(colour(0, 255, 0, 0) == 0x7C0);
static_assert(colour(0, 0, 255, 0) == 0x3E);

// The GP32's frame buffer runs column after column from the left, each column from the bottom row
// up: a picture is stored turned a quarter turn, each column padded to a multiple of 4 pixels so
// every column starts on a word boundary.
struct ScreenOrder {
    std::int64_t width = 0;
    std::int64_t height = 0;

    constexpr std::int64_t padding() const { return (4 - height % 4) % 4; }
    constexpr std::int64_t columnLength() const { return height + padding(); }
    constexpr std::int64_t count() const { return columnLength() * width; }

    // 1-based element of file row i, column j (both 1-based) of a bitmap stored bottom row first:
    // the column's padding lies above its top pixel.
    constexpr std::int64_t bottomUpElement(std::int64_t i, std::int64_t j) const {
        return columnLength() * (j - 1) + i;
    }
    // The same for a RAW picture, stored top row first: the padding lies below the bottom pixel.
    constexpr std::int64_t topDownElement(std::int64_t i, std::int64_t j) const {
        return columnLength() * j - i + 1;
    }
};
static_assert(ScreenOrder{3, 2}.count() == 12);
static_assert(ScreenOrder{3, 2}.bottomUpElement(2, 3) == 10);
static_assert(ScreenOrder{2, 3}.topDownElement(1, 1) == 4);
static_assert(ScreenOrder{2, 3}.topDownElement(3, 2) == 6);
static_assert(ScreenOrder{5, 8}.padding() == 0);

// The text layout of every generated array: 16 literals a line after a six-blank indent.
inline constexpr int kLiteralsPerLine = 16;
inline constexpr const char* kIndent = "      ";
// The suffixes of the #define names; a picture's fill twelve characters, so the values line up.
inline constexpr const char* kWidthSuffix = "_width      ";
inline constexpr const char* kHeightSuffix = "_height     ";
inline constexpr const char* kPalnbSuffix = "_palnb      ";
inline constexpr const char* kLengthSuffix = "_length      ";
// A palette is declared in the SDK's graphics header, which a block of C text includes first.
inline constexpr const char* kGraphicsInclude = "#include \"gpgraphic.h\"";

}  // namespace tessera::gp32
