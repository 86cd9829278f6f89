// The program's entry: the run-time, the string table and the forms, then Main.
#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/shell/program_forms.h"
#include "app/shared/mdlPublic.h"
#include "app/shared/string_table.h"
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

// Whether Qt would open its window system's platform (xcb or wayland, its default here) rather
// than one that needs no display, such as the tests' offscreen.
bool wantsDisplay(int argc, char** argv) {
    QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0) platform = argv[i + 1];
    if (platform.isEmpty()) return true;
    for (const QByteArray& name : platform.split(';'))
        if (!name.startsWith("xcb") && !name.startsWith("wayland")) return false;
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    // Without a display Qt aborts with a core dump and advice to reinstall: say what is missing.
    if (wantsDisplay(argc, argv) && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        std::fprintf(stderr, "vandore: needs a graphical session, and neither DISPLAY nor WAYLAND_DISPLAY is set: "
                             "start it from a desktop session.\n");
        return 1;
    }
    app::registerStringTable();
    return platform::runApplication(argc, argv, [] {
        mdlPublic::ProgramFolder = QCoreApplication::applicationDirPath().toStdString();
        app::registerProgramForms();
        scheduleWindowReport();
        mdlPublic::Main();
    });
}
