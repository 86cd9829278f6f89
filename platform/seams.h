#pragma once
// Seams for headless tests: the platform reads them on every message box, modal Show, beep, End and
// window placement. With Qt's offscreen platform they are on from the start: message boxes are
// recorded and answered OK, a modal dialog with no driver closes at once, End and internal stops
// throw instead of ending the process. The user actions that drive forms in tests are no part of the
// program: they live in the tests' support library.

#include <functional>
#include <string>
#include <vector>

namespace platform {
class Form;
class MenuItem;
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

// The menu last opened with Form::PopupMenu (headless: recorded, not shown).
MenuItem* lastPopupMenu();

}  // namespace platform::testing
