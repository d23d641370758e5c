#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "formats/picture/PictureLayout.h"

namespace tessera {

class InputFile;

// Reads the stored rows one after the other, whole, as the placement wants them: one index per
// pixel for 8-bit pictures, three colour bytes per pixel for the others (blue, green, red for a
// bitmap; red first for a RAW picture). Plain rows come from the file, RLE8 rows from the
// decoded data.
class RowReader {
  public:
    RowReader(const InputFile& in, const PictureLayout& layout);

    // Row i (0-based, in stored order), width x bytesPerPixel bytes. False for a row that lies
    // wholly past the end of the file: it would read as zeros, which the freshly filled arrays
    // already hold, so a tiny file claiming a huge picture costs no scattered writes.
    bool read(std::int64_t i, std::span<std::uint8_t> row) const;

  private:
    const InputFile& in_;
    const PictureLayout& layout_;
    std::vector<std::uint8_t> decoded_;
};

}  // namespace tessera
