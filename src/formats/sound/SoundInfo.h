// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include "../../platform/InputFile.h"
#include "SoundContainer.h"
#include "WavReader.h"

namespace tessera {

// What a load learned of a sound file, kept for every later step as a picture's description is:
// the conversions read sample bytes only, never the chunks again.
struct SoundInfo {
    // The "fmt " fields of a WAV file. For another container: its channels and rate, the depth
    // the file states, the bytes of the samples it decodes to, and integer PCM at offset 0.
    WavLayout layout;
    FileStamp file;  // the file as it was when described
    // A sound in another container than WAV, as the container library described it; empty for
    // a WAV file, whose samples our own reader takes from its data chunk.
    std::optional<ContainerSound> container;
};

}  // namespace tessera
