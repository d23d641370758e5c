#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/Form1.h"
#include "export/CommentBlock.h"
#include "support/Builders.h"
#include "support/ScriptedUi.h"

namespace tessera::test {

using U32s = std::vector<std::uint32_t>;

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
    std::string loadFile(const std::string& name, const Bytes& bytes, bool sound = false) {
        writeFile(dir.path(name), bytes);
        ui.openWith(dir.path(name));
        (sound ? form.cmdWAVLoad : form.cmdBMPLoad).click();
        return dir.path(name);
    }
    std::string loadWav(const Bytes& data, const WavOptions& o = {},
                        const std::string& name = "snd.wav") {
        return loadFile(name, buildWav(data, o), true);
    }
    // Converts the sound into a new file and returns its bytes.
    Bytes convertSound(const std::string& name) {
        ui.saveAs(dir.path(name));
        form.cmdWAVConvert.click();
        return readFile(dir.path(name));
    }
    // Runs the picture text writer into a fresh file and returns the text.
    std::string writeText(const std::string& name = "out.h") {
        form.state.tsOut = std::make_unique<TextStream>(dir.path(name), OutputFile::Mode::Replace);
        form.WriteImageText();
        form.state.tsOut->Close();
        form.state.tsOut.reset();
        return readText(dir.path(name));
    }
    // The comment block opening every header, around the lines that describe the input.
    static std::string commentBlock(const std::string& title, const std::string& about) {
        const std::string frame = "/////////////////////////////////////////\r\n";
        return frame + "//\r\n// Header file for GP32\r\n//\r\n// convertion of " + title +
               " file :\r\n" + about + "//\r\n// with Tessera coded by Zorvane :\r\n//    " +
               kProjectPage + "\r\n//    " + kProjectContact + "\r\n//\r\n" + frame + "\r\n";
    }
    // GP32 colour from its definition: five bits each of red, green, blue, then the fill bit.
    static std::uint32_t gp32(std::uint32_t rgb, int fill) {
        return ((rgb >> 19 & 31) << 11) | ((rgb >> 11 & 31) << 6) | ((rgb >> 3 & 31) << 1) |
               static_cast<std::uint32_t>(fill);
    }
    static std::uint32_t gp32(const std::array<std::uint8_t, 3>& c, int fill) {
        return gp32(std::uint32_t(c[0]) << 16 | c[1] << 8 | c[2], fill);
    }
    // The picture in screen order: columns from the left, each from the bottom row up, padded to
    // a multiple of 4 after the top pixel (bitmaps) or before the bottom pixel (RAW).
    static U32s screenOrder(const Picture& p, bool raw, int fill) {
        const U32s pad((4 - p.height % 4) % 4, p.bpp == 24 ? gp32(0, fill) : 0);
        U32s out;
        for (int col = 0; col < p.width; ++col) {
            for (int row = p.height - 1; row >= 0; --row)
                out.push_back(p.bpp == 24 ? gp32(p.at(row, col), fill) : p.at(row, col));
            out.insert(raw ? out.end() - p.height : out.end(), pad.begin(), pad.end());
        }
        return out;
    }
    U32s converted() const {
        if (form.state.intBpp == 24)
            return {form.state.strValues.begin(), form.state.strValues.end()};
        return {form.state.bytData.begin(), form.state.bytData.end()};
    }
};

}  // namespace tessera::test
