// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/picture/Quantizer.h"

#include <libimagequant.h>

#include <algorithm>
#include <limits>
#include <memory>
#include <new>

// The OpenMP runtime libimagequant is built with; declared here, as a compiler without OpenMP
// has no header for it.
extern "C" void omp_set_num_threads(int count);

namespace tessera {

namespace {

struct Counted {
    ColourWord word;
    std::uint64_t pixels;
};

// Rounds an 8-bit channel to the nearest of the GP32's 32 levels.
int nearest5(std::uint8_t v) {
    return (v * 31 + 127) / 255;
}

std::vector<ColourWord> unique(std::vector<ColourWord> words) {
    std::sort(words.begin(), words.end());
    words.erase(std::unique(words.begin(), words.end()), words.end());
    return words;
}

// The library's objects, each destroyed by its own function.
struct Destroy {
    void operator()(liq_attr* a) const { liq_attr_destroy(a); }
    void operator()(liq_histogram* h) const { liq_histogram_destroy(h); }
    void operator()(liq_result* r) const { liq_result_destroy(r); }
};
template <typename T>
using Owned = std::unique_ptr<T, Destroy>;

std::vector<ColourWord> fromQuantizer(const std::vector<Counted>& colours, int room) {
    const Owned<liq_attr> attr(liq_attr_create());
    if (!attr)
        throw std::bad_alloc();
    liq_set_max_colors(attr.get(), room);
    liq_set_speed(attr.get(), 1);  // a histogram of at most 32,768 colours is quick at any speed
    const Owned<liq_histogram> histogram(liq_histogram_create(attr.get()));
    std::vector<liq_histogram_entry> entries;
    for (const Counted& c : colours) {
        const liq_color colour{widen5(red5(c.word)), widen5(green5(c.word)), widen5(blue5(c.word)),
                               255};
        entries.push_back({colour, static_cast<unsigned>(std::min<std::uint64_t>(
                                       c.pixels, std::numeric_limits<unsigned>::max()))});
    }
    liq_result* result = nullptr;
    if (liq_histogram_add_colors(histogram.get(), attr.get(), entries.data(),
                                 static_cast<int>(entries.size()), 0) != LIQ_OK ||
        liq_histogram_quantize(histogram.get(), attr.get(), &result) != LIQ_OK)
        throw std::bad_alloc();  // it fails for want of memory only: every colour is valid
    const Owned<liq_result> owned(result);
    const liq_palette* palette = liq_get_palette(result);
    std::vector<ColourWord> words;
    for (unsigned e = 0; e < palette->count; ++e) {
        const liq_color& c = palette->entries[e];
        words.push_back(colourWord(nearest5(c.r), nearest5(c.g), nearest5(c.b)));
    }
    return unique(std::move(words));
}

// One step of Lloyd's method in the GP32's own colours: every colour goes to its nearest entry,
// every entry to the rounded mean of its colours. Returns the total squared error of the
// palette it was given.
std::uint64_t moveToMeans(const std::vector<Counted>& colours, std::vector<ColourWord>& palette) {
    std::vector<std::uint64_t> sums(palette.size() * 4);
    std::uint64_t error = 0;
    for (const Counted& c : colours) {
        int best = std::numeric_limits<int>::max();
        std::size_t at = 0;
        for (std::size_t e = 0; e < palette.size(); ++e) {
            const int d = distance(c.word, palette[e]);
            if (d < best) {
                best = d;
                at = e;
            }
        }
        error += static_cast<std::uint64_t>(best) * c.pixels;
        sums[at * 4] += c.pixels;
        sums[at * 4 + 1] += c.pixels * static_cast<std::uint64_t>(red5(c.word));
        sums[at * 4 + 2] += c.pixels * static_cast<std::uint64_t>(green5(c.word));
        sums[at * 4 + 3] += c.pixels * static_cast<std::uint64_t>(blue5(c.word));
    }
    for (std::size_t e = 0; e < palette.size(); ++e) {
        const std::uint64_t n = sums[e * 4];
        if (n == 0)
            continue;  // an entry nothing is nearest to stays where it is
        const auto mean = [&](int k) {
            return static_cast<int>((sums[e * 4 + k] * 2 + n) / (2 * n));
        };
        palette[e] = colourWord(mean(1), mean(2), mean(3));
    }
    return error;
}

}  // namespace

std::vector<ColourWord> quantize(const ColourCounts& counts, const PaletteOptions& options,
                                 int room) {
    std::vector<Counted> colours;
    for (int w = 0; w < kWordCount; w += 2) {
        const std::uint64_t n = counts.pixels[static_cast<std::size_t>(w)];
        if (n != 0 && (!options.transparent || w != *options.transparent))
            colours.push_back({static_cast<ColourWord>(w), n});
    }
    // The quantizer shares its work among threads when it may, and sums of floating-point numbers
    // taken in another order differ in their last bits: one thread gives the same palette on
    // every machine.
    omp_set_num_threads(1);
    std::vector<ColourWord> palette = fromQuantizer(colours, room);
    constexpr int kSteps = 8;
    std::uint64_t best = std::numeric_limits<std::uint64_t>::max();
    std::vector<ColourWord> kept = palette;
    for (int step = 0; step < kSteps; ++step) {
        std::vector<ColourWord> moved = palette;
        const std::uint64_t error = moveToMeans(colours, moved);
        if (error >= best)
            break;
        best = error;
        kept = palette;
        palette = unique(std::move(moved));
    }
    return kept;
}

}  // namespace tessera
