#pragma once

#include <cstdint>

#include "platform/InputFile.h"

namespace tessera {

enum class PictureKind { Bmp, Raw };

// What a load learned of a picture file, kept for every later step: the conversions read pixel
// and palette bytes only, never the headers again. For a RAW file the size and depth are the
// ones the user typed in. Nothing here is checked yet; the layout decides what is converted.
struct PictureInfo {
    PictureKind kind = PictureKind::Bmp;
    std::int32_t width = 0;
    std::int32_t height = 0;  // a bitmap's negative height means rows stored top-down
    std::int16_t bitsPerPixel = 0;
    std::uint32_t infoSize = 0;     // the bitmap information header's size
    std::uint32_t compression = 0;  // 0 plain, 1 RLE8, 3 bit fields
    std::uint32_t redMask = 0;
    std::uint32_t greenMask = 0;
    std::uint32_t blueMask = 0;
    std::int32_t dataOffset = 0;     // first pixel byte
    std::int64_t paletteOffset = 0;  // the colour table follows the information header
    std::int32_t paletteCount = 0;   // colours in the table as the header counts them
    FileStamp file;                  // the file as it was when described
};

}  // namespace tessera
