#include <cstdint>
#include <string>

#include "app/AppMessages.h"
#include "app/FileNames.h"
#include "app/Form1.h"
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
        if (!hasKind(state.strImgPath, "wav"))
            throw PlainRefusal(Reason::WavNotRead, messages::kCantOpenWav);

        const InputFile in(state.strImgPath);
        const WavReading wav = walkWavChunks(in);
        if (wav.problem == WavProblem::TooLong) {
            throw TesseraError(Reason::WavTooLong,
                               failureText(messages::kCantOpenWav, messages::kSoundTooLong));
        }
        if (wav.problem == WavProblem::Rf64) {
            throw PlainRefusal(Reason::WavRf64,
                               failureText(messages::kCantOpenWav, messages::kRf64));
        }
        if (wav.problem != WavProblem::None)
            throw PlainRefusal(Reason::WavNotRead, messages::kCantOpenWav);
        state.sound = SoundInfo{.layout = wav.layout, .file = in.stamp()};
        // Compressed samples would need a codec of their own.
        if (wav.layout.formatCode != kWavePcm && wav.layout.formatCode != kWaveFloat) {
            throw PlainRefusal(
                Reason::WavCoding,
                failureText(messages::kCantOpenWav, messages::soundCoding(wav.layout.formatCode)));
        }

        state.strImgTitle = printableTitle(dlgWAVFile.FileTitle);
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
