// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <functional>

#include "app/Form1.h"
#include "formats/text/CommentBlock.h"
#include "support/Builders.h"
#include "support/Expected.h"
#include "support/ScriptedUi.h"

namespace tessera::test {

// What a conversion in the window showed, the two questions (both answered Yes) left out, and how
// it ended (the load's outcome when the load did not complete).
struct InWindow {
    std::vector<std::string> shown;
    Outcome outcome;
};

// What a person does in the window: load `input` (answering the RAW dialog with `raw`), set the
// controls with `setup`, convert to `output`, new or added, `during` running at each step of the
// progress bar.
inline InWindow convertInWindow(const std::string& input, const std::string& output,
                                bool add = false, const ScriptedUi::RawAnswer& raw = {},
                                const std::function<void(Form1&)>& setup = {},
                                const std::function<void()>& during = {}) {
    ScriptedUi ui;
    ui.openWith(input);
    ui.saveAs(output);
    ui.rawAnswers.push_back(raw);
    Form1 form(ui);
    const bool sound = hasKind(input, "wav");
    (sound ? form.cmdWAVLoad : form.cmdBMPLoad).click();
    if (setup)
        setup(form);
    ui.onProgress = during;
    (sound ? (add ? form.cmdWAVConvertAdd : form.cmdWAVConvert)
           : (add ? form.cmdBMPConvertAdd : form.cmdBMPConvert))
        .click();
    return {.shown = ui.texts(false), .outcome = form.outcome()};
}

// An outcome passed out of a child process as text: the reason's code on the first line, then
// the text shown.
inline std::string childText(const Outcome& o) {
    return std::to_string(static_cast<int>(o.reason)) + "\n" + o.text;
}
inline Reason childReason(const std::string& text) {
    return static_cast<Reason>(std::stoi(text));
}

// A window with a picture or a sound loaded through its own load buttons.
struct WindowFixture : ::testing::Test {
    TempDir dir;
    ScriptedUi ui;
    Form1 form{ui};

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
        sound = isSound;
        (sound ? form.cmdWAVLoad : form.cmdBMPLoad).click();
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
    U32s converted() const {
        const ConverterState& s = form.state;
        return s.intBpp() == 24 ? U32s(s.strValues.begin(), s.strValues.end())
                                : U32s(s.bytData.begin(), s.bytData.end());
    }
};

}  // namespace tessera::test
