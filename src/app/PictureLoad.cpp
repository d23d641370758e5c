// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdint>
#include <string>

#include "app/AppMessages.h"
#include "app/DialogRAW.h"
#include "app/FileNames.h"
#include "app/Form1.h"
#include "app/PictureLoad.h"
#include "app/VbConvert.h"
#include "formats/picture/BmpInfo.h"
#include "formats/picture/PngReader.h"
#include "formats/text/CommentBlock.h"
#include "platform/Errors.h"
#include "platform/InputFile.h"

namespace tessera {

namespace {

// "Image Name : " / title / blank line / four aligned value lines, for the fixed-pitch label.
std::string pictureInfo(const std::string& title, std::int32_t width, std::int32_t height,
                        std::int16_t bpp, std::int64_t dataLength) {
    return "Image Name : \r\n" + title + "\r\n\r\n Width  : " + std::to_string(width) +
           "\r\n Height : " + std::to_string(height) + "\r\n BPP    : " + std::to_string(bpp) +
           "\r\n Length : " + std::to_string(dataLength);
}

template <typename Int>
Int rawValue(const Label& label, std::optional<Int> (*convert)(std::string_view),
             const char* what) {
    const auto value = convert(label.Caption);
    if (!value) {
        throw TesseraError(
            Reason::PictureSizeBad,
            failureText(messages::kBadSize, std::string("The ") + what + " \"" + label.Caption +
                                                "\" is out of range."));
    }
    return *value;
}

// What the file's first bytes say it is, for a file that is no picture this tool reads.
const char* whatItIs(const InputFile& in) {
    std::uint8_t head[12] = {};
    in.read(0, head);
    const std::string_view h(reinterpret_cast<const char*>(head), sizeof head);
    if (h.starts_with("GIF8"))
        return "a GIF picture";
    if (head[0] == 0xFF && head[1] == 0xD8 && head[2] == 0xFF)
        return "a JPEG picture";
    if (h.starts_with("RIFF") && h.substr(8, 4) == "WAVE")
        return messages::kWavSound;
    if (h.starts_with("BM"))
        return "a bitmap with an information header of a kind this tool does not read";
    return "no picture this tool knows";
}

}  // namespace

PictureInfo describedPicture(const InputFile& in) {
    if (std::optional<PictureInfo> bmp = readBmpInfo(in)) {
        if (bmpHeader(*bmp) != BmpHeader::OtherKind)
            return *bmp;
    } else if (std::optional<PictureInfo> png = readPngInfo(in)) {
        return *png;
    }
    const std::string what = whatItIs(in);
    throw TesseraError(Reason::ImageKindUnknown,
                       failureText(messages::kUnknownImage, what == messages::kWavSound
                                                                ? messages::kLoadAsSound
                                                                : messages::unknownImage(what)));
}

void Form1::cmdBMPLoad_Click() {
    pictureLoadBegins();
    runCommand([this] {
        dlgBMPFile.Flags = CommonDialog::kFileMustExist;
        if (!ui_.showOpen(dlgBMPFile))
            throw CommandCancelled{};
        std::string path = dlgBMPFile.FileName;
        std::string title = dlgBMPFile.FileTitle;
        if (const auto back = convertedForLoad(path, false)) {
            path = *back;
            title = titleOf(path);
        }
        std::int64_t dataLength = 0;

        if (hasKind(path, "raw")) {
            DialogRAW dialog(lblIMGWidth, lblIMGHeight, lblIMGbpp);
            ui_.showRawDialog(dialog);
            const InputFile in(path);  // checked before the size is taken as the picture's
            state.strImgPath = path;
            const auto width = rawValue<std::int32_t>(lblIMGWidth, valToInt32, "width");
            const auto height = rawValue<std::int32_t>(lblIMGHeight, valToInt32, "height");
            const auto bpp = rawValue<std::int16_t>(lblIMGbpp, valToInt16, "depth");
            state.picture = rawInfo(in, width, height, bpp);
            dataLength = in.length();
        } else {
            const InputFile in(path);
            const PictureInfo info = describedPicture(in);
            state.strImgPath = path;
            state.picture = info;
            dataLength = in.length() - info.dataOffset;
        }

        state.strImgTitle = printableTitle(title);
        lblBMPName.Caption = pictureInfo(state.strImgTitle, state.lngWidth(), state.lngHeight(),
                                         state.intBpp(), dataLength);
        txtVar.Text() = withoutExtension(state.strImgTitle);
        state.intGP32Mode = pictureDepth() == 8 ? 8 : 16;
        pictureLoadCompletes();
    });
}

}  // namespace tessera
