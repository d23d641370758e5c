// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

namespace tessera::messages {

// The window's own texts for its commands, side by side.
inline constexpr const char* kOverwrite = "Do you want to OVERWRITE this file :\r\n";
inline constexpr const char* kAdd = "Do you want to ADD data to this file :\r\n";
inline constexpr const char* kQuestionEnd = "  ?!?";
inline constexpr const char* kDone = "Convertion done successfully :)";
inline constexpr const char* kSameAsInput = "the output would replace the input";
inline constexpr const char* kNotTextFile = "not a text file";
// Adding an array the file already holds: "...REPLACE the array NAME in this file :", the title.
inline constexpr const char* kReplaceQuestion = "Do you want to REPLACE the array ";
inline constexpr const char* kReplaceQuestionMiddle = " in this file :\r\n";
// A name defined by text Tessera did not write (or edited since): "it already defines NAME, but
// line N is not as Tessera writes it".
inline constexpr const char* kNameDefined = "it already defines ";
inline constexpr const char* kLineNotOurs = " is not as Tessera writes it";
// A name of the new block that the file already has as something else: "line N has the macro
// NAME, which the new block's array NAME would collide with", then kRename.
inline std::string nameCollides(int line, const std::string& name, bool macro) {
    return "line " + std::to_string(line) + " has the " + (macro ? "macro " : "array ") + name +
           ", which the new block's " + (macro ? "array " : "macro ") + name +
           " would collide with; give the new block another array name";
}
// A second definition beside the block to replace: replacing one would leave the other.
inline std::string nameTwice(int line, const std::string& name, int blockLine) {
    return "line " + std::to_string(line) + " defines " + name +
           " again, beside the block of line " + std::to_string(blockLine) +
           "; a block is replaced only when it is the one definition of its names";
}
// A header named as its data file, however spelt: "it is the data file itself (NAME): give
// the header a name of its own".
inline constexpr const char* kHeaderIsData = "it is the data file itself (";
inline constexpr const char* kHeaderIsDataFix = "): give the header a name of its own";
// A header name that the data file's #include "..." line cannot hold.
inline std::string cannotInclude(char c) {
    const std::string shown = c == '\n'   ? "a line end"
                              : c == '"'  ? "a double quote"
                              : c == '\'' ? "a single quote"
                              : c == '\\' ? "a backslash"
                                          : "a control character";
    return "its name holds " + shown +
           ", which the data file's #include \"...\" line cannot hold: give the header a name "
           "without quotes, backslashes or control characters";
}
inline constexpr const char* kChangedSinceLoad =
    "It changed since it was loaded: load it again before converting it.";

// Loading.
inline constexpr const char* kUnknownImage = "Can't open this kind of image file...";
inline std::string unknownImage(const std::string& whatItIs) {
    return "It is " + whatItIs +
           "; BMP, PNG and RAW pictures are read (`convert IN OUT.png` writes a PNG copy).";
}
// A sound picked as a picture: its loader reads it.
inline constexpr const char* kWavSound = "a WAV sound";
inline constexpr const char* kLoadAsSound =
    "It is a WAV sound: load it with \"Load Sound File...\" to convert it.";
inline constexpr const char* kBadSize = "Can't use this picture size :(";
inline constexpr const char* kCantOpenWav = "Can't open this kind of WAV file...";
inline constexpr const char* kRf64 =
    "It is an RF64 file, a WAV file with 64-bit sizes (`ffmpeg -i IN.wav -rf64 never OUT.wav` "
    "writes a plain copy).";
// A file whose first bytes are those of no sound we read, or of another kind of file.
inline std::string notASound(const std::string& whatItIs, bool picture) {
    if (picture)
        return "It is " + whatItIs + ", not a sound: \"Load Image File...\" reads it.";
    return "It is " + whatItIs +
           "; WAV, FLAC, Ogg Vorbis, Opus, MP3, AIFF, AIFF-C and Wave64 sounds are read "
           "(`ffmpeg -i IN OUT.wav` writes a WAV copy).";
}
inline constexpr const char* kNoFormatChunk =
    "Its \"fmt \" chunk, which says how its samples are stored, is missing or cut short.";
inline constexpr const char* kNoDataChunk = "It has no \"data\" chunk: it holds no samples.";
inline constexpr const char* kNothingToPlay = "Load a sound first: there is nothing to play.";
// The codings tools write most, by their format code.
inline std::string soundCoding(unsigned code) {
    const char* name = code == 2                      ? "Microsoft ADPCM"
                       : code == 6                    ? "A-law"
                       : code == 7                    ? "mu-law"
                       : code == 0x11                 ? "IMA ADPCM"
                       : code == 0x31                 ? "GSM 6.10"
                       : code == 0x50 || code == 0x55 ? "MPEG"
                       : code == 0xFFFE               ? "an extensible format of an unknown kind"
                                                      : nullptr;
    const std::string what = name != nullptr ? name : "format " + std::to_string(code);
    return "Its samples are coded as " + what +
           "; integer PCM and IEEE float samples are read (`sox IN.wav -e signed-integer -b 16 "
           "OUT.wav` writes a 16-bit PCM copy).";
}
inline constexpr const char* kSoundTooLong =
    "Its sound data is over 2 GB, more than a .sef file can count.";

// The binary outputs' refusals.
inline constexpr const char* kGpgNoPalette = "Can't export palette\r\n with \".GPG\" Files :(";
inline constexpr const char* kGpgNoAdd = "Can't ADD with \".GPG\" Files :(";
inline constexpr const char* kGpgOnly8Bits =
    "Only 8 bits pictures can be\r\nconverted in a \".GPG\" file :(";
// What the command line adds to kGpgOnly8Bits, about the input.
inline constexpr const char* kGpgNeeds8Bits =
    "It is a colour picture, and a .gpg file holds 8-bit (palette) pictures: give --colors 256 "
    "to make it one (or --palette-of FILE for a palette of your own), or an OUTPUT ending in .h "
    "or .c for its colours as C text.";
inline constexpr const char* kSefNoAdd = "Can't ADD with \".SEF\" Files :(";

// Failures no command foresaw.
inline constexpr const char* kNoMemory = "Not enough memory for this file :(";
inline constexpr const char* kWentWrong = "Something went wrong :(";

// Converting a file Tessera wrote back to a picture or a sound.
inline constexpr const char* kGpgNeedsSize =
    "It is a .gpg file, which does not record its picture's size (--raw WxH gives it).";
inline constexpr const char* kSefNeedsBits =
    "It is a .sef file, which does not record its samples' depth (--bits 8 or --bits 16 gives "
    "it).";
inline constexpr const char* kNeedsRate =
    "Its comment block gives a rate below 1 kHz (--rate HZ gives it).";
inline std::string backKind(bool sound) {
    return sound ? "It holds a sound: give an output ending in .wav."
                 : "It holds a picture: give an output ending in .png or .bmp.";
}
inline constexpr const char* kWhichBlock = "Which block do you want to load ?";
inline constexpr const char* kWhichSefKind =
    "A .sef file does not record its samples: how were they written ?";
inline std::string noBlockToLoad(bool sound) {
    return sound ? "It holds no sound (Load Image File... reads its pictures)."
                 : "It holds no picture (Load Sound File... reads its sounds).";
}
inline constexpr const char* kGreyRamp =
    "no palette: the indices are written as grey levels (0 black, 255 white; --palette-of FILE "
    "gives one)";
inline std::string rateOfComment(std::int32_t kHz, std::int32_t rate) {
    return "its comment block gives the rate as " + std::to_string(kHz) + "kHz: written at " +
           std::to_string(rate) + " Hz (--rate HZ gives another)";
}
inline std::string assumedRate(std::int32_t rate) {
    return "a .sef file does not record its rate: written at " + std::to_string(rate) +
           " Hz (--rate HZ gives another)";
}

}  // namespace tessera::messages
