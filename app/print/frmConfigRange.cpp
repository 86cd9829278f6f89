#include "app/print/frmConfigRange.h"

#include <cstdint>

#include "app/drawing/filter_charts.h"
#include "app/charts/frmChart.h"
#include "app/shared/button_placement.h"
#include "app/shared/mdlPublic.h"
#include "platform/convert.h"
#include "platform/screen.h"
#include "platform/strings.h"

using ranges::refuse;

frmConfigRange::frmConfigRange() : Form("frmConfigRange") {
    setClientSize(7530, 2475);
    fraChartRange.setName("fraChartRange");
    lblFrom.setName("lblFrom");
    lblTo.setName("lblTo");
    txtFrom.setName("txtFrom");
    txtTo.setName("txtTo");

    // Created in tab order: the decades, the voltage chart's boxes, the spectrum's, the buttons.
    fraChartRange.add(0, *this).Move(120, 120, 2535, 1695);
    decades_ = std::make_unique<ranges::DecadeChoice>(fraChartRange(0));

    platform::Frame& voltage = fraChartRange.add(1, *this);
    voltage.Move(2760, 120, 2295, 1815);
    platform::Label& from = lblFrom.add(1, voltage, ranges::WaveformRows[0]);
    lblFrom2 = std::make_unique<platform::Label>(voltage, "0");
    lblFrom2->setName("lblFrom2");
    ranges::placeRow(from, *lblFrom2, 0);
    platform::Label& to = lblTo.add(1, voltage, ranges::WaveformRows[1]);
    ranges::placeRow(to, txtTo.add(1, voltage), 1);
    lblMin = std::make_unique<platform::Label>(voltage, ranges::WaveformRows[2]);
    lblMin->setName("lblMin");
    txtMin = std::make_unique<platform::TextBox>(voltage);
    txtMin->setName("txtMin");
    ranges::placeRow(*lblMin, *txtMin, 2);
    lblMax = std::make_unique<platform::Label>(voltage, ranges::WaveformRows[3]);
    lblMax->setName("lblMax");
    txtMax = std::make_unique<platform::TextBox>(voltage);
    txtMax->setName("txtMax");
    ranges::placeRow(*lblMax, *txtMax, 3);

    platform::Frame& spectrum = fraChartRange.add(2, *this);
    spectrum.Move(5160, 120, 2295, 1095);
    ranges::addSpectrumRows(spectrum, 2, lblFrom, txtFrom, lblTo, txtTo);

    cmdOk = std::make_unique<platform::CommandButton>(*this);
    app::placeOkButton(*cmdOk, 2760, 2040, 2295);
    cmdCancel = std::make_unique<platform::CommandButton>(*this);
    app::placeCancelButton(*cmdCancel, 5160, 2040, 2295);

    txtFrom.GotFocus = [this](int index) { ranges::selectAll(txtFrom(index)); };
    txtTo.GotFocus = [this](int index) { ranges::selectAll(txtTo(index)); };
    txtMin->GotFocus = [this] { ranges::selectAll(*txtMin); };
    txtMax->GotFocus = [this] { ranges::selectAll(*txtMax); };
    cmdOk->Click = [this] { cmdOk_Click(); };
    cmdCancel->Click = [this] { cmdCancel_Click(); };
}

void frmConfigRange::Form_Load() {
    setCaption(platform::LoadResString(5700));
    fraChartRange(0).setCaption(platform::LoadResString(5605));
    fraChartRange(1).setCaption(platform::LoadResString(5602));
    fraChartRange(2).setCaption(platform::LoadResString(5603));
    cmdOk->setCaption(platform::LoadResString(5701));
    cmdCancel->setCaption(platform::LoadResString(5702));
    platform::centreOnMain(*this);

    const SimConfigRecord& r = charts::simConfig(mdlPublic::CurrentSim);
    // The decades of this circuit type are fixed; they are shown but not offered.
    if (r.SimType == mdlPublic::CircuitBeadCapacitor) decades_->lock();
    decades_->show(r.FreqMin, r.FreqMax);
    txtTo(1).setText(ranges::rangeText(r.TimeMax * 1e9));
    txtMin->setText(ranges::voltText(r.VoltMin));
    txtMax->setText(ranges::voltText(r.VoltMax));
    ranges::showSpectrum(txtFrom(2), txtTo(2), r.SpecMin, r.SpecMax);
}

bool frmConfigRange::CheckInput() {
    return ranges::allRangeNumbers({&txtTo(1), txtMin.get(), txtMax.get(), &txtFrom(2), &txtTo(2)}, 5714);
}

void frmConfigRange::cmdOk_Click() {
    if (!CheckInput()) return;
    SimConfigRecord& r = charts::simConfig(mdlPublic::CurrentSim);

    // Up to two clock periods; the message names the limit in whole nanoseconds.
    const float t = platform::CSng(txtTo(1).Text());
    const double clockHz = static_cast<double>(platform::CSng(r.ClockFreq)) * 1e6;
    const double end = t * 1e-9;
    if (end < 1e-9 || end > 2 / clockHz) {
        refuse(platform::LoadResString(5710) + platform::Format(2e9 / clockHz, "#") + platform::LoadResString(5711));
        return;
    }

    const float a = platform::CSng(txtMin->Text());
    const float b = platform::CSng(txtMax->Text());
    if (a < -10 || b > 20 || b <= a) {
        refuse(platform::LoadResString(5713));
        return;
    }

    const auto spectrum = ranges::readSpectrum(txtFrom(2), txtTo(2), 5712);
    if (!spectrum) return;

    decades_->store(r.FreqMin, r.FreqMax);
    r.TimeMax = charts::toSingle(end);
    r.VoltMin = a;
    r.VoltMax = b;
    spectrum->store(r.SpecMin, r.SpecMax);

    redrawResultWindow();
    platform::Unload(*this);
}

void frmConfigRange::redrawResultWindow() {
    const std::int16_t sim = mdlPublic::CurrentSim;
    frmChart* window = ranges::resultWindowFor<frmChart>(sim);
    // With no window of this simulation open the new ranges apply when it is drawn next.
    if (!window) return;
    window->DrawFreqChart(sim, window->chartPicture(0).canvas(), false);
    // A chart that failed has closed the window; the others are not drawn then.
    if (window->isLoaded()) window->DrawVoltageChart(sim, window->chartPicture(1).canvas(), false);
    if (window->isLoaded()) window->DrawSpectrumChart(sim, window->chartPicture(2).canvas(), false);
}

void frmConfigRange::cmdCancel_Click() { platform::Unload(*this); }
