#include <string>

#include "app/Form1.h"
#include "app/InputFile.h"
#include "export/CArrayWriter.h"
#include "export/CommentBlock.h"
#include "sound/SoundSamples.h"

namespace tessera {

namespace {

// Progress is shown every so many elements: often enough to move, rarely enough to cost nothing.
constexpr std::int64_t kProgressEvery8Bit = 512;
constexpr std::int64_t kProgressEvery16Bit = 2048;

// A 16-bit sample as "0x", its unsigned high byte without leading zeros, then the low byte as
// exactly two digits: 0x8000 for silence, 0x000 for the lowest value.
std::size_t put16BitLiteral(char* out, std::uint8_t low, std::uint8_t high) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::size_t n = putHexLiteral(out, unsignedHighByte(high));
    out[n++] = kDigits[low >> 4];
    out[n++] = kDigits[low & 0xF];
    return n;
}

}  // namespace

void Form1::WriteSoundText() {
    const SampleLayout samples = samplesToWrite(state);
    const InputFile in(state.strImgPath);
    SampleReader reader(in, state.lngSndDataOffset, samples.byteCount());
    TextStream& out = *state.tsOut;

    writeCommentBlock(out, state.strImgTitle,
                      {"// Freq = " + std::to_string(state.lngFreq / 1000) + "kHz",
                       "// Mode = " + state.strSndMode,
                       "// Data = " + std::to_string(state.intSndBits) + " bits"});
    const std::string count = std::to_string(samples.count);
    out.WriteLine("#define " + txtVar.Text() + "_length      " + count);
    out.WriteBlankLines(1);
    const bool wide = samples.bytesPerSample == 2;
    out.WriteLine(std::string(wide ? "const unsigned short " : "const unsigned char ") +
                  txtVar.Text() + "[" + count + "] = {");

    auto progress = [&](std::int64_t i) {
        setPercentWidth(static_cast<double>(i) / static_cast<double>(samples.count) *
                        kFullProgress);
    };
    if (wide) {
        writeCArrayBody(
            out, samples.count,
            [&](std::int64_t i, char* o) {
                const std::uint8_t low = reader.byte(2 * i);
                return put16BitLiteral(o, low, reader.byte(2 * i + 1));
            },
            kProgressEvery16Bit, progress);
    } else {
        writeCArrayBody(
            out, samples.count,
            [&](std::int64_t i, char* o) { return putHexLiteral(o, reader.byte(i)); },
            kProgressEvery8Bit, progress);
    }
}

}  // namespace tessera
