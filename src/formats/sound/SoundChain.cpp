// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/sound/SoundChain.h"

#include <limits>

#include "formats/FormatMessages.h"
#include "platform/Errors.h"

namespace tessera {

namespace {

// A WAV file's samples, as the writers would take them, made signed integers and cut to whole
// frames.
class WavSamples final : public SampleStage {
  public:
    WavSamples(const InputFile& in, const SoundSource& s)
        : reader_(in, s.dataOffset, s.wav),
          bits_(s.shape.bits),
          left_(s.shape.frames * s.shape.channels) {}

    std::span<const std::int32_t> next() override {
        const auto block = reader_.nextBlock();
        const int bytes = bits_ / 8;
        const auto count = static_cast<std::size_t>(
            std::min<std::int64_t>(left_, static_cast<std::int64_t>(block.size()) / bytes));
        out_.resize(count);
        for (std::size_t i = 0; i < count; ++i) {
            out_[i] = bytes == 1 ? block[i] - 128
                                 : static_cast<std::int16_t>(block[2 * i] | block[2 * i + 1] << 8);
        }
        left_ -= static_cast<std::int64_t>(count);
        return out_;
    }

  private:
    SampleReader reader_;
    int bits_;
    std::int64_t left_;
    std::vector<std::int32_t> out_;
};

// The shape written. A stated rate no resampler can start from (0, or beyond what any sound
// holds) is refused before anything is read.
SoundShape writtenShape(const SoundShape& from, const SoundTarget& target) {
    if (target.rate != 0 && target.rate != from.rate &&
        (from.rate < 1 || from.rate > kMaxSourceRate)) {
        throw TesseraError(
            Reason::SoundRate,
            failureText(messages::kCantConvertSound, messages::rateNotResampled(from.rate)),
            FileRole::Input);
    }
    return targetShape(from, target);
}

}  // namespace

bool leavesSamples(const SoundSource& source, const SoundTarget& target) {
    return !source.container && !target.normalize &&
           targetShape(source.shape, target) == source.shape;
}

SoundChain::SoundChain(const InputFile& in, const SoundSource& source, const SoundTarget& target)
    : in_(in), source_(source), target_(target), written_(writtenShape(source.shape, target)) {
    const SampleLayout out = layout();
    if (out.count <= 0)
        throw TesseraError(Reason::SoundNoSample, messages::kNoSample, FileRole::Input);
    if (out.byteCount() > std::numeric_limits<std::int32_t>::max())
        throw TesseraError(Reason::WrittenTooLong,
                           failureText(messages::kCantConvertSound, messages::kWrittenTooLong),
                           FileRole::Input);
    StagePtr stages = openUpToLevel();
    if (target.normalize) {
        const double gain = normalizingGain(*stages, source.shape.bits);
        stages = amplify(openUpToLevel(), gain, source.shape.bits);
    }
    bytes_.emplace(std::move(stages), source.shape.bits, written_.bits, target.dither);
}

SampleLayout SoundChain::layout() const {
    SampleLayout out;
    out.bytesPerSample = written_.bits / 8;
    out.storedBytes = out.bytesPerSample;
    out.count = written_.frames * written_.channels;
    return out;
}

StagePtr SoundChain::openUpToLevel() const {
    StagePtr stages = source_.container ? decodeContainer(in_, *source_.container)
                                        : std::make_unique<WavSamples>(in_, source_);
    SoundShape shape = source_.shape;
    if (shape.channels == 2 && written_.channels == 1) {
        stages = mixToMono(std::move(stages));
        shape.channels = 1;
    }
    if (written_.rate != shape.rate) {
        SoundShape out = shape;
        out.rate = written_.rate;
        out.frames = written_.frames;
        stages = resample(std::move(stages), shape, out);
    }
    return stages;
}

}  // namespace tessera
