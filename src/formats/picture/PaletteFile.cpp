// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/picture/PaletteFile.h"

#include <png.h>

#include <csetjmp>

#include <algorithm>
#include <charconv>
#include <cstring>
#include <set>

#include "formats/FormatMessages.h"
#include "formats/Gp32.h"
#include "formats/picture/BmpInfo.h"
#include "formats/picture/Palette.h"
#include "formats/picture/PictureLayout.h"
#include "formats/picture/PngReader.h"
#include "formats/text/CIdentifier.h"
#include "platform/Errors.h"
#include "platform/InputFile.h"

namespace tessera {

namespace {

// A text palette is a few kilobytes; a C file holding one may be a large header.
constexpr std::int64_t kMaxTextBytes = std::int64_t{64} * 1024 * 1024;

[[noreturn]] void refuse(const std::string& reason) {
    throw TesseraError(Reason::PaletteFileUnread, failureText(messages::kCantReadPalette, reason));
}

std::vector<ColourWord> pictureTable(const InputFile& in, const PictureInfo& info) {
    if (convertedDepth(info) != 8 || info.kind == PictureKind::Raw)
        refuse(messages::kTrueColourPalette);
    checkPaletteCount(info.paletteCount);
    std::vector<ColourWord> words;
    for (const std::uint16_t w : readPalette(in, info, 0))
        words.push_back(w);
    return words;
}

std::vector<std::string_view> lines(std::string_view text) {
    std::vector<std::string_view> out;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        out.push_back(line);
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return out;
}

std::string_view skipBlanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    return s;
}

// A whole number from 0 to `max` at the start of `s`, which moves past it.
bool number(std::string_view& s, unsigned long max, unsigned long& value) {
    s = skipBlanks(s);
    int base = 10;
    if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        base = 16;
        s.remove_prefix(2);
    }
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value, base);
    if (error != std::errc() || value > max)
        return false;
    s.remove_prefix(static_cast<std::size_t>(end - s.data()));
    return true;
}

// "R G B" with an optional name after it, each from 0 to 255.
bool rgbLine(std::string_view line, std::vector<ColourWord>& words) {
    unsigned long c[3];
    for (unsigned long& v : c) {
        if (!number(line, 255, v))
            return false;
    }
    if (!line.empty() && line.front() != ' ' && line.front() != '\t')
        return false;
    words.push_back(colourWord(static_cast<int>(c[0] >> 3), static_cast<int>(c[1] >> 3),
                               static_cast<int>(c[2] >> 3)));
    return true;
}

void checkCount(const std::vector<ColourWord>& words) {
    if (words.empty())
        refuse(messages::kNoColours);
    if (words.size() > kMaxColours)
        refuse(messages::kColourCount);
}

std::vector<ColourWord> gimpPalette(std::string_view text) {
    std::vector<ColourWord> words;
    const std::vector<std::string_view> all = lines(text);
    for (std::size_t n = 1; n < all.size(); ++n) {
        const std::string_view line = skipBlanks(all[n]);
        if (line.empty() || line.front() == '#' || line.starts_with("Name:") ||
            line.starts_with("Columns:"))
            continue;
        if (!rgbLine(line, words))
            refuse(messages::badPaletteLine(static_cast<int>(n + 1)));
        if (words.size() > kMaxColours)
            refuse(messages::kColourCount);
    }
    checkCount(words);
    return words;
}

std::vector<ColourWord> jascPalette(std::string_view text) {
    const std::vector<std::string_view> all = lines(text);
    std::string_view countLine = all.size() > 2 ? all[2] : std::string_view();
    unsigned long count = 0;
    if (all.size() < 3 || skipBlanks(all[1]) != "0100" || !number(countLine, kMaxColours, count))
        refuse(messages::badPaletteLine(all.size() < 2 || skipBlanks(all[1]) != "0100" ? 2 : 3));
    std::vector<ColourWord> words;
    for (std::size_t n = 3; n < all.size() && words.size() < count; ++n) {
        if (!rgbLine(all[n], words))
            refuse(messages::badPaletteLine(static_cast<int>(n + 1)));
    }
    if (words.size() != count)
        refuse(messages::kPaletteCut);
    checkCount(words);
    return words;
}

// The one "GP_PALETTEENTRY NAME[N] = {" array of C text and its N values.
std::vector<ColourWord> cPalette(std::string_view text) {
    const std::string kType = std::string(gp32::kPaletteType) + " ";
    std::vector<std::string> names;
    std::string_view body;
    unsigned long count = 0;
    for (std::size_t at = text.find(kType); at != std::string_view::npos;
         at = text.find(kType, at + 1)) {
        std::string_view rest = text.substr(at + kType.size());
        std::size_t n = 0;
        while (n < rest.size() && isCIdentifierChar(rest[n]))
            ++n;
        const bool declaration = at >= 7 && text.substr(at - 7, 7) == "extern ";
        if (n == 0 || declaration)
            continue;  // a header beside its data file only declares the array
        names.emplace_back(rest.substr(0, n));
        rest.remove_prefix(n);
        if (!rest.starts_with("[") || (rest.remove_prefix(1), !number(rest, kMaxColours, count)) ||
            !rest.starts_with("] = {"))
            refuse(messages::badPaletteArray(names.back()));
        body = rest.substr(5);
    }
    if (names.size() != 1)
        refuse(messages::paletteArrays(names));
    std::vector<ColourWord> words;
    unsigned long value = 0;
    while (words.size() < count) {
        body = body.substr(std::min(body.find_first_not_of(" \t\r\n,"), body.size()));
        if (!number(body, 0xFFFF, value))
            refuse(messages::badPaletteArray(names.front()));
        words.push_back(static_cast<ColourWord>(value & 0xFFFE));  // the intensity bit aside
    }
    checkCount(words);
    return words;
}

void appendBytes(png_structp png, png_bytep data, png_size_t length) {
    try {
        static_cast<std::string*>(png_get_io_ptr(png))
            ->append(reinterpret_cast<char*>(data), length);
    } catch (const std::bad_alloc&) {
        png_error(png, "out of memory");  // no exception may cross the library
    }
}

std::string channels(ColourWord w, const char* between) {
    return std::to_string(widen5(red5(w))) + between + std::to_string(widen5(green5(w))) + between +
           std::to_string(widen5(blue5(w)));
}

}  // namespace

std::vector<ColourWord> readPaletteFile(const InputFile& in) {
    if (std::optional<PictureInfo> bmp = readBmpInfo(in)) {
        if (knownInfoSize(bmp->infoSize))
            return pictureTable(in, *bmp);
    } else if (std::optional<PictureInfo> png = readPngInfo(in)) {
        return pictureTable(in, *png);
    }
    if (in.length() > kMaxTextBytes)
        refuse(messages::kNoPalette);
    std::string text(static_cast<std::size_t>(in.length()), '\0');
    in.read(0, std::span(reinterpret_cast<std::uint8_t*>(text.data()), text.size()));
    if (text.starts_with("GIMP Palette"))
        return gimpPalette(text);
    if (text.starts_with("JASC-PAL"))
        return jascPalette(text);
    if (text.find("GP_PALETTEENTRY") != std::string::npos)
        return cPalette(text);
    refuse(messages::kNoPalette);
}

PaletteFileKind paletteFileKind(std::string_view path) {
    const std::size_t dot = path.rfind('.');
    std::string ending(dot == std::string_view::npos ? std::string_view() : path.substr(dot + 1));
    std::transform(ending.begin(), ending.end(), ending.begin(),
                   [](char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); });
    if (ending == "h" || ending == "c")
        return PaletteFileKind::CText;
    if (ending == "gpl")
        return PaletteFileKind::Gimp;
    if (ending == "pal")
        return PaletteFileKind::Jasc;
    return ending == "png" ? PaletteFileKind::Png : PaletteFileKind::Unknown;
}

std::string gimpPaletteText(const std::vector<ColourWord>& palette, const std::string& name) {
    std::string text = "GIMP Palette\nName: " + name + "\nColumns: 16\n#\n";
    for (std::size_t e = 0; e < palette.size(); ++e)
        text += channels(palette[e], " ") + "\tIndex " + std::to_string(e) + "\n";
    return text;
}

std::string jascPaletteText(const std::vector<ColourWord>& palette) {
    std::string text = "JASC-PAL\r\n0100\r\n" + std::to_string(palette.size()) + "\r\n";
    for (const ColourWord w : palette)
        text += channels(w, " ") + "\r\n";
    return text;
}

std::string swatchPng(const std::vector<ColourWord>& palette) {
    std::string out;
    const std::size_t rows = (palette.size() + kSwatchWidth - 1) / kSwatchWidth;
    std::vector<png_color> colours;
    for (const ColourWord w : palette)
        colours.push_back({widen5(red5(w)), widen5(green5(w)), widen5(blue5(w))});
    std::vector<png_byte> pixels(rows * kSwatchWidth, 0);
    for (std::size_t e = 0; e < palette.size(); ++e)
        pixels[e] = static_cast<png_byte>(e);
    out.reserve(1024);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png == nullptr ? nullptr : png_create_info_struct(png);
    // libpng reports a failure by a long jump back here; everything with a destructor was made
    // before it.
    if (info == nullptr || setjmp(png_jmpbuf(png)) != 0) {
        png_destroy_write_struct(&png, &info);
        throw std::bad_alloc();  // writing into memory fails for want of memory only
    }
    png_set_write_fn(png, &out, appendBytes, nullptr);
    png_set_IHDR(png, info, kSwatchWidth, static_cast<png_uint_32>(rows), 8, PNG_COLOR_TYPE_PALETTE,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_PLTE(png, info, colours.data(), static_cast<int>(colours.size()));
    png_write_info(png, info);
    for (std::size_t r = 0; r < rows; ++r)
        png_write_row(png, pixels.data() + r * kSwatchWidth);
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return out;
}

}  // namespace tessera
