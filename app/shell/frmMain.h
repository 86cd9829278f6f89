#pragma once
// The MDI parent window of the program: menus, the circuit pictures and the help.

#include <string>

#include "platform/form.h"
#include "platform/imagelist.h"
#include "platform/menu.h"

// What the forms ask of the common dialog control: the help file, and the print setup of the
// result windows.
class CommonDialog {
public:
    int HelpCommand = 0;   // 3: show the contents
    std::string HelpFile;
    long Flags = 0;        // print dialog flags
    bool PrinterDefault = false;

    // Opens HelpFile in the help viewer.
    void ShowHelp();
    // The print setup dialog; false when the user cancelled.
    bool ShowPrinter();
};

class frmMain : public platform::Form {
public:
    frmMain();

    // The default instance, loaded on first use.
    static frmMain& instance();

    // Menu handlers that the children's menus call too.
    void mnuFileNew_Click();
    void mnuFileExit_Click();
    void mnuOptConf_Click();
    void mnuHelpContents_Click();
    void mnuHelpAbout_Click();

    // Ticks the View item of part-number view t (0 global, 1 previous); other values change nothing.
    void showPartnumType(int t);
    bool viewCurrentChecked() const { return mnuViewCurrent.Checked(); }
    bool viewOldChecked() const { return mnuViewOld.Checked(); }

    // Every circuit picture of the program by key; reached by the other forms.
    platform::ImageList imlMain;
    CommonDialog dlgCommonDialog;

protected:
    void Form_Load() override { MDIForm_Load(); }
    void Form_Unload(int& cancel) override;

private:
    void MDIForm_Load();
    void MDIForm_Unload();
    void mnuViewCurrent_Click();
    void mnuViewOld_Click();
    void setCaptions();
    void fitConfigForms();
    void wireEvents();

    platform::MenuItem mnuFile{*this, "&File"};
    platform::MenuItem mnuFileNew{mnuFile, "&New Simulation"};
    platform::MenuItem mnuFileBar1{mnuFile, "-"};
    platform::MenuItem mnuFileExit{mnuFile, "E&xit"};
    platform::MenuItem mnuView{*this, "&View"};
    platform::MenuItem mnuViewCurrent{mnuView, "&Global Part Number"};
    platform::MenuItem mnuViewOld{mnuView, "&Previous Part Number"};
    platform::MenuItem mnuOpt{*this, "&Option"};
    platform::MenuItem mnuOptConf{mnuOpt, "&Setting"};
    platform::MenuItem mnuHelp{*this, "&Help"};
    platform::MenuItem mnuHelpContents{mnuHelp, "&Contents"};
    platform::MenuItem mnuHelpBar1{mnuHelp, "-"};
    platform::MenuItem mnuHelpAbout{mnuHelp, "&About..."};
};
