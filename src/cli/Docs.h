// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace tessera::cli {

// The OPTIONS section's entries of the manual page (troff), one per row of the option table.
std::string manOptions();

// The bash completion's pieces made from the option table, filled into its template:
//   @LONG_OPTIONS@    every long option, for a word starting with a dash
//   @VALUE_CASES@     case branches completing the value after an option that takes one
//   @VALUE_OPTIONS@   the options taking a value, as a case pattern ("-n | --name | ...")
std::string completionLongOptions();
std::string completionValueCases();
std::string completionValueOptions();

// `text` with every @KEY@ of `fill` replaced by its value.
std::string fillTemplate(std::string text, const std::string& key, const std::string& value);

}  // namespace tessera::cli
