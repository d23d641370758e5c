#include "gui/PreviewPicture.h"

#include "app/AppMessages.h"
#include "app/Form1.h"
#include "formats/Gp32.h"
#include "formats/picture/Palette.h"
#include "formats/picture/PictureLayout.h"
#include "formats/picture/PixelPlacement.h"
#include "platform/Errors.h"
#include "platform/InputFile.h"
#include "platform/PlatformMessages.h"

namespace tessera::gui {

namespace {

constexpr const char* kNoPicture = "Load a picture to see it as the GP32 shows it.";

// The values a conversion with the window's current options would write, in screen order, read
// by the formats layer's own placement; the window, its state and its progress bar are untouched.
struct Converted {
    ScreenPixels pixels;
    std::vector<std::uint16_t> palette;
    PictureLayout layout;
};

Converted convert(const Form1& form, std::int32_t fill) {
    const PictureInfo& info = *form.state.picture;
    Converted c;
    c.layout = pictureLayout(info);
    const InputFile in(form.state.strImgPath);
    if (!(in.stamp() == info.file)) {
        throw TesseraError(failureText(messages::kCantRead,
                                       form.state.strImgPath + ": " + messages::kChangedSinceLoad));
    }
    c.pixels = placePixels(in, c.layout, fill, [](std::int64_t, std::int64_t) {});
    if (info.kind != PictureKind::Raw && c.layout.bytesPerPixel == 1)  // a bitmap or a PNG
        c.palette = readPalette(in, info, fill);
    return c;
}

int channel(int five, int intensity) {
    const int six = five << 1 | intensity;
    return six << 2 | six >> 4;
}

}  // namespace

QRgb shownColour(std::uint16_t c) {
    const int i = c & 1;
    return qRgb(channel(c >> 11 & 31, i), channel(c >> 6 & 31, i), channel(c >> 1 & 31, i));
}

QImage PreviewPicture::image() const {
    QImage out(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < width; ++x)
            line[x] = shownColour(at(x, y));
    }
    return out;
}

PreviewPicture previewOf(const Form1& form) {
    PreviewPicture p;
    if (!form.cmdBMPConvert.Enabled || !form.state.picture) {
        p.refusal = kNoPicture;
        return p;
    }
    const std::int32_t fill = form.optFill1.Value ? 1 : 0;
    Converted c;
    try {
        c = convert(form, fill);
    } catch (const TesseraError& e) {
        p.refusal = e.what();
        return p;
    }
    const gp32::ScreenOrder& order = c.layout.order;
    p.width = static_cast<int>(order.width);
    p.height = static_cast<int>(order.columnLength());
    p.padding = static_cast<int>(order.padding());
    p.bpp = c.layout.bytesPerPixel == 1 ? 8 : 24;
    p.hasPalette = !c.palette.empty();
    p.palette = std::move(c.palette);
    p.colours.resize(std::size_t(p.width) * p.height);
    const auto shown = [&](std::size_t k) -> std::uint16_t {
        if (p.bpp != 8)
            return c.pixels.colours[k];
        const std::uint8_t index = c.pixels.indices[k];
        if (!p.hasPalette)
            return gp32::colour(index, index, index, fill);
        return index < p.palette.size() ? p.palette[index] : gp32::colour(0, 0, 0, fill);
    };
    // Element k of screen order is column k / height, counted from the column's bottom.
    for (std::size_t k = 0; k < p.colours.size(); ++k) {
        const int x = static_cast<int>(k / p.height);
        const int y = p.height - 1 - static_cast<int>(k % p.height);
        p.colours[std::size_t(y) * p.width + x] = shown(k);
    }
    return p;
}

}  // namespace tessera::gui
