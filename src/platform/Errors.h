#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace tessera {

// Which file a failure is about, so that a report can name it: the one being read or the one
// being written.
enum class FileRole { Unknown, Input, Output };

// Why a command ended without its result: one code for each refusal and failure, compared by the
// command line (its exit status), the window and the tests instead of the texts. Each layer keeps
// the texts of its own codes side by side in its messages header; a layer adds its codes in its
// own block here.
enum class Reason : std::uint16_t {
    None = 0,
    // Files (PlatformMessages.h).
    InputUnreadable = 100,  // the system's reason, as it words it
    InputNotRegular,
    OutputUnwritable,  // the system's reason, as it words it
    OutputIsFolder,
    OutputNotRegular,
    OutputRefused,  // a target the rename could not keep as it is (see OutputPaths)
    NothingWritten,
    ChangedWhileRead,
    // Pictures and sounds (FormatMessages.h).
    PictureDepthNotRead = 200,  // a RAW depth other than 8 and 24
    PictureEmpty,
    PictureTooBig,
    PngTooWide,
    BmpHeaderKind,
    BmpHeadersCut,
    BmpDataOffset,
    BmpColourCount,
    BmpMasksSplit,
    BmpDepth,
    BmpPacking,
    PngDamaged,
    IndexBeyondPalette,
    RawHasNoColours,    // a RAW picture given to the palette step
    PaletteFileUnread,  // a palette file (--palette-of) that gives no palette
    SoundNoSample,
    SoundChannels,
    SoundDepth,
    // The window's commands (AppMessages.h).
    ImageKindUnknown = 300,
    PictureSizeBad,
    WavNotRead,
    WavRf64,
    WavCoding,
    WavTooLong,
    ChangedSinceLoad,
    OutputIsInput,
    OutputNotText,
    NameDefinedElsewhere,
    GpgNoPalette,
    GpgNoAdd,
    GpgOnly8Bits,
    SefNoAdd,
    NoMemory,
    Unforeseen,
};

// A failure that ends the running command and is shown to the user in a message box. The text is
// already worded for the user (the tool's own style: short, with a smiley, the reason on a
// second line when there is one).
class TesseraError : public std::runtime_error {
  public:
    TesseraError(Reason reason, const std::string& message, FileRole role = FileRole::Unknown)
        : std::runtime_error(message), reason_(reason), role_(role) {}
    Reason reason() const { return reason_; }
    FileRole role() const { return role_; }

  private:
    Reason reason_;
    FileRole role_;
};

// The user's Cancel in a dialog or a "No" to a question: ends the command silently.
struct CommandCancelled {};

// "Can't read this file :(" with the reason on a second line, the way every failure is worded.
std::string failureText(const std::string& headline, const std::string& reason);

}  // namespace tessera
