#include "platform/control.h"

#include <utility>

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
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

}  // namespace

struct Control::State {
    detail::TwipsMemo left, top, width, height;
    bool enabled = true;
    bool visible = true;
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
    if (detail::codeDepth() > 0) return false;
    if (event->type() == QEvent::FocusIn) userGotFocus();
    if (event->type() == QEvent::FocusOut) userLostFocus();
    return false;
}

}  // namespace platform
