#include "app/AppMessages.h"
#include "app/Form1.h"
#include "formats/sound/SefWriter.h"
#include "formats/sound/SoundSamples.h"
#include "formats/text/SoundText.h"
#include "platform/InputFile.h"
#include "platform/OutputFile.h"

// The window's sound procedures: each reads the converter state into plain values and hands them
// to the formats layer. The samples are read front to back in blocks while they are written.

namespace tessera {

namespace {

SampleLayout loadedSamples(const ConverterState& state) {
    return samplesToWrite({.floating = state.soundFloating(),
                           .bitsPerSample = state.intSndBits(),
                           .channels = state.intChannels()},
                          state.lngSndLength());
}

}  // namespace

void Form1::WriteSoundText() {
    const SampleLayout samples = loadedSamples(state);
    const InputFile in = openLoadedInput(state.sound->file);
    SampleReader reader(in, state.lngSndDataOffset(), samples);
    writeSoundText(textOutput(),
                   {.title = state.strImgTitle,
                    .name = txtVar.Text(),
                    .frequency = state.lngFreq(),
                    .mode = state.strSndMode(),
                    .bitsPerSample = 8 * samples.bytesPerSample},  // what is written
                   reader, samples, progressBar(0, kFullProgress, false));
}

void Form1::WriteSEFFile() {
    // The player takes a whole file only: there is no way to add a second sound to one.
    if (state.bAddMode != 0)
        throw PlainRefusal(Reason::SefNoAdd, messages::kSefNoAdd);
    const SampleLayout samples = loadedSamples(state);
    const InputFile in = openLoadedInput(state.sound->file);
    SampleReader reader(in, state.lngSndDataOffset(), samples);

    // The player reads the length of the data that follows: the file's own for 8- and 16-bit
    // samples, that of the 16-bit samples written for deeper ones.
    const auto length =
        samples.narrowed() ? static_cast<std::int32_t>(samples.byteCount()) : state.lngSndLength();
    OutputFile out(state.strOutPath, OutputFile::Mode::Replace);
    writeSef(out, reader, samples, length, progressBar(0, kFullProgress, false));
    refuseChangedInput();
    out.commit();
    ui_.msgBox(messages::kDone, MsgStyle::OkOnly);
}

}  // namespace tessera
