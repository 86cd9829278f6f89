#include "platform/screen.h"

#include <algorithm>

#include <QGuiApplication>
#include <QMargins>
#include <QScreen>
#include <QWindow>
#include <QWidget>

#include "platform/form.h"
#include "platform/internal.h"

namespace platform {

namespace {

ScreenRect inTwips(const QRect& r) {
    return {r.x() * TwipsPerPixel, r.y() * TwipsPerPixel, r.width() * TwipsPerPixel, r.height() * TwipsPerPixel};
}

// The frame around a top-level window [pixels], as the window system reports it: none until the
// window manager has put one around the window. Tests give the frame it would draw once the window
// system has shown the window.
QMargins frameOf(const QWidget& window) {
    if (const auto& frame = detail::seams().windowFrame)
        return window.windowHandle() && window.windowHandle()->isExposed() ? *frame : QMargins();
    const QRect outer = window.frameGeometry();
    const QRect inner = window.geometry();
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

// The work area the program's windows belong on.
QRect programArea(const QWidget& window) {
    const Form* main = detail::mainForm();
    return detail::workArea(main ? *main->window() : window);
}

// A top-level window's outer frame [pixels]: its own once the window manager has put one around
// it, the expected one before.
QRect frameRect(const QWidget& window) {
    QMargins frame = frameOf(window);
    if (frame.isNull()) frame = detail::expectedFrame();
    return {window.frameGeometry().topLeft(), window.geometry().size().grownBy(frame)};
}

}  // namespace

namespace detail {

QRect inPixels(const ScreenRect& r) {
    return {toPixels(r.left), toPixels(r.top), toPixels(r.width), toPixels(r.height)};
}

QRect workArea(const QWidget& near) {
    if (const auto& area = seams().workArea) return *area;
    const QScreen* screen = near.screen() ? near.screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 800, 600);
}

// The window manager decorates the program's windows alike, so a shown one's frame is the best
// guess. A maximized window may go without borders: it tells the title bar only. Before any window
// is shown, a generous guess.
QMargins expectedFrame() {
    if (const auto& frame = seams().windowFrame) return *frame;
    QMargins guess(8, 32, 8, 8);
    const FormsCollection forms = Forms();
    for (int i = 0; i < forms.Count(); ++i) {
        const QWidget& window = *forms(i).window();
        const QMargins frame = frameOf(window);
        if (!window.isWindow() || !forms(i).Visible() || frame.isNull()) continue;
        if (forms(i).WindowState() != StateMaximized) return frame;
        guess.setTop(frame.top());
    }
    return guess;
}

QPoint intoArea(QPoint at, QSize size, const QRect& area) {
    return {std::max(area.left(), std::min(at.x(), area.left() + area.width() - size.width())),
            std::max(area.top(), std::min(at.y(), area.top() + area.height() - size.height()))};
}

// The window system puts a window not made yet with its frame where it is asked to, a made one with
// its inside: until the window manager has framed it, the expected frame tells where the inside goes.
void moveFrameTo(QWidget& window, QPoint at) {
    const bool unframed = window.isWindow() && window.testAttribute(Qt::WA_WState_Created) && frameOf(window).isNull();
    const QMargins frame = unframed ? expectedFrame() : QMargins();
    window.move(at + QPoint(frame.left(), frame.top()));
}

void centreOnMain(QWidget& window) {
    const QRect frame = frameRect(window);
    QPoint at = frame.topLeft();
    const Form* main = mainForm();
    if (main && main->window() != &window) {
        const QRect around = inPixels(outerFrame(*main));
        at = around.topLeft() + QPoint((around.width() - frame.width()) / 2, (around.height() - frame.height()) / 2);
    }
    moveFrameTo(window, intoArea(at, frame.size(), programArea(window)));
}

}  // namespace detail

ScreenRect workArea(const Form& form) { return inTwips(programArea(*form.window())); }

ScreenRect outerFrame(const Form& form) {
    const QWidget& window = *form.window();
    if (!window.isWindow()) return {form.Left(), form.Top(), form.Width(), form.Height()};
    if (form.WindowState() == StateMaximized) return inTwips(detail::workArea(window));
    return inTwips(frameRect(window));
}

void centreOnMain(Form& window) { detail::centreOnMain(*window.window()); }

}  // namespace platform
