// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

#include "../formats/sound/SoundChain.h"
#include "../formats/sound/SoundSamples.h"
#include "../formats/text/SoundText.h"
#include "app/ConverterState.h"

namespace tessera {

// The samples a sound convert writes, and what describes them: straight from a WAV file when the
// sound options change nothing (the window's own bytes), else through the chain of stages.
class SoundToWrite {
  public:
    SoundToWrite(const InputFile& in, const ConverterState& state, const SoundTarget& target);
    SampleBlocks& blocks() { return chain_ ? static_cast<SampleBlocks&>(*chain_) : *reader_; }
    const SampleLayout& layout() const { return layout_; }
    const SoundShape& shape() const { return shape_; }
    bool changed() const { return chain_.has_value(); }
    SoundHeading heading(const ConverterState& state, const std::string& name) const;

  private:
    SoundSource source_;
    SampleLayout layout_;
    SoundShape shape_;
    std::optional<SampleReader> reader_;
    std::optional<SoundChain> chain_;
};

}  // namespace tessera
