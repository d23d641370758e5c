#pragma once

#include <span>
#include <string>

#include "cli/CliOptions.h"

namespace tessera::cli {

// One command-line option: the parser, --help, the manual page and the bash completion all read
// it from this table alone.
struct OptionSpec {
    char shortName;         // '\0' for none
    const char* longName;   // without its "--"
    const char* valueName;  // nullptr for a flag
    const char* help;
    // Stores the option in `o`; `value` is empty for a flag. Throws UsageError.
    void (*apply)(CliOptions& o, const std::string& value);
    // The manual page's paragraph, when it says more than `help`: plain sentences, in which
    // "--name" and INPUT-like words are set in bold and italics by the page's writer.
    const char* details = nullptr;
};

std::span<const OptionSpec> optionTable();

// The --help text: the usage lines, then one line per option of the table.
std::string usageText();

}  // namespace tessera::cli
