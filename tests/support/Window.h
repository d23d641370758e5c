#pragma once

#include <gtest/gtest.h>

#include <functional>

#include "app/Form1.h"
#include "formats/text/CommentBlock.h"
#include "support/Builders.h"
#include "support/ScriptedUi.h"

namespace tessera::test {

using U32s = std::vector<std::uint32_t>;

// What a person does in the window: load `input` (answering the RAW dialog with `raw`), set the
// controls with `setup`, convert to `output`, new or added, `during` running at each step of the
// progress bar. Returns the messages shown, the two questions (both answered Yes) left out.
inline std::vector<std::string> convertInWindow(const std::string& input, const std::string& output,
                                                bool add = false,
                                                const ScriptedUi::RawAnswer& raw = {},
                                                const std::function<void(Form1&)>& setup = {},
                                                const std::function<void()>& during = {}) {
    ScriptedUi ui;
    ui.openWith(input), ui.saveAs(output), ui.rawAnswers.push_back(raw);
    Form1 form(ui);
    const bool sound = hasKind(input, "wav");
    (sound ? form.cmdWAVLoad : form.cmdBMPLoad).click();
    if (setup)
        setup(form);
    ui.onProgress = during;
    (sound ? (add ? form.cmdWAVConvertAdd : form.cmdWAVConvert)
           : (add ? form.cmdBMPConvertAdd : form.cmdBMPConvert))
        .click();
    return ui.texts(false);
}

// A window with a picture or a sound loaded through its own load buttons, and what the tests
// expect of a picture, worked out from the test's Picture alone.
struct WindowFixture : ::testing::Test {
    TempDir dir;
    ScriptedUi ui;
    Form1 form{ui};

    static Picture make(int width, int height, int bpp, U32s pixels) {
        Picture p = Picture::pattern(1, 1, bpp);
        p.width = width, p.height = height, p.pixels = std::move(pixels);
        return p;
    }
    std::string loadBmp(const std::string& name, const Picture& p, const BmpOptions& o = {}) {
        return loadFile(name, buildBmp(p, o));
    }
    std::string loadRaw(const std::string& name, const Picture& p) {
        ui.rawAnswers.push_back({std::to_string(p.width), std::to_string(p.height), p.bpp == 24});
        return loadFile(name, buildRaw(p));
    }
    bool sound = false;  // what was loaded last, and so what convert() converts
    std::string loadFile(const std::string& name, const Bytes& bytes, bool isSound = false) {
        writeFile(dir.path(name), bytes);
        ui.openWith(dir.path(name));
        ((sound = isSound) ? form.cmdWAVLoad : form.cmdBMPLoad).click();
        return dir.path(name);
    }
    std::string loadWav(const Bytes& data, const WavOptions& o = {},
                        const std::string& name = "snd.wav") {
        return loadFile(name, buildWav(data, o), true);
    }
    // Converts what was loaded into `name`, new or added, and returns the file's text (or "").
    std::string convert(const std::string& name, bool add = false) {
        ui.saveAs(dir.path(name));
        (sound ? (add ? form.cmdWAVConvertAdd : form.cmdWAVConvert)
               : (add ? form.cmdBMPConvertAdd : form.cmdBMPConvert))
            .click();
        return std::filesystem::exists(dir.path(name)) ? readText(dir.path(name)) : "";
    }
    // The comment block opening every header, around the lines that describe the input.
    static std::string commentBlock(const std::string& title, const std::string& about) {
        const std::string frame = "/////////////////////////////////////////\r\n";
        return frame + "//\r\n// Header file for GP32\r\n//\r\n// convertion of " + title +
               " file :\r\n" + about + "//\r\n// with Tessera coded by Zorvane :\r\n//    " +
               kProjectPage + "\r\n//    " + kProjectContact + "\r\n//\r\n" + frame + "\r\n";
    }
    // GP32 colour from its definition: five bits each of red, green, blue, then the fill bit.
    static std::uint32_t gp32(const std::array<std::uint8_t, 3>& c, int fill) {
        return (c[0] >> 3 << 11) | (c[1] >> 3 << 6) | (c[2] >> 3 << 1) | std::uint32_t(fill);
    }
    static std::uint32_t gp32(std::uint32_t rgb, int fill) {
        return gp32({std::uint8_t(rgb >> 16), std::uint8_t(rgb >> 8), std::uint8_t(rgb)}, fill);
    }
    // The picture in screen order: columns from the left, each from the bottom row up, padded to
    // a multiple of 4 after the top pixel (bitmaps) or before the bottom pixel (RAW).
    static U32s screenOrder(const Picture& p, bool raw, int fill) {
        const U32s pad((4 - p.height % 4) % 4, p.bpp == 24 ? gp32(0u, fill) : 0);
        U32s out;
        for (int col = 0; col < p.width; ++col) {
            for (int row = p.height - 1; row >= 0; --row)
                out.push_back(p.bpp == 24 ? gp32(p.at(row, col), fill) : p.at(row, col));
            out.insert(raw ? out.end() - p.height : out.end(), pad.begin(), pad.end());
        }
        return out;
    }
    U32s converted() const {
        const ConverterState& s = form.state;
        return s.intBpp == 24 ? U32s(s.strValues.begin(), s.strValues.end())
                              : U32s(s.bytData.begin(), s.bytData.end());
    }
};

}  // namespace tessera::test
