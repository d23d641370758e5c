#include "formats/text/CommentBlock.h"

namespace tessera {

namespace {
constexpr const char* kFrame = "/////////////////////////////////////////";
}

void writeCommentBlock(TextStream& out, const std::string& title,
                       std::initializer_list<std::string> description) {
    out.WriteLine(kFrame);
    out.WriteLine("//");
    out.WriteLine("// Header file for GP32");
    out.WriteLine("//");
    out.WriteLine("// convertion of " + title + " file :");
    for (const auto& line : description)
        out.WriteLine(line);
    out.WriteLine("//");
    out.WriteLine("// with Tessera coded by Zorvane :");
    out.WriteLine(std::string("//    ") + kProjectPage);
    out.WriteLine(std::string("//    ") + kProjectContact);
    out.WriteLine("//");
    out.WriteLine(kFrame);
    out.WriteBlankLines(1);
}

}  // namespace tessera
