// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace tessera {

// Which file a failure is about, so that a report can name it: the one being read, the one
// being written, or the header written beside it.
enum class FileRole { Unknown, Input, Output, Header };

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
    OutputIsStandardStream,  // a name for the file behind standard input, output or error
    ReaderGone,              // the program reading the standard output has ended
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
    SoundRate,        // a rate the resampler cannot take
    WrittenTooLong,   // the converted samples would not fit a .sef's length
    SoundUnreadable,  // a FLAC, Ogg, MP3, AIFF or Wave64 sound its library could not read
    NotASound,        // a file whose first bytes are no sound we read
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
    NameCollision,  // the name is another block's macro or array
    NameTwice,      // the name is defined twice in the file added to
    HeaderName,     // a header name the data file could not include
    HeaderIsData,   // the header named is the data file itself
    GpgNoPalette,
    GpgNoAdd,
    GpgOnly8Bits,
    SefNoAdd,
    NoMemory,
    NothingToPlay,
    // Conversions back to pictures and sounds (AppMessages.h, FormatMessages.h).
    ConvertedNotOurs = 400,  // a line that is not as Tessera writes it
    ConvertedNoBlock,        // no block, or none of the name asked for
    ConvertedLength,         // a .gpg or .sef whose length disagrees with what it says it holds
    BackNeedsShape,          // a .gpg without --raw's size, a .sef without its depth or rate
    BackSeveralBlocks,       // several blocks, and no name to pick one
    BackKind,                // a block that cannot become the output asked for
    Unforeseen = 999,
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
