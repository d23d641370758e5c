#include "sound/SoundSamples.h"

#include <algorithm>

#include "app/ConverterState.h"
#include "app/Errors.h"
#include "app/InputFile.h"
#include "sound/SoundMessages.h"

namespace tessera {

SampleLayout samplesToWrite(const ConverterState& state) {
    if (state.intSndBits != 8 && state.intSndBits != 16)
        throw TesseraError(sound_messages::kOnly8And16Bits);
    SampleLayout layout;
    layout.bytesPerSample = state.intSndBits / 8;
    layout.count = state.lngSndLength / layout.bytesPerSample;
    if (layout.count <= 0)
        throw TesseraError(sound_messages::kNoSample);
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
