// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/PaletteJobs.h"

#include "app/AppMessages.h"
#include "app/FileNames.h"
#include "app/PictureLoad.h"
#include "formats/picture/PaletteFile.h"
#include "formats/picture/PaletteStep.h"
#include "formats/text/CommentBlock.h"
#include "formats/text/PictureText.h"
#include "formats/text/TextOutput.h"
#include "platform/Errors.h"
#include "platform/InputFile.h"
#include "platform/OutputFile.h"
#include "platform/PlatformMessages.h"
#include "platform/TextStream.h"

namespace tessera {

namespace {

std::string fileTitle(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

void writeCText(const PaletteJob& job, const std::vector<ColourWord>& palette) {
    std::vector<std::uint16_t> colours;
    for (const ColourWord w : palette)
        colours.push_back(static_cast<std::uint16_t>(w | (job.fillBit & 1)));
    TextStream out(job.output, OutputFile::Mode::Replace);
    // The block "Generate ONLY Palette" writes for the palette's swatch picture.
    writePictureHeading(out, {.title = printableTitle(fileTitle(job.output)),
                              .name = job.name,
                              .width = kSwatchWidth,
                              .height = std::ssize(palette) / kSwatchWidth +
                                        (std::ssize(palette) % kSwatchWidth != 0 ? 1 : 0),
                              .gp32Mode = 8});
    writePaletteText(TextOutput{out}, job.name, colours, true);
    out.Close();
}

void writeBytes(const std::string& path, const std::string& bytes) {
    OutputFile out(path, OutputFile::Mode::Replace);
    out.write(bytes);
    out.commit();
}

}  // namespace

PaletteOf readPaletteOf(const std::string& path) {
    try {
        const InputFile in(path);
        return {readPaletteFile(in), std::nullopt};
    } catch (const TesseraError& e) {
        return {{}, FileFailure{path, e.what()}};
    }
}

bool isPaletteOutput(const std::string& path) {
    return paletteFileKind(path) != PaletteFileKind::Unknown;
}

std::optional<FileFailure> makePalette(const PaletteJob& job) {
    ColourCounts counts;
    for (const std::string& path : job.inputs) {
        try {
            const InputFile in(path);
            const PictureInfo info = describedPicture(in);
            const PictureLayout layout =
                pictureLayout(info, job.options.transparent && job.options.byAlpha);
            counts.add(
                pictureColours(in, info, layout, job.options, [](std::int64_t, std::int64_t) {}));
            if (!(InputFile(path).stamp() == info.file))
                throw TesseraError(
                    Reason::ChangedSinceLoad,
                    failureText(messages::kCantRead, path + ": " + messages::kChangedSinceLoad));
        } catch (const TesseraError& e) {
            return FileFailure{path, e.what()};
        }
    }
    const std::vector<ColourWord> palette = choosePalette(counts, job.options);
    try {
        switch (paletteFileKind(job.output)) {
            case PaletteFileKind::CText:
                writeCText(job, palette);
                break;
            case PaletteFileKind::Gimp:
                writeBytes(job.output, gimpPaletteText(palette, job.name));
                break;
            case PaletteFileKind::Jasc:
                writeBytes(job.output, jascPaletteText(palette));
                break;
            case PaletteFileKind::Png:
            case PaletteFileKind::Unknown:
                writeBytes(job.output, swatchPng(palette));
                break;
        }
    } catch (const TesseraError& e) {
        return FileFailure{job.output, e.what()};
    }
    return std::nullopt;
}

}  // namespace tessera
