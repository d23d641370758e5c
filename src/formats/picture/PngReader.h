#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>

#include "formats/picture/PictureInfo.h"
#include "formats/picture/PictureLayout.h"

namespace tessera {

// Describes a PNG file from its header chunks (IHDR, PLTE): empty when the file does not start
// with the PNG signature; throws TesseraError when the PNG library refuses its header.
std::optional<PictureInfo> readPngInfo(const InputFile& in);

// Decodes a PNG's rows top first, one call per row in order: palette and grey pictures of up to
// 8 bits as one index a byte, every other kind as red, green, blue bytes (the high byte of 16-bit
// channels, alpha dropped). Interlaced pictures are decoded whole on the first call. Throws
// TesseraError when the data is damaged.
class PngRows {
  public:
    PngRows(const InputFile& in, const PictureLayout& layout);
    ~PngRows();
    PngRows(const PngRows&) = delete;
    PngRows& operator=(const PngRows&) = delete;

    void read(std::int64_t i, std::span<std::uint8_t> row);

  private:
    struct Decoder;
    std::unique_ptr<Decoder> decoder_;
};

}  // namespace tessera
