#include "app/shared/window_menus.h"

#include "app/shared/main_window.h"
#include "app/shared/mdlPublic.h"
#include "platform/strings.h"

namespace app {

void forwardFileMenu(platform::MenuItem& fileNew, platform::MenuItem& fileExit) {
    fileNew.Click = [] { mainWindow().mnuFileNew_Click(); };
    fileExit.Click = [] { mainWindow().mnuFileExit_Click(); };
}

ViewMenu::ViewMenu(platform::Form& form) : mnuView(form, "&View") {
    // SetPartnumType ticks the main window's items; this window's own follow here.
    mnuViewCurrent.Click = [this] {
        mdlPublic::SetPartnumType(0);
        tick(0);
    };
    mnuViewOld.Click = [this] {
        mdlPublic::SetPartnumType(1);
        tick(1);
    };
}

void ViewMenu::setCaptions() {
    mnuView.setCaption(platform::LoadResString(5082));
    mnuViewCurrent.setCaption(platform::LoadResString(5083));
    mnuViewOld.setCaption(platform::LoadResString(5084));
}

void ViewMenu::tick(int t) {
    mnuViewCurrent.setChecked(t == 0);
    mnuViewOld.setChecked(t == 1);
}

OptionMenu::OptionMenu(platform::Form& form) : mnuOpt(form, "&Option") {
    mnuOptConf.Click = [] { mainWindow().mnuOptConf_Click(); };
}

void OptionMenu::setCaptions() {
    mnuOpt.setCaption(platform::LoadResString(5080));
    mnuOptConf.setCaption(platform::LoadResString(5081));
}

HelpMenu::HelpMenu(platform::Form& form) : mnuHelp(form, "&Help") {
    mnuHelpContents.Click = [] { mainWindow().mnuHelpContents_Click(); };
    mnuHelpAbout.Click = [] { mainWindow().mnuHelpAbout_Click(); };
}

void HelpMenu::setCaptions() {
    mnuHelp.setCaption(platform::LoadResString(5024));
    mnuHelpContents.setCaption(platform::LoadResString(5025));
    mnuHelpAbout.setCaption(platform::LoadResString(5027));
}

}  // namespace app
