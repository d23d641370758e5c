// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/TextStream.h"

#include <algorithm>

namespace tessera {

std::string toSingleByte(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        int extra = 0;
        unsigned code = c;
        if (c < 0x80) {
            extra = 0;
        } else if ((c & 0xE0) == 0xC0) {
            extra = 1;
            code = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            extra = 2;
            code = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            extra = 3;
            code = c & 0x07;
        } else {
            out.push_back('?');
            ++i;
            continue;
        }
        std::size_t j = i + 1;
        for (int k = 0; k < extra; ++k, ++j) {
            if (j >= utf8.size() || (static_cast<unsigned char>(utf8[j]) & 0xC0) != 0x80)
                break;
            code = (code << 6) | (static_cast<unsigned char>(utf8[j]) & 0x3F);
        }
        const bool complete = j == i + 1 + static_cast<std::size_t>(extra);
        out.push_back(complete && code <= 0xFF ? static_cast<char>(code) : '?');
        i = j;
    }
    return out;
}

void TextStream::Write(std::string_view text) {
    const bool ascii = std::all_of(text.begin(), text.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (ascii) {
        out_->write(text);
    } else {
        out_->write(toSingleByte(text));
    }
}

}  // namespace tessera
