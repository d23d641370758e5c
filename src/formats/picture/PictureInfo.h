#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "../../platform/InputFile.h"

namespace tessera {

enum class PictureKind { Bmp, Raw, Png };

// What a load learned of a picture file, kept for every later step: the conversions read pixel
// and palette bytes only, never the headers again. For a RAW file the size and depth are the
// ones the user typed in. Nothing here is checked yet; the layout decides what is converted.
struct PictureInfo {
    PictureKind kind = PictureKind::Bmp;
    std::int32_t width = 0;
    std::int32_t height = 0;        // a bitmap's negative height means rows stored top-down
    std::int16_t bitsPerPixel = 0;  // the file's own: 1 to 32 for a bitmap, 1 to 64 for a PNG
    std::uint32_t infoSize = 0;     // the bitmap information header's size
    std::uint32_t compression = 0;  // 0 plain, 1 RLE8, 2 RLE4, 3 or 6 bit fields
    std::uint32_t redMask = 0;
    std::uint32_t greenMask = 0;
    std::uint32_t blueMask = 0;
    std::int32_t dataOffset = 0;        // first pixel byte
    std::int64_t paletteOffset = 0;     // the colour table follows the information header
    std::int32_t paletteCount = 0;      // colours in the table as the header counts them
    std::int32_t paletteEntrySize = 4;  // blue, green, red, unused; the oldest bitmaps drop one
    // A PNG's colour type and bit depth, and its colours (red, green, blue) when its pixels are
    // indices: the PLTE chunk, or a grey ramp for a grey picture.
    std::uint8_t pngColourType = 0;
    std::uint8_t pngBitDepth = 0;
    std::vector<std::array<std::uint8_t, 3>> colours;
    std::vector<std::uint8_t> alphas;  // the alpha of the first colours (tRNS); the rest opaque
    FileStamp file;                    // the file as it was when described
};

// The depth a picture is converted at: 8 when its pixels become palette indices, 24 when they
// become GP32 colours, its own depth when it cannot be converted at all.
std::int16_t convertedDepth(const PictureInfo& info);

}  // namespace tessera
