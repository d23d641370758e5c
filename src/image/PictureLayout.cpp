#include "image/PictureLayout.h"

#include "app/ConverterState.h"
#include "app/Errors.h"
#include "image/BmpHeader.h"
#include "image/ImageMessages.h"

namespace tessera {

namespace {

constexpr std::uint32_t kPlain = 0;
constexpr std::uint32_t kRle8 = 1;
constexpr std::uint32_t kBitFields = 3;

[[noreturn]] void refuse(const char* reason) {
    throw TesseraError(failureText(messages::kCantConvert, reason));
}

// Depth, then size: both before any allocation, in 64 bits so no header can overflow them.
PictureLayout checkedLayout(std::int16_t bpp, std::int64_t width, std::int64_t height) {
    if (bpp != 8 && bpp != 24)
        throw TesseraError(messages::kOnlyDepths);
    if (width <= 0 || height <= 0)
        refuse(messages::kEmptyPicture);
    PictureLayout layout;
    layout.order = {width, height};
    if (layout.order.count() > gp32::kMaxElements)
        refuse(messages::kTooBig);
    layout.bytesPerPixel = bpp / 8;
    return layout;
}

// Header sizes of the Windows bitmap versions, which all keep the fields read here at the same
// places. The 12-byte header of the oldest bitmaps stores 16-bit sizes elsewhere: not read.
bool knownInfoSize(std::uint32_t size) {
    for (const std::uint32_t known : {40u, 52u, 56u, 64u, 108u, 124u}) {
        if (size == known)
            return true;
    }
    return false;
}

// A damaged or truncated file is refused before its fields are believed.
void checkHeaders(const BmpHeader& header) {
    if (!knownInfoSize(header.infoSize))
        refuse(header.fileLength < 18 ? messages::kCutHeaders : messages::kHeaderKind);
    const std::int64_t headersEnd = kBmpFileHeaderSize + header.infoSize;
    if (header.fileLength < headersEnd)
        refuse(messages::kCutHeaders);
    if (header.dataOffset < headersEnd || header.dataOffset > header.fileLength)
        refuse(messages::kDataOffset);
}

}  // namespace

PictureLayout bmpLayout(const ConverterState& state, const BmpHeader& header) {
    checkHeaders(header);
    const std::int64_t height = state.lngHeight;
    // A zero height stays zero here and is refused as empty.
    PictureLayout layout =
        checkedLayout(state.intBpp, state.lngWidth, height < 0 ? -height : height);
    layout.rowOrder = height < 0 ? PictureLayout::RowOrder::BitmapTopDown
                                 : PictureLayout::RowOrder::BitmapBottomUp;
    layout.dataOffset = state.lngDataOffset;
    layout.rowStride = gp32::bmpRowStride(layout.order.width, layout.bytesPerPixel);

    const bool standardMasks =
        header.redMask == 0xFF0000 && header.greenMask == 0xFF00 && header.blueMask == 0xFF;
    if (header.compression == kRle8 && state.intBpp == 8) {
        layout.coding = PictureLayout::Coding::Rle8;
    } else if (header.compression == kBitFields && state.intBpp == 24 && standardMasks) {
        // Some editors mark plain 24-bit pixels as bit fields with the usual masks.
    } else if (header.compression != kPlain) {
        refuse(messages::kCompression);
    }
    return layout;
}

PictureLayout rawLayout(const ConverterState& state) {
    PictureLayout layout = checkedLayout(state.intBpp, state.lngWidth, state.lngHeight);
    layout.rowOrder = PictureLayout::RowOrder::Raw;
    layout.redFirst = true;
    layout.dataOffset = 0;
    layout.rowStride = layout.order.width * layout.bytesPerPixel;
    return layout;
}

std::int64_t paletteOffset(const BmpHeader& header) {
    return kBmpFileHeaderSize + static_cast<std::int64_t>(header.infoSize);
}

void checkPaletteCount(std::int32_t count) {
    if (count < 0 || count > 256)
        refuse(messages::kColourCount);
}

}  // namespace tessera
