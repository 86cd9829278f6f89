#include "app/shell/frmMain.h"

#include <algorithm>

#include "app/shell/circuit_pictures.h"
#include "app/shared/form_registry.h"
#include "app/shell/frmAbout.h"
#include "app/shell/frmConfigApp.h"
#include "app/shell/frmStart.h"
#include "app/shared/mdlPublic.h"
#include <string>
#include "platform/dispatch.h"
#include "platform/msgbox.h"
#include "platform/strings.h"

using namespace mdlPublic;

frmMain::frmMain() : MainWindow("frmMain", platform::FormKind::MdiParent) {
    Move(600, 450, 12600, 9450);
    for (const auto& [key, picture] : app::drawCircuitPictures()) imlMain.add(key, picture);
    wireEvents();
}

frmMain& frmMain::instance() { return platform::defaultForm<frmMain>(); }

app::MainWindow& app::mainWindow() { return frmMain::instance(); }

void frmMain::wireEvents() {
    mnuFileNew.Click = [this] { mnuFileNew_Click(); };
    mnuFileExit.Click = [this] { mnuFileExit_Click(); };
}

void frmMain::setCaptions() {
    struct Caption {
        platform::MenuItem& item;
        int id;
    };
    const Caption captions[] = {{mnuFile, 5000}, {mnuFileNew, 5061}, {mnuFileExit, 5012}};
    for (const Caption& c : captions) c.item.setCaption(platform::LoadResString(c.id));
    view.setCaptions();
    option.setCaptions();
    help.setCaptions();
    setCaption(platform::LoadResString(5100));
}

// Large enough that either configuration form, maximized in it as it opens, shows every control;
// measured on the forms themselves, so the window follows their layout.
void frmMain::fitConfigForms() {
    int width = 0;
    int height = 0;
    for (const char* name : {"frmConfig", "frmConfig2"})
        if (const auto form = app::buildForm(name)) {
            width = std::max(width, form->controlsWidth());
            height = std::max(height, form->controlsHeight());
        }
    fitClientArea(width, height);
}

void frmMain::MDIForm_Load() {
    setCaptions();
    showPartnumType(partnumType());
    fitConfigForms();
    Show();
    if (GetAppSetting("StartDialog") == "0") {
        frmStart& start = platform::defaultForm<frmStart>();
        start.showStartupOption();
        start.Show(platform::Modal, this);
    } else {
        CurrentSim = SimCount;
        ShowConfigForm(std::stoi(GetAppSetting("SimType")), false);
    }
}

void frmMain::Form_Unload(int& cancel) {
    (void)cancel;
    MDIForm_Unload();
}

void frmMain::MDIForm_Unload() {
    // From the last loaded form down to the second; the main window itself is first.
    for (int i = platform::Forms().Count(); i >= 2; --i) {
        const platform::FormsCollection forms = platform::Forms();
        // An unloaded window may have closed others with it.
        if (i - 1 < forms.Count()) platform::Unload(forms(i - 1));
    }
}

void frmMain::showPartnumType(int t) {
    if (t == 0 || t == 1) view.tick(t);
}

void frmMain::mnuFileNew_Click() { platform::defaultForm<frmStart>().Show(platform::Modal, this); }

void frmMain::mnuFileExit_Click() { platform::End(); }

void frmMain::mnuOptConf_Click() { platform::defaultForm<frmConfigApp>().Show(platform::Modal, this); }

void frmMain::mnuHelpAbout_Click() { platform::defaultForm<frmAbout>().Show(platform::Modal, this); }

void frmMain::mnuHelpContents_Click() {
    try {
        dlgCommonDialog.HelpCommand = 3;
        dlgCommonDialog.HelpFile = ProgramFolder + PathSep + "vandore.html";
        dlgCommonDialog.ShowHelp();
    } catch (...) {
        const platform::RuntimeError e = platform::trappedError();
        platform::MsgBox("Unexpected Error " + std::to_string(e.number()) + "\n" + e.description(),
                         platform::MsgBoxOkOnly, "Vandor.frmMain.mnuHelpContents_Click");
    }
}
