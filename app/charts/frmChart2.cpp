#include "app/charts/frmChart2.h"

#include <string>

#include "app/shared/config_form.h"
#include "app/shared/form_registry.h"
#include "app/shared/mdlPublic.h"
#include "platform/canvas.h"
#include "platform/errors.h"
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
constexpr int ZoomCaptionIds[] = {5091, 5074, 5092, 5093, 5094};
constexpr int ClipboardCaptionIds[] = {5087, 5070, 5088, 5089, 5090};
constexpr ResultWindow::Kind DifferentialWindow = {frmChart2::ChartCountOfWindow, false, 11250, 6500, "frmConfig2",
                                                   "frmConfigRange2", ZoomCaptionIds, ClipboardCaptionIds};

// A bracket from the measuring-point chart to the sum and difference charts, and an arrow from
// the sum chart to its spectrum.
struct Segment {
    int x1, y1, x2, y2;
};
constexpr Segment Connectors[] = {{3600, 3067, 3720, 3067}, {3720, 1567, 3720, 4567}, {3720, 1567, 3840, 1567},
                                  {3720, 4567, 3840, 4567}, {7320, 1560, 7560, 1560}, {7560, 1560, 7440, 1440},
                                  {7560, 1560, 7440, 1680}};

}  // namespace

frmChart2::frmChart2() : ResultWindow("frmChart2", DifferentialWindow) {
    setClientSize(11130, 6105);
    chkFreqChart.setName("chkFreqChart");
    chkFreqChart.Move(120, 120, 3615, 375);
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
    chkFreqChart.Click = [this] { chkFreqChart_Click(); };
}

frmChart2::~frmChart2() {
    if (mdlPublic::LastChart2 == this) mdlPublic::LastChart2 = nullptr;
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

void frmChart2::drawChart(int index, std::int16_t sim, platform::Canvas& target) {
    switch (index) {
    case 0: DrawFreqChart(sim, target, false); break;
    case 1:
    case 2:
    case 3: DrawVoltageChart(sim, target, false, static_cast<std::int16_t>(index - 1)); break;
    case 4: DrawSpectrumChart(sim, target, false); break;
    default: break;
    }
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
    redrawCharts(mdlPublic::SimCount);
}

// --- Events --------------------------------------------------------------------------------------

void frmChart2::chkFreqChart_Click() {
    switch (chkFreqChart.Value()) {
    case 0: picChart(0).setVisible(false); break;
    case 1: picChart(0).setVisible(true); break;
    default: platform::stopProgram("frmChart2.chkFreqChart_Click: value " + std::to_string(chkFreqChart.Value()));
    }
}

void frmChart2::reviewSettings() {
    const std::int16_t n = readSimNumber();
    mdlPublic::saveAppSetting("SimType", "3");
    mdlPublic::ShowConfigForm(3, true);
    if (auto* config = dynamic_cast<ConfigForm*>(app::defaultFormByName("frmConfig2"))) config->LoadConfig(n);
}
