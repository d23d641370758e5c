// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/text/CommentBlock.h"

namespace tessera {

std::string printableTitle(std::string_view title) {
    std::string out;
    for (std::size_t i = 0; i < title.size(); ++i) {
        const auto c = static_cast<unsigned char>(title[i]);
        // C1 controls arrive as UTF-8: 0xC2 then 0x80 to 0x9F.
        const bool c1 = c == 0xC2 && i + 1 < title.size() &&
                        (static_cast<unsigned char>(title[i + 1]) & 0xE0) == 0x80;
        if (c < 0x20 || c == 0x7F || c1) {
            out += '?';
            i += c1 ? 1 : 0;
        } else {
            out += title[i];
        }
    }
    return out;
}

void writeCommentBlock(TextStream& out, const std::string& title,
                       std::initializer_list<std::string> description) {
    out.WriteLine(kCommentFrame);
    out.WriteLine("//");
    out.WriteLine(kCommentTitle);
    out.WriteLine("//");
    out.WriteLine(kCommentSource + printableTitle(title) + kCommentSourceEnd);
    for (const auto& line : description)
        out.WriteLine(line);
    out.WriteLine("//");
    out.WriteLine(kCommentCredits);
    out.WriteLine(std::string("//    ") + kProjectPage);
    out.WriteLine(std::string("//    ") + kProjectContact);
    out.WriteLine("//");
    out.WriteLine(kCommentFrame);
    out.WriteBlankLines(1);
}

}  // namespace tessera
