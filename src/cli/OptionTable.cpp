#include "cli/OptionTable.h"

#include <algorithm>
#include <array>

#include "app/CNames.h"
#include "app/Form1.h"  // the text options the model takes
#include "cli/CliMessages.h"

namespace tessera::cli {

namespace {

void setName(CliOptions& o, const std::string& name) {
    if (const std::string problem = cNameProblem(name); !problem.empty())
        throw UsageError(texts::badName(name, problem));
    o.name = name;
}

void setFill(CliOptions& o, const std::string& fill) {
    if (fill != "0" && fill != "1")
        throw UsageError(texts::badFill(fill));
    o.fill = fill == "1" ? 1 : 0;
}

void setAlign(CliOptions& o, const std::string& text) {
    const bool digits = !text.empty() && text.size() <= 4 &&
                        text.find_first_not_of("0123456789") == std::string::npos;
    if (!digits || !isValidAlign(std::stol(text))) {
        throw UsageError(texts::badAlign(text, kMaxAlign));
    }
    o.align = std::stoi(text);
}

// clang-format off
constexpr std::array<OptionSpec, 15> kOptions{{
    {'n', "name", "NAME", "array name (default: INPUT's name without its extension)", setName},
    {'\0', "palette", nullptr, "write the palette of an 8-bit BMP (default)",
     [](CliOptions& o, const std::string&) { o.palette = true; }},
    {'\0', "no-palette", nullptr, "leave the palette out",
     [](CliOptions& o, const std::string&) { o.palette = false; }},
    {'\0', "only-palette", nullptr, "write the palette alone (implies --palette)",
     [](CliOptions& o, const std::string&) { o.onlyPalette = true; }},
    {'\0', "fill", "0|1", "GP32 intensity bit of the colours (default 1)", setFill},
    {'\0', "raw", "WxH[x8|x24]", "size and depth of a RAW picture (default {raw default})",
     [](CliOptions& o, const std::string& v) { o.raw = parseRaw(v); }},
    {'a', "append", nullptr, "add to OUTPUT (a .h or .c file) instead of replacing it",
     [](CliOptions& o, const std::string&) { o.append = true; }},
    {'\0', "replace", nullptr, "replace the block of the same array name in OUTPUT (else add)",
     [](CliOptions& o, const std::string&) { o.replace = true; }},
    {'\0', "header", "FILE", "declarations into FILE (a .h), the arrays into OUTPUT (a .c)",
     [](CliOptions& o, const std::string& v) { o.header = v; }},
    {'\0', "align", "N", "align every array on N bytes (a power of two up to 4096)", setAlign},
    {'q', "quiet", nullptr, "no progress bar",
     [](CliOptions& o, const std::string&) { o.quiet = true; }},
    {'v', "verbose", nullptr, "say so when the conversion is done",
     [](CliOptions& o, const std::string&) { o.verbose = true; }},
    {'\0', "info", nullptr, "print the description of INPUT",
     [](CliOptions& o, const std::string&) { o.info = true; }},
    {'h', "help", nullptr, "print this help",
     [](CliOptions& o, const std::string&) { o.help = true; }},
    {'\0', "version", nullptr, "print the version",
     [](CliOptions& o, const std::string&) { o.version = true; }},
}};
// clang-format on

constexpr std::size_t kHelpColumn = 16;  // after "  -n, ", where each option's help starts

}  // namespace

std::span<const OptionSpec> optionTable() {
    return kOptions;
}

std::string usageText() {
    const RawSize raw;
    const std::string rawDefault = raw.width + "x" + raw.height + (raw.bits24 ? "x24" : "x8");
    std::string text = texts::kUsage;
    for (const OptionSpec& option : kOptions) {
        text += option.shortName != '\0' ? std::string("  -") + option.shortName + ", " : "      ";
        std::string names = std::string("--") + option.longName;
        if (option.valueName)
            names += std::string(" ") + option.valueName;
        names.resize(std::max(names.size() + 2, kHelpColumn), ' ');
        std::string help = option.help;
        if (const auto mark = help.find(texts::kRawDefaultMark); mark != std::string::npos)
            help.replace(mark, std::string_view(texts::kRawDefaultMark).size(), rawDefault);
        text += names + help + "\n";
    }
    text += texts::kExitStatuses;
    return text;
}

}  // namespace tessera::cli
