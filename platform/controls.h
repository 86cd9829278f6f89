#pragma once
// The controls the forms use. See control.h for the conventions on geometry and events.

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/control.h"
#include "platform/errors.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QCheckBox;
class QRadioButton;
class QComboBox;
class QGroupBox;

namespace platform {

class Label : public Control {
public:
    explicit Label(Container& holder, const std::string& caption = {});
    std::string Caption() const;
    void setCaption(const std::string& text);

private:
    QLabel* label_;
};

class TextBox : public Control {
public:
    enum Kind { SingleLine, MultiLine };
    explicit TextBox(Container& holder, Kind kind = SingleLine);

    // Lines of a multi-line box are separated by "\n".
    std::string Text() const;
    // Runs Change when the text differs from the current one.
    void setText(const std::string& text);
    // Selection, in characters.
    int SelStart() const;
    int SelLength() const;
    void setSelStart(int start);
    void setSelLength(int length);
    // A multi-line box keeps at most this many lines (0, the default: any number): a line break
    // beyond them is refused, and a longer text, pasted or set, keeps its first lines.
    int MaxLines() const { return maxLines_; }
    void setMaxLines(int lines);

    std::function<void()> Change;
    // The typed character's code (Enter 13, Esc 27, Backspace 8); setting it to 0 swallows the key,
    // setting another code types that character instead.
    std::function<void(int& keyAscii)> KeyPress;

    // Layer internals: the user typed `text` / pressed a key (true when the key goes through).
    void userEdited(const std::string& text);
    bool userKey(int& keyAscii);
    bool isMultiLine() const { return multi_ != nullptr; }

protected:
    bool widgetEvent(QEvent* event) override;

private:
    void putText(const std::string& text);
    std::string withinMaxLines(const std::string& text) const;
    // Line breaks the box can still take in place of its selection.
    int roomForBreaks() const;
    QLineEdit* line_ = nullptr;
    QPlainTextEdit* multi_ = nullptr;
    std::string text_;
    int maxLines_ = 0;
};

class CommandButton : public Control {
public:
    explicit CommandButton(Container& holder, const std::string& caption = {});
    ~CommandButton() override;
    std::string Caption() const;
    void setCaption(const std::string& text);
    // Enter clicks the button that has the focus; with the focus on no button it clicks the form's
    // default button. The button Enter would click shows the default marking; the focused one also
    // a dotted focus frame. Esc clicks the cancel button.
    bool Default() const { return default_; }
    void setDefault(bool on);
    bool Cancel() const { return cancel_; }
    void setCancel(bool on);

    std::function<void()> Click;

    void userClick();

protected:
    bool widgetEvent(QEvent* event) override;

private:
    // Gives the default marking to the form's Enter target alone.
    void markEnterTarget();
    QPushButton* button_;
    bool default_ = false;
    bool cancel_ = false;
};

class CheckBox : public Control {
public:
    explicit CheckBox(Container& holder, const std::string& caption = {});
    std::string Caption() const;
    void setCaption(const std::string& text);
    // 0 unticked, 1 ticked. Click runs on every change, also while the box is disabled.
    int Value() const { return value_; }
    void setValue(int value);

    std::function<void()> Click;

    void userClick();

private:
    QCheckBox* box_;
    int value_ = 0;
};

// Option buttons in the same holder (form or frame) form one group: at most one is selected.
// The keyboard treats a group as one control: Tab enters it at its selected button (at its first
// while none is selected); an arrow key moves to the previous (Up, Left) or next (Down, Right)
// enabled, visible button in reading order and selects it as a click would, stopping at the ends.
class OptionButton : public Control {
public:
    explicit OptionButton(Container& holder, const std::string& caption = {});
    ~OptionButton() override;
    std::string Caption() const;
    void setCaption(const std::string& text);
    bool Value() const { return value_; }
    // Selecting clears the others of the group silently and runs Click of this button only;
    // clearing runs nothing.
    void setValue(bool on);

    std::function<void()> Click;

    void userClick();

protected:
    bool widgetEvent(QEvent* event) override;

private:
    void select(bool on);
    // The buttons of this one's group, top to bottom and left to right.
    std::vector<OptionButton*> group();
    void moveInGroup(int step);
    void updateTabStop();
    Container* holder_;
    QRadioButton* radio_;
    bool value_ = false;
};

// A drop-down list: the user picks one of the items, nothing can be typed.
class ComboBox : public Control {
public:
    explicit ComboBox(Container& holder);

    // Adding and clearing raise nothing and keep no selection on their own.
    void AddItem(const std::string& item, int index = -1);
    void RemoveItem(int index);
    void Clear();
    int ListCount() const { return static_cast<int>(items_.size()); }
    // Item i (0-based); run-time error 9 outside the list.
    const std::string& List(int index) const;

    // -1 when nothing is selected (at creation and after Clear).
    int ListIndex() const { return listIndex_; }
    // Runs Click when an item becomes selected; -1 clears the selection silently.
    void setListIndex(int index);
    // The selected item, empty when none.
    std::string Text() const;
    // Selects the item equal to `text` (Click as above); any other text is run-time error 383.
    void setText(const std::string& text);

    std::function<void()> Click;

    void userPick(int index);

private:
    void showSelection();
    QComboBox* combo_;
    std::vector<std::string> items_;
    int listIndex_ = -1;
};

class Frame : public Control, public Container {
public:
    explicit Frame(Container& holder, const std::string& caption = {});
    std::string Caption() const;
    void setCaption(const std::string& text);
    Form& form() override { return Control::form(); }
    QWidget* clientWidget() override;

private:
    QGroupBox* box_;
};

// Shows a picture at its natural size; remembers the key it was given.
class Image : public Control {
public:
    explicit Image(Container& holder);
    void setPicture(const std::string& key, const platform::Picture& picture);
    const std::string& PictureKey() const { return key_; }
    const platform::Picture& Picture() const { return picture_; }

    std::function<void()> Click;
    std::function<void()> DblClick;

protected:
    bool widgetEvent(QEvent* event) override;

private:
    QLabel* label_;
    std::string key_;
    platform::Picture picture_;
};

// A straight line of the form's drawing, between (X1, Y1) and (X2, Y2) in twips.
class Line : public Control {
public:
    Line(Container& holder, int x1, int y1, int x2, int y2);
    int X1() const { return x1_; }
    int Y1() const { return y1_; }
    int X2() const { return x2_; }
    int Y2() const { return y2_; }
    void setX1(int twips);
    void setY1(int twips);
    void setX2(int twips);
    void setY2(int twips);
    Color BorderColor() const { return color_; }
    void setBorderColor(Color c);

private:
    void place();
    int x1_, y1_, x2_, y2_;
    Color color_ = RGB(0, 0, 0);
};

// A control array (`txtFilter(i)`): controls of one kind that share one handler per event, which
// receives the element's index. Elements may sit in different holders; indexes may have gaps.
// Handlers may be assigned before or after the elements are added.
template <class C>
class ControlArray {
public:
    ControlArray() = default;
    // Elements 0 .. count-1, all in `holder`.
    template <class... Args>
    ControlArray(Container& holder, int count, Args&&... args) {
        for (int i = 0; i < count; ++i) add(i, holder, args...);
    }
    ControlArray(const ControlArray&) = delete;
    ControlArray& operator=(const ControlArray&) = delete;

    // Adds element `index` in `holder`; the extra arguments go to the control's constructor.
    template <class... Args>
    C& add(int index, Container& holder, Args&&... args) {
        auto element = std::make_unique<C>(holder, std::forward<Args>(args)...);
        C& c = *element;
        wire(c, index);
        elements_[index] = std::move(element);
        return c;
    }

    // Run-time error 9 for an index with no element.
    C& operator()(int index) const {
        auto it = elements_.find(index);
        if (it == elements_.end()) raiseError(errSubscript);
        return *it->second;
    }
    bool contains(int index) const { return elements_.count(index) != 0; }
    int count() const { return static_cast<int>(elements_.size()); }
    int LBound() const { return elements_.empty() ? 0 : elements_.begin()->first; }
    int UBound() const { return elements_.empty() ? -1 : elements_.rbegin()->first; }
    // The name every element reports, for Form::controlByName.
    void setName(std::string name) {
        arrayName_ = std::move(name);
        for (auto& [i, c] : elements_) c->setName(arrayName_, i);
    }

    std::function<void(int index)> Click;
    std::function<void(int index)> Change;
    std::function<void(int index)> GotFocus;
    std::function<void(int index)> LostFocus;
    std::function<void(int index)> DblClick;
    std::function<void(int index, int& keyAscii)> KeyPress;
    std::function<void(int index, int button, int shift, float x, float y)> MouseUp;

private:
    void wire(C& c, int index) {
        c.setName(arrayName_, index);
        c.GotFocus = [this, index] { if (GotFocus) GotFocus(index); };
        c.LostFocus = [this, index] { if (LostFocus) LostFocus(index); };
        if constexpr (requires { c.Click; }) c.Click = [this, index] { if (Click) Click(index); };
        if constexpr (requires { c.Change; }) c.Change = [this, index] { if (Change) Change(index); };
        if constexpr (requires { c.DblClick; }) c.DblClick = [this, index] { if (DblClick) DblClick(index); };
        if constexpr (requires { c.KeyPress; })
            c.KeyPress = [this, index](int& key) { if (KeyPress) KeyPress(index, key); };
        if constexpr (requires { c.MouseUp; })
            c.MouseUp = [this, index](int button, int shift, float x, float y) {
                if (MouseUp) MouseUp(index, button, shift, x, y);
            };
    }

    std::string arrayName_;
    std::map<int, std::unique_ptr<C>> elements_;
};

}  // namespace platform
