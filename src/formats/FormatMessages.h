// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tessera::messages {

// What the conversions say when they refuse a picture or a sound, side by side. Each reason says
// what the file is and, where one command of a common tool mends it, that command.
inline constexpr const char* kOnlyDepths = "Only 8 and 24 bits pictures can be converted :(";
inline constexpr const char* kCantConvert = "Can't convert this picture :(";
inline constexpr const char* kEmptyPicture = "Its width and height must be more than 0.";
inline std::string tooBig(std::int64_t maxElements) {
    return "It is too big: more than " + std::to_string(maxElements) +
           " pixels once its columns are padded.";
}
inline std::string pngTooWide(std::int64_t maxWidth) {
    return "It is too wide: PNG rows are decoded whole, and rows of more than " +
           std::to_string(maxWidth) + " pixels are not read.";
}
inline constexpr const char* kHeaderKind =
    "Its information header is of a kind this tool does not read.";
inline constexpr const char* kCutHeaders = "The file ends inside its headers.";
inline constexpr const char* kDataOffset =
    "Its pixels would start inside its headers or past its end.";
inline constexpr const char* kColourCount = "Its colour table claims more than 256 colours.";
inline constexpr const char* kMasks =
    "Its colour masks are split into several runs of bits, which no colour can be read from.";
inline constexpr const char* kRawNoColours =
    "It is a RAW picture of 8 bits: its indices have no colours to reduce or map (convert it "
    "as 24 bits, or convert its own colours in a BMP or PNG).";
inline constexpr const char* kBmpFix =
    " (`convert IN.bmp BMP3:OUT.bmp` writes a plain 24-bit copy).";

inline std::string bitmapDepth(std::int32_t bitsPerPixel) {
    return "It has " + std::to_string(bitsPerPixel) +
           " bits per pixel; bitmaps of 1, 4, 8, 16, 24 and 32 bits are read" + kBmpFix;
}

inline std::string bitmapPacking(std::uint32_t compression, std::int32_t bitsPerPixel) {
    const char* what = compression == 4   ? "as JPEG data"
                       : compression == 5 ? "as PNG data"
                                          : "in a way this tool does not read";
    return "Its " + std::to_string(bitsPerPixel) + " bits pixels are packed " + what +
           " (compression " + std::to_string(compression) +
           "); plain pixels, RLE at 4 and 8 bits and bit fields at 16 and 32 bits are read" +
           kBmpFix;
}

inline std::string indexBeyondTable(std::int64_t x, std::int64_t y, int index, int colours) {
    return "Its pixel at x " + std::to_string(x) + ", y " + std::to_string(y) +
           " (from the top left corner) is colour " + std::to_string(index) +
           ", beyond its colour table of " + std::to_string(colours) + " colours.";
}

inline std::string pngDamaged(const std::string& what) {
    return what.empty() ? "Its PNG data is damaged." : "Its PNG data is damaged: " + what + ".";
}

inline constexpr const char* kCantReadPalette = "Can't read this palette :(";
inline constexpr const char* kTrueColourPalette =
    "It is a true-colour picture, with no colour table to map onto (give an 8-bit BMP or PNG, or "
    "make a palette from it with --make-palette).";
inline constexpr const char* kNoPalette =
    "It holds no palette this tool reads: an 8-bit BMP or PNG, a GIMP palette (.gpl), a JASC "
    "palette (.pal) or C text with one GP_PALETTEENTRY array.";
inline constexpr const char* kNoColours = "Its palette holds no colour.";
inline constexpr const char* kPaletteCut = "It ends before the count of colours it claims.";

inline std::string badPaletteLine(int line) {
    return "Its line " + std::to_string(line) +
           " is not what a palette holds there (three numbers from 0 to 255 for a colour).";
}

inline std::string badPaletteArray(const std::string& name) {
    return "Its array " + name + " is not laid out as Tessera writes a palette.";
}

inline std::string paletteArrays(const std::vector<std::string>& names) {
    if (names.empty())
        return "It declares GP_PALETTEENTRY arrays but defines none (give the .c file).";
    std::string list;
    for (const std::string& n : names)
        list += (list.empty() ? "" : ", ") + n;
    return "It holds " + std::to_string(names.size()) + " palette arrays (" + list +
           "): give a file with one.";
}

inline constexpr const char* kNoSample = "This sound has no sample to convert :(";
inline constexpr const char* kCantConvertSound = "Can't convert this sound :(";
inline std::string soundChannels(std::int32_t channels) {
    return "It has " + std::to_string(channels) +
           " channels; only mono and stereo sounds are converted" +
           (channels == 0 ? "." : " (`sox IN.wav -c 2 OUT.wav` mixes it down to stereo).");
}

inline std::string rateNotResampled(std::int32_t hz) {
    return "It states a rate of " + std::to_string(hz) +
           " samples a second, which no sound is resampled from.";
}
inline constexpr const char* kWrittenTooLong =
    "At this rate and depth its samples would be over 2 GB, more than a .sef file can count.";
// A sound whose first bytes name a kind the container library reads, but which it could not.
inline std::string containerUnreadable(const std::string& whatItIs, const std::string& why) {
    return "It is " + whatItIs + " that could not be read (" + why +
           "); `ffmpeg -i IN OUT.wav` writes a WAV copy of what can be read.";
}

inline std::string soundDepth(std::int32_t bitsPerSample, bool floating) {
    return "It has " + std::to_string(bitsPerSample) + " bits " +
           (floating ? "floating-point" : "integer") +
           " samples; 8, 16, 24 and 32 bits integer and 32 and 64 bits floating-point samples "
           "are read (`sox IN.wav -b 16 OUT.wav` writes a 16-bit copy).";
}

// Converting a file Tessera wrote back to a picture or a sound.
inline constexpr const char* kCantConvertBack = "Can't convert this file back :(";
inline std::string notAsWritten(int line) {
    return "Line " + std::to_string(line) +
           " is not as Tessera writes it: a block edited by hand, or one of another tool, is not "
           "read back.";
}
inline constexpr const char* kNoBlock = "It holds no block of C text Tessera wrote.";
inline std::string noSuchBlock(const std::string& name, const std::string& names) {
    return "It holds no block named " + name + "; it holds " + names + ".";
}
inline std::string severalBlocks(const std::string& names) {
    return "It holds several blocks: " + names + " (-n NAME picks one).";
}
inline constexpr const char* kPaletteOnlyBlock =
    "Its block holds a palette and no picture (it was written with \"Generate ONLY Palette\").";
inline std::string gpgSize(std::int64_t count, std::int64_t width, std::int64_t height,
                           std::int64_t needed) {
    return "It holds " + std::to_string(count) + " indices, but a " + std::to_string(width) + "x" +
           std::to_string(height) + " picture takes " + std::to_string(needed) +
           " (--raw WxH gives its real size).";
}
inline std::string fileLength(const char* what, std::int64_t said, std::int64_t held) {
    return std::string("Its header says ") + std::to_string(said) + " bytes of " + what +
           ", but it holds " + std::to_string(held) + ".";
}

}  // namespace tessera::messages
