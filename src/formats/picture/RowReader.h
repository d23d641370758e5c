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

// Reads the stored rows one after the other, whole, as the placement wants them: one index per
// pixel for 8-bit pictures, three colour bytes per pixel for the others (blue, green, red for a
// bitmap; red first for a RAW or PNG picture). Plain rows come from the file, RLE rows from the
// decoded data, 1/4-bit and bit-field rows are unpacked and PNG rows decoded as they are read.
class RowReader {
  public:
    RowReader(const InputFile& in, const PictureLayout& layout);
    ~RowReader();

    // Row i (0-based, in stored order, called in that order), width x bytesPerPixel bytes.
    // False for a row that lies wholly past the end of the file: it would read as zeros, which
    // the freshly filled arrays already hold, so a tiny file claiming a huge picture costs no
    // scattered writes.
    bool read(std::int64_t i, std::span<std::uint8_t> row) const;

  private:
    const InputFile& in_;
    const PictureLayout& layout_;
    std::vector<std::uint8_t> decoded_;
    mutable std::vector<std::uint8_t> stored_;  // one stored row, for the rows unpacked
    std::optional<BitFieldPixels> fields_;
    std::unique_ptr<PngRows> png_;
};

}  // namespace tessera
