#include "formats/picture/RowReader.h"

#include <algorithm>

#include "formats/picture/PngReader.h"
#include "formats/picture/Rle.h"
#include "platform/InputFile.h"

namespace tessera {

RowReader::RowReader(const InputFile& in, const PictureLayout& layout) : in_(in), layout_(layout) {
    using Coding = PictureLayout::Coding;
    switch (layout.coding) {
        case Coding::Rle8:
        case Coding::Rle4:
            decoded_ = decodeRle(in, layout.dataOffset, layout.order.width, layout.order.height,
                                 layout.storedBits);
            break;
        case Coding::BitFields:
            fields_.emplace(layout.masks, layout.storedBits);
            stored_.resize(static_cast<std::size_t>(layout.rowStride));
            break;
        case Coding::Packed:
            stored_.resize(static_cast<std::size_t>(layout.rowStride));
            break;
        case Coding::Png:
            png_ = std::make_unique<PngRows>(in, layout);
            break;
        case Coding::Plain:
            break;
    }
}

RowReader::~RowReader() = default;

bool RowReader::read(std::int64_t i, std::span<std::uint8_t> row) const {
    using Coding = PictureLayout::Coding;
    if (layout_.coding == Coding::Rle8 || layout_.coding == Coding::Rle4) {
        const auto begin = decoded_.begin() + static_cast<std::ptrdiff_t>(i * layout_.order.width);
        std::copy(begin, begin + static_cast<std::ptrdiff_t>(row.size()), row.begin());
        return true;
    }
    if (png_) {
        png_->read(i, row);
        return true;
    }
    const std::int64_t at = layout_.dataOffset + layout_.rowStride * i;
    if (at >= in_.length())
        return false;
    if (layout_.coding == Coding::Plain) {
        in_.read(at, row);
        return true;
    }
    in_.read(at, stored_);
    if (fields_)
        fields_->widen(stored_, row);
    else
        unpackIndices(stored_, layout_.storedBits, row);
    return true;
}

}  // namespace tessera
