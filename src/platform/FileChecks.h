// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace tessera {

// Questions about files that the convert commands ask before writing anything.
bool fileExists(const std::string& path);
// Both names lead to one file (hard links, symbolic links and "./" spellings included).
bool sameFile(const std::string& a, const std::string& b);
// A file holding a NUL byte near its start is taken for binary: adding C text to a .gpg or an
// object file would leave the user with neither. A missing or unreadable file is not binary.
bool looksBinary(const std::string& path);
// The folder a path names its file in ("." for a bare name), and the file's name in it.
std::string directoryOf(const std::string& path);
std::string baseOf(const std::string& path);

}  // namespace tessera
