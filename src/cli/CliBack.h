// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/CliOptions.h"

namespace tessera::cli {

// Converts a file Tessera wrote (C text, .gpg, .sef) back into OUTPUT (.png, .bmp, .wav).
// Prints what was assumed and any failure to stderr; returns the exit status.
int runBack(const CliOptions& options);

}  // namespace tessera::cli
