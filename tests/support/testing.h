#pragma once
// What tests and benchmarks do to the program's forms: user actions, acting exactly as a user
// would (the handlers run through the event dispatcher), and pictures of the desktop. Linked into
// tests and benchmarks only, never into the program; the seams the platform reads come with it.

#include <functional>
#include <string>
#include <vector>

#include "platform/seams.h"

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

// Saves a PNG of the work area as the user would see it: the windows in the order given, each where
// it stands in its outer frame, the caption in the frame's title bar.
void saveDesktopPicture(const std::string& file, const std::vector<const Form*>& windows);

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
// and released), the keypad's Enter.
enum class Key { Up, Down, Left, Right, Tab, Enter, Escape, Space, KeypadEnter };
void sendKey(Control& control, Key key);
// Alt, then Alt and a letter, pressed in the window as the window system hands keys to the shortcuts
// first: a menu's access key opens the menu.
void pressAltKey(Form& window, char letter);
// The caption of the menu open from the main window's menu bar, held by the bar so that the arrows
// go on to the next menu and Esc back to the bar; "" when none.
std::string openMenu(Form& window);
void closeMenus();
// A real press and release of the left mouse button at (x, y) pixels of the control, through the
// window system as under the user's hand: they go to whatever the window shows at that point.
void mouseClick(Control& control, int x, int y);
// Activates the control's window and presses Tab there until the control has the focus, as a user
// reaches it; false when the Tab order never comes to it.
bool tabTo(Control& control);
// Activates the form's window and presses Tab from its focused control until the focus is back: the
// controls visited, "name" or "name(index)" each, the focused one first. `atStop` runs at each stop,
// numbered from 0, while that control has the focus.
std::vector<std::string> tabStops(Form& form, const std::function<void(int stop)>& atStop = {});
// Enter on the form: a real key press to its focused control (to the window when none has the focus),
// so it presses what Enter presses for the user. Esc on the form: clicks its cancel button.
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
