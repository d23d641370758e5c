// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "formats/text/CTextScan.h"

namespace tessera {

// Where the block of C text for an array name lies in a text file Tessera wrote into, so it can
// be replaced in place, and what else in the file would meet the names the block defines: the
// macros NAME_width, NAME_height, NAME_palnb and NAME_length and the arrays NAME and NAME_Pal.
//
// A block is found only when every line is what Tessera writes for the values the block holds
// (one file, C R LF line ends, any alignment): its comment agrees with its #define lines, its
// arrays have the counts those give, every literal is written as Tessera writes it, the colours of
// a picture share one intensity bit and its indices lie within its palette. A name defined by
// text of another origin, or by a block edited where that shows, is `Unmatched`, with the first
// line that could not be read as ours. Names met anywhere else in the file are `Collision` (a
// macro where the block has an array of that name, or the other way round) or `Twice` (a second
// definition beside the block): replacing one would leave the other.
struct BlockSearch {
    enum class Result { None, Found, Unmatched, Collision, Twice };
    Result result = Result::None;
    std::int64_t begin =
        0;  // Found: the block's bytes, from its comment block to its last line end
    std::int64_t end = 0;
    int firstLine = 0;              // Found: the line the block starts on
    bool includesGraphics = false;  // Found: the block includes the graphics header
    // An include of the graphics header comes before the block (None: anywhere in the file).
    bool includeBefore = false;
    // Found: a palette after the block counts on the block's own include of the graphics header.
    bool includeNeededAfter = false;
    int line = 0;  // Unmatched: the first line not ours; Collision, Twice: the other definition's
    std::string other;          // Collision, Twice: the name defined there
    bool otherIsMacro = false;  // Collision, Twice: by a #define, not an array
};

BlockSearch findBlock(const TextSource& text, const std::string& name);
inline BlockSearch findBlock(std::string_view text, const std::string& name) {
    return findBlock(StringSource(text), name);
}

}  // namespace tessera
