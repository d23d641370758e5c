#pragma once

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
inline constexpr const char* kChangedSinceLoad =
    "It changed since it was loaded: load it again before converting it.";

// Loading.
inline constexpr const char* kUnknownImage = "Can't open this kind of image file...";
inline constexpr const char* kBadSize = "Can't use this picture size :(";
inline constexpr const char* kCantOpenWav = "Can't open this kind of WAV file...";
inline constexpr const char* kSoundTooLong =
    "Its sound data is over 2 GB, more than a .sef file can count.";

// The binary outputs' refusals.
inline constexpr const char* kGpgNoPalette = "Can't export palette\r\n with \".GPG\" Files :(";
inline constexpr const char* kGpgNoAdd = "Can't ADD with \".GPG\" Files :(";
inline constexpr const char* kGpgOnly8Bits =
    "Only 8 bits pictures can be\r\nconverted in a \".GPG\" file :(";
inline constexpr const char* kSefNoAdd = "Can't ADD with \".SEF\" Files :(";

// Failures no command foresaw.
inline constexpr const char* kNoMemory = "Not enough memory for this file :(";
inline constexpr const char* kWentWrong = "Something went wrong :(";

}  // namespace tessera::messages
