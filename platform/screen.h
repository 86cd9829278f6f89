#pragma once
// The desktop around the program's windows: the work area they must stay on, the frame (title bar
// and borders) that the window manager draws around a window, and where a window goes on it, in
// twips. Every placement of a top-level window follows one rule: its whole frame, title bar
// included, lies inside the work area; a frame larger than the area keeps its top-left corner,
// where the title bar is, on it.

namespace platform {

class Form;

struct ScreenRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// The work area (the screen less the desktop's panels) of the screen that shows the main window,
// or the form's own while no main window is loaded: where the program's windows belong.
ScreenRect workArea(const Form& form);

// A top-level form's outer frame on the desktop: where Left and Top put it, as wide and high as the
// window manager's frame makes it. The platform learns a window's own frame only once it is shown;
// until then it is taken to be like that of a shown window of the program. A maximized window
// fills its work area (also before the window system has made it so). An MDI child gets its own
// place.
ScreenRect outerFrame(const Form& form);

// Centres the window's outer frame on the main window's, moved into the work area by the shortest
// way where that would leave it. Call it once the window has its size.
void centreOnMain(Form& window);

}  // namespace platform
