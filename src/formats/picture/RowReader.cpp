#include "formats/picture/RowReader.h"

#include <algorithm>

#include "formats/picture/Rle8.h"
#include "platform/InputFile.h"

namespace tessera {

RowReader::RowReader(const InputFile& in, const PictureLayout& layout) : in_(in), layout_(layout) {
    if (layout.coding == PictureLayout::Coding::Rle8)
        decoded_ = decodeRle8(in, layout.dataOffset, layout.order.width, layout.order.height);
}

bool RowReader::read(std::int64_t i, std::span<std::uint8_t> row) const {
    if (layout_.coding == PictureLayout::Coding::Rle8) {
        const auto begin = decoded_.begin() + static_cast<std::ptrdiff_t>(i * layout_.order.width);
        std::copy(begin, begin + static_cast<std::ptrdiff_t>(row.size()), row.begin());
        return true;
    }
    const std::int64_t at = layout_.dataOffset + layout_.rowStride * i;
    if (at >= in_.length())
        return false;
    in_.read(at, row);
    return true;
}

}  // namespace tessera
