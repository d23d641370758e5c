#include "formats/text/PictureText.h"

#include "formats/text/CArrayWriter.h"
#include "formats/text/CommentBlock.h"

namespace tessera {

namespace {

// The suffixes of the #define names fill twelve characters, so the values line up.
constexpr const char* kWidthSuffix = "_width      ";
constexpr const char* kHeightSuffix = "_height     ";
constexpr const char* kPalnbSuffix = "_palnb      ";
constexpr std::int64_t kProgressEvery = 16;

}  // namespace

void writePictureHeading(TextStream& out, const PictureHeading& h) {
    const std::string width = std::to_string(h.width);
    const std::string height = std::to_string(h.height);
    writeCommentBlock(out, h.title,
                      {"// Width     = " + width, "// Heigth    = " + height,
                       "// GP32 Mode = " + std::to_string(h.gp32Mode) + " Bits per Pixel"});
    out.WriteLine("#define " + h.name + kWidthSuffix + width);
    out.WriteLine("#define " + h.name + kHeightSuffix + height);
    out.WriteBlankLines(1);
}

void writePaletteText(TextStream& out, const std::string& name,
                      std::span<const std::uint16_t> palette, bool includeGraphicsHeader) {
    out.WriteLine("#define " + name + kPalnbSuffix + std::to_string(palette.size()));
    out.WriteBlankLines(1);
    if (includeGraphicsHeader)
        out.WriteLine("#include \"gpgraphic.h\"");
    out.WriteBlankLines(1);
    writeHexArray(out, "GP_PALETTEENTRY " + name + "_Pal", palette, 0, Progress());
    out.WriteBlankLines(2);
}

void writeColourArray(TextStream& out, const std::string& name,
                      std::span<const std::uint16_t> colours, const Progress& progress) {
    writeHexArray(out, "const unsigned short " + name, colours, kProgressEvery, progress);
}

void writeIndexArray(TextStream& out, const std::string& name,
                     std::span<const std::uint8_t> indices, const Progress& progress) {
    writeHexArray(out, "const unsigned char " + name, indices, kProgressEvery, progress);
}

}  // namespace tessera
