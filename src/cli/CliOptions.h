// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "app/ConvertBack.h"
#include "app/DialogRAW.h"
#include "app/SoundOptions.h"

namespace tessera::cli {

// A command line that cannot be run as given: reported in one line with a hint, exit status 2.
class UsageError : public std::runtime_error {
  public:
    explicit UsageError(const std::string& what) : std::runtime_error(what) {}
};

enum class InputKind { Picture, Sound, Unknown };

// What the RAW dialog is told: the texts typed into its two boxes and the depth picked; by
// default what it opens with.
struct RawSize {
    std::string width = DialogRAW::kOpeningWidth;
    std::string height = DialogRAW::kOpeningHeight;
    bool bits24 = false;
};

struct CliOptions {
    bool help = false;
    bool version = false;
    bool info = false;
    bool quiet = false;
    bool verbose = false;
    bool append = false;
    bool replace = false;  // adds, putting the new block in place of one of the same name
    int align = 0;         // bytes; 0 leaves the arrays as the window writes them
    std::optional<std::string> header;
    std::optional<std::string> depfile;  // a make rule naming what OUTPUT was made from
    bool palette = true;                 // "Generate Palette" starts checked in the window too
    bool onlyPalette = false;
    int fill = 1;  // "Fill bit with 1" starts selected
    RawSize raw;
    bool rawGiven = false;  // a .gpg converted back has no size of its own
    SoundTarget sound;      // --rate, --mono, --bits, --normalize, --dither
    bool stereo = false;    // a sound converted back: two channels, whatever its comment says
    bool json = false;      // --info as JSON
    std::optional<std::string> name;
    // The palette step: at most `colors` entries (0: the picture's own), or the palette of a
    // file; see-through pixels; error diffusion. --make-palette writes a palette for `inputs`.
    int colors = 0;
    std::optional<std::string> paletteOf;
    std::optional<std::uint32_t> transparent;  // 0xRRGGBB
    bool dither = false;
    std::optional<std::string> makePalette;
    std::vector<std::string> inputs;
    std::string input;
    std::string output;  // empty with --info; "-" for the standard output
};

// Reads the arguments after the program's name. Throws UsageError.
CliOptions parseArguments(const std::vector<std::string>& args);

// "WxH", "WxHx8" or "WxHx24" with whole numbers. Throws UsageError.
RawSize parseRaw(std::string_view text);

// The array name: --name, or the input's file name without its last four characters made into
// an identifier (see app/CNames.h). Throws UsageError when there is none.
std::string arrayName(const CliOptions& options);

// By the file's first bytes where they say (a RIFF/WAVE sound), by its name otherwise.
InputKind inputKind(std::string_view path);

// What --depfile says: the files a run writes, and the files it reads to write them (the input
// first).
struct Dependencies {
    std::vector<std::string> targets;
    std::vector<std::string> prerequisites;
};
Dependencies dependenciesOf(const CliOptions& options);

}  // namespace tessera::cli
