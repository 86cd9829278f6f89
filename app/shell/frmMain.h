#pragma once
// The MDI parent window of the program: menus, the circuit pictures and the help.

#include "app/shared/main_window.h"
#include "app/shared/window_menus.h"
#include "platform/menu.h"

class frmMain : public app::MainWindow {
public:
    frmMain();

    // The default instance, loaded on first use.
    static frmMain& instance();

    // Menu handlers that the children's menus call too.
    void mnuFileNew_Click() override;
    void mnuFileExit_Click() override;
    void mnuOptConf_Click() override;
    void mnuHelpContents_Click() override;
    void mnuHelpAbout_Click() override;

    // Ticks the View item of part-number view t (0 global, 1 previous); other values change nothing.
    void showPartnumType(int t) override;
    bool viewCurrentChecked() const { return view.mnuViewCurrent.Checked(); }
    bool viewOldChecked() const { return view.mnuViewOld.Checked(); }

protected:
    void Form_Load() override { MDIForm_Load(); }
    void Form_Unload(int& cancel) override;

private:
    void MDIForm_Load();
    void MDIForm_Unload();
    void setCaptions();
    void fitConfigForms();
    void wireEvents();

    platform::MenuItem mnuFile{*this, "&File"};
    platform::MenuItem mnuFileNew{mnuFile, "&New Simulation"};
    platform::MenuItem mnuFileBar1{mnuFile, "-"};
    platform::MenuItem mnuFileExit{mnuFile, "E&xit"};
    app::ViewMenu view{*this};
    app::OptionMenu option{*this};
    app::HelpMenu help{*this};
};
