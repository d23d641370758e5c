#include <QApplication>

#include "gui/ProgramWindow.h"
#include "platform/Signals.h"

int main(int argc, char* argv[]) {
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
