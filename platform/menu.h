#pragma once
// Menus of a form. The menu tree is declared as members in the order it shows:
//
//     platform::MenuItem mnuFile{*this, "&File"};            // a top-level menu of the form's bar
//     platform::MenuItem mnuFileNew{mnuFile, "&New Simulation"};
//     platform::MenuItem mnuFileBar1{mnuFile, "-"};          // "-" is a separator
//     platform::MenuArray mnuZoom{mnuChartScaleup, 3};       // items 0..2 sharing one handler
//
// A top-level menu that is not Visible stays out of the bar and serves as a pop-up menu
// (Form::PopupMenu). In the MDI parent the active child's bar replaces the parent's own.

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QMenu;
class QObject;

namespace platform {

class Form;

class MenuItem {
public:
    // A top-level menu of `form`'s bar.
    MenuItem(Form& form, const std::string& caption);
    // An item (or submenu) of `parent`.
    MenuItem(MenuItem& parent, const std::string& caption);
    ~MenuItem();
    MenuItem(const MenuItem&) = delete;
    MenuItem& operator=(const MenuItem&) = delete;

    // Captions carry "&" before the access key.
    std::string Caption() const { return caption_; }
    void setCaption(const std::string& text);
    bool Checked() const { return checked_; }
    void setChecked(bool on);
    bool Enabled() const { return enabled_; }
    void setEnabled(bool on);
    bool Visible() const { return visible_; }
    void setVisible(bool on);
    bool isSeparator() const { return caption_ == "-"; }
    int Index() const { return index_; }

    Form& form() { return *form_; }
    bool isTopLevel() const { return parent_ == nullptr; }
    const std::vector<MenuItem*>& items() const { return children_; }

    std::function<void()> Click;

    // Layer internals.
    void userClick();
    QAction* action() const { return action_; }
    QMenu* menu();
    void setIndex(int index) { index_ = index; }

private:
    void applyCaption();
    Form* form_;
    MenuItem* parent_;
    std::vector<MenuItem*> children_;
    QAction* action_;            // owned by the form's window (or by menu_)
    QMenu* menu_ = nullptr;      // created once the item has children or is top-level
    std::unique_ptr<QObject> context_;
    std::string caption_;
    bool checked_ = false;
    bool enabled_ = true;
    bool visible_ = true;
    int index_ = -1;
};

// An item array (`mnuChartScaleupIndex(i)`): items of one submenu sharing one Click handler that
// receives the index.
class MenuArray {
public:
    MenuArray(MenuItem& parent, int count);
    MenuItem& operator()(int index) const;
    int count() const { return static_cast<int>(items_.size()); }

    std::function<void(int index)> Click;

private:
    std::vector<std::unique_ptr<MenuItem>> items_;
};

}  // namespace platform
