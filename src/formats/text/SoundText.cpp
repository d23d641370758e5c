#include <string>

#include "formats/text/SoundText.h"

#include "formats/text/CArrayWriter.h"
#include "formats/text/CommentBlock.h"

namespace tessera {

namespace {

// Progress is shown every so many elements: often enough to move, rarely enough to cost nothing.
constexpr std::int64_t kProgressEvery8Bit = 512;
constexpr std::int64_t kProgressEvery16Bit = 2048;

// A 16-bit sample as "0x", its unsigned high byte without leading zeros, then the low byte as
// exactly two digits: 0x8000 for silence, 0x000 for the lowest value.
std::size_t put16BitLiteral(char* out, std::uint8_t low, std::uint8_t high) {
    std::size_t n = putHexLiteral(out, unsignedHighByte(high));
    out[n++] = kHexDigits[low >> 4];
    out[n++] = kHexDigits[low & 0xF];
    return n;
}

}  // namespace

void writeSoundText(const TextOutput& out, const SoundHeading& h, SampleReader& reader,
                    const SampleLayout& samples, const Progress& progress) {
    TextStream& heading = out.heading();
    writeCommentBlock(
        heading, h.title,
        {"// Freq = " + std::to_string(h.frequency / 1000) + "kHz", "// Mode = " + h.mode,
         "// Data = " + std::to_string(h.bitsPerSample) + " bits"});
    const std::string count = std::to_string(samples.count);
    heading.WriteLine("#define " + h.name + gp32::kLengthSuffix + count);
    heading.WriteBlankLines(1);
    const bool wide = samples.bytesPerSample == 2;
    writeArrayOpening(out, wide ? "const unsigned short" : "const unsigned char", h.name,
                      samples.count);
    if (wide) {
        writeCArrayBody(
            out.data, samples.count,
            [&](std::int64_t i, char* o) {
                const std::uint8_t low = reader.byte(2 * i);
                return put16BitLiteral(o, low, reader.byte(2 * i + 1));
            },
            kProgressEvery16Bit, progress);
    } else {
        writeCArrayBody(
            out.data, samples.count,
            [&](std::int64_t i, char* o) { return putHexLiteral(o, reader.byte(i)); },
            kProgressEvery8Bit, progress);
    }
}

}  // namespace tessera
