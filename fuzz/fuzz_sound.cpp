// Sound loading and both sound writers, on any bytes taken as a WAV file.

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
    return 0;
}
