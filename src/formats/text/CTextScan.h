// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace tessera {

// A text read a piece at a time from any place: a file of hundreds of megabytes is never held
// whole.
class TextSource {
  public:
    virtual ~TextSource() = default;
    virtual std::int64_t size() const = 0;
    // Fills `out` from `pos`; the caller stays within size().
    virtual void read(std::int64_t pos, std::span<char> out) const = 0;
};

class StringSource : public TextSource {
  public:
    explicit StringSource(std::string_view text) : text_(text) {}
    std::int64_t size() const override { return static_cast<std::int64_t>(text_.size()); }
    void read(std::int64_t pos, std::span<char> out) const override {
        text_.copy(out.data(), out.size(), static_cast<std::size_t>(pos));
    }

  private:
    std::string_view text_;
};

// What a C text declares that a new block of Tessera's could meet: each #define's name, each
// name followed by "[" (an array), each #include of the graphics header and each use of the
// palette type. Comments, strings and character literals are skipped.
struct CTextMark {
    enum class Kind { Macro, Array, GraphicsInclude, PaletteType };
    Kind kind = Kind::Macro;
    std::string_view name;  // Macro, Array: valid during the call only
    std::int64_t offset = 0;
    int line = 0;  // 1-based
};

// Reads `source` front to back and calls `mark` for every Macro and Array whose name is at
// most `longestName` characters long, and for every include and use of the palette type, until
// `mark` returns false.
void scanCText(const TextSource& source, std::size_t longestName,
               const std::function<bool(const CTextMark&)>& mark);

}  // namespace tessera
