// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/back/ConvertedFile.h"

#include <algorithm>
#include <array>
#include <optional>

#include "formats/FormatMessages.h"
#include "formats/Gp32.h"
#include "formats/picture/PictureLayout.h"  // kMaxElements: the most a block can hold
#include "formats/text/BlockFinder.h"
#include "formats/text/CommentBlock.h"
#include "platform/Errors.h"
#include "platform/InputFile.h"

namespace tessera {

namespace {

constexpr std::string_view kGpgTag = "gpg ";
constexpr std::string_view kSefTag = "sef ";
constexpr std::int64_t kTagBytes = 8;  // the tag and the little-endian count after it
// The description lines sit after the comment block's first five lines; the name's first
// #define line comes fifteen lines after the frame.
constexpr std::size_t kDescriptionLine = 5;
constexpr std::size_t kDefineLine = 15;

[[noreturn]] void refuseLine(std::size_t index) {
    refuseConverted(Reason::ConvertedNotOurs, messages::notAsWritten(static_cast<int>(index) + 1));
}

std::string wholeFile(const InputFile& in) {
    std::string text(static_cast<std::size_t>(in.length()), '\0');
    in.read(0, std::span(reinterpret_cast<std::uint8_t*>(text.data()), text.size()));
    return text;
}

std::string tagOf(const InputFile& in) {
    std::array<std::uint8_t, 4> tag{};
    in.read(0, tag);
    return std::string(tag.begin(), tag.end());
}

// The file's lines without their line ends (the block finder has checked those).
std::vector<std::string_view> linesOf(std::string_view text) {
    std::vector<std::string_view> lines;
    for (std::size_t pos = 0; pos < text.size();) {
        std::size_t end = text.find('\n', pos);
        end = end == std::string_view::npos ? text.size() : end + 1;
        std::string_view line = text.substr(pos, end - pos);
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
            line.remove_suffix(1);
        lines.push_back(line);
        pos = end;
    }
    return lines;
}

bool startsBlock(const std::vector<std::string_view>& lines, std::size_t i) {
    return lines[i] == kCommentFrame && i + 1 < lines.size() && lines[i + 1] == "//";
}

// "#define NAMEsuffixDIGITS": NAME, or nothing.
std::optional<std::string> definedName(std::string_view line) {
    if (!line.starts_with("#define "))
        return std::nullopt;
    line.remove_prefix(8);
    for (const char* suffix : {gp32::kWidthSuffix, gp32::kLengthSuffix, gp32::kPalnbSuffix}) {
        const std::size_t at = line.rfind(suffix);
        if (at != std::string_view::npos && at > 0)
            return std::string(line.substr(0, at));
    }
    return std::nullopt;
}

// The number after `prefix` and before `suffix` on the line, or nothing.
std::optional<std::int64_t> numberIn(std::string_view line, std::string_view prefix,
                                     std::string_view suffix) {
    if (!line.starts_with(prefix) || !line.ends_with(suffix))
        return std::nullopt;
    line = line.substr(prefix.size(), line.size() - prefix.size() - suffix.size());
    if (line.empty() || line.size() > 10 || line.find_first_not_of("0123456789") != line.npos)
        return std::nullopt;
    return std::stoll(std::string(line));
}

// Reads the literals of the array opening on line `at`, to the line of "};". The block finder has
// checked each is as the writer puts it.
template <typename T>
std::vector<T> arrayValues(const std::vector<std::string_view>& lines, std::size_t& at) {
    std::vector<T> values;
    for (++at; at < lines.size() && lines[at] != "};"; ++at) {
        std::string_view rest = lines[at].substr(std::string_view(gp32::kIndent).size());
        while (!rest.empty()) {
            const std::size_t comma = rest.find(", ");
            const std::string_view literal = rest.substr(0, comma);
            rest = comma == rest.npos ? std::string_view() : rest.substr(comma + 2);
            values.push_back(
                static_cast<T>(std::stoul(std::string(literal.substr(2)), nullptr, 16)));
        }
    }
    return values;
}

// Reads the block that opens on line `first`, laid out as the block finder has checked.
ConvertedBlock readBlock(const std::vector<std::string_view>& lines, std::size_t first,
                         const std::string& name) {
    ConvertedBlock block{.name = name, .line = static_cast<int>(first) + 1};
    const std::string_view titleLine = lines[first + 4];
    // kCommentSource TITLE kCommentSourceEnd
    const std::size_t before = std::string_view(kCommentSource).size();
    const std::size_t after = std::string_view(kCommentSourceEnd).size();
    block.title = std::string(titleLine.substr(before, titleLine.size() - before - after));
    const std::size_t description = first + kDescriptionLine;
    std::size_t at = first + kDefineLine;
    const std::string define = "#define " + name;
    if (const auto length = numberIn(lines[at], define + gp32::kLengthSuffix, "")) {
        block.kind = BlockKind::Sound;
        const auto kHz = numberIn(lines[description], kFreqLabel, kFreqUnit);
        const std::string_view mode = lines[description + 1];
        const auto bits = numberIn(lines[description + 2], kDataLabel, kDataUnit);
        if (!kHz || *kHz > 1'000'000)
            refuseLine(description);
        if (mode != std::string(kSoundModeLabel) + "Mono" &&
            mode != std::string(kSoundModeLabel) + "Stereo")
            refuseLine(description + 1);
        if (!bits || (*bits != 8 && *bits != 16))
            refuseLine(description + 2);
        block.rateKHz = static_cast<std::int32_t>(*kHz);
        block.rate = rateOfKHz(block.rateKHz);
        block.channels = mode.ends_with("Stereo") ? 2 : 1;
        block.bits = static_cast<int>(*bits);
        at += 2;
        if (lines[at].starts_with(gp32::kByteArrayType) != (block.bits == 8))
            refuseLine(at);
        if (block.bits == 8)
            block.narrow = arrayValues<std::uint8_t>(lines, at);
        else
            block.wide = arrayValues<std::uint16_t>(lines, at);
        block.dataLength = block.count() * block.bits / 8;
        if (*length != block.count())
            refuseLine(first + kDefineLine);
        return block;
    }
    const auto width = numberIn(lines[description], kWidthLabel, "");
    const auto height = numberIn(lines[description + 1], kHeightLabel, "");
    const auto mode = numberIn(lines[description + 2], kModeLabel, kModeUnit);
    if (!width || *width != numberIn(lines[at], define + gp32::kWidthSuffix, ""))
        refuseLine(description);
    if (!height || *height != numberIn(lines[at + 1], define + gp32::kHeightSuffix, ""))
        refuseLine(description + 1);
    if (!mode || (*mode != 8 && *mode != 16))
        refuseLine(description + 2);
    block.width = *width;
    block.height = *height;
    block.bits = static_cast<int>(*mode);
    at += 3;
    if (const auto colours = numberIn(lines[at], define + gp32::kPalnbSuffix, "")) {
        if (block.bits != 8 || *colours > 256)
            refuseLine(at);
        while (!lines[at].starts_with(gp32::kPaletteType))
            ++at;
        block.palette = arrayValues<std::uint16_t>(lines, at);
        at += 3;  // "};" and two empty lines
    }
    if (at >= lines.size() || !lines[at].starts_with("const unsigned")) {
        block.kind = BlockKind::PaletteOnly;
        return block;
    }
    const std::size_t opening = at;
    if (lines[at].starts_with(gp32::kByteArrayType) != (block.bits == 8))
        refuseLine(opening);
    if (block.bits == 8)
        block.narrow = arrayValues<std::uint8_t>(lines, at);
    else
        block.wide = arrayValues<std::uint16_t>(lines, at);
    if (block.width <= 0 || block.height <= 0 || block.width > kMaxElements ||
        block.height > kMaxElements ||
        gp32::ScreenOrder{block.width, block.height}.count() != block.count())
        refuseLine(opening);
    return block;
}

// Where each block opens, with its name; a comment block followed by no name Tessera writes is
// refused naming the line where the name should be.
std::vector<std::pair<std::size_t, std::string>> blockStarts(
    const std::vector<std::string_view>& lines) {
    std::vector<std::pair<std::size_t, std::string>> starts;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!startsBlock(lines, i))
            continue;
        const std::size_t defineLine = i + kDefineLine;
        const auto name = defineLine < lines.size() ? definedName(lines[defineLine]) : std::nullopt;
        if (!name)
            refuseLine(std::min(defineLine, lines.size()));
        starts.emplace_back(i, *name);
        i = defineLine;
    }
    return starts;
}

std::string nameList(const std::vector<std::pair<std::size_t, std::string>>& starts) {
    std::string names;
    for (const auto& [line, name] : starts)
        names += (names.empty() ? "" : ", ") + name;
    return names;
}

}  // namespace

void refuseConverted(Reason code, const std::string& reason) {
    throw TesseraError(code, failureText(messages::kCantConvertBack, reason), FileRole::Input);
}

std::int32_t rateOfKHz(std::int32_t kHz) {
    for (const std::int32_t common : {11025, 22050, 44100, 88200, 176400})
        if (common / 1000 == kHz)
            return common;
    return kHz * 1000;
}

ConvertedKind convertedKindOf(const InputFile& in) {
    const std::string tag = tagOf(in);
    return tag == kGpgTag   ? ConvertedKind::Gpg
           : tag == kSefTag ? ConvertedKind::Sef
                            : ConvertedKind::CText;
}

bool looksConverted(const InputFile& in) {
    if (convertedKindOf(in) != ConvertedKind::CText)
        return true;
    const std::string text = wholeFile(in);
    return text.find(std::string(kCommentFrame) + "\r\n//\r\n" + kCommentTitle) !=
           std::string::npos;
}

std::vector<ConvertedBlock> readCTextBlocks(const InputFile& in, std::string_view onlyName) {
    const std::string text = wholeFile(in);
    const std::vector<std::string_view> lines = linesOf(text);
    const auto starts = blockStarts(lines);
    if (starts.empty())
        refuseConverted(Reason::ConvertedNoBlock, messages::kNoBlock);
    std::vector<ConvertedBlock> blocks;
    for (const auto& [first, name] : starts) {
        if (!onlyName.empty() && name != onlyName)
            continue;
        const BlockSearch found = findBlock(text, name);
        if (found.result == BlockSearch::Result::Unmatched)
            refuseConverted(Reason::ConvertedNotOurs, messages::notAsWritten(found.line));
        // The first line that defines the name must be this block's: an earlier definition
        // of another origin would make two.
        const auto foundLine = std::count(text.begin(), text.begin() + found.begin, '\n');
        if (found.result != BlockSearch::Result::Found ||
            static_cast<std::size_t>(foundLine) != first)
            refuseLine(first);
        blocks.push_back(readBlock(lines, first, name));
    }
    if (blocks.empty())
        refuseConverted(Reason::ConvertedNoBlock,
                        messages::noSuchBlock(std::string(onlyName), nameList(starts)));
    return blocks;
}

ConvertedBlock readGpg(const InputFile& in, std::int64_t width, std::int64_t height) {
    const std::int64_t count = in.readU32(4);
    const std::int64_t held = in.length() - kTagBytes;
    if (held != count)
        refuseConverted(Reason::ConvertedLength, messages::fileLength("indices", count, held));
    const gp32::ScreenOrder order{width, height};
    if (width <= 0 || height <= 0 || order.count() != count)
        refuseConverted(Reason::ConvertedLength,
                        messages::gpgSize(count, width, height, order.count()));
    ConvertedBlock block{.width = width, .height = height};
    block.narrow.resize(static_cast<std::size_t>(count));
    in.read(kTagBytes, block.narrow);
    return block;
}

ConvertedBlock readSef(const InputFile& in, int bits, int channels, std::int32_t rate) {
    const std::int64_t length = in.readU32(4);
    const std::int64_t held = in.length() - kTagBytes;
    // A 16-bit sound of an odd data length is written without its last, half sample.
    const std::int64_t samples = bits == 16 ? length / 2 : length;
    if (held != samples * bits / 8)
        refuseConverted(Reason::ConvertedLength, messages::fileLength("samples", length, held));
    ConvertedBlock block{.kind = BlockKind::Sound, .bits = bits};
    block.rate = rate;
    block.channels = channels;
    block.dataLength = length;
    if (bits == 8) {
        block.narrow.resize(static_cast<std::size_t>(samples));
        in.read(kTagBytes, block.narrow);
    } else {
        std::vector<std::uint8_t> bytes(static_cast<std::size_t>(samples * 2));
        in.read(kTagBytes, bytes);
        block.wide.resize(static_cast<std::size_t>(samples));
        for (std::size_t k = 0; k < block.wide.size(); ++k)
            block.wide[k] = static_cast<std::uint16_t>(bytes[2 * k] | bytes[2 * k + 1] << 8);
    }
    return block;
}

}  // namespace tessera
