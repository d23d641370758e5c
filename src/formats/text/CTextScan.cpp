// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/text/CTextScan.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "formats/text/CIdentifier.h"

namespace tessera {

namespace {

constexpr std::int64_t kPiece = 1 << 16;
constexpr std::string_view kGraphicsHeader = "gpgraphic.h";
constexpr std::string_view kPaletteType = "GP_PALETTEENTRY";

// A byte at a time, so a piece may end anywhere: inside a name, a comment or a string.
class Scanner {
  public:
    Scanner(std::size_t longestName, const std::function<bool(const CTextMark&)>& mark)
        : cap_(std::max(longestName, kPaletteType.size())), mark_(mark) {}

    // False once `mark` asked to stop.
    bool feed(const char* bytes, std::int64_t n, std::int64_t base) {
        for (std::int64_t i = 0; i < n && going_; ++i) {
            if (!lineChecked_ && state_ == State::Code) {
                // A line of literals alone, most of a header Tessera wrote, holds nothing to
                // mark: it is passed over whole.
                lineChecked_ = true;
                const auto* lf = static_cast<const char*>(
                    std::memchr(bytes + i, '\n', static_cast<std::size_t>(n - i)));
                if (lf != nullptr && std::all_of(bytes + i, lf, literalsOnly)) {
                    i = lf - bytes;
                    newLine(base + i);
                    continue;
                }
            }
            take(bytes[i], base + i);
        }
        return going_;
    }

  private:
    enum class State {
        Code,
        Name,
        AfterName,
        Number,
        Slash,
        LineComment,
        BlockComment,
        BlockStar,
        String,
        Escape,
        HeaderName
    };
    // Where the line stands as a preprocessor directive.
    enum class Directive { LineStart, Hash, DefineName, IncludeName, None };

    void report(CTextMark::Kind kind, std::string_view name, std::int64_t offset) {
        going_ = mark_({.kind = kind, .name = name, .offset = offset, .line = line_});
    }
    // Digits, hexadecimal letters, separators and blanks: no name can be marked in them, as no
    // "[" or "#" follows.
    static bool literalsOnly(char c) {
        return isCDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f') || c == 'x' ||
               c == 'X' || c == ',' || c == ' ' || c == '\t' || c == '\r';
    }
    void newLine(std::int64_t at) {
        lineChecked_ = false;
        ++line_;
        lineStart_ = at + 1;
        directive_ = Directive::LineStart;
    }
    void token() {  // any token but '#' makes a line plain code
        if (directive_ == Directive::LineStart)
            directive_ = Directive::None;
    }
    void endName() {
        const bool fits = name_.size() <= cap_;
        if (directive_ == Directive::Hash) {
            directive_ = name_ == "define"    ? Directive::DefineName
                         : name_ == "include" ? Directive::IncludeName
                                              : Directive::None;
            return;
        }
        if (directive_ == Directive::DefineName) {
            directive_ = Directive::None;
            if (fits)
                report(CTextMark::Kind::Macro, name_, lineStart_);
            return;
        }
        token();
        if (name_ == kPaletteType)
            report(CTextMark::Kind::PaletteType, name_, nameAt_);
        state_ = fits ? State::AfterName : State::Code;
    }

    void take(char c, std::int64_t at) {
        switch (state_) {
            case State::Name:
                if (isCIdentifierChar(c)) {
                    if (name_.size() <= cap_)
                        name_.push_back(c);
                    return;
                }
                state_ = State::Code;
                endName();
                if (!going_)
                    return;
                if (state_ == State::AfterName)
                    break;
                code(c, at);
                return;
            case State::Number:
                if (isCIdentifierChar(c) || c == '.')
                    return;
                state_ = State::Code;
                code(c, at);
                return;
            case State::Slash:
                state_ = c == '/'   ? State::LineComment
                         : c == '*' ? State::BlockComment
                                    : State::Code;
                if (state_ == State::Code) {
                    token();
                    code(c, at);
                }
                return;
            case State::LineComment:
                if (c == '\n') {
                    newLine(at);
                    state_ = State::Code;
                }
                return;
            case State::BlockComment:
            case State::BlockStar:
                if (c == '/' && state_ == State::BlockStar) {
                    state_ = State::Code;
                    return;
                }
                state_ = c == '*' ? State::BlockStar : State::BlockComment;
                if (c == '\n')
                    newLine(at);
                return;
            case State::String:
            case State::Escape:
                if (c == '\n') {  // an unended string ends with its line
                    newLine(at);
                    state_ = State::Code;
                } else if (state_ == State::Escape) {
                    state_ = State::String;
                } else if (c == '\\') {
                    state_ = State::Escape;
                } else if (c == closer_) {
                    state_ = State::Code;
                }
                return;
            case State::HeaderName:
                if (c == closer_ || c == '\n') {
                    if (c == closer_ && header_ == kGraphicsHeader)
                        report(CTextMark::Kind::GraphicsInclude, header_, lineStart_);
                    state_ = State::Code;
                    directive_ = Directive::None;
                    if (c == '\n')
                        newLine(at);
                } else if (header_.size() <= kGraphicsHeader.size()) {
                    header_.push_back(c);
                }
                return;
            case State::AfterName:
            case State::Code:
                break;
        }
        if (state_ == State::AfterName) {
            if (c == ' ' || c == '\t')
                return;
            state_ = State::Code;
            if (c == '[')
                report(CTextMark::Kind::Array, name_, nameAt_);
            if (!going_)
                return;
        }
        code(c, at);
    }

    void code(char c, std::int64_t at) {
        if (c == '\n') {
            newLine(at);
        } else if (c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v') {
        } else if (isCIdentifierChar(c) && !isCDigit(c)) {
            name_.assign(1, c);
            nameAt_ = at;
            state_ = State::Name;
        } else if (isCDigit(c) || c == '.') {
            token();
            state_ = State::Number;
        } else if (c == '/') {
            state_ = State::Slash;
        } else if (directive_ == Directive::IncludeName && (c == '"' || c == '<')) {
            header_.clear();
            closer_ = c == '"' ? '"' : '>';
            state_ = State::HeaderName;
        } else if (c == '"' || c == '\'') {
            token();
            closer_ = c;
            state_ = State::String;
        } else if (c == '#' && directive_ == Directive::LineStart) {
            directive_ = Directive::Hash;
        } else {
            token();
            if (directive_ != Directive::LineStart)
                directive_ = Directive::None;
        }
    }

    const std::size_t cap_;
    const std::function<bool(const CTextMark&)>& mark_;
    bool going_ = true;
    bool lineChecked_ = false;  // this line was looked at for literals alone
    State state_ = State::Code;
    Directive directive_ = Directive::LineStart;
    int line_ = 1;
    std::int64_t lineStart_ = 0;
    std::string name_;  // the name being read, cut after cap_ + 1 characters
    std::int64_t nameAt_ = 0;
    std::string header_;
    char closer_ = '"';
};

}  // namespace

void scanCText(const TextSource& source, std::size_t longestName,
               const std::function<bool(const CTextMark&)>& mark) {
    Scanner scanner(longestName, mark);
    std::vector<char> piece(static_cast<std::size_t>(std::min(kPiece, source.size())));
    for (std::int64_t pos = 0; pos < source.size();) {
        const std::int64_t n = std::min<std::int64_t>(kPiece, source.size() - pos);
        source.read(pos, std::span(piece.data(), static_cast<std::size_t>(n)));
        if (!scanner.feed(piece.data(), n, pos))
            return;
        pos += n;
    }
    scanner.feed("\n", 1, source.size());  // ends a name or a directive at the very end
}

}  // namespace tessera
