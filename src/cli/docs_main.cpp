// SPDX-License-Identifier: GPL-3.0-or-later
// tessera-cli-docs TEMPLATE OUTPUT: run by the build, fills a manual page's or the bash
// completion's template from the option table, so neither can leave an option out.
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "Version.h"
#include "cli/Docs.h"

int main(int argc, char** argv) {
    using namespace tessera::cli;
    if (argc != 3) {
        std::fputs("usage: tessera-cli-docs TEMPLATE OUTPUT\n", stderr);
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    if (!in) {
        std::fprintf(stderr, "tessera-cli-docs: cannot read %s\n", argv[1]);
        return 1;
    }
    std::string page = text.str();
    page = fillTemplate(page, "PROJECT_VERSION", TESSERA_VERSION);
    page = fillTemplate(page, "OPTIONS", manOptions());
    page = fillTemplate(page, "LONG_OPTIONS", completionLongOptions());
    page = fillTemplate(page, "VALUE_CASES", completionValueCases());
    page = fillTemplate(page, "VALUE_OPTIONS", completionValueOptions());
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out << page;
    out.close();
    if (!out) {
        std::fprintf(stderr, "tessera-cli-docs: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
