// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdio>
#include <exception>
#include <new>
#include <string>
#include <vector>

#include "Version.h"
#include "app/FileNames.h"
#include "cli/CliMessages.h"
#include "cli/CliOptions.h"
#include "cli/CliRun.h"
#include "cli/OptionTable.h"
#include "platform/Signals.h"

namespace {

constexpr const char* kVersion = "tessera-cli " TESSERA_VERSION;

}  // namespace

int main(int argc, char** argv) {
    using namespace tessera::cli;
    // An interrupted conversion leaves no temporary file and no half-added lines behind.
    tessera::installTerminationHandlers();
    try {
        const CliOptions options = parseArguments(std::vector<std::string>(argv + 1, argv + argc));
        if (options.help) {
            std::fputs(usageText().c_str(), stdout);
            return kExitOk;
        }
        if (options.version) {
            std::puts(kVersion);
            return kExitOk;
        }
        const int status = run(options);
        // --info into a full disk is a failure too, not an empty description. A conversion's
        // -v line is not its result: the output is written and kept, so a script that retries
        // on failure would add the block twice; the lost line is only mentioned. Output on the
        // standard output is the result itself.
        if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
            const bool converted = !options.info &&
                                   options.output != tessera::kStandardOutputName &&
                                   status == kExitOk;
            std::fprintf(stderr, "%s: %s\n", texts::kProgram,
                         converted ? texts::kDoneButNoStandardOutput : texts::kNoStandardOutput);
            return converted ? kExitOk : kExitFailed;
        }
        return status;
    } catch (const UsageError& e) {
        std::fprintf(stderr, "%s: %s%s\n", texts::kProgram, e.what(), texts::kTryHelp);
        return kExitUsage;
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "%s: %s\n", texts::kProgram, texts::kNoMemory);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s: %s\n", texts::kProgram, e.what());
    }
    return kExitFailed;
}
