// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliBack.h"

#include <cstdio>
#include <string>

#include "app/AppMessages.h"
#include "app/ConvertBack.h"
#include "cli/CliRun.h"

namespace tessera::cli {

namespace {

void report(const std::string& file, const std::string& text) {
    std::fprintf(stderr, "tessera-cli: %s: %s\n", file.c_str(), oneLine(text).c_str());
}

// A --raw side as a size: what does not fit is refused as no .gpg could hold it.
std::int64_t side(const std::string& text) {
    return text.size() > 9 ? -1 : std::stoll(text);
}

BackRequest requestOf(const CliOptions& o) {
    BackRequest r{.input = o.input, .output = o.output, .name = o.name.value_or("")};
    if (o.rawGiven) {
        r.width = side(o.raw.width);
        r.height = side(o.raw.height);
    }
    r.bits = o.sound.bits;
    r.rate = o.sound.rate;
    r.channels = o.sound.mono ? 1 : o.stereo ? 2 : 0;
    return r;
}

}  // namespace

int runBack(const CliOptions& o) {
    const BackOutcome outcome = convertBack(requestOf(o));
    for (const std::string& note : outcome.notes)
        report(o.input, note);
    if (!outcome.done) {
        report(outcome.aboutOutput ? o.output : o.input, outcome.refusal);
        return kExitFailed;
    }
    if (o.verbose)
        std::printf("tessera-cli: %s: %s\n", o.output.c_str(), messages::kDone);
    return kExitOk;
}

}  // namespace tessera::cli
