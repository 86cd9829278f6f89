#include "app/shell/frmAbout.h"

#include <string>

#include "app/shared/button_placement.h"
#include "platform/screen.h"
#include "platform/strings.h"

frmAbout::frmAbout() : Form("frmAbout") {
    setClientSize(6600, 2400);
    lblVersion.setName("lblVersion");
    lblVersion.Move(240, 240, 6120, 300);
    lblDisclaimer.setName("lblDisclaimer");
    lblDisclaimer.Move(240, 720, 6120, 1080);
    app::placeOkButton(cmdOk, 5025, 1890, 1335);
    // The only button: Esc closes the box too.
    cmdOk.setCancel(true);
    cmdOk.Click = [this] { cmdOk_Click(); };
}

void frmAbout::Form_Load() {
    lblVersion.setCaption("Version " + std::to_string(platform::AppMajor()) + "." + std::to_string(platform::AppMinor()) +
                          "." + std::to_string(platform::AppRevision()));
    setCaption(platform::LoadResString(5400));
    lblDisclaimer.setCaption(platform::LoadResString(5401) + "\r\n" + platform::LoadResString(5402) + "\r\n" +
                             platform::LoadResString(5403) + platform::LoadResString(5404));
    platform::centreOnMain(*this);
}

void frmAbout::cmdOk_Click() { platform::Unload(*this); }
