#pragma once
// The main window as the other forms reach it: the menu handlers their own menus forward to, the
// part-number view of its menu, the circuit pictures and the common dialog. frmMain is that window;
// no form below the shell includes it.

#include <string>

#include "platform/form.h"
#include "platform/imagelist.h"

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

namespace app {

class MainWindow : public platform::Form {
public:
    // Menu handlers that the children's menus call too.
    virtual void mnuFileNew_Click() = 0;
    virtual void mnuFileExit_Click() = 0;
    virtual void mnuOptConf_Click() = 0;
    virtual void mnuHelpContents_Click() = 0;
    virtual void mnuHelpAbout_Click() = 0;

    // Ticks the View item of part-number view t (0 global, 1 previous); other values change nothing.
    virtual void showPartnumType(int t) = 0;

    // Every circuit picture of the program by key; reached by the other forms.
    platform::ImageList imlMain;
    CommonDialog dlgCommonDialog;

protected:
    using Form::Form;
};

// The one way to reach the main window: its default instance, loaded on first use. Defined beside
// frmMain on floor 4 rather than registered, so that a test of a single form, which registers
// nothing, still reaches it. Only a procedure that must not load the window for what it does
// (ticking its View item) asks platform::loadedForm<MainWindow>() instead.
MainWindow& mainWindow();

}  // namespace app
