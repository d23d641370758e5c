// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/picture/PaletteStep.h"

#include <array>

#include "formats/FormatMessages.h"
#include "formats/picture/ColourDiffusion.h"
#include "formats/picture/Palette.h"
#include "formats/picture/PixelPlacement.h"
#include "platform/Errors.h"

namespace tessera {

namespace {

using IndexWords = std::array<ColourWord, 256>;

// The colour word (or kSeeThrough) of each stored index of an 8-bit picture (an index past the
// colour table is refused by the placement; it stays black here).
IndexWords indexWords(const InputFile& in, const PictureInfo& info, const PaletteOptions& o) {
    if (info.kind == PictureKind::Raw)  // its indices have no colours to go by
        throw TesseraError(Reason::RawHasNoColours,
                           failureText(messages::kCantConvert, messages::kRawNoColours),
                           FileRole::Input);
    const std::vector<std::uint16_t> table = readPalette(in, info, 0);
    IndexWords words{};
    for (std::size_t i = 0; i < words.size(); ++i) {
        const ColourWord w = i < table.size() ? table[i] : 0;
        const bool clear = o.byAlpha && i < info.alphas.size() && info.alphas[i] < 128;
        words[i] = o.transparent && (clear || w == *o.transparent) ? kSeeThrough : w;
    }
    return words;
}

// The palette to map onto, entry 0 the transparent colour when there is one.
std::vector<ColourWord> targetPalette(const PaletteOptions& o) {
    std::vector<ColourWord> palette = o.target;
    if (o.transparent)
        palette.front() = *o.transparent;
    return palette;
}

// Calls `visit(k)` for every element of a screen array that holds a pixel, padding skipped.
template <typename Visit>
void eachPixel(const PictureLayout& layout, Visit&& visit) {
    const ScreenColumns shape = screenColumns(layout);
    for (std::int64_t j = 0; j < shape.width; ++j) {
        const std::int64_t base = shape.first + shape.columnLength * j;
        for (std::int64_t i = 0; i < shape.height; ++i)
            visit(base + i);
    }
}

// Two passes share one progress bar, a half each.
Progress half(const Progress& progress, int which) {
    return [progress, which](std::int64_t done, std::int64_t total) {
        if (progress)
            progress(which * total + done, 2 * total);
    };
}

// The entry of `palette` for each stored index: 256 colours to look up, not the 32,768 of a whole
// table.
EntryMap entriesOf(const IndexWords& words, const std::vector<ColourWord>& palette,
                   const PaletteOptions& o) {
    EntryMap entry{};
    for (std::size_t i = 0; i < entry.size(); ++i)
        entry[i] = words[i] == kSeeThrough ? 0 : entryOf(palette, o, words[i]);
    return entry;
}

ReducedPicture reduceIndices(const InputFile& in, const PictureInfo& info,
                             const PictureLayout& layout, const PaletteOptions& o,
                             const Progress& progress) {
    const IndexWords words = indexWords(in, info, o);
    ReducedPicture reduced;
    if (!o.target.empty() && !o.dither) {
        reduced.palette = targetPalette(o);
        reduced.indices =
            placeMappedIndices(in, layout, entriesOf(words, reduced.palette, o), progress);
        return reduced;
    }
    reduced.indices = std::move(placePixels(in, layout, 0, progress).indices);
    std::uint8_t* indices = reduced.indices.data();
    if (o.target.empty()) {
        std::array<std::uint64_t, 256> used{};
        eachPixel(layout, [&](std::int64_t k) { ++used[indices[k]]; });
        ColourCounts counts;
        for (std::size_t i = 0; i < used.size(); ++i)
            counts.pixels[words[i]] += used[i];
        reduced.palette = choosePalette(counts, o);
    } else {
        reduced.palette = targetPalette(o);
    }
    if (o.dither) {
        diffuse(
            screenColumns(layout), reduced.palette, indexTable(reduced.palette, o),
            [&](std::int64_t k) { return words[indices[k]]; },
            [&](std::int64_t k, std::uint8_t e) { indices[k] = e; });
        return reduced;
    }
    const EntryMap entry = entriesOf(words, reduced.palette, o);
    eachPixel(layout, [&](std::int64_t k) { indices[k] = entry[indices[k]]; });
    return reduced;
}

ReducedPicture reduceColours(const InputFile& in, const PictureLayout& layout,
                             const PaletteOptions& o, const Progress& progress) {
    ReducedPicture reduced;
    if (o.dither) {
        const std::vector<ColourWord> words = placeWords(in, layout, o.transparent, progress);
        if (o.target.empty()) {
            ColourCounts counts;
            eachPixel(layout, [&](std::int64_t k) { ++counts.pixels[words[k]]; });
            reduced.palette = choosePalette(counts, o);
        } else {
            reduced.palette = targetPalette(o);
        }
        reduced.indices.assign(words.size(), 0);
        diffuse(
            screenColumns(layout), reduced.palette, indexTable(reduced.palette, o),
            [&](std::int64_t k) { return words[k]; },
            [&](std::int64_t k, std::uint8_t e) { reduced.indices[k] = e; });
        return reduced;
    }
    if (o.target.empty()) {
        reduced.palette =
            choosePalette(countColours(in, layout, o.transparent, half(progress, 0)), o);
        reduced.indices = placeEntries(in, layout, indexTable(reduced.palette, o), o.transparent,
                                       half(progress, 1));
        return reduced;
    }
    reduced.palette = targetPalette(o);
    reduced.indices =
        placeEntries(in, layout, indexTable(reduced.palette, o), o.transparent, progress);
    return reduced;
}

}  // namespace

ReducedPicture reducePicture(const InputFile& in, const PictureInfo& info,
                             const PictureLayout& layout, const PaletteOptions& options,
                             const Progress& progress) {
    if (layout.bytesPerPixel == 1)
        return reduceIndices(in, info, layout, options, progress);
    return reduceColours(in, layout, options, progress);
}

ColourCounts pictureColours(const InputFile& in, const PictureInfo& info,
                            const PictureLayout& layout, const PaletteOptions& options,
                            const Progress& progress) {
    if (layout.bytesPerPixel != 1)
        return countColours(in, layout, options.transparent, progress);
    const IndexWords words = indexWords(in, info, options);
    const std::vector<std::uint8_t> indices = placePixels(in, layout, 0, progress).indices;
    ColourCounts counts;
    eachPixel(layout, [&](std::int64_t k) { ++counts.pixels[words[indices[k]]]; });
    return counts;
}

}  // namespace tessera
