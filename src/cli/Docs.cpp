// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Docs.h"

#include <algorithm>
#include <cctype>

#include "cli/OptionTable.h"

namespace tessera::cli {

namespace {

// troff reads "-" as a hyphen, and a line starting with "." or "'" as a request.
std::string troffEscaped(const std::string& text) {
    std::string out;
    for (const char c : text) {
        if (c == '-' || c == '\\')
            out += '\\';
        out += c;
    }
    if (!out.empty() && (out.front() == '.' || out.front() == '\''))
        out.insert(0, "\\&");
    return out;
}

// The words standing for what the user gives, set in italics.
bool isPlaceholder(const std::string& word) {
    for (const char* name : {"INPUT", "OUTPUT", "FILE", "NAME", "N", "HZ", "OUT", "IN"}) {
        if (word == name)
            return true;
    }
    return false;
}

// A paragraph with option names in bold and INPUT-like words in italics, as man pages set them.
std::string troffParagraph(const std::string& text) {
    std::string out;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(' ', start);
        if (end == std::string::npos)
            end = text.size();
        std::string word = text.substr(start, end - start);
        std::size_t stem = word.size();
        while (stem > 0 && std::string(".,;:)").find(word[stem - 1]) != std::string::npos)
            --stem;
        if (stem >= 2 && word.compare(stem - 2, 2, "'s") == 0)
            stem -= 2;
        const std::string head = word.substr(0, stem), tail = word.substr(stem);
        if (head.size() > 1 && head[0] == '-')
            out += "\\fB" + troffEscaped(head) + "\\fR" + troffEscaped(tail);
        else if (isPlaceholder(head))
            out += "\\fI" + head + "\\fR" + troffEscaped(tail);
        else
            out += troffEscaped(word);
        out += end < text.size() ? " " : "";
        start = end + 1;
    }
    if (!out.empty() && (out.front() == '.' || out.front() == '\''))
        out.insert(0, "\\&");
    return out;
}

// "0|1" and "8|16": a value from a list, completed from it.
bool isChoice(const char* valueName) {
    const std::string v(valueName);
    return v.find('|') != std::string::npos &&
           v.find_first_of("[]ABCDEFGHIJKLMNOPQRSTUVWXYZ") == std::string::npos;
}

bool isFileValue(const char* valueName) {
    const std::string v(valueName);
    return v == "FILE" || v == "OUT";
}

std::string casePattern(const OptionSpec& option) {
    std::string pattern = std::string("--") + option.longName;
    if (option.shortName != '\0')
        pattern = std::string("-") + option.shortName + " | " + pattern;
    return pattern;
}

}  // namespace

std::string manOptions() {
    std::string text;
    for (const OptionSpec& option : optionTable()) {
        text += ".TP\n";
        if (option.shortName != '\0')
            text += std::string("\\fB\\-") + option.shortName + "\\fR, ";
        text += "\\fB\\-\\-" + troffEscaped(option.longName) + "\\fR";
        if (option.valueName)
            text += " \\fI" + troffEscaped(option.valueName) + "\\fR";
        text += "\n";
        if (option.details) {
            text += troffParagraph(option.details) + "\n";
        } else {
            std::string help = option.help;
            help[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(help[0])));
            text += troffParagraph(help + ".") + "\n";
        }
    }
    return text;
}

std::string completionLongOptions() {
    std::string words;
    for (const OptionSpec& option : optionTable())
        words += (words.empty() ? "--" : " --") + std::string(option.longName);
    return words;
}

std::string completionValueCases() {
    std::string cases, plain;
    for (const OptionSpec& option : optionTable()) {
        if (!option.valueName)
            continue;
        if (isChoice(option.valueName)) {
            std::string words = option.valueName;
            std::replace(words.begin(), words.end(), '|', ' ');
            cases += "        " + casePattern(option) + ") COMPREPLY=($(compgen -W '" + words +
                     "' -- \"$cur\")); return ;;\n";
        } else if (isFileValue(option.valueName)) {
            cases += "        " + casePattern(option) +
                     ") compopt -o filenames 2>/dev/null; COMPREPLY=($(compgen -f -- \"$cur\")); "
                     "return ;;\n";
        } else {
            plain += (plain.empty() ? "" : " | ") + casePattern(option);
        }
    }
    if (!plain.empty())
        cases += "        " + plain + ") return ;;\n";
    return cases;
}

std::string completionValueOptions() {
    std::string pattern;
    for (const OptionSpec& option : optionTable()) {
        if (option.valueName)
            pattern += (pattern.empty() ? "" : " | ") + casePattern(option);
    }
    return pattern;
}

std::string fillTemplate(std::string text, const std::string& key, const std::string& value) {
    const std::string marker = "@" + key + "@";
    for (auto at = text.find(marker); at != std::string::npos;
         at = text.find(marker, at + value.size()))
        text.replace(at, marker.size(), value);
    return text;
}

}  // namespace tessera::cli
