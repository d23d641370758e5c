// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/picture/PixelPlacement.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <cstring>
#include <span>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "formats/ChunkPipeline.h"
#include "formats/FormatMessages.h"
#include "formats/Gp32.h"
#include "formats/WorkTeam.h"
#include "formats/picture/PngReader.h"
#include "formats/picture/RowReader.h"
#include "platform/Errors.h"
#include "platform/InputFile.h"
#include "platform/LargePages.h"

namespace tessera {

namespace {

// Screen order runs down the columns, so stored rows are placed a band at a time, column by
// column: the rows of a band land side by side in each column instead of a column length apart.
// The band is as tall as a cache line of output (or as the memory below allows); the bands, or
// the columns of a band of very long rows, are shared out among the cores.
constexpr std::int64_t kBandBytes = 768 * 1024;
constexpr std::int64_t kMaxBandRows = 64;

// Rows lie a little more than their length apart in the band: rows of a power-of-two length
// would otherwise share the same few cache sets, and reading down a column of the band would
// evict what it read a moment before.
constexpr std::int64_t kRowGap = 64;

// A stored row longer than a band is read a piece at a time: the picture is placed in strips of
// columns, each read in bands of this many rows (or the picture's height), so a picture millions
// of pixels wide needs no more than a band either.
constexpr std::int64_t kWideBandRows = 8;

// The band as `place` sees it: n stored pieces of rows `stride` bytes apart, starting at column
// x0, the first landing at `first` in column 0 and each next one `step` (1 or -1) further; column
// j starts a column length later. The rows are a copy of ours: `place` may change them in place.
struct Band {
    std::uint8_t* rows;
    std::int64_t stride;
    int n;
    std::int64_t first;
    std::int64_t step;
    std::int64_t x0;
};

// Rows r0 to r1 - 1 of columns j0 to j1 - 1 of the band, one pixel at a time.
template <typename T, typename Pixel>
void placeBand(const Band& band, int r0, int r1, std::int64_t column, std::int64_t bytes,
               std::int64_t j0, std::int64_t j1, T* out, Pixel&& pixel) {
    for (std::int64_t j = j0; j < j1; ++j) {
        T* to = out + band.first + column * j;
        const std::uint8_t* from = band.rows + (j - band.x0) * bytes;
        if (band.step == 1) {
            for (int r = r0; r < r1; ++r)
                to[r] = pixel(from + r * band.stride);
        } else {
            for (int r = r0; r < r1; ++r)
                to[-r] = pixel(from + r * band.stride);
        }
    }
}

// Turns an 8 x 8 block of bytes a quarter turn: word r holds row r (byte k from column k) and
// ends up holding column r (byte k from row k). Three rounds swap ever larger sub-blocks.
inline void transpose8x8(std::uint64_t (&w)[8]) {
    for (int i = 0; i < 8; i += 2) {
        const std::uint64_t t = ((w[i] >> 8) ^ w[i + 1]) & 0x00FF00FF00FF00FFu;
        w[i + 1] ^= t;
        w[i] ^= t << 8;
    }
    for (const int i : {0, 1, 4, 5}) {
        const std::uint64_t t = ((w[i] >> 16) ^ w[i + 2]) & 0x0000FFFF0000FFFFu;
        w[i + 2] ^= t;
        w[i] ^= t << 16;
    }
    for (int i = 0; i < 4; ++i) {
        const std::uint64_t t = ((w[i] >> 32) ^ w[i + 4]) & 0x00000000FFFFFFFFu;
        w[i + 4] ^= t;
        w[i] ^= t << 32;
    }
}

#if defined(__SSE2__)
// Turns a 16 x 16 block of bytes a quarter turn: v[r] holds row r and ends up holding column r.
// Interleaving rows i and i + 8 four times over does it: each round moves one bit of every
// byte's row number into its column number.
inline void transpose16x16(__m128i (&v)[16]) {
    for (int round = 0; round < 4; ++round) {
        __m128i t[16];
        for (int i = 0; i < 8; ++i) {
            t[2 * i] = _mm_unpacklo_epi8(v[i], v[i + 8]);
            t[2 * i + 1] = _mm_unpackhi_epi8(v[i], v[i + 8]);
        }
        std::copy(std::begin(t), std::end(t), std::begin(v));
    }
}

// Rows 0 to rows - 1 (a multiple of 16) in blocks of 16 x 16, from column j0 on; returns the first
// column not placed. A block's 16 columns get all their rows before the next block is begun, so
// each column's cache line is written whole while it is at hand. The rows are loaded in the order
// they land in their column, so each turned vector is stored as it stands.
std::int64_t placeIndexBlocks16(const Band& band, int rows, std::int64_t column, std::int64_t j0,
                                std::int64_t j1, std::uint8_t* out) {
    std::int64_t j = j0;
    for (; j + 16 <= j1; j += 16) {
        for (int r0 = 0; r0 < rows; r0 += 16) {
            __m128i v[16];
            for (int r = 0; r < 16; ++r) {
                const int row = r0 + (band.step == 1 ? r : 15 - r);
                v[r] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(
                    band.rows + row * band.stride + (j - band.x0)));
            }
            transpose16x16(v);
            const std::int64_t lowest = band.step == 1 ? r0 : -r0 - 15;
            for (int k = 0; k < 16; ++k) {
                std::uint8_t* to = out + band.first + column * (j + k) + lowest;
                _mm_storeu_si128(reinterpret_cast<__m128i*>(to), v[k]);
            }
        }
    }
    return j;
}
#endif

// Palette indices: blocks of 16 (or 8) rows by as many columns are read as vectors (words),
// turned, and stored as vectors, one into each column; the edges of the band go one index at a
// time.
void placeIndexBand(const Band& band, std::int64_t column, std::int64_t j0, std::int64_t j1,
                    std::uint8_t* out) {
    const auto copy = [](const std::uint8_t* px) { return *px; };
    int r0 = 0;
#if defined(__SSE2__)
    r0 = band.n / 16 * 16;
    const std::int64_t j = placeIndexBlocks16(band, r0, column, j0, j1, out);
    placeBand(band, 0, r0, column, 1, j, j1, out, copy);
#endif
    if constexpr (std::endian::native == std::endian::little) {
        for (; r0 + 8 <= band.n; r0 += 8) {
            std::int64_t j = j0;
            for (; j + 8 <= j1; j += 8) {
                std::uint64_t w[8];
                for (int r = 0; r < 8; ++r)
                    std::memcpy(&w[r], band.rows + (r0 + r) * band.stride + (j - band.x0), 8);
                transpose8x8(w);
                for (int k = 0; k < 8; ++k) {
                    std::uint8_t* to = out + band.first + column * (j + k);
                    if (band.step == 1) {
                        std::memcpy(to + r0, &w[k], 8);
                    } else {
                        const std::uint64_t reversed = __builtin_bswap64(w[k]);
                        std::memcpy(to - r0 - 7, &reversed, 8);
                    }
                }
            }
            placeBand(band, r0, r0 + 8, column, 1, j, j1, out, copy);
        }
    }
    placeBand(band, r0, band.n, column, 1, j0, j1, out, copy);
}

// How the rows are cut: strips of `columns` columns, each read in bands of `bandRows` rows.
struct Strips {
    std::int64_t columns;
    std::int64_t bandRows;
};

Strips stripsFor(const PictureLayout& layout, bool pieces) {
    const std::int64_t bytes = layout.bytesPerPixel;
    const std::int64_t stride = layout.order.width * bytes + kRowGap;
    if (!pieces || stride <= kBandBytes)
        return {layout.order.width, std::clamp(kBandBytes / stride, std::int64_t{1}, kMaxBandRows)};
    const std::int64_t rows = std::min(layout.order.height, kWideBandRows);
    return {(kBandBytes / rows - kRowGap) / bytes / 8 * 8, rows};  // whole bytes of packed pixels
}

// Rows `first` .. `first + n - 1` from column x0 on, as read into `rows`, `stride` apart.
Band bandOf(const PictureLayout& layout, std::uint8_t* rows, std::int64_t stride, int n,
            std::int64_t first, std::int64_t x0) {
    const std::int64_t at = layout.rowInColumn(first);
    return {rows, stride, n, at, n > 1 ? layout.rowInColumn(first + 1) - at : 1, x0};
}

// How many bands placeRows may place at once (the `slot`s it passes to `place`): one per member
// of the team, or one per band in flight while whole rows are read.
int bandsAtOnce(const RowReader& rows, const PictureLayout& layout, const WorkTeam& team) {
    const Strips strips = stripsFor(layout, rows.readsPieces());
    if (strips.columns < layout.order.width || team.size() == 1)
        return team.size();
    return chunkSlots((layout.order.height + strips.bandRows - 1) / strips.bandRows);
}

// Rows read whole, each band into a buffer of its own and placed whole. Rows that can be read
// anywhere are read by the worker that places them, so reading, which costs about as much as
// placing, is shared among the cores too. Others are read (or decoded, for a PNG, which costs far
// more than placing) band after band on the calling thread, while the workers place the bands
// read before.
template <typename Place>
void placeWholeRows(const RowReader& rows, const PictureLayout& layout, const Strips& strips,
                    const Progress& progress, Place&& place) {
    const std::int64_t height = layout.order.height;
    const std::int64_t width = layout.order.width;
    const std::int64_t stride = width * layout.bytesPerPixel + kRowGap;
    const std::int64_t bands = (height + strips.bandRows - 1) / strips.bandRows;
    const auto slots = static_cast<std::size_t>(chunkSlots(bands));
    std::vector<std::vector<std::uint8_t>> buffers(slots);
    for (auto& b : buffers)
        b.resize(static_cast<std::size_t>(stride * strips.bandRows));
    std::vector<int> read(slots, 0);
    const auto readBand = [&](std::int64_t k, int slot) {
        const std::int64_t first = k * strips.bandRows;
        const std::int64_t n = std::min(strips.bandRows, height - first);
        read[slot] = static_cast<int>(
            rows.readBand(first, n, 0, width * layout.bytesPerPixel, buffers[slot].data(), stride));
    };
    const bool anywhere = rows.readsAnywhere();
    runChunks(bands, {.prepare = anywhere ? ChunkSteps::Step{} : ChunkSteps::Step{readBand},
                      .work =
                          [&](std::int64_t k, int slot) {
                              if (anywhere)
                                  readBand(k, slot);
                              const Band band = bandOf(layout, buffers[slot].data(), stride,
                                                       read[slot], k * strips.bandRows, 0);
                              place(band, 0, width, slot);
                          },
                      .finish =
                          [&](std::int64_t k, int) {
                              const std::int64_t end = std::min((k + 1) * strips.bandRows, height);
                              for (std::int64_t i = k * strips.bandRows; i < end; ++i)
                                  progress(i + 1, height);
                          }});
}

// Places every stored row through `place(band, j0, j1, slot)` (columns j0 to j1 - 1, on any
// thread; no two bands placed at once share a slot, 0 .. bandsAtOnce - 1).
template <typename Place>
void placeRows(const RowReader& rows, const PictureLayout& layout, WorkTeam& team,
               const Progress& progress, Place&& place) {
    const std::int64_t height = layout.order.height;
    const std::int64_t width = layout.order.width;
    const Strips strips = stripsFor(layout, rows.readsPieces());
    if (strips.columns == width && team.size() > 1) {
        placeWholeRows(rows, layout, strips, progress, place);
        return;
    }
    const std::int64_t stride = strips.columns * layout.bytesPerPixel + kRowGap;
    std::vector<std::uint8_t> buffer(static_cast<std::size_t>(stride * strips.bandRows));
    const std::int64_t stripCount = (width + strips.columns - 1) / strips.columns;
    std::int64_t rowsDone = 0;
    for (std::int64_t x0 = 0; x0 < width; x0 += strips.columns) {
        const std::int64_t x1 = std::min(x0 + strips.columns, width);
        const std::int64_t pieceBytes = (x1 - x0) * layout.bytesPerPixel;
        for (std::int64_t first = 0; first < height; first += strips.bandRows) {
            const std::int64_t end = std::min(first + strips.bandRows, height);
            // A piece past the end of the file ends the pieces read: every later one lies
            // further on.
            const int n = static_cast<int>(
                rows.readBand(first, end - first, x0, pieceBytes, buffer.data(), stride));
            if (n > 0) {
                const Band band = bandOf(layout, buffer.data(), stride, n, first, x0);
                team.run([&](int part, int parts) {
                    place(band, x0 + (x1 - x0) * part / parts, x0 + (x1 - x0) * (part + 1) / parts,
                          part);
                });
            }
            for (std::int64_t i = first; i < end; ++i)
                progress(++rowsDone, stripCount * height);
        }
    }
}

// An interlaced PNG: the pixels of each reduced row go straight to their places.
template <typename T, typename Pixel>
void placePasses(PngRows& png, const PictureLayout& layout, const Progress& progress, T* out,
                 Pixel&& pixel) {
    const std::int64_t column = layout.order.columnLength();
    const std::int64_t bytes = layout.bytesPerPixel;
    std::vector<std::uint8_t> row(static_cast<std::size_t>(layout.order.width * bytes));
    const std::int64_t total = png.passRowCount();
    PngRows::PassRow at;
    for (std::int64_t done = 1; png.readPassRow(at, row); ++done) {
        T* to = out + layout.rowInColumn(at.row) + column * at.firstColumn;
        for (std::int64_t k = 0; k < at.count; ++k)
            to[column * at.columnStep * k] = pixel(row.data() + k * bytes);
        progress(done, total);
    }
}

// A vector of `count` copies of `fill`, backed by large pages where the system has them, its
// pages given by the system on every member of the team at once.
template <typename T>
std::vector<T> screenArray(std::int64_t count, T fill, WorkTeam& team) {
    std::vector<T> v;
    v.reserve(static_cast<std::size_t>(count));
    const std::size_t bytes = static_cast<std::size_t>(count) * sizeof(T);
    adviseLargePages(v.data(), bytes);
    if (team.size() > 1) {
        auto* base = reinterpret_cast<std::uint8_t*>(v.data());
        team.run([&](int part, int parts) {
            // Shares of whole large pages, so no page is split between two members.
            const std::size_t pages = (bytes + kLargePageBytes - 1) / kLargePageBytes;
            const std::size_t from = std::min(bytes, pages * part / parts * kLargePageBytes);
            const std::size_t to = std::min(bytes, pages * (part + 1) / parts * kLargePageBytes);
            populatePages(base + from, to - from);
        });
    }
    v.assign(static_cast<std::size_t>(count), fill);
    return v;
}

// The pixels of a colour picture placed through `pixel` into a screen array of `fill`.
template <typename T, typename Pixel>
std::vector<T> placeColours(const InputFile& in, const PictureLayout& layout, T fill, Pixel&& pixel,
                            const Progress& progress) {
    const std::int64_t count = layout.order.count();
    const std::int64_t column = layout.order.columnLength();
    const RowReader rows(in, layout);
    WorkTeam team(teamFor(layout));
    std::vector<T> placed = screenArray(count, fill, team);
    T* out = placed.data();
    if (PngRows* passes = rows.interlacedPng()) {
        placePasses(*passes, layout, progress, out, pixel);
        return placed;
    }
    placeRows(rows, layout, team, progress,
              [&](const Band& band, std::int64_t j0, std::int64_t j1, int) {
                  placeBand(band, 0, band.n, column, layout.bytesPerPixel, j0, j1, out, pixel);
              });
    return placed;
}

// Where a column's pixels lie: the rest of it is padding.
std::pair<std::int64_t, std::int64_t> pixelSpan(const PictureLayout& layout) {
    const std::int64_t a = layout.rowInColumn(0);
    const std::int64_t b = layout.rowInColumn(layout.order.height - 1);
    return {std::min(a, b), std::max(a, b) + 1};
}

// Padding is index 0 in every 8-bit picture.
void clearPadding(const PictureLayout& layout, std::uint8_t* placed) {
    const auto [from, to] = pixelSpan(layout);
    const std::int64_t column = layout.order.columnLength();
    for (std::int64_t j = 0; j < layout.order.width; ++j) {
        std::fill(placed + column * j, placed + column * j + from, std::uint8_t{0});
        std::fill(placed + column * j + to, placed + column * (j + 1), std::uint8_t{0});
    }
}

// An index beyond the colour table has no colour: the file is damaged, and the GP32 would show
// whatever lies past the palette. The padding (0) comes after each column's top pixel.
void checkIndices(std::span<const std::uint8_t> indices, const PictureLayout& layout) {
    if (layout.colourCount >= 256)
        return;  // a byte cannot lie beyond a full table
    std::uint8_t highest = 0;
    for (const std::uint8_t v : indices)  // a reduction the compiler turns into vector code
        highest = std::max(highest, v);
    if (highest < layout.colourCount)
        return;
    const auto beyond = std::find_if(indices.begin(), indices.end(),
                                     [&](std::uint8_t v) { return v >= layout.colourCount; });
    const std::int64_t k = beyond - indices.begin();
    const std::int64_t column = layout.order.columnLength();
    throw TesseraError(
        Reason::IndexBeyondPalette,
        failureText(messages::kCantConvert,
                    messages::indexBeyondTable(k / column, layout.order.height - 1 - k % column,
                                               *beyond, layout.colourCount)),
        FileRole::Input);
}

// Columns j0 .. j1 - 1 of the band turned into their entries, in place; gives the highest index
// stored there.
std::uint8_t mapBand(const Band& band, std::int64_t j0, std::int64_t j1, const EntryMap& entries) {
    std::uint8_t highest = 0;
    for (int r = 0; r < band.n; ++r) {
        std::uint8_t* row = band.rows + r * band.stride;
        for (std::int64_t j = j0 - band.x0; j < j1 - band.x0; ++j) {
            highest = std::max(highest, row[j]);
            row[j] = entries[row[j]];
        }
    }
    return highest;
}

// Every stored row of an 8-bit picture placed into `out`. With `entries`, each stored index is
// turned into its entry where its band was read, before the band is turned; then the result
// says whether a stored index lay beyond the colour table. Without, `checkIndices` says so.
bool placeIndexRows(const InputFile& in, const PictureLayout& layout, const Progress& progress,
                    WorkTeam& team, std::uint8_t* out, const EntryMap* entries) {
    const RowReader rows(in, layout);
    const std::int64_t column = layout.order.columnLength();
    std::atomic<bool> beyond = false;
    if (PngRows* passes = rows.interlacedPng()) {
        std::uint8_t highest = 0;
        placePasses(*passes, layout, progress, out, [&](const std::uint8_t* px) {
            highest = std::max(highest, *px);
            return entries ? (*entries)[*px] : *px;
        });
        beyond = highest >= layout.colourCount;
    } else {
        placeRows(rows, layout, team, progress,
                  [&](const Band& band, std::int64_t j0, std::int64_t j1, int) {
                      if (entries && mapBand(band, j0, j1, *entries) >= layout.colourCount)
                          beyond = true;
                      placeIndexBand(band, column, j0, j1, out);
                  });
    }
    return beyond;
}

// The indices of an 8-bit picture into `out`, which holds zeros: every row placed and checked.
void placeIndices(const InputFile& in, const PictureLayout& layout, const Progress& progress,
                  WorkTeam& team, std::span<std::uint8_t> out) {
    placeIndexRows(in, layout, progress, team, out.data(), nullptr);
    checkIndices(out, layout);
}

}  // namespace

ZeroedBuffer placeIndices(const InputFile& in, const PictureLayout& layout,
                          const Progress& progress) {
    ZeroedBuffer indices(layout.order.count());  // padding stays 0
    WorkTeam team(teamFor(layout));
    placeIndices(in, layout, progress, team, indices.span());
    return indices;
}

std::vector<std::uint8_t> placeMappedIndices(const InputFile& in, const PictureLayout& layout,
                                             const EntryMap& entries, const Progress& progress) {
    WorkTeam team(teamFor(layout));
    // Rows past the end of a short file are index 0, mapped as any other; the padding stays 0.
    std::vector<std::uint8_t> placed =
        screenArray<std::uint8_t>(layout.order.count(), entries[0], team);
    const bool beyond = placeIndexRows(in, layout, progress, team, placed.data(), &entries);
    if (beyond) {  // the plain placement refuses the picture, naming the first such pixel
        ZeroedBuffer plain(layout.order.count());
        placeIndices(in, layout, progress, team, plain.span());
    }
    clearPadding(layout, placed.data());
    return placed;
}

int teamFor(const PictureLayout& layout) {
    constexpr std::int64_t kSharedFrom = 1 << 16;
    return layout.order.count() >= kSharedFrom ? WorkTeam::coreCount() : 1;
}

PixelWord::PixelWord(const PictureLayout& layout, std::optional<ColourWord> transparent)
    : red(layout.redFirst ? 0 : 2),
      blue(layout.redFirst ? 2 : 0),
      alpha(layout.bytesPerPixel == 4),
      transparent(transparent) {}

ScreenPixels placePixels(const InputFile& in, const PictureLayout& layout, std::int32_t fillBit,
                         const Progress& progress, std::optional<ColourWord> transparent) {
    ScreenPixels pixels;
    const std::int64_t count = layout.order.count();
    pixels.count = count;

    if (layout.bytesPerPixel == 1) {
        WorkTeam team(teamFor(layout));
        pixels.indices = screenArray<std::uint8_t>(count, 0, team);  // padding stays 0
        placeIndices(in, layout, progress, team, pixels.indices);
        return pixels;
    }

    // Padding is black with the intensity bit; see-through pixels are the transparent colour.
    const PixelWord word(layout, transparent);
    const auto fill = static_cast<std::uint16_t>(fillBit & 1);
    const std::uint16_t shownAs = transparent.value_or(0) | fill;
    pixels.colours = placeColours(
        in, layout, fill,
        [&](const std::uint8_t* px) {
            const ColourWord w = word(px);
            return w == kSeeThrough ? shownAs : static_cast<std::uint16_t>(w | fill);
        },
        progress);
    return pixels;
}

ColourCounts countColours(const InputFile& in, const PictureLayout& layout,
                          std::optional<ColourWord> transparent, const Progress& progress) {
    const PixelWord word(layout, transparent);
    const std::int64_t bytes = layout.bytesPerPixel;
    const RowReader rows(in, layout);
    ColourCounts counts;
    std::uint64_t seen = 0;
    if (PngRows* passes = rows.interlacedPng()) {
        std::vector<std::uint8_t> row(static_cast<std::size_t>(layout.order.width * bytes));
        const std::int64_t total = passes->passRowCount();
        PngRows::PassRow at;
        for (std::int64_t done = 1; passes->readPassRow(at, row); ++done) {
            for (std::int64_t k = 0; k < at.count; ++k)
                ++counts.pixels[word(row.data() + k * bytes)];
            seen += static_cast<std::uint64_t>(at.count);
            progress(done, total);
        }
    } else {
        // Each band placed at once counts into a histogram of its own; they are added up after.
        WorkTeam team(teamFor(layout));
        std::vector<ColourCounts> slots(static_cast<std::size_t>(bandsAtOnce(rows, layout, team)));
        std::vector<std::uint64_t> seenBy(slots.size(), 0);
        placeRows(rows, layout, team, progress,
                  [&](const Band& band, std::int64_t j0, std::int64_t j1, int slot) {
                      std::uint64_t* histogram =
                          slots[static_cast<std::size_t>(slot)].pixels.data();
                      for (std::int64_t j = j0; j < j1; ++j) {
                          const std::uint8_t* from = band.rows + (j - band.x0) * bytes;
                          for (int r = 0; r < band.n; ++r)
                              ++histogram[word(from + r * band.stride)];
                      }
                      seenBy[static_cast<std::size_t>(slot)] +=
                          static_cast<std::uint64_t>((j1 - j0) * band.n);
                  });
        for (std::size_t k = 0; k < slots.size(); ++k) {
            counts.add(slots[k]);
            seen += seenBy[k];
        }
    }
    // Pixels past the end of a short file read as zeros: black.
    const std::uint8_t zeros[4] = {};
    counts.pixels[word(zeros)] +=
        static_cast<std::uint64_t>(layout.order.width * layout.order.height) - seen;
    return counts;
}

std::vector<std::uint8_t> placeEntries(const InputFile& in, const PictureLayout& layout,
                                       const IndexTable& table,
                                       std::optional<ColourWord> transparent,
                                       const Progress& progress) {
    const PixelWord word(layout, transparent);
    const std::uint8_t zeros[4] = {};
    std::vector<std::uint8_t> indices = placeColours(
        in, layout, table[word(zeros)], [&](const std::uint8_t* px) { return table[word(px)]; },
        progress);
    clearPadding(layout, indices.data());
    return indices;
}

std::vector<ColourWord> placeWords(const InputFile& in, const PictureLayout& layout,
                                   std::optional<ColourWord> transparent,
                                   const Progress& progress) {
    const PixelWord word(layout, transparent);
    const std::uint8_t zeros[4] = {};
    return placeColours(in, layout, word(zeros), word, progress);
}

ScreenColumns screenColumns(const PictureLayout& layout) {
    return {.width = layout.order.width,
            .height = layout.order.height,
            .columnLength = layout.order.columnLength(),
            .first = pixelSpan(layout).first};
}

}  // namespace tessera
