// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliBack.h"

#include <cctype>
#include <cstdio>
#include <string>
#include <vector>

#include "app/AppMessages.h"
#include "app/ConvertBack.h"
#include "app/PaletteJobs.h"
#include "cli/CliMessages.h"
#include "cli/CliRun.h"

namespace tessera::cli {

namespace {

// A --raw side as a size: what does not fit is refused as no .gpg could hold it.
std::int64_t side(const std::string& text) {
    return text.size() > 9 ? -1 : std::stoll(text);
}

BackRequest requestOf(const CliOptions& o) {
    BackRequest r{.input = o.input, .output = o.output, .name = o.name.value_or("")};
    if (o.rawGiven) {
        r.width = side(o.raw.width);
        r.height = side(o.raw.height);
    }
    r.bits = o.sound.bits;
    r.rate = o.sound.rate;
    r.channels = o.sound.mono ? 1 : o.stereo ? 2 : 0;
    return r;
}

// A JSON string: quotes, backslashes and control characters escaped.
std::string quoted(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string field(const char* key, const std::string& value) {
    return quoted(key) + ": " + value;
}
std::string field(const char* key, std::int64_t value) {
    return field(key, std::to_string(value));
}

std::string blockJson(const ConvertedBlock& b) {
    std::string json(1, '{');  // built by appending: GCC 12 misreads "{" + a temporary
    json += field("name", quoted(b.name)) + ", ";
    switch (b.kind) {
        case BlockKind::Sound:
            return json + field("kind", quoted("sound")) + ", " + field("bits", b.bits) + ", " +
                   field("channels", b.channels) + ", " + field("rate", b.rate) + ", " +
                   field("samples", b.count()) + "}";
        case BlockKind::PaletteOnly:
            return json + field("kind", quoted("palette")) + ", " +
                   field("colours", std::ssize(b.palette)) + "}";
        case BlockKind::Picture:
            break;
    }
    return json + field("kind", quoted("picture")) + ", " + field("width", b.width) + ", " +
           field("height", b.height) + ", " + field("bits", b.bits) + ", " +
           field("colours", std::ssize(b.palette)) + "}";
}

}  // namespace

std::optional<int> infoOfConverted(const CliOptions& o) {
    const std::optional<ConvertedContents> contents =
        convertedContents(o.input, o.name.value_or(""));
    if (!contents)
        return std::nullopt;
    if (!contents->refusal.empty()) {
        report(o.input, contents->refusal);
        return kExitFailed;
    }
    const ConvertedContents& c = *contents;
    const char* kind = c.kind == ConvertedKind::Gpg   ? "gpg"
                       : c.kind == ConvertedKind::Sef ? "sef"
                                                      : "C text";
    std::string text;
    if (o.json) {
        text = '{';
        text += field("file", quoted(o.input)) + ", " + field("kind", quoted(kind));
        if (c.kind == ConvertedKind::CText) {
            text += ", " + quoted("blocks") + ": [";
            for (std::size_t i = 0; i < c.blocks.size(); ++i)
                text += (i == 0 ? "" : ", ") + blockJson(c.blocks[i]);
            text += "]";
        } else {
            text += ", " + field(c.kind == ConvertedKind::Gpg ? "indices" : "bytes", c.length);
        }
        text += "}\n";
    } else if (c.kind == ConvertedKind::CText) {
        for (const ConvertedBlock& block : c.blocks)
            text += block.name + ": " + blockDescription(block) + "\n";
    } else {
        text = c.kind == ConvertedKind::Gpg ? texts::gpgInfo(c.length) : texts::sefInfo(c.length);
    }
    std::fputs(text.c_str(), stdout);
    return kExitOk;
}

std::string jsonOfDescription(const std::string& caption, bool sound) {
    // "Name : " on a line of its own with the file's title on the next, then " Key : value"
    // lines.
    std::vector<std::string> lines;
    for (std::size_t at = 0; at <= caption.size();) {
        std::size_t end = caption.find("\r\n", at);
        end = end == std::string::npos ? caption.size() : end;
        lines.push_back(caption.substr(at, end - at));
        at = end + 2;
    }
    std::string json(1, '{');
    json += field("kind", quoted(sound ? "sound" : "picture"));
    if (lines.size() > 1)
        json += ", " + field("name", quoted(lines[1]));
    for (std::size_t i = 2; i < lines.size(); ++i) {
        const std::size_t colon = lines[i].find(" : ");
        if (colon == std::string::npos)
            continue;
        std::string key = lines[i].substr(0, colon);
        key.erase(0, key.find_first_not_of(' '));
        key.erase(key.find_last_not_of(' ') + 1);
        for (char& c : key)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        const std::string value = lines[i].substr(colon + 3);
        const bool number = !value.empty() &&
                            value.find_first_not_of("0123456789") == std::string::npos &&
                            value.size() < 19;
        json += ", " + field(key.c_str(), number ? value : quoted(value));
    }
    return json + "}";
}

int runBack(const CliOptions& o) {
    BackRequest request = requestOf(o);
    if (o.paletteOf) {
        PaletteOf of = readPaletteOf(*o.paletteOf);
        if (of.failure) {
            report(of.failure->file, of.failure->text);
            return kExitFailed;
        }
        request.palette = std::move(of.palette);
    }
    const BackOutcome outcome = convertBack(request);
    for (const std::string& note : outcome.notes)
        report(o.input, note);
    if (!outcome.done) {
        report(outcome.aboutOutput ? o.output : o.input, outcome.refusal);
        return kExitFailed;
    }
    if (o.verbose)
        std::printf("%s: %s: %s\n", texts::kProgram, o.output.c_str(), messages::kDone);
    return kExitOk;
}

}  // namespace tessera::cli
