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

void writeDataOpening(TextStream& data, const std::string& headerFileName) {
    data.WriteLine("#include \"" + headerFileName + "\"");
    data.WriteBlankLines(1);
}

}  // namespace tessera
