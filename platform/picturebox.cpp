#include "platform/picturebox.h"

#include <algorithm>
#include <memory>

#include <QMouseEvent>
#include <QPainter>
#include <QWidget>

#include "platform/dispatch.h"
#include "platform/errors.h"
#include "platform/internal.h"

namespace platform {

namespace {

// Shows the canvas's image as it stands.
class PictureWidget : public QWidget {
public:
    ImageCanvas* canvas = nullptr;
    int border = 0;  // pixels each side

protected:
    void paintEvent(QPaintEvent*) override {
        if (!canvas) return;
        QPainter p(this);
        p.drawImage(border, border, canvas->image());
        if (border == 0) return;
        p.setPen(Qt::black);
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
};

int shiftState(Qt::KeyboardModifiers m) {
    return (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) | (m & Qt::AltModifier ? 4 : 0);
}

int buttonOf(Qt::MouseButton b) {
    switch (b) {
    case Qt::LeftButton: return PictureBox::LeftButton;
    case Qt::RightButton: return PictureBox::RightButton;
    case Qt::MiddleButton: return PictureBox::MiddleButton;
    default: return 0;
    }
}

}  // namespace

PictureBox::PictureBox(Container& holder, int widthTwips, int heightTwips) : Control(holder, new PictureWidget) {
    const int w = std::max(1, detail::toPixels(widthTwips));
    const int h = std::max(1, detail::toPixels(heightTwips));
    canvas_ = std::make_unique<ImageCanvas>(w, h);
    auto* view = static_cast<PictureWidget*>(widget());
    view->canvas = canvas_.get();
    canvas_->onChanged = [view] { view->update(); };
    setWidth(widthTwips);
    setHeight(heightTwips);
}

PictureBox::~PictureBox() { static_cast<PictureWidget*>(widget())->canvas = nullptr; }

void PictureBox::setBorderStyle(int style) {
    if (style != 0 && style != 1) raiseError(errInvalidPropertyValue);
    border_ = style;
    static_cast<PictureWidget*>(widget())->border = border_;
    geometryChanged();
    widget()->update();
}

void PictureBox::geometryChanged() {
    if (!canvas_) return;
    const int w = std::max(1, widget()->width() - 2 * border_);
    const int h = std::max(1, widget()->height() - 2 * border_);
    if (w != canvas_->deviceWidthPx() || h != canvas_->deviceHeightPx()) canvas_->resize(w, h);
}

void PictureBox::userMouseUp(int button, int shift, int xPx, int yPx) {
    if (!MouseUp) return;
    const double sx = canvas_->toUserX(xPx);
    const double sy = canvas_->toUserY(yPx);
    dispatchEvent([&] { MouseUp(button, shift, static_cast<float>(sx), static_cast<float>(sy)); });
}

void PictureBox::userDblClick() { dispatchEvent(DblClick); }

bool PictureBox::widgetEvent(QEvent* event) {
    if (detail::codeDepth() == 0) {
        if (event->type() == QEvent::MouseButtonRelease) {
            const auto& m = static_cast<const QMouseEvent&>(*event);
            const QPoint at = m.position().toPoint();
            userMouseUp(buttonOf(m.button()), shiftState(m.modifiers()), at.x() - border_, at.y() - border_);
        } else if (event->type() == QEvent::MouseButtonDblClick) {
            userDblClick();
        }
    }
    return Control::widgetEvent(event);
}

}  // namespace platform
