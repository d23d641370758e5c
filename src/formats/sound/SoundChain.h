// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>

#include "formats/sound/SoundContainer.h"
#include "formats/sound/SoundSamples.h"
#include "formats/sound/SoundStages.h"
#include "formats/sound/SoundTarget.h"

namespace tessera {

class InputFile;

// Where a convert takes a sound's samples from: our own reader over a WAV file's data chunk, or
// the container library for every other kind.
struct SoundSource {
    SoundShape shape;  // as read: 8 or 16 bits, the file's channels and rate
    std::optional<ContainerSound> container;
    std::int64_t dataOffset = 0;  // a WAV file's samples
    SampleLayout wav;
};

// True when `target` changes nothing of a WAV file's samples, which are then written by the
// writers straight from the file, exactly as without any option.
bool leavesSamples(const SoundSource& source, const SoundTarget& target);

// The samples of `source` made what `target` asks, in the order decode, mono, resample,
// normalize, depth. Normalizing needs the loudest sample before anything is written: the first
// three stages then run twice, so the memory stays that of a few blocks however long the sound.
class SoundChain final : public SampleBlocks {
  public:
    SoundChain(const InputFile& in, const SoundSource& source, const SoundTarget& target);
    const SoundShape& written() const { return written_; }
    SampleLayout layout() const;
    std::span<std::uint8_t> nextBlock() override { return bytes_->next(); }

  private:
    StagePtr openUpToLevel() const;

    const InputFile& in_;
    SoundSource source_;
    SoundTarget target_;
    SoundShape written_;
    std::optional<SampleBytes> bytes_;
};

}  // namespace tessera
