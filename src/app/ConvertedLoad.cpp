// SPDX-License-Identifier: GPL-3.0-or-later
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "app/AppMessages.h"
#include "app/ConvertBack.h"
#include "app/DialogRAW.h"
#include "app/FileNames.h"
#include "app/Form1.h"
#include "app/VbConvert.h"
#include "formats/FormatMessages.h"
#include "platform/Errors.h"

namespace tessera {

namespace {

// The depths and channels a .sef may hold, in the order the question lists them.
struct SefKind {
    int bits;
    int channels;
};
constexpr SefKind kSefKinds[] = {{8, 1}, {8, 2}, {16, 1}, {16, 2}};

}  // namespace

BackFolder::~BackFolder() {
    std::error_code ignored;
    if (!path_.empty())
        std::filesystem::remove_all(path_, ignored);
}

std::string BackFolder::fileNamed(const std::string& name) {
    if (path_.empty()) {
        std::string pattern = (std::filesystem::temp_directory_path() / "tessera-back-XXXXXX");
        if (::mkdtemp(pattern.data()) == nullptr)
            throw TesseraError(
                Reason::OutputUnwritable,
                failureText(messages::kCantConvertBack, pattern + ": " + std::strerror(errno)));
        path_ = pattern;
    }
    return path_ + "/" + name;
}

std::optional<std::string> Form1::convertedForLoad(const std::string& path, bool sound) {
    const std::optional<ConvertedContents> contents = convertedContents(path, "");
    if (!contents)
        return std::nullopt;
    if (!contents->refusal.empty())
        throw TesseraError(contents->reason, contents->refusal, FileRole::Input);
    BackRequest request{.input = path};
    std::string name = withoutExtension(titleOf(path));
    switch (contents->kind) {
        case ConvertedKind::Gpg: {
            if (sound)
                refuseConverted(Reason::BackKind, messages::backKind(false));
            DialogRAW dialog(lblIMGWidth, lblIMGHeight, lblIMGbpp);
            ui_.showRawDialog(dialog);
            if (!dialog.unloaded())
                throw CommandCancelled{};
            request.width = valToInt32(lblIMGWidth.Caption).value_or(0);
            request.height = valToInt32(lblIMGHeight.Caption).value_or(0);
            break;
        }
        case ConvertedKind::Sef: {
            if (!sound)
                refuseConverted(Reason::BackKind, messages::backKind(true));
            std::vector<std::string> kinds;
            for (const SefKind& kind : kSefKinds)
                kinds.push_back(std::to_string(kind.bits) + " bits, " +
                                (kind.channels == 2 ? "Stereo" : "Mono"));
            const int chosen = ui_.chooseItem(messages::kWhichSefKind, kinds);
            if (chosen < 0)
                throw CommandCancelled{};
            request.bits = kSefKinds[chosen].bits;
            request.channels = kSefKinds[chosen].channels;
            break;
        }
        case ConvertedKind::CText: {
            std::vector<const ConvertedBlock*> blocks;
            std::vector<std::string> items;
            for (const ConvertedBlock& block : contents->blocks) {
                if ((block.kind == BlockKind::Sound) == sound &&
                    block.kind != BlockKind::PaletteOnly) {
                    blocks.push_back(&block);
                    items.push_back(block.name + ": " + blockDescription(block));
                }
            }
            if (blocks.empty())
                refuseConverted(Reason::BackKind, messages::noBlockToLoad(sound));
            const int chosen =
                blocks.size() == 1 ? 0 : ui_.chooseItem(messages::kWhichBlock, items);
            if (chosen < 0)
                throw CommandCancelled{};
            request.name = name = blocks[static_cast<std::size_t>(chosen)]->name;
            break;
        }
    }
    if (name.empty())
        name = sound ? "sound" : "picture";
    request.output = backFolder_.fileNamed(name + (sound ? ".wav" : ".png"));
    const BackOutcome outcome = convertBack(request);
    if (!outcome.done)
        throw TesseraError(outcome.reason, outcome.refusal,
                           outcome.aboutOutput ? FileRole::Output : FileRole::Input);
    return request.output;
}

}  // namespace tessera
