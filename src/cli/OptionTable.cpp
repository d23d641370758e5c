// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/OptionTable.h"

#include <algorithm>
#include <array>

#include "app/CNames.h"
#include "app/Form1.h"  // the text options the model takes
#include "app/PaletteJobs.h"
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

void setRate(CliOptions& o, const std::string& text) {
    const bool digits = !text.empty() && text.size() <= 6 &&
                        text.find_first_not_of("0123456789") == std::string::npos;
    const long rate = digits ? std::stol(text) : 0;
    if (rate < kMinRate || rate > kMaxRate) {
        throw UsageError(texts::badRate(text, kMinRate, kMaxRate));
    }
    o.sound.rate = static_cast<std::int32_t>(rate);
}

void setBits(CliOptions& o, const std::string& bits) {
    if (bits != "8" && bits != "16")
        throw UsageError(texts::badBits(bits));
    o.sound.bits = bits == "8" ? 8 : 16;
}

void setColors(CliOptions& o, const std::string& text) {
    const bool digits = !text.empty() && text.size() <= 3 &&
                        text.find_first_not_of("0123456789") == std::string::npos;
    if (!digits || std::stoi(text) < kMinColours || std::stoi(text) > kMaxColours) {
        throw UsageError(texts::badColors(text, kMinColours, kMaxColours));
    }
    o.colors = std::stoi(text);
}

void setTransparent(CliOptions& o, const std::string& text) {
    const std::string digits = text.starts_with("#") ? text.substr(1) : text;
    if (digits.size() != 6 ||
        digits.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
        throw UsageError(texts::badTransparent(text));
    o.transparent = static_cast<std::uint32_t>(std::stoul(digits, nullptr, 16));
}

// clang-format off
constexpr std::array<OptionSpec, 27> kOptions{{
    {'n', "name", "NAME", "array name (default: INPUT's name without its extension)", setName,
     "Array name; it must be a C identifier. The default is INPUT's name without its extension, "
     "every character other than a letter, digit or underscore made an underscore."},
    {'\0', "palette", nullptr, "write the palette of an 8-bit BMP (default)",
     [](CliOptions& o, const std::string&) { o.palette = true; }},
    {'\0', "no-palette", nullptr, "leave the palette out",
     [](CliOptions& o, const std::string&) { o.palette = false; }},
    {'\0', "only-palette", nullptr, "write the palette alone (implies --palette)",
     [](CliOptions& o, const std::string&) { o.onlyPalette = true; }},
    {'\0', "colors", "N", "an 8-bit picture of at most N colours (2 to 256), whatever its kind",
     setColors,
     "Make the picture an 8-bit picture of at most N palette entries (2 to 256), whatever its "
     "kind: each pixel its own GP32 colour when they fit (the palette dark to light), else a "
     "palette chosen by libimagequant."},
    {'\0', "palette-of", "FILE", "map the picture onto FILE's palette (BMP, PNG, .gpl, .pal, .h)",
     [](CliOptions& o, const std::string& v) { o.paletteOf = v; },
     "Map the picture onto the palette of FILE, its count and order kept: an 8-bit BMP or PNG, "
     "a GIMP .gpl, a JASC .pal, or C text holding one GP_PALETTEENTRY array."},
    {'\0', "make-palette", "OUT", "write one palette for the INPUTs as OUT (.h .c .gpl .pal .png)",
     [](CliOptions& o, const std::string& v) { o.makePalette = v; },
     "Write one palette for every INPUT as OUT (.h, .c, .gpl, .pal, or .png: a swatch picture "
     "16 pixels wide), with --colors N entries at most (256 without it); the order of the "
     "inputs changes nothing."},
    {'\0', "transparent", "RRGGBB", "see-through pixels (alpha below half, this colour) as index 0",
     setTransparent,
     "Pixels whose alpha is below half, and pixels of that colour, become index 0 (entry 0 that "
     "colour), or that colour in 16-bit output."},
    // One word for one idea on both sides: noise that hides what the output cannot hold.
    {'\0', "dither", nullptr, "diffuse the colours the palette lacks; dither a sound made 8-bit",
     [](CliOptions& o, const std::string&) { o.dither = true; o.sound.dither = true; },
     "For a picture, diffuse the error of colours the palette lacks (with --colors or "
     "--palette-of). For a sound, add triangular dither of one 8-bit step before 16-bit samples "
     "are rounded to 8 bits (the same every run, so a sound always gives the same bytes)."},
    {'\0', "fill", "0|1", "GP32 intensity bit of the colours (default 1)", setFill,
     "The GP32 intensity bit of 24-bit colours and palettes (default 1)."},
    {'\0', "raw", "WxH[x8|x24]", "size and depth of a RAW picture (default 320x240x8)",
     [](CliOptions& o, const std::string& v) { o.raw = parseRaw(v); o.rawGiven = true; }},
    {'\0', "rate", "HZ", "resample a sound to HZ (1000 to 384000; default: the file's)", setRate,
     "Resample a sound to HZ, 1000 to 384000 samples a second, with libsoxr at its high-quality "
     "setting: a tone below half the new rate keeps its frequency and level, one above it is "
     "filtered out. The default is the file's own rate, which leaves the samples untouched. For a "
     "sound converted back: its rate (default: the comment block's; 22050 for a .sef)."},
    {'\0', "mono", nullptr, "mix a stereo sound down to one channel",
     [](CliOptions& o, const std::string&) { o.sound.mono = true; },
     "Mix a stereo sound to one channel: (L + R) / 2, rounded to nearest with halves away from "
     "zero. For a sound converted back: one channel (default: the comment block's; mono for a "
     ".sef)."},
    {'\0', "stereo", nullptr, "a sound converted back has two channels",
     [](CliOptions& o, const std::string&) { o.stereo = true; },
     "A sound converted back: two channels (default: the comment block's; mono for a .sef)."},
    {'\0', "bits", "8|16", "depth of the samples written (default: 8 for 8-bit sounds, else 16)",
     setBits,
     "Depth of the samples written. 16 to 8 bits divides by 256, rounded to nearest with halves "
     "away from zero; 8 to 16 bits multiplies by 256. The default is 8 for 8-bit sounds, else 16. "
     "For a .sef converted back: the depth of its samples, which the file does not record."},
    {'\0', "normalize", nullptr, "bring the loudest sample of a sound to full scale",
     [](CliOptions& o, const std::string&) { o.sound.normalize = true; },
     "Bring the loudest sample of a sound to full scale, after mono and the rate and before the "
     "depth is reduced."},
    {'a', "append", nullptr, "add to OUTPUT (a .h or .c file) instead of replacing it",
     [](CliOptions& o, const std::string&) { o.append = true; },
     "Add to OUTPUT (C text only) after three line ends instead of replacing it. Runs adding to "
     "one file at once take turns, so make -j may run them."},
    {'\0', "replace", nullptr, "replace the block of the same array name in OUTPUT (else add)",
     [](CliOptions& o, const std::string&) { o.replace = true; },
     "Add to OUTPUT, putting the new block in place of the block of the same array name that "
     "Tessera wrote there before; a second run with the same input leaves OUTPUT untouched."},
    {'\0', "header", "FILE", "declarations into FILE (a .h), the arrays into OUTPUT (a .c)",
     [](CliOptions& o, const std::string& v) { o.header = v; },
     "Write the declarations (include guard, comment block, #define lines and an extern "
     "declaration of each array) into FILE, a .h, and the arrays into OUTPUT, a .c that "
     "includes FILE. Both are written together or not at all."},
    {'\0', "depfile", "FILE", "write OUTPUT's dependencies into FILE as a make rule",
     [](CliOptions& o, const std::string& v) { o.depfile = v; },
     "Write a make rule into FILE: OUTPUT (and the --header FILE) depend on INPUT and every "
     "other file the conversion reads, names quoted as compilers quote them. make includes it, "
     "Ninja reads it with depfile = FILE. It is written only when the conversion is done."},
    {'\0', "align", "N", "align every array on N bytes (a power of two up to 4096)", setAlign,
     "Add __attribute__((aligned(N))) to every array, N a power of two up to 4096, so the GP32 "
     "can copy it by words or DMA (C text only)."},
    {'q', "quiet", nullptr, "no progress bar",
     [](CliOptions& o, const std::string&) { o.quiet = true; },
     "Draw no progress bar (it is drawn on standard error only when that is a terminal)."},
    {'v', "verbose", nullptr, "say so when the conversion is done",
     [](CliOptions& o, const std::string&) { o.verbose = true; },
     "Print the window's success message."},
    {'\0', "info", nullptr, "print the description of INPUT",
     [](CliOptions& o, const std::string&) { o.info = true; },
     "Print the description the window shows for INPUT, then stop."},
    {'\0', "json", nullptr, "print --info as JSON",
     [](CliOptions& o, const std::string&) { o.json = true; },
     "With --info: the description as JSON, for scripts; for a file Tessera wrote, its blocks."},
    {'h', "help", nullptr, "print this help",
     [](CliOptions& o, const std::string&) { o.help = true; }, "Print the usage."},
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
    std::string text = texts::kUsage;
    for (const OptionSpec& option : kOptions) {
        text += option.shortName != '\0' ? std::string("  -") + option.shortName + ", " : "      ";
        std::string names = std::string("--") + option.longName;
        if (option.valueName)
            names += std::string(" ") + option.valueName;
        names.resize(std::max(names.size() + 2, kHelpColumn), ' ');
        text += names + option.help + "\n";
    }
    text += texts::kExitStatuses;
    return text;
}

}  // namespace tessera::cli
