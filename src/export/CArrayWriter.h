#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "app/TextStream.h"

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
// kMaxLiteral characters) and returns its length. `progress(i)` runs after every `progressEvery`
// elements (a multiple of 16; 0 for never) with the 1-based count written so far.
inline constexpr std::size_t kMaxLiteral = 16;
inline constexpr int kLiteralsPerLine = 16;
inline constexpr const char* kIndent = "      ";

template <typename Element, typename Progress>
void writeCArrayBody(TextStream& out, std::int64_t count, Element&& element,
                     std::int64_t progressEvery, Progress&& progress) {
    // One line is gathered in a local buffer and handed over whole.
    char line[kLiteralsPerLine * (kMaxLiteral + 2) + 16];
    std::size_t used = 0;
    auto put = [&](const char* text, std::size_t n) {
        for (std::size_t k = 0; k < n; ++k)
            line[used++] = text[k];
    };
    put(kIndent, 6);
    for (std::int64_t i = 1; i <= count; ++i) {
        used += element(i - 1, line + used);
        if (i != count)
            put(", ", 2);
        if (i % kLiteralsPerLine == 0) {
            put("\r\n", 2);
            out.writeAscii(std::string_view(line, used));
            used = 0;
            put(kIndent, 6);
            if (progressEvery > 0 && i % progressEvery == 0)
                progress(i);
        }
    }
    put("\r\n};\r\n", 6);
    out.writeAscii(std::string_view(line, used));
}

// "0x" and the value in upper-case hexadecimal without leading zeros; returns the length.
inline std::size_t putHexLiteral(char* out, std::uint32_t value) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    out[0] = '0';
    out[1] = 'x';
    int digits = 1;
    while (digits < 8 && (value >> (4 * digits)) != 0)
        ++digits;
    for (int d = 0; d < digits; ++d) {
        out[1 + digits - d] = kDigits[(value >> (4 * d)) & 0xF];
    }
    return static_cast<std::size_t>(2 + digits);
}

}  // namespace tessera
