// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdint>
#include <string>

#include "app/AppMessages.h"
#include "app/FileNames.h"
#include "app/Form1.h"
#include "formats/sound/SoundContainer.h"
#include "formats/sound/SoundKind.h"
#include "formats/sound/WavReader.h"
#include "formats/text/CommentBlock.h"
#include "platform/Errors.h"
#include "platform/InputFile.h"

namespace tessera {

namespace {

// "Sound Name : " / title / blank line / four aligned value lines, for the fixed-pitch label.
std::string soundInfo(const std::string& title, const ConverterState& s) {
    return "Sound Name : \r\n" + title + "\r\n\r\n Freq   : " + std::to_string(s.lngFreq() / 1000) +
           "kHz\r\n Mode   : " + s.strSndMode() +
           "\r\n Data   : " + std::to_string(s.intSndBits()) +
           " bits\r\n Length : " + std::to_string(s.lngSndLength()) + "\r\n";
}

[[noreturn]] void refuseSound(Reason code, const std::string& reason) {
    throw TesseraError(code, failureText(messages::kCantOpenWav, reason), FileRole::Input);
}

// A FLAC, Ogg, MP3, AIFF or Wave64 sound: the container library describes it. Its length is
// that of the samples it decodes to.
void describeContainerSound(const InputFile& in, ConverterState& s) {
    ContainerSound sound = describeContainer(in);
    const SoundShape& shape = sound.shape;
    if (shape.frames * shape.channels * (shape.bits / 8) > INT32_MAX)
        refuseSound(Reason::WavTooLong, messages::kSoundTooLong);
    WavLayout layout;
    layout.formatCode = kWavePcm;
    layout.channels = static_cast<std::uint16_t>(shape.channels);
    layout.sampleRate = static_cast<std::uint32_t>(shape.rate);
    layout.bitsPerSample = static_cast<std::uint16_t>(sound.fileBits);
    layout.dataLength = static_cast<std::int32_t>(shape.frames * shape.channels * (shape.bits / 8));
    s.sound = SoundInfo{.layout = layout, .file = in.stamp(), .container = std::move(sound)};
}

// A WAV file, walked by our own reader; refusals say what is wrong with it.
void describeWavSound(const InputFile& in, ConverterState& s) {
    const WavReading wav = walkWavChunks(in);
    switch (wav.problem) {
        case WavProblem::None:
            break;
        case WavProblem::TooLong:
            refuseSound(Reason::WavTooLong, messages::kSoundTooLong);
        case WavProblem::Rf64:
            refuseSound(Reason::WavRf64, messages::kRf64);
        case WavProblem::NoData:
            refuseSound(Reason::WavNotRead, messages::kNoDataChunk);
        case WavProblem::NotRiffWave:
        case WavProblem::NoFormat:
            refuseSound(Reason::WavNotRead, messages::kNoFormatChunk);
    }
    s.sound = SoundInfo{.layout = wav.layout, .file = in.stamp()};
    // Compressed samples would need a codec of their own.
    if (wav.layout.formatCode != kWavePcm && wav.layout.formatCode != kWaveFloat)
        refuseSound(Reason::WavCoding, messages::soundCoding(wav.layout.formatCode));
}

}  // namespace

void Form1::cmdWAVLoad_Click() {
    soundLoadBegins();
    bool fileChosen = false;
    bool completed = false;
    runCommand([&] {
        dlgWAVFile.Flags = CommonDialog::kFileMustExist;
        if (!ui_.showOpen(dlgWAVFile))
            throw CommandCancelled{};
        fileChosen = true;
        state.strImgPath = dlgWAVFile.FileName;
        std::string title = dlgWAVFile.FileTitle;
        if (const auto back = convertedForLoad(state.strImgPath, true)) {
            state.strImgPath = *back;
            title = titleOf(*back);
        }

        // The file's first bytes say what it is, whatever its name says.
        const InputFile in(state.strImgPath);
        const SoundKind kind = soundKindOf(in);
        state.sound.reset();
        if (isContainerSound(kind))
            describeContainerSound(in, state);
        else if (kind == SoundKind::Wav || kind == SoundKind::Rf64)
            describeWavSound(in, state);
        else
            refuseSound(Reason::NotASound,
                        messages::notASound(soundKindText(kind),
                                            kind == SoundKind::Png || kind == SoundKind::Bmp));

        state.strImgTitle = printableTitle(title);
        txtVar.Text() = withoutExtension(state.strImgTitle);
        lblBMPName.Caption = soundInfo(state.strImgTitle, state);
        soundLoadCompletes();
        completed = true;
    });
    // A refused or unreadable file must never be converted with what an earlier load left.
    if (fileChosen && !completed)
        disableConvertControls();
}

}  // namespace tessera
