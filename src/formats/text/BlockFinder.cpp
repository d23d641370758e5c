// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/text/BlockFinder.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <optional>
#include <vector>

#include "formats/Gp32.h"
#include "formats/text/CommentBlock.h"
#include "formats/text/LineCursor.h"

namespace tessera {

namespace {

// How far before its first #define a block's comment block is looked for.
constexpr std::int64_t kCommentReach = 1 << 16;

// A line starting as both pixel types do is taken for the pixel array, so a mistyped one is no
// match rather than text after the block.
constexpr std::string_view kPixelTypesStart = "const unsigned";
static_assert(std::string_view(gp32::kByteArrayType).starts_with(kPixelTypesStart) &&
              std::string_view(gp32::kWordArrayType).starts_with(kPixelTypesStart));

// The macro's suffix without the blanks that align its value: "_width".
std::string suffixWord(std::string_view suffix) {
    return std::string(suffix.substr(0, suffix.find(' ')));
}

// "// GP32 Mode = 8 Bits per Pixel".
std::string modeLine(int bits) {
    return kModeLabel + std::to_string(bits) + kModeUnit;
}

// Reads `digits` at the front of `text` as a count; nullopt when there are none.
std::optional<std::int64_t> takeNumber(std::string_view& text) {
    std::size_t n = 0;
    std::int64_t value = 0;
    while (n < text.size() && n < 12 && text[n] >= '0' && text[n] <= '9')
        value = value * 10 + (text[n++] - '0');
    if (n == 0)
        return std::nullopt;
    text.remove_prefix(n);
    return value;
}

bool takePrefix(std::string_view& text, std::string_view prefix) {
    if (!text.starts_with(prefix))
        return false;
    text.remove_prefix(prefix.size());
    return true;
}

// The kinds of literal Tessera writes, each in its own way.
enum class Literal {
    Colour,    // up to 4 digits, no leading zero; one intensity bit for every colour of a block
    Index,     // up to 2 digits, no leading zero, within the palette
    Sample8,   // up to 2 digits, no leading zero
    Sample16,  // the high byte without leading zero, then the low byte in 2 digits
};

int hexValue(char c) {
    return c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
}

// Walks one block line by line, checking each against what Tessera writes for the values the
// block holds; on a mismatch `failedLine` is the first line found wrong.
class BlockReader {
  public:
    BlockReader(LineCursor& lines, const std::string& name) : lines_(lines), name_(name) {}
    bool includesGraphics = false;
    int failedLine = 0;

    bool block() {
        const bool read = commentBlock() && body();
        if (!read && failedLine == 0)
            failedLine = lines_.line();
        return read;
    }

  private:
    bool fail(int line) {
        failedLine = line;
        return false;
    }
    std::optional<std::string_view> next() { return lines_.current(); }
    bool accept(bool matches) {
        if (matches)
            lines_.advance();
        return matches;
    }
    bool exact(std::string_view line) { return accept(next() == line); }
    bool blank() { return exact(""); }
    bool startsWith(std::string_view prefix) {
        return accept(next() && (*next()).starts_with(prefix));
    }

    bool commentBlock() {
        if (!exact(kCommentFrame) || !exact("//") || !exact(kCommentTitle) || !exact("//"))
            return false;
        if (!accept(next() && (*next()).starts_with(kCommentSource) &&
                    (*next()).ends_with(kCommentSourceEnd)))
            return false;
        describedAt_ = lines_.line();
        for (std::string& line : described_) {
            if (!next())
                return false;
            line = *next();
            lines_.advance();
        }
        return exact("//") && exact(kCommentCredits) &&
               exact(std::string("//    ") + kProjectPage) &&
               exact(std::string("//    ") + kProjectContact) && exact("//") &&
               exact(kCommentFrame) && blank();
    }
    // Description line `k` (0 to 2) is `expected`.
    bool described(int k, const std::string& expected) {
        return described_[k] == expected || fail(describedAt_ + k);
    }

    bool body() {
        if (const auto length = define(gp32::kLengthSuffix))
            return blank() && sound(*length);
        const auto width = define(gp32::kWidthSuffix);
        const auto height = define(gp32::kHeightSuffix);
        if (!width || !height || *width > INT32_MAX || *height > INT32_MAX || !blank())
            return false;
        if (!described(0, kWidthLabel + std::to_string(*width)) ||
            !described(1, kHeightLabel + std::to_string(*height)))
            return false;
        const auto colours = define(gp32::kPalnbSuffix);
        if (colours) {
            if (!blank())
                return false;
            includesGraphics = exact(gp32::kGraphicsInclude);
            if (!blank() ||
                !opening({gp32::kPaletteType}, name_ + gp32::kPaletteSuffix, *colours) ||
                !elements(*colours, Literal::Colour) || !blank() || !blank())
                return false;
        }
        if (!next() || !(*next()).starts_with(kPixelTypesStart))
            return colours && described(2, modeLine(8));
        const std::int64_t count = *width * gp32::ScreenOrder{*width, *height}.columnLength();
        const int type = colours
                             ? opening({gp32::kByteArrayType}, name_, count)
                             : opening({gp32::kByteArrayType, gp32::kWordArrayType}, name_, count);
        if (type == 0)
            return false;
        indexLimit_ = colours ? *colours : 256;
        return described(2, modeLine(type == 1 ? 8 : 16)) &&
               elements(count, type == 1 ? Literal::Index : Literal::Colour);
    }

    bool sound(std::int64_t length) {
        std::string_view rate = described_[0];
        if (!takePrefix(rate, kFreqLabel) || !takeNumber(rate) || rate != kFreqUnit)
            return fail(describedAt_);
        if (described_[1] != std::string(kSoundModeLabel) + "Mono" &&
            !described(1, std::string(kSoundModeLabel) + "Stereo"))
            return false;
        const int type = opening({gp32::kByteArrayType, gp32::kWordArrayType}, name_, length);
        return type != 0 &&
               described(2, kDataLabel + std::to_string(type == 1 ? 8 : 16) + kDataUnit) &&
               elements(length, type == 1 ? Literal::Sample8 : Literal::Sample16);
    }

    // "#define NAME_suffixVALUE": the value, or nothing (and no line taken).
    std::optional<std::int64_t> define(const char* suffix) {
        if (!next())
            return std::nullopt;
        std::string_view rest = *next();
        if (!takePrefix(rest, "#define ") || !takePrefix(rest, name_) || !takePrefix(rest, suffix))
            return std::nullopt;
        const auto value = takeNumber(rest);
        if (!value || !rest.empty())
            return std::nullopt;
        lines_.advance();
        return value;
    }

    // "TYPE NAME[COUNT] = {", aligned or not: which of `types` it is (from 1), 0 when none.
    int opening(std::initializer_list<std::string_view> types, const std::string& arrayName,
                std::int64_t count) {
        if (!next())
            return 0;
        std::string_view text = *next();
        int type = 0, matched = 0;
        for (const auto t : types) {
            ++type;
            std::string_view rest = text;
            if (matched == 0 && takePrefix(rest, t) && takePrefix(rest, " ")) {
                matched = type;
                text = rest;
            }
        }
        if (matched == 0 || !takePrefix(text, arrayName) || !takePrefix(text, "[") ||
            takeNumber(text) != count || !takePrefix(text, "]"))
            return 0;
        if (takePrefix(text, " __attribute__((aligned(")) {
            if (!takeNumber(text) || !takePrefix(text, ")))"))
                return 0;
        }
        return accept(text == " = {") ? matched : 0;
    }

    // The array's `count` literals, 16 a line, then "};". The last literal has no separator
    // after it, even at the end of a full line.
    bool elements(std::int64_t count, Literal kind) {
        const std::int64_t fullLines = count / gp32::kLiteralsPerLine;
        const std::int64_t lastLine = count % gp32::kLiteralsPerLine;
        for (std::int64_t i = 0; i < fullLines; ++i)
            if (!elementLine(gp32::kLiteralsPerLine, i + 1 < fullLines || lastLine != 0, kind))
                return false;
        return elementLine(lastLine, false, kind) && exact("};");
    }

    // Six blanks, then `literals` literals separated by ", " (and one more after the last on a
    // full line).
    bool elementLine(std::int64_t literals, bool separatorAfterLast, Literal kind) {
        if (!next())
            return false;
        std::string_view rest = *next();
        if (!takePrefix(rest, gp32::kIndent))
            return false;
        for (std::int64_t i = 0; i < literals; ++i) {
            if (!literal(rest, kind))
                return false;
            if ((i + 1 < literals || separatorAfterLast) && !takePrefix(rest, ", "))
                return false;
        }
        return accept(rest.empty());
    }

    bool literal(std::string_view& rest, Literal kind) {
        if (!takePrefix(rest, "0x"))
            return false;
        std::size_t digits = 0;
        int value = 0;
        while (digits < rest.size() && digits < 5 && hexValue(rest[digits]) >= 0)
            value = value * 16 + hexValue(rest[digits++]);
        const bool leadingZero = digits > 1 && rest[0] == '0';
        rest.remove_prefix(digits);
        switch (kind) {
            case Literal::Colour:
                if (digits < 1 || digits > 4 || leadingZero)
                    return false;
                if (!fillBit_)
                    fillBit_ = value & 1;
                return (value & 1) == *fillBit_;
            case Literal::Index:
                return digits >= 1 && digits <= 2 && !leadingZero && value < indexLimit_;
            case Literal::Sample8:
                return digits >= 1 && digits <= 2 && !leadingZero;
            case Literal::Sample16:
                break;
        }
        return digits == 3 || (digits == 4 && !leadingZero);
    }

    LineCursor& lines_;
    const std::string& name_;
    std::string described_[3];  // the comment block's three description lines
    int describedAt_ = 0;
    std::optional<int> fillBit_;
    std::int64_t indexLimit_ = 256;
};

// The block whose first definition of `name` is `mark`: from the comment block before it (its
// frame followed by "//") to the end of its last array.
BlockSearch blockAt(const TextSource& text, const CTextMark& mark, const std::string& name) {
    const BlockSearch unmatched{.result = BlockSearch::Result::Unmatched, .line = mark.line};
    const std::int64_t from = std::max<std::int64_t>(0, mark.offset - kCommentReach);
    std::string before(static_cast<std::size_t>(mark.offset - from), '\0');
    text.read(from, before);
    // The last frame line starting a line and followed by "//", whatever its line ends (a
    // frame at the window's very start is too far to be the block's own).
    const auto opens = [&](std::size_t at) {
        std::string_view rest = std::string_view(before).substr(at + std::strlen(kCommentFrame));
        return (at == 0 ? from == 0 : before[at - 1] == '\n') &&
               (takePrefix(rest, "\r\n") || takePrefix(rest, "\n")) && takePrefix(rest, "//") &&
               (rest.starts_with("\r\n") || rest.starts_with('\n'));
    };
    std::size_t frame = before.rfind(kCommentFrame);
    while (frame != std::string::npos && !opens(frame))
        frame = frame == 0 ? std::string::npos : before.rfind(kCommentFrame, frame - 1);
    if (frame == std::string::npos)
        return unmatched;
    const int frameLine =
        mark.line -
        static_cast<int>(std::count(before.begin() + static_cast<long>(frame), before.end(), '\n'));
    const std::int64_t begin = from + static_cast<std::int64_t>(frame);
    LineCursor lines(text, begin, frameLine);
    BlockReader reader(lines, name);
    if (!reader.block())
        return {.result = BlockSearch::Result::Unmatched, .line = reader.failedLine};
    if (lines.offset() <= mark.offset)  // the block ends before the name: not its block
        return unmatched;
    return {.result = BlockSearch::Result::Found,
            .begin = begin,
            .end = lines.offset(),
            .firstLine = frameLine,
            .includesGraphics = reader.includesGraphics};
}

}  // namespace

BlockSearch findBlock(const TextSource& text, const std::string& name) {
    using Kind = CTextMark::Kind;
    const std::string macros[] = {
        name + suffixWord(gp32::kWidthSuffix), name + suffixWord(gp32::kHeightSuffix),
        name + suffixWord(gp32::kPalnbSuffix), name + suffixWord(gp32::kLengthSuffix)};
    const std::string arrays[] = {name, name + gp32::kPaletteSuffix};
    BlockSearch found;
    std::optional<std::int64_t> firstInclude, includeAfter, paletteAfter;
    scanCText(text, name.size() + suffixWord(gp32::kHeightSuffix).size(), [&](const CTextMark& m) {
        const bool block = found.result == BlockSearch::Result::Found;
        const bool after = block && m.offset >= found.end;
        if (m.kind == Kind::GraphicsInclude || m.kind == Kind::PaletteType) {
            auto& first = m.kind == Kind::PaletteType ? paletteAfter : includeAfter;
            if (after && !first)
                first = m.offset;
            if (m.kind == Kind::GraphicsInclude && !firstInclude)
                firstInclude = m.offset;
            return true;
        }
        const bool ourMacro = std::ranges::find(macros, m.name) != std::end(macros);
        const bool ourArray = std::ranges::find(arrays, m.name) != std::end(arrays);
        if ((!ourMacro && !ourArray) || (block && !after && m.offset >= found.begin))
            return true;  // not one of the names, or inside the block
        const bool isMacro = m.kind == Kind::Macro;
        if (block || isMacro != ourMacro) {
            found = {.result = block ? BlockSearch::Result::Twice : BlockSearch::Result::Collision,
                     .firstLine = found.firstLine,
                     .line = m.line,
                     .other = std::string(m.name),
                     .otherIsMacro = isMacro};
            return false;
        }
        found = blockAt(text, m, name);
        return found.result == BlockSearch::Result::Found;
    });
    if (found.result == BlockSearch::Result::None)
        found.includeBefore = firstInclude.has_value();
    if (found.result == BlockSearch::Result::Found) {
        found.includeBefore = firstInclude && *firstInclude < found.begin;
        found.includeNeededAfter = found.includesGraphics && !found.includeBefore && paletteAfter &&
                                   (!includeAfter || *paletteAfter < *includeAfter);
    }
    return found;
}

}  // namespace tessera
