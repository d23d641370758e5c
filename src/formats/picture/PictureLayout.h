#pragma once

#include <cstdint>

#include "formats/Gp32.h"
#include "formats/picture/PictureInfo.h"

namespace tessera {

// The largest picture converted: 64 Mi elements (a 8192 x 8192 picture), 128 MB of colours.
inline constexpr std::int64_t kMaxElements = std::int64_t{64} * 1024 * 1024;

// Where a picture's pixels lie in its file and where each one goes in screen order, worked out
// and checked before anything is read or written. Every refusal of a picture happens here, so a
// refused picture leaves no output behind.
struct PictureLayout {
    // How the stored rows become rows of indices or colours: as they stand, run-length
    // decoded, unpacked from 1 or 4 bits, widened from bit fields, or decoded from a PNG.
    enum class Coding { Plain, Rle8, Rle4, Packed, BitFields, Png };

    gp32::ScreenOrder order;         // width and the height as a positive number of rows
    std::int64_t bytesPerPixel = 1;  // 1 (palette indices), 3 (colours) or 4 (colours, alpha)
    std::int64_t dataOffset = 0;     // first pixel byte
    std::int64_t rowStride = 0;      // bytes from one stored row to the next
    Coding coding = Coding::Plain;
    int storedBits = 8;                  // the file's bits per pixel (Packed, BitFields)
    std::uint32_t masks[3] = {0, 0, 0};  // red, green, blue bit fields (BitFields)
    bool redFirst = false;  // RAW colours are red, green, blue; bitmap colours blue, green, red
    // Indices from this one on lie beyond the picture's colour table (a RAW picture has none).
    std::int32_t colourCount = 256;
    enum class RowOrder { BitmapBottomUp, BitmapTopDown, Raw } rowOrder = RowOrder::Raw;

    // 0-based position inside its column of the pixels of stored row i (0-based).
    std::int64_t rowInColumn(std::int64_t i) const {
        switch (rowOrder) {
            case RowOrder::BitmapBottomUp:
                return order.bottomUpElement(i + 1, 1) - 1;
            case RowOrder::BitmapTopDown:  // the same picture as its bottom-up twin
                return order.bottomUpElement(order.height - i, 1) - 1;
            case RowOrder::Raw:
                break;
        }
        return order.topDownElement(i + 1, 1) - 1;
    }
    gp32::PaddingSide paddingSide() const {
        return rowOrder == RowOrder::Raw ? gp32::PaddingSide::BelowBottom
                                         : gp32::PaddingSide::AboveTop;
    }
};

// The layout of a described BMP, PNG or RAW picture; throws TesseraError with the reason when the
// picture cannot be converted. `keepAlpha` asks for the alpha after the colours of a PNG that
// has one (a channel or a transparent colour): 4 bytes a pixel.
PictureLayout pictureLayout(const PictureInfo& info, bool keepAlpha = false);

// A colour count that cannot size an 8-bit colour table is refused rather than trusted.
void checkPaletteCount(std::int32_t count);

}  // namespace tessera
