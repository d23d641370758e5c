#include "cli/CliOptions.h"

#include <algorithm>
#include <iterator>

#include "app/FileNames.h"

namespace tessera::cli {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isIdentifierChar(char c) {
    return isDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

// A positive size of at most nine digits: anything larger is no picture.
bool isSize(std::string_view text) {
    return !text.empty() && text.size() <= 9 && std::all_of(text.begin(), text.end(), isDigit) &&
           text.find_first_not_of('0') != std::string_view::npos;
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
            throw UsageError("option " + option + " needs a value");
        return take();
    }

  private:
    const std::vector<std::string>& args_;
    std::size_t next_ = 0;
};

void applyFlag(CliOptions& o, const std::string& option) {
    if (option == "-h" || option == "--help")
        o.help = true;
    else if (option == "--version")
        o.version = true;
    else if (option == "--info")
        o.info = true;
    else if (option == "-q" || option == "--quiet")
        o.quiet = true;
    else if (option == "-v" || option == "--verbose")
        o.verbose = true;
    else if (option == "-a" || option == "--append")
        o.append = true;
    else if (option == "--palette")
        o.palette = true;
    else if (option == "--no-palette")
        o.palette = false;
    else if (option == "--only-palette")
        o.onlyPalette = true;
    else
        throw UsageError("unknown option " + option);
}

void checkCombination(const CliOptions& o, const std::vector<std::string>& files) {
    if (o.onlyPalette && !o.palette)
        throw UsageError("--only-palette needs the palette: drop --no-palette");
    if (o.info) {
        if (o.append)
            throw UsageError("--info writes nothing: drop --append");
        if (files.size() != 1)
            throw UsageError("--info takes one INPUT");
        return;
    }
    if (files.size() != 2)
        throw UsageError(files.size() < 2 ? "INPUT and OUTPUT are needed"
                                          : "too many files: " + files[2]);
}

}  // namespace

RawSize parseRaw(std::string_view text) {
    const auto bad = [&] {
        return UsageError("bad --raw value '" + std::string(text) +
                          "': give WIDTHxHEIGHT, optionally followed by x8 or x24");
    };
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
        if (arg.rfind("--", 0) == 0) {
            if (const auto eq = arg.find('='); eq != std::string::npos) {
                glued = arg.substr(eq + 1);
                arg.resize(eq);
            }
        } else if (arg.size() > 2 && arg.rfind("-n", 0) == 0) {
            glued = arg.substr(2);
            arg = "-n";
        }
        if (arg == "-n" || arg == "--name") {
            const std::string name = in.value(arg, glued);
            if (!isCIdentifier(name))
                throw UsageError("--name '" + name + "' is not a C identifier");
            o.name = name;
        } else if (arg == "--fill") {
            const std::string fill = in.value(arg, glued);
            if (fill != "0" && fill != "1")
                throw UsageError("bad --fill value '" + fill + "': give 0 or 1");
            o.fill = fill == "1" ? 1 : 0;
        } else if (arg == "--raw") {
            o.raw = parseRaw(in.value(arg, glued));
        } else if (glued) {
            throw UsageError("option " + arg + " takes no value");
        } else {
            applyFlag(o, arg);
        }
    }
    if (o.help || o.version)
        return o;
    checkCombination(o, files);
    o.input = files[0];
    if (!o.info)
        o.output = files[1];
    return o;
}

namespace {

// The words a C compiler (C23 included) reserves: an array called `int` would not compile.
bool isCKeyword(std::string_view text) {
    static constexpr std::string_view kKeywords[] = {
        "alignas",      "alignof",    "auto",          "bool",         "break",
        "case",         "char",       "const",         "constexpr",    "continue",
        "default",      "do",         "double",        "else",         "enum",
        "extern",       "false",      "float",         "for",          "goto",
        "if",           "inline",     "int",           "long",         "nullptr",
        "register",     "restrict",   "return",        "short",        "signed",
        "sizeof",       "static",     "static_assert", "struct",       "switch",
        "thread_local", "true",       "typedef",       "typeof",       "typeof_unqual",
        "union",        "unsigned",   "void",          "volatile",     "while",
        "_Alignas",     "_Alignof",   "_Atomic",       "_Bool",        "_Complex",
        "_Generic",     "_Imaginary", "_Noreturn",     "_Thread_local"};
    return std::find(std::begin(kKeywords), std::end(kKeywords), text) != std::end(kKeywords);
}

}  // namespace

bool isCIdentifier(std::string_view text) {
    return !text.empty() && !isDigit(text.front()) &&
           std::all_of(text.begin(), text.end(), isIdentifierChar) && !isCKeyword(text);
}

std::string identifierFrom(std::string_view text) {
    std::string out;
    if (!text.empty() && isDigit(text.front()))
        out += '_';
    for (const char c : text)
        out += isIdentifierChar(c) ? c : '_';
    if (isCKeyword(out))
        out += '_';
    return out;
}

std::string arrayName(const CliOptions& options) {
    if (options.name)
        return *options.name;
    const std::string name = identifierFrom(withoutExtension(fileTitleOf(options.input)));
    if (name.empty()) {
        throw UsageError("no array name can be made from '" + options.input +
                         "': give one with --name");
    }
    return name;
}

InputKind inputKind(std::string_view path) {
    if (hasKind(path, "bmp") || hasKind(path, "png") || hasKind(path, "raw"))
        return InputKind::Picture;
    if (hasKind(path, "wav"))
        return InputKind::Sound;
    return InputKind::Unknown;
}

}  // namespace tessera::cli
