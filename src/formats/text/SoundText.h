#pragma once

#include <cstdint>
#include <string>

#include "formats/Progress.h"
#include "formats/sound/SoundSamples.h"

namespace tessera {

struct TextOutput;

// What opens a sound's block of C text.
struct SoundHeading {
    std::string title;  // the converted file's name
    std::string name;   // the array name
    std::uint32_t frequency = 0;
    std::string mode;  // "Mono" or "Stereo"
    std::int32_t bitsPerSample = 8;
};

// The comment block, the `_length` define and the array of samples, read front to back.
void writeSoundText(const TextOutput& out, const SoundHeading& heading, SampleReader& samples,
                    const SampleLayout& layout, const Progress& progress);

}  // namespace tessera
