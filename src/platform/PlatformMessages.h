// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tessera::messages {

// What the file layer says when an input or an output fails, side by side.
inline constexpr const char* kCantRead = "Can't read this file :(";
inline constexpr const char* kCantWrite = "Can't write this file :(";
inline constexpr const char* kNotRegular = "not a regular file";
inline constexpr const char* kIsFolder = "it is a folder";
inline constexpr const char* kNothingWritten = "nothing could be written";
inline constexpr const char* kChangedWhileRead = "it changed while it was being read";
inline constexpr const char* kReaderGone =
    "the program reading the standard output stopped reading (Broken pipe), so the C text it "
    "got is cut short";

}  // namespace tessera::messages
