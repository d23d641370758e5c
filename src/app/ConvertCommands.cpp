// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AppMessages.h"
#include "app/FileNames.h"
#include "app/Form1.h"
#include "platform/Errors.h"
#include "platform/FileChecks.h"
#include "platform/PlatformMessages.h"

namespace tessera {

namespace {

// Writing over the file being converted would destroy the input while it is still being read.
void refuseInputAsOutput(const std::string& input, const std::string& output,
                         FileRole role = FileRole::Output) {
    if (sameFile(input, output)) {
        throw TesseraError(
            Reason::OutputIsInput,
            failureText(messages::kCantWrite, output + ": " + messages::kSameAsInput), role);
    }
}

}  // namespace

void Form1::askOrEnd(const std::string& question, MsgStyle style) {
    if (ui_.msgBox(question + messages::kQuestionEnd, style) != MsgAnswer::Yes)
        throw CommandCancelled{};
}

void Form1::finishConversion() {
    // A text output that a failure left open is dropped unclosed, which rolls it back.
    state.tsOut.reset();
    state.tsHeader.reset();
    if (lblPercent.Width != 0)
        setPercentWidth(0);
}

void Form1::writeOutput(OutputFile::Mode mode, Writer textWriter, Writer binaryWriter) {
    refuseInputAsOutput(state.strImgPath, state.strOutPath);
    if (state.strOutPath == kStandardOutputName) {
        writeTextFile(OutputFile::Mode::StandardOutput, textWriter);
    } else if (!isTextOutput(state.strOutPath)) {
        (this->*binaryWriter)();  // opens, writes and reports for itself
        return;
    } else if (!headerPath.empty()) {
        refuseInputAsOutput(state.strImgPath, headerPath, FileRole::Header);
        writeTextPair(textWriter);
    } else if (mode == OutputFile::Mode::Append) {
        addTextBlock(baseOf(state.strOutPath), textWriter);
    } else {
        writeTextFile(mode, textWriter);
    }
    ui_.msgBox(messages::kDone, MsgStyle::OkOnly);
}

void Form1::chooseOutput(CommonDialog& dialog) {
    dialog.FileName = withoutExtension(state.strImgTitle);
    if (!ui_.showSave(dialog))
        throw CommandCancelled{};
    state.strOutPath = dialog.FileName;
}

void Form1::convertInNewFile(CommonDialog& dialog, Writer textWriter, Writer binaryWriter) {
    runCommand([&] {
        chooseOutput(dialog);
        if (fileExists(state.strOutPath)) {
            askOrEnd(messages::kOverwrite + dialog.FileTitle, MsgStyle::YesNoExclamation);
        }
        state.bAddMode = 0;
        writeOutput(OutputFile::Mode::Replace, textWriter, binaryWriter);
    });
    finishConversion();
}

void Form1::convertAddToFile(CommonDialog& dialog, Writer textWriter, Writer binaryWriter) {
    runCommand([&] {
        chooseOutput(dialog);
        askOrEnd(messages::kAdd + dialog.FileTitle, MsgStyle::YesNoQuestion);
        state.bAddMode = -1;
        writeOutput(OutputFile::Mode::Append, textWriter, binaryWriter);
    });
    finishConversion();
}

void Form1::cmdBMPConvert_Click() {
    convertInNewFile(dlgBMPConv, &Form1::WriteImageText, &Form1::WriteGPGFile);
}
void Form1::cmdBMPConvertAdd_Click() {
    convertAddToFile(dlgBMPConv, &Form1::WriteImageText, &Form1::WriteGPGFile);
}
void Form1::cmdWAVConvert_Click() {
    convertInNewFile(dlgWAVConv, &Form1::WriteSoundText, &Form1::WriteSEFFile);
}
void Form1::cmdWAVConvertAdd_Click() {
    convertAddToFile(dlgWAVConv, &Form1::WriteSoundText, &Form1::WriteSEFFile);
}

}  // namespace tessera
