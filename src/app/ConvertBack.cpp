// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ConvertBack.h"

#include "app/AppMessages.h"
#include "app/FileNames.h"
#include "formats/FormatMessages.h"
#include "formats/back/BackPicture.h"
#include "platform/Errors.h"
#include "platform/FileChecks.h"
#include "platform/InputFile.h"
#include "platform/OutputFile.h"
#include "platform/PlatformMessages.h"

namespace tessera {

namespace {

std::string namesOf(const std::vector<ConvertedBlock>& blocks) {
    std::string names;
    for (const ConvertedBlock& block : blocks)
        names += (names.empty() ? "" : ", ") + block.name;
    return names;
}

}  // namespace

bool isBackOutput(std::string_view path) {
    return hasKind(path, "png") || hasKind(path, "bmp") || hasKind(path, "wav");
}

gp32::PaddingSide paddingSideOf(const ConvertedBlock& block) {
    return hasKind(block.title, "raw") ? gp32::PaddingSide::BelowBottom
                                       : gp32::PaddingSide::AboveTop;
}

ConvertedBlock pickBlock(const BackRequest& r) {
    const InputFile in(r.input);
    switch (convertedKindOf(in)) {
        case ConvertedKind::Gpg:
            if (r.width == 0 || r.height == 0)
                refuseConverted(Reason::BackNeedsShape, messages::kGpgNeedsSize);
            return readGpg(in, r.width, r.height);
        case ConvertedKind::Sef:
            if (r.bits == 0)
                refuseConverted(Reason::BackNeedsShape, messages::kSefNeedsBits);
            return readSef(in, r.bits, r.channels == 0 ? 1 : r.channels,
                           r.rate == 0 ? kDefaultSefRate : r.rate);
        case ConvertedKind::CText:
            break;
    }
    std::vector<ConvertedBlock> blocks = readCTextBlocks(in, r.name);
    if (blocks.size() > 1)
        refuseConverted(Reason::BackSeveralBlocks, messages::severalBlocks(namesOf(blocks)));
    ConvertedBlock block = std::move(blocks.front());
    if (r.rate != 0)
        block.rate = r.rate;
    if (r.channels != 0)
        block.channels = r.channels;
    return block;
}

namespace {

std::vector<std::string> writeBack(const BackRequest& r) {
    if (sameFile(r.input, r.output)) {
        throw TesseraError(
            Reason::OutputIsInput,
            failureText(messages::kCantWrite, r.output + ": " + messages::kSameAsInput),
            FileRole::Output);
    }
    const ConvertedBlock block = pickBlock(r);
    const bool sound = block.kind == BlockKind::Sound;
    if (sound != hasKind(r.output, "wav"))
        refuseConverted(Reason::BackKind, messages::backKind(sound));
    if (block.kind == BlockKind::PaletteOnly)
        refuseConverted(Reason::BackKind, messages::kPaletteOnlyBlock);

    std::vector<std::string> notes;
    OutputFile out(r.output, OutputFile::Mode::Replace);
    if (sound) {
        if (block.rate == 0)
            refuseConverted(Reason::BackNeedsShape, messages::kNeedsRate);
        if (r.rate == 0 && block.rateKHz != 0 && block.rate != block.rateKHz * 1000)
            notes.push_back(messages::rateOfComment(block.rateKHz, block.rate));
        if (r.rate == 0 && block.rateKHz == 0)
            notes.push_back(messages::assumedRate(block.rate));
        writeWav(out, block);
    } else {
        const std::span<const std::uint16_t> palette =
            !block.palette.empty() ? std::span(block.palette) : std::span(r.palette);
        if (block.bits == 8 && palette.empty())
            notes.push_back(messages::kGreyRamp);
        const BackPicture picture = pictureOfScreen(block, palette, paddingSideOf(block));
        if (hasKind(r.output, "png"))
            writePng(out, picture);
        else
            writeBmp(out, picture);
    }
    out.commit();
    return notes;
}

}  // namespace

std::optional<ConvertedContents> convertedContents(const std::string& path,
                                                   const std::string& name) {
    if (hasKind(path, "bmp") || hasKind(path, "png") || hasKind(path, "raw") ||
        hasKind(path, "wav"))
        return std::nullopt;
    try {
        const InputFile in(path);
        const ConvertedKind kind = convertedKindOf(in);
        if (kind == ConvertedKind::CText && !looksConverted(in))
            return std::nullopt;
        ConvertedContents contents{.kind = kind};
        if (kind == ConvertedKind::CText)
            contents.blocks = readCTextBlocks(in, name);
        else
            contents.length = in.readU32(4);
        return contents;
    } catch (const TesseraError& e) {
        return ConvertedContents{.refusal = e.what(), .reason = e.reason()};
    }
}

std::string blockDescription(const ConvertedBlock& b) {
    const std::string bits = std::to_string(b.bits) + " bits";
    const std::string palette = "palette of " + std::to_string(b.palette.size()) + " colours";
    switch (b.kind) {
        case BlockKind::Sound:
            return "sound, " + bits + ", " + (b.channels == 2 ? "Stereo" : "Mono") + ", " +
                   std::to_string(b.rateKHz) + "kHz, " + std::to_string(b.count()) + " samples";
        case BlockKind::PaletteOnly:
            return palette;
        case BlockKind::Picture:
            break;
    }
    return "picture, " + std::to_string(b.width) + " x " + std::to_string(b.height) + ", " + bits +
           (b.palette.empty() ? "" : ", " + palette);
}

BackOutcome convertBack(const BackRequest& request) {
    try {
        return {.done = true, .notes = writeBack(request)};
    } catch (const TesseraError& e) {
        return {
            .refusal = e.what(), .reason = e.reason(), .aboutOutput = e.role() == FileRole::Output};
    }
}

}  // namespace tessera
