#include "gui/PreviewPicture.h"

#include "app/Errors.h"
#include "app/Form1.h"
#include "app/VbText.h"
#include "image/Gp32.h"

namespace tessera::gui {

namespace {

constexpr const char* kNoPicture = "Load a picture to see it as the GP32 shows it.";

// The copy of the window the preview converts with: it asks nothing and shows nothing.
class SilentUi : public Ui {
  public:
    bool showOpen(CommonDialog&) override { return false; }
    bool showSave(CommonDialog&) override { return false; }
    MsgAnswer msgBox(const std::string&, MsgStyle) override { return MsgAnswer::No; }
    void showRawDialog(DialogRAW&) override {}
};

// The converted values of a loaded picture, in screen order, as the writers would write them.
void convert(const Form1& form, Form1& copy) {
    const ConverterState& from = form.state;
    ConverterState& to = copy.state;
    to.strImgPath = from.strImgPath;
    to.strImgTitle = from.strImgTitle;
    to.lngWidth = from.lngWidth;
    to.lngHeight = from.lngHeight;
    to.intBpp = from.intBpp;
    to.intGP32Mode = from.intGP32Mode;
    to.lngDataOffset = from.lngDataOffset;
    to.lngPalCount = from.lngPalCount;
    copy.optFill0.Value = form.optFill0.Value;
    copy.optFill1.Value = form.optFill1.Value;
    if (hasKind(to.strImgPath, "raw")) {
        copy.RAWRotateRight();
        return;
    }
    copy.ConvertBMPPixels();
    if (to.intBpp == 8)
        copy.ConvertBMPPalette();
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
    if (!form.cmdBMPConvert.Enabled || hasKind(form.state.strImgPath, "wav")) {
        p.refusal = kNoPicture;
        return p;
    }
    SilentUi ui;
    Form1 copy(ui);
    try {
        convert(form, copy);
    } catch (const TesseraError& e) {
        p.refusal = e.what();
        return p;
    }
    const ConverterState& s = copy.state;
    const gp32::ScreenOrder order{s.lngWidth, s.lngHeight};
    p.width = s.lngWidth;
    p.height = static_cast<int>(order.columnLength());
    p.padding = static_cast<int>(order.padding());
    p.bpp = s.intBpp;
    p.hasPalette = s.intBpp == 8 && !s.strPal.empty();
    p.palette = s.strPal;
    p.colours.resize(std::size_t(p.width) * p.height);
    const int fill = copy.optFill1.Value ? 1 : 0;
    const auto shown = [&](std::size_t k) -> std::uint16_t {
        if (s.intBpp != 8)
            return s.strValues[k];
        const std::uint8_t index = s.bytData[k];
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
