#include "app/shell/dialog_placement.h"

#include <algorithm>

#include "app/shell/frmMain.h"
#include "platform/controls.h"
#include "platform/form.h"
#include "platform/screen.h"

namespace app {

namespace {

constexpr int ButtonHeight = 375;

// The work area of the main window's screen, where the program's windows belong.
platform::ScreenRect programArea(const platform::Form& window) {
    const frmMain* main = platform::loadedForm<frmMain>();
    return platform::workArea(main ? static_cast<const platform::Form&>(*main) : window);
}

// Puts the window's outer frame at (left, top), moved as little as keeps it inside the area. A frame
// larger than the area keeps its top-left corner, where the title bar is, on it.
void moveInto(platform::Form& window, int left, int top, const platform::ScreenRect& area) {
    const platform::ScreenRect frame = platform::outerFrame(window);
    window.setTop(std::max(area.top, std::min(top, area.top + area.height - frame.height)));
    window.setLeft(std::max(area.left, std::min(left, area.left + area.width - frame.width)));
}

}  // namespace

void centreOnMain(platform::Form& dialog) {
    const frmMain* main = platform::loadedForm<frmMain>();
    if (!main) return keepOnScreen(dialog);
    const platform::ScreenRect around = platform::outerFrame(*main);
    const platform::ScreenRect frame = platform::outerFrame(dialog);
    moveInto(dialog, around.left + (around.width - frame.width) / 2, around.top + (around.height - frame.height) / 2,
             programArea(dialog));
}

void keepOnScreen(platform::Form& window) {
    const platform::ScreenRect frame = platform::outerFrame(window);
    moveInto(window, frame.left, frame.top, programArea(window));
}

void placeOkButton(platform::CommandButton& ok, int left, int top, int width) {
    ok.setName("cmdOk");
    ok.Move(left, top, width, ButtonHeight);
    ok.setDefault(true);
}

void placeCancelButton(platform::CommandButton& cancel, int left, int top, int width) {
    cancel.setName("cmdCancel");
    cancel.Move(left, top, width, ButtonHeight);
    cancel.setCancel(true);
}

}  // namespace app
