// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CNames.h"

#include <algorithm>
#include <iterator>

#include "formats/text/CIdentifier.h"

namespace tessera {

namespace {

// Words a compiler takes as keywords in some mode: C up to C23, C++ up to C++23 (alternative
// operator spellings included), and GNU C's plain-named extensions. Names starting with `_` and
// a capital need no entry: they are all reserved.
bool isKeyword(std::string_view text) {
    static constexpr std::string_view kKeywords[] = {"alignas",
                                                     "alignof",
                                                     "and",
                                                     "and_eq",
                                                     "asm",
                                                     "auto",
                                                     "bitand",
                                                     "bitor",
                                                     "bool",
                                                     "break",
                                                     "case",
                                                     "catch",
                                                     "char",
                                                     "char8_t",
                                                     "char16_t",
                                                     "char32_t",
                                                     "class",
                                                     "co_await",
                                                     "co_return",
                                                     "co_yield",
                                                     "compl",
                                                     "concept",
                                                     "const",
                                                     "const_cast",
                                                     "consteval",
                                                     "constexpr",
                                                     "constinit",
                                                     "continue",
                                                     "decltype",
                                                     "default",
                                                     "delete",
                                                     "do",
                                                     "double",
                                                     "dynamic_cast",
                                                     "else",
                                                     "enum",
                                                     "explicit",
                                                     "export",
                                                     "extern",
                                                     "false",
                                                     "float",
                                                     "for",
                                                     "friend",
                                                     "goto",
                                                     "if",
                                                     "inline",
                                                     "int",
                                                     "long",
                                                     "mutable",
                                                     "namespace",
                                                     "new",
                                                     "noexcept",
                                                     "not",
                                                     "not_eq",
                                                     "nullptr",
                                                     "operator",
                                                     "or",
                                                     "or_eq",
                                                     "private",
                                                     "protected",
                                                     "public",
                                                     "register",
                                                     "reinterpret_cast",
                                                     "requires",
                                                     "restrict",
                                                     "return",
                                                     "short",
                                                     "signed",
                                                     "sizeof",
                                                     "static",
                                                     "static_assert",
                                                     "static_cast",
                                                     "struct",
                                                     "switch",
                                                     "template",
                                                     "this",
                                                     "thread_local",
                                                     "throw",
                                                     "true",
                                                     "try",
                                                     "typedef",
                                                     "typeid",
                                                     "typename",
                                                     "typeof",
                                                     "typeof_unqual",
                                                     "union",
                                                     "unsigned",
                                                     "using",
                                                     "virtual",
                                                     "void",
                                                     "volatile",
                                                     "wchar_t",
                                                     "while",
                                                     "xor",
                                                     "xor_eq"};
    return std::find(std::begin(kKeywords), std::end(kKeywords), text) != std::end(kKeywords);
}

bool isReserved(std::string_view text) {
    return text.find("__") != std::string_view::npos ||
           (text.size() > 1 && text[0] == '_' && text[1] >= 'A' && text[1] <= 'Z');
}

}  // namespace

std::string cNameProblem(std::string_view text) {
    if (text.empty() || isCDigit(text.front()) ||
        !std::all_of(text.begin(), text.end(), isCIdentifierChar))
        return "is not a C identifier";
    if (isKeyword(text))
        return "is a keyword of C or C++";
    if (isReserved(text))
        return "is reserved for the compiler (a name holding __ or starting with _ and a capital)";
    return {};
}

std::string identifierFrom(std::string_view text) {
    std::string out;
    if (!text.empty() && isCDigit(text.front()))
        out += '_';
    for (const char c : text)
        out += isCIdentifierChar(c) ? c : '_';
    if (isKeyword(out))
        out += '_';
    return out;
}

}  // namespace tessera
