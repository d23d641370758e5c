// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/sound/ChunkHeaders.h"

#include "platform/InputFile.h"

namespace tessera {

ChunkHeader ChunkHeaderReader::at(std::int64_t pos) {
    constexpr std::int64_t kHeader = 8;
    if (windowStart_ < 0 || pos < windowStart_ || pos + kHeader > windowStart_ + kWindow) {
        window_.resize(static_cast<std::size_t>(kWindow));
        file_.read(pos, window_);  // past the end reads as zeros, as single reads would
        windowStart_ = pos;
    }
    const std::uint8_t* b = window_.data() + (pos - windowStart_);
    ChunkHeader h{};
    std::memcpy(h.tag, b, 4);
    h.size = static_cast<std::uint32_t>(b[4]) | (static_cast<std::uint32_t>(b[5]) << 8) |
             (static_cast<std::uint32_t>(b[6]) << 16) | (static_cast<std::uint32_t>(b[7]) << 24);
    return h;
}

}  // namespace tessera
