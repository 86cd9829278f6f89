#pragma once
// Forms: windows with controls, their life cycle and the Forms collection.
//
// A form is a class deriving from Form. Its constructor creates the controls (members), sets their
// designer defaults (no event fires while the form is constructed) and assigns the event handlers.
// The form's own events are the protected virtuals below; override the ones it needs.
//
//     class frmAbout : public platform::Form {
//     public:
//         frmAbout() : Form("frmAbout") { cmdOk.Click = [this] { cmdOk_Click(); }; }
//     protected:
//         void Form_Load() override;
//     private:
//         platform::CommandButton cmdOk{*this, "OK"};
//         void cmdOk_Click() { platform::Unload(*this); }
//     };
//
//     auto& about = platform::Load<frmAbout>();   // a new instance; Form_Load runs
//     about.Show(platform::Modal);                // returns once it is hidden or unloaded
//     platform::defaultForm<frmConfig>();          // the loaded instance, loaded on first use
//
// Unload runs Form_QueryUnload and Form_Unload, hides the window and takes the form out of Forms;
// the object itself is deleted later, when no event handler is running, so a form may unload
// itself inside its own handler and go on to the end of it. Unloading a form that is not loaded
// does nothing.

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/control.h"

class QWidget;

namespace platform {

class MenuItem;
class CommandButton;

enum class FormKind {
    Window,     // a top-level window: dialogs, notices, tool windows
    MdiParent,  // the main window; at most one is loaded
    MdiChild,   // shown inside the loaded MDI parent (as a top-level window when there is none)
};

enum WindowStateValue : int { StateNormal = 0, StateMinimized = 1, StateMaximized = 2 };
enum ShowMode : int { Modeless = 0, Modal = 1 };
// Why a form is being unloaded, as Form_QueryUnload receives it.
enum UnloadMode : int { UnloadByUser = 0, UnloadByCode = 1 };

class Form : public Container {
public:
    explicit Form(std::string name, FormKind kind = FormKind::Window);
    ~Form() override;
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const std::string& Name() const { return name_; }
    FormKind kind() const { return kind_; }
    bool isLoaded() const { return loaded_; }

    std::string Caption() const;
    void setCaption(const std::string& text);

    // Outer geometry in twips: screen position for windows, position in the parent's client area for
    // MDI children. Changing the size runs Form_Resize.
    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    void setLeft(int twips);
    void setTop(int twips);
    void setWidth(int twips);
    void setHeight(int twips);
    void Move(int left, int top, int width = -1, int height = -1);
    // The client area (inside frame, caption and menu bar), in twips.
    int ScaleWidth() const;
    int ScaleHeight() const;
    // Designer size of the client area.
    void setClientSize(int widthTwips, int heightTwips);
    // The client size that shows every control whole, in twips: the box from the client area's
    // top-left corner around all of them, hidden ones too (other layouts of the form show them),
    // with the margin they leave left and above repeated right and below.
    int controlsWidth() const;
    int controlsHeight() const;
    // MDI parent, before it is shown: makes the window large enough that a child whose client area
    // is widthTwips x heightTwips shows whole in it, maximized or in its own frame, and keeps the
    // window, frame and title bar included, inside the desktop's work area; where the work area is
    // smaller, the window opens maximized and its client area scrolls, and restoring it brings it
    // back to a size and place inside the work area.
    void fitClientArea(int widthTwips, int heightTwips);

    // 0 normal, 1 minimized, 2 maximized; may be set before the form is shown.
    int WindowState() const;
    void setWindowState(int state);

    bool Visible() const;
    // Modeless: shows the form and returns. Modal: shows it and returns when it is hidden or
    // unloaded, while the rest of the program waits. A top-level form shown with an owner stays
    // above that owner's window. Loads nothing: the form is already loaded (Load / defaultForm).
    void Show(ShowMode mode = Modeless, Form* owner = nullptr);
    void Hide();
    // Paints the form and its controls at once, for a notice shown before work that handles no events.
    void Refresh();
    // Keeps the window above all others (true) or lets it go back to the normal order.
    void setTopMost(bool on);
    // Moves this top-level window next to `anchor` (an MDI child or a window): right of what the
    // anchor shows (a maximized form shows its controls in a corner), else left of, below or above
    // it, else into the desktop's bottom-right corner; always wholly on the desktop's work area,
    // frame and title bar included (see platform/screen.h).
    // Does nothing for an MDI child.
    void placeBeside(const Form& anchor);
    // Opens a top-level menu of this form as a pop-up menu at the mouse position.
    void PopupMenu(MenuItem& menu);

    // Sets the order in which Tab moves through the controls: the listed ones, in list order, each
    // frame standing for the controls inside it in their order so far. List every control that takes
    // the focus: the ones left out keep their old neighbours.
    // Without this call Tab follows the order the controls were made in.
    void setTabOrder(const std::vector<Control*>& order);

    // Controls reached by name at run time ("txtFilter", 1); nullptr when the form has none.
    Control* controlByName(const std::string& name, int index = -1) const;

    Form& form() override { return *this; }
    QWidget* clientWidget() override;

    // Layer internals.
    QWidget* window() const;
    const std::vector<MenuItem*>& menus() const { return menus_; }
    void addMenu(MenuItem* menu);
    void removeMenu(MenuItem* menu);
    void menusChanged();
    const std::vector<Control*>& controls() const { return controls_; }
    void addControl(Control* control);
    void removeControl(Control* control);
    void setDefaultButton(CommandButton* button, bool on);
    void setCancelButton(CommandButton* button, bool on);
    CommandButton* defaultButton() const { return defaultButton_; }
    CommandButton* cancelButton() const { return cancelButton_; }
    // The button Enter presses when pressed in `at`: `at` itself when it is a command button of this
    // form, else the default button (nullptr: none). Every Enter handler and the default marking ask
    // it, so what Enter presses and what the marking shows never part.
    CommandButton* enterTarget(Control* at) const;
    bool designing() const { return designing_; }
    struct Impl;
    Impl& impl() const { return *impl_; }

protected:
    virtual void Form_Load() {}
    virtual void Form_Activate() {}
    virtual void Form_Resize() {}
    // Set cancel non-zero to keep the form loaded.
    virtual void Form_QueryUnload(int& cancel, int unloadMode) { (void)cancel; (void)unloadMode; }
    virtual void Form_Unload(int& cancel) { (void)cancel; }

private:
    friend struct FormAccess;
    std::string name_;
    FormKind kind_;
    bool loaded_ = false;
    bool designing_ = true;
    std::vector<MenuItem*> menus_;
    std::vector<Control*> controls_;
    CommandButton* defaultButton_ = nullptr;
    CommandButton* cancelButton_ = nullptr;
    std::unique_ptr<Impl> impl_;
};

// The loaded forms in load order; the main window is at index 0.
class FormsCollection {
public:
    int Count() const;
    Form& operator()(int index) const;  // run-time error 9 outside 0 .. Count-1
    // The first loaded form named `name`, nullptr when there is none.
    Form* byName(const std::string& name) const;
    // Loaded forms whose name / caption matches a pattern with * (any run) and ? (one character).
    std::vector<Form*> nameLike(const std::string& pattern) const;
    std::vector<Form*> captionLike(const std::string& pattern) const;
};
FormsCollection Forms();

// The active MDI child (or, with none, the active window's form); nullptr when no form is active.
Form* ActiveForm();

// Layer internals: registration behind Load.
void registerForm(std::unique_ptr<Form> form);
void finishLoading(Form& form);

// Creates, registers and loads a new instance of F (Form_Load runs).
template <class F, class... Args>
F& Load(Args&&... args) {
    auto form = std::make_unique<F>(std::forward<Args>(args)...);
    F& f = *form;
    registerForm(std::move(form));
    finishLoading(f);
    return f;
}

// The loaded instance of F, nullptr when none is loaded.
template <class F>
F* loadedForm() {
    const FormsCollection forms = Forms();
    for (int i = 0; i < forms.Count(); ++i)
        if (auto* f = dynamic_cast<F*>(&forms(i))) return f;
    return nullptr;
}

// The form's default instance: the loaded one, or a new one loaded now.
template <class F>
F& defaultForm() {
    if (F* f = loadedForm<F>()) return *f;
    return Load<F>();
}

// Unloads a form (see the top of this file). Returns false when Form_QueryUnload or Form_Unload
// cancelled.
bool Unload(Form& form, int unloadMode = UnloadByCode);

}  // namespace platform
