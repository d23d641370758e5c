// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "../../platform/InputFile.h"

namespace tessera {

// What a sound convert needs from a RIFF WAVE file: the "fmt " fields and where the samples lie.
struct WavLayout {
    // 1 for integer PCM, 3 for IEEE float: an extensible file's (0xFFFE) sub-format when it is
    // one of the standard ones, 0xFFFE itself when it is not.
    std::uint16_t formatCode = 0;
    std::uint16_t channels = 0;
    std::uint32_t sampleRate = 0;
    std::uint16_t bitsPerSample = 0;
    std::int64_t dataOffset = 0;  // first byte of the "data" chunk's body
    std::int32_t dataLength = 0;  // the "data" chunk's size, cut to the bytes the file holds
};

inline constexpr std::uint16_t kWavePcm = 1;
inline constexpr std::uint16_t kWaveFloat = 3;
inline constexpr std::uint16_t kWaveExtensible = 0xFFFE;

enum class WavProblem {
    None,
    NotRiffWave,  // no "RIFF" ... "WAVE" at the start
    Rf64,         // "RF64" or "BW64": a WAVE file with 64-bit sizes, kept in a "ds64" chunk
    NoFormat,     // no usable "fmt " chunk: missing, under 16 bytes or running past the end
    NoData,       // no "data" chunk
    TooLong,      // more than 2 GB of samples: a .sef length field could not hold them
};

struct WavReading {
    WavProblem problem = WavProblem::None;
    WavLayout layout;  // meaningful only without a problem
};

// Walks the chunks of a RIFF WAVE file. Tools put LIST, fact, cue or bext chunks wherever they
// like, so the "fmt " and "data" chunks are looked up by their tags rather than expected at the
// canonical offsets 20 and 36; for the canonical 44-byte header both roads give the same result.
WavReading walkWavChunks(const InputFile& file);

}  // namespace tessera
