#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/Form1.h"
#include "support/Builders.h"
#include "support/Files.h"
#include "support/ScriptedUi.h"

namespace tessera::test {

// A window with a picture loaded through its own load button, and what the tests expect of it,
// worked out from the test's Picture alone.
struct PictureFixture : ::testing::Test {
    TempDir dir;
    ScriptedUi ui;
    Form1 form{ui};

    std::string loadBmp(const std::string& name, const Picture& p, const BmpOptions& o = {}) {
        return loadFile(name, buildBmp(p, o));
    }
    std::string loadRaw(const std::string& name, const Picture& p) {
        ui.rawAnswers.push_back({.width = std::to_string(p.width),
                                 .height = std::to_string(p.height),
                                 .bits24 = p.bpp == 24});
        return loadFile(name, buildRaw(p));
    }
    std::string loadFile(const std::string& name, const Bytes& bytes) {
        const auto path = dir.path(name);
        writeFile(path, bytes);
        ui.openWith(path);
        form.cmdBMPLoad.click();
        return path;
    }

    // Runs the picture text writer into a fresh file and returns the text.
    std::string writeText(const std::string& name = "out.h") {
        const auto path = dir.path(name);
        form.state.tsOut = std::make_unique<TextStream>(path, OutputFile::Mode::Replace);
        form.WriteImageText();
        form.state.tsOut->Close();
        form.state.tsOut.reset();
        return readText(path);
    }

    // GP32 colour from its definition: five bits each of red, green, blue, then the fill bit.
    static std::uint32_t gp32(std::uint32_t rgb, int fill) {
        const std::uint32_t r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
        return ((r >> 3) << 11) | ((g >> 3) << 6) | ((b >> 3) << 1) |
               static_cast<std::uint32_t>(fill);
    }

    // The picture in screen order: columns from the left, each from the bottom row up, padded to
    // a multiple of 4 after the top pixel (bitmaps) or before the bottom pixel (RAW).
    static std::vector<std::uint32_t> screenOrder(const Picture& p, bool raw, int fill) {
        const int pad = (4 - p.height % 4) % 4;
        const std::uint32_t padValue = p.bpp == 24 ? gp32(0, fill) : 0;
        std::vector<std::uint32_t> out;
        for (int col = 0; col < p.width; ++col) {
            if (raw)
                out.insert(out.end(), pad, padValue);
            for (int row = p.height - 1; row >= 0; --row) {
                const auto v = p.at(row, col);
                out.push_back(p.bpp == 24 ? gp32(v, fill) : v);
            }
            if (!raw)
                out.insert(out.end(), pad, padValue);
        }
        return out;
    }

    std::vector<std::uint32_t> converted() const {
        if (form.state.intBpp == 24)
            return {form.state.strValues.begin(), form.state.strValues.end()};
        return {form.state.bytData.begin(), form.state.bytData.end()};
    }
};

}  // namespace tessera::test
