#include <string>

#include "app/AppMessages.h"
#include "app/FileNames.h"
#include "app/Form1.h"
#include "formats/text/BlockFinder.h"
#include "platform/Errors.h"
#include "platform/FileChecks.h"
#include "platform/InputFile.h"
#include "platform/PlatformMessages.h"

// Where the window's C text goes: a file of its own, a header beside its data file, or a block
// added to a file that may already hold one of the same name.

namespace tessera {

namespace {

std::string readAll(const InputFile& in) {
    std::string text(static_cast<std::size_t>(in.length()), '\0');
    in.read(0, {reinterpret_cast<std::uint8_t*>(text.data()), text.size()});
    return text;
}

[[noreturn]] void refuse(Reason code, const std::string& path, const std::string& reason) {
    throw TesseraError(code, failureText(messages::kCantWrite, path + ": " + reason));
}

}  // namespace

TextOutput Form1::textOutput() const {
    return {.data = *state.tsOut, .header = state.tsHeader.get(), .options = textOptions};
}

void Form1::writeTextFile(OutputFile::Mode mode, Writer textWriter) {
    state.includeGraphicsHeader = true;
    state.tsOut = std::make_unique<TextStream>(state.strOutPath, mode);
    (this->*textWriter)();
    refuseChangedInput();
    state.tsOut->Close();
}

void Form1::writeTextPair(Writer textWriter) {
    const std::string headerName = baseOf(headerPath);
    state.includeGraphicsHeader = true;
    state.tsOut = std::make_unique<TextStream>(state.strOutPath, OutputFile::Mode::Replace);
    state.tsHeader = std::make_unique<TextStream>(headerPath, OutputFile::Mode::Replace);
    writeHeaderOpening(*state.tsHeader, headerName);
    writeDataOpening(*state.tsOut, headerName);
    (this->*textWriter)();
    writeHeaderClosing(*state.tsHeader, headerName);
    refuseChangedInput();
    // Both files are complete on the disk before either takes its name, so a failure leaves
    // both as they were.
    state.tsOut->file().prepare();
    state.tsHeader->file().prepare();
    state.tsOut->file().publish();
    state.tsHeader->file().publish();
}

void Form1::addTextBlock(const std::string& title, Writer textWriter) {
    const std::string& path = state.strOutPath;
    // Adding C text to a .gpg or an object file would leave the user with neither.
    if (looksBinary(path))
        refuse(Reason::OutputNotText, path, messages::kNotTextFile);
    state.tsOut = std::make_unique<TextStream>(path, OutputFile::Mode::Update);
    OutputFile& file = state.tsOut->file();
    const InputFile* old = file.original();
    const std::string text = old ? readAll(*old) : std::string();
    const std::string& name = txtVar.Text();
    const BlockSearch found = findBlock(text, name);
    if (found.result == BlockSearch::Result::Unmatched) {
        refuse(Reason::NameDefinedElsewhere, path,
               messages::kNameDefined + name + ", but line " + std::to_string(found.line) +
                   messages::kLineNotOurs);
    }
    if (found.result == BlockSearch::Result::Found) {
        askOrEnd(messages::kReplaceQuestion + name + messages::kReplaceQuestionMiddle + title,
                 MsgStyle::YesNoQuestion);
        state.includeGraphicsHeader = found.includesGraphics;
        file.copyOriginal(0, static_cast<std::int64_t>(found.begin));
        (this->*textWriter)();
        file.copyOriginal(static_cast<std::int64_t>(found.end),
                          static_cast<std::int64_t>(text.size() - found.end));
    } else {
        // A palette needs the graphics header, which only a file with text in it already has.
        state.includeGraphicsHeader = text.empty();
        file.copyOriginal(0, static_cast<std::int64_t>(text.size()));
        // Three line ends keep an added block apart from what the file already holds.
        state.tsOut->WriteBlankLines(3);
        (this->*textWriter)();
    }
    refuseChangedInput();
    state.tsOut->Close();
}

}  // namespace tessera
