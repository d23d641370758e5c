#include "formats/text/BlockFinder.h"

#include <optional>
#include <span>
#include <vector>

#include "formats/Gp32.h"
#include "formats/text/CIdentifier.h"
#include "formats/text/CommentBlock.h"

namespace tessera {

namespace {

// The types of the arrays a block holds: its pixels or samples, and a picture's palette.
constexpr std::string_view kPixelTypes[] = {gp32::kByteArrayType, gp32::kWordArrayType};
constexpr std::string_view kPaletteTypes[] = {gp32::kPaletteType};
// A line starting as both pixel types do is taken for the pixel array, so a mistyped one is no
// match rather than text after the block.
constexpr std::string_view kPixelTypesStart = "const unsigned";
static_assert(kPixelTypes[0].starts_with(kPixelTypesStart) &&
              kPixelTypes[1].starts_with(kPixelTypesStart));

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

// A line that defines `name`: one of its #define lines, or an array called `name` or
// `name_Pal` (the name followed by "[").
bool definesName(std::string_view line, const std::string& name) {
    if (line.starts_with("//"))
        return false;
    std::string_view rest = line;
    if (takePrefix(rest, "#define ") && takePrefix(rest, name)) {
        for (const char* suffix :
             {gp32::kWidthSuffix, gp32::kHeightSuffix, gp32::kPalnbSuffix, gp32::kLengthSuffix}) {
            const std::string_view word(suffix, std::string_view(suffix).find(' '));
            if (rest.starts_with(word) &&
                (rest.size() == word.size() || !isCIdentifierChar(rest[word.size()])))
                return true;
        }
    }
    for (std::size_t at = line.find(name); at != std::string_view::npos;
         at = line.find(name, at + 1)) {
        if (at > 0 && isCIdentifierChar(line[at - 1]))
            continue;
        std::string_view after = line.substr(at + name.size());
        takePrefix(after, gp32::kPaletteSuffix);
        while (after.starts_with(' '))
            after.remove_prefix(1);
        if (after.starts_with('['))
            return true;
    }
    return false;
}

// The text's lines as Tessera writes them, each ended by C R LF; a line without its C R does not
// match anything.
class Lines {
  public:
    explicit Lines(std::string_view text) {
        for (std::size_t pos = 0; pos < text.size();) {
            const std::size_t lf = text.find('\n', pos);
            const std::size_t end = lf == std::string_view::npos ? text.size() : lf + 1;
            starts_.push_back(pos);
            std::string_view line = text.substr(pos, end - pos);
            const bool crlf = line.ends_with("\r\n");
            line.remove_suffix(crlf ? 2 : line.ends_with('\n') ? 1 : 0);
            lines_.push_back(line);
            crlf_.push_back(crlf);
            pos = end;
        }
        starts_.push_back(text.size());
    }
    std::size_t size() const { return lines_.size(); }
    std::string_view operator[](std::size_t i) const { return lines_[i]; }
    bool complete(std::size_t i) const { return i < lines_.size() && crlf_[i]; }
    std::size_t start(std::size_t i) const { return starts_[i]; }

  private:
    std::vector<std::string_view> lines_;
    std::vector<bool> crlf_;
    std::vector<std::size_t> starts_;
};

// Walks one block line by line; `at` stops on the first line that does not match.
class BlockReader {
  public:
    BlockReader(const Lines& lines, std::size_t at, const std::string& name)
        : lines_(lines), at_(at), name_(name) {}
    std::size_t at() const { return at_; }
    bool includesGraphics = false;

    bool block() {
        if (!commentBlock())
            return false;
        if (const auto length = define(gp32::kLengthSuffix))
            return blank() && array(kPixelTypes, name_, length);
        if (!define(gp32::kWidthSuffix) || !define(gp32::kHeightSuffix) || !blank())
            return false;
        bool any = false;
        if (const auto colours = define(gp32::kPalnbSuffix)) {
            if (!blank())
                return false;
            includesGraphics = exact(gp32::kGraphicsInclude);
            if (!blank() || !array(kPaletteTypes, name_ + gp32::kPaletteSuffix, colours) ||
                !blank() || !blank())
                return false;
            any = true;
        }
        if (next() && (*next()).starts_with(kPixelTypesStart))
            return array(kPixelTypes, name_, std::nullopt);
        return any;
    }

  private:
    std::optional<std::string_view> next() const {
        if (!lines_.complete(at_))
            return std::nullopt;
        return lines_[at_];
    }
    bool accept(bool matches) {
        at_ += matches ? 1 : 0;
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
        for (int i = 0; i < 3; ++i)
            if (!startsWith("// "))
                return false;
        return exact("//") && exact(kCommentCredits) &&
               exact(std::string("//    ") + kProjectPage) &&
               exact(std::string("//    ") + kProjectContact) && exact("//") &&
               exact(kCommentFrame) && blank();
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
        ++at_;
        return value;
    }

    bool array(std::span<const std::string_view> types, const std::string& arrayName,
               std::optional<std::int64_t> expected) {
        if (!next())
            return false;
        std::string_view text = *next();
        bool typed = false;
        for (const auto type : types)
            typed = typed || (takePrefix(text, type) && takePrefix(text, " "));
        if (!typed || !takePrefix(text, arrayName) || !takePrefix(text, "["))
            return false;
        const auto count = takeNumber(text);
        if (!count || (expected && *count != *expected) || !takePrefix(text, "]"))
            return false;
        if (takePrefix(text, " __attribute__((aligned(")) {
            if (!takeNumber(text) || !takePrefix(text, ")))"))
                return false;
        }
        if (!accept(text == " = {"))
            return false;
        // The array's last literal has no separator after it, even at the end of a full line.
        const std::int64_t fullLines = *count / gp32::kLiteralsPerLine;
        const std::int64_t lastLine = *count % gp32::kLiteralsPerLine;
        for (std::int64_t i = 0; i < fullLines; ++i)
            if (!bodyLine(gp32::kLiteralsPerLine, i + 1 < fullLines || lastLine != 0))
                return false;
        return bodyLine(lastLine, false) && exact("};");
    }

    // Six blanks, then `literals` hexadecimal literals separated by ", " (and one more after the
    // last on a full line).
    bool bodyLine(std::int64_t literals, bool separatorAfterLast) {
        if (!next())
            return false;
        std::string_view rest = *next();
        if (!takePrefix(rest, gp32::kIndent))
            return false;
        for (std::int64_t i = 0; i < literals; ++i) {
            std::size_t digits = 0;
            if (!takePrefix(rest, "0x"))
                return false;
            while (digits < rest.size() && digits < 5 &&
                   ((rest[digits] >= '0' && rest[digits] <= '9') ||
                    (rest[digits] >= 'A' && rest[digits] <= 'F')))
                ++digits;
            if (digits == 0 || digits > 4)
                return false;
            rest.remove_prefix(digits);
            if ((i + 1 < literals || separatorAfterLast) && !takePrefix(rest, ", "))
                return false;
        }
        return accept(rest.empty());
    }

    const Lines& lines_;
    std::size_t at_;
    const std::string& name_;
};

}  // namespace

BlockSearch findBlock(std::string_view text, const std::string& name) {
    const Lines lines(text);
    std::size_t defining = 0;
    while (defining < lines.size() && !definesName(lines[defining], name))
        ++defining;
    if (defining == lines.size())
        return {};
    // The comment block that opens the block: its frame is followed by "//", the closing one
    // by an empty line.
    std::size_t start = defining + 1;
    while (start-- > 0) {
        if (lines[start] == kCommentFrame && start + 1 < lines.size() && lines[start + 1] == "//")
            break;
    }
    const int definingLine = static_cast<int>(defining) + 1;
    if (start > defining)  // wrapped: no comment block before the name
        return {.result = BlockSearch::Result::Unmatched, .line = definingLine};
    BlockReader reader(lines, start, name);
    if (!reader.block())
        return {.result = BlockSearch::Result::Unmatched,
                .line = static_cast<int>(reader.at()) + 1};
    if (reader.at() <= defining)
        return {.result = BlockSearch::Result::Unmatched, .line = definingLine};
    return {.result = BlockSearch::Result::Found,
            .begin = lines.start(start),
            .end = lines.start(reader.at()),
            .includesGraphics = reader.includesGraphics};
}

}  // namespace tessera
