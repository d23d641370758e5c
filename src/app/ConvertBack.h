// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "../formats/Gp32.h"
#include "../formats/back/ConvertedFile.h"
#include "../formats/sound/SoundTarget.h"  // the sound options a request is made from
#include "../platform/Errors.h"

namespace tessera {

// A file Tessera wrote (C text, .gpg, .sef) going back to a picture (.png, .bmp) or a sound
// (.wav): what the file does not record comes from here.
struct BackRequest {
    std::string input;
    std::string output;
    std::string name;        // the block of C text; empty: the file's only block
    std::int64_t width = 0;  // a .gpg's size; 0: not given
    std::int64_t height = 0;
    int bits = 0;                        // a .sef's depth, 8 or 16; 0: not given
    std::int32_t rate = 0;               // Hz; 0: the block's (a .sef's: kDefaultSefRate)
    int channels = 0;                    // 1 or 2; 0: the block's (a .sef's: mono)
    std::vector<std::uint16_t> palette;  // GP32 colours for indices without their own palette
};

inline constexpr std::int32_t kDefaultSefRate = 22050;

// Outputs that take a converted file back.
bool isBackOutput(std::string_view path);

// The block a request picks, read: from C text the named one (or the only one), from a .gpg or
// a .sef what the request says it holds. Throws TesseraError; a missing size or depth, and
// several blocks without a name, are refusals too.
ConvertedBlock pickBlock(const BackRequest& request);

// How a conversion back ended: done, with the notes worth telling the user (what was assumed: a
// grey ramp, a rate), or refused with the reason, about the input or the output.
struct BackOutcome {
    bool done = false;
    std::vector<std::string> notes;
    std::string refusal;
    Reason reason = Reason::None;
    bool aboutOutput = false;
};

// Writes the picked block to the request's output; a refusal leaves the output as it was.
BackOutcome convertBack(const BackRequest& request);

// What --info tells of a file Tessera wrote: its kind, the blocks of C text (with -n, that
// one), the indices of a .gpg or the bytes of samples of a .sef.
struct ConvertedContents {
    ConvertedKind kind = ConvertedKind::CText;
    std::vector<ConvertedBlock> blocks;
    std::int64_t length = 0;
    std::string refusal;  // why the file cannot be read back, else empty
    Reason reason = Reason::None;
};

// The contents of `path`, or nothing when it is no file Tessera wrote (a picture or a sound,
// which its load describes).
std::optional<ConvertedContents> convertedContents(const std::string& path,
                                                   const std::string& name);

// A block in a few words: "picture, 32 x 20, 8 bits, palette of 16 colours", "sound, 8 bits,
// Mono, 22kHz, 4000 samples".
std::string blockDescription(const ConvertedBlock& block);

// A private folder for the files a load converts back, made at its first use and removed with
// the window.
class BackFolder {
  public:
    BackFolder() = default;
    BackFolder(const BackFolder&) = delete;
    BackFolder& operator=(const BackFolder&) = delete;
    ~BackFolder();
    std::string fileNamed(const std::string& name);  // throws TesseraError

  private:
    std::string path_;
};

// Where the padding of a block's columns lies: below a RAW picture's bottom row, above a
// bitmap's or a PNG's top row.
gp32::PaddingSide paddingSideOf(const ConvertedBlock& block);

}  // namespace tessera
