// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "../../platform/Errors.h"

namespace tessera {

class InputFile;

// "Can't convert this file back :(" with `reason`: every refusal of a conversion back, about its
// input.
[[noreturn]] void refuseConverted(Reason code, const std::string& reason);

// What a block of C text, a .gpg or a .sef holds, read back. A picture block's elements are in
// screen order, as written; a sound's are the samples as the GP32 plays them (unsigned).
enum class BlockKind { Picture, PaletteOnly, Sound };

struct ConvertedBlock {
    std::string name;   // the array name; empty for a .gpg or a .sef
    std::string title;  // the converted file's name, from the comment block; empty when unknown
    int line = 0;       // 1-based line of the block's comment block in C text
    BlockKind kind = BlockKind::Picture;
    int bits = 8;            // 8 or 16: a picture's GP32 mode, a sound's sample depth
    std::int64_t width = 0;  // pictures
    std::int64_t height = 0;
    std::vector<std::uint16_t> palette;  // GP32 colours of NAME_Pal, empty without one
    std::int32_t rateKHz = 0;            // sounds: the comment block's rate, in whole kHz
    std::int32_t rate = 0;               // sounds: Hz (see rateOfKHz)
    int channels = 1;                    // sounds: 1 (Mono) or 2 (Stereo)
    std::int64_t dataLength = 0;         // sounds: the byte length the sound had when converted
    // The elements: `narrow` for 8-bit data, `wide` for 16-bit data.
    std::vector<std::uint8_t> narrow;
    std::vector<std::uint16_t> wide;

    std::int64_t count() const {
        return static_cast<std::int64_t>(bits == 8 ? narrow.size() : wide.size());
    }
};

// The rate a C text's "NkHz" stands for: the common rate in that kilohertz (22 gives 22050, 44
// gives 44100), else N x 1000.
std::int32_t rateOfKHz(std::int32_t kHz);

enum class ConvertedKind { CText, Gpg, Sef };

// What the file's first bytes say it is: the tag of a .gpg or a .sef, else C text.
ConvertedKind convertedKindOf(const InputFile& in);
// True when the file is a .gpg, a .sef, or text holding a comment block Tessera writes: what
// `--info` describes as a converted file.
bool looksConverted(const InputFile& in);

// Every block of a C text file, in the order of the file; with `onlyName`, just that one. A
// block that is not laid out as Tessera writes it, or whose values cannot have been written
// (an index of 0x100, a width that does not match its array), is refused naming its first line
// that is not as written. Throws TesseraError.
std::vector<ConvertedBlock> readCTextBlocks(const InputFile& in, std::string_view onlyName = {});

// A .gpg: its indices, which must be `width` x `height` padded columns. Throws TesseraError.
ConvertedBlock readGpg(const InputFile& in, std::int64_t width, std::int64_t height);

// A .sef: its samples, `bits` deep, as its length field says. Throws TesseraError.
ConvertedBlock readSef(const InputFile& in, int bits, int channels, std::int32_t rate);

}  // namespace tessera
