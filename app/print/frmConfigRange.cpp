#include "app/print/frmConfigRange.h"

#include "app/charts/filter_charts.h"
#include "app/charts/frmChart.h"
#include "app/shell/dialog_placement.h"
#include "app/shell/mdlPublic.h"
#include "platform/convert.h"
#include "platform/msgbox.h"
#include "platform/picturebox.h"
#include "platform/strings.h"

namespace {

// Wider than the boxes' gap needs, so "From [nsec]:" stays on one line in the platform font.
constexpr int LabelWidth = 1200;
constexpr int BoxWidth = 855;
constexpr int RowHeight = 255;
constexpr int BoxHeight = 270;

void refuse(const std::string& text) { platform::MsgBox(text, platform::MsgBoxCritical | platform::MsgBoxOkOnly); }

}  // namespace

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
    lblFrom.add(1, voltage, "From [nsec]:").Move(120, 360, LabelWidth, RowHeight);
    lblFrom2 = std::make_unique<platform::Label>(voltage, "0");
    lblFrom2->setName("lblFrom2");
    lblFrom2->Move(1320, 360, BoxWidth, RowHeight);
    lblTo.add(1, voltage, "To [nsec]:").Move(120, 720, LabelWidth, RowHeight);
    txtTo.add(1, voltage).Move(1320, 720, BoxWidth, BoxHeight);
    lblMin = std::make_unique<platform::Label>(voltage, "Min[V]:");
    lblMin->setName("lblMin");
    lblMin->Move(120, 1080, LabelWidth, RowHeight);
    txtMin = std::make_unique<platform::TextBox>(voltage);
    txtMin->setName("txtMin");
    txtMin->Move(1320, 1080, BoxWidth, BoxHeight);
    lblMax = std::make_unique<platform::Label>(voltage, "Max[V]:");
    lblMax->setName("lblMax");
    lblMax->Move(120, 1440, LabelWidth, RowHeight);
    txtMax = std::make_unique<platform::TextBox>(voltage);
    txtMax->setName("txtMax");
    txtMax->Move(1320, 1440, BoxWidth, BoxHeight);

    platform::Frame& spectrum = fraChartRange.add(2, *this);
    spectrum.Move(5160, 120, 2295, 1095);
    lblFrom.add(2, spectrum, "From [MHz]:").Move(120, 360, LabelWidth, RowHeight);
    txtFrom.add(2, spectrum).Move(1320, 360, BoxWidth, BoxHeight);
    lblTo.add(2, spectrum, "To [MHz]:").Move(120, 720, LabelWidth, RowHeight);
    txtTo.add(2, spectrum).Move(1320, 720, BoxWidth, BoxHeight);

    cmdOk = std::make_unique<platform::CommandButton>(*this);
    cmdOk->setName("cmdOk");
    cmdOk->Move(2760, 2040, 2295, 375);
    cmdOk->setDefault(true);
    cmdCancel = std::make_unique<platform::CommandButton>(*this);
    cmdCancel->setName("cmdCancel");
    cmdCancel->Move(5160, 2040, 2295, 375);
    cmdCancel->setCancel(true);

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
    app::centreOnMain(*this);

    const SimConfigRecord& r = charts::simConfig(mdlPublic::CurrentSim);
    // The decades of this circuit type are fixed; they are shown but not offered.
    if (r.SimType == 1) decades_->lock();
    decades_->show(r.FreqMin, r.FreqMax);
    txtTo(1).setText(ranges::rangeText(r.TimeMax * 1e9));
    txtMin->setText(ranges::voltText(r.VoltMin));
    txtMax->setText(ranges::voltText(r.VoltMax));
    txtFrom(2).setText(ranges::rangeText(r.SpecMin / 1e6));
    txtTo(2).setText(ranges::rangeText(r.SpecMax / 1e6));
}

bool frmConfigRange::CheckInput() {
    const platform::TextBox* boxes[] = {&txtTo(1), txtMin.get(), txtMax.get(), &txtFrom(2), &txtTo(2)};
    for (const platform::TextBox* box : boxes) {
        if (!ranges::isRangeNumber(box->Text())) {
            refuse(platform::LoadResString(5714));
            return false;
        }
    }
    return true;
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

    const float from = platform::CSng(txtFrom(2).Text());
    const float to = platform::CSng(txtTo(2).Text());
    if (!ranges::spectrumRangeValid(from, to)) {
        refuse(platform::LoadResString(5712));
        return;
    }

    decades_->store(r.FreqMin, r.FreqMax);
    r.TimeMax = charts::toSingle(end);
    r.VoltMin = a;
    r.VoltMax = b;
    r.SpecMin = ranges::megahertzToHz(from);
    r.SpecMax = ranges::megahertzToHz(to);

    redrawResultWindow();
    platform::Unload(*this);
}

void frmConfigRange::redrawResultWindow() {
    const std::int16_t sim = mdlPublic::CurrentSim;
    frmChart* window = ranges::resultWindowFor<frmChart>(sim);
    // With no window of this simulation open the new ranges apply when it is drawn next.
    if (!window) return;
    const auto chart = [window](int k) -> platform::Canvas& {
        return dynamic_cast<platform::PictureBox&>(*window->controlByName("picChart", k)).canvas();
    };
    window->DrawFreqChart(sim, chart(0), false);
    // A chart that failed has closed the window; the others are not drawn then.
    if (window->isLoaded()) window->DrawVoltageChart(sim, chart(1), false);
    if (window->isLoaded()) window->DrawSpectrumChart(sim, chart(2), false);
}

void frmConfigRange::cmdCancel_Click() { platform::Unload(*this); }
