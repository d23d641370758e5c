#pragma once

#include <span>
#include <string>

#include "cli/CliOptions.h"

namespace tessera::cli {

// One command-line option: the parser and --help both read it from this table alone.
struct OptionSpec {
    char shortName;         // '\0' for none
    const char* longName;   // without its "--"
    const char* valueName;  // nullptr for a flag
    const char* help;
    // Stores the option in `o`; `value` is empty for a flag. Throws UsageError.
    void (*apply)(CliOptions& o, const std::string& value);
};

std::span<const OptionSpec> optionTable();

// The --help text: the usage lines, then one line per option of the table.
std::string usageText();

}  // namespace tessera::cli
