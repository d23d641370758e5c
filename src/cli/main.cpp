#include <cstdio>
#include <exception>
#include <new>
#include <string>
#include <vector>

#include "Version.h"
#include "cli/CliOptions.h"
#include "cli/CliRun.h"
#include "platform/Signals.h"

namespace {

constexpr const char* kVersion = "tessera-cli " TESSERA_VERSION;

constexpr const char* kUsage =
    "Usage: tessera-cli [options] INPUT OUTPUT\n"
    "       tessera-cli --info INPUT\n"
    "Converts a picture (.bmp, .raw) or a sound (.wav) for the GP32: OUTPUT ending in .h or .c\n"
    "gets C text, any other name a .gpg (picture) or .sef (sound) file.\n"
    "\n"
    "  -n, --name NAME     array name (default: INPUT's name without its extension)\n"
    "      --palette       write the palette of an 8-bit BMP (default)\n"
    "      --no-palette    leave the palette out\n"
    "      --only-palette  write the palette alone (implies --palette)\n"
    "      --fill 0|1      GP32 intensity bit of the colours (default 1)\n"
    "      --raw WxH[x8|x24]  size and depth of a RAW picture (default 320x240x8)\n"
    "  -a, --append        add to OUTPUT (a .h or .c file) instead of replacing it\n"
    "  -q, --quiet         no progress bar\n"
    "  -v, --verbose       say so when the conversion is done\n"
    "      --info          print the description of INPUT\n"
    "  -h, --help          print this help\n"
    "      --version       print the version\n"
    "\n"
    "Exit status: 0 done, 1 refused or failed, 2 bad usage.\n";

}  // namespace

int main(int argc, char** argv) {
    using namespace tessera::cli;
    // An interrupted conversion leaves no temporary file and no half-added lines behind.
    tessera::installTerminationHandlers();
    try {
        const CliOptions options = parseArguments(std::vector<std::string>(argv + 1, argv + argc));
        if (options.help) {
            std::fputs(kUsage, stdout);
            return kExitOk;
        }
        if (options.version) {
            std::puts(kVersion);
            return kExitOk;
        }
        const int status = run(options);
        // --info into a full disk is a failure too, not an empty description. A conversion's
        // -v line is not its result: the output is written and kept, so a script that retries
        // on failure would add the block twice; the lost line is only mentioned.
        if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
            const bool converted = !options.info && status == kExitOk;
            std::fputs(converted ? "tessera-cli: done, but the standard output cannot be written\n"
                                 : "tessera-cli: cannot write the standard output\n",
                       stderr);
            return converted ? kExitOk : kExitFailed;
        }
        return status;
    } catch (const UsageError& e) {
        std::fprintf(stderr, "tessera-cli: %s (try 'tessera-cli --help')\n", e.what());
        return kExitUsage;
    } catch (const std::bad_alloc&) {
        std::fputs("tessera-cli: not enough memory\n", stderr);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tessera-cli: %s\n", e.what());
    }
    return kExitFailed;
}
