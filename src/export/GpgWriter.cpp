#include <algorithm>
#include <cmath>
#include <string_view>

#include "app/Errors.h"
#include "app/Form1.h"
#include "app/InputFile.h"
#include "app/OutputFile.h"
#include "app/VbText.h"
#include "commands/ConvertMessages.h"
#include "image/BmpHeader.h"
#include "image/Gp32.h"
#include "image/ImageMessages.h"
#include "image/PictureLayout.h"

namespace tessera {

namespace {

// The .gpg writer's own refusals.
constexpr const char* kNoPalette = "Can't export palette\r\n with \".GPG\" Files :(";
constexpr const char* kNoAdd = "Can't ADD with \".GPG\" Files :(";
constexpr const char* kOnly8Bits = "Only 8 bits pictures can be\r\nconverted in a \".GPG\" file :(";

// The file starts with the tag the GP32 loader looks for, then the index count.
constexpr std::string_view kTag = "gpg ";
constexpr std::int64_t kProgressBlock = 512;

}  // namespace

void Form1::WriteGPGFile() {
    if (chkOnlyPal.Value() == 1) {
        ui_.msgBox(kNoPalette, MsgStyle::OkOnly);
        return;
    }
    if (state.bAddMode != 0) {
        ui_.msgBox(kNoAdd, MsgStyle::OkOnly);
        return;
    }
    const bool raw = hasKind(state.strImgPath, "raw");
    if (!raw && !hasKind(state.strImgPath, "bmp"))
        return;
    if (state.intBpp == 24) {
        ui_.msgBox(kOnly8Bits, MsgStyle::OkOnly);
        return;
    }
    // Any other depth, a size or a packing that cannot be converted: refused before the output
    // exists.
    if (raw)
        rawLayout(state);
    else
        bmpLayout(state, readBmpHeader(InputFile(state.strImgPath)));

    OutputFile out(state.strOutPath, OutputFile::Mode::Replace);
    if (raw)
        RAWRotateRight();
    else
        ConvertBMPPixels();

    out.write(kTag);
    out.writeLe32(state.lngCount);
    const std::int64_t count = state.lngCount;
    const char* indices = reinterpret_cast<const char*>(state.bytData.data());
    for (std::int64_t k = 0; k < count; k += kProgressBlock) {
        const std::int64_t n = std::min(kProgressBlock, count - k);
        out.write(std::string_view(indices + k, static_cast<std::size_t>(n)));
        if (n == kProgressBlock) {  // the last, shorter block does not move the bar
            setPercentWidth(gp32::kConvertedWidth +
                            std::floor(static_cast<double>(k + n) / static_cast<double>(count) *
                                       gp32::kWritingSpan));
        }
    }
    out.commit();
    ui_.msgBox(messages::kDone, MsgStyle::OkOnly);
}

}  // namespace tessera
