// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "formats/picture/BmpRows.h"
#include "formats/picture/PictureLayout.h"

namespace tessera {

class InputFile;
class PngRows;

// Reads the stored rows one after the other, as the placement wants them: one index per pixel
// for 8-bit pictures, three colour bytes per pixel for the others (blue, green, red for a bitmap;
// red first for a RAW or PNG picture). Plain rows come from the file, RLE rows from the decoded
// data, 1/4-bit and bit-field rows are unpacked and PNG rows decoded as they are read.
class RowReader {
  public:
    RowReader(const InputFile& in, const PictureLayout& layout);
    ~RowReader();

    // Whether a row can be read a piece at a time; PNG rows are decoded whole.
    bool readsPieces() const { return !png_; }
    // Whether rows can be read on any thread, in any order: rows lying in the file as they are
    // placed, or decoded already. Rows decoded or unpacked as they are read go one at a time.
    bool readsAnywhere() const;
    // An interlaced PNG, read through its passes instead of read(); null for any other picture.
    PngRows* interlacedPng() const;

    // Columns x0 .. x0 + n - 1 of row i (0-based, in stored order, called in that order for each
    // piece), n = pixels.size() / bytesPerPixel. x0 is a multiple of 8, so a piece of a packed
    // row starts on a whole byte; it is 0 for a PNG, whose rows are read whole. False for a piece
    // that lies wholly past the end of the file: it would read as zeros, which the freshly filled
    // arrays already hold, so a tiny file claiming a huge picture costs no scattered writes.
    bool read(std::int64_t i, std::int64_t x0, std::span<std::uint8_t> pixels) const;

    // The same piece of rows first .. first + count - 1 into `out`, `outStride` apart; returns
    // how many were read, stopping at the first that lies wholly past the end of the file.
    std::int64_t readBand(std::int64_t first, std::int64_t count, std::int64_t x0,
                          std::int64_t pieceBytes, std::uint8_t* out, std::int64_t outStride) const;

  private:
    // Where the piece of row i from column x0 lies in the file.
    std::int64_t pieceAt(std::int64_t i, std::int64_t x0) const;

    const InputFile& in_;
    const PictureLayout& layout_;
    std::vector<std::uint8_t> decoded_;
    mutable std::vector<std::uint8_t> stored_;  // one stored piece, for the rows unpacked
    std::optional<BitFieldPixels> fields_;
    std::unique_ptr<PngRows> png_;
};

}  // namespace tessera
