#pragma once

namespace tessera::sound_messages {

// The sound commands' own texts, side by side.
inline constexpr const char* kCantOpenWav = "Can't open this kind of WAV file...";
inline constexpr const char* kTooLong =
    "Its sound data is over 2 GB, more than a .sef file can count.";
inline constexpr const char* kOnly8And16Bits = "Only 8 and 16 bits sounds can be converted :(";
inline constexpr const char* kNoSample = "This sound has no sample to convert :(";
inline constexpr const char* kCantAddSef = "Can't ADD with \".SEF\" Files :(";

}  // namespace tessera::sound_messages
