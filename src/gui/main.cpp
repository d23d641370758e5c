#include <QApplication>

#include "app/Form1.h"
#include "gui/MainWindow.h"
#include "gui/QtUi.h"
#include "platform/Signals.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // Ctrl+C or a kill in the middle of a conversion must not leave a half-written temporary
    // file beside the user's output, nor half-added lines in it.
    tessera::installTerminationHandlers();

    tessera::gui::QtUi ui;
    tessera::Form1 form(ui);
    tessera::gui::MainWindow window(form);
    ui.attach(&window);
    window.show();
    return app.exec();
}
