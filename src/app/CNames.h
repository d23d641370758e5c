// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace tessera {

// Array names. Generated headers are compiled by gcc and clang in any mode, as C or as C++, so a
// name must be an identifier in all of them: not a keyword of any C or C++ standard, of GNU C
// (`asm`, `typeof`), nor one of the names reserved for the compiler (holding `__`, or `_` then a
// capital: `_BitInt`, `_Decimal64`, `_Pragma` and whatever comes next).
//
// Only the command line asks these questions so far, yet they stay in the model: a name is made
// of the characters the C text writers (formats) accept, which the drivers do not see, and the
// name box the window shares with the command line is the model's to judge.

// Why `text` cannot name an array, or empty when it can.
std::string cNameProblem(std::string_view text);
inline bool isCIdentifier(std::string_view text) {
    return cNameProblem(text).empty();
}

// Every character other than a letter, digit or underscore becomes an underscore; a leading
// digit gets an underscore before it, a keyword one after it. Nothing stays nothing; a result
// reserved for the compiler (`___` from a name in other scripts) is no name either, and is
// returned as it is for the caller to refuse.
std::string identifierFrom(std::string_view text);

}  // namespace tessera
