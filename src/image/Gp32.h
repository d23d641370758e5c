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

// A bitmap row is stored padded to a multiple of 4 bytes; RAW rows have no padding.
constexpr std::int64_t bmpRowStride(std::int64_t width, std::int64_t bytesPerPixel) {
    return (width * bytesPerPixel + 3) / 4 * 4;
}
static_assert(bmpRowStride(3, 3) == 12 && bmpRowStride(4, 3) == 12 && bmpRowStride(1, 1) == 4);

// The largest picture converted: 64 Mi elements (a 8192 x 8192 picture), 128 MB of colours.
inline constexpr std::int64_t kMaxElements = std::int64_t{64} * 1024 * 1024;

// The progress bar: conversion fills it to 1415 twips, writing takes it on towards 2415.
inline constexpr double kConvertedWidth = 1415.0;
inline constexpr double kWritingSpan = 1000.0;

}  // namespace tessera::gp32
