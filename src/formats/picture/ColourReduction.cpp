// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/picture/ColourReduction.h"

#include <algorithm>
#include <limits>

#include "formats/picture/Quantizer.h"

namespace tessera {

namespace {

// Brightness as the eye weighs the channels; whole numbers, so the order is the same everywhere.
int luma(ColourWord w) {
    return 299 * red5(w) + 587 * green5(w) + 114 * blue5(w);
}

bool darker(ColourWord a, ColourWord b) {
    const int la = luma(a);
    const int lb = luma(b);
    return la != lb ? la < lb : a < b;
}

}  // namespace

void ColourCounts::add(const ColourCounts& other) {
    for (std::size_t w = 0; w < pixels.size(); ++w)
        pixels[w] += other.pixels[w];
}

int distance(ColourWord a, ColourWord b) {
    const int dr = red5(a) - red5(b);
    const int dg = green5(a) - green5(b);
    const int db = blue5(a) - blue5(b);
    return dr * dr + dg * dg + db * db;
}

std::vector<ColourWord> choosePalette(const ColourCounts& counts, const PaletteOptions& options) {
    const int room = options.colours - (options.transparent ? 1 : 0);
    std::vector<ColourWord> seen;
    for (int w = 0; w < kWordCount; w += 2) {
        if (counts.pixels[static_cast<std::size_t>(w)] != 0 &&
            (!options.transparent || w != *options.transparent))
            seen.push_back(static_cast<ColourWord>(w));
    }
    std::vector<ColourWord> palette =
        std::ssize(seen) <= room ? std::move(seen) : quantize(counts, options, room);
    std::sort(palette.begin(), palette.end(), darker);
    if (options.transparent)
        palette.insert(palette.begin(), *options.transparent);
    return palette;
}

std::uint8_t entryOf(std::span<const ColourWord> palette, const PaletteOptions& options,
                     ColourWord w) {
    // Entry 0 stays for see-through pixels when there are any.
    const std::size_t from = options.transparent ? 1 : 0;
    std::size_t entry = from;
    int best = std::numeric_limits<int>::max();
    for (std::size_t e = from; e < palette.size() && best != 0; ++e) {
        const int d = distance(w, palette[e] & 0xFFFE);
        if (d < best) {  // the first of equals: a colour held twice takes its first entry
            best = d;
            entry = e;
        }
    }
    return static_cast<std::uint8_t>(entry);
}

IndexTable indexTable(std::span<const ColourWord> palette, const PaletteOptions& options) {
    IndexTable table(kWordCount, 0);
    for (int w = 0; w < kWordCount; w += 2)
        table[static_cast<std::size_t>(w)] = entryOf(palette, options, static_cast<ColourWord>(w));
    table[kSeeThrough] = 0;
    return table;
}

}  // namespace tessera
