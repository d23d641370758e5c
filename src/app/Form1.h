// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "../formats/Progress.h"
#include "../formats/picture/ColourReduction.h"
#include "../formats/text/TextOutput.h"
#include "../platform/OutputFile.h"
#include "Version.h"
#include "app/Controls.h"
#include "app/ConvertBack.h"
#include "app/ConverterState.h"
#include "app/DialogColours.h"
#include "app/Outcome.h"
#include "app/PicturePreview.h"
#include "app/SoundOptions.h"
#include "app/Ui.h"

namespace tessera {

class InputFile;

// The main window as a model: every control with its design state, the converter state the
// commands share, and the commands themselves under the names of their buttons. The Qt view, the
// command line and the tests all drive this one object through a Ui.
class Form1 {
  public:
    static constexpr const char* kCaption = "Tessera v" TESSERA_VERSION;
    static constexpr int kClientWidth = 8355;  // twips
    static constexpr int kClientHeight = 3285;
    // The progress bar is full at the width of the information column. A picture's conversion
    // fills it to 1415 twips, writing takes it on to the end; a sound fills it in one go.
    static constexpr double kFullProgress = 2415.0;
    static constexpr double kConvertedProgress = 1415.0;

    explicit Form1(Ui& ui);
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    // Controls, in the order of the design; positions in twips.
    Label Label2{"Label2", "File infos :", {120, 120, 2415, 255}, 14};
    Label lblBMPName{"lblBMPName", "", {120, 360, 2415, 1815}, 2, LabelLook::FixedPitchInfo};
    Label Label3{"Label3", "Convertion Statut :", {120, 2280, 1695, 255}, 19};
    Label lblPercent{"lblPercent", "", {120, 2520, 15, 375}, 20, LabelLook::ProgressBar};
    Frame Frame1{"Frame1", "8 bits Image option :", {2760, 120, 1815, 1095}, 15};
    CheckBox chkPal{"chkPal", "Generate Palette", {120, 240, 1575, 255}, 16, &Frame1, 1};
    CheckBox chkOnlyPal{
        "chkOnlyPal", "Generate ONLY Palette", {120, 600, 1575, 375}, 22, &Frame1, 0};
    Frame Frame2{"Frame2", "Colors Intensity Bit :", {2760, 1320, 1815, 975}, 11};
    OptionButton optFill0{"optFill0", "Fill bit with 0", {120, 240, 1575, 255}, 12, &Frame2, false};
    OptionButton optFill1{"optFill1", "Fill bit with 1", {120, 600, 1575, 255}, 13, &Frame2, true};
    Label Label1{"Label1", "Array Variable Name :", {2760, 2400, 1695, 255}, 7};
    TextBox txtVar{"txtVar", "", {2760, 2640, 1815, 315}, 6};
    CommandButton cmdBMPLoad{"cmdBMPLoad", "Load Image File...", {4680, 240, 1215, 615}, 1};
    CommandButton cmdWAVLoad{"cmdWAVLoad", "Load Sound File...", {4680, 2160, 1215, 615}, 4};
    CommandButton cmdQuitter{"cmdQuitter", "&Quit", {5760, 1320, 1575, 375}, 0};
    CommandButton cmdBMPConvert{
        "cmdBMPConvert", "Convert in a New File...", {6000, 120, 2175, 375}, 3};
    CommandButton cmdBMPConvertAdd{
        "cmdBMPConvertAdd", "Add to an Existing File...", {6000, 600, 2175, 375}, 17};
    CommandButton cmdWAVConvert{
        "cmdWAVConvert", "Convert in a New File...", {6000, 2040, 2175, 375}, 5};
    CommandButton cmdWAVConvertAdd{
        "cmdWAVConvertAdd", "Add to an Existing File...", {6000, 2520, 2175, 375}, 18};
    Label lblIMGWidth{"lblIMGWidth", "0", {4920, 1800, 615, 375}, 8, LabelLook::Carrier};
    Label lblIMGHeight{"lblIMGHeight", "0", {5760, 1800, 735, 375}, 9, LabelLook::Carrier};
    Label lblIMGbpp{"lblIMGbpp", "0", {6720, 1800, 735, 375}, 10, LabelLook::Carrier};
    Label Label4{"Label4", kCredits, {1920, 3000, 4815, 255}, 21};

    static constexpr const char* kCredits = "Tessera - thanks to everyone who tested it!";

    // The four dialogs of the window, titles and filters as designed.
    CommonDialog dlgBMPFile{
        "dlgBMPFile", "Load BMP File",
        "Image Files (*.bmp,*.png,*.raw)|*.bmp;*.png;*.raw|Converted Files (*.h,*.c,*.gpg)|"
        "*.h;*.c;*.gpg|All Files (*.*)|*.*"};
    // The sound dialog lists every kind the container library reads beside WAV.
    CommonDialog dlgWAVFile{
        "dlgWAVFile", "Load WAV File",
        "Sound Files (*.wav,*.flac,*.ogg,*.opus,*.mp3,*.aif,*.aiff,*.aifc,*.w64)|*.wav;*.flac;"
        "*.ogg;*.oga;*.opus;*.mp3;*.aif;*.aiff;*.aifc;*.w64|Converted Files (*.h,*.c,*.sef)|"
        "*.h;*.c;*.sef|All Files (*.*)|*.*"};
    CommonDialog dlgBMPConv{
        "dlgBMPConv", "Save Converted  File",
        "Headers (*.h)|*.h|C Files (*.c)|*.c|GPG Files (*.gpg)|*.gpg|All Files (*.*)|*.*"};
    CommonDialog dlgWAVConv{
        "dlgWAVConv", "Save Converted File",
        "Headers (*.h)|*.h|C Files (*.c)|*.c|SEF Files (*.sef)|*.sef|All Files (*.*)|*.*"};

    ConverterState state;
    // What the command line adds to the window's C text; the window keeps these defaults, which
    // write its own bytes. A header path sends the declarations there and the arrays to the
    // output.
    TextOptions textOptions;
    std::string headerPath;
    // The rate, channels and depth a sound is written at ("Sound options..."); the defaults
    // write the samples as the file has them.
    SoundTarget soundTarget;
    // Whether a sound load completed, so that its samples can be converted or played.
    bool soundLoaded() const { return cmdWAVConvert.Enabled; }
    // The loaded sound's file, refused when it changed since its load (see SoundPlayback.h).
    InputFile openLoadedSound() const;
    // The "Colours..." dialog's values (the command line's --colors, --palette-of,
    // --transparent, --dither); inactive by default. Call colourOptionsChanged() after a change.
    PaletteOptions colourOptions;
    void colourOptionsChanged();
    // The "Colours..." dialog's last values.
    DialogColours colourDialog;

    // Every control, sorted by tab index.
    std::vector<Control*> controls();
    Ui& ui() { return ui_; }
    // True once Quit has unloaded the window.
    bool unloaded() const { return unloaded_; }
    // How the last load or convert command ended.
    const Outcome& outcome() const { return outcome_; }

    // Event handlers.
    void Form_Load() {}
    void chkPal_Click();
    void chkOnlyPal_Click();
    void cmdQuitter_Click();
    void cmdBMPLoad_Click();
    void cmdWAVLoad_Click();
    void cmdBMPConvert_Click();
    void cmdBMPConvertAdd_Click();
    void cmdWAVConvert_Click();
    void cmdWAVConvertAdd_Click();
    // "Colours..." (the "File infos" context menu): the palette step's settings.
    void mnuColours_Click();

    // The window's procedures; they work on the converter state and throw TesseraError.
    void RAWRotateRight();
    void ConvertBMPPixels();
    void ConvertBMPPalette();
    void WriteImageText();
    void WriteGPGFile();
    void WriteSoundText();
    void WriteSEFFile();

    // The loaded picture converted with the current intensity bit, as the GP32 shows it, through
    // the conversion's own reading and placement; the state and the progress bar stay as they
    // were.
    PicturePreview picturePreview() const;

    // Sets the progress bar's width in twips and lets the view repaint it.
    void setPercentWidth(double twips);
    // The one progress formula: `done` of `total` fills `span` twips from `start`, in whole
    // twips for pictures.
    Progress progressBar(double start, double span, bool wholeTwips);

    // Runs a command under its one error handler: Cancel and "No" end it silently, any other
    // failure is shown with its reason, and the outcome is kept. No exception leaves a handler.
    template <typename Body>
    void runCommand(Body&& body);

  private:
    using Writer = void (Form1::*)();
    // The two convert procedures shared by the picture and the sound buttons: only the save
    // dialog and the two writers differ.
    void convertInNewFile(CommonDialog& dialog, Writer textWriter, Writer binaryWriter);
    void convertAddToFile(CommonDialog& dialog, Writer textWriter, Writer binaryWriter);
    // The save dialog proposes the input's name; its answer becomes strOutPath.
    void chooseOutput(CommonDialog& dialog);
    void writeOutput(OutputFile::Mode mode, Writer textWriter, Writer binaryWriter);
    // The three ways C text is written: a file of its own, a header and its data file, a block
    // added to a file (or put in place of the block of the same name).
    void writeTextFile(OutputFile::Mode mode, Writer textWriter);
    void writeTextPair(Writer textWriter);
    void addTextBlock(const std::string& title, Writer textWriter);
    TextOutput textOutput() const;
    // Asks a Yes/No question (its end mark added); anything but Yes ends the command.
    void askOrEnd(const std::string& question, MsgStyle style);
    void finishConversion();
    // The input as it was loaded: a file that changed since is refused, not mixed with what its
    // load learned.
    InputFile openLoadedInput(const FileStamp& loaded) const;
    // Called once everything is written and before it is kept: an input cut or rewritten while
    // it was read would give a mix of old and new bytes, or zeros, reported as done.
    void refuseChangedInput() const;
    std::int32_t fillBit() const { return optFill1.Value ? 1 : 0; }
    // Whether the loaded picture's block gets a palette: "Generate Palette" checked for an 8-bit
    // bitmap or PNG, or for any picture given a palette of its own.
    bool paletteWanted() const;
    // 8 when the loaded picture becomes palette indices, 24 when it becomes GP32 colours.
    std::int16_t pictureDepth() const {
        return !state.picture ? state.intBpp() : paletteStep() ? 8 : convertedDepth(*state.picture);
    }
    // The palette step the loaded picture goes through, if any: the dialog's, or for an 8-bit
    // picture given only a transparent colour, its own colours reordered around it.
    std::optional<PaletteOptions> paletteStep() const;

    void showFailure(const std::string& text, FileRole about = FileRole::Unknown);
    void pictureLoadBegins();
    void pictureLoadCompletes();
    void soundLoadBegins();
    void soundLoadCompletes();
    void disableConvertControls();
    // A file Tessera wrote (C text, .gpg, .sef) loads as the picture or sound it holds: the one
    // asked for (a .gpg's size in the RAW dialog, a block of several from a list) is converted
    // back into a file of its own, which then loads as any picture or sound. Returns that file,
    // or nothing for any other file.
    std::optional<std::string> convertedForLoad(const std::string& path, bool sound);

    Ui& ui_;
    BackFolder backFolder_;
    bool unloaded_ = false;
    Outcome outcome_;
};

}  // namespace tessera

#include "app/Form1Command.h"
