// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/FileNames.h"

#include <cctype>

#include "platform/FileChecks.h"

namespace tessera {

namespace {

char lower(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

}  // namespace

std::string withoutExtension(std::string_view title) {
    for (const char* longer : {".flac", ".aiff", ".aifc", ".opus"}) {
        if (hasKind(title, longer))
            return std::string(title.substr(0, title.size() - 5));
    }
    return title.size() < 4 ? std::string() : std::string(title.substr(0, title.size() - 4));
}

bool hasKind(std::string_view path, std::string_view threeLetters) {
    if (path.size() < threeLetters.size())
        return false;
    const auto tail = path.substr(path.size() - threeLetters.size());
    for (std::size_t i = 0; i < tail.size(); ++i) {
        if (lower(tail[i]) != lower(threeLetters[i]))
            return false;
    }
    return true;
}

bool hasSoundName(std::string_view path) {
    for (const char* kind :
         {".wav", ".flac", ".ogg", ".oga", ".opus", ".mp3", ".aif", ".aiff", ".aifc", ".w64"}) {
        if (hasKind(path, kind))
            return true;
    }
    return false;
}

bool isTextOutput(std::string_view path) {
    return hasKind(path, ".h") || hasKind(path, ".c");
}

std::string titleOf(const std::string& path) {
    return baseOf(path);
}

}  // namespace tessera
