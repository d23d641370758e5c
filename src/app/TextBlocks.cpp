// SPDX-License-Identifier: GPL-3.0-or-later
#include <string>

#include "app/AppMessages.h"
#include "app/FileNames.h"
#include "app/Form1.h"
#include "formats/Gp32.h"
#include "formats/text/BlockFinder.h"
#include "formats/text/TextOutput.h"
#include "platform/Errors.h"
#include "platform/FileChecks.h"
#include "platform/InputFile.h"
#include "platform/OutputPair.h"
#include "platform/OutputPaths.h"
#include "platform/PlatformMessages.h"

// Where the window's C text goes: a file of its own, a header beside its data file, or a block
// added to a file that may already hold one of the same name.

namespace tessera {

namespace {

// The file added to, read a piece at a time: a header of hundreds of megabytes is never held.
class FileSource : public TextSource {
  public:
    explicit FileSource(const InputFile& in) : in_(in) {}
    std::int64_t size() const override { return in_.length(); }
    void read(std::int64_t pos, std::span<char> out) const override {
        in_.read(pos, {reinterpret_cast<std::uint8_t*>(out.data()), out.size()});
    }

  private:
    const InputFile& in_;
};

[[noreturn]] void refuse(Reason code, const std::string& path, const std::string& reason,
                         FileRole role = FileRole::Output) {
    throw TesseraError(code, failureText(messages::kCantWrite, path + ": " + reason), role);
}

// A header the data file cannot include, or one that is the data file itself (which would end
// up holding the declarations only).
void refuseHeader(const std::string& header, const std::string& data) {
    const std::string name = baseOf(header);
    if (const auto bad = unincludableCharacter(name)) {
        refuse(Reason::HeaderName, header, messages::cannotInclude(*bad), FileRole::Header);
    }
    if (sameTarget(header, data))
        refuse(Reason::HeaderIsData, header,
               messages::kHeaderIsData + baseOf(data) + messages::kHeaderIsDataFix,
               FileRole::Header);
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
    refuseHeader(headerPath, state.strOutPath);
    const std::string headerName = baseOf(headerPath);
    state.includeGraphicsHeader = true;
    state.tsOut = std::make_unique<TextStream>(state.strOutPath, OutputFile::Mode::Replace);
    state.tsHeader =
        std::make_unique<TextStream>(headerPath, OutputFile::Mode::Replace, FileRole::Header);
    writeHeaderOpening(*state.tsHeader, headerName);
    writeDataOpening(*state.tsOut, headerName);
    (this->*textWriter)();
    writeHeaderClosing(*state.tsHeader, headerName);
    refuseChangedInput();
    // Both files are complete on the disk before either takes its name, so a failure leaves
    // both as they were; then they take their names together.
    state.tsOut->file().prepare();
    state.tsHeader->file().prepare();
    publishTogether(state.tsOut->file(), state.tsHeader->file());
}

void Form1::addTextBlock(const std::string& title, Writer textWriter) {
    const std::string& path = state.strOutPath;
    // Adding C text to a .gpg or an object file would leave the user with neither.
    if (looksBinary(path))
        refuse(Reason::OutputNotText, path, messages::kNotTextFile);
    state.tsOut = std::make_unique<TextStream>(path, OutputFile::Mode::Update);
    OutputFile& file = state.tsOut->file();
    const InputFile* old = file.original();
    const std::int64_t length = old ? old->length() : 0;
    const std::string& name = txtVar.Text();
    const BlockSearch found = old ? findBlock(FileSource(*old), name) : BlockSearch();
    using Result = BlockSearch::Result;
    if (found.result == Result::Unmatched) {
        refuse(Reason::NameDefinedElsewhere, path,
               messages::kNameDefined + name + ", but line " + std::to_string(found.line) +
                   messages::kLineNotOurs);
    }
    if (found.result == Result::Collision)
        refuse(Reason::NameCollision, path,
               messages::nameCollides(found.line, found.other, found.otherIsMacro));
    if (found.result == Result::Twice)
        refuse(Reason::NameTwice, path,
               messages::nameTwice(found.line, found.other, found.firstLine));
    // A palette block includes the graphics header unless the file did so before it.
    state.includeGraphicsHeader = !found.includeBefore;
    if (found.result == Result::Found) {
        askOrEnd(messages::kReplaceQuestion + name + messages::kReplaceQuestionMiddle + title,
                 MsgStyle::YesNoQuestion);
        file.copyOriginal(0, found.begin);
        // The old block's include served palettes after it: a block without a palette keeps it
        // on a line of its own.
        if (found.includeNeededAfter &&
            !(textWriter == &Form1::WriteImageText && paletteWanted())) {
            state.tsOut->WriteLine(gp32::kGraphicsInclude);
            state.tsOut->WriteBlankLines(1);
        }
        (this->*textWriter)();
        file.copyOriginal(found.end, length - found.end);
    } else {
        file.copyOriginal(0, length);
        // Three line ends keep an added block apart from what the file already holds.
        state.tsOut->WriteBlankLines(3);
        (this->*textWriter)();
    }
    refuseChangedInput();
    state.tsOut->Close();
}

}  // namespace tessera
