#include "formats/picture/BmpInfo.h"

namespace tessera {

std::optional<PictureInfo> readBmpInfo(const InputFile& in) {
    if (in.readByte(0) != 'B' || in.readByte(1) != 'M')
        return std::nullopt;
    PictureInfo info;
    info.kind = PictureKind::Bmp;
    info.dataOffset = in.readLe32(10);
    info.infoSize = in.readU32(14);
    info.width = in.readLe32(18);
    info.height = in.readLe32(22);
    info.bitsPerPixel = in.readLe16(28);
    info.compression = in.readU32(30);
    const std::int32_t colorsUsed = in.readLe32(46);  // 0 means all 256
    info.paletteCount = colorsUsed == 0 ? 256 : colorsUsed;
    info.redMask = in.readU32(54);
    info.greenMask = in.readU32(58);
    info.blueMask = in.readU32(62);
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
