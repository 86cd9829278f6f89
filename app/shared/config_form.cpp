#include "app/shared/config_form.h"

#include "app/shared/chart_window.h"
#include "app/shared/form_registry.h"
#include "app/shared/frmTransFigure.h"
#include "app/shared/shared_checks.h"
#include "app/shared/mdlPublic.h"
#include "platform/convert.h"
#include "platform/msgbox.h"
#include "platform/strings.h"

using namespace mdlPublic;

ConfigFormBase::ConfigFormBase(std::string name, std::string lineFigure)
    : ConfigForm(std::move(name)), lineFigure_(std::move(lineFigure)) {}

platform::MenuItem* ConfigFormBase::menuByName(const std::string& name) {
    const std::pair<platform::MenuItem*, const char*> items[] = {
        {&mnuFile, "mnuFile"}, {&mnuFileNew, "mnuFileNew"}, {&mnuFileExit, "mnuFileExit"},
        {&view.mnuView, "mnuView"}, {&view.mnuViewCurrent, "mnuViewCurrent"}, {&view.mnuViewOld, "mnuViewOld"},
        {&mnuSim, "mnuSim"}, {&mnuSimFilconf, "mnuSimFilconf"}, {&mnuSimStart, "mnuSimStart"},
        {&option.mnuOpt, "mnuOpt"}, {&option.mnuOptConf, "mnuOptConf"}, {&mnuWindow, "mnuWindow"},
        {&mnuWindowClose, "mnuWindowClose"}, {&help.mnuHelp, "mnuHelp"}, {&help.mnuHelpContents, "mnuHelpContents"},
        {&help.mnuHelpAbout, "mnuHelpAbout"},
    };
    for (const auto& [item, itemName] : items)
        if (name == itemName) return item;
    return nullptr;
}

void ConfigFormBase::setMenuCaptions(int windowCloseCaption) {
    const std::pair<platform::MenuItem*, int> menus[] = {
        {&mnuFile, 5000},      {&mnuFileNew, 5061},    {&mnuFileExit, 5012}, {&mnuSim, 5060},
        {&mnuSimFilconf, 5062}, {&mnuSimStart, 5063},  {&mnuWindow, 5018},   {&mnuWindowClose, windowCloseCaption},
    };
    for (const auto& [item, id] : menus) item->setCaption(platform::LoadResString(id));
    view.setCaptions();
    option.setCaptions();
    help.setCaptions();
}

void ConfigFormBase::wireMenus() {
    app::forwardFileMenu(mnuFileNew, mnuFileExit);
    mnuSimFilconf.Click = [this] { mnuSimFilconf_Click(); };
    mnuSimStart.Click = [this] { mnuSimStart_Click(); };
    mnuWindowClose.Click = [this] { mnuWindowClose_Click(); };
}

void ConfigFormBase::enableAtLoad(platform::Control& selectButton) {
    // Unavailable only in a test that leaves the chooser unregistered.
    const bool chooser = app::formAvailable("frmSelectFil");
    selectButton.setEnabled(chooser);
    mnuSimFilconf.setEnabled(chooser);
    mnuWindowClose.setEnabled(ChartCount > 0);
}

void ConfigFormBase::Form_Activate() {
    view.tick(partnumType());
    // The result windows close on their own: whether one is left is looked at as the form comes back.
    mnuWindowClose.setEnabled(ChartCount > 0);
}

void ConfigFormBase::Form_QueryUnload(int& cancel, int unloadMode) {
    (void)cancel;
    (void)unloadMode;
    Hide();
}

void ConfigForm::closeChartWindows() {
    // The result windows and the two helpers.
    unloadForms<app::ClosesWithCharts>();
}

void ConfigFormBase::cmdFigure_Click() {
    frmTransFigure& figure = platform::defaultForm<frmTransFigure>();
    figure.setFigure(lineFigure_);
    SetTopMost(figure, 1);
}

bool ConfigFormBase::startNextSimulation() {
    if (!CheckConfig() || !hasRunner()) return false;
    StartSimulation(SimCount);
    // A failed run uses up its number; the refused 101st start does not count on.
    if (SimCount < MaxSims) ++SimCount;
    return true;
}

void ConfigFormBase::cmdSimulation_Click() {
    if (startNextSimulation()) mnuWindowClose.setEnabled(true);
}

void ConfigFormBase::mnuSimStart_Click() { startNextSimulation(); }

bool ConfigFormBase::linePositive(const platform::ControlArray<platform::TextBox>& boxes, int count, int message) {
    for (int k = 0; k < count; ++k) {
        const std::string text = boxes(k).Text();
        if (!checks::isLineNumber(text) || checks::lineNumber(text) <= 0) return app::refuse(message);
    }
    return true;
}
