// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <limits>
#include <optional>

#include "app/AppMessages.h"
#include "app/Form1.h"
#include "app/SoundToWrite.h"
#include "formats/sound/SefWriter.h"
#include "formats/sound/SoundChain.h"
#include "formats/sound/SoundSamples.h"
#include "formats/text/SoundText.h"
#include "platform/InputFile.h"
#include "platform/OutputFile.h"

// The window's sound procedures: each reads the converter state into plain values and hands them
// to the formats layer. The samples are read front to back in blocks while they are written.

namespace tessera {

namespace {

SoundSource loadedSound(const ConverterState& state) {
    SoundSource source;
    if (state.sound && state.sound->container) {
        source.container = state.sound->container;
        source.shape = state.sound->container->shape;
        return source;
    }
    source.wav = samplesToWrite({.floating = state.soundFloating(),
                                 .bitsPerSample = state.intSndBits(),
                                 .channels = state.intChannels()},
                                state.lngSndLength());
    source.dataOffset = state.lngSndDataOffset();
    const std::int32_t channels = state.intChannels() == 2 ? 2 : 1;
    source.shape = {.channels = channels,
                    .rate = static_cast<std::int32_t>(std::min<std::uint32_t>(
                        state.lngFreq(), std::numeric_limits<std::int32_t>::max())),
                    .bits = 8 * source.wav.bytesPerSample,
                    .frames = source.wav.count / channels};
    return source;
}

}  // namespace

SoundToWrite::SoundToWrite(const InputFile& in, const ConverterState& state,
                           const SoundTarget& target)
    : source_(loadedSound(state)) {
    if (leavesSamples(source_, target)) {
        reader_.emplace(in, source_.dataOffset, source_.wav);
        layout_ = source_.wav;
        shape_ = source_.shape;
    } else {
        chain_.emplace(in, source_, target);
        layout_ = chain_->layout();
        shape_ = chain_->written();
    }
}

SoundHeading SoundToWrite::heading(const ConverterState& state, const std::string& name) const {
    return {.title = state.strImgTitle,
            .name = name,
            .frequency = changed() ? static_cast<std::uint32_t>(shape_.rate) : state.lngFreq(),
            .mode = changed() ? (shape_.channels == 2 ? "Stereo" : "Mono") : state.strSndMode(),
            .bitsPerSample = 8 * layout_.bytesPerSample};  // what is written
}

InputFile Form1::openLoadedSound() const {
    return openLoadedInput(state.sound->file);
}

void Form1::WriteSoundText() {
    const InputFile in = openLoadedInput(state.sound->file);
    SoundToWrite samples(in, state, soundTarget);
    writeSoundText(textOutput(), samples.heading(state, txtVar.Text()), samples.blocks(),
                   samples.layout(), progressBar(0, kFullProgress, false));
}

void Form1::WriteSEFFile() {
    // The player takes a whole file only: there is no way to add a second sound to one.
    if (state.bAddMode != 0)
        throw PlainRefusal(Reason::SefNoAdd, messages::kSefNoAdd);
    const InputFile in = openLoadedInput(state.sound->file);
    SoundToWrite samples(in, state, soundTarget);
    OutputFile out(state.strOutPath, OutputFile::Mode::Replace);
    writeSef(out, samples.blocks(), samples.layout(), progressBar(0, kFullProgress, false));
    refuseChangedInput();
    out.commit();
    ui_.msgBox(messages::kDone, MsgStyle::OkOnly);
}

}  // namespace tessera
