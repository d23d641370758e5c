// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "../../platform/TextStream.h"

namespace tessera {

// What a block of C text may add to the window's layout; the defaults write the window's bytes.
struct TextOptions {
    // Every array gets __attribute__((aligned(align))) when not 0 (a power of two), so the GP32
    // can copy it by words or by DMA.
    int align = 0;
};
inline constexpr int kMaxAlign = 4096;
bool isValidAlign(long value);

// Where a block of C text goes. One file (header == nullptr) holds it all, as the window writes
// it. With a header, the header gets the comment block, the #define lines and an extern
// declaration of every array, the data file the arrays themselves, so any number of C files can
// include the header and the program still links.
struct TextOutput {
    TextStream& data;
    TextStream* header = nullptr;
    TextOptions options;

    TextStream& heading() const { return header ? *header : data; }
};

// Writes "TYPE NAME[COUNT] = {" to the data file (and the extern declaration to the header);
// the body of literals follows in the data file.
void writeArrayOpening(const TextOutput& out, const std::string& type, const std::string& name,
                       std::int64_t count);

// The lines that open and close a header written beside its data file, and the one line that
// opens the data file. The guard is made from the header's file name: "my-data.h" guards with
// MY_DATA_H.
std::string headerGuard(const std::string& headerFileName);
void writeHeaderOpening(TextStream& header, const std::string& headerFileName);
void writeHeaderClosing(TextStream& header, const std::string& headerFileName);
void writeDataOpening(TextStream& data, const std::string& headerFileName);
// The first character of a header's file name that `#include "..."` cannot hold, if any.
std::optional<char> unincludableCharacter(std::string_view headerFileName);

}  // namespace tessera
