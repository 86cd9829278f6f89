#include "platform/msgbox.h"

#include <QApplication>
#include <QMessageBox>
#include <QWidget>

#include "platform/internal.h"
#include "platform/strings.h"

namespace platform {

namespace {
int pointer = PointerDefault;
}  // namespace

int MsgBox(const std::string& text, int style, const std::string& title) {
    const std::string shown = title.empty() ? AppTitle() : title;
    if (detail::headless()) {
        auto& seams = detail::seams();
        seams.boxes.push_back({text, style, shown});
        return seams.answer ? seams.answer(seams.boxes.back()) : MsgBoxOk;
    }

    const auto icon = (style & MsgBoxCritical) ? QMessageBox::Critical : QMessageBox::NoIcon;
    QMessageBox box(icon, detail::qs(shown), detail::qs(text), QMessageBox::Ok, QApplication::activeWindow());
    detail::UserScope user;
    box.exec();
    return MsgBoxOk;
}

void Beep() {
    if (detail::headless()) {
        ++detail::seams().beeps;
        return;
    }
    QApplication::beep();
}

void setMousePointer(int shape) {
    const int wanted = shape == PointerHourglass ? PointerHourglass : PointerDefault;
    if (wanted == pointer) return;
    pointer = wanted;
    if (!qApp) return;
    if (wanted == PointerHourglass)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

int mousePointer() { return pointer; }

}  // namespace platform
