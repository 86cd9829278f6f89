#pragma once
// Seams for headless tests. With Qt's offscreen platform they are on from the start: message
// boxes are recorded and answered OK, a modal dialog with no driver closes at once, End and internal
// stops throw instead of ending the process. The user-action helpers below act exactly as a user
// would: the handlers run through the event dispatcher.

#include <functional>
#include <string>
#include <vector>

namespace platform {
class Form;
class Control;
class TextBox;
class CommandButton;
class CheckBox;
class OptionButton;
class ComboBox;
class MenuItem;
class Image;
class PictureBox;
}  // namespace platform

namespace platform::testing {

// True while the seams are on.
bool headless();
void setHeadless(bool on);

struct MessageBoxCall {
    std::string text;
    int style = 0;
    std::string title;  // as shown: the program title when the caller gave none
};
// Every message box shown since the last clear.
const std::vector<MessageBoxCall>& messageBoxes();
void clearMessageBoxes();
// The answer of the next message boxes (OK when unset).
void setMessageBoxAnswer(std::function<int(const MessageBoxCall&)> answer);

// Called in place of the nested event loop of a modal Show: the driver acts as the user and
// should hide or unload the dialog; Show returns when the driver returns.
void setModalDriver(std::function<void(Form&)> driver);

int beepCount();
void resetBeepCount();

// What End or stopProgram throw while headless; it derives from no standard exception, so only the
// layer's own code sees it on its way to the test.
struct ProgramEnded {
    bool stopped;       // true: an internal stop; false: End
    std::string where;  // the stop's location
};

// The desktop's work area, in twips, where the platform places the program's windows (a width of 0
// gives the screen's own back); the offscreen screen is smaller than a user's desktop.
void setWorkArea(int left, int top, int width, int height);
// The frame, in twips each side, the window manager draws around every window once the window
// system has shown it, in place of the one the platform reports (the offscreen platform draws thin
// frames at once); all 0 give that back.
void setWindowFrame(int left, int top, int right, int bottom);
// Saves a PNG of the work area as the user would see it: the windows in the order given, each where
// it stands in its outer frame, the caption in the frame's title bar.
void saveDesktopPicture(const std::string& file, const std::vector<const Form*>& windows);

// The menu last opened with Form::PopupMenu (headless: recorded, not shown).
MenuItem* lastPopupMenu();

// User actions.
void click(CommandButton& button);
void click(CheckBox& box);
void click(OptionButton& option);
void click(MenuItem& item);
void type(TextBox& box, const std::string& text);  // replaces the whole text, as one edit
// Presses a key in a text box; returns true when the key went through (not swallowed).
bool pressKey(TextBox& box, int keyAscii);
void pick(ComboBox& box, int index);
void dblClick(Image& image);
void dblClick(PictureBox& picture);
// Real key presses, delivered to the control as the window system delivers them, so that the layer's
// handling and the toolkit's own both run: arrows in an option group, Tab, Enter, Esc, Space (pressed
// and released).
enum class Key { Up, Down, Left, Right, Tab, Enter, Escape, Space };
void sendKey(Control& control, Key key);
// Activates the control's window and presses Tab there until the control has the focus, as a user
// reaches it; false when the Tab order never comes to it.
bool tabTo(Control& control);
// Activates the form's window and presses Tab from its focused control until the focus is back: the
// controls visited, "name" or "name(index)" each, the focused one first. `atStop` runs at each stop,
// numbered from 0, while that control has the focus.
std::vector<std::string> tabStops(Form& form, const std::function<void(int stop)>& atStop = {});
// Enter / Esc on the form: clicks its default / cancel button.
void pressEnter(Form& form);
void pressEscape(Form& form);
// The user closes the window (its close box).
void close(Form& form);
// The user activates the window (an MDI child or a top-level window).
void activate(Form& form);

// Unloaded forms are deleted when no handler runs; tests that hold no references can force it.
void flushUnloaded();
// Unloads every form without running their unload procedures and deletes them: a clean slate.
void discardAllForms();

// The menu bar the user sees on `window` (the MDI parent shows the active child's): the captions
// of its visible top-level menus, in order.
std::vector<std::string> menuBarCaptions(Form& window);

}  // namespace platform::testing
