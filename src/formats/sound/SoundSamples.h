#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace tessera {

class InputFile;

// What a convert writes of the loaded sound: `count` elements of `bytesPerSample` bytes. The
// GP32 mixer takes 8-bit unsigned or 16-bit samples; a 16-bit sound with an odd data length
// loses its last byte, half a sample.
struct SampleLayout {
    int bytesPerSample = 1;
    std::int64_t count = 0;
    std::int64_t byteCount() const { return count * bytesPerSample; }
};

// Refuses, before anything is written, a sound that would give no valid output: a sample size
// other than 8 and 16 bits, or no whole sample at all (a C array of 0 elements does not compile
// and a .sef without samples plays nothing). Throws TesseraError.
SampleLayout samplesToWrite(std::int32_t bitsPerSample, std::int64_t dataLength);

// WAV samples are signed from 16 bits up; the GP32 wants them unsigned, silence at 0x8000.
// Inverting the top bit of the high byte adds 32768 modulo 65536.
inline std::uint8_t unsignedHighByte(std::uint8_t high) {
    return static_cast<std::uint8_t>(high ^ 0x80u);
}

// Reads the sample data front to back in blocks, so the memory used stays the same however
// long the sound is. Bytes past the end of the file read as zero.
class SampleReader {
  public:
    static constexpr std::int64_t kBlockSize = 1 << 16;  // even: a sample never straddles two

    SampleReader(const InputFile& file, std::int64_t dataOffset, std::int64_t length);

    // Byte k (from 0) of the data; k only ever grows, as the writers go front to back.
    std::uint8_t byte(std::int64_t k) {
        if (k >= blockEnd_)
            fill(k);
        return block_[static_cast<std::size_t>(k - blockStart_)];
    }
    // The next block of the data, empty at its end.
    std::span<std::uint8_t> nextBlock();

  private:
    void fill(std::int64_t from);

    const InputFile& file_;
    std::int64_t dataOffset_;
    std::int64_t length_;
    std::vector<std::uint8_t> block_;
    std::int64_t blockStart_ = 0;
    std::int64_t blockEnd_ = 0;
};

}  // namespace tessera
