// SPDX-License-Identifier: GPL-3.0-or-later
// Sound loading and both sound writers, on any bytes under a WAV name (read by their content:
// WAV by our reader, FLAC, Ogg, MP3, AIFF and Wave64 by the container library), as they are and
// through every stage of the sound target.

#include <cstdint>

#include "FuzzSession.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tessera;
    static const fuzz::FuzzSession session;
    fuzz::FuzzUi ui;
    Form1 form(ui);

    session.writeInput("in.wav", data, size);
    ui.openPath = session.path("in.wav");
    form.cmdWAVLoad.click();
    if (!form.cmdWAVConvert.Enabled)
        return 0;
    session.convertAll(
        ui, [&] { form.cmdWAVConvert.click(); }, [&] { form.cmdWAVConvertAdd.click(); }, "out.sef");
    form.soundTarget = {.rate = 11025, .mono = true, .bits = 8, .normalize = true, .dither = true};
    ui.savePath = session.path("small.sef");
    form.cmdWAVConvert.click();
    std::error_code ec;
    std::filesystem::remove(session.path("small.sef"), ec);
    return 0;
}
