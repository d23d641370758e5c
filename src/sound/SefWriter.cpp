#include "app/Form1.h"
#include "app/InputFile.h"
#include "app/OutputFile.h"
#include "commands/ConvertMessages.h"
#include "sound/SoundMessages.h"
#include "sound/SoundSamples.h"

namespace tessera {

namespace {
// Progress is shown every 2048 bytes of an 8-bit sound or samples of a 16-bit one.
constexpr std::int64_t kProgressEvery = 2048;
}  // namespace

// A .sef file is what the GP32 sound player loads as it stands: "sef ", the byte length of the
// WAV data (little-endian), then the unsigned samples, stereo still interleaved.
void Form1::WriteSEFFile() {
    // The player takes a whole file only: there is no way to add a second sound to one.
    if (state.bAddMode != 0) {
        ui_.msgBox(sound_messages::kCantAddSef, MsgStyle::OkOnly);
        return;
    }
    const SampleLayout samples = samplesToWrite(state);
    const InputFile in(state.strImgPath);
    SampleReader reader(in, state.lngSndDataOffset, samples.byteCount());

    OutputFile out(state.strOutPath, OutputFile::Mode::Replace);
    out.write("sef ");
    // The length of the data chunk, odd or not, even when a 16-bit sound loses its last byte.
    out.writeLe32(state.lngSndLength);

    const bool wide = samples.bytesPerSample == 2;
    std::int64_t done = 0;  // samples written
    for (auto block = reader.nextBlock(); !block.empty(); block = reader.nextBlock()) {
        if (wide) {
            for (std::size_t k = 1; k < block.size(); k += 2)
                block[k] = unsignedHighByte(block[k]);
        }
        out.write({reinterpret_cast<const char*>(block.data()), block.size()});
        const std::int64_t before = done;
        done += static_cast<std::int64_t>(block.size()) / samples.bytesPerSample;
        for (std::int64_t i = (before / kProgressEvery + 1) * kProgressEvery; i <= done;
             i += kProgressEvery) {
            setPercentWidth(static_cast<double>(i) / static_cast<double>(samples.count) *
                            kFullProgress);
        }
    }
    out.commit();
    ui_.msgBox(messages::kDone, MsgStyle::OkOnly);
}

}  // namespace tessera
