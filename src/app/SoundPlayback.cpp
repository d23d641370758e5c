// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/SoundPlayback.h"

#include <algorithm>

#include "app/AppMessages.h"
#include "app/Form1.h"
#include "app/SoundToWrite.h"
#include "platform/Errors.h"
#include "platform/InputFile.h"

namespace tessera {

struct SoundAsPlayed::Stream {
    Stream(InputFile file, const Form1& form, const SoundTarget& target)
        : in(std::move(file)), samples(in, form.state, target) {}
    InputFile in;
    SoundToWrite samples;
    std::span<std::uint8_t> rest;
};

SoundAsPlayed::SoundAsPlayed(const Form1& form, const SoundTarget& target) {
    if (!form.soundLoaded())
        throw TesseraError(Reason::NothingToPlay, messages::kNothingToPlay);
    stream_ = std::make_unique<Stream>(form.openLoadedSound(), form, target);
}

SoundAsPlayed::~SoundAsPlayed() = default;

std::int32_t SoundAsPlayed::rate() const {
    return stream_->samples.shape().rate;
}

int SoundAsPlayed::channels() const {
    return stream_->samples.shape().channels;
}

int SoundAsPlayed::bits() const {
    return 8 * stream_->samples.layout().bytesPerSample;
}

std::int64_t SoundAsPlayed::byteCount() const {
    return stream_->samples.layout().byteCount();
}

std::size_t SoundAsPlayed::read(std::span<std::uint8_t> out) {
    std::size_t done = 0;
    while (done < out.size()) {
        if (stream_->rest.empty())
            stream_->rest = stream_->samples.blocks().nextBlock();
        if (stream_->rest.empty())
            break;
        const std::size_t n = std::min(out.size() - done, stream_->rest.size());
        std::copy_n(stream_->rest.begin(), n, out.begin() + static_cast<std::ptrdiff_t>(done));
        stream_->rest = stream_->rest.subspan(n);
        done += n;
    }
    return done;
}

}  // namespace tessera
