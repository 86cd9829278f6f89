#include "platform/seams.h"

#include <utility>

#include <QApplication>
#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

#include "platform/internal.h"

namespace platform {

namespace detail {

Seams& seams() {
    static Seams s;
    return s;
}

bool headless() {
    auto& s = seams();
    if (!s.headless) {
        if (!qApp) return false;
        s.headless = QGuiApplication::platformName() == QLatin1String("offscreen");
    }
    return *s.headless;
}

}  // namespace detail

namespace testing {

bool headless() { return detail::headless(); }
void setHeadless(bool on) { detail::seams().headless = on; }

const std::vector<MessageBoxCall>& messageBoxes() { return detail::seams().boxes; }
void clearMessageBoxes() { detail::seams().boxes.clear(); }
void setMessageBoxAnswer(std::function<int(const MessageBoxCall&)> answer) {
    detail::seams().answer = std::move(answer);
}

void setModalDriver(std::function<void(Form&)> driver) { detail::seams().modalDriver = std::move(driver); }

int beepCount() { return detail::seams().beeps; }
void resetBeepCount() { detail::seams().beeps = 0; }

void setWorkArea(int left, int top, int width, int height) {
    if (width <= 0 || height <= 0) {
        detail::seams().workArea.reset();
        return;
    }
    detail::seams().workArea = QRect(detail::toPixels(left), detail::toPixels(top), detail::toPixels(width),
                                     detail::toPixels(height));
}

void setWindowFrame(int left, int top, int right, int bottom) {
    // The window manager frames a window once the window system has shown it; a window that code
    // moves before that has its inside put where its frame was asked to go, so the frame lands up
    // and left of there by its width.
    static detail::EventHook windowManager([](QObject* watched, QEvent* event) {
        static bool moving = false;
        auto* window = qobject_cast<QWidget*>(watched);
        const auto& frame = detail::seams().windowFrame;
        if (event->type() != QEvent::Move || event->spontaneous() || moving || !frame || !window ||
            !window->isWindow() || !window->isVisible() || !window->windowHandle() || window->windowHandle()->isExposed())
            return false;
        moving = true;
        window->move(window->pos() - QPoint(frame->left(), frame->top()));
        moving = false;
        return false;
    });
    [[maybe_unused]] static const bool watching = (qApp->installEventFilter(&windowManager), true);
    const QMargins frame(detail::toPixels(left), detail::toPixels(top), detail::toPixels(right), detail::toPixels(bottom));
    if (frame.isNull())
        detail::seams().windowFrame.reset();
    else
        detail::seams().windowFrame = frame;
}

MenuItem* lastPopupMenu() { return detail::seams().lastPopup; }

}  // namespace testing
}  // namespace platform
