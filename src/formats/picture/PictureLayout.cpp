// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/picture/PictureLayout.h"

#include <bit>
#include <string>

#include "formats/FormatMessages.h"
#include "formats/picture/BmpInfo.h"
#include "platform/Errors.h"

namespace tessera {

namespace {

constexpr std::uint32_t kPlain = 0;
constexpr std::uint32_t kRle8 = 1;
constexpr std::uint32_t kRle4 = 2;
constexpr std::uint32_t kBitFields = 3;
constexpr std::uint32_t kAlphaBitFields = 6;  // the alpha mask is of no use to the GP32

// The PNG library decodes a row whole, keeping it and the row before (up to 8 bytes a pixel
// each), so a PNG row's width is what bounds that memory; the widest a GP32 picture could use
// is far below it.
constexpr std::int64_t kMaxPngWidth = std::int64_t{1} << 18;

[[noreturn]] void refuse(Reason code, const std::string& reason) {
    throw TesseraError(code, failureText(messages::kCantConvert, reason), FileRole::Input);
}

// Size, before any allocation, in 64 bits so no header can overflow it.
PictureLayout checkedLayout(std::int16_t convertedBits, std::int64_t width, std::int64_t height) {
    if (width <= 0 || height <= 0)
        refuse(Reason::PictureEmpty, messages::kEmptyPicture);
    PictureLayout layout;
    layout.order = {width, height};
    if (layout.order.count() > kMaxElements)
        refuse(Reason::PictureTooBig, messages::tooBig(kMaxElements));
    layout.bytesPerPixel = convertedBits / 8;
    return layout;
}

// A bitmap row is stored padded to a multiple of 4 bytes; RAW rows have no padding.
constexpr std::int64_t bmpRowStride(std::int64_t width, std::int64_t bitsPerPixel) {
    return (width * bitsPerPixel + 31) / 32 * 4;
}
static_assert(bmpRowStride(3, 24) == 12 && bmpRowStride(4, 24) == 12 && bmpRowStride(1, 8) == 4);
static_assert(bmpRowStride(33, 1) == 8 && bmpRowStride(9, 4) == 8 && bmpRowStride(3, 16) == 8);

// A damaged or truncated file is refused before its fields are believed.
void checkHeaders(const PictureInfo& info) {
    const std::int64_t fileLength = info.file.size;
    const BmpHeader header = bmpHeader(info);
    if (header != BmpHeader::Known)
        header == BmpHeader::Cut ? refuse(Reason::BmpHeadersCut, messages::kCutHeaders)
                                 : refuse(Reason::BmpHeaderKind, messages::kHeaderKind);
    const std::int64_t headersEnd = kBmpFileHeaderSize + info.infoSize;
    if (fileLength < headersEnd)
        refuse(Reason::BmpHeadersCut, messages::kCutHeaders);
    if (info.dataOffset < headersEnd || info.dataOffset > fileLength)
        refuse(Reason::BmpDataOffset, messages::kDataOffset);
}

// Each mask must be one run of bits: a channel split over the pixel has no single value.
bool contiguous(std::uint32_t mask) {
    return mask == 0 || std::popcount(mask >> std::countr_zero(mask)) ==
                            std::countr_one(mask >> std::countr_zero(mask));
}

void setMasks(PictureLayout& layout, std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
    layout.masks[0] = red;
    layout.masks[1] = green;
    layout.masks[2] = blue;
}

// How the stored pixels of a bitmap of this depth and compression are decoded.
void chooseCoding(const PictureInfo& info, PictureLayout& layout) {
    const std::int16_t bpp = info.bitsPerPixel;
    const std::uint32_t c = info.compression;
    using Coding = PictureLayout::Coding;
    layout.storedBits = bpp;
    if (c == kRle8 && bpp == 8) {
        layout.coding = Coding::Rle8;
    } else if (c == kRle4 && bpp == 4) {
        layout.coding = Coding::Rle4;
    } else if (c == kPlain && (bpp == 1 || bpp == 4)) {
        layout.coding = Coding::Packed;
    } else if (c == kPlain && bpp == 16) {  // 5-5-5, the top bit unused
        layout.coding = Coding::BitFields;
        setMasks(layout, 0x7C00, 0x03E0, 0x001F);
    } else if (c == kPlain && bpp == 32) {  // blue, green, red, unused
        layout.coding = Coding::BitFields;
        setMasks(layout, 0xFF0000, 0xFF00, 0xFF);
    } else if ((c == kBitFields || c == kAlphaBitFields) && (bpp == 16 || bpp == 32)) {
        layout.coding = Coding::BitFields;
        setMasks(layout, info.redMask, info.greenMask, info.blueMask);
        for (const std::uint32_t m : layout.masks) {
            if (!contiguous(m) || (bpp == 16 && m > 0xFFFF))
                refuse(Reason::BmpMasksSplit, messages::kMasks);
        }
    } else if (c == kBitFields && bpp == 24 && info.redMask == 0xFF0000 &&
               info.greenMask == 0xFF00 && info.blueMask == 0xFF) {
        // Some editors mark plain 24-bit pixels as bit fields with the usual masks.
    } else if (c != kPlain || (bpp != 8 && bpp != 24)) {
        c == kPlain ? refuse(Reason::BmpDepth, messages::bitmapDepth(bpp))
                    : refuse(Reason::BmpPacking, messages::bitmapPacking(c, bpp));
    }
}

PictureLayout bmpLayout(const PictureInfo& info) {
    checkHeaders(info);
    const std::int16_t converted = convertedDepth(info);
    if (converted != 8 && converted != 24)
        refuse(Reason::BmpDepth, messages::bitmapDepth(info.bitsPerPixel));
    if (converted == 8)  // whether its palette is written or not: the table is the file's
        checkPaletteCount(info.paletteCount);
    const std::int64_t height = info.height;
    // A zero height stays zero here and is refused as empty.
    PictureLayout layout = checkedLayout(converted, info.width, height < 0 ? -height : height);
    layout.rowOrder = height < 0 ? PictureLayout::RowOrder::BitmapTopDown
                                 : PictureLayout::RowOrder::BitmapBottomUp;
    layout.dataOffset = info.dataOffset;
    layout.rowStride = bmpRowStride(layout.order.width, info.bitsPerPixel);
    if (converted == 8)
        layout.colourCount = info.paletteCount;
    chooseCoding(info, layout);
    return layout;
}

// Every PNG row is decoded to indices or colours by the PNG library, top row first, red first;
// placed like a top-down bitmap, so a PNG gives the very arrays of its bitmap twin.
PictureLayout pngLayout(const PictureInfo& info, bool keepAlpha) {
    if (info.width > kMaxPngWidth)
        refuse(Reason::PngTooWide, messages::pngTooWide(kMaxPngWidth));
    PictureLayout layout = checkedLayout(convertedDepth(info), info.width, info.height);
    if (keepAlpha && layout.bytesPerPixel == 3)
        layout.bytesPerPixel = 4;
    layout.rowOrder = PictureLayout::RowOrder::BitmapTopDown;
    layout.redFirst = true;
    layout.coding = PictureLayout::Coding::Png;
    layout.storedBits = info.bitsPerPixel;
    if (!info.colours.empty())
        layout.colourCount = static_cast<std::int32_t>(info.colours.size());
    return layout;
}

PictureLayout rawLayout(const PictureInfo& info) {
    if (info.bitsPerPixel != 8 && info.bitsPerPixel != 24)
        throw TesseraError(Reason::PictureDepthNotRead, messages::kOnlyDepths, FileRole::Input);
    PictureLayout layout = checkedLayout(info.bitsPerPixel, info.width, info.height);
    layout.rowOrder = PictureLayout::RowOrder::Raw;
    layout.redFirst = true;
    layout.dataOffset = 0;
    layout.rowStride = layout.order.width * layout.bytesPerPixel;
    return layout;
}

}  // namespace

std::int16_t convertedDepth(const PictureInfo& info) {
    const std::int16_t bpp = info.bitsPerPixel;
    switch (info.kind) {
        case PictureKind::Raw:
            return bpp;
        case PictureKind::Png:  // palette pictures, and grey levels that fit an index
            return info.colours.empty() ? 24 : 8;
        case PictureKind::Bmp:
            break;
    }
    if (bpp == 1 || bpp == 4 || bpp == 8)
        return 8;
    return bpp == 16 || bpp == 24 || bpp == 32 ? 24 : bpp;
}

PictureLayout pictureLayout(const PictureInfo& info, bool keepAlpha) {
    switch (info.kind) {
        case PictureKind::Raw:
            return rawLayout(info);
        case PictureKind::Png:
            return pngLayout(info, keepAlpha);
        case PictureKind::Bmp:
            break;
    }
    return bmpLayout(info);
}

void checkPaletteCount(std::int32_t count) {
    if (count < 0 || count > 256)
        refuse(Reason::BmpColourCount, messages::kColourCount);
}

}  // namespace tessera
