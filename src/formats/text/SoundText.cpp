// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/text/SoundText.h"

#include <algorithm>
#include <string>
#include <vector>

#include "formats/ChunkPipeline.h"
#include "formats/text/CArrayWriter.h"
#include "formats/text/CommentBlock.h"

namespace tessera {

namespace {

// Progress is shown every so many elements: often enough to move, rarely enough to cost nothing.
constexpr std::int64_t kProgressEvery8Bit = 512;
constexpr std::int64_t kProgressEvery16Bit = 2048;

// A 16-bit sample is written as "0x", its unsigned high byte without leading zeros, then the low
// byte as exactly two digits: 0x8000 for silence, 0x000 for the lowest value.
constexpr int kMinDigits16Bit = 3;

// Hands out the samples in pieces of any size, across the reader's blocks; zeros past the end.
class SampleFeed {
  public:
    explicit SampleFeed(SampleBlocks& reader) : reader_(reader) {}
    void take(std::span<std::uint8_t> out) {
        while (!out.empty()) {
            if (rest_.empty())
                rest_ = reader_.nextBlock();
            if (rest_.empty()) {
                std::fill(out.begin(), out.end(), std::uint8_t{0});
                return;
            }
            const std::size_t n = std::min(out.size(), rest_.size());
            std::copy_n(rest_.begin(), n, out.begin());
            rest_ = rest_.subspan(n);
            out = out.subspan(n);
        }
    }

  private:
    SampleBlocks& reader_;
    std::span<std::uint8_t> rest_;
};

}  // namespace

void writeSoundText(const TextOutput& out, const SoundHeading& h, SampleBlocks& reader,
                    const SampleLayout& samples, const Progress& progress) {
    TextStream& heading = out.heading();
    writeCommentBlock(
        heading, h.title,
        {kFreqLabel + std::to_string(h.frequency / 1000) + kFreqUnit, kSoundModeLabel + h.mode,
         kDataLabel + std::to_string(h.bitsPerSample) + kDataUnit});
    const std::string count = std::to_string(samples.count);
    heading.WriteLine("#define " + h.name + gp32::kLengthSuffix + count);
    heading.WriteBlankLines(1);
    const bool wide = samples.bytesPerSample == 2;
    writeArrayOpening(out, wide ? gp32::kWordArrayType : gp32::kByteArrayType, h.name,
                      samples.count);

    // The samples are read front to back on the calling thread, a chunk into each slot's input.
    const auto chunkBytes =
        static_cast<std::size_t>(std::min(samples.count, kChunkElements) * samples.bytesPerSample);
    std::vector<std::vector<std::uint8_t>> inputs(
        static_cast<std::size_t>(chunkSlots(chunksOf(samples.count))),
        std::vector<std::uint8_t>(chunkBytes));
    SampleFeed feed(reader);
    const auto load = [&](std::int64_t begin, std::int64_t end, int slot) {
        feed.take(std::span(inputs[slot])
                      .first(static_cast<std::size_t>((end - begin) * samples.bytesPerSample)));
    };
    const auto format = [&](std::int64_t begin, std::int64_t end, int slot, char* text) {
        const std::uint8_t* in = inputs[slot].data();
        if (wide) {
            return formatLines(
                begin, end, samples.count,
                [in, begin](std::int64_t i, char* o) {
                    const std::int64_t k = 2 * (i - begin);
                    return putHexElement(o, unsignedHighByte(in[k + 1]) << 8 | in[k],
                                         kMinDigits16Bit);
                },
                text);
        }
        return formatLines(
            begin, end, samples.count,
            [in, begin](std::int64_t i, char* o) { return putByteElement(o, in[i - begin]); },
            text);
    };
    writeCArrayBody(out.data, samples.count, {.load = load, .format = format},
                    wide ? kProgressEvery16Bit : kProgressEvery8Bit, progress);
}

}  // namespace tessera
