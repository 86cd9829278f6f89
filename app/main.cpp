// The program's entry: the run-time, the string table and the forms, then Main.
#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>

#include "app/shell/form_registry.h"
#include "app/shell/mdlPublic.h"
#include "app/shell/string_table.h"
#include "platform/application.h"

namespace {

// With QUENLIS_WINDOW_REPORT set, the program lists its visible top-level windows on standard
// output (and saves a screenshot to QUENLIS_WINDOW_GRAB when that names a file) shortly after
// start-up, then ends: the way scripted checks see what a user would see.
void scheduleWindowReport() {
    if (qEnvironmentVariableIsEmpty("QUENLIS_WINDOW_REPORT")) return;
    const int delayMs = qEnvironmentVariableIntValue("QUENLIS_WINDOW_REPORT");
    QTimer::singleShot(delayMs > 0 ? delayMs : 1500, [] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible() && w->isWindow()) std::printf("window: %s\n", w->windowTitle().toUtf8().constData());
        const QString grab = qEnvironmentVariable("QUENLIS_WINDOW_GRAB");
        if (!grab.isEmpty() && QGuiApplication::primaryScreen())
            QGuiApplication::primaryScreen()->grabWindow(0).save(grab);
        std::fflush(stdout);
        // Modal dialogs may be running their own loops: leave at once.
        std::_Exit(0);
    });
}

}  // namespace

int main(int argc, char** argv) {
    app::registerStringTable();
    return platform::runApplication(argc, argv, [] {
        mdlPublic::ProgramFolder = QCoreApplication::applicationDirPath().toStdString();
        app::registerProgramForms();
        scheduleWindowReport();
        mdlPublic::Main();
    });
}
