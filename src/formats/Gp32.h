// SPDX-License-Identifier: GPL-3.0-or-later
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

// What the screen makes of a colour: each channel's five bits, then the intensity bit as a
// sixth, lowest bit, spread over eight bits by repeating the top bits below them, so black stays
// 0 and full white with intensity 1 is 255.
struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend constexpr bool operator==(const Rgb&, const Rgb&) = default;
};
constexpr std::uint8_t shownChannel(int five, int intensity) {
    const int six = five << 1 | intensity;
    return static_cast<std::uint8_t>(six << 2 | six >> 4);
}
constexpr Rgb shownColour(std::uint16_t gp32) {
    const int intensity = gp32 & 1;
    return {shownChannel(gp32 >> 11 & 31, intensity), shownChannel(gp32 >> 6 & 31, intensity),
            shownChannel(gp32 >> 1 & 31, intensity)};
}
static_assert(shownColour(0xF801) == Rgb{255, 4, 4});
static_assert(shownColour(0x07C0) == Rgb{0, 251, 0});
static_assert(shownColour(0x003E) == Rgb{0, 0, 251});
static_assert(shownColour(colour(255, 255, 255, 1)) == Rgb{255, 255, 255});
static_assert(shownColour(colour(0, 0, 0, 0)) == Rgb{0, 0, 0});

// The GP32's frame buffer runs column after column from the left, each column from the bottom row
// up: a picture is stored turned a quarter turn, each column padded to a multiple of 4 pixels so
// every column starts on a word boundary.
enum class PaddingSide { AboveTop, BelowBottom };

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
    // The other way: the 0-based element of the pixel in column x and row y (both 0-based, y
    // from the top) of a picture whose padding lies on `side` of each column. A bitmap's or a
    // PNG's padding lies above its top row, a RAW picture's below its bottom row.
    constexpr std::int64_t elementAt(std::int64_t x, std::int64_t y, PaddingSide side) const {
        const std::int64_t above = side == PaddingSide::AboveTop ? padding() : 0;
        return columnLength() * x + columnLength() - 1 - y - above;
    }
};
static_assert(ScreenOrder{3, 2}.count() == 12);
static_assert(ScreenOrder{3, 2}.bottomUpElement(2, 3) == 10);
static_assert(ScreenOrder{2, 3}.topDownElement(1, 1) == 4);
static_assert(ScreenOrder{2, 3}.topDownElement(3, 2) == 6);
static_assert(ScreenOrder{5, 8}.padding() == 0);
static_assert(ScreenOrder{3, 2}.elementAt(2, 0, PaddingSide::AboveTop) ==
              ScreenOrder{3, 2}.bottomUpElement(2, 3) - 1);
static_assert(ScreenOrder{2, 3}.elementAt(0, 0, PaddingSide::BelowBottom) ==
              ScreenOrder{2, 3}.topDownElement(1, 1) - 1);
static_assert(ScreenOrder{2, 3}.elementAt(1, 2, PaddingSide::BelowBottom) ==
              ScreenOrder{2, 3}.topDownElement(3, 2) - 1);

// The text layout of every generated array: 16 literals a line after a six-blank indent.
inline constexpr int kLiteralsPerLine = 16;
inline constexpr const char* kIndent = "      ";
// The suffixes of the #define names; a picture's fill twelve characters, so the values line up.
inline constexpr const char* kWidthSuffix = "_width      ";
inline constexpr const char* kHeightSuffix = "_height     ";
inline constexpr const char* kPalnbSuffix = "_palnb      ";
inline constexpr const char* kLengthSuffix = "_length      ";
// The arrays' C types: bytes (indices, 8-bit samples), 16-bit words (colours, 16-bit samples), and
// the SDK's palette entry; a palette array is named after its picture with this suffix.
inline constexpr const char* kByteArrayType = "const unsigned char";
inline constexpr const char* kWordArrayType = "const unsigned short";
inline constexpr const char* kPaletteType = "GP_PALETTEENTRY";
inline constexpr const char* kPaletteSuffix = "_Pal";
// A palette is declared in the SDK's graphics header, which a block of C text includes first.
inline constexpr const char* kGraphicsInclude = "#include \"gpgraphic.h\"";

}  // namespace tessera::gp32
