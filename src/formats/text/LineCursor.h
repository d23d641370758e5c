// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "formats/text/CTextScan.h"

namespace tessera {

// The text's lines from a place on, read a window at a time. Only a line ended by C R LF is a
// line Tessera wrote.
class LineCursor {
  public:
    LineCursor(const TextSource& text, std::int64_t at, int line)
        : text_(text), at_(at), line_(line) {}

    // The line without its C R LF; nothing for a line without one, or too long to be ours.
    std::optional<std::string_view> current() {
        if (!loaded_)
            load();
        return current_;
    }
    void advance() {  // past a line current() gave
        at_ = next_;
        ++line_;
        loaded_ = false;
    }
    std::int64_t offset() const { return at_; }
    int line() const { return line_; }

  private:
    std::int64_t lineEnd() const;  // where the line's LF is, -1 if not in the window
    void load();

    const TextSource& text_;
    std::int64_t at_;
    int line_;
    std::string window_;
    std::int64_t start_ = 0;
    bool loaded_ = false;
    std::optional<std::string_view> current_;
    std::int64_t next_ = 0;
};

}  // namespace tessera
