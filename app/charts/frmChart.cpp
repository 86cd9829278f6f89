#include "app/charts/frmChart.h"

#include <string>

#include "app/shared/config_form.h"
#include "app/shared/form_registry.h"
#include "app/shared/mdlPublic.h"
#include "platform/canvas.h"
#include "platform/convert.h"
#include "platform/errors.h"

namespace {

constexpr int PictureLefts[] = {120, 3720, 7320};
constexpr int ZoomCaptionIds[] = {5073, 5074, 5075};
constexpr int ClipboardCaptionIds[] = {5069, 5070, 5071};
constexpr ResultWindow::Kind FilterWindow = {3, true, 11050, 3450, "frmConfig", "frmConfigRange",
                                             ZoomCaptionIds, ClipboardCaptionIds};

// The configuration form of the filter circuit, loaded if needed; nullptr while it is not
// registered (in a test), and while "SimType" names the differential pair, whose circuit it cannot load.
ConfigForm* filterConfigForm() {
    if (auto* open = dynamic_cast<ConfigForm*>(platform::Forms().byName("frmConfig"))) return open;
    if (mdlPublic::GetAppSetting("SimType") == "3") return nullptr;
    return dynamic_cast<ConfigForm*>(app::defaultFormByName("frmConfig"));
}

}  // namespace

frmChart::frmChart() : ResultWindow("frmChart", FilterWindow) {
    setClientSize(10935, 3045);
    for (int i = 0; i < 3; ++i) {
        platform::PictureBox& picture = picChart.add(i, *this, 3495, 2895);
        picture.Move(PictureLefts[i], 120);
        charts::setChartSpace(picture.canvas());
    }
    mnuChartCycle->Click = [this] { mnuChartCycle_Click(); };
    mnuChartrcCycle->Click = [this] { mnuChartCycle_Click(); };
}

frmChart::~frmChart() {
    if (mdlPublic::LastChart == this) mdlPublic::LastChart = nullptr;
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

void frmChart::drawChart(int index, std::int16_t sim, platform::Canvas& target) {
    switch (index) {
    case 0: DrawFreqChart(sim, target, false); break;
    case 1: DrawVoltageChart(sim, target, false); break;
    case 2: DrawSpectrumChart(sim, target, false); break;
    default: break;
    }
}

// --- Form events ---------------------------------------------------------------------------------

void frmChart::Form_Load() {
    FixFormSize();
    setMenuCaptions();
    showViewChecks();
    setWindowCaption();
    placeNewWindow(FilterWindow.normalHeight);
    ++mdlPublic::ChartCount;
    redrawCharts(mdlPublic::SimCount);
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

void frmChart::mnuChartCycle_Click() { switchCycle(); }

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
    // Only a test leaves the form unregistered; nothing is reviewed then.
    if (!app::formAvailable("frmConfig")) return;
    if (ConfigForm* config = filterConfigForm()) config->LoadConfig(n);
}
