// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace tessera {

// What a game wants of a sound, as asked on the command line or in the sound options: every
// field at its default leaves the samples as the file has them.
struct SoundTarget {
    std::int32_t rate = 0;   // Hz; 0 keeps the file's own
    bool mono = false;       // mix a stereo sound down to one channel
    int bits = 0;            // 8 or 16; 0 keeps the depth read
    bool normalize = false;  // bring the loudest sample to full scale
    bool dither = false;     // triangular dither when 16 bits become 8
    bool operator==(const SoundTarget&) const = default;
};

// The rates the resampler is asked for: below 1 kHz nothing is left to hear, above 384 kHz no
// sound card plays.
inline constexpr std::int32_t kMinRate = 1000;
inline constexpr std::int32_t kMaxRate = 384000;

// The sound as the chain sees it at one point: channels, rate, depth of the signed samples (8:
// -128..127, 16: -32768..32767) and frames (one sample per channel).
struct SoundShape {
    std::int32_t channels = 1;
    std::int32_t rate = 0;
    int bits = 16;
    std::int64_t frames = 0;
    bool operator==(const SoundShape&) const = default;
};

// The shape written for `from` under `target`; the resampled length is the input's in time,
// rounded to the nearest frame.
SoundShape targetShape(const SoundShape& from, const SoundTarget& target);

}  // namespace tessera
