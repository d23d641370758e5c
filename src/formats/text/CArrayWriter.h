// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
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

// Every literal is "0x" and at most four upper-case hexadecimal digits: with its separator ", "
// it fills at most one 8-byte word, which is how it is stored.
inline constexpr std::size_t kElementBytes = 8;

// Two hexadecimal digits for every byte value, the first in the low byte.
inline constexpr auto kHexPairs = [] {
    std::array<std::uint16_t, 256> pairs{};
    for (std::size_t v = 0; v < 256; ++v)
        pairs[v] = static_cast<std::uint16_t>(kHexDigits[v >> 4] | kHexDigits[v & 0xF] << 8);
    return pairs;
}();

// A literal with its separator as one little-endian word (the bytes past the separator are
// scratch) and its length up to the separator's end: "0x", `value` (at most 0xFFFF) in
// upper-case hexadecimal with at least `minDigits` digits and no other leading zeros, then ", ".
// The four digits come from two look-ups and the leading zeros are shifted out, with no branch
// per digit.
struct HexElement {
    std::uint64_t word = 0;
    std::size_t length = 0;
};
constexpr HexElement hexElement(std::uint32_t value, int minDigits) {
    const int digits = std::max(minDigits, static_cast<int>(std::bit_width(value | 1u) + 3) / 4);
    const std::uint64_t text =
        (kHexPairs[(value >> 8) & 0xFF] | std::uint64_t{kHexPairs[value & 0xFF]} << 16) >>
        (8 * (4 - digits));
    return {std::uint64_t{'0'} | std::uint64_t{'x'} << 8 | text << 16 |
                std::uint64_t{','} << (16 + 8 * digits) | std::uint64_t{' '} << (24 + 8 * digits),
            static_cast<std::size_t>(digits) + 4};
}

// Stores an element as one 8-byte store and returns its length.
inline std::size_t putElement(char* out, const HexElement& element) {
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(out, &element.word, kElementBytes);
    } else {
        for (std::size_t b = 0; b < kElementBytes; ++b)
            out[b] = static_cast<char>(element.word >> (8 * b));
    }
    return element.length;
}

inline std::size_t putHexElement(char* out, std::uint32_t value, int minDigits) {
    return putElement(out, hexElement(value, minDigits));
}

// Every byte's literal, ready made: arrays of bytes (palette indices, 8-bit sounds) take one
// look-up per literal.
inline constexpr auto kByteElements = [] {
    std::array<HexElement, 256> elements{};
    for (std::uint32_t v = 0; v < 256; ++v)
        elements[v] = hexElement(v, 1);
    return elements;
}();

inline std::size_t putByteElement(char* out, std::uint8_t value) {
    return putElement(out, kByteElements[value]);
}

// Every 16-bit value's literal (digits as few as the value needs), ready made: arrays of colours
// take one look-up per literal, not the work of finding its digits.
extern const std::array<std::uint64_t, 1 << 16> kWordElements;
inline constexpr std::int64_t kWordTableFrom = 1 << 16;  // literals in an array that uses it

inline std::size_t putWordElement(char* out, std::uint16_t value) {
    const auto digits = static_cast<std::size_t>(std::bit_width(value | 1u) + 3) / 4;
    return putElement(out, {kWordElements[value], digits + 4});
}

// The most text a line of literals takes, with its line end and the next line's indent.
inline constexpr std::size_t kLineBytes = gp32::kLiteralsPerLine * kElementBytes + 8;

// Writes the text of elements [begin, end) of an array of `count` into `text` and returns its
// length; `begin` is a multiple of 16. `element(i, out)` stores element i as putHexElement does.
// `text` holds kLineBytes for every line started.
template <typename Element>
std::size_t formatLines(std::int64_t begin, std::int64_t end, std::int64_t count, Element&& element,
                        char* text) {
    constexpr std::int64_t perLine = gp32::kLiteralsPerLine;
    char* p = text;
    for (std::int64_t i = begin; i < end;) {
        const std::int64_t lineEnd = std::min(i + perLine, end);
        for (; i < lineEnd; ++i)
            p += element(i, p);
        if (i == count)
            p -= 2;  // the last literal has no separator
        if (i % perLine == 0) {
            std::memcpy(p, "\r\n      ", 8);
            p += 8;
        }
    }
    return static_cast<std::size_t>(p - text);
}

// How a body is made, a chunk of elements at a time. `load(begin, end, slot)` runs on the
// calling thread in order (for inputs read front to back) and may be empty; `format(begin, end,
// slot, text)` runs on any thread and returns formatLines' length.
struct CArrayChunks {
    std::function<void(std::int64_t begin, std::int64_t end, int slot)> load;
    std::function<std::size_t(std::int64_t begin, std::int64_t end, int slot, char* text)> format;
};

// Elements per chunk: enough work to share out, little enough text to keep a few in memory, and
// each chunk's text (about 280 KB) one write: the file system's cost per write (time stamps,
// journal) made a quarter of a large sound's time with chunks a quarter of this size.
inline constexpr std::int64_t kChunkElements = 32768;

// The chunks a body of `count` elements is cut into.
constexpr std::int64_t chunksOf(std::int64_t count) {
    return (count + kChunkElements - 1) / kChunkElements;
}

// Writes the body of `count` elements, from the line after the opening line to "};". The
// chunks are formatted on the machine's cores and written in order. `progress(i, count)` runs on
// the calling thread once a chunk is written, with i the last multiple of `progressEvery` (0 for
// never) the chunk reaches; a chunk that reaches none reports nothing.
void writeCArrayBody(TextStream& out, std::int64_t count, const CArrayChunks& chunks,
                     std::int64_t progressEvery, const Progress& progress);

// A whole array of numbers: its opening line, then the body with one hexadecimal literal per
// value.
template <typename T>
void writeHexArray(const TextOutput& out, const std::string& type, const std::string& name,
                   std::span<const T> values, std::int64_t progressEvery,
                   const Progress& progress) {
    static_assert(sizeof(T) <= 2, "a literal holds at most four digits");
    const auto count = static_cast<std::int64_t>(values.size());
    writeArrayOpening(out, type, name, count);
    const auto format = [values, count](std::int64_t begin, std::int64_t end, int, char* text) {
        const T* v = values.data();
        if constexpr (sizeof(T) == 1) {
            return formatLines(
                begin, end, count, [v](std::int64_t i, char* o) { return putByteElement(o, v[i]); },
                text);
        }
        // A small array (a tile) works its digits out rather than touch a page of the table for
        // each of its literals.
        if (count < kWordTableFrom) {
            return formatLines(
                begin, end, count,
                [v](std::int64_t i, char* o) { return putHexElement(o, v[i], 1); }, text);
        }
        return formatLines(
            begin, end, count, [v](std::int64_t i, char* o) { return putWordElement(o, v[i]); },
            text);
    };
    writeCArrayBody(out.data, count, {.format = format}, progressEvery, progress);
}

}  // namespace tessera
