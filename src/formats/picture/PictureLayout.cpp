#include "formats/picture/PictureLayout.h"

#include "formats/FormatMessages.h"
#include "formats/picture/BmpInfo.h"
#include "platform/Errors.h"

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
    if (layout.order.count() > kMaxElements)
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

// A bitmap row is stored padded to a multiple of 4 bytes; RAW rows have no padding.
constexpr std::int64_t bmpRowStride(std::int64_t width, std::int64_t bytesPerPixel) {
    return (width * bytesPerPixel + 3) / 4 * 4;
}
static_assert(bmpRowStride(3, 3) == 12 && bmpRowStride(4, 3) == 12 && bmpRowStride(1, 1) == 4);

// A damaged or truncated file is refused before its fields are believed.
void checkHeaders(const PictureInfo& info) {
    const std::int64_t fileLength = info.file.size;
    if (!knownInfoSize(info.infoSize))
        refuse(fileLength < 18 ? messages::kCutHeaders : messages::kHeaderKind);
    const std::int64_t headersEnd = kBmpFileHeaderSize + info.infoSize;
    if (fileLength < headersEnd)
        refuse(messages::kCutHeaders);
    if (info.dataOffset < headersEnd || info.dataOffset > fileLength)
        refuse(messages::kDataOffset);
}

PictureLayout bmpLayout(const PictureInfo& info) {
    checkHeaders(info);
    const std::int64_t height = info.height;
    // A zero height stays zero here and is refused as empty.
    PictureLayout layout =
        checkedLayout(info.bitsPerPixel, info.width, height < 0 ? -height : height);
    layout.rowOrder = height < 0 ? PictureLayout::RowOrder::BitmapTopDown
                                 : PictureLayout::RowOrder::BitmapBottomUp;
    layout.dataOffset = info.dataOffset;
    layout.rowStride = bmpRowStride(layout.order.width, layout.bytesPerPixel);

    const bool standardMasks =
        info.redMask == 0xFF0000 && info.greenMask == 0xFF00 && info.blueMask == 0xFF;
    if (info.compression == kRle8 && info.bitsPerPixel == 8) {
        layout.coding = PictureLayout::Coding::Rle8;
    } else if (info.compression == kBitFields && info.bitsPerPixel == 24 && standardMasks) {
        // Some editors mark plain 24-bit pixels as bit fields with the usual masks.
    } else if (info.compression != kPlain) {
        refuse(messages::kCompression);
    }
    return layout;
}

PictureLayout rawLayout(const PictureInfo& info) {
    PictureLayout layout = checkedLayout(info.bitsPerPixel, info.width, info.height);
    layout.rowOrder = PictureLayout::RowOrder::Raw;
    layout.redFirst = true;
    layout.dataOffset = 0;
    layout.rowStride = layout.order.width * layout.bytesPerPixel;
    return layout;
}

}  // namespace

PictureLayout pictureLayout(const PictureInfo& info) {
    return info.kind == PictureKind::Raw ? rawLayout(info) : bmpLayout(info);
}

void checkPaletteCount(std::int32_t count) {
    if (count < 0 || count > 256)
        refuse(messages::kColourCount);
}

}  // namespace tessera
