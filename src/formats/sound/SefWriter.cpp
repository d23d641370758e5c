// SPDX-License-Identifier: GPL-3.0-or-later
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

void writeSef(OutputFile& out, SampleBlocks& reader, const SampleLayout& samples,
              const Progress& progress) {
    out.write("sef ");
    // A player trusts this count and reads that many bytes: it is what follows, whole samples
    // only (a 16-bit sound whose data chunk ends in half a sample loses that byte), and for
    // deeper samples the 16-bit ones written.
    out.writeLe32(static_cast<std::int32_t>(samples.byteCount()));

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
