#include <cmath>
#include <string>

#include "app/Form1.h"
#include "app/InputFile.h"
#include "app/VbText.h"
#include "export/CArrayWriter.h"
#include "export/CommentBlock.h"
#include "image/BmpHeader.h"
#include "image/Gp32.h"
#include "image/PictureLayout.h"

namespace tessera {

namespace {

// The suffixes of the #define names fill twelve characters, so the values line up.
constexpr const char* kWidthSuffix = "_width      ";
constexpr const char* kHeightSuffix = "_height     ";
constexpr const char* kPalnbSuffix = "_palnb      ";
// Picture arrays move the bar once per line of 16 literals.
constexpr std::int64_t kProgressEvery = 16;

}  // namespace

void Form1::WriteImageText() {
    const bool raw = hasKind(state.strImgPath, "raw");
    if (!raw && !hasKind(state.strImgPath, "bmp"))
        return;
    TextStream& out = *state.tsOut;
    const bool wantPalette = !raw && state.intBpp == 8 && chkPal.Value() == 1;
    const bool wantPixels = raw || state.intBpp == 24 || chkOnlyPal.Value() == 0;

    // Every refusal comes before the first line, so a refused picture leaves no text behind.
    PictureLayout layout;
    if (raw) {
        layout = rawLayout(state);
    } else {
        layout = bmpLayout(state, readBmpHeader(InputFile(state.strImgPath)));
        if (wantPalette)
            checkPaletteCount(state.lngPalCount);
    }
    if (raw)
        RAWRotateRight();

    // A top-down bitmap is written exactly as its bottom-up twin, positive height included.
    const std::string width = std::to_string(layout.order.width);
    const std::string height = std::to_string(layout.order.height);
    writeCommentBlock(out, state.strImgTitle,
                      {"// Width     = " + width, "// Heigth    = " + height,
                       "// GP32 Mode = " + std::to_string(state.intGP32Mode) + " Bits per Pixel"});
    out.WriteLine("#define " + txtVar.Text() + kWidthSuffix + width);
    out.WriteLine("#define " + txtVar.Text() + kHeightSuffix + height);
    out.WriteBlankLines(1);

    auto progress = [this](std::int64_t i) {
        setPercentWidth(std::floor(static_cast<double>(i) / state.lngCount * gp32::kWritingSpan) +
                        gp32::kConvertedWidth);
    };
    // The arrays hold exactly lngCount elements after a conversion.
    auto writeColours = [&] {
        writeHexArray(out, "const unsigned short " + txtVar.Text(),
                      std::span<const std::uint16_t>(state.strValues), kProgressEvery, progress);
    };
    auto writeIndices = [&] {
        writeHexArray(out, "const unsigned char " + txtVar.Text(),
                      std::span<const std::uint8_t>(state.bytData), kProgressEvery, progress);
    };

    if (raw) {
        if (state.intBpp == 24)
            writeColours();
        else
            writeIndices();
        return;
    }
    if (state.intBpp == 24) {
        ConvertBMPPixels();
        writeColours();
        return;
    }
    if (wantPalette) {
        ConvertBMPPalette();
        out.WriteLine("#define " + txtVar.Text() + kPalnbSuffix +
                      std::to_string(state.lngPalCount));
        out.WriteBlankLines(1);
        // A file being added to already includes the SDK's graphics header.
        if (state.bAddMode == 0)
            out.WriteLine("#include \"gpgraphic.h\"");
        out.WriteBlankLines(1);
        writeHexArray(out, "GP_PALETTEENTRY " + txtVar.Text() + "_Pal",
                      std::span<const std::uint16_t>(state.strPal), 0, [](std::int64_t) {});
        out.WriteBlankLines(2);
    }
    if (wantPixels) {
        ConvertBMPPixels();
        writeIndices();
    }
}

}  // namespace tessera
