// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "../sound/SoundTarget.h"

namespace tessera {

// One stage of the way from the file's samples to the ones written. Each pulls blocks from the
// stage before it, so a ten-minute sound goes through in blocks of a few thousand samples.
// Samples are signed integers at the depth of the stage's shape, channels interleaved.
class SampleStage {
  public:
    virtual ~SampleStage() = default;
    // The next block, empty at the end; valid until the next call.
    virtual std::span<const std::int32_t> next() = 0;
};

using StagePtr = std::unique_ptr<SampleStage>;

// Two channels into one: (L + R) / 2, rounded to nearest with halves away from zero.
StagePtr mixToMono(StagePtr in);

// To another rate, through libsoxr at its high-quality setting: what lies below both Nyquist
// frequencies passes at its level, what lies above the new one is filtered out, not folded
// back. Exactly `out.frames` frames come out, the filter's tail flushed and cut or padded.
StagePtr resample(StagePtr in, const SoundShape& from, const SoundShape& out);

// Every sample times `gain`, rounded to nearest and held inside the depth's range.
StagePtr amplify(StagePtr in, double gain, int bits);

// The gain that brings the loudest sample of `in` to full scale (1 for silence).
double normalizingGain(SampleStage& in, int bits);

// The samples as the writers take them: 8-bit unsigned bytes (silence 0x80) or 16-bit signed
// little-endian, at the depth `toBits`. 16 to 8 bits divides by 256, rounded to nearest with
// halves away from zero (after triangular dither of one 8-bit step when asked), then held
// inside -128..127; 8 to 16 bits multiplies by 256.
class SampleBytes {
  public:
    SampleBytes(StagePtr in, int fromBits, int toBits, bool dither);
    std::span<std::uint8_t> next();

  private:
    StagePtr in_;
    int fromBits_;
    int toBits_;
    bool dither_;
    std::uint64_t noise_ = 0x9E3779B97F4A7C15u;  // fixed: the same sound gives the same bytes
    std::vector<std::uint8_t> bytes_;
};

// 16 bits to 8, by the rule above, without dither.
inline int to8Bits(std::int32_t v) {
    const std::int32_t q = v >= 0 ? (v + 128) / 256 : -((128 - v) / 256);
    return q > 127 ? 127 : q < -128 ? -128 : q;
}

}  // namespace tessera
