// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace tessera::cli::texts {

// What tessera-cli says of its own, side by side; what the window says comes from the model. The
// options' help lines stay in their rows of the option table.

inline constexpr const char* kProgram = "tessera-cli";
inline constexpr const char* kUsage =
    "Usage: tessera-cli [options] INPUT OUTPUT\n"
    "       tessera-cli --info INPUT\n"
    "       tessera-cli --make-palette OUT [--colors N] [--transparent RRGGBB] INPUT...\n"
    "Converts a picture (.bmp, .png, .raw) or a sound (.wav, .flac, .ogg, .opus, .mp3,\n"
    ".aif, .aiff, .aifc, .w64) for the GP32: OUTPUT ending in .h or .c gets C text (-\n"
    "writes it to the standard output), any other name a .gpg (picture) or .sef (sound)\n"
    "file.\n"
    "\n";
inline constexpr const char* kExitStatuses =
    "\nExit status: 0 done, 1 refused or failed, 2 bad usage.\n";

// Bad usage: one line, then the hint.
inline constexpr const char* kTryHelp = " (try 'tessera-cli --help')";
inline std::string needsValue(const std::string& option) {
    return "option " + option + " needs a value";
}
inline std::string takesNoValue(const std::string& option) {
    return "option " + option + " takes no value";
}
inline std::string unknownOption(const std::string& option) {
    return "unknown option " + option;
}
inline constexpr const char* kMonoOrStereo =
    "--mono and --stereo ask for opposite things: give one";
inline constexpr const char* kJsonNeedsInfo = "--json is a way of printing --info: add --info";
inline constexpr const char* kOnlyPaletteNeedsPalette =
    "--only-palette needs the palette: drop --no-palette";
inline constexpr const char* kInfoWritesNothing =
    "--info writes nothing: drop --append and --depfile";
inline constexpr const char* kOnePaletteChoice =
    "--colors and --palette-of each choose the palette: give one";
inline constexpr const char* kDitherNeedsPalette = "--dither needs --colors or --palette-of";
inline constexpr const char* kMakePaletteOnly =
    "--make-palette writes a palette only: drop the options of a conversion";
inline constexpr const char* kMakePaletteNeedsInput = "--make-palette needs at least one INPUT";
inline constexpr const char* kMakePaletteOutput =
    "--make-palette needs OUT ending in .h, .c, .gpl, .pal or .png";
inline constexpr const char* kDepfileNotBack =
    "--depfile is for conversions to C text, .gpg and .sef: drop it";
inline constexpr const char* kDepfileNotStandardOutput =
    "--depfile names OUTPUT as a file: drop the - OUTPUT";
inline std::string depfileOwnFile(const std::string& name) {
    return "--depfile needs a FILE of its own, not " + name;
}
inline constexpr const char* kDepfileLineEnd =
    "--depfile cannot name a file with a line end in its name";
inline constexpr const char* kInfoTakesOne = "--info takes one INPUT";
inline constexpr const char* kTwoFilesNeeded = "INPUT and OUTPUT are needed";
inline std::string tooManyFiles(const std::string& third) {
    return "too many files: " + third;
}
inline constexpr const char* kStandardOutputWhole =
    "the standard output can only take a whole text: drop the - OUTPUT";
inline constexpr const char* kTextOnlyOptions =
    "--header and --align are for C text: name OUTPUT .c or .h";
inline constexpr const char* kHeaderWritesWhole =
    "--header writes both files whole: drop --append and --replace";
inline constexpr const char* kHeaderFile = "--header needs a .h or .c FILE other than OUTPUT";
inline std::string badRaw(const std::string& value) {
    return "bad --raw value '" + value + "': give WIDTHxHEIGHT, optionally followed by x8 or x24";
}
inline std::string badName(const std::string& name, const std::string& problem) {
    return "--name '" + name + "' " + problem;
}
inline std::string badFill(const std::string& value) {
    return "bad --fill value '" + value + "': give 0 or 1";
}
inline std::string badAlign(const std::string& value, int maxAlign) {
    return "bad --align value '" + value + "': give a power of two up to " +
           std::to_string(maxAlign);
}
inline std::string badColors(const std::string& value, int fewest, int most) {
    return "bad --colors value '" + value + "': give a number from " + std::to_string(fewest) +
           " to " + std::to_string(most);
}
inline std::string badTransparent(const std::string& value) {
    return "bad --transparent value '" + value + "': give a colour as RRGGBB";
}
inline std::string badRate(const std::string& value, long fewest, long most) {
    return "bad --rate value '" + value + "': give a rate in Hz from " + std::to_string(fewest) +
           " to " + std::to_string(most);
}
inline std::string badBits(const std::string& value) {
    return "bad --bits value '" + value + "': give 8 or 16";
}
inline std::string noArrayName(const std::string& input) {
    return "no array name can be made from '" + input + "': give one with --name";
}

// A command that did not complete, when the window said nothing about it.
inline constexpr const char* kNotLoaded = "could not be loaded";
inline constexpr const char* kNothingWritten = "nothing was written";
// An add that would give OUTPUT a second block of one name.
inline std::string nameInOutput(const std::string& name) {
    return "it already holds " + name + ": give --replace to replace it";
}
inline std::string rawLengthWarning(long long length, const std::string& size, long long needed,
                                    bool colours) {
    return "warning: it holds " + std::to_string(length) + " bytes, but a " + size +
           " RAW picture needs " + std::to_string(needed) + " (rows top first, " +
           (colours ? "3 bytes a pixel, red first" : "1 index a pixel") +
           ", no padding); converting it as " + size + " (--raw WxH[x8|x24] gives its real size)";
}

// What --info says of a .gpg or a .sef, which do not say their size or depth themselves.
inline std::string gpgInfo(long long indices) {
    return "gpg, " + std::to_string(indices) + " indices (--raw WxH gives the size)\n";
}
inline std::string sefInfo(long long bytes) {
    return "sef, " + std::to_string(bytes) + " bytes of samples (--bits gives their depth)\n";
}

// The standard output, when it cannot be written.
inline constexpr const char* kDoneButNoStandardOutput =
    "done, but the standard output cannot be written";
inline constexpr const char* kNoStandardOutput = "cannot write the standard output";
inline constexpr const char* kNoMemory = "not enough memory";

}  // namespace tessera::cli::texts
