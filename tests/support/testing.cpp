#include "support/testing.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMainWindow>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTest>
#include <QWindow>
#include <QWidget>

#include "platform/controls.h"
#include "platform/dispatch.h"
#include "platform/form.h"
#include "platform/internal.h"
#include "platform/menu.h"
#include "platform/picturebox.h"
#include "platform/screen.h"

namespace platform::testing {

void saveDesktopPicture(const std::string& file, const std::vector<const Form*>& windows) {
    if (windows.empty()) return;
    const QRect area = detail::inPixels(workArea(*windows.front()));
    QImage desktop(area.size(), QImage::Format_RGB32);
    desktop.fill(QColor(70, 110, 150));
    QPainter painter(&desktop);
    painter.setPen(Qt::white);
    for (const Form* form : windows) {
        const QRect frame = detail::inPixels(outerFrame(*form)).translated(-area.topLeft());
        const QPixmap client = form->window()->grab();
        // Even borders left, right and below; the rest of the height is the title bar.
        const int border = std::max(0, (frame.width() - client.width()) / 2);
        const int title = std::max(0, frame.height() - client.height() - border);
        painter.fillRect(frame, QColor(40, 40, 60));
        if (title >= painter.fontMetrics().height())
            painter.drawText(QRect(frame.left() + 8, frame.top(), frame.width() - 16, title), Qt::AlignVCenter,
                             detail::qs(form->Caption()));
        painter.drawPixmap(frame.left() + border, frame.top() + title, client);
    }
    desktop.save(detail::qs(file));
}

void click(CommandButton& button) { button.userClick(); }
void click(CheckBox& box) { box.userClick(); }
void click(OptionButton& option) { option.userClick(); }
void click(MenuItem& item) { item.userClick(); }

void type(TextBox& box, const std::string& text) {
    // As a user types: the box shows the new text (pictures taken afterwards show it), then Change runs.
    {
        const QSignalBlocker block(box.widget());
        const QString shown = QString::fromStdString(text);
        if (auto* line = qobject_cast<QLineEdit*>(box.widget()))
            line->setText(shown);
        else if (auto* multi = qobject_cast<QPlainTextEdit*>(box.widget()))
            multi->setPlainText(shown);
    }
    box.userEdited(text);
}

bool pressKey(TextBox& box, int keyAscii) {
    const int typed = keyAscii;
    if (!box.userKey(keyAscii)) return false;
    if (keyAscii != typed && keyAscii < 32) return true;
    if (keyAscii == 13) {
        // Enter presses the form's button for it unless the box keeps it (a multi-line box when there
        // is none).
        if (CommandButton* target = box.form().enterTarget(&box)) target->userClick();
        else if (box.isMultiLine()) box.userEdited(box.Text() + "\n");
        return true;
    }
    if (keyAscii == 27) {
        pressEscape(box.form());
        return true;
    }
    if (keyAscii == 8) {
        std::string text = box.Text();
        if (!text.empty()) {
            // Drops the last character, not the last byte.
            QString q = detail::qs(text);
            q.chop(1);
            text = detail::ss(q);
        }
        box.userEdited(text);
        return true;
    }
    if (keyAscii >= 32) box.userEdited(box.Text() + detail::ss(QString(QChar(keyAscii))));
    return true;
}

void pick(ComboBox& box, int index) { box.userPick(index); }

void dblClick(Image& image) {
    if (image.DblClick) dispatchEvent(image.DblClick);
}

void dblClick(PictureBox& picture) { picture.userDblClick(); }

namespace {

void sendKeyTo(QWidget* widget, Key key) {
    // The key code and the text it types, in the order of Key.
    static constexpr std::pair<int, char> keys[] = {{Qt::Key_Up, 0},     {Qt::Key_Down, 0},       {Qt::Key_Left, 0},
                                                    {Qt::Key_Right, 0},  {Qt::Key_Tab, '\t'},     {Qt::Key_Return, '\r'},
                                                    {Qt::Key_Escape, 27}, {Qt::Key_Space, ' '},   {Qt::Key_Enter, '\r'}};
    const auto [code, text] = keys[static_cast<int>(key)];
    const QString typed = text ? QString(QChar(text)) : QString();
    const Qt::KeyboardModifiers held = key == Key::KeypadEnter ? Qt::KeypadModifier : Qt::NoModifier;
    const QPointer<QWidget> target(widget);
    QKeyEvent press(QEvent::KeyPress, code, held, typed);
    QCoreApplication::sendEvent(widget, &press);
    // A button takes Space on its release.
    if (key != Key::Space || !target) return;
    QKeyEvent release(QEvent::KeyRelease, code, Qt::NoModifier, typed);
    QCoreApplication::sendEvent(target, &release);
}

// Keys go to the active window: the one holding the widget becomes it, as under the user's hand.
void activateWindowOf(QWidget* widget) {
    widget->window()->activateWindow();
    QCoreApplication::processEvents();
}

}  // namespace

void pressAltKey(Form& window, char letter) {
    activateWindowOf(window.window()->window());
    QWidget* at = QApplication::focusWidget();
    qt_sendShortcutOverrideEvent(at, 0, Qt::Key_Alt, Qt::AltModifier);
    qt_sendShortcutOverrideEvent(at, 0, Qt::Key_A + std::toupper(letter) - 'A', Qt::AltModifier, QString(QChar(letter)));
    QCoreApplication::processEvents();
}

std::string openMenu(Form& window) {
    auto* main = qobject_cast<QMainWindow*>(window.window()->window());
    const QAction* held = main ? main->menuBar()->activeAction() : nullptr;
    if (!held || !held->menu() || held->menu() != QApplication::activePopupWidget()) return "";
    return held->text().toStdString();
}

void closeMenus() {
    while (QWidget* popup = QApplication::activePopupWidget()) popup->close();
}

void sendKey(Control& control, Key key) {
    activateWindowOf(control.widget());
    sendKeyTo(control.widget(), key);
}

void mouseClick(Control& control, int x, int y) {
    QWidget* const widget = control.widget();
    activateWindowOf(widget);
    QWindow* const window = widget->window()->windowHandle();
    const QPoint at = window->mapFromGlobal(widget->mapToGlobal(QPoint(x, y)));
    QTest::mousePress(window, Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseRelease(window, Qt::LeftButton, Qt::NoModifier, at);
    QCoreApplication::processEvents();  // what the release set going
}

bool tabTo(Control& control) {
    QWidget* const wanted = control.widget();
    activateWindowOf(wanted);
    // A chain that never comes to it ends after as many stops as the form has controls.
    for (std::size_t i = 0; i <= control.form().controls().size() && QApplication::focusWidget() != wanted; ++i) {
        QWidget* at = QApplication::focusWidget();
        sendKeyTo(at ? at : wanted->window(), Key::Tab);
    }
    return QApplication::focusWidget() == wanted;
}

std::vector<std::string> tabStops(Form& form, const std::function<void(int stop)>& atStop) {
    activateWindowOf(form.window());
    std::vector<std::string> stops;
    QWidget* const first = QApplication::focusWidget();
    // A chain that never comes back ends after as many stops as the form has controls.
    for (QWidget* at = first; at && stops.size() <= form.controls().size();) {
        for (Control* c : form.controls()) {
            if (c->widget() != at) continue;
            stops.push_back(c->Index() < 0 ? c->Name() : c->Name() + "(" + std::to_string(c->Index()) + ")");
            if (atStop) atStop(static_cast<int>(stops.size()) - 1);
        }
        sendKeyTo(at, Key::Tab);
        if ((at = QApplication::focusWidget()) == first) break;
    }
    return stops;
}

void pressEnter(Form& form) {
    // The key goes where the window system sends it: the control with the focus, else the window.
    activateWindowOf(form.window());
    QWidget* const focus = QApplication::focusWidget();
    sendKeyTo(focus && form.window()->isAncestorOf(focus) ? focus : form.window(), Key::Enter);
}

void pressEscape(Form& form) {
    if (CommandButton* b = form.cancelButton()) b->userClick();
}

void close(Form& form) {
    Form* f = &form;
    dispatchEvent([f] { Unload(*f, UnloadByUser); });
}

void activate(Form& form) { detail::activateByUser(form); }

void flushUnloaded() { detail::deleteUnloaded(); }

void discardAllForms() {
    // Children first, the MDI parent last, without any of their unload procedures.
    while (Forms().Count() > 0) {
        detail::discardForm(Forms()(Forms().Count() - 1), true);
    }
    detail::deleteUnloaded();
    detail::seams().lastPopup = nullptr;
}

std::vector<std::string> menuBarCaptions(Form& window) {
    std::vector<std::string> captions;
    QMenuBar* bar = nullptr;
    if (auto* main = qobject_cast<QMainWindow*>(window.window()))
        bar = main->menuBar();
    else
        bar = window.window()->findChild<QMenuBar*>(QString(), Qt::FindDirectChildrenOnly);
    if (!bar) return captions;
    for (QAction* a : bar->actions())
        if (a->isVisible()) captions.push_back(detail::ss(a->text()));
    return captions;
}

}  // namespace platform::testing
