#include "platform/form.h"

#include <algorithm>
#include <optional>
#include <utility>

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>
#include <QWindow>

#include "platform/controls.h"
#include "platform/convert.h"
#include "platform/dispatch.h"
#include "platform/internal.h"
#include "platform/menu.h"
#include "platform/screen.h"

namespace platform {

using detail::qs;
using detail::ss;

// --- code depth

namespace detail {
namespace {
int codeDepthValue = 0;
}
int codeDepth() { return codeDepthValue; }
CodeScope::CodeScope() { ++codeDepthValue; }
CodeScope::~CodeScope() { --codeDepthValue; }
UserScope::UserScope() : saved_(codeDepthValue) { codeDepthValue = 0; }
UserScope::~UserScope() { codeDepthValue = saved_; }
}  // namespace detail

// --- registry of loaded forms

namespace {

struct Registry {
    std::vector<std::unique_ptr<Form>> loaded;
    std::vector<std::unique_ptr<Form>> unloaded;  // deleted once no handler runs
    Form* activeChild = nullptr;  // the MDI child the user works in
    Form* lastChild = nullptr;    // the child whose Activate ran last
    Form* lastWindow = nullptr;   // the top-level form whose Activate ran last
    bool flushPosted = false;
};

Registry& registry() {
    // Never destroyed: forms must not outlive the application object at exit.
    static auto* r = new Registry;
    return *r;
}

Form* mdiParentForm() {
    for (auto& f : registry().loaded)
        if (f->kind() == FormKind::MdiParent) return f.get();
    return nullptr;
}

// The form's own window: controls in a client area below an optional menu bar.
class FormWindow : public QWidget {
public:
    explicit FormWindow(Form& form) : form_(form) {
        layout_ = new QVBoxLayout(this);
        layout_->setContentsMargins(0, 0, 0, 0);
        layout_->setSpacing(0);
        client = new QWidget(this);
        layout_->addWidget(client, 1);
    }
    QSize sizeHint() const override {
        QSize size = designClient.isValid() ? designClient : QSize(300, 200);
        if (bar) size.rheight() += bar->sizeHint().height();
        return size;
    }
    QMenuBar* ownBar() {
        if (!bar) {
            bar = new QMenuBar(this);
            layout_->setMenuBar(bar);
        }
        return bar;
    }

    QWidget* client;
    QMenuBar* bar = nullptr;
    QSize designClient;

protected:
    void keyPressEvent(QKeyEvent* e) override {
        CommandButton* target = nullptr;
        if (detail::isEnterKey(*e)) target = form_.enterTarget(detail::keyboardFocus(form_));
        if (e->key() == Qt::Key_Escape) target = form_.cancelButton();
        if (target) {
            target->userClick();
            return;
        }
        QWidget::keyPressEvent(e);
    }

private:
    Form& form_;
    QVBoxLayout* layout_;
};

}  // namespace

struct Form::Impl {
    QWidget* window = nullptr;  // FormWindow, or the QMainWindow of the MDI parent
    FormWindow* formWindow = nullptr;
    QWidget* client = nullptr;
    QMainWindow* main = nullptr;
    QMdiArea* area = nullptr;
    QPointer<QMdiSubWindow> sub;
    QPointer<QWidget> windowGuard;
    QEventLoop* modalLoop = nullptr;
    std::unique_ptr<detail::EventHook> hook;
    std::unique_ptr<detail::EventHook> stateHook;  // an MDI child's change of state, before its frame takes it
    std::optional<detail::CodeScope> stateChange;  // while the frame takes a new state
    QPointer<QWidget> focusBeforeState;
    std::optional<QPoint> normalAt;  // an MDI child's place in the area before it left the normal state
    detail::TwipsMemo left, top, width, height;
    bool outerSetByCode = false;
    bool leftByCode = false, topByCode = false;  // the rest of the place is the platform's
    QPoint lastChildAt{-1, -1};                   // MDI parent: where its last new child went
    int state = StateNormal;
    bool shown = false;
    bool everShown = false;
    bool unloading = false;
    QSize lastResize;

    QWidget* outer() const { return sub ? static_cast<QWidget*>(sub.data()) : window; }
};

// Reaches the protected events and private state of a form.
struct FormAccess {
    static void load(Form& f) { f.Form_Load(); }
    static void activate(Form& f) { f.Form_Activate(); }
    static void resize(Form& f) { f.Form_Resize(); }
    static void queryUnload(Form& f, int& cancel, int mode) { f.Form_QueryUnload(cancel, mode); }
    static void unload(Form& f, int& cancel) { f.Form_Unload(cancel); }
    static void setLoaded(Form& f, bool on) { f.loaded_ = on; }
    static void setDesigning(Form& f, bool on) { f.designing_ = on; }
};

namespace {

// How far the MDI client area's view is scrolled: a child's place is in the area, not in the view.
QPoint scrolledBy(const QMdiSubWindow& sub) {
    const QMdiArea* area = sub.mdiArea();
    if (!area) return {};
    return {area->horizontalScrollBar()->value(), area->verticalScrollBar()->value()};
}

QRect outerPx(const Form::Impl& d) {
    if (d.sub) return d.sub->geometry().translated(scrolledBy(*d.sub));
    return d.window->isWindow() ? d.window->frameGeometry() : d.window->geometry();
}

void setOuterPx(Form::Impl& d, const QRect& r) {
    detail::CodeScope code;
    if (d.sub) {
        d.sub->setGeometry(r.translated(-scrolledBy(*d.sub)));
        return;
    }
    const QRect frame = d.window->frameGeometry();
    const QRect inner = d.window->geometry();
    detail::moveFrameTo(*d.window, r.topLeft());
    d.window->resize(std::max(0, r.width() - (frame.width() - inner.width())),
                     std::max(0, r.height() - (frame.height() - inner.height())));
    d.outerSetByCode = true;
}

// Where the platform puts a new MDI child: down and right of the last one by a title bar, back at
// the top-left corner when it would leave the client area there, so no child hides another.
QPoint cascadeSlot(const Form::Impl& parent, const QMdiSubWindow& sub, const QSize& size) {
    // Past a child that is gone, the corner is free again.
    const auto children = parent.area->subWindowList();
    const bool another = std::any_of(children.begin(), children.end(),
                                     [&](const QMdiSubWindow* s) { return s != &sub && s->isVisible(); });
    if (parent.lastChildAt.x() < 0 || !another) return {0, 0};
    const QStyle* style = sub.style();
    const int step = style->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &sub) +
                     style->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, &sub);
    const QPoint next = parent.lastChildAt + QPoint(step, step);
    const QSize area = parent.area->viewport()->size();
    if (next.x() + size.width() > area.width() || next.y() + size.height() > area.height()) return {0, 0};
    return next;
}

// Form_Resize after code changed the size or state of a shown form.
void resizedByCode(Form& f) {
    auto& d = f.impl();
    if (!d.shown) return;
    d.lastResize = outerPx(d).size();
    FormAccess::resize(f);
}

void applyState(Form::Impl& d) {
    QWidget* w = d.outer();
    switch (d.state) {
    case StateMinimized: w->showMinimized(); break;
    case StateMaximized: w->showMaximized(); break;
    default: w->showNormal(); break;
    }
}

int stateOf(Qt::WindowStates s) {
    return (s & Qt::WindowMinimized) ? StateMinimized : (s & Qt::WindowMaximized) ? StateMaximized : StateNormal;
}

// The box from the client area's top-left corner around every control, hidden ones too (the other
// layouts of the form show them where they stand), with the margin they leave left and above
// repeated right and below.
QSize controlsBox(const Form::Impl& d) {
    QRect box;
    for (QObject* o : d.client->children())
        if (auto* w = qobject_cast<QWidget*>(o)) box |= w->geometry();
    if (box.isEmpty()) return {0, 0};
    return {box.right() + 1 + std::max(0, box.left()), box.bottom() + 1 + std::max(0, box.top())};
}

// A maximized MDI child is never smaller than what shows each of its controls whole: where the
// parent's client area is smaller, it scrolls.
void keepControlsReachable(Form::Impl& d) {
    if (!d.sub || !d.sub->isMaximized()) return;
    if (d.formWindow) d.formWindow->layout()->activate();
    d.sub->setMinimumSize(controlsBox(d) + (d.sub->size() - d.client->size()));
}

// The frame hides itself while it takes a new state, which would hand the focus to the next control:
// the control the user left stays focused, and the passing focus raises no events.
void holdFocus(Form::Impl& d, Qt::WindowStates before) {
    constexpr Qt::WindowStates sized = Qt::WindowMaximized | Qt::WindowMinimized;
    // A change of the active flag alone is none; the frame's own steps of one change count once.
    if (!((before ^ d.sub->windowState()) & sized) || d.stateChange) return;
    if (!(before & sized)) d.normalAt = outerPx(d).topLeft();
    QWidget* focus = QApplication::focusWidget();
    d.focusBeforeState = focus && d.sub->isAncestorOf(focus) ? focus : nullptr;
    d.stateChange.emplace();
    // Should the frame not report the change after all, the next event runs as the user's again.
    QTimer::singleShot(0, d.stateHook.get(), [&d] { d.stateChange.reset(); });
}

// The frame comes back to the place it had in view before, which the area's scrolling since has
// moved: the window goes back to its place in the area.
void backInPlace(Form::Impl& d) {
    if (!d.normalAt || (d.sub->windowState() & (Qt::WindowMaximized | Qt::WindowMinimized))) return;
    detail::CodeScope code;
    d.sub->move(*d.normalAt - scrolledBy(*d.sub));
}

void giveFocusBack(Form::Impl& d) {
    if (!d.stateChange) return;
    d.stateChange.reset();
    QWidget* focus = d.focusBeforeState;
    if (!focus || !focus->isVisible() || QApplication::focusWidget() == focus) return;
    detail::CodeScope code;
    focus->setFocus(Qt::OtherFocusReason);
}

// Form_Resize after the user changed the window state; a change of the active flag alone is none.
void stateChangedByUser(Form& f, Qt::WindowStates now) {
    auto& d = f.impl();
    if (detail::codeDepth() > 0 || !d.shown || stateOf(now) == d.state) return;
    d.state = stateOf(now);
    d.lastResize = outerPx(d).size();
    Form* form = &f;
    dispatchEvent([form] { FormAccess::resize(*form); });
}

Form* formOfSub(QMdiSubWindow* s) {
    if (!s) return nullptr;
    for (auto& f : registry().loaded)
        if (f->impl().sub == s) return f.get();
    return nullptr;
}

void rebuildBar(QMenuBar* bar, const Form& source) {
    QList<QAction*> shown;
    for (MenuItem* m : source.menus())
        if (m->Visible()) shown.push_back(m->menu()->menuAction());
    // Adding the same menus again would take an open one from the bar: the user's keys would no
    // longer reach the next menu, nor Esc the bar.
    if (bar->actions() == shown) return;
    bar->clear();
    bar->addActions(shown);
}

// Drops every reference the layer keeps to a form that is going away.
void forgetForm(const Form& form) {
    auto& r = registry();
    if (detail::focusedControl() && &detail::focusedControl()->form() == &form) detail::focusedControl() = nullptr;
    if (r.activeChild == &form) r.activeChild = nullptr;
    if (r.lastChild == &form) r.lastChild = nullptr;
    if (r.lastWindow == &form) r.lastWindow = nullptr;
}

// After the active child was hidden or unloaded: the area's next child becomes the active one.
void syncActiveChild(Form& parent) {
    auto& r = registry();
    QMdiArea* area = parent.impl().area;
    QMdiSubWindow* next = nullptr;
    for (QMdiSubWindow* s : area->subWindowList(QMdiArea::ActivationHistoryOrder))
        if (s->isVisible() && formOfSub(s)) next = s;
    r.activeChild = nullptr;
    if (next) {
        {
            detail::CodeScope code;
            area->setActiveSubWindow(next);
        }
        detail::formActivated(*formOfSub(next));
    } else {
        detail::refreshMenuBars(parent);
    }
}

}  // namespace

namespace detail {

void formActivated(Form& form) {
    auto& r = registry();
    if (!form.isLoaded()) return;
    Form*& last = form.kind() == FormKind::MdiChild && form.impl().sub ? r.lastChild : r.lastWindow;
    if (form.kind() == FormKind::MdiChild && form.impl().sub) {
        r.activeChild = &form;
        refreshMenuBars(form);
    }
    if (last == &form) return;
    last = &form;
    FormAccess::activate(form);
}

void refreshMenuBars(Form& form) {
    auto& d = form.impl();
    if (d.main) {
        Form* child = registry().activeChild;
        const bool childBar = child && child->isLoaded() && child->Visible() &&
                              std::any_of(child->menus().begin(), child->menus().end(),
                                          [](MenuItem* m) { return m->Visible(); });
        rebuildBar(d.main->menuBar(), childBar ? *child : form);
        return;
    }
    if (d.sub) {
        if (registry().activeChild == &form)
            if (Form* parent = mdiParentForm()) refreshMenuBars(*parent);
        return;
    }
    if (d.formWindow && (d.formWindow->bar || !form.menus().empty())) rebuildBar(d.formWindow->ownBar(), form);
}

void flushUnloaded() {
    if (headless() || handlerDepth() > 0) return;
    deleteUnloaded();
}

void deleteUnloaded() {
    auto graves = std::move(registry().unloaded);
    registry().unloaded.clear();
    graves.clear();
}

void activateByUser(Form& form) {
    if (QMdiSubWindow* sub = form.impl().sub) {
        if (Form* parent = mdiParentForm()) {
            CodeScope code;
            parent->impl().area->setActiveSubWindow(sub);
        }
    }
    Form* f = &form;
    dispatchEvent([f] { formActivated(*f); });
}

void requestFlush() {
    auto& r = registry();
    if (headless() || r.flushPosted || r.unloaded.empty() || !qApp) return;
    r.flushPosted = true;
    QTimer::singleShot(0, qApp, [] {
        registry().flushPosted = false;
        flushUnloaded();
    });
}

}  // namespace detail

// --- Form

namespace {

// The MDI area's viewport: once the area has settled its scroll range after a resize, the focused
// control is back in view.
bool areaViewportEvent(Form::Impl& d, QEvent* e) {
    if (e->type() == QEvent::Resize)
        QTimer::singleShot(0, d.hook.get(), [&d] { detail::scrollFocusIntoView(*d.area); });
    return false;
}

// The loaded form's own window: closing, resizing, a change of state and activation become the
// form's events. True when the event is used up.
bool formWindowEvent(Form& form, QEvent* e) {
    auto& d = form.impl();
    Form* f = &form;
    switch (e->type()) {
    case QEvent::Close:
        // Closing is unloading, which the form may cancel.
        e->ignore();
        if (!d.unloading) dispatchEvent([f] { Unload(*f, UnloadByUser); });
        return true;
    case QEvent::Resize:
        // A resize inside a change of state is reported with the new state, once it is in place.
        if (detail::codeDepth() == 0 && d.shown && d.outer()->size() != d.lastResize &&
            stateOf(d.outer()->windowState()) == d.state) {
            d.lastResize = d.outer()->size();
            dispatchEvent([f] { FormAccess::resize(*f); });
        }
        return false;
    case QEvent::WindowStateChange:
        // An MDI child reports the change once its frame has taken the new state (windowStateChanged):
        // its Resize may set its size, which must not land halfway through a restore. The floor of
        // the maximized state goes first, so the restore gets the old size back.
        if (d.sub) {
            if (!(d.sub->windowState() & Qt::WindowMaximized)) d.sub->setMinimumSize(0, 0);
            return false;
        }
        stateChangedByUser(form, d.outer()->windowState());
        return false;
    case QEvent::WindowActivate:
        if (detail::codeDepth() == 0 && d.shown && !d.sub) dispatchEvent([f] { detail::formActivated(*f); });
        return false;
    default: return false;
    }
}

}  // namespace

Form::Form(std::string name, FormKind kind) : name_(std::move(name)), kind_(kind), impl_(std::make_unique<Impl>()) {
    auto& d = *impl_;
    if (kind == FormKind::MdiParent) {
        d.main = new QMainWindow;
        d.area = new QMdiArea;
        d.main->setCentralWidget(d.area);
        // Children that reach past the client area stay reachable.
        d.area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        d.area->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        d.window = d.main;
        d.client = d.area;
        QObject::connect(d.area, &QMdiArea::subWindowActivated, d.main, [this](QMdiSubWindow* s) {
            detail::refreshMenuBars(*this);
            Form* child = formOfSub(s);
            if (child && detail::codeDepth() == 0)
                dispatchEvent([child] { detail::formActivated(*child); });
        });
    } else {
        d.formWindow = new FormWindow(*this);
        d.window = d.formWindow;
        d.client = d.formWindow->client;
    }
    d.windowGuard = d.window;
    d.window->setWindowTitle(qs(name_));
    d.hook = std::make_unique<detail::EventHook>([this](QObject* watched, QEvent* e) {
        auto& d = *impl_;
        if (d.area && watched == d.area->viewport()) return areaViewportEvent(d, e);
        return watched == d.outer() && loaded_ && formWindowEvent(*this, e);
    });
    d.window->installEventFilter(d.hook.get());
    if (d.area) d.area->viewport()->installEventFilter(d.hook.get());
}

Form::~Form() {
    auto& d = *impl_;
    if (d.area) QObject::disconnect(d.area, nullptr, nullptr, nullptr);
    forgetForm(*this);
    if (detail::seams().lastPopup && &detail::seams().lastPopup->form() == this) detail::seams().lastPopup = nullptr;
    d.hook.reset();
    d.stateHook.reset();
    QWidget* top = d.sub ? static_cast<QWidget*>(d.sub.data()) : d.windowGuard.data();
    if (!top) return;  // went with the MDI parent's window
    top->hide();
    // Qt may still be delivering an event to one of these widgets.
    top->deleteLater();
}

QWidget* Form::clientWidget() { return impl_->client; }
QWidget* Form::window() const { return impl_->window; }

std::string Form::Caption() const { return ss(impl_->window->windowTitle()); }
void Form::setCaption(const std::string& text) { impl_->window->setWindowTitle(qs(text)); }

int Form::Left() const { return impl_->left.read(outerPx(*impl_).x()); }
int Form::Top() const { return impl_->top.read(outerPx(*impl_).y()); }
int Form::Width() const { return impl_->width.read(outerPx(*impl_).width()); }
int Form::Height() const { return impl_->height.read(outerPx(*impl_).height()); }

void Form::setLeft(int twips) {
    impl_->leftByCode = true;
    QRect r = outerPx(*impl_);
    r.moveLeft(impl_->left.set(twips));
    setOuterPx(*impl_, r);
}

void Form::setTop(int twips) {
    impl_->topByCode = true;
    QRect r = outerPx(*impl_);
    r.moveTop(impl_->top.set(twips));
    setOuterPx(*impl_, r);
}

void Form::setWidth(int twips) {
    if (twips < 0) raiseError(errInvalidPropertyValue);
    QRect r = outerPx(*impl_);
    const QSize before = r.size();
    r.setWidth(impl_->width.set(twips));
    setOuterPx(*impl_, r);
    if (outerPx(*impl_).size() != before) resizedByCode(*this);
}

void Form::setHeight(int twips) {
    if (twips < 0) raiseError(errInvalidPropertyValue);
    QRect r = outerPx(*impl_);
    const QSize before = r.size();
    r.setHeight(impl_->height.set(twips));
    setOuterPx(*impl_, r);
    if (outerPx(*impl_).size() != before) resizedByCode(*this);
}

void Form::Move(int left, int top, int width, int height) {
    setLeft(left);
    setTop(top);
    if (width >= 0) setWidth(width);
    if (height >= 0) setHeight(height);
}

namespace {
QSize clientPx(const Form::Impl& d) {
    // A hidden window lays out its client area only when asked.
    if (d.formWindow) d.formWindow->layout()->activate();
    return d.client->size();
}
}  // namespace

int Form::ScaleWidth() const { return clientPx(*impl_).width() * TwipsPerPixel; }
int Form::ScaleHeight() const { return clientPx(*impl_).height() * TwipsPerPixel; }

void Form::setClientSize(int widthTwips, int heightTwips) {
    auto& d = *impl_;
    const QSize size(detail::toPixels(widthTwips), detail::toPixels(heightTwips));
    detail::CodeScope code;
    if (d.formWindow) {
        d.formWindow->designClient = size;
        if (d.sub)
            d.sub->resize(d.sub->sizeHint());
        else
            d.window->resize(d.formWindow->sizeHint());
    } else {
        d.window->resize(size);
    }
}

int Form::controlsWidth() const { return controlsBox(*impl_).width() * TwipsPerPixel; }
int Form::controlsHeight() const { return controlsBox(*impl_).height() * TwipsPerPixel; }

void Form::fitClientArea(int widthTwips, int heightTwips) {
    auto& d = *impl_;
    if (!d.main || d.shown) return;
    // A child of that client size fits maximized, and in its own frame as a normal window too.
    const QStyle* style = d.area->style();
    const int childEdge = style->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth);
    const int edges = 2 * d.area->frameWidth() + 2 * childEdge;
    const QSize need = QSize(detail::toPixels(widthTwips), detail::toPixels(heightTwips)) +
                       QSize(edges, edges + style->pixelMetric(QStyle::PM_TitleBarHeight) +
                                        d.main->menuBar()->sizeHint().height());
    // The normal size and place lie inside the work area, frame and title bar included, on any
    // screen: where the child does not fit, the window opens maximized and restoring it comes back there.
    const QRect desk = detail::workArea(*d.main);
    const QMargins frame = detail::expectedFrame();
    const QSize room = desk.size().shrunkBy(frame);
    QRect r = outerPx(d);
    r.setSize(r.size().expandedTo(need).boundedTo(room));
    r.moveTopLeft(detail::intoArea(r.topLeft(), r.size().grownBy(frame), desk));
    setOuterPx(d, r);
    if (need.width() > room.width() || need.height() > room.height()) setWindowState(StateMaximized);
}

int Form::WindowState() const { return impl_->state; }

void Form::setWindowState(int state) {
    if (state < StateNormal || state > StateMaximized) raiseError(errInvalidPropertyValue);
    auto& d = *impl_;
    if (state == d.state) return;
    d.state = state;
    if (!d.shown) return;
    {
        detail::CodeScope code;
        applyState(d);
    }
    resizedByCode(*this);
}

bool Form::Visible() const { return impl_->shown; }

void Form::Show(ShowMode mode, Form* owner) {
    if (!loaded_) return;
    auto& d = *impl_;
    Form* parent = kind_ == FormKind::MdiChild ? mdiParentForm() : nullptr;
    const bool modal = mode == Modal && kind_ == FormKind::Window;
    {
        detail::CodeScope code;
        if (parent && !d.sub) {
            const QRect wanted = outerPx(d);
            d.sub = parent->impl().area->addSubWindow(d.window);
            d.sub->setAttribute(Qt::WA_DeleteOnClose, false);
            d.sub->installEventFilter(d.hook.get());
            d.stateHook = std::make_unique<detail::EventHook>([this](QObject*, QEvent* e) {
                if (e->type() == QEvent::WindowStateChange)
                    holdFocus(*impl_, static_cast<QWindowStateChangeEvent*>(e)->oldState());
                return false;
            });
            d.sub->installEventFilter(d.stateHook.get());
            // The state as it stands: the area's own handling of the signal may have changed it again
            // (maximizing a child that is being activated) before this connection hears the older news.
            QObject::connect(d.sub, &QMdiSubWindow::windowStateChanged, d.hook.get(), [this] {
                giveFocusBack(*impl_);
                backInPlace(*impl_);
                keepControlsReachable(*impl_);
                // The new frame may take the focused control out of the client area's view.
                detail::scrollFocusIntoView(*impl_->sub);
                stateChangedByUser(*this, impl_->sub->windowState());
            });
            QRect r = d.outerSetByCode ? wanted : QRect(QPoint(0, 0), d.sub->sizeHint());
            const QPoint slot = cascadeSlot(parent->impl(), *d.sub, r.size());
            if (!d.leftByCode) r.moveLeft(slot.x());
            if (!d.topByCode) r.moveTop(slot.y());
            d.sub->setGeometry(r.translated(-scrolledBy(*d.sub)));
            parent->impl().lastChildAt = r.topLeft();
        }
        if (!d.sub) {
            detail::refreshMenuBars(*this);
            if (modal) d.window->setWindowModality(Qt::ApplicationModal);
            if (owner && owner != this && owner->isLoaded()) {
                // Kept above its owner by the window manager; ownership of the widgets stays as it is.
                d.window->winId();
                QWidget* top = owner->window()->window();
                top->winId();
                d.window->windowHandle()->setTransientParent(top->windowHandle());
            }
        }
        applyState(d);
        if (d.sub) {
            parent->impl().area->setActiveSubWindow(d.sub);
        } else {
            d.window->raise();
            d.window->activateWindow();
        }
        d.shown = true;
    }
    if (!d.everShown) {
        // The first Resize comes while the form is not yet Visible, so a handler that records the
        // window state for later can tell it from the user's own changes.
        d.everShown = true;
        d.shown = false;
        d.lastResize = outerPx(d).size();
        FormAccess::resize(*this);
        if (!loaded_) return;
        d.shown = true;
    }
    if (!loaded_) return;
    detail::formActivated(*this);
    if (modal && loaded_ && d.shown) {
        auto& seams = detail::seams();
        if (detail::headless()) {
            // No nested loop: the test's driver acts as the user; without one the dialog is dismissed.
            if (seams.modalDriver)
                seams.modalDriver(*this);
            else
                Hide();
            return;
        }
        QEventLoop loop;
        d.modalLoop = &loop;
        {
            detail::UserScope user;
            loop.exec();
        }
        d.modalLoop = nullptr;
        d.window->setWindowModality(Qt::NonModal);
    }
}

void Form::Hide() {
    auto& d = *impl_;
    if (d.modalLoop) d.modalLoop->quit();
    if (!d.shown) return;
    {
        detail::CodeScope code;
        d.outer()->hide();
        d.shown = false;
    }
    if (registry().activeChild == this)
        if (Form* parent = mdiParentForm()) syncActiveChild(*parent);
}

void Form::Refresh() {
    if (detail::headless() || !impl_->shown) return;
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    impl_->outer()->repaint();
}

void Form::setTopMost(bool on) {
    auto& d = *impl_;
    if (d.sub) return;
    detail::CodeScope code;
    d.window->setWindowFlag(Qt::WindowStaysOnTopHint, on);
    // Changing the flags hides the window.
    if (d.shown) d.window->show();
}

namespace {

// A widget's rectangle on the desktop, frame included for a window.
QRect desktopRect(const QWidget& w) {
    if (w.isWindow()) return w.frameGeometry();
    return {w.mapToGlobal(QPoint(0, 0)), w.size()};
}

// What a form shows: its window, cut down to the box around its controls when the window is
// larger (a maximized form keeps its controls at the top left).
QRect shownPart(const Form::Impl& d) {
    QRect around = desktopRect(*d.outer());
    QRect used;
    for (QObject* o : d.client->children())
        if (auto* w = qobject_cast<QWidget*>(o); w && !w->isHidden()) used |= w->geometry();
    if (used.isEmpty()) return around;
    constexpr int margin = 8;
    const QRect usedOnDesk(d.client->mapToGlobal(used.topLeft()), used.size());
    around.setRight(std::min(around.right(), usedOnDesk.right() + margin));
    around.setBottom(std::min(around.bottom(), usedOnDesk.bottom() + margin));
    return around;
}

}  // namespace

void Form::placeBeside(const Form& anchor) {
    auto& d = *impl_;
    if (d.sub || kind_ == FormKind::MdiParent || &anchor == this || !anchor.isLoaded()) return;
    const QRect around = shownPart(anchor.impl());
    const QRect desk = detail::inPixels(workArea(*this));
    // The frame the window manager puts around the window, title bar included.
    const QSize size = detail::inPixels(outerFrame(*this)).size();
    constexpr int gap = 4;
    const auto inside = [&](QPoint p) { return QRect(detail::intoArea(p, size, desk), size); };
    const QRect sides[] = {
        inside({around.right() + 1 + gap, around.top()}),
        inside({around.left() - gap - size.width(), around.top()}),
        inside({around.left(), around.bottom() + 1 + gap}),
        inside({around.left(), around.top() - gap - size.height()}),
    };
    QRect place = inside({desk.right(), desk.bottom()});
    for (const QRect& r : sides)
        if (desk.contains(r) && !r.intersects(around)) {
            place = r;
            break;
        }
    Move(place.left() * TwipsPerPixel, place.top() * TwipsPerPixel);
}

void Form::PopupMenu(MenuItem& menu) {
    if (detail::headless()) {
        detail::seams().lastPopup = &menu;
        return;
    }
    detail::UserScope user;
    menu.menu()->exec(QCursor::pos());
}

void Form::setTabOrder(const std::vector<Control*>& order) {
    // Option buttons off their group's Tab stop take the focus by click only, yet keep their place.
    const auto takesFocus = [](const QWidget* w) { return w->focusPolicy() != Qt::NoFocus; };
    std::vector<QWidget*> chain;
    for (Control* c : order) {
        QWidget* w = c->widget();
        if (takesFocus(w)) {
            chain.push_back(w);
            continue;
        }
        // A frame: the controls inside it, in the window's present focus chain.
        for (QWidget* next = w->nextInFocusChain(); next != w; next = next->nextInFocusChain())
            if (w->isAncestorOf(next) && takesFocus(next) && std::find(chain.begin(), chain.end(), next) == chain.end())
                chain.push_back(next);
    }
    for (std::size_t i = 1; i < chain.size(); ++i) QWidget::setTabOrder(chain[i - 1], chain[i]);
}

Control* Form::controlByName(const std::string& name, int index) const {
    for (Control* c : controls_)
        if (c->Name() == name && c->Index() == index) return c;
    return nullptr;
}

void Form::addMenu(MenuItem* menu) {
    menus_.push_back(menu);
    menusChanged();
}

void Form::removeMenu(MenuItem* menu) { menus_.erase(std::remove(menus_.begin(), menus_.end(), menu), menus_.end()); }

void Form::menusChanged() {
    if (impl_->shown || impl_->main) detail::refreshMenuBars(*this);
}

void Form::addControl(Control* control) { controls_.push_back(control); }

void Form::removeControl(Control* control) {
    controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
}

void Form::setDefaultButton(CommandButton* button, bool on) {
    if (on)
        defaultButton_ = button;
    else if (defaultButton_ == button)
        defaultButton_ = nullptr;
}

CommandButton* Form::enterTarget(Control* at) const {
    if (auto* button = dynamic_cast<CommandButton*>(at); button && &button->form() == this) return button;
    return defaultButton_;
}

void Form::setCancelButton(CommandButton* button, bool on) {
    if (on)
        cancelButton_ = button;
    else if (cancelButton_ == button)
        cancelButton_ = nullptr;
}

// --- loading and unloading

void registerForm(std::unique_ptr<Form> form) {
    FormAccess::setLoaded(*form, true);
    registry().loaded.push_back(std::move(form));
}

void finishLoading(Form& form) {
    FormAccess::setDesigning(form, false);
    FormAccess::load(form);
}

bool Unload(Form& form, int unloadMode) {
    auto& d = form.impl();
    if (!form.isLoaded() || d.unloading) return true;
    struct Guard {
        bool& flag;
        ~Guard() { flag = false; }
    } guard{d.unloading};
    d.unloading = true;

    int cancel = 0;
    FormAccess::queryUnload(form, cancel, unloadMode);
    if (cancel) return false;
    FormAccess::unload(form, cancel);
    if (cancel) return false;

    auto& r = registry();
    if (form.kind() == FormKind::MdiParent) {
        // Children cannot outlive the window that holds them.
        for (size_t i = r.loaded.size(); i-- > 0;)
            if (i < r.loaded.size() && r.loaded[i]->kind() == FormKind::MdiChild && r.loaded[i]->impl().sub)
                Unload(*r.loaded[i], unloadMode);
    }
    detail::discardForm(form);
    detail::requestFlush();
    if (r.loaded.empty() && !detail::headless() && qApp) QCoreApplication::quit();
    return true;
}

void detail::discardForm(Form& form, bool quiet) {
    auto& r = registry();
    if (quiet && r.activeChild == &form) r.activeChild = nullptr;
    const bool wasActiveChild = r.activeChild == &form;
    form.Hide();
    FormAccess::setLoaded(form, false);
    forgetForm(form);
    auto it = std::find_if(r.loaded.begin(), r.loaded.end(), [&](const auto& p) { return p.get() == &form; });
    if (it != r.loaded.end()) {
        r.unloaded.push_back(std::move(*it));
        r.loaded.erase(it);
    }
    if (wasActiveChild)
        if (Form* parent = mdiParentForm()) syncActiveChild(*parent);
}

// --- Forms

int FormsCollection::Count() const { return static_cast<int>(registry().loaded.size()); }

Form& FormsCollection::operator()(int index) const {
    if (index < 0 || index >= Count()) raiseError(errSubscript);
    return *registry().loaded[static_cast<size_t>(index)];
}

Form* FormsCollection::byName(const std::string& name) const {
    for (auto& f : registry().loaded)
        if (f->Name() == name) return f.get();
    return nullptr;
}

std::vector<Form*> FormsCollection::nameLike(const std::string& pattern) const {
    std::vector<Form*> found;
    for (auto& f : registry().loaded)
        if (Like(f->Name(), pattern)) found.push_back(f.get());
    return found;
}

std::vector<Form*> FormsCollection::captionLike(const std::string& pattern) const {
    std::vector<Form*> found;
    for (auto& f : registry().loaded)
        if (Like(f->Caption(), pattern)) found.push_back(f.get());
    return found;
}

FormsCollection Forms() { return {}; }

Form* ActiveForm() {
    auto& r = registry();
    if (Form* parent = mdiParentForm()) {
        if (r.activeChild && r.activeChild->isLoaded() && r.activeChild->Visible()) return r.activeChild;
        Form* current = formOfSub(parent->impl().area->currentSubWindow());
        return current && current->Visible() ? current : nullptr;
    }
    return r.lastWindow && r.lastWindow->isLoaded() ? r.lastWindow : nullptr;
}

}  // namespace platform

namespace platform::detail {

Form* mainForm() { return mdiParentForm(); }

}  // namespace platform::detail
