// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AppMessages.h"
#include "app/FileNames.h"
#include "app/Form1.h"
#include "formats/picture/GpgWriter.h"
#include "formats/picture/Palette.h"
#include "formats/picture/PaletteStep.h"
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

std::optional<PaletteOptions> Form1::paletteStep() const {
    if (colourOptions.active())
        return colourOptions;
    if (!colourOptions.transparent || !state.picture || convertedDepth(*state.picture) != 8)
        return std::nullopt;
    PaletteOptions own = colourOptions;
    own.colours = kMaxColours;
    return own;
}

void Form1::colourOptionsChanged() {
    if (!state.picture)
        return;
    state.intGP32Mode = pictureDepth() == 8 ? 8 : 16;
    const bool loaded = cmdBMPConvert.Enabled;
    disableConvertControls();
    if (loaded)
        pictureLoadCompletes();
}

void Form1::ConvertBMPPixels() {
    const PictureInfo& info = *state.picture;
    const std::optional<ColourWord> transparent = colourOptions.transparent;
    const PictureLayout layout =
        pictureLayout(info, transparent.has_value() && colourOptions.byAlpha);
    const InputFile in = openLoadedInput(info.file);
    const Progress progress = progressBar(0, kConvertedProgress, true);
    if (const std::optional<PaletteOptions> step = paletteStep()) {
        // The picture's colours become entries of a palette of its own or of the one given.
        ReducedPicture reduced = reducePicture(in, info, layout, *step, progress);
        state.lngFillBit = fillBit();
        state.bytData = std::move(reduced.indices);
        state.strValues.clear();
        state.strPal.clear();
        for (const ColourWord w : reduced.palette)
            state.strPal.push_back(static_cast<std::uint16_t>(w | state.lngFillBit));
        return;
    }
    if (layout.bytesPerPixel != 1)
        state.lngFillBit = fillBit();
    keepPixels(state, placePixels(in, layout, state.lngFillBit, progress, transparent));
}

void Form1::ConvertBMPPalette() {
    const InputFile in = openLoadedInput(state.picture->file);
    state.lngFillBit = fillBit();
    state.strPal = readPalette(in, *state.picture, state.lngFillBit);
}

bool Form1::paletteWanted() const {
    return state.picture && (state.picture->kind != PictureKind::Raw || paletteStep()) &&
           pictureDepth() == 8 && chkPal.Value() == 1;
}

void Form1::WriteImageText() {
    if (!state.picture)
        return;
    const PictureInfo& info = *state.picture;
    const bool raw = info.kind == PictureKind::Raw;
    const TextOutput out = textOutput();
    const std::string& name = txtVar.Text();
    const std::int16_t depth = pictureDepth();
    const bool reduced = paletteStep().has_value();
    const bool wantPalette = paletteWanted();
    const bool wantPixels = (raw && !reduced) || depth == 24 || chkOnlyPal.Value() == 0;
    // RAW pixels, and pixels that choose their own palette, are converted before the first line.
    const bool converted = raw || reduced;

    // Every refusal comes before the first line, so a refused picture leaves no text behind.
    const PictureLayout layout = pictureLayout(info);
    if (reduced)
        ConvertBMPPixels();
    else if (raw)
        RAWRotateRight();
    else if (depth == 8 && !wantPixels)  // a palette written alone comes from a whole picture too
        placePixels(openLoadedInput(info.file), layout, 0, [](std::int64_t, std::int64_t) {});

    writePictureHeading(out.heading(), {.title = state.strImgTitle,
                                        .name = name,
                                        .width = layout.order.width,
                                        .height = layout.order.height,
                                        .gp32Mode = state.intGP32Mode});
    const Progress writing =
        progressBar(kConvertedProgress, kFullProgress - kConvertedProgress, true);
    if (depth == 24) {
        if (!converted)
            ConvertBMPPixels();
        writeColourArray(out, name, state.strValues, writing);
        return;
    }
    if (wantPalette) {
        if (!reduced)
            ConvertBMPPalette();
        writePaletteText(out, name, state.strPal, state.includeGraphicsHeader);
    }
    if (wantPixels) {
        if (!converted)
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
    if (paletteStep()) {
        ConvertBMPPixels();
        writeGpg(out, state.bytData,
                 progressBar(kConvertedProgress, kFullProgress - kConvertedProgress, true));
    } else {
        // The picture's own indices go from their placement to the file, not kept after it.
        const ZeroedBuffer indices =
            placeIndices(openLoadedInput(state.picture->file), pictureLayout(*state.picture),
                         progressBar(0, kConvertedProgress, true));
        writeGpg(out, indices.span(),
                 progressBar(kConvertedProgress, kFullProgress - kConvertedProgress, true));
    }
    refuseChangedInput();
    out.commit();
    ui_.msgBox(messages::kDone, MsgStyle::OkOnly);
}

}  // namespace tessera
