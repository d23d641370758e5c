// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/text/PictureText.h"

#include "formats/text/CArrayWriter.h"
#include "formats/text/CommentBlock.h"

namespace tessera {

namespace {

using gp32::kHeightSuffix;
using gp32::kPalnbSuffix;
using gp32::kWidthSuffix;
constexpr std::int64_t kProgressEvery = 16;

}  // namespace

void writePictureHeading(TextStream& out, const PictureHeading& h) {
    const std::string width = std::to_string(h.width);
    const std::string height = std::to_string(h.height);
    writeCommentBlock(out, h.title,
                      {kWidthLabel + width, kHeightLabel + height,
                       kModeLabel + std::to_string(h.gp32Mode) + kModeUnit});
    out.WriteLine("#define " + h.name + kWidthSuffix + width);
    out.WriteLine("#define " + h.name + kHeightSuffix + height);
    out.WriteBlankLines(1);
}

void writePaletteText(const TextOutput& out, const std::string& name,
                      std::span<const std::uint16_t> palette, bool includeGraphicsHeader) {
    TextStream& heading = out.heading();
    heading.WriteLine("#define " + name + kPalnbSuffix + std::to_string(palette.size()));
    heading.WriteBlankLines(1);
    if (includeGraphicsHeader)
        heading.WriteLine(gp32::kGraphicsInclude);
    heading.WriteBlankLines(1);
    writeHexArray(out, gp32::kPaletteType, name + gp32::kPaletteSuffix, palette, 0, Progress());
    out.data.WriteBlankLines(2);
}

void writeColourArray(const TextOutput& out, const std::string& name,
                      std::span<const std::uint16_t> colours, const Progress& progress) {
    writeHexArray(out, gp32::kWordArrayType, name, colours, kProgressEvery, progress);
}

void writeIndexArray(const TextOutput& out, const std::string& name,
                     std::span<const std::uint8_t> indices, const Progress& progress) {
    writeHexArray(out, gp32::kByteArrayType, name, indices, kProgressEvery, progress);
}

}  // namespace tessera
