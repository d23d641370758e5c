// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/DependencyFile.h"

#include "platform/OutputFile.h"

namespace tessera {

std::string makeQuoted(const std::string& path) {
    std::string out;
    std::size_t backslashes = 0;  // just before the character at hand
    for (const char c : path) {
        switch (c) {
            case '\\':
                ++backslashes;
                out += c;
                continue;
            case ' ':
            case '\t':
                // 2N + 1 backslashes and a blank are N backslashes and a blank in the name.
                out.append(backslashes + 1, '\\');
                break;
            case '#':
                out += '\\';
                break;
            case '$':
                out += '$';
                break;
            default:
                break;
        }
        backslashes = 0;
        out += c;
    }
    return out;
}

std::string depfileText(const std::vector<std::string>& targets,
                        const std::vector<std::string>& prerequisites) {
    // Appended piece by piece: GCC 12 sees overlaps that cannot be in `"\n" + name` at -O3.
    std::string text;
    for (const std::string& target : targets) {
        if (!text.empty())
            text += ' ';
        text += makeQuoted(target);
    }
    text += ':';
    for (const std::string& prerequisite : prerequisites) {
        text += " \\\n ";
        text += makeQuoted(prerequisite);
    }
    text += '\n';
    for (std::size_t i = 1; i < prerequisites.size(); ++i) {
        text += '\n';
        text += makeQuoted(prerequisites[i]);
        text += ":\n";
    }
    return text;
}

DependencyFile::DependencyFile(const std::string& path, const std::vector<std::string>& targets,
                               const std::vector<std::string>& prerequisites)
    : file_(std::make_unique<OutputFile>(path, OutputFile::Mode::Replace)) {
    file_->write(depfileText(targets, prerequisites));
    file_->prepare();
}

DependencyFile::~DependencyFile() = default;

void DependencyFile::publish() {
    file_->publish();
}

}  // namespace tessera
