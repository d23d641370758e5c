#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tessera {

// Where the block of C text that defines an array lies in a text file Tessera wrote into, so it
// can be replaced in place. Only a block laid out exactly as Tessera writes it (one file, C R LF
// line ends, any alignment) is ever found: a name defined by text of another origin, or by a
// block edited by hand, is `Unmatched`, with the first line that could not be read as ours.
struct BlockSearch {
    enum class Result { None, Found, Unmatched };
    Result result = Result::None;
    std::size_t begin = 0;  // Found: the block's bytes, from its comment block to its last line end
    std::size_t end = 0;
    bool includesGraphics = false;  // Found: the block includes the graphics header
    int line = 0;                   // Unmatched: 1-based line number
};

BlockSearch findBlock(std::string_view text, const std::string& name);

}  // namespace tessera
