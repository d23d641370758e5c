// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/text/LineCursor.h"

#include <algorithm>

namespace tessera {

namespace {

// No line of a block is longer than this; a longer line is never ours and is not read whole.
constexpr std::int64_t kLongestLine = 1 << 20;

}  // namespace

std::int64_t LineCursor::lineEnd() const {
    if (at_ < start_ || at_ > start_ + static_cast<std::int64_t>(window_.size()))
        return -1;
    const std::size_t lf = window_.find('\n', static_cast<std::size_t>(at_ - start_));
    return lf == std::string::npos ? -1 : start_ + static_cast<std::int64_t>(lf);
}

void LineCursor::load() {
    loaded_ = true;
    current_.reset();
    std::int64_t lf = lineEnd();
    if (lf < 0 && at_ < text_.size()) {
        start_ = at_;
        window_.resize(static_cast<std::size_t>(std::min(kLongestLine, text_.size() - at_)));
        text_.read(at_, window_);
        lf = lineEnd();
    }
    if (lf < 0)
        return;
    std::string_view line(window_.data() + (at_ - start_), static_cast<std::size_t>(lf - at_));
    if (!line.ends_with('\r'))
        return;
    line.remove_suffix(1);
    current_ = line;
    next_ = lf + 1;
}

}  // namespace tessera
