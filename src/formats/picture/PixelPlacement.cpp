#include "formats/picture/PixelPlacement.h"

#include <algorithm>
#include <span>
#include <vector>

#include "formats/Gp32.h"
#include "formats/WorkTeam.h"
#include "formats/picture/RowReader.h"
#include "platform/InputFile.h"
#include "platform/LargePages.h"

namespace tessera {

namespace {

// Screen order runs down the columns, so stored rows are placed a band at a time, column by
// column: the rows of a band land side by side in each column instead of a column length apart.
// The band is as tall as a cache line of output (or as the memory below allows) and its
// columns are shared out among the cores. Rows are read on the calling thread, in order.
constexpr std::int64_t kBandBytes = 192 * 1024;
constexpr std::int64_t kMaxBandRows = 64;
// Smaller pictures are placed before a second thread would have started.
constexpr std::int64_t kSharedFrom = 1 << 16;

// Rows lie a little more than their length apart in the band: rows of a power-of-two length
// would otherwise share the same few cache sets, and reading down a column of the band would
// evict what it read a moment before.
constexpr std::int64_t kRowGap = 64;

// The band as `place` sees it: n stored rows `stride` bytes apart, the first landing at `first`
// in column 0 and each next one `step` (1 or -1) further; column j starts a column length later.
struct Band {
    const std::uint8_t* rows;
    std::int64_t stride;
    int n;
    std::int64_t first;
    std::int64_t step;
};

template <typename T, typename Pixel>
void placeBand(const Band& band, std::int64_t column, std::int64_t bytes, std::int64_t j0,
               std::int64_t j1, T* out, Pixel&& pixel) {
    for (std::int64_t j = j0; j < j1; ++j) {
        T* to = out + band.first + column * j;
        const std::uint8_t* from = band.rows + j * bytes;
        if (band.step == 1) {
            for (int r = 0; r < band.n; ++r)
                to[r] = pixel(from + r * band.stride);
        } else {
            for (int r = 0; r < band.n; ++r)
                to[-r] = pixel(from + r * band.stride);
        }
    }
}

// Places every stored row through `place(band, j0, j1)` (columns j0 to j1 - 1, on any thread).
template <typename Place>
void placeRows(const InputFile& in, const PictureLayout& layout, const Progress& progress,
               Place&& place) {
    const RowReader rows(in, layout);
    const std::int64_t height = layout.order.height;
    const std::int64_t width = layout.order.width;
    const std::int64_t rowBytes = width * layout.bytesPerPixel;
    const std::int64_t stride = rowBytes + kRowGap;
    const std::int64_t bandRows = std::clamp(kBandBytes / stride, std::int64_t{1}, kMaxBandRows);
    std::vector<std::uint8_t> buffer(static_cast<std::size_t>(stride * bandRows));
    WorkTeam team(layout.order.count() >= kSharedFrom ? WorkTeam::coreCount() : 1);
    for (std::int64_t first = 0; first < height; first += bandRows) {
        const std::int64_t end = std::min(first + bandRows, height);
        // A row past the end of the file ends the rows read: every later row lies further on.
        int n = 0;
        for (std::int64_t i = first; i < end; ++i, ++n) {
            const auto row = std::span(buffer).subspan(static_cast<std::size_t>(n * stride),
                                                       static_cast<std::size_t>(rowBytes));
            if (!rows.read(i, row))
                break;
        }
        if (n > 0) {
            const std::int64_t at = layout.rowInColumn(first);
            const Band band{buffer.data(), stride, n, at,
                            n > 1 ? layout.rowInColumn(first + 1) - at : 1};
            team.run([&](int part, int parts) {
                place(band, width * part / parts, width * (part + 1) / parts);
            });
        }
        for (std::int64_t i = first; i < end; ++i)
            progress(i + 1, height);
    }
}

// A vector of `count` copies of `fill`, backed by large pages where the system has them.
template <typename T>
std::vector<T> screenArray(std::int64_t count, T fill) {
    std::vector<T> v;
    v.reserve(static_cast<std::size_t>(count));
    adviseLargePages(v.data(), static_cast<std::size_t>(count) * sizeof(T));
    v.assign(static_cast<std::size_t>(count), fill);
    return v;
}

}  // namespace

ScreenPixels placePixels(const InputFile& in, const PictureLayout& layout, std::int32_t fillBit,
                         const Progress& progress) {
    ScreenPixels pixels;
    const std::int64_t count = layout.order.count();
    const std::int64_t column = layout.order.columnLength();
    pixels.count = count;

    if (layout.bytesPerPixel == 1) {
        pixels.indices = screenArray<std::uint8_t>(count, 0);  // padding stays 0
        auto* out = pixels.indices.data();
        placeRows(in, layout, progress, [&](const Band& band, std::int64_t j0, std::int64_t j1) {
            placeBand(band, column, 1, j0, j1, out, [](const std::uint8_t* px) { return *px; });
        });
        return pixels;
    }

    // Padding is black with the intensity bit.
    pixels.colours = screenArray(count, gp32::colour(0, 0, 0, fillBit));
    auto* out = pixels.colours.data();
    const int red = layout.redFirst ? 0 : 2;
    const int blue = 2 - red;
    placeRows(in, layout, progress, [&](const Band& band, std::int64_t j0, std::int64_t j1) {
        placeBand(band, column, 3, j0, j1, out, [&](const std::uint8_t* px) {
            return gp32::colour(px[red], px[1], px[blue], fillBit);
        });
    });
    return pixels;
}

}  // namespace tessera
