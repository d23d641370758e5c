#include <QApplication>
#include <csignal>

#include "app/Form1.h"
#include "app/OutputFile.h"
#include "gui/MainWindow.h"
#include "gui/QtUi.h"

namespace {

// Ctrl+C or a kill in the middle of a conversion must not leave a half-written temporary file
// beside the user's output, nor half-added lines in it.
extern "C" void onTerminatingSignal(int signal) {
    tessera::rollBackPendingOutputs();
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    std::signal(SIGINT, onTerminatingSignal);
    std::signal(SIGTERM, onTerminatingSignal);

    tessera::gui::QtUi ui;
    tessera::Form1 form(ui);
    tessera::gui::MainWindow window(form);
    ui.attach(&window);
    window.show();
    return app.exec();
}
