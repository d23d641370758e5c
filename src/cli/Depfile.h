// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace tessera::cli {

// A file name as make reads it in a rule: spaces and tabs after a backslash, '#' after a
// backslash, '$' doubled, and the backslashes just before a space doubled, the way compilers
// write their dependency files, so make and Ninja read the same names back.
std::string makeQuoted(const std::string& path);

// "TARGET [TARGET]: PREREQUISITE...\n", and an empty rule for each prerequisite after the
// input, so that make does not stop when a palette file is deleted from the project.
std::string depfileText(const std::vector<std::string>& targets,
                        const std::vector<std::string>& prerequisites);

}  // namespace tessera::cli
