// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

#include "cli/CliOptions.h"

namespace tessera::cli {

// Converts a file Tessera wrote (C text, .gpg, .sef) back into OUTPUT (.png, .bmp, .wav).
// Prints what was assumed and any failure to stderr; returns the exit status.
int runBack(const CliOptions& options);

// --info of a file Tessera wrote, as text or JSON; nothing when INPUT is no such file. Returns
// the exit status.
std::optional<int> infoOfConverted(const CliOptions& options);

// The window's description of a picture or a sound as JSON: its fields by their names in
// lower case, numbers as numbers.
std::string jsonOfDescription(const std::string& caption, bool sound);

}  // namespace tessera::cli
