#include "app/AppMessages.h"
#include "app/FileNames.h"
#include "app/Form1.h"
#include "formats/picture/GpgWriter.h"
#include "formats/picture/Palette.h"
#include "formats/picture/PictureLayout.h"
#include "formats/picture/PixelPlacement.h"
#include "formats/text/PictureText.h"
#include "platform/InputFile.h"
#include "platform/OutputFile.h"

// The window's picture procedures: each reads the controls and the converter state into plain
// values and hands them to the formats layer.

namespace tessera {

namespace {

void keepPixels(ConverterState& state, ScreenPixels&& pixels) {
    state.bytData = std::move(pixels.indices);
    state.strValues = std::move(pixels.colours);
}

}  // namespace

void Form1::RAWRotateRight() {
    ConvertBMPPixels();  // the layout knows a RAW picture's row order and colour order
}

void Form1::ConvertBMPPixels() {
    const PictureInfo& info = *state.picture;
    const PictureLayout layout = pictureLayout(info);
    const InputFile in = openLoadedInput(info.file);
    if (layout.bytesPerPixel == 3)
        state.lngFillBit = fillBit();
    keepPixels(state,
               placePixels(in, layout, state.lngFillBit, progressBar(0, kConvertedProgress, true)));
}

void Form1::ConvertBMPPalette() {
    const InputFile in = openLoadedInput(state.picture->file);
    state.lngFillBit = fillBit();
    state.strPal = readPalette(in, *state.picture, state.lngFillBit);
}

void Form1::WriteImageText() {
    if (!state.picture)
        return;
    const PictureInfo& info = *state.picture;
    const bool raw = info.kind == PictureKind::Raw;
    const TextOutput out = textOutput();
    const std::string& name = txtVar.Text();
    const std::int16_t depth = pictureDepth();
    const bool wantPalette = !raw && depth == 8 && chkPal.Value() == 1;
    const bool wantPixels = raw || depth == 24 || chkOnlyPal.Value() == 0;

    // Every refusal comes before the first line, so a refused picture leaves no text behind.
    const PictureLayout layout = pictureLayout(info);
    if (raw)
        RAWRotateRight();
    else if (depth == 8 && !wantPixels)  // a palette written alone comes from a whole picture too
        placePixels(openLoadedInput(info.file), layout, 0, [](std::int64_t, std::int64_t) {});

    writePictureHeading(out.heading(), {.title = state.strImgTitle,
                                        .name = name,
                                        .width = layout.order.width,
                                        .height = layout.order.height,
                                        .gp32Mode = state.intGP32Mode()});
    const Progress writing =
        progressBar(kConvertedProgress, kFullProgress - kConvertedProgress, true);
    if (depth == 24) {
        if (!raw)
            ConvertBMPPixels();
        writeColourArray(out, name, state.strValues, writing);
        return;
    }
    if (wantPalette) {
        ConvertBMPPalette();
        writePaletteText(out, name, state.strPal, state.includeGraphicsHeader);
    }
    if (wantPixels) {
        if (!raw)
            ConvertBMPPixels();
        writeIndexArray(out, name, state.bytData, writing);
    }
}

void Form1::WriteGPGFile() {
    if (chkOnlyPal.Value() == 1)
        throw PlainRefusal(Reason::GpgNoPalette, messages::kGpgNoPalette);
    if (state.bAddMode != 0)
        throw PlainRefusal(Reason::GpgNoAdd, messages::kGpgNoAdd);
    if (!state.picture)
        return;
    if (pictureDepth() == 24)
        throw PlainRefusal(Reason::GpgOnly8Bits, messages::kGpgOnly8Bits);
    // Any other depth, a size or a packing that cannot be converted: refused before the output
    // exists.
    pictureLayout(*state.picture);

    OutputFile out(state.strOutPath, OutputFile::Mode::Replace);
    ConvertBMPPixels();
    writeGpg(out, state.bytData,
             progressBar(kConvertedProgress, kFullProgress - kConvertedProgress, true));
    refuseChangedInput();
    out.commit();
    ui_.msgBox(messages::kDone, MsgStyle::OkOnly);
}

}  // namespace tessera
