// SPDX-License-Identifier: GPL-3.0-or-later
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

// Decodes a PNG's rows: palette and grey pictures of up to 8 bits as one index a byte, every other
// kind as red, green, blue bytes (the high byte of 16-bit channels, alpha dropped). Throws
// TesseraError when the data is damaged.
class PngRows {
  public:
    PngRows(const InputFile& in, const PictureLayout& layout);
    ~PngRows();
    PngRows(const PngRows&) = delete;
    PngRows& operator=(const PngRows&) = delete;

    // A picture that is not interlaced: the next row, top row first.
    void read(std::span<std::uint8_t> row);

    // An interlaced picture comes as seven reduced pictures (passes), each row of which holds
    // every `columnStep`-th pixel of one row of the picture from `firstColumn` on. Reading them
    // as they come, never holding the picture whole, keeps the memory of one row.
    bool interlaced() const;
    struct PassRow {
        std::int64_t row = 0;  // in the picture, top row 0
        std::int64_t firstColumn = 0;
        std::int64_t columnStep = 1;
        std::int64_t count = 0;  // pixels in the reduced row
    };
    std::int64_t passRowCount() const;
    // The next reduced row in file order, into `row` (a whole row's bytes); false after the last.
    bool readPassRow(PassRow& where, std::span<std::uint8_t> row);

  private:
    struct Decoder;
    std::unique_ptr<Decoder> decoder_;
};

}  // namespace tessera
