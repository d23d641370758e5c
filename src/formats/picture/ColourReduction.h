// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace tessera {

// The palette step: a picture's colours become indices into a palette of GP32 colours. Entries
// are GP32 colours, so two source colours with the same 5-bit channels are one entry.
//
// A colour word is a GP32 colour with its intensity bit clear (red in bits 15-11, green 10-6,
// blue 5-1): at most 32,768 of them, so a histogram of every picture and a table from every
// colour to its entry each fit in a few hundred kilobytes, whatever the picture's size.
using ColourWord = std::uint16_t;
// What the step counts for a see-through pixel: the one odd word.
inline constexpr std::uint16_t kSeeThrough = 1;
inline constexpr int kWordCount = 1 << 16;

inline constexpr int kMinColours = 2;
inline constexpr int kMaxColours = 256;

constexpr ColourWord colourWord(int red5, int green5, int blue5) {
    return static_cast<ColourWord>(red5 << 11 | green5 << 6 | blue5 << 1);
}
constexpr int red5(ColourWord w) {
    return w >> 11 & 31;
}
constexpr int green5(ColourWord w) {
    return w >> 6 & 31;
}
constexpr int blue5(ColourWord w) {
    return w >> 1 & 31;
}
// A 5-bit channel as 8 bits, its top bits repeated, so reading it back keeps exactly its 5 bits.
constexpr std::uint8_t widen5(int c) {
    return static_cast<std::uint8_t>(c << 3 | c >> 2);
}
// A colour given as 0xRRGGBB.
constexpr ColourWord colourWordOf(std::uint32_t rgb) {
    return colourWord(static_cast<int>(rgb >> 19 & 31), static_cast<int>(rgb >> 11 & 31),
                      static_cast<int>(rgb >> 3 & 31));
}
static_assert(colourWordOf(0xFF00FF) == 0xF83E);
static_assert(colourWord(31, 31, 31) == 0xFFFE && widen5(31) == 255 && widen5(16) == 132);

// What the user asks of the step; inactive by default, so the window writes its own bytes.
struct PaletteOptions {
    int colours = 0;                 // 2 to 256: reduce to at most that many entries
    std::vector<ColourWord> target;  // a palette to map onto, its count and order kept
    // Pixels of this colour, and pixels whose alpha is below half, are see-through: index 0,
    // entry 0 this colour.
    std::optional<ColourWord> transparent;
    bool byAlpha = true;  // with a transparent colour: pixels whose alpha is below half too
    bool dither = false;  // error diffusion where a colour has no entry of its own

    bool active() const { return colours != 0 || !target.empty(); }
};

// Pixels of each colour word (and see-through pixels, at kSeeThrough) in one or more pictures.
struct ColourCounts {
    std::vector<std::uint64_t> pixels = std::vector<std::uint64_t>(kWordCount);
    void add(const ColourCounts& other);
};

// The palette for the counted colours. When they fit (see-through pixels aside) it holds each of
// them once, dark to light (ties by colour word); otherwise the quantizer chooses it. Entry 0 is
// the transparent colour when there is one. Neither depends on the order the pixels came in.
std::vector<ColourWord> choosePalette(const ColourCounts& counts, const PaletteOptions& options);

// The entry of every colour word (and of kSeeThrough): a colour in the palette gets its first
// entry, any other the nearest (squared distance of the 5-bit channels, the lowest entry on a
// tie). With a transparent colour, entry 0 is kept for see-through pixels.
using IndexTable = std::vector<std::uint8_t>;
IndexTable indexTable(std::span<const ColourWord> palette, const PaletteOptions& options);
// The same for one colour word.
std::uint8_t entryOf(std::span<const ColourWord> palette, const PaletteOptions& options,
                     ColourWord w);

}  // namespace tessera
