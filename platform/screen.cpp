#include "platform/screen.h"

#include <algorithm>

#include <QImage>
#include <QMargins>
#include <QPainter>
#include <QPixmap>
#include <QWidget>

#include "platform/form.h"
#include "platform/internal.h"

namespace platform {

namespace {

QMargins& fakeFrame() {
    static QMargins frame;
    return frame;
}

ScreenRect inTwips(const QRect& r) {
    return {r.x() * TwipsPerPixel, r.y() * TwipsPerPixel, r.width() * TwipsPerPixel, r.height() * TwipsPerPixel};
}

QRect inPixels(const ScreenRect& r) {
    return {r.left / TwipsPerPixel, r.top / TwipsPerPixel, r.width / TwipsPerPixel, r.height / TwipsPerPixel};
}

QMargins frameOf(const QWidget& window) {
    const QRect outer = window.frameGeometry();
    const QRect inner = window.geometry();
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

// The frame a window not shown yet will get: the window manager decorates the program's windows
// alike, so the shown main window's is the best guess.
QMargins expectedFrame() {
    if (!fakeFrame().isNull()) return fakeFrame();
    const FormsCollection forms = Forms();
    for (int i = 0; i < forms.Count(); ++i)
        if (forms(i).kind() == FormKind::MdiParent && forms(i).Visible()) return frameOf(*forms(i).window());
    return {};
}

}  // namespace

ScreenRect workArea(const Form& form) { return inTwips(detail::workArea(*form.window())); }

ScreenRect outerFrame(const Form& form) {
    ScreenRect r{form.Left(), form.Top(), form.Width(), form.Height()};
    const QWidget& window = *form.window();
    if (form.kind() == FormKind::MdiChild || !window.isWindow() || !frameOf(window).isNull()) return r;
    const QMargins frame = expectedFrame();
    r.width += (frame.left() + frame.right()) * TwipsPerPixel;
    r.height += (frame.top() + frame.bottom()) * TwipsPerPixel;
    return r;
}

namespace testing {

void setWindowFrame(int left, int top, int right, int bottom) {
    fakeFrame() = QMargins(detail::toPixels(left), detail::toPixels(top), detail::toPixels(right),
                           detail::toPixels(bottom));
}

void saveDesktopPicture(const std::string& file, const std::vector<const Form*>& windows) {
    if (windows.empty()) return;
    const QRect area = inPixels(workArea(*windows.front()));
    QImage desktop(area.size(), QImage::Format_RGB32);
    desktop.fill(QColor(70, 110, 150));
    QPainter painter(&desktop);
    painter.setPen(Qt::white);
    for (const Form* form : windows) {
        const QRect frame = inPixels(outerFrame(*form)).translated(-area.topLeft());
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

}  // namespace testing

}  // namespace platform
