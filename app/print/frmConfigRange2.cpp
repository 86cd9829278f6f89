#include "app/print/frmConfigRange2.h"

#include <array>
#include <cstdint>
#include <string>

#include "app/drawing/chart_primitives.h"
#include "app/drawing/diff_charts.h"
#include "app/charts/frmChart2.h"
#include "app/shared/button_placement.h"
#include "app/shared/mdlPublic.h"
#include "platform/convert.h"
#include "platform/screen.h"
#include "platform/strings.h"

namespace {

constexpr int VoltageCharts = 3;
constexpr int SpectrumFrame = 4;
constexpr int SpectrumBoxes = 3;
// The charts cannot tell voltages closer than this apart.
constexpr double SmallestVoltSpan = 1e-6;

struct FramePlace {
    int left, top, width, height;
};
// The middle column is wide enough for "Voltage-Waveform(V+ - V-)" in the platform font; the right
// column and the window grow with it.
constexpr FramePlace FramePlaces[] = {
    {5400, 2040, 2535, 1695}, {120, 1080, 2295, 1815}, {2520, 120, 2760, 1815},
    {2520, 2040, 2760, 1815}, {5400, 120, 2295, 1095},
};

}  // namespace

using ranges::refuse;

frmConfigRange2::frmConfigRange2() : Form("frmConfigRange2") {
    setClientSize(8010, 4455);
    fraChartRange.setName("fraChartRange");
    lblFrom.setName("lblFrom");
    lblFrom2.setName("lblFrom2");
    lblTo.setName("lblTo");
    lblMin.setName("lblMin");
    lblMax.setName("lblMax");
    txtFrom.setName("txtFrom");
    txtTo.setName("txtTo");
    txtMin.setName("txtMin");
    txtMax.setName("txtMax");

    // Created in tab order: the decades, the three voltage charts' boxes, the spectrum's, the buttons.
    for (int f = 0; f <= SpectrumFrame; ++f) {
        const FramePlace& p = FramePlaces[f];
        fraChartRange.add(f, *this).Move(p.left, p.top, p.width, p.height);
    }
    decades_ = std::make_unique<ranges::DecadeChoice>(fraChartRange(0));
    for (int k = 0; k < VoltageCharts; ++k) {
        platform::Frame& frame = fraChartRange(k + 1);
        // Each caption is created before its value: call arguments have no set order.
        platform::Label& from = lblFrom.add(k, frame, ranges::WaveformRows[0]);
        ranges::placeRow(from, lblFrom2.add(k, frame, "0"), 0);
        platform::Label& to = lblTo.add(k, frame, ranges::WaveformRows[1]);
        ranges::placeRow(to, txtTo.add(k, frame), 1);
        platform::Label& min = lblMin.add(k, frame, ranges::WaveformRows[2]);
        ranges::placeRow(min, txtMin.add(k, frame), 2);
        platform::Label& max = lblMax.add(k, frame, ranges::WaveformRows[3]);
        ranges::placeRow(max, txtMax.add(k, frame), 3);
    }
    // One end time for the three waveform charts: only the first box takes it.
    txtTo(1).setEnabled(false);
    txtTo(2).setEnabled(false);
    ranges::addSpectrumRows(fraChartRange(SpectrumFrame), SpectrumBoxes, lblFrom, txtFrom, lblTo, txtTo);

    cmdOk = std::make_unique<platform::CommandButton>(*this);
    app::placeOkButton(*cmdOk, 2520, 3960, 2760);
    cmdCancel = std::make_unique<platform::CommandButton>(*this);
    app::placeCancelButton(*cmdCancel, 5400, 3960, 2535);

    txtFrom.GotFocus = [this](int index) { ranges::selectAll(txtFrom(index)); };
    txtTo.GotFocus = [this](int index) { ranges::selectAll(txtTo(index)); };
    txtMin.GotFocus = [this](int index) { ranges::selectAll(txtMin(index)); };
    txtMax.GotFocus = [this](int index) { ranges::selectAll(txtMax(index)); };
    txtTo.Change = [this](int index) { txtTo_Change(index); };
    cmdOk->Click = [this] { cmdOk_Click(); };
    cmdCancel->Click = [this] { cmdCancel_Click(); };
}

void frmConfigRange2::Form_Load() {
    setCaption(platform::LoadResString(7000));
    fraChartRange(0).setCaption(platform::LoadResString(6901));
    fraChartRange(1).setCaption(platform::LoadResString(6902));
    fraChartRange(2).setCaption(platform::LoadResString(6902) + "(V+ + V-)");
    fraChartRange(3).setCaption(platform::LoadResString(6902) + "(V+ - V-)");
    fraChartRange(4).setCaption(platform::LoadResString(6903));
    cmdOk->setCaption(platform::LoadResString(7001));
    cmdCancel->setCaption(platform::LoadResString(7002));
    platform::centreOnMain(*this);

    const SimConfig2Record& r = charts::simConfig2(mdlPublic::CurrentSim);
    decades_->show(r.FreqMin, r.FreqMax);
    txtTo(0).setText(ranges::rangeText(r.TimeMax * 1e9));
    for (int k = 0; k < VoltageCharts; ++k) {
        txtMin(k).setText(ranges::voltText(r.VoltMin[static_cast<std::size_t>(k)]));
        txtMax(k).setText(ranges::voltText(r.VoltMax[static_cast<std::size_t>(k)]));
    }
    ranges::showSpectrum(txtFrom(SpectrumBoxes), txtTo(SpectrumBoxes), r.SpecMin, r.SpecMax);
}

void frmConfigRange2::txtTo_Change(int index) {
    if (index < 0 || index >= VoltageCharts) return;
    const std::string text = txtTo(index).Text();
    for (int k = 0; k < VoltageCharts; ++k) txtTo(k).setText(text);
}

bool frmConfigRange2::CheckInput() {
    return ranges::allRangeNumbers({&txtTo(0), &txtMin(0), &txtMax(0), &txtTo(1), &txtMin(1), &txtMax(1), &txtTo(2),
                                    &txtMin(2), &txtMax(2), &txtFrom(SpectrumBoxes), &txtTo(SpectrumBoxes)},
                                   7014);
}

void frmConfigRange2::cmdOk_Click() {
    if (!CheckInput()) return;
    SimConfig2Record& r = charts::simConfig2(mdlPublic::CurrentSim);

    // Up to seven quarters of a clock period, with 0.01 ns to spare for the rounded figure shown.
    const float t = platform::CSng(txtTo(0).Text());
    const double periodNs = 1e9 * (1 / (static_cast<double>(platform::CSng(r.ClockFreq)) * 1e6));
    const float limit = charts::toSingle(periodNs * 7 / 4 + 0.01);
    if (t < 1 || t > limit) {
        refuse(platform::LoadResString(7010) + charts::tickNumber(periodNs * 7 / 4) + platform::LoadResString(7011));
        return;
    }

    std::array<float, VoltageCharts> lows{}, highs{};
    for (int k = 0; k < VoltageCharts; ++k) {
        const auto c = static_cast<std::size_t>(k);
        lows[c] = platform::CSng(txtMin(k).Text());
        highs[c] = platform::CSng(txtMax(k).Text());
        if (static_cast<double>(highs[c]) - lows[c] < SmallestVoltSpan) {
            refuse(platform::LoadResString(7013));
            return;
        }
    }

    const auto spectrum = ranges::readSpectrum(txtFrom(SpectrumBoxes), txtTo(SpectrumBoxes), 7012);
    if (!spectrum) return;

    decades_->store(r.FreqMin, r.FreqMax);
    r.TimeMax = charts::toSingle(t * 1e-9);
    r.VoltMin = lows;
    r.VoltMax = highs;
    spectrum->store(r.SpecMin, r.SpecMax);

    redrawResultWindow();
    platform::Unload(*this);
}

void frmConfigRange2::redrawResultWindow() {
    const std::int16_t sim = mdlPublic::CurrentSim;
    frmChart2* window = ranges::resultWindowFor<frmChart2>(sim);
    // With no window of this simulation open the new ranges apply when it is drawn next.
    if (!window) return;
    window->DrawFreqChart(sim, window->chartPicture(0).canvas(), false);
    // A chart that failed has closed the window; the others are not drawn then.
    for (std::int16_t k = 0; k < VoltageCharts && window->isLoaded(); ++k)
        window->DrawVoltageChart(sim, window->chartPicture(k + 1).canvas(), false, k);
    if (window->isLoaded()) window->DrawSpectrumChart(sim, window->chartPicture(4).canvas(), false);
}

void frmConfigRange2::cmdCancel_Click() { platform::Unload(*this); }
