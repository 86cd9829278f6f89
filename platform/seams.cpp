#include "platform/seams.h"

#include <utility>

#include <QGuiApplication>

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
    const QMargins frame(detail::toPixels(left), detail::toPixels(top), detail::toPixels(right), detail::toPixels(bottom));
    if (frame.isNull())
        detail::seams().windowFrame.reset();
    else
        detail::seams().windowFrame = frame;
}

MenuItem* lastPopupMenu() { return detail::seams().lastPopup; }

}  // namespace testing
}  // namespace platform
