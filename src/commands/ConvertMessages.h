#pragma once

namespace tessera::messages {

// The convert commands' own texts, side by side.
inline constexpr const char* kOverwrite = "Do you want to OVERWRITE this file :\r\n";
inline constexpr const char* kAdd = "Do you want to ADD data to this file :\r\n";
inline constexpr const char* kQuestionEnd = "  ?!?";
inline constexpr const char* kDone = "Convertion done successfully :)";
inline constexpr const char* kCantWrite = "Can't write this file :(";
inline constexpr const char* kSameAsInput = "the output would replace the input";
inline constexpr const char* kNotTextFile = "not a text file";

}  // namespace tessera::messages
