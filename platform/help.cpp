#include "platform/help.h"

#include <QFileInfo>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>

#include "platform/strings.h"

namespace platform {

namespace {

QPointer<QTextBrowser>& viewer() {
    static QPointer<QTextBrowser> window;
    return window;
}

QTextBrowser& openViewer() {
    if (!viewer()) {
        auto* window = new QTextBrowser;  // a top-level window that deletes itself when closed
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->setOpenExternalLinks(true);
        window->resize(640, 480);
        viewer() = window;
    }
    return *viewer();
}

}  // namespace

void showHelp(const std::string& path) {
    QTextBrowser& window = openViewer();
    const QFileInfo file(QString::fromStdString(path));
    window.setWindowTitle(QString::fromStdString(AppTitle()) + " Help");
    if (file.isFile() && file.isReadable()) {
        window.setSource(QUrl::fromLocalFile(file.absoluteFilePath()));
    } else {
        window.setSource(QUrl());
        window.setPlainText("The help file could not be opened:\n" + QString::fromStdString(path));
    }
    window.show();
    window.raise();
    window.activateWindow();
}

bool helpVisible() { return viewer() && viewer()->isVisible(); }

std::string helpText() { return viewer() ? viewer()->toPlainText().toStdString() : std::string(); }

void closeHelp() {
    if (viewer()) viewer()->close();
}

}  // namespace platform
