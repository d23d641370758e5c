// SPDX-License-Identifier: GPL-3.0-or-later
// Picture loading, pixel and palette conversion, and both picture writers, on any bytes. An input
// starting with "BM" is a BMP file, one starting with the PNG signature a PNG file; any other is
// a RAW file whose first five bytes give the size and depth the RAW dialog would have been told
// (capped to keep each run fast).

#include <cstdint>
#include <string>

#include "FuzzSession.h"

namespace {

// Conversions cost time linear in the picture; larger claims are checked by the load alone.
constexpr std::int64_t kMaxConvertedElements = 1 << 12;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tessera;
    static const fuzz::FuzzSession session;
    fuzz::FuzzUi ui;
    Form1 form(ui);

    const bool bmp = size >= 2 && data[0] == 'B' && data[1] == 'M';
    const bool png = size >= 4 && data[0] == 0x89 && data[1] == 'P' && data[2] == 'N';
    if (bmp || png) {
        const char* name = bmp ? "in.bmp" : "in.png";
        session.writeInput(name, data, size);
        ui.openPath = session.path(name);
    } else {
        if (size < 5)
            return 0;
        ui.rawWidth = std::to_string(1 + (data[0] | ((data[1] & 0x01) << 8)));
        ui.rawHeight = std::to_string(1 + (data[2] | ((data[3] & 0x01) << 8)));
        ui.raw24 = (data[4] & 1) != 0;
        session.writeInput("in.raw", data + 5, size - 5);
        ui.openPath = session.path("in.raw");
    }
    form.cmdBMPLoad.click();
    if (!form.cmdBMPConvert.Enabled)
        return 0;
    if (static_cast<std::int64_t>(form.state.lngWidth()) * form.state.lngHeight() >
            kMaxConvertedElements ||
        form.state.lngWidth() < 0 || form.state.lngHeight() < 0) {
        return 0;
    }
    // The options follow the input's length, so one input always takes the same road.
    if (size & 1)
        form.chkPal.click();
    if (size & 2)
        form.chkOnlyPal.click();
    if (size & 4)
        form.optFill0.click();
    session.convertAll(
        ui, [&] { form.cmdBMPConvert.click(); }, [&] { form.cmdBMPConvertAdd.click(); }, "out.gpg");
    return 0;
}
