// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/text/TextOutput.h"

#include "formats/text/CIdentifier.h"

namespace tessera {

bool isValidAlign(long value) {
    return value > 0 && value <= kMaxAlign && (value & (value - 1)) == 0;
}

void writeArrayOpening(const TextOutput& out, const std::string& type, const std::string& name,
                       std::int64_t count) {
    std::string declarator = name + "[" + std::to_string(count) + "]";
    if (out.options.align != 0)
        declarator += " __attribute__((aligned(" + std::to_string(out.options.align) + ")))";
    if (out.header)
        out.header->WriteLine("extern " + type + " " + declarator + ";");
    out.data.WriteLine(type + " " + declarator + " = {");
}

std::string headerGuard(const std::string& headerFileName) {
    std::string guard;
    if (!headerFileName.empty() && isCDigit(headerFileName.front()))
        guard += '_';
    for (const char c : headerFileName) {
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        guard += letter ? static_cast<char>(c & ~0x20) : (isCDigit(c) ? c : '_');
    }
    // A guard of the user's own names, not one the implementation reserves ("_H" or "__X").
    if (guard.empty() || guard.front() == '_')
        guard = "TESSERA" + guard;
    return guard;
}

void writeHeaderOpening(TextStream& header, const std::string& headerFileName) {
    const std::string guard = headerGuard(headerFileName);
    header.WriteLine("#ifndef " + guard);
    header.WriteLine("#define " + guard);
    header.WriteBlankLines(1);
}

void writeHeaderClosing(TextStream& header, const std::string& headerFileName) {
    header.WriteBlankLines(1);
    header.WriteLine("#endif  // " + headerGuard(headerFileName));
}

std::optional<char> unincludableCharacter(std::string_view headerFileName) {
    for (const char c : headerFileName) {
        const auto u = static_cast<unsigned char>(c);
        // A quote ends the name early; a backslash or a single quote means what each compiler
        // decides; a line end ends the directive.
        if (c == '"' || c == '\\' || c == '\'' || u < 0x20 || u == 0x7F)
            return c;
    }
    return std::nullopt;
}

void writeDataOpening(TextStream& data, const std::string& headerFileName) {
    // The compiler looks the name up byte for byte: it is written as the file system has it,
    // not recoded like the text around it.
    data.file().write("#include \"" + headerFileName + "\"\r\n");
    data.WriteBlankLines(1);
}

}  // namespace tessera
