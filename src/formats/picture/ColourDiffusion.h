// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <vector>

#include "formats/picture/ColourReduction.h"

namespace tessera {

// Error diffusion over a picture held in screen order (columns of `columnLength` elements, a
// column's pixels from `first` to `first + height - 1`): `word(k)` is element k's colour word
// or kSeeThrough, `put(k, index)` receives its entry. Columns are diffused as rows would be; the
// GP32 shows either the same way.
struct ScreenColumns {
    std::int64_t width = 0;
    std::int64_t height = 0;
    std::int64_t columnLength = 0;
    std::int64_t first = 0;
};
// Floyd and Steinberg's weights (7, 3, 5, 1 sixteenths), the error kept in sixteenths of a 5-bit
// step. Whole numbers only, so every machine diffuses to the same indices.
template <typename Word, typename Put>
void diffuse(const ScreenColumns& shape, std::span<const ColourWord> palette,
             const IndexTable& table, Word&& word, Put&& put) {
    const auto n = static_cast<std::size_t>(shape.height + 2) * 3;
    std::vector<int> here(n), next(n);  // one guard pixel at each end of a column
    for (std::int64_t col = 0; col < shape.width; ++col) {
        std::fill(next.begin(), next.end(), 0);
        const std::int64_t base = shape.first + shape.columnLength * col;
        for (std::int64_t i = 0; i < shape.height; ++i) {
            const std::int64_t k = base + i;
            const ColourWord w = word(k);
            if (w == kSeeThrough) {
                put(k, table[kSeeThrough]);
                continue;
            }
            const auto at = static_cast<std::size_t>(i + 1) * 3;
            const int source[3] = {red5(w), green5(w), blue5(w)};
            int wanted[3];
            for (int c = 0; c < 3; ++c)
                wanted[c] = std::clamp(source[c] * 16 + here[at + c], 0, 31 * 16);
            const ColourWord nearest =
                colourWord((wanted[0] + 8) / 16, (wanted[1] + 8) / 16, (wanted[2] + 8) / 16);
            const std::uint8_t entry = table[nearest];
            put(k, entry);
            const ColourWord got = palette[entry];
            const int shown[3] = {red5(got), green5(got), blue5(got)};
            for (int c = 0; c < 3; ++c) {
                const int error = wanted[c] - shown[c] * 16;
                here[at + 3 + c] += error * 7 / 16;
                next[at - 3 + c] += error * 3 / 16;
                next[at + c] += error * 5 / 16;
                next[at + 3 + c] += error / 16;
            }
        }
        std::swap(here, next);
    }
}

}  // namespace tessera
