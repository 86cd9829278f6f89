#include "platform/control.h"

#include <algorithm>
#include <utility>

#include <QAbstractScrollArea>
#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QKeyEvent>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>
#include <QWidget>

#include "platform/dispatch.h"
#include "platform/form.h"
#include "platform/internal.h"

namespace platform {

namespace detail {

int toPixels(int twips) {
    return twips >= 0 ? (twips + TwipsPerPixel / 2) / TwipsPerPixel : -((-twips + TwipsPerPixel / 2) / TwipsPerPixel);
}

Control*& focusedControl() {
    static Control* focused = nullptr;
    return focused;
}

Control* keyboardFocus(const Form& form) {
    const QWidget* focus = QApplication::focusWidget();
    if (!focus) return nullptr;
    for (Control* c : form.controls())
        if (c->widget() == focus) return c;
    return nullptr;
}

bool isEnterKey(const QKeyEvent& e) { return e.key() == Qt::Key_Return || e.key() == Qt::Key_Enter; }

}  // namespace detail

namespace {

Color fromQColor(const QColor& c) { return RGB(c.red(), c.green(), c.blue()); }

// How far to scroll [pixels] so that the span [low, high) of a view `extent` wide shows whole, or,
// where it is the larger, fills the view: the least move that does it.
int scrollToShow(int low, int high, int extent) {
    const int pastEnd = high - extent;
    return std::clamp(0, std::min(low, pastEnd), std::max(low, pastEnd));
}

// What the user sees of a widget: an option or check box draws its box and caption from the left,
// and the rest of a wider widget is empty.
QSize drawnSize(const QWidget& widget) {
    QSize size = widget.size();
    if (qobject_cast<const QRadioButton*>(&widget) || qobject_cast<const QCheckBox*>(&widget))
        size.setWidth(std::min(size.width(), widget.sizeHint().width()));
    return size;
}

}  // namespace

// Each area around the widget that scrolls it (the main window's client area among them) moves the
// least that shows what it draws; a widget in view moves nothing.
void detail::scrollIntoView(QWidget& widget) {
    for (QWidget* p = widget.parentWidget(); p; p = p->parentWidget()) {
        auto* area = qobject_cast<QAbstractScrollArea*>(p);
        if (!area || !area->viewport()->isAncestorOf(&widget)) continue;
        const QWidget& view = *area->viewport();
        const QRect r(widget.mapTo(&view, QPoint(0, 0)), drawnSize(widget));
        QScrollBar& across = *area->horizontalScrollBar();
        QScrollBar& down = *area->verticalScrollBar();
        across.setValue(across.value() + scrollToShow(r.left(), r.left() + r.width(), view.width()));
        down.setValue(down.value() + scrollToShow(r.top(), r.top() + r.height(), view.height()));
    }
}

void detail::scrollFocusIntoView(const QWidget& window) {
    if (QWidget* focus = QApplication::focusWidget(); focus && window.isAncestorOf(focus)) scrollIntoView(*focus);
}

struct Control::State {
    detail::TwipsMemo left, top, width, height;
    bool enabled = true;
    bool visible = true;
    bool scrollOnRelease = false;  // focused by a mouse press
};

Control::Control(Container& holder, QWidget* widget)
    : form_(&holder.form()), widget_(widget), state_(std::make_unique<State>()) {
    context_ = std::make_unique<detail::EventHook>([this](QObject*, QEvent* e) { return widgetEvent(e); });
    widget_->setParent(holder.clientWidget());
    widget_->show();
    widget_->installEventFilter(context_.get());
    form_->addControl(this);
}

Control::~Control() {
    if (detail::focusedControl() == this) detail::focusedControl() = nullptr;
    context_.reset();
    form_->removeControl(this);
}

void Control::setName(std::string name, int index) {
    name_ = std::move(name);
    index_ = index;
}

int Control::Left() const { return state_->left.read(widget_->x()); }
int Control::Top() const { return state_->top.read(widget_->y()); }
int Control::Width() const { return state_->width.read(widget_->width()); }
int Control::Height() const { return state_->height.read(widget_->height()); }

void Control::setLeft(int twips) { widget_->move(state_->left.set(twips), widget_->y()); }
void Control::setTop(int twips) { widget_->move(widget_->x(), state_->top.set(twips)); }

void Control::setWidth(int twips) {
    if (twips < 0) raiseError(errInvalidPropertyValue);
    widget_->resize(state_->width.set(twips), widget_->height());
    geometryChanged();
}

void Control::setHeight(int twips) {
    if (twips < 0) raiseError(errInvalidPropertyValue);
    widget_->resize(widget_->width(), state_->height.set(twips));
    geometryChanged();
}

void Control::Move(int left, int top, int width, int height) {
    setLeft(left);
    setTop(top);
    if (width >= 0) setWidth(width);
    if (height >= 0) setHeight(height);
}

bool Control::Enabled() const { return state_->enabled; }

void Control::setEnabled(bool on) {
    state_->enabled = on;
    widget_->setEnabled(on);
}

bool Control::Visible() const { return state_->visible; }

void Control::setVisible(bool on) {
    state_->visible = on;
    detail::CodeScope code;
    widget_->setVisible(on);
}

Color Control::ForeColor() const { return fromQColor(widget_->palette().color(QPalette::WindowText)); }

void Control::setForeColor(Color c) {
    QPalette p = widget_->palette();
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) p.setColor(role, detail::toQColor(c));
    widget_->setPalette(p);
}

Color Control::BackColor() const { return fromQColor(widget_->palette().color(widget_->backgroundRole())); }

void Control::setBackColor(Color c) {
    QPalette p = widget_->palette();
    for (auto role : {QPalette::Window, QPalette::Base, QPalette::Button}) p.setColor(role, detail::toQColor(c));
    widget_->setPalette(p);
    widget_->setAutoFillBackground(true);
}

void Control::SetFocus() {
    if (!state_->visible || !state_->enabled || !form_->Visible()) return;
    Control* previous = detail::focusedControl();
    if (previous == this) return;
    detail::focusedControl() = this;
    {
        detail::CodeScope code;
        widget_->setFocus(Qt::OtherFocusReason);
    }
    if (previous) raise(previous->LostFocus, false);
    raise(GotFocus, false);
}

void Control::userGotFocus() {
    if (detail::focusedControl() == this) return;
    detail::focusedControl() = this;
    raiseUser(GotFocus);
}

void Control::userLostFocus() {
    if (detail::focusedControl() != this) return;
    detail::focusedControl() = nullptr;
    raiseUser(LostFocus);
}

bool Control::designing() const { return form_->designing(); }

void Control::raise(const std::function<void()>& handler, bool designing) {
    if (designing || !handler) return;
    handler();
}

void Control::raiseUser(const std::function<void()>& handler) { dispatchEvent(handler); }

bool Control::widgetEvent(QEvent* event) {
    followFocus(event);
    if (detail::codeDepth() > 0) return false;
    if (event->type() == QEvent::FocusIn) userGotFocus();
    if (event->type() == QEvent::FocusOut) userLostFocus();
    return false;
}

// The focus is never on a control the user cannot see. A click scrolls once the button is up: the
// control moved from under the pointer before then would not take the click.
void Control::followFocus(const QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        state_->scrollOnRelease = QApplication::mouseButtons() != Qt::NoButton;
        if (!state_->scrollOnRelease) detail::scrollIntoView(*widget_);
    } else if (event->type() == QEvent::MouseButtonRelease && state_->scrollOnRelease) {
        state_->scrollOnRelease = false;
        QTimer::singleShot(0, context_.get(), [this] { detail::scrollIntoView(*widget_); });
    }
}

}  // namespace platform
