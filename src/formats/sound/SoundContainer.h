// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "../sound/SoundStages.h"
#include "../sound/SoundTarget.h"

namespace tessera {

class InputFile;

// A FLAC, Ogg (Vorbis, Opus or FLAC), MP3, AIFF, AIFF-C or Wave64 sound as the container library
// describes it. Integer samples of 8 bits stay 8-bit, every other kind becomes 16-bit, as WAV
// samples do: integers keep their top 16 bits, decoded and float samples are clamped to [-1, 1],
// scaled by 32767 and rounded to nearest.
struct ContainerSound {
    std::string kind;     // "FLAC", "Ogg Vorbis", "MP3", ...
    SoundShape shape;     // channels, rate, frames, and the depth decoded (8 or 16)
    int fileBits = 16;    // the depth the file states (24 for 24-bit FLAC, 32 for float AIFF)
    bool integer = true;  // read exactly as integers rather than through floats
};

// Describes the sound, or throws TesseraError naming what is wrong with it.
ContainerSound describeContainer(const InputFile& in);

// The samples of a described sound, front to back.
StagePtr decodeContainer(const InputFile& in, const ContainerSound& sound);

}  // namespace tessera
