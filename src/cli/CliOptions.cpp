// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliOptions.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <iterator>

#include "app/CNames.h"
#include "app/FileNames.h"
#include "app/PaletteJobs.h"
#include "cli/CliMessages.h"
#include "cli/OptionTable.h"

namespace tessera::cli {

namespace {

// A whole number, as typed into the RAW dialog: whether it is in range is the dialog's to say,
// so 0 and 10-digit sizes get the window's own message, as 999999999 does.
bool isSize(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// Walks the arguments, handing out option values whether they are glued ("--fill=0", "-nship")
// or given as the next argument.
class ArgumentReader {
  public:
    explicit ArgumentReader(const std::vector<std::string>& args) : args_(args) {}
    bool done() const { return next_ >= args_.size(); }
    std::string take() { return args_[next_++]; }
    std::string value(const std::string& option, const std::optional<std::string>& glued) {
        if (glued)
            return *glued;
        if (done())
            throw UsageError(texts::needsValue(option));
        return take();
    }

  private:
    const std::vector<std::string>& args_;
    std::size_t next_ = 0;
};

// The table's row for `arg` ("--name", "--fill=0", "-n", "-nship"), with a glued value.
const OptionSpec& findOption(std::string& arg, std::optional<std::string>& glued) {
    const bool isLong = arg.rfind("--", 0) == 0;
    if (isLong) {
        if (const auto eq = arg.find('='); eq != std::string::npos) {
            glued = arg.substr(eq + 1);
            arg.resize(eq);
        }
    }
    for (const OptionSpec& option : optionTable()) {
        if (isLong ? arg.substr(2) == option.longName : arg[1] == option.shortName) {
            if (!isLong && arg.size() > 2) {
                if (!option.valueName)
                    break;  // "-qv": not an option of ours
                glued = arg.substr(2);
                arg.resize(2);
            }
            return option;
        }
    }
    throw UsageError(texts::unknownOption(arg));
}

bool isTextName(const std::string& path) {
    return path == kStandardOutputName || isTextOutput(path);
}

// --make-palette OUT IN...: the palette is all it writes.
void checkPaletteJob(const CliOptions& o, const std::vector<std::string>& files) {
    if (o.info || o.append || o.replace || o.header || o.paletteOf || o.dither || o.align != 0)
        throw UsageError(texts::kMakePaletteOnly);
    if (files.empty())
        throw UsageError(texts::kMakePaletteNeedsInput);
    if (!isPaletteOutput(*o.makePalette))
        throw UsageError(texts::kMakePaletteOutput);
}

void checkCombination(const CliOptions& o, const std::vector<std::string>& files) {
    if (o.sound.mono && o.stereo)
        throw UsageError(texts::kMonoOrStereo);
    if (o.json && !o.info)
        throw UsageError(texts::kJsonNeedsInfo);
    if (o.onlyPalette && !o.palette)
        throw UsageError(texts::kOnlyPaletteNeedsPalette);
    if (o.colors != 0 && o.paletteOf)
        throw UsageError(texts::kOnePaletteChoice);
    if (o.makePalette)
        return checkPaletteJob(o, files);
    // A sound is dithered as it is made 8-bit; a picture against the palette it is given.
    const bool sound = !files.empty() && inputKind(files[0]) == InputKind::Sound;
    if (o.dither && !sound && o.colors == 0 && !o.paletteOf)
        throw UsageError(texts::kDitherNeedsPalette);
    if (o.info) {
        if (o.append || o.depfile)
            throw UsageError(texts::kInfoWritesNothing);
        if (files.size() != 1)
            throw UsageError(texts::kInfoTakesOne);
        return;
    }
    if (files.size() != 2)
        throw UsageError(files.size() < 2 ? texts::kTwoFilesNeeded : texts::tooManyFiles(files[2]));
    const std::string& output = files[1];
    if ((o.append || o.replace || o.header) && output == kStandardOutputName)
        throw UsageError(texts::kStandardOutputWhole);
    if ((o.header || o.align != 0) && !isTextName(output))
        throw UsageError(texts::kTextOnlyOptions);
    if (o.header && (o.append || o.replace))
        throw UsageError(texts::kHeaderWritesWhole);
    if (o.header && (!isTextOutput(*o.header) || *o.header == output))
        throw UsageError(texts::kHeaderFile);
    if (o.depfile && isBackOutput(output))
        throw UsageError(texts::kDepfileNotBack);
    if (o.depfile && output == kStandardOutputName)
        throw UsageError(texts::kDepfileNotStandardOutput);
}

// The rule names every file the run reads or writes, each a file of its own.
void checkDepfile(const CliOptions& o) {
    const Dependencies d = dependenciesOf(o);
    for (const auto* names : {&d.targets, &d.prerequisites}) {
        for (const std::string& name : *names) {
            if (name == *o.depfile)
                throw UsageError(texts::depfileOwnFile(name));
            // make has no way to write a line end inside a name.
            if (name.find_first_of("\r\n") != std::string::npos)
                throw UsageError(texts::kDepfileLineEnd);
        }
    }
}

}  // namespace

RawSize parseRaw(std::string_view text) {
    const auto bad = [&] { return UsageError(texts::badRaw(std::string(text))); };
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == 'x' || text[i] == 'X') {
            parts.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    if (parts.size() < 2 || parts.size() > 3 || !isSize(parts[0]) || !isSize(parts[1]))
        throw bad();
    if (parts.size() == 3 && parts[2] != "8" && parts[2] != "24")
        throw bad();
    return RawSize{std::string(parts[0]), std::string(parts[1]),
                   parts.size() == 3 && parts[2] == "24"};
}

CliOptions parseArguments(const std::vector<std::string>& args) {
    CliOptions o;
    std::vector<std::string> files;
    ArgumentReader in(args);
    bool optionsEnded = false;
    while (!in.done()) {
        std::string arg = in.take();
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            files.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        std::optional<std::string> glued;
        const OptionSpec& option = findOption(arg, glued);
        if (!option.valueName && glued)
            throw UsageError(texts::takesNoValue(arg));
        option.apply(o, option.valueName ? in.value(arg, glued) : std::string());
    }
    if (o.help || o.version)
        return o;
    checkCombination(o, files);
    if (o.makePalette) {
        o.inputs = files;
        if (o.depfile)
            checkDepfile(o);
        return o;
    }
    o.input = files[0];
    if (!o.info)
        o.output = files[1];
    if (o.depfile)
        checkDepfile(o);
    return o;
}

Dependencies dependenciesOf(const CliOptions& o) {
    if (o.makePalette)
        return {.targets = {*o.makePalette}, .prerequisites = o.inputs};
    Dependencies d{.targets = {o.output}, .prerequisites = {o.input}};
    if (o.header)
        d.targets.push_back(*o.header);
    if (o.paletteOf)
        d.prerequisites.push_back(*o.paletteOf);
    return d;
}

std::string arrayName(const CliOptions& options) {
    if (options.name)
        return *options.name;
    const std::string& from = options.makePalette ? *options.makePalette : options.input;
    // A palette's name drops its ending, whatever its length (".h", ".gpl").
    const std::string base = titleOf(from);
    const std::string name = identifierFrom(options.makePalette ? base.substr(0, base.rfind('.'))
                                                                : withoutExtension(base));
    if (!isCIdentifier(name)) {
        throw UsageError(texts::noArrayName(from));
    }
    return name;
}

InputKind inputKind(std::string_view path) {
    // A file says what it is in its first bytes, whatever its name: a WAV sound named .bmp is a
    // sound.
    std::array<char, 12> head{};
    if (const int fd = ::open(std::string(path).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
        fd >= 0) {
        struct stat st {};
        const bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
        const ssize_t got = regular ? ::read(fd, head.data(), head.size()) : 0;
        ::close(fd);
        const std::string_view h(head.data(), static_cast<std::size_t>(std::max<ssize_t>(got, 0)));
        if (h.size() == head.size() && h.starts_with("RIFF") && h.substr(8) == "WAVE")
            return InputKind::Sound;
    }
    if (hasKind(path, "bmp") || hasKind(path, "png") || hasKind(path, "raw"))
        return InputKind::Picture;
    if (hasSoundName(path))
        return InputKind::Sound;
    return InputKind::Unknown;
}

}  // namespace tessera::cli
