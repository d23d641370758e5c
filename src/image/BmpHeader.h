#pragma once

#include <cstdint>

namespace tessera {

class InputFile;

// The fields of a Windows bitmap's file header (14 bytes) and information header, named where
// they are read. Nothing is checked here; the loader and the conversions decide what they accept.
struct BmpHeader {
    bool signatureOk = false;       // "BM" at offset 0
    std::int32_t dataOffset = 0;    // offset 10: where the pixels start
    std::uint32_t infoSize = 0;     // offset 14: 40 usually, 108 or 124 from newer tools
    std::int32_t width = 0;         // offset 18
    std::int32_t height = 0;        // offset 22: negative for rows stored top-down
    std::int16_t bitsPerPixel = 0;  // offset 28
    std::uint32_t compression = 0;  // offset 30: 0 none, 1 RLE8, 3 bit fields
    std::int32_t colorsUsed = 0;    // offset 46: 0 means all 256
    std::uint32_t redMask = 0;      // offsets 54, 58, 62: the bit-field masks
    std::uint32_t greenMask = 0;
    std::uint32_t blueMask = 0;
    std::int64_t fileLength = 0;  // not a field: what the headers and the offset must fit in
};

inline constexpr std::int64_t kBmpFileHeaderSize = 14;

BmpHeader readBmpHeader(const InputFile& file);

}  // namespace tessera
