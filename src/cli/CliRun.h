// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/CliOptions.h"

namespace tessera::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

// Loads INPUT into the window model and, unless --info, converts it into OUTPUT with the
// window's own handlers. Prints failures to stderr and returns the exit status.
int run(const CliOptions& options);

// A message box's text on one line: its CR LF line breaks become ": " after a headline that ends
// in a smiley and a blank elsewhere.
std::string oneLine(const std::string& text);

// Prints "tessera-cli: FILE: TEXT" to stderr on one line, whatever FILE's name holds.
void report(const std::string& file, const std::string& text);

}  // namespace tessera::cli
