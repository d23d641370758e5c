// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <cstdio>
#include <cstring>

#include "Version.h"
#include "gui/ProgramWindow.h"
#include "platform/Signals.h"

namespace {

constexpr const char* kUsage =
    "Usage: tessera [FILE]\n"
    "Opens the window that turns BMP, PNG and RAW pictures and WAV sounds into C text, .gpg and\n"
    ".sef files for the GP32. FILE, if given, is loaded at start as its load button would.\n"
    "\n"
    "  -h, --help  print this help and exit\n"
    "  --version   print the version and exit\n"
    "\n"
    "tessera-cli does the same conversions from the command line (tessera-cli --help).\n";

}  // namespace

int main(int argc, char* argv[]) {
    // Answered before the window's toolkit starts: it needs a display, which a terminal over
    // ssh or a package check does not have, and aborts without one.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kUsage, stdout);
            return std::fflush(stdout) == 0 ? 0 : 1;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::puts("tessera " TESSERA_VERSION);
            return std::fflush(stdout) == 0 ? 0 : 1;
        }
    }
    QApplication app(argc, argv);
    // Settings (the dialogs' last folder) go to ~/.config/Tessera/Tessera.conf.
    QCoreApplication::setOrganizationName(QStringLiteral("Tessera"));
    QCoreApplication::setApplicationName(QStringLiteral("Tessera"));
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.tessera.Tessera"));
    // Ctrl+C or a kill in the middle of a conversion must not leave a half-written temporary
    // file beside the user's output, nor half-added lines in it.
    tessera::installTerminationHandlers();

    tessera::gui::ProgramWindow program;
    tessera::gui::MainWindow& window = program.window;
    window.show();
    // `tessera FILE` ("Open with" in a file manager) loads FILE as a drop would.
    const QStringList args = QCoreApplication::arguments();
    if (args.size() > 1)
        window.openLater(args.at(1));
    return app.exec();
}
