#pragma once
// The base of every control on a form, and of the things that hold controls (forms, frames).
//
// Conventions shared by all controls:
// - Geometry is in twips, relative to the holder's client area (15 twips a pixel).
// - Events are public std::function members named after the event (`Click`, `Change`, `KeyPress`...).
//   A form assigns them in its constructor: `cmdOk.Click = [this] { cmdOk_Click(); };`.
// - Setting a property from code runs the matching event at once, inside the setter, and only when
//   the value actually changes; an exception from the handler passes to the code that set it.
//   The same change made by the user runs the handler through the event dispatcher, which shows the
//   error box for anything the handler lets escape.
// - State set while the form is being constructed (the designer defaults) raises no event.

#include <functional>
#include <memory>
#include <string>

#include "platform/types.h"

class QWidget;
class QObject;
class QEvent;

namespace platform {

class Form;

// Something that holds controls: a form's client area or a frame.
class Container {
public:
    virtual ~Container() = default;
    virtual Form& form() = 0;
    // The widget the held controls are placed in (the layer's own business).
    virtual QWidget* clientWidget() = 0;
};

class Control {
public:
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    // Name and index as the form's code refers to them ("txtFilter", 1); index -1 outside an array.
    const std::string& Name() const { return name_; }
    int Index() const { return index_; }
    void setName(std::string name, int index = -1);

    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    void setLeft(int twips);
    void setTop(int twips);
    void setWidth(int twips);
    void setHeight(int twips);
    // Width and height below 0 keep the current value.
    void Move(int left, int top, int width = -1, int height = -1);

    bool Enabled() const;
    void setEnabled(bool on);
    // The control's own visibility flag: true while it would show on a shown form.
    bool Visible() const;
    void setVisible(bool on);

    Color ForeColor() const;
    void setForeColor(Color c);
    Color BackColor() const;
    void setBackColor(Color c);

    // Gives the control the input focus; does nothing where that is impossible (hidden, disabled).
    void SetFocus();

    Form& form() { return *form_; }

    std::function<void()> GotFocus;
    std::function<void()> LostFocus;

    // Layer internals.
    QWidget* widget() const { return widget_; }
    void userGotFocus();
    void userLostFocus();

protected:
    Control(Container& holder, QWidget* widget);
    // True while the form is being constructed: designer defaults raise no event.
    bool designing() const;
    // Runs a handler for a change made from code (exceptions pass to the caller).
    static void raise(const std::function<void()>& handler, bool designing);
    // Runs a handler for a user action through the dispatcher.
    static void raiseUser(const std::function<void()>& handler);
    QObject* context() const { return context_.get(); }
    // After the size changed through the geometry setters.
    virtual void geometryChanged() {}
    // Every event of the widget passes here first; true swallows it.
    virtual bool widgetEvent(QEvent* event);

private:
    void followFocus(const QEvent* event);
    struct State;
    Form* form_;
    QWidget* widget_;
    std::unique_ptr<QObject> context_;  // owns the Qt connections, so none outlives the control
    std::unique_ptr<State> state_;
    std::string name_;
    int index_ = -1;
};

}  // namespace platform
