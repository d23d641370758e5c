#include "formats/sound/SefWriter.h"

#include <bit>
#include <cstring>

#include "platform/OutputFile.h"

namespace tessera {

namespace {

constexpr std::int64_t kProgressEvery = 2048;

// Makes the 16-bit samples of a block unsigned, four at a time: the high byte of each is every
// second byte, from the second.
void unsignHighBytes(std::span<std::uint8_t> block) {
    constexpr std::uint64_t kHighBits = 0x8000800080008000u;  // little-endian: bytes 1, 3, 5, 7
    std::size_t k = 0;
    if constexpr (std::endian::native == std::endian::little) {
        for (; k + 8 <= block.size(); k += 8) {
            std::uint64_t word;
            std::memcpy(&word, block.data() + k, 8);
            word ^= kHighBits;
            std::memcpy(block.data() + k, &word, 8);
        }
    }
    for (k += 1; k < block.size(); k += 2)
        block[k] = unsignedHighByte(block[k]);
}

}  // namespace

void writeSef(OutputFile& out, SampleReader& reader, const SampleLayout& samples,
              std::int32_t dataLength, const Progress& progress) {
    out.write("sef ");
    // The length of the data chunk, odd or not, even when a 16-bit sound loses its last byte.
    out.writeLe32(dataLength);

    const bool wide = samples.bytesPerSample == 2;
    std::int64_t done = 0;  // samples written
    for (auto block = reader.nextBlock(); !block.empty(); block = reader.nextBlock()) {
        if (wide)
            unsignHighBytes(block);
        out.write({reinterpret_cast<const char*>(block.data()), block.size()});
        const std::int64_t before = done;
        done += static_cast<std::int64_t>(block.size()) / samples.bytesPerSample;
        reportSteps(progress, before, done, samples.count, kProgressEvery);
    }
}

}  // namespace tessera
