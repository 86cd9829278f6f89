#include "app/charts/frmChart.h"

#include "app/charts/frmWideChart.h"
#include "app/config/frmConfig.h"
#include "app/diffconfig/frmConfig2.h"
#include "app/shell/form_registry.h"
#include "app/shell/frmMain.h"
#include "app/shell/mdlPublic.h"
#include "platform/canvas.h"
#include "platform/convert.h"
#include "platform/dispatch.h"
#include "platform/errors.h"
#include "platform/printer.h"
#include "platform/strings.h"

namespace {

constexpr int PictureLefts[] = {120, 3720, 7320};
constexpr int NormalWidth = 11050;
constexpr int NormalHeight = 3450;

// The configuration form of the filter circuit, loaded if needed; nullptr while it is not part
// of the program, and while "SimType" names the differential pair, whose circuit it cannot load.
frmConfig* filterConfigForm() {
    if (frmConfig* open = platform::loadedForm<frmConfig>()) return open;
    if (mdlPublic::GetAppSetting("SimType") == "3") return nullptr;
    return dynamic_cast<frmConfig*>(app::defaultFormByName("frmConfig"));
}

}  // namespace

frmChart::frmChart() : ResultWindow("frmChart") {
    setClientSize(10935, 3045);
    picChart.setName("picChart");
    for (int i = 0; i < 3; ++i) {
        platform::PictureBox& picture = picChart.add(i, *this, 3495, 2895);
        picture.Move(PictureLefts[i], 120);
        charts::setChartSpace(picture.canvas());
    }
    mnuChartrc.setVisible(false);
    wireEvents();
}

frmChart::~frmChart() {
    if (mdlPublic::LastChart == this) mdlPublic::LastChart = nullptr;
}

void frmChart::wireEvents() {
    mnuFileNew.Click = [this] { mnuFileNew_Click(); };
    mnuFilePageSetup.Click = [this] { mnuFilePageSetup_Click(); };
    mnuFilePrint.Click = [this] { mnuFilePrint_Click(); };
    mnuFileExit.Click = [this] { mnuFileExit_Click(); };
    mnuViewCurrent.Click = [this] { mnuViewCurrent_Click(); };
    mnuViewOld.Click = [this] { mnuViewOld_Click(); };
    mnuSimConfReview.Click = [this] { mnuSimConfReview_Click(); };
    mnuSimFilconf.Click = [this] { mnuSimFilconf_Click(); };
    mnuChartScaleupIndex.Click = [this](int index) { mnuChartScaleupIndex_Click(index); };
    mnuChartRange.Click = [this] { mnuChartRange_Click(); };
    mnuChartCycle.Click = [this] { mnuChartCycle_Click(); };
    mnuChartClipboardIndex.Click = [this](int index) { mnuChartClipboardIndex_Click(index); };
    mnuOptConf.Click = [this] { mnuOptConf_Click(); };
    mnuWindowClose.Click = [this] { mnuWindowClose_Click(); };
    mnuHelpContents.Click = [this] { mnuHelpContents_Click(); };
    mnuHelpAbout.Click = [this] { mnuHelpAbout_Click(); };
    mnuChartrcReview.Click = [this] { mnuSimConfReview_Click(); };
    mnuChartrcScaleup.Click = [this] { mnuChartrcScaleup_Click(); };
    mnuChartrcRange.Click = [this] { mnuChartRange_Click(); };
    mnuChartrcCycle.Click = [this] { mnuChartCycle_Click(); };
    mnuChartrcClipboard.Click = [this] { mnuChartrcClipboard_Click(); };
    picChart.MouseUp = [this](int index, int button, int shift, float x, float y) {
        picChart_MouseUp(index, button, shift, x, y);
    };
}

// --- Public chart procedures ---------------------------------------------------------------------

void frmChart::DrawFreqChart(std::int16_t sim, platform::Canvas& target, bool monochrome) {
    drawTrapped("DrawFreqChart", target, [&](const charts::ChartTarget& t) { charts_.DrawFreqChart(t, sim, monochrome); });
}

void frmChart::DrawVoltageChart(std::int16_t sim, platform::Canvas& target, bool monochrome) {
    drawTrapped("DrawVoltageChart", target,
                [&](const charts::ChartTarget& t) { charts_.DrawVoltageChart(t, sim, monochrome); });
}

void frmChart::DrawSpectrumChart(std::int16_t sim, platform::Canvas& target, bool monochrome) {
    drawTrapped("DrawSpectrumChart", target,
                [&](const charts::ChartTarget& t) { charts_.DrawSpectrumChart(t, sim, monochrome); });
}

charts::TargetKind frmChart::targetKind(const platform::Canvas& target) {
    if (&target == &platform::Printer) return charts::TargetKind::Printer;
    if (frmWideChart::isZoomPicture(target)) return charts::TargetKind::ZoomPicture;
    for (int i = 0; i < 3; ++i)
        if (&target == &picChart(i).canvas()) return charts::TargetKind::OwnPicture;
    return charts::TargetKind::OtherPicture;
}

void frmChart::drawTrapped(const char* procedure, platform::Canvas& target,
                           const std::function<void(const charts::ChartTarget&)>& draw) {
    const charts::TargetKind kind = targetKind(target);
    try {
        draw({target, kind});
    } catch (...) {
        const platform::RuntimeError error = platform::trappedError();
        platform::showErrorBox(std::string("Vandor.frmChart.") + procedure, error);
        // A broken chart in the window itself makes the window useless; a failed zoom or print
        // leaves the window as it was. Unload defers the deletion past the running handlers.
        if (kind == charts::TargetKind::OwnPicture) platform::Unload(*this);
    }
}

// --- Form events ---------------------------------------------------------------------------------

void frmChart::Form_Load() {
    FixFormSize();
    setMenuCaptions();
    showViewChecks();
    setWindowCaption();
    placeNewWindow(NormalHeight);
    ++mdlPublic::ChartCount;

    const std::int16_t sim = mdlPublic::SimCount;
    DrawFreqChart(sim, picChart(0).canvas(), false);
    // A chart that failed has closed the window; the others are not drawn then.
    if (isLoaded()) DrawVoltageChart(sim, picChart(1).canvas(), false);
    if (isLoaded()) DrawSpectrumChart(sim, picChart(2).canvas(), false);
}

void frmChart::Form_Activate() { showViewChecks(); }

void frmChart::Form_Resize() { FixFormSize(); }

void frmChart::Form_QueryUnload(int&, int) {
    try {
        Hide();
    } catch (...) {
        platform::showErrorBox("Vandor.frmChart.Form_QueryUnload", platform::trappedError());
    }
}

void frmChart::Form_Unload(int&) { countOut(); }

void frmChart::FixFormSize() {
    // A normal window keeps its design size; setting it runs Form_Resize again.
    if (WindowState() != platform::StateNormal || fixingSize_) return;
    fixingSize_ = true;
    setWidth(NormalWidth);
    setHeight(NormalHeight);
    fixingSize_ = false;
}

void frmChart::setMenuCaptions() {
    struct Caption {
        platform::MenuItem& item;
        int id;
    };
    const Caption captions[] = {
        {mnuFile, 5000},          {mnuFileNew, 5061},        {mnuFilePageSetup, 5008}, {mnuFilePrint, 5010},
        {mnuFileExit, 5012},      {mnuView, 5082},           {mnuViewCurrent, 5083},   {mnuViewOld, 5084},
        {mnuSim, 5060},           {mnuSimConfReview, 5065},  {mnuSimFilconf, 5062},    {mnuChart, 5064},
        {mnuChartScaleup, 5066},  {mnuChartRange, 5067},     {mnuChartCycle, 5072},    {mnuChartClipboard, 5068},
        {mnuOpt, 5080},           {mnuOptConf, 5081},        {mnuWindow, 5018},        {mnuWindowClose, 5086},
        {mnuHelp, 5024},          {mnuHelpContents, 5025},   {mnuHelpAbout, 5027},     {mnuChartrcReview, 5065},
        {mnuChartrcScaleup, 5076}, {mnuChartrcRange, 5067},  {mnuChartrcCycle, 5072},  {mnuChartrcClipboard, 5068},
    };
    for (const Caption& c : captions) c.item.setCaption(platform::LoadResString(c.id));
    for (int i = 0; i < 3; ++i) {
        mnuChartScaleupIndex(i).setCaption(platform::LoadResString(5073 + i));
        mnuChartClipboardIndex(i).setCaption(platform::LoadResString(5069 + i));
    }
    // Dialogs that are not part of the program yet stay unreachable rather than failing.
    const bool rangeDialog = app::formAvailable("frmConfigRange");
    mnuChartRange.setEnabled(rangeDialog);
    mnuChartrcRange.setEnabled(rangeDialog);
    mnuFilePrint.setEnabled(app::formAvailable("frmConfigPrint"));
    mnuSimFilconf.setEnabled(app::formAvailable("frmConfig") && app::formAvailable("frmSelectFil"));
    mnuWindowClose.setEnabled(app::formAvailable("frmConfig"));
}

void frmChart::showViewChecks() {
    const bool global = mdlPublic::GetAppSetting("PartnumType") == "0";
    mnuViewCurrent.setChecked(global);
    mnuViewOld.setChecked(!global);
}

void frmChart::setWindowCaption() {
    const SimConfigRecord& config = charts::simConfig(mdlPublic::SimCount);
    const std::string simType = mdlPublic::GetAppSetting("SimType");
    std::string parts;
    if (simType == "0")
        parts = config.PartNum[0];
    else if (simType == "1" || simType == "2")
        parts = config.PartNum[0] + "+" + config.PartNum[1];
    else
        platform::stopProgram("frmChart.Form_Load: SimType " + simType);
    setCaption(mdlPublic::chartCaption(mdlPublic::SimCount, parts, config.ClockFreq));
}

// --- Menus ---------------------------------------------------------------------------------------

void frmChart::mnuFileNew_Click() { frmMain::instance().mnuFileNew_Click(); }

void frmChart::mnuFilePageSetup_Click() {
    try {
        CommonDialog& dialog = frmMain::instance().dlgCommonDialog;
        // No selection, no page range, copies kept by the driver, no print-to-file box.
        dialog.Flags = 0x14000C;
        // The choice becomes the printer every later print run uses.
        dialog.PrinterDefault = true;
        dialog.ShowPrinter();
    } catch (...) {
        platform::showErrorBox("Vandor.frmChart.mnuFilePageSetup_Click", platform::trappedError());
    }
}

void frmChart::mnuFilePrint_Click() {
    readSimNumber();
    showDialog("frmConfigPrint");
}

void frmChart::mnuFileExit_Click() { frmMain::instance().mnuFileExit_Click(); }

void frmChart::mnuViewCurrent_Click() {
    mdlPublic::SetPartnumType(0);
    mnuViewCurrent.setChecked(true);
    mnuViewOld.setChecked(false);
}

void frmChart::mnuViewOld_Click() {
    mdlPublic::SetPartnumType(1);
    mnuViewCurrent.setChecked(false);
    mnuViewOld.setChecked(true);
}

void frmChart::mnuSimConfReview_Click() { reviewSettings(); }

void frmChart::mnuSimFilconf_Click() {
    readSimNumber();
    if (frmConfig* config = filterConfigForm()) config->mnuSimFilconf_Click();
}

void frmChart::mnuChartScaleupIndex_Click(int index) {
    ShowScaleup(static_cast<std::int16_t>(index), readSimNumber());
}

void frmChart::mnuChartRange_Click() {
    readSimNumber();
    showDialog("frmConfigRange");
}

void frmChart::mnuChartCycle_Click() { switchCycle(); }

void frmChart::mnuChartClipboardIndex_Click(int index) { copyToClipboard(picChart(index)); }

void frmChart::mnuOptConf_Click() { frmMain::instance().mnuOptConf_Click(); }

void frmChart::mnuWindowClose_Click() {
    // Through the open configuration form, which disables its own item; none is loaded for this.
    if (frmConfig* config = platform::loadedForm<frmConfig>())
        config->mnuWindowClose_Click();
    else if (frmConfig2* config2 = platform::loadedForm<frmConfig2>())
        config2->mnuWindowClose_Click();
    else
        frmConfig2::closeChartWindows();
}

void frmChart::mnuHelpContents_Click() { frmMain::instance().mnuHelpContents_Click(); }

void frmChart::mnuHelpAbout_Click() { frmMain::instance().mnuHelpAbout_Click(); }

void frmChart::mnuChartrcScaleup_Click() {
    if (mdlPublic::ChartPicIndex < 0 || mdlPublic::ChartPicIndex > 2)
        platform::stopProgram("frmChart.mnuChartrcScaleup_Click: ChartPicIndex " + std::to_string(mdlPublic::ChartPicIndex));
    ShowScaleup(mdlPublic::ChartPicIndex, mdlPublic::CurrentSim);
}

void frmChart::mnuChartrcClipboard_Click() { copyToClipboard(picChart(mdlPublic::ChartPicIndex)); }

void frmChart::picChart_MouseUp(int index, int button, int, float, float) {
    if (button != platform::PictureBox::RightButton) return;
    readSimNumber();
    mdlPublic::ChartPicIndex = static_cast<std::int16_t>(index);
    picChart(index).SetFocus();
    PopupMenu(mnuChartrc);
}

// --- Helpers -------------------------------------------------------------------------------------

void frmChart::ShowScaleup(std::int16_t index, std::int16_t sim) {
    // A fresh zoom window for every zoom, so its picture starts empty.
    frmWideChart& wide = platform::Load<frmWideChart>();
    switch (index) {
    case 0: DrawFreqChart(mdlPublic::CurrentSim, wide.chartCanvas(), false); break;
    case 1: DrawVoltageChart(sim, wide.chartCanvas(), false); break;
    case 2: DrawSpectrumChart(sim, wide.chartCanvas(), false); break;
    default: break;
    }
    wide.Show(platform::Modal);
}

void frmChart::switchCycle() {
    const std::int16_t n = readSimNumber();
    SimConfigRecord& config = mdlPublic::SimConfigs[static_cast<std::size_t>(n)];
    config.Cycles = config.Cycles == 1 ? 2 : 1;
    config.TimeMax = charts::toSingle(config.Cycles / (static_cast<double>(platform::CSng(config.ClockFreq)) * 1e6));
    DrawVoltageChart(n, picChart(1).canvas(), false);
}

void frmChart::reviewSettings() {
    const std::int16_t n = readSimNumber();
    const std::int16_t simType = mdlPublic::SimConfigs[static_cast<std::size_t>(n)].SimType;
    mdlPublic::saveAppSetting("SimType", std::to_string(simType));
    mdlPublic::ShowConfigForm(simType, true);
    // ShowConfigForm has told the user when the form is not part of the program.
    if (!app::formAvailable("frmConfig")) return;
    if (frmConfig* config = filterConfigForm()) config->LoadConfig(n);
}

void frmChart::showDialog(const std::string& name) {
    if (platform::Form* dialog = app::defaultFormByName(name)) dialog->Show(platform::Modal);
}
