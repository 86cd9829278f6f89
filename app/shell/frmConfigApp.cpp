#include "app/shell/frmConfigApp.h"

#include "app/shared/button_placement.h"
#include "app/shared/mdlPublic.h"
#include "platform/screen.h"
#include "platform/strings.h"

using namespace mdlPublic;

frmConfigApp::frmConfigApp() : Form("frmConfigApp") {
    chkStart.setName("chkStart");
    chkStart.Move(360, 360, 6360, 330);
    app::placeOkButton(cmdOk, 3720, 1620, 1335);
    app::placeCancelButton(cmdCancel, 5235, 1620, 1335);
    cmdOk.Click = [this] { cmdOk_Click(); };
    cmdCancel.Click = [this] { cmdCancel_Click(); };
}

void frmConfigApp::Form_Load() {
    setCaption(platform::LoadResString(6300));
    cmdOk.setCaption(platform::LoadResString(6301));
    cmdCancel.setCaption(platform::LoadResString(6302));
    chkStart.setCaption(platform::LoadResString(6306));
    chkStart.setValue(GetAppSetting("StartDialog") == "0" ? 1 : 0);
    setWidth(7000);
    setHeight(2700);
    platform::centreOnMain(*this);
}

void frmConfigApp::cmdOk_Click() {
    saveAppSetting("StartDialog", chkStart.Value() == 1 ? "0" : "1");
    platform::Unload(*this);
}

void frmConfigApp::cmdCancel_Click() { platform::Unload(*this); }
