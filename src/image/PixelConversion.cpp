#include <algorithm>
#include <cmath>
#include <span>
#include <vector>

#include "app/Form1.h"
#include "app/InputFile.h"
#include "image/BmpHeader.h"
#include "image/Gp32.h"
#include "image/PictureLayout.h"
#include "image/Rle8.h"

namespace tessera {

namespace {

// Reads the stored rows one after the other, whole: from the file for plain pixels, from the
// decoded rows for RLE8 data.
class RowReader {
  public:
    RowReader(const InputFile& in, const PictureLayout& layout) : in_(in), layout_(layout) {
        if (layout.coding == PictureLayout::Coding::Rle8) {
            decoded_ = decodeRle8(in, layout.dataOffset, layout.order.width, layout.order.height);
        }
    }
    // Row i (0-based, in stored order), width x bytesPerPixel bytes. False for a row that lies
    // wholly past the end of the file: it would read as zeros, which the freshly filled arrays
    // already hold, so a tiny file claiming a huge picture costs no scattered writes.
    bool read(std::int64_t i, std::span<std::uint8_t> row) const {
        if (layout_.coding == PictureLayout::Coding::Rle8) {
            const auto begin =
                decoded_.begin() + static_cast<std::ptrdiff_t>(i * layout_.order.width);
            std::copy(begin, begin + static_cast<std::ptrdiff_t>(row.size()), row.begin());
            return true;
        }
        const std::int64_t at = layout_.dataOffset + layout_.rowStride * i;
        if (at >= in_.length())
            return false;
        in_.read(at, row);
        return true;
    }

  private:
    const InputFile& in_;
    const PictureLayout& layout_;
    std::vector<std::uint8_t> decoded_;
};

// Places every stored row into screen order through `place(band, n, at)`: `band` holds n rows
// one after the other, `at[r]` is the 0-based position of row r's first pixel (column 0), the
// next columns follow a column length apart. Screen order runs down the columns, so rows are
// placed in bands, column by column: neighbouring rows land side by side in memory instead of a
// page apart for every pixel. The bar grows to 1415 twips row by row.
constexpr std::int64_t kBandRows = 16;

template <typename Place>
void placeRows(Form1& form, const InputFile& in, const PictureLayout& layout, Place&& place) {
    const RowReader rows(in, layout);
    const std::int64_t height = layout.order.height;
    const auto rowBytes = static_cast<std::size_t>(layout.order.width * layout.bytesPerPixel);
    std::vector<std::uint8_t> band(rowBytes * kBandRows);
    std::int64_t at[kBandRows];
    for (std::int64_t first = 0; first < height; first += kBandRows) {
        const std::int64_t end = std::min(first + kBandRows, height);
        int n = 0;
        for (std::int64_t i = first; i < end; ++i) {
            if (rows.read(i, std::span(band).subspan(n * rowBytes, rowBytes)))
                at[n++] = layout.rowInColumn(i);
        }
        place(band.data(), n, at);
        for (std::int64_t i = first; i < end; ++i) {
            form.setPercentWidth(std::floor(static_cast<double>(i + 1) /
                                            static_cast<double>(height) * gp32::kConvertedWidth));
        }
    }
}

// Both pixel procedures: 8-bit pictures keep their indices, 24-bit pictures become GP32 colours.
void convertPixels(Form1& form, const InputFile& in, const PictureLayout& layout) {
    ConverterState& s = form.state;
    const std::int64_t count = layout.order.count();
    const std::int64_t column = layout.order.columnLength();
    const std::int64_t width = layout.order.width;
    s.lngCount = static_cast<std::int32_t>(count);

    if (layout.bytesPerPixel == 1) {
        s.bytData.assign(static_cast<std::size_t>(count), 0);  // padding stays 0
        auto* out = s.bytData.data();
        placeRows(form, in, layout, [&](const std::uint8_t* band, int n, const std::int64_t* at) {
            for (std::int64_t j = 0; j < width; ++j) {
                for (int r = 0; r < n; ++r)
                    out[at[r] + column * j] = band[r * width + j];
            }
        });
        return;
    }

    s.lngFillBit = form.optFill1.Value ? 1 : 0;
    // Padding is black with the intensity bit.
    s.strValues.assign(static_cast<std::size_t>(count), gp32::colour(0, 0, 0, s.lngFillBit));
    auto* out = s.strValues.data();
    const int red = layout.redFirst ? 0 : 2;
    const int blue = 2 - red;
    placeRows(form, in, layout, [&](const std::uint8_t* band, int n, const std::int64_t* at) {
        for (std::int64_t j = 0; j < width; ++j) {
            for (int r = 0; r < n; ++r) {
                const std::uint8_t* px = band + 3 * (r * width + j);
                out[at[r] + column * j] = gp32::colour(px[red], px[1], px[blue], s.lngFillBit);
            }
        }
    });
}

}  // namespace

void Form1::RAWRotateRight() {
    const PictureLayout layout = rawLayout(state);
    const InputFile in(state.strImgPath);
    convertPixels(*this, in, layout);
}

void Form1::ConvertBMPPixels() {
    const InputFile in(state.strImgPath);
    const PictureLayout layout = bmpLayout(state, readBmpHeader(in));
    convertPixels(*this, in, layout);
}

void Form1::ConvertBMPPalette() {
    checkPaletteCount(state.lngPalCount);
    const InputFile in(state.strImgPath);
    const auto count = static_cast<std::size_t>(state.lngPalCount);
    std::vector<std::uint8_t> table(4 * count);  // blue, green, red, unused
    in.read(paletteOffset(readBmpHeader(in)), table);
    state.lngFillBit = optFill1.Value ? 1 : 0;
    state.strPal.resize(count);
    for (std::size_t e = 0; e < count; ++e) {
        state.strPal[e] =
            gp32::colour(table[4 * e + 2], table[4 * e + 1], table[4 * e], state.lngFillBit);
    }
}

}  // namespace tessera
