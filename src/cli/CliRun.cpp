// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliRun.h"

#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "app/AppMessages.h"
#include "app/ConvertBack.h"
#include "app/DependencyFile.h"
#include "app/FileNames.h"
#include "app/Form1.h"
#include "app/PaletteJobs.h"
#include "app/RawLength.h"
#include "cli/CliBack.h"
#include "cli/CliMessages.h"
#include "cli/CliUi.h"

namespace tessera::cli {

namespace {

// A command that did not complete: what the window showed, naming the input when the refusal is
// about it, the header when it is about --header's FILE, and FILE otherwise; or why a question
// was answered No; or `whenSilent`.
int failed(const CliOptions& o, const std::string& file, const Outcome& outcome, const CliUi& ui,
           const char* whenSilent) {
    if (outcome.kind != Outcome::Kind::Refused) {
        report(file, ui.refusal().empty() ? whenSilent : ui.refusal());
    } else if (outcome.reason == Reason::GpgOnly8Bits) {
        // The picture is what cannot go into a .gpg: named, with the way out.
        report(o.input, outcome.text + "\r\n" + messages::kGpgNeeds8Bits);
    } else if (outcome.about == FileRole::Input) {
        report(o.input, outcome.text);
    } else {
        report(outcome.about == FileRole::Header && o.header ? *o.header : file, outcome.text);
    }
    return kExitFailed;
}

bool endsWith(const std::string& text, const char* tail) {
    const std::string t(tail);
    return text.size() >= t.size() && text.compare(text.size() - t.size(), t.size(), t) == 0;
}

void setPictureOptions(Form1& form, const CliOptions& o) {
    // setValue, not click: the rules run as in the window, whatever is greyed for this depth.
    form.chkOnlyPal.setValue(o.onlyPalette ? 1 : 0);  // checks "Generate Palette" with it
    if (!o.onlyPalette)
        form.chkPal.setValue(o.palette ? 1 : 0);
    (o.fill == 0 ? form.optFill0 : form.optFill1).select();
}

// CR LF as LF and exactly one line end at the end, whether or not the caption has one.
void printInfo(const std::string& caption) {
    std::string text;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '\r' && i + 1 < caption.size() && caption[i + 1] == '\n')
            continue;
        text += caption[i];
    }
    while (!text.empty() && text.back() == '\n')
        text.pop_back();
    std::fputs(text.c_str(), stdout);
    std::fputc('\n', stdout);
}

// A length that does not match the size typed is worth a word, even though the conversion goes
// ahead as asked.
void warnOfRawLength(const CliOptions& o, const ConverterState& s) {
    const std::optional<RawLengthMismatch> mismatch = rawLengthMismatch(s);
    if (!mismatch)
        return;
    const std::string size = std::to_string(s.lngWidth()) + "x" + std::to_string(s.lngHeight()) +
                             "x" + std::to_string(s.intBpp());
    report(o.input,
           texts::rawLengthWarning(mismatch->length, size, mismatch->needed, s.intBpp() == 24));
}

// The make rule of --depfile, ready before the conversion and put in place only when it is done:
// a build tool never reads a rule for an output that failed. Each says why when it fails.
bool prepareDepfile(const CliOptions& o, std::optional<DependencyFile>& file) {
    if (!o.depfile)
        return true;
    try {
        const Dependencies d = dependenciesOf(o);
        file.emplace(*o.depfile, d.targets, d.prerequisites);
        return true;
    } catch (const std::exception& e) {
        report(*o.depfile, e.what());
        return false;
    }
}

bool publishDepfile(const CliOptions& o, std::optional<DependencyFile>& file) {
    try {
        if (file)
            file->publish();
        return true;
    } catch (const std::exception& e) {
        report(*o.depfile, e.what());
        return false;
    }
}

PaletteOptions paletteOptions(const CliOptions& o, std::vector<ColourWord> target) {
    PaletteOptions p{.colours = o.colors, .target = std::move(target), .dither = o.dither};
    if (o.transparent)
        p.transparent = colourWordOf(*o.transparent);
    return p;
}

}  // namespace

void report(const std::string& file, const std::string& text) {
    // One line, whatever a file's name holds (a line end in a name would split it).
    std::string line = file + ": " + oneLine(text);
    std::replace_if(
        line.begin(), line.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; }, '?');
    std::fprintf(stderr, "%s: %s\n", texts::kProgram, line.c_str());
}

std::string oneLine(const std::string& text) {
    std::string out;
    std::size_t start = 0;
    while (start <= text.size()) {
        auto end = text.find("\r\n", start);
        if (end == std::string::npos)
            end = text.size();
        const std::string line = text.substr(start, end - start);
        if (!line.empty()) {
            if (!out.empty() && line.front() != ' ')
                out += endsWith(out, ":(") || endsWith(out, ":)") ? ": " : " ";
            out += line;
        }
        start = end + 2;
    }
    return out;
}

int runPaletteJob(const CliOptions& o) {
    PaletteJob job{.output = *o.makePalette,
                   .inputs = o.inputs,
                   .options = paletteOptions(o, {}),
                   .name = arrayName(o),
                   .fillBit = o.fill};
    if (job.options.colours == 0)
        job.options.colours = kMaxColours;
    std::optional<DependencyFile> depfile;
    if (!prepareDepfile(o, depfile))
        return kExitFailed;
    if (const std::optional<FileFailure> failure = makePalette(job)) {
        report(failure->file, failure->text);
        return kExitFailed;
    }
    if (!publishDepfile(o, depfile))
        return kExitFailed;
    if (o.verbose)
        std::printf("%s: %s: %s\n", texts::kProgram, job.output.c_str(), messages::kDone);
    return kExitOk;
}

int run(const CliOptions& o) {
    if (o.makePalette)
        return runPaletteJob(o);
    if (!o.info && isBackOutput(o.output))
        return runBack(o);
    if (o.info) {
        if (const std::optional<int> status = infoOfConverted(o))
            return *status;
    }
    const bool sound = inputKind(o.input) == InputKind::Sound;
    const std::string name = o.info ? std::string() : arrayName(o);  // usage checked first

    const bool toStandardOutput = o.output == kStandardOutputName;
    // A reader that stops early (`| head`) makes the write fail, said on stderr with status 1,
    // instead of ending the program without a word.
    if (toStandardOutput)
        ::signal(SIGPIPE, SIG_IGN);
    CliUi ui(o, !o.quiet && !toStandardOutput && ::isatty(STDERR_FILENO) == 1);
    Form1 form(ui);
    CommandButton& load = sound ? form.cmdWAVLoad : form.cmdBMPLoad;
    const bool add = o.append || o.replace;
    CommandButton& convert = sound ? (add ? form.cmdWAVConvertAdd : form.cmdWAVConvert)
                                   : (add ? form.cmdBMPConvertAdd : form.cmdBMPConvert);

    if (!sound) {
        std::vector<ColourWord> target;
        if (o.paletteOf) {
            PaletteOf of = readPaletteOf(*o.paletteOf);
            if (of.failure) {
                report(of.failure->file, of.failure->text);
                return kExitFailed;
            }
            target = std::move(of.palette);
        }
        form.colourOptions = paletteOptions(o, std::move(target));
    }
    load.click();
    if (!ui.openFailure().empty()) {
        report(o.input, ui.openFailure());
        return kExitFailed;
    }
    if (!form.outcome().done())
        return failed(o, o.input, form.outcome(), ui, texts::kNotLoaded);
    if (o.info) {
        if (o.json)
            std::printf("%s\n", jsonOfDescription(form.lblBMPName.Caption, sound).c_str());
        else
            printInfo(form.lblBMPName.Caption);
        return kExitOk;
    }

    if (!sound) {
        warnOfRawLength(o, form.state);
        setPictureOptions(form, o);
    }
    form.soundTarget = o.sound;
    std::optional<DependencyFile> depfile;
    if (!prepareDepfile(o, depfile))
        return kExitFailed;
    form.txtVar.Text() = name;
    form.textOptions.align = o.align;
    form.headerPath = o.header.value_or("");
    convert.click();
    ui.endProgress();

    if (!form.outcome().done())
        return failed(o, o.output, form.outcome(), ui, texts::kNothingWritten);
    if (!publishDepfile(o, depfile))
        return kExitFailed;
    // The standard output carries the C text and nothing else.
    if (o.verbose)
        std::fprintf(toStandardOutput ? stderr : stdout, "%s: %s: %s\n", texts::kProgram,
                     o.output.c_str(), messages::kDone);
    return kExitOk;
}

}  // namespace tessera::cli
