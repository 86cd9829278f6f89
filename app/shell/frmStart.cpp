#include "app/shell/frmStart.h"

#include <string>

#include "app/shared/button_placement.h"
#include "app/shared/mdlPublic.h"
#include "platform/dispatch.h"
#include "platform/screen.h"
#include "platform/strings.h"

using namespace mdlPublic;

frmStart::frmStart() : Form("frmStart") {
    fraSimType.setName("fraSimType");
    fraSimType.Move(120, 120, 7140, 2160);
    optSimType.setName("optSimType");
    for (int i = 0; i < 4; ++i) optSimType(i).Move(240, 330 + 440 * i, 6780, 330);
    chkNext.setName("chkNext");
    chkNext.Move(240, 2370, 7020, 330);
    chkNext.setVisible(false);
    app::placeOkButton(cmdOk, 4290, 2760, 1335);
    app::placeCancelButton(cmdCancel, 5805, 2760, 1335);
    cmdOk.Click = [this] { cmdOk_Click(); };
    cmdCancel.Click = [this] { cmdCancel_Click(); };
}

void frmStart::showStartupOption() { chkNext.setVisible(true); }

void frmStart::Form_Load() {
    setCaption(platform::LoadResString(6200));
    cmdOk.setCaption(platform::LoadResString(6201));
    cmdCancel.setCaption(platform::LoadResString(6202));
    fraSimType.setCaption(platform::LoadResString(6203));
    for (int i = 0; i < 4; ++i) optSimType(i).setCaption(platform::LoadResString(6204 + i));
    chkNext.setCaption(platform::LoadResString(6210));
    optSimType(std::stoi(GetAppSetting("SimType"))).setValue(true);
    setWidth(7500);
    setHeight(3750);
    platform::centreOnMain(*this);
}

void frmStart::cmdOk_Click() {
    int simType = -1;
    for (int i = 0; i < 4 && simType < 0; ++i)
        if (optSimType(i).Value()) simType = i;
    if (simType < 0) platform::stopProgram("frmStart.cmdOk_Click: no circuit type selected");
    saveAppSetting("SimType", std::to_string(simType));
    saveAppSetting("StartDialog", chkNext.Value() == 1 ? "1" : "0");
    CurrentSim = SimCount;
    Hide();
    ShowConfigForm(std::stoi(GetAppSetting("SimType")), false);
    platform::Unload(*this);
}

void frmStart::cmdCancel_Click() { platform::Unload(*this); }
