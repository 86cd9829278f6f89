#pragma once
// The menus every window of the program has and that act alike in each: View (the part-number
// view), Option and Help, the last two forwarded to the main window. Each window declares them
// where they stand in its own menu bar, between its own menus.

#include "platform/form.h"
#include "platform/menu.h"

namespace app {

// A child window's File > New Simulation and File > Exit act as the main window's.
void forwardFileMenu(platform::MenuItem& fileNew, platform::MenuItem& fileExit);

class ViewMenu {
public:
    explicit ViewMenu(platform::Form& form);
    void setCaptions();
    // Ticks the item of part-number view t (0 global, 1 previous).
    void tick(int t);

    platform::MenuItem mnuView;
    platform::MenuItem mnuViewCurrent{mnuView, "&Global Part Number"};
    platform::MenuItem mnuViewOld{mnuView, "&Previous Part Number"};
};

class OptionMenu {
public:
    explicit OptionMenu(platform::Form& form);
    void setCaptions();

    platform::MenuItem mnuOpt;
    platform::MenuItem mnuOptConf{mnuOpt, "&Setting"};
};

class HelpMenu {
public:
    explicit HelpMenu(platform::Form& form);
    void setCaptions();

    platform::MenuItem mnuHelp;
    platform::MenuItem mnuHelpContents{mnuHelp, "&Contents"};
    platform::MenuItem mnuHelpBar1{mnuHelp, "-"};
    platform::MenuItem mnuHelpAbout{mnuHelp, "&About..."};
};

}  // namespace app
