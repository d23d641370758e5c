#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>

#include "formats/Gp32.h"
#include "formats/Progress.h"
#include "formats/text/HexDigits.h"
#include "formats/text/TextOutput.h"
#include "platform/TextStream.h"

namespace tessera {

// The one layout of every array the tool writes, picture or sound:
//
//       0x1, 0x2, ... 16 literals a line, each but the last followed by ", "
//       0x11
//   };
//
// The line after the opening line starts with six blanks; after every 16th literal the line ends
// and the next six blanks follow at once, so a count that is a multiple of 16 (or 0) leaves a
// line of six blanks alone before "};". The caller writes the opening line.
//
// `element(index, out)` writes the literal of the 0-based element into `out` (at most
// kMaxLiteral characters) and returns its length. `progress(i, count)` runs after every
// `progressEvery` elements (a multiple of 16; 0 for never) with the count written so far.
inline constexpr std::size_t kMaxLiteral = 16;

template <typename Element>
void writeCArrayBody(TextStream& out, std::int64_t count, Element&& element,
                     std::int64_t progressEvery, const Progress& progress) {
    using gp32::kIndent;
    using gp32::kLiteralsPerLine;
    // Lines are gathered in a local buffer and handed over a few dozen at a time: a picture has
    // a million lines, and the loops below are the whole cost of a header.
    constexpr std::size_t kLineMax = kLiteralsPerLine * (kMaxLiteral + 2) + 16;
    constexpr std::size_t kBufferSize = 64 * kLineMax;
    char buffer[kBufferSize];
    std::size_t used = 0;
    auto put = [&](const char* text, std::size_t n) {
        std::memcpy(buffer + used, text, n);
        used += n;
    };
    put(kIndent, 6);
    std::int64_t i = 0;
    while (i < count) {
        const std::int64_t lineEnd = std::min<std::int64_t>(i + kLiteralsPerLine, count);
        for (; i < lineEnd; ++i) {
            used += element(i, buffer + used);
            buffer[used] = ',';
            buffer[used + 1] = ' ';
            used += 2;
        }
        if (i == count)
            used -= 2;  // the last literal has no separator
        if (i % kLiteralsPerLine == 0) {
            put("\r\n", 2);
            put(kIndent, 6);
            if (used + kLineMax > kBufferSize) {
                out.writeAscii(std::string_view(buffer, used));
                used = 0;
            }
            if (progressEvery > 0 && i % progressEvery == 0)
                progress(i, count);
        }
    }
    put("\r\n};\r\n", 6);
    out.writeAscii(std::string_view(buffer, used));
}

// "0x" and the value in upper-case hexadecimal without leading zeros; returns the length.
inline std::size_t putHexLiteral(char* out, std::uint32_t value) {
    // Two digits at a time: a 16-bit colour costs two look-ups instead of a loop per digit.
    static constexpr auto kPairs = [] {
        std::array<char, 512> pairs{};
        for (int v = 0; v < 256; ++v) {
            pairs[static_cast<std::size_t>(2 * v)] = kHexDigits[v >> 4];
            pairs[static_cast<std::size_t>(2 * v + 1)] = kHexDigits[v & 0xF];
        }
        return pairs;
    }();
    const int digits = value == 0 ? 1 : (std::bit_width(value) + 3) / 4;
    out[0] = '0';
    out[1] = 'x';
    char* p = out + 2 + digits;
    while (value >= 0x100) {
        p -= 2;
        std::memcpy(p, kPairs.data() + 2 * (value & 0xFF), 2);
        value >>= 8;
    }
    if (value >= 0x10) {
        std::memcpy(p - 2, kPairs.data() + 2 * value, 2);
    } else {
        p[-1] = kHexDigits[value];
    }
    return static_cast<std::size_t>(2 + digits);
}

// A whole array of numbers: its opening line, then the body with one hexadecimal literal per
// value.
template <typename T>
void writeHexArray(const TextOutput& out, const std::string& type, const std::string& name,
                   std::span<const T> values, std::int64_t progressEvery,
                   const Progress& progress) {
    const auto count = static_cast<std::int64_t>(values.size());
    writeArrayOpening(out, type, name, count);
    writeCArrayBody(
        out.data, count, [values](std::int64_t i, char* o) { return putHexLiteral(o, values[i]); },
        progressEvery, progress);
}

}  // namespace tessera
