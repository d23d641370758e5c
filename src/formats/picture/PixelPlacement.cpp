#include "formats/picture/PixelPlacement.h"

#include <algorithm>
#include <span>
#include <vector>

#include "formats/Gp32.h"
#include "formats/picture/RowReader.h"
#include "platform/InputFile.h"

namespace tessera {

namespace {

// Places every stored row into screen order through `place(band, n, at)`: `band` holds n rows
// one after the other, `at[r]` is the 0-based position of row r's first pixel (column 0), the
// next columns follow a column length apart. Screen order runs down the columns, so rows are
// placed in bands, column by column: neighbouring rows land side by side in memory instead of a
// page apart for every pixel. A band is capped in bytes too: a picture claiming a row of millions
// of pixels gets a band of one row, not sixteen times the row on top of its screen array.
constexpr std::int64_t kBandRows = 16;
constexpr std::size_t kBandBytes = std::size_t{1} << 20;

template <typename Place>
void placeRows(const InputFile& in, const PictureLayout& layout, const Progress& progress,
               Place&& place) {
    const RowReader rows(in, layout);
    const std::int64_t height = layout.order.height;
    const auto rowBytes = static_cast<std::size_t>(layout.order.width * layout.bytesPerPixel);
    const auto bandRows =
        std::clamp(static_cast<std::int64_t>(kBandBytes / std::max<std::size_t>(rowBytes, 1)),
                   std::int64_t{1}, kBandRows);
    std::vector<std::uint8_t> band(rowBytes * static_cast<std::size_t>(bandRows));
    std::int64_t at[kBandRows];
    for (std::int64_t first = 0; first < height; first += bandRows) {
        const std::int64_t end = std::min(first + bandRows, height);
        int n = 0;
        for (std::int64_t i = first; i < end; ++i) {
            if (rows.read(i, std::span(band).subspan(n * rowBytes, rowBytes)))
                at[n++] = layout.rowInColumn(i);
        }
        place(band.data(), n, at);
        for (std::int64_t i = first; i < end; ++i)
            progress(i + 1, height);
    }
}

}  // namespace

ScreenPixels placePixels(const InputFile& in, const PictureLayout& layout, std::int32_t fillBit,
                         const Progress& progress) {
    ScreenPixels pixels;
    const std::int64_t count = layout.order.count();
    const std::int64_t column = layout.order.columnLength();
    const std::int64_t width = layout.order.width;
    pixels.count = count;

    if (layout.bytesPerPixel == 1) {
        pixels.indices.assign(static_cast<std::size_t>(count), 0);  // padding stays 0
        auto* out = pixels.indices.data();
        placeRows(in, layout, progress,
                  [&](const std::uint8_t* band, int n, const std::int64_t* at) {
                      for (std::int64_t j = 0; j < width; ++j) {
                          for (int r = 0; r < n; ++r)
                              out[at[r] + column * j] = band[r * width + j];
                      }
                  });
        return pixels;
    }

    // Padding is black with the intensity bit.
    pixels.colours.assign(static_cast<std::size_t>(count), gp32::colour(0, 0, 0, fillBit));
    auto* out = pixels.colours.data();
    const int red = layout.redFirst ? 0 : 2;
    const int blue = 2 - red;
    placeRows(in, layout, progress, [&](const std::uint8_t* band, int n, const std::int64_t* at) {
        for (std::int64_t j = 0; j < width; ++j) {
            for (int r = 0; r < n; ++r) {
                const std::uint8_t* px = band + 3 * (r * width + j);
                out[at[r] + column * j] = gp32::colour(px[red], px[1], px[blue], fillBit);
            }
        }
    });
    return pixels;
}

}  // namespace tessera
