// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/picture/Rle.h"

#include <algorithm>
#include <array>

#include "platform/InputFile.h"

namespace tessera {

namespace {

// Reads the compressed stream in blocks; `next` reports false once the file is exhausted.
class ByteCursor {
  public:
    ByteCursor(const InputFile& in, std::int64_t offset)
        : in_(in), pos_(std::max<std::int64_t>(offset, 0)) {}

    bool next(std::uint8_t& b) {
        if (at_ == filled_) {
            const std::int64_t left = in_.length() - pos_;
            if (left <= 0)
                return false;
            filled_ = static_cast<std::size_t>(std::min<std::int64_t>(left, kBlock));
            in_.read(pos_, std::span<std::uint8_t>(block_.data(), filled_));
            pos_ += static_cast<std::int64_t>(filled_);
            at_ = 0;
        }
        b = block_[at_++];
        return true;
    }

  private:
    static constexpr std::int64_t kBlock = 1 << 16;
    const InputFile& in_;
    std::int64_t pos_;
    std::array<std::uint8_t, kBlock> block_{};
    std::size_t filled_ = 0;
    std::size_t at_ = 0;
};

std::uint8_t nibble(std::uint8_t byte, int n) {
    return static_cast<std::uint8_t>(n % 2 == 0 ? byte >> 4 : byte & 0x0F);
}

}  // namespace

std::vector<std::uint8_t> decodeRle(const InputFile& in, std::int64_t offset, std::int64_t width,
                                    std::int64_t height, int bitsPerPixel) {
    const bool nibbles = bitsPerPixel == 4;  // two indices a byte, the high one first
    std::vector<std::uint8_t> rows(static_cast<std::size_t>(width * height), 0);
    ByteCursor data(in, offset);
    std::int64_t x = 0;
    std::int64_t y = 0;
    auto put = [&](std::uint8_t value) {
        if (x < width && y < height)
            rows[static_cast<std::size_t>(y * width + x)] = value;
        ++x;
    };

    // Every step takes at least two bytes, so a truncated or looping stream still ends; once the
    // position has left the picture's last row nothing more can land.
    std::uint8_t first = 0, second = 0;
    while (y < height && data.next(first) && data.next(second)) {
        if (first > 0) {  // a run of `first` copies of `second` (or of its two nibbles in turn)
            for (int n = 0; n < first && x < width; ++n)
                put(nibbles ? nibble(second, n) : second);
            continue;
        }
        if (second == 0) {  // end of line
            x = 0;
            ++y;
        } else if (second == 1) {  // end of bitmap
            break;
        } else if (second == 2) {  // move right and up by the next two bytes
            std::uint8_t dx = 0, dy = 0;
            if (!data.next(dx) || !data.next(dy))
                break;
            x += dx;
            y += dy;
        } else {  // `second` literal indices, their bytes padded to an even count
            const int bytes = nibbles ? (second + 1) / 2 : second;
            std::uint8_t value = 0;
            bool more = true;
            for (int n = 0; n < bytes && (more = data.next(value)); ++n) {
                if (!nibbles) {
                    put(value);
                    continue;
                }
                put(nibble(value, 0));
                if (2 * n + 1 < second)
                    put(nibble(value, 1));
            }
            if (more && bytes % 2 == 1)
                more = data.next(value);
            if (!more)
                break;
        }
    }
    return rows;
}

}  // namespace tessera
