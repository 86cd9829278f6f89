#include "app/charts/frmChart2.h"

#include "app/charts/frmWideChart.h"
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

struct Place {
    int left, top;
};
// picChart(0) choke impedance (hidden until asked for), 1 measuring point, 2 sum, 3 difference,
// 4 spectrum of the sum.
constexpr Place PicturePlaces[] = {{7560, 3120}, {120, 1620}, {3840, 120}, {3840, 3120}, {7560, 120}};
constexpr int PictureWidth = 3495;
constexpr int PictureHeight = 2895;
constexpr int NormalWidth = 11250;
constexpr int NormalHeight = 6500;

// A bracket from the measuring-point chart to the sum and difference charts, and an arrow from
// the sum chart to its spectrum.
struct Segment {
    int x1, y1, x2, y2;
};
constexpr Segment Connectors[] = {{3600, 3067, 3720, 3067}, {3720, 1567, 3720, 4567}, {3720, 1567, 3840, 1567},
                                  {3720, 4567, 3840, 4567}, {7320, 1560, 7560, 1560}, {7560, 1560, 7440, 1440},
                                  {7560, 1560, 7440, 1680}};

frmConfig2* diffConfigForm() { return dynamic_cast<frmConfig2*>(app::defaultFormByName("frmConfig2")); }

}  // namespace

frmChart2::frmChart2() : ResultWindow("frmChart2") {
    setClientSize(11130, 6105);
    chkFreqChart.setName("chkFreqChart");
    chkFreqChart.Move(120, 120, 3615, 375);
    picChart.setName("picChart");
    for (int i = 0; i < ChartCountOfWindow; ++i) {
        platform::PictureBox& picture = picChart.add(i, *this, PictureWidth, PictureHeight);
        picture.Move(PicturePlaces[i].left, PicturePlaces[i].top);
        charts::setChartSpace(picture.canvas());
    }
    picChart(0).setVisible(false);
    lineConnector.setName("Line");
    for (int i = 0; i < static_cast<int>(std::size(Connectors)); ++i) {
        const Segment& s = Connectors[i];
        lineConnector.add(i + 1, *this, s.x1, s.y1, s.x2, s.y2);
    }
    mnuChartrc.setVisible(false);
    wireEvents();
}

frmChart2::~frmChart2() {
    if (mdlPublic::LastChart2 == this) mdlPublic::LastChart2 = nullptr;
}

void frmChart2::wireEvents() {
    chkFreqChart.Click = [this] { chkFreqChart_Click(); };
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
    mnuChartClipboardIndex.Click = [this](int index) { mnuChartClipboardIndex_Click(index); };
    mnuOptConf.Click = [this] { mnuOptConf_Click(); };
    mnuWindowClose.Click = [this] { mnuWindowClose_Click(); };
    mnuHelpContents.Click = [this] { mnuHelpContents_Click(); };
    mnuHelpAbout.Click = [this] { mnuHelpAbout_Click(); };
    mnuChartrcReview.Click = [this] { mnuSimConfReview_Click(); };
    mnuChartrcScaleup.Click = [this] { mnuChartrcScaleup_Click(); };
    mnuChartrcRange.Click = [this] { mnuChartRange_Click(); };
    mnuChartrcClipboard.Click = [this] { mnuChartrcClipboard_Click(); };
    picChart.MouseUp = [this](int index, int button, int shift, float x, float y) {
        picChart_MouseUp(index, button, shift, x, y);
    };
}

// --- Public chart procedures ---------------------------------------------------------------------

void frmChart2::DrawFreqChart(std::int16_t sim, platform::Canvas& target, bool monochrome) {
    drawTrapped("DrawFreqChart", target, [&](const charts::ChartTarget& t) { charts_.DrawFreqChart(t, sim, monochrome); });
}

void frmChart2::DrawVoltageChart(std::int16_t sim, platform::Canvas& target, bool monochrome, std::int16_t index) {
    drawTrapped("DrawVoltageChart", target,
                [&](const charts::ChartTarget& t) { charts_.DrawVoltageChart(t, sim, monochrome, index); });
}

void frmChart2::DrawSpectrumChart(std::int16_t sim, platform::Canvas& target, bool monochrome) {
    drawTrapped("DrawSpectrumChart", target,
                [&](const charts::ChartTarget& t) { charts_.DrawSpectrumChart(t, sim, monochrome); });
}

void frmChart2::redrawCharts(std::int16_t sim) {
    DrawFreqChart(sim, picChart(0).canvas(), false);
    for (std::int16_t index = 0; index < 3 && isLoaded(); ++index)
        DrawVoltageChart(sim, picChart(index + 1).canvas(), false, index);
    if (isLoaded()) DrawSpectrumChart(sim, picChart(4).canvas(), false);
}

charts::TargetKind frmChart2::targetKind(const platform::Canvas& target) {
    if (&target == &platform::Printer) return charts::TargetKind::Printer;
    if (frmWideChart::isZoomPicture(target)) return charts::TargetKind::ZoomPicture;
    for (int i = 0; i < ChartCountOfWindow; ++i)
        if (&target == &picChart(i).canvas()) return charts::TargetKind::OwnPicture;
    return charts::TargetKind::OtherPicture;
}

void frmChart2::drawTrapped(const char* procedure, platform::Canvas& target,
                            const std::function<void(const charts::ChartTarget&)>& draw) {
    const charts::TargetKind kind = targetKind(target);
    try {
        draw({target, kind});
    } catch (...) {
        const platform::RuntimeError error = platform::trappedError();
        platform::showErrorBox(std::string("Vandor.frmChart2.") + procedure, error);
        // A broken chart in the window itself makes the window useless; a failed zoom or print
        // leaves the window as it was.
        if (kind == charts::TargetKind::OwnPicture) platform::Unload(*this);
    }
}

platform::MenuItem* frmChart2::menuByName(const std::string& name) {
    const std::pair<platform::MenuItem*, const char*> items[] = {
        {&mnuFileNew, "mnuFileNew"},         {&mnuFilePageSetup, "mnuFilePageSetup"},
        {&mnuFilePrint, "mnuFilePrint"},     {&mnuFileExit, "mnuFileExit"},
        {&mnuViewCurrent, "mnuViewCurrent"}, {&mnuViewOld, "mnuViewOld"},
        {&mnuSimConfReview, "mnuSimConfReview"}, {&mnuSimFilconf, "mnuSimFilconf"},
        {&mnuChartScaleup, "mnuChartScaleup"}, {&mnuChartRange, "mnuChartRange"},
        {&mnuChartClipboard, "mnuChartClipboard"}, {&mnuOptConf, "mnuOptConf"},
        {&mnuWindowClose, "mnuWindowClose"}, {&mnuHelpContents, "mnuHelpContents"},
        {&mnuHelpAbout, "mnuHelpAbout"},     {&mnuChartrc, "mnuChartrc"},
        {&mnuChartrcReview, "mnuChartrcReview"}, {&mnuChartrcScaleup, "mnuChartrcScaleup"},
        {&mnuChartrcRange, "mnuChartrcRange"}, {&mnuChartrcClipboard, "mnuChartrcClipboard"},
    };
    for (const auto& [item, itemName] : items)
        if (name == itemName) return item;
    if (name.rfind("mnuChartScaleupIndex", 0) == 0 || name.rfind("mnuChartClipboardIndex", 0) == 0) {
        const bool zoom = name.rfind("mnuChartScaleupIndex", 0) == 0;
        const std::string rest = name.substr(zoom ? 20 : 22);
        if (rest.size() == 3 && rest[0] == '(' && rest[2] == ')' && rest[1] >= '0' && rest[1] <= '4')
            return &(zoom ? mnuChartScaleupIndex : mnuChartClipboardIndex)(rest[1] - '0');
    }
    return nullptr;
}

// --- Form events ---------------------------------------------------------------------------------

void frmChart2::Form_Load() {
    FixFormSize();
    setMenuCaptions();
    showViewChecks();
    const SimConfig2Record& config = charts::simConfig2(mdlPublic::SimCount);
    setCaption(mdlPublic::chartCaption(mdlPublic::SimCount, config.PartNum, config.ClockFreq));
    chkFreqChart.setCaption(platform::LoadResString(6909) + "\n" + platform::LoadResString(6910));
    // The first window at the top left, every later one at a pseudo-random left.
    placeNewWindow(-1);
    ++mdlPublic::ChartCount;

    // A chart that failed has closed the window; the others are not drawn then.
    redrawCharts(mdlPublic::SimCount);
}

void frmChart2::Form_Activate() { showViewChecks(); }

void frmChart2::Form_Resize() { FixFormSize(); }

void frmChart2::Form_QueryUnload(int&, int) { Hide(); }

void frmChart2::Form_Unload(int&) { countOut(); }

void frmChart2::FixFormSize() {
    if (WindowState() != platform::StateNormal || fixingSize_) return;
    fixingSize_ = true;
    setWidth(NormalWidth);
    setHeight(NormalHeight);
    fixingSize_ = false;
}

void frmChart2::setMenuCaptions() {
    struct Caption {
        platform::MenuItem& item;
        int id;
    };
    const Caption captions[] = {
        {mnuFile, 5000},          {mnuFileNew, 5061},        {mnuFilePageSetup, 5008}, {mnuFilePrint, 5010},
        {mnuFileExit, 5012},      {mnuView, 5082},           {mnuViewCurrent, 5083},   {mnuViewOld, 5084},
        {mnuSim, 5060},           {mnuSimConfReview, 5065},  {mnuSimFilconf, 5062},    {mnuChart, 5064},
        {mnuChartScaleup, 5066},  {mnuChartRange, 5067},     {mnuChartClipboard, 5068}, {mnuOpt, 5080},
        {mnuOptConf, 5081},       {mnuWindow, 5018},         {mnuWindowClose, 5086},   {mnuHelp, 5024},
        {mnuHelpContents, 5025},  {mnuHelpAbout, 5027},      {mnuChartrcReview, 5065}, {mnuChartrcScaleup, 5076},
        {mnuChartrcRange, 5067},  {mnuChartrcClipboard, 5068},
    };
    for (const Caption& c : captions) c.item.setCaption(platform::LoadResString(c.id));
    static constexpr int ZoomIds[] = {5091, 5074, 5092, 5093, 5094};
    static constexpr int ClipboardIds[] = {5087, 5070, 5088, 5089, 5090};
    for (int i = 0; i < ChartCountOfWindow; ++i) {
        mnuChartScaleupIndex(i).setCaption(platform::LoadResString(ZoomIds[i]));
        mnuChartClipboardIndex(i).setCaption(platform::LoadResString(ClipboardIds[i]));
    }
    // Dialogs that are not part of the program yet stay unreachable rather than failing.
    const bool rangeDialog = app::formAvailable("frmConfigRange2");
    mnuChartRange.setEnabled(rangeDialog);
    mnuChartrcRange.setEnabled(rangeDialog);
    mnuFilePrint.setEnabled(app::formAvailable("frmConfigPrint"));
    mnuSimFilconf.setEnabled(app::formAvailable("frmConfig2") && app::formAvailable("frmSelectFil"));
    mnuWindowClose.setEnabled(app::formAvailable("frmConfig2"));
}

void frmChart2::showViewChecks() {
    const bool global = mdlPublic::GetAppSetting("PartnumType") == "0";
    mnuViewCurrent.setChecked(global);
    mnuViewOld.setChecked(!global);
}

// --- Events --------------------------------------------------------------------------------------

void frmChart2::chkFreqChart_Click() {
    switch (chkFreqChart.Value()) {
    case 0: picChart(0).setVisible(false); break;
    case 1: picChart(0).setVisible(true); break;
    default: platform::stopProgram("frmChart2.chkFreqChart_Click: value " + std::to_string(chkFreqChart.Value()));
    }
}

void frmChart2::mnuFileNew_Click() { frmMain::instance().mnuFileNew_Click(); }

void frmChart2::mnuFilePageSetup_Click() {
    try {
        CommonDialog& dialog = frmMain::instance().dlgCommonDialog;
        dialog.Flags = 0x14000C;
        dialog.PrinterDefault = true;
        dialog.ShowPrinter();
    } catch (...) {
        platform::showErrorBox("Vandor.frmChart2.mnuFilePageSetup_Click", platform::trappedError());
    }
}

void frmChart2::mnuFilePrint_Click() {
    readSimNumber();
    showDialog("frmConfigPrint");
}

void frmChart2::mnuFileExit_Click() { frmMain::instance().mnuFileExit_Click(); }

void frmChart2::mnuViewCurrent_Click() {
    mdlPublic::SetPartnumType(0);
    mnuViewCurrent.setChecked(true);
    mnuViewOld.setChecked(false);
}

void frmChart2::mnuViewOld_Click() {
    mdlPublic::SetPartnumType(1);
    mnuViewCurrent.setChecked(false);
    mnuViewOld.setChecked(true);
}

void frmChart2::mnuSimConfReview_Click() { reviewSettings(); }

void frmChart2::mnuSimFilconf_Click() {
    readSimNumber();
    if (frmConfig2* config = diffConfigForm()) config->mnuSimFilconf_Click();
}

void frmChart2::mnuChartScaleupIndex_Click(int index) { ShowScaleup(static_cast<std::int16_t>(index), readSimNumber()); }

void frmChart2::mnuChartRange_Click() {
    readSimNumber();
    showDialog("frmConfigRange2");
}

void frmChart2::mnuChartClipboardIndex_Click(int index) { copyToClipboard(picChart(index)); }

void frmChart2::mnuOptConf_Click() { frmMain::instance().mnuOptConf_Click(); }

void frmChart2::mnuWindowClose_Click() {
    if (frmConfig2* config = diffConfigForm()) config->mnuWindowClose_Click();
}

void frmChart2::mnuHelpContents_Click() { frmMain::instance().mnuHelpContents_Click(); }

void frmChart2::mnuHelpAbout_Click() { frmMain::instance().mnuHelpAbout_Click(); }

void frmChart2::mnuChartrcScaleup_Click() {
    if (mdlPublic::ChartPicIndex < 0 || mdlPublic::ChartPicIndex >= ChartCountOfWindow)
        platform::stopProgram("frmChart2.mnuChartrcScaleup_Click: ChartPicIndex " + std::to_string(mdlPublic::ChartPicIndex));
    ShowScaleup(mdlPublic::ChartPicIndex, mdlPublic::CurrentSim);
}

void frmChart2::mnuChartrcClipboard_Click() { copyToClipboard(picChart(mdlPublic::ChartPicIndex)); }

void frmChart2::picChart_MouseUp(int index, int button, int, float, float) {
    if (button != platform::PictureBox::RightButton) return;
    readSimNumber();
    mdlPublic::ChartPicIndex = static_cast<std::int16_t>(index);
    picChart(index).SetFocus();
    PopupMenu(mnuChartrc);
}

// --- Helpers -------------------------------------------------------------------------------------

void frmChart2::ShowScaleup(std::int16_t index, std::int16_t sim) {
    frmWideChart& wide = platform::Load<frmWideChart>();
    switch (index) {
    case 0: DrawFreqChart(mdlPublic::CurrentSim, wide.chartCanvas(), false); break;
    case 1:
    case 2:
    case 3: DrawVoltageChart(sim, wide.chartCanvas(), false, static_cast<std::int16_t>(index - 1)); break;
    case 4: DrawSpectrumChart(sim, wide.chartCanvas(), false); break;
    default: break;
    }
    wide.Show(platform::Modal);
}

void frmChart2::reviewSettings() {
    const std::int16_t n = readSimNumber();
    mdlPublic::saveAppSetting("SimType", "3");
    mdlPublic::ShowConfigForm(3, true);
    // ShowConfigForm has told the user when the form is not part of the program.
    if (!app::formAvailable("frmConfig2")) return;
    if (frmConfig2* config = diffConfigForm()) config->LoadConfig(n);
}

void frmChart2::showDialog(const std::string& name) {
    if (platform::Form* dialog = app::defaultFormByName(name)) dialog->Show(platform::Modal);
}
