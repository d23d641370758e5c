// SPDX-License-Identifier: GPL-3.0-or-later
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
            break;
        case Coding::Png:
            png_ = std::make_unique<PngRows>(in, layout);
            break;
        case Coding::Packed:
        case Coding::Plain:
            break;
    }
}

RowReader::~RowReader() = default;

std::int64_t RowReader::pieceAt(std::int64_t i, std::int64_t x0) const {
    const std::int64_t pieceOffset = layout_.coding == PictureLayout::Coding::Plain
                                         ? x0 * layout_.bytesPerPixel
                                         : x0 * layout_.storedBits / 8;
    return layout_.dataOffset + layout_.rowStride * i + pieceOffset;
}

std::int64_t RowReader::readBand(std::int64_t first, std::int64_t count, std::int64_t x0,
                                 std::int64_t pieceBytes, std::uint8_t* out,
                                 std::int64_t outStride) const {
    if (layout_.coding == PictureLayout::Coding::Plain) {
        // Plain rows are read together: every piece that starts inside the file.
        const std::int64_t at = pieceAt(first, x0);
        const std::int64_t inFile =
            at >= in_.length()
                ? 0
                : std::min(count, (in_.length() - at + layout_.rowStride - 1) / layout_.rowStride);
        in_.readRuns(at, inFile, layout_.rowStride, pieceBytes, out, outStride);
        return inFile;
    }
    std::int64_t n = 0;
    for (; n < count; ++n) {
        const auto piece = std::span(out + n * outStride, static_cast<std::size_t>(pieceBytes));
        if (!read(first + n, x0, piece))
            break;
    }
    return n;
}

bool RowReader::readsAnywhere() const {
    using Coding = PictureLayout::Coding;
    return layout_.coding == Coding::Plain || layout_.coding == Coding::Rle8 ||
           layout_.coding == Coding::Rle4;
}

PngRows* RowReader::interlacedPng() const {
    return png_ && png_->interlaced() ? png_.get() : nullptr;
}

bool RowReader::read(std::int64_t i, std::int64_t x0, std::span<std::uint8_t> pixels) const {
    using Coding = PictureLayout::Coding;
    if (layout_.coding == Coding::Rle8 || layout_.coding == Coding::Rle4) {
        const auto begin =
            decoded_.begin() + static_cast<std::ptrdiff_t>(i * layout_.order.width + x0);
        std::copy(begin, begin + static_cast<std::ptrdiff_t>(pixels.size()), pixels.begin());
        return true;
    }
    if (png_) {
        png_->read(pixels);
        return true;
    }
    const std::int64_t at = pieceAt(i, x0);
    if (at >= in_.length())
        return false;
    if (layout_.coding == Coding::Plain) {
        in_.read(at, pixels);
        return true;
    }
    const auto count = static_cast<std::int64_t>(pixels.size()) / layout_.bytesPerPixel;
    stored_.resize(static_cast<std::size_t>((count * layout_.storedBits + 7) / 8));
    in_.read(at, stored_);
    if (fields_)
        fields_->widen(stored_, pixels);
    else
        unpackIndices(stored_, layout_.storedBits, pixels);
    return true;
}

}  // namespace tessera
