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
    return samplesToWrite({.floating = state.soundFloating,
                           .bitsPerSample = state.intSndBits,
                           .channels = state.intChannels},
                          state.lngSndLength);
}

}  // namespace

void Form1::WriteSoundText() {
    const SampleLayout samples = loadedSamples(state);
    const InputFile in = openLoadedInput(state.soundFile);
    SampleReader reader(in, state.lngSndDataOffset, samples);
    writeSoundText(textOutput(),
                   {.title = state.strImgTitle,
                    .name = txtVar.Text(),
                    .frequency = state.lngFreq,
                    .mode = state.strSndMode,
                    .bitsPerSample = 8 * samples.bytesPerSample},  // what is written
                   reader, samples, progressBar(0, kFullProgress, false));
}

void Form1::WriteSEFFile() {
    // The player takes a whole file only: there is no way to add a second sound to one.
    if (state.bAddMode != 0) {
        ui_.msgBox(messages::kSefNoAdd, MsgStyle::OkOnly);
        return;
    }
    const SampleLayout samples = loadedSamples(state);
    const InputFile in = openLoadedInput(state.soundFile);
    SampleReader reader(in, state.lngSndDataOffset, samples);
    OutputFile out(state.strOutPath, OutputFile::Mode::Replace);
    writeSef(out, reader, samples, progressBar(0, kFullProgress, false));
    refuseChangedInput();
    out.commit();
    ui_.msgBox(messages::kDone, MsgStyle::OkOnly);
}

}  // namespace tessera
