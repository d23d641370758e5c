#include "cli/OptionTable.h"

#include <algorithm>
#include <array>

#include "app/CNames.h"
#include "app/Form1.h"  // the text options the model takes

namespace tessera::cli {

namespace {

void setName(CliOptions& o, const std::string& name) {
    if (const std::string problem = cNameProblem(name); !problem.empty())
        throw UsageError("--name '" + name + "' " + problem);
    o.name = name;
}

void setFill(CliOptions& o, const std::string& fill) {
    if (fill != "0" && fill != "1")
        throw UsageError("bad --fill value '" + fill + "': give 0 or 1");
    o.fill = fill == "1" ? 1 : 0;
}

void setAlign(CliOptions& o, const std::string& text) {
    const bool digits = !text.empty() && text.size() <= 4 &&
                        text.find_first_not_of("0123456789") == std::string::npos;
    if (!digits || !isValidAlign(std::stol(text))) {
        throw UsageError("bad --align value '" + text + "': give a power of two up to " +
                         std::to_string(kMaxAlign));
    }
    o.align = std::stoi(text);
}

void setRate(CliOptions& o, const std::string& text) {
    const bool digits = !text.empty() && text.size() <= 6 &&
                        text.find_first_not_of("0123456789") == std::string::npos;
    const long rate = digits ? std::stol(text) : 0;
    if (rate < kMinRate || rate > kMaxRate) {
        throw UsageError("bad --rate value '" + text + "': give a rate in Hz from " +
                         std::to_string(kMinRate) + " to " + std::to_string(kMaxRate));
    }
    o.sound.rate = static_cast<std::int32_t>(rate);
}

void setBits(CliOptions& o, const std::string& bits) {
    if (bits != "8" && bits != "16")
        throw UsageError("bad --bits value '" + bits + "': give 8 or 16");
    o.sound.bits = bits == "8" ? 8 : 16;
}

// clang-format off
constexpr std::array<OptionSpec, 20> kOptions{{
    {'n', "name", "NAME", "array name (default: INPUT's name without its extension)", setName},
    {'\0', "palette", nullptr, "write the palette of an 8-bit BMP (default)",
     [](CliOptions& o, const std::string&) { o.palette = true; }},
    {'\0', "no-palette", nullptr, "leave the palette out",
     [](CliOptions& o, const std::string&) { o.palette = false; }},
    {'\0', "only-palette", nullptr, "write the palette alone (implies --palette)",
     [](CliOptions& o, const std::string&) { o.onlyPalette = true; }},
    {'\0', "fill", "0|1", "GP32 intensity bit of the colours (default 1)", setFill},
    {'\0', "raw", "WxH[x8|x24]", "size and depth of a RAW picture (default 320x240x8)",
     [](CliOptions& o, const std::string& v) { o.raw = parseRaw(v); o.rawGiven = true; }},
    {'\0', "rate", "HZ", "resample a sound to HZ (1000 to 384000; default: the file's)", setRate},
    {'\0', "mono", nullptr, "mix a stereo sound down to one channel",
     [](CliOptions& o, const std::string&) { o.sound.mono = true; }},
    {'\0', "stereo", nullptr, "a sound converted back has two channels",
     [](CliOptions& o, const std::string&) { o.stereo = true; }},
    {'\0', "bits", "8|16", "depth of the samples written (default: 8 for 8-bit sounds, else 16)",
     setBits},
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
    {'\0', "json", nullptr, "print --info as JSON",
     [](CliOptions& o, const std::string&) { o.json = true; }},
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
    std::string text =
        "Usage: tessera-cli [options] INPUT OUTPUT\n"
        "       tessera-cli --info INPUT\n"
        "Converts a picture (.bmp, .png, .raw) or a sound (.wav) for the GP32: OUTPUT ending in\n"
        ".h or .c gets C text (- writes it to the standard output), any other name a .gpg\n"
        "(picture) or .sef (sound) file.\n"
        "\n";
    for (const OptionSpec& option : kOptions) {
        text += option.shortName != '\0' ? std::string("  -") + option.shortName + ", " : "      ";
        std::string names = std::string("--") + option.longName;
        if (option.valueName)
            names += std::string(" ") + option.valueName;
        names.resize(std::max(names.size() + 2, kHelpColumn), ' ');
        text += names + option.help + "\n";
    }
    text += "\nExit status: 0 done, 1 refused or failed, 2 bad usage.\n";
    return text;
}

}  // namespace tessera::cli
