// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Form1.h"

#include <algorithm>
#include <cmath>

#include "app/AppMessages.h"
#include "platform/Errors.h"
#include "platform/InputFile.h"
#include "platform/PlatformMessages.h"

namespace tessera {

Form1::Form1(Ui& ui) : ui_(ui) {
    // Design state: only the load buttons, Quit and the name box are usable; "Generate Palette"
    // shows its mark and "Fill bit with 1" is selected although both are greyed.
    for (Control* c : std::initializer_list<Control*>{
             &Frame1, &chkPal, &chkOnlyPal, &Frame2, &optFill0, &optFill1, &cmdBMPConvert,
             &cmdBMPConvertAdd, &cmdWAVConvert, &cmdWAVConvertAdd}) {
        c->Enabled = false;
    }
    for (Label* hidden : {&lblIMGWidth, &lblIMGHeight, &lblIMGbpp})
        hidden->Visible = false;
    optFill0.group = {&optFill1};
    optFill1.group = {&optFill0};

    chkPal.Click = [this] { chkPal_Click(); };
    chkOnlyPal.Click = [this] { chkOnlyPal_Click(); };
    cmdQuitter.Click = [this] { cmdQuitter_Click(); };
    cmdBMPLoad.Click = [this] { cmdBMPLoad_Click(); };
    cmdWAVLoad.Click = [this] { cmdWAVLoad_Click(); };
    cmdBMPConvert.Click = [this] { cmdBMPConvert_Click(); };
    cmdBMPConvertAdd.Click = [this] { cmdBMPConvertAdd_Click(); };
    cmdWAVConvert.Click = [this] { cmdWAVConvert_Click(); };
    cmdWAVConvertAdd.Click = [this] { cmdWAVConvertAdd_Click(); };
    Form_Load();
}

std::vector<Control*> Form1::controls() {
    std::vector<Control*> all{
        &Label2,        &lblBMPName,       &Label3,        &lblPercent,       &Frame1,
        &chkPal,        &chkOnlyPal,       &Frame2,        &optFill0,         &optFill1,
        &Label1,        &txtVar,           &cmdBMPLoad,    &cmdWAVLoad,       &cmdQuitter,
        &cmdBMPConvert, &cmdBMPConvertAdd, &cmdWAVConvert, &cmdWAVConvertAdd, &lblIMGWidth,
        &lblIMGHeight,  &lblIMGbpp,        &Label4};
    std::sort(all.begin(), all.end(),
              [](const Control* a, const Control* b) { return a->tabIndex < b->tabIndex; });
    return all;
}

void Form1::chkPal_Click() {
    const bool on = chkPal.Value() == 1;
    Frame2.Enabled = on;
    optFill0.Enabled = on;
    optFill1.Enabled = on;
}

void Form1::chkOnlyPal_Click() {
    if (chkOnlyPal.Value() == 1) {
        chkPal.setValue(1);  // raises chkPal_Click when the mark was off
        chkPal.Enabled = false;
    } else {
        chkPal.Enabled = true;
    }
}

void Form1::cmdQuitter_Click() {
    // Input files are closed by the command that opened them, even when it ends early, so
    // there is nothing left open to close here.
    unloaded_ = true;
}

void Form1::setPercentWidth(double twips) {
    // The writers report every 16 elements: a million times for a large picture. The view only
    // hears of a width that crosses or lands on a whole twip (a fifteenth of a pixel, so nothing
    // visible is lost, and the final width always arrives); the model keeps the exact width.
    const bool visible = std::floor(twips) != std::floor(lblPercent.Width) ||
                         (twips == std::floor(twips) && twips != lblPercent.Width);
    lblPercent.Width = twips;
    if (visible)
        ui_.progressChanged(twips);
}

Progress Form1::progressBar(double start, double span, bool wholeTwips) {
    return [this, start, span, wholeTwips](std::int64_t done, std::int64_t total) {
        const double part = static_cast<double>(done) / static_cast<double>(total) * span;
        setPercentWidth(start + (wholeTwips ? std::floor(part) : part));
    };
}

InputFile Form1::openLoadedInput(const FileStamp& loaded) const {
    InputFile in(state.strImgPath);
    if (!(in.stamp() == loaded)) {
        throw TesseraError(
            Reason::ChangedSinceLoad,
            failureText(messages::kCantRead, state.strImgPath + ": " + messages::kChangedSinceLoad),
            FileRole::Input);
    }
    return in;
}

void Form1::refuseChangedInput() const {
    openLoadedInput(state.picture ? state.picture->file : state.sound->file);
}

void Form1::showFailure(const std::string& text, FileRole about) {
    ui_.showFailure(text, about);
}

void Form1::disableConvertControls() {
    for (Control* c : std::initializer_list<Control*>{
             &cmdWAVConvert, &cmdWAVConvertAdd, &cmdBMPConvert, &cmdBMPConvertAdd, &txtVar, &Frame1,
             &chkPal, &chkOnlyPal, &Frame2, &optFill0, &optFill1}) {
        c->Enabled = false;
    }
}

void Form1::pictureLoadBegins() {
    lblBMPName.Caption.clear();
    state.picture.reset();
    disableConvertControls();
}

void Form1::pictureLoadCompletes() {
    cmdBMPConvert.Enabled = true;
    cmdBMPConvertAdd.Enabled = true;
    txtVar.Enabled = true;
    if (pictureDepth() == 8) {
        Frame1.Enabled = true;
        chkPal.Enabled = true;
        chkOnlyPal.Enabled = true;
    }
    if (chkPal.Value() == 1 || pictureDepth() == 24) {
        Frame2.Enabled = true;
        optFill0.Enabled = true;
        optFill1.Enabled = true;
    }
}

void Form1::soundLoadBegins() {
    lblBMPName.Caption.clear();
    state.picture.reset();
    for (Control* c :
         std::initializer_list<Control*>{&cmdBMPConvert, &cmdBMPConvertAdd, &txtVar, &Frame2,
                                         &optFill0, &optFill1, &Frame1, &chkPal, &chkOnlyPal}) {
        c->Enabled = false;
    }
}

void Form1::soundLoadCompletes() {
    cmdWAVConvert.Enabled = true;
    cmdWAVConvertAdd.Enabled = true;
    txtVar.Enabled = true;
}

}  // namespace tessera
