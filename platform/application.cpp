#include "platform/application.h"

#include <QApplication>

#include "platform/dispatch.h"
#include "platform/form.h"
#include "platform/msgbox.h"

namespace platform {

int runApplication(int argc, char** argv, const std::string& title, const std::function<void()>& startup) {
    QApplication app(argc, argv);
    // The program ends when its last form is unloaded, not when its last window closes.
    QApplication::setQuitOnLastWindowClosed(false);
    setProgramTitle(title);
    dispatchEvent(startup);
    if (Forms().Count() == 0) return 0;
    return QApplication::exec();
}

}  // namespace platform
