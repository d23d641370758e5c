// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/sound/SoundSamples.h"

#include <algorithm>

#include "formats/FormatMessages.h"
#include "formats/sound/SampleNarrowing.h"
#include "platform/Errors.h"
#include "platform/InputFile.h"

namespace tessera {

namespace {

[[noreturn]] void refuse(Reason code, const std::string& reason) {
    throw TesseraError(code, failureText(messages::kCantConvertSound, reason), FileRole::Input);
}

bool readDepth(const SampleFormat& f) {
    if (f.floating)
        return f.bitsPerSample == 32 || f.bitsPerSample == 64;
    return f.bitsPerSample == 8 || f.bitsPerSample == 16 || f.bitsPerSample == 24 ||
           f.bitsPerSample == 32;
}

}  // namespace

SampleLayout samplesToWrite(const SampleFormat& format, std::int64_t dataLength) {
    if (format.channels < 1 || format.channels > 2)
        refuse(Reason::SoundChannels, messages::soundChannels(format.channels));
    if (!readDepth(format))
        refuse(Reason::SoundDepth, messages::soundDepth(format.bitsPerSample, format.floating));
    SampleLayout layout;
    layout.storedBytes = format.bitsPerSample / 8;
    layout.bytesPerSample = std::min(layout.storedBytes, 2);
    layout.floating = format.floating;
    layout.count = dataLength / layout.storedBytes;
    if (layout.count <= 0)
        throw TesseraError(Reason::SoundNoSample, messages::kNoSample, FileRole::Input);
    return layout;
}

SampleReader::SampleReader(const InputFile& file, std::int64_t dataOffset,
                           const SampleLayout& layout)
    : file_(file), dataOffset_(dataOffset), length_(layout.byteCount()), layout_(layout) {}

void SampleReader::fill(std::int64_t from) {
    const std::int64_t size = std::clamp<std::int64_t>(length_ - from, 0, kBlockSize);
    block_.resize(static_cast<std::size_t>(size));
    if (!layout_.narrowed()) {
        file_.read(dataOffset_ + from, block_);
    } else {  // whole 16-bit samples only: `from` is always even here
        const std::int64_t samples = size / 2;
        stored_.resize(static_cast<std::size_t>(samples * layout_.storedBytes));
        file_.read(dataOffset_ + from / 2 * layout_.storedBytes, stored_);
        narrowTo16(stored_, layout_.storedBytes, layout_.floating, block_);
    }
    blockStart_ = from;
    blockEnd_ = from + size;
}

std::span<std::uint8_t> SampleReader::nextBlock() {
    fill(blockEnd_);
    return block_;
}

}  // namespace tessera
