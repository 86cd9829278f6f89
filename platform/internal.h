#pragma once
// Shared internals of the forms and controls; not for the forms themselves.

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <QColor>
#include <QMargins>
#include <QObject>
#include <QRect>
#include <QString>

#include "platform/seams.h"
#include "platform/types.h"

class QKeyEvent;

namespace platform {
class Form;
class Control;
class MenuItem;
struct ScreenRect;
}  // namespace platform

namespace platform::detail {

inline QString qs(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
inline std::string ss(const QString& s) { return s.toStdString(); }
inline QColor toQColor(Color c) { return QColor(redOf(c), greenOf(c), blueOf(c)); }

// An event filter and connection context in one, so a C++ object can own both.
class EventHook : public QObject {
public:
    explicit EventHook(std::function<bool(QObject*, QEvent*)> filter = {}) : filter_(std::move(filter)) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        return filter_ ? filter_(watched, event) : false;
    }

private:
    std::function<bool(QObject*, QEvent*)> filter_;
};

// Twips to whole pixels, rounding halves away from zero.
int toPixels(int twips);

// Remembers the twips value last set, so that reading it back gives the same number as long as the
// pixel value it produced has not changed since.
class TwipsMemo {
public:
    int read(int currentPixels) const {
        return valid_ && pixels_ == currentPixels ? twips_ : currentPixels * TwipsPerPixel;
    }
    int set(int twips) {
        twips_ = twips;
        pixels_ = toPixels(twips);
        valid_ = true;
        return pixels_;
    }

private:
    int twips_ = 0;
    int pixels_ = 0;
    bool valid_ = false;
};

// While code changes a widget, the events Qt sends for it are not user actions: the code path raises
// the form's events itself. A nested event loop (modal dialog, message box) resets the count so that
// the user's actions inside it are dispatched.
int codeDepth();
struct CodeScope {
    CodeScope();
    ~CodeScope();
    CodeScope(const CodeScope&) = delete;
    CodeScope& operator=(const CodeScope&) = delete;
};
struct UserScope {
    UserScope();
    ~UserScope();
    UserScope(const UserScope&) = delete;
    UserScope& operator=(const UserScope&) = delete;

private:
    int saved_;
};

// Deletes the forms unloaded so far when no handler runs (never while headless: tests keep
// references to unloaded forms).
void flushUnloaded();
// Deletes them regardless (tests, shutdown).
void deleteUnloaded();
// Takes a form out of the loaded ones without running any of its events.
void discardForm(Form& form, bool quiet = false);
void requestFlush();

// Test seams.
struct Seams {
    std::optional<bool> headless;  // unset: decided by the Qt platform in use
    std::vector<testing::MessageBoxCall> boxes;
    std::function<int(const testing::MessageBoxCall&)> answer;
    std::function<void(Form&)> modalDriver;
    int beeps = 0;
    MenuItem* lastPopup = nullptr;
    std::optional<QRect> workArea;        // the desktop's work area in pixels, in place of the screen's
    std::optional<QMargins> windowFrame;  // the window manager's frame in pixels once it has framed a window
};
Seams& seams();
bool headless();

// The desktop's work area [pixels] of the screen where a window is (or will be) shown.
QRect workArea(const QWidget& near);
// A rectangle in twips as pixels.
QRect inPixels(const ScreenRect& r);
// The loaded MDI parent, nullptr when there is none.
Form* mainForm();
// The frame [pixels] the window manager will draw around a window of the program not shown yet.
QMargins expectedFrame();
// Where a window's outer frame of `size` goes when it is wanted at `at`: there, or moved as little as
// keeps it inside `area`; a frame larger than the area keeps its top-left corner on it.
QPoint intoArea(QPoint at, QSize size, const QRect& area);
// Moves a top-level window's outer frame to `at` [pixels], also while the window manager has yet
// to frame a shown window.
void moveFrameTo(QWidget& window, QPoint at);
// centreOnMain of any top-level window, a form's or one that is no form (a notice); call it once the
// window is made, when its size is known.
void centreOnMain(QWidget& window);

// The control that has the focus as far as the forms know.
Control*& focusedControl();
// Scrolls the areas around a widget so that it shows whole.
void scrollIntoView(QWidget& widget);
// The same for the focused widget, when it is inside `window`.
void scrollFocusIntoView(const QWidget& window);
// The control of `form` that key presses go to now: the one with the keyboard focus, nullptr when
// the focus is on none of them (or in another window).
Control* keyboardFocus(const Form& form);
// Enter: the main keyboard's Return and the keypad's Enter alike.
bool isEnterKey(const QKeyEvent& e);

// Form-side hooks the controls and menus call.
void formActivated(Form& form);
void activateByUser(Form& form);
void refreshMenuBars(Form& form);

}  // namespace platform::detail
