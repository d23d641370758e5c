// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace tessera {

class InputFile;

// How the file stores its samples, as its "fmt " chunk says (an extensible file's sub-format).
struct SampleFormat {
    bool floating = false;  // IEEE float rather than integer PCM
    std::int32_t bitsPerSample = 8;
    std::int32_t channels = 1;
};

// What a convert writes of the loaded sound: `count` elements of `bytesPerSample` bytes. The
// GP32 mixer takes 8-bit unsigned or 16-bit samples, so deeper integer and float samples are
// written as 16-bit ones; a 16-bit sound with an odd data length loses its last byte, half a
// sample.
struct SampleLayout {
    int bytesPerSample = 1;
    std::int64_t count = 0;
    int storedBytes = 1;  // what one sample takes in the file
    bool floating = false;
    std::int64_t byteCount() const { return count * bytesPerSample; }
    bool narrowed() const { return storedBytes != bytesPerSample; }
};

// Refuses, before anything is written, a sound that would give no valid output: more than two
// channels, a sample size that is not read, or no whole sample at all (a C array of 0 elements
// does not compile and a .sef without samples plays nothing). Throws TesseraError.
SampleLayout samplesToWrite(const SampleFormat& format, std::int64_t dataLength);

// WAV samples are signed from 16 bits up; the GP32 wants them unsigned, silence at 0x8000.
// Inverting the top bit of the high byte adds 32768 modulo 65536.
inline std::uint8_t unsignedHighByte(std::uint8_t high) {
    return static_cast<std::uint8_t>(high ^ 0x80u);
}

// The samples to write, front to back in blocks: 8-bit unsigned bytes or 16-bit signed
// little-endian samples, as the writers take them.
class SampleBlocks {
  public:
    virtual ~SampleBlocks() = default;
    // The next block of the data, empty at its end.
    virtual std::span<std::uint8_t> nextBlock() = 0;
};

// Reads the samples to write front to back in blocks, so the memory used stays the same however
// long the sound is. Bytes past the end of the file read as zero. 24- and 32-bit integer samples
// keep their top 16 bits; float samples are clamped to [-1, 1], scaled by 32767 and rounded to
// nearest: the writers see 16-bit little-endian samples either way.
class SampleReader final : public SampleBlocks {
  public:
    static constexpr std::int64_t kBlockSize = 1 << 16;  // even: a sample never straddles two

    SampleReader(const InputFile& file, std::int64_t dataOffset, const SampleLayout& layout);

    // Byte k (from 0) of the data; k only ever grows, as the writers go front to back.
    std::uint8_t byte(std::int64_t k) {
        if (k >= blockEnd_)
            fill(k);
        return block_[static_cast<std::size_t>(k - blockStart_)];
    }
    std::span<std::uint8_t> nextBlock() override;

  private:
    void fill(std::int64_t from);

    const InputFile& file_;
    std::int64_t dataOffset_;
    std::int64_t length_;  // bytes to write
    SampleLayout layout_;
    std::vector<std::uint8_t> block_;
    std::vector<std::uint8_t> stored_;  // the file's bytes of a block to narrow
    std::int64_t blockStart_ = 0;
    std::int64_t blockEnd_ = 0;
};

}  // namespace tessera
