// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/picture/BmpInfo.h"

namespace tessera {

namespace {

constexpr std::uint32_t kPlain = 0;

// The oldest bitmaps: 16-bit width and height, no compression, a full table of 3-byte colours.
void readCoreHeader(const InputFile& in, PictureInfo& info) {
    info.width = in.readU16(18);
    info.height = in.readU16(20);
    info.bitsPerPixel = in.readLe16(24);
    info.compression = kPlain;
    info.paletteEntrySize = 3;
    const bool indexed = info.bitsPerPixel >= 1 && info.bitsPerPixel <= 8;
    info.paletteCount = indexed ? 1 << info.bitsPerPixel : 0;
}

void readInfoHeader(const InputFile& in, PictureInfo& info) {
    info.width = in.readLe32(18);
    info.height = in.readLe32(22);
    info.bitsPerPixel = in.readLe16(28);
    info.compression = in.readU32(30);
    // 0 means a full table: 256 colours at 8 bits, 16 and 2 below.
    const std::int32_t colorsUsed = in.readLe32(46);
    const bool fewBits = info.bitsPerPixel == 1 || info.bitsPerPixel == 4;
    info.paletteCount = colorsUsed != 0 ? colorsUsed : fewBits ? 1 << info.bitsPerPixel : 256;
    // Bit-field masks follow a 40-byte header, or are part of the longer ones.
    info.redMask = in.readU32(54);
    info.greenMask = in.readU32(58);
    info.blueMask = in.readU32(62);
}

}  // namespace

bool knownInfoSize(std::uint32_t size) {
    for (const std::uint32_t known : {kCoreHeaderSize, 40u, 52u, 56u, 64u, 108u, 124u}) {
        if (size == known)
            return true;
    }
    return false;
}

BmpHeader bmpHeader(const PictureInfo& info) {
    if (knownInfoSize(info.infoSize))
        return BmpHeader::Known;
    return info.file.size < kBmpFileHeaderSize + 4 ? BmpHeader::Cut : BmpHeader::OtherKind;
}

std::optional<PictureInfo> readBmpInfo(const InputFile& in) {
    if (in.readByte(0) != 'B' || in.readByte(1) != 'M')
        return std::nullopt;
    PictureInfo info;
    info.kind = PictureKind::Bmp;
    info.dataOffset = in.readLe32(10);
    info.infoSize = in.readU32(14);
    if (info.infoSize == kCoreHeaderSize)
        readCoreHeader(in, info);
    else
        readInfoHeader(in, info);
    info.paletteOffset = kBmpFileHeaderSize + static_cast<std::int64_t>(info.infoSize);
    info.file = in.stamp();
    return info;
}

PictureInfo rawInfo(const InputFile& in, std::int32_t width, std::int32_t height,
                    std::int16_t bitsPerPixel) {
    PictureInfo info;
    info.kind = PictureKind::Raw;
    info.width = width;
    info.height = height;
    info.bitsPerPixel = bitsPerPixel;
    info.file = in.stamp();
    return info;
}

}  // namespace tessera
