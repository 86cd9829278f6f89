#pragma once
// The desktop around the program's windows: the work area they must stay on and the frame (title
// bar and borders) that the window manager draws around a window, in twips.

#include <string>
#include <vector>

namespace platform {

class Form;

struct ScreenRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// The work area (the screen less the desktop's panels) of the screen that shows the form.
ScreenRect workArea(const Form& form);

// A top-level form's outer frame on the desktop: where Left and Top put it, as wide and high as the
// window manager's frame makes it. The platform learns a window's own frame only once it is shown;
// until then it is taken to be like the main window's. An MDI child gets its own place.
ScreenRect outerFrame(const Form& form);

namespace testing {
// The frame, in twips each side, taken for a window whose own frame is not known yet, in place of
// the main window's (the offscreen platform draws thin frames); all 0 give the main window's back.
void setWindowFrame(int left, int top, int right, int bottom);
// Saves a PNG of the work area as the user would see it: the windows in the order given, each where
// it stands in its outer frame, the caption in the frame's title bar.
void saveDesktopPicture(const std::string& file, const std::vector<const Form*>& windows);
}  // namespace testing

}  // namespace platform
