// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "support/Files.h"

namespace tessera::test {

// Interleaved 16-bit samples of a sound the tests make.
struct Tone {
    int channels = 1;
    int rate = 22050;
    std::vector<std::int16_t> samples;
    std::int64_t frames() const { return static_cast<std::int64_t>(samples.size()) / channels; }
};

// A sine of `hz` at `level` of full scale on every channel (the second a quarter turn later),
// `seconds` long.
Tone sineTone(double hz, int rate, double seconds, int channels = 1, double level = 0.5);

// The tone's samples as a WAV data chunk's bytes, 16-bit or (their top bytes) 8-bit.
Bytes toneBytes(const Tone& tone, int bits = 16);

// The tone written by the container library itself, `format` one of its SF_FORMAT_* majors
// with a subtype: FLAC, Ogg Vorbis, Opus, MP3, AIFF, AIFF-C and Wave64 all come from here.
Bytes buildSound(const Tone& tone, int format);

// Samples as the GP32 gets them (unsigned, 16-bit ones little-endian), signed again.
std::vector<std::int32_t> signedSamples(const Bytes& data, int bits);

// The level of `hz` in `samples` at `rate` (one bin of a discrete Fourier transform), as a
// fraction of full scale: a sine at level 0.5 gives 0.5.
double levelAt(const std::vector<std::int32_t>& samples, int rate, double hz, int fullScale);

}  // namespace tessera::test
