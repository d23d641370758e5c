#include "formats/text/CommentBlock.h"

namespace tessera {

void writeCommentBlock(TextStream& out, const std::string& title,
                       std::initializer_list<std::string> description) {
    out.WriteLine(kCommentFrame);
    out.WriteLine("//");
    out.WriteLine(kCommentTitle);
    out.WriteLine("//");
    out.WriteLine("// convertion of " + title + " file :");
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
