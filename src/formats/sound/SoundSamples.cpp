#include "formats/sound/SoundSamples.h"

#include <algorithm>

#include "formats/FormatMessages.h"
#include "platform/Errors.h"
#include "platform/InputFile.h"

namespace tessera {

SampleLayout samplesToWrite(std::int32_t bitsPerSample, std::int64_t dataLength) {
    if (bitsPerSample != 8 && bitsPerSample != 16)
        throw TesseraError(messages::kOnly8And16Bits);
    SampleLayout layout;
    layout.bytesPerSample = bitsPerSample / 8;
    layout.count = dataLength / layout.bytesPerSample;
    if (layout.count <= 0)
        throw TesseraError(messages::kNoSample);
    return layout;
}

SampleReader::SampleReader(const InputFile& file, std::int64_t dataOffset, std::int64_t length)
    : file_(file), dataOffset_(dataOffset), length_(length) {}

void SampleReader::fill(std::int64_t from) {
    const std::int64_t size = std::clamp<std::int64_t>(length_ - from, 0, kBlockSize);
    block_.resize(static_cast<std::size_t>(size));
    file_.read(dataOffset_ + from, block_);
    blockStart_ = from;
    blockEnd_ = from + size;
}

std::span<std::uint8_t> SampleReader::nextBlock() {
    fill(blockEnd_);
    return block_;
}

}  // namespace tessera
