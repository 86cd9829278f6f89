#include "platform/application.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QPainter>
#include <QPixmap>

#include "platform/dispatch.h"
#include "platform/form.h"

namespace platform {

namespace {

// The program's own window icon (white "Q" on teal), so that windows and maximized MDI children
// don't show the toolkit's default logo.
QIcon programIcon() {
    QPixmap pixmap(32, 32);
    pixmap.fill(QColor(0, 128, 128));
    QPainter painter(&pixmap);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(24);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(pixmap.rect(), Qt::AlignCenter, "Q");
    painter.end();
    return QIcon(pixmap);
}

}  // namespace

int runApplication(int argc, char** argv, const std::function<void()>& startup) {
    QApplication app(argc, argv);
    // The program ends when its last form is unloaded, not when its last window closes.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(programIcon());
    dispatchEvent(startup);
    if (Forms().Count() == 0) return 0;
    return QApplication::exec();
}

}  // namespace platform
