#include "image/BmpHeader.h"

#include "app/InputFile.h"

namespace tessera {

BmpHeader readBmpHeader(const InputFile& in) {
    BmpHeader h;
    h.signatureOk = in.readByte(0) == 'B' && in.readByte(1) == 'M';
    h.dataOffset = in.readLe32(10);
    h.infoSize = in.readU32(14);
    h.width = in.readLe32(18);
    h.height = in.readLe32(22);
    h.bitsPerPixel = in.readLe16(28);
    h.compression = in.readU32(30);
    h.colorsUsed = in.readLe32(46);
    h.redMask = in.readU32(54);
    h.greenMask = in.readU32(58);
    h.blueMask = in.readU32(62);
    h.fileLength = in.length();
    return h;
}

}  // namespace tessera
