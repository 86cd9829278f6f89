#include "app/config/filter_run.h"

#include <algorithm>
#include <array>
#include <vector>

#include "app/config/config_record.h"
#include "app/config/filter_netlist.h"
#include "app/config/frmConfig.h"
#include "app/shared/form_registry.h"
#include "app/shared/mdlPublic.h"
#include "platform/binding.h"
#include "platform/convert.h"
#include "platform/dispatch.h"
#include "platform/msgbox.h"
#include "platform/strings.h"

namespace app {
namespace {

using mdlPublic::SimResults;

constexpr std::int16_t WaveHarmonics = 100;  // 201 samples over one clock period
constexpr int WavePoints = 2 * WaveHarmonics + 1;

// Clears the hourglass on every way out of the run.
struct HourglassScope {
    HourglassScope() { platform::setMousePointer(platform::PointerHourglass); }
    ~HourglassScope() { platform::setMousePointer(platform::PointerDefault); }
    HourglassScope(const HourglassScope&) = delete;
    HourglassScope& operator=(const HourglassScope&) = delete;
};

// The engine reports a circuit it could not read or solve only through its result; results of
// such a run must never be shown as if they were good.
void callEngine(mdlPublic::NetlistBlock& lines, double* time, double* wave, double* freq, double* spectrum) {
    replaceDecimalCommas(lines);
    auto block = toEngineBlock(lines);
    if (platform::Simulate(block.data(), time, wave, freq, spectrum) == 0)
        platform::raiseError(errEngineFailed, "The simulation engine could not solve this circuit.");
}

class FilterRun {
public:
    FilterRun(frmConfig& form, std::int16_t s) : form_(form), s_(s) {}

    void run() {
        const config::ConfigInputs in = form_.inputs();
        const std::int16_t n = harmonicCount(platform::CSng(in.clockFreq));
        if (s_ >= mdlPublic::MaxSims) {
            platform::MsgBox(platform::LoadResString(5283) + "\n" + platform::LoadResString(5284),
                             platform::MsgBoxCritical);
            return;
        }
        for (int kind = 0; kind <= 2; ++kind) sizeResult(SimResults[kind][s_], n);

        form_.setWindowState(platform::StateMinimized);
        form_.SaveConfig(s_);
        form_.setCaption(mdlPublic::simCaptionPrefix(s_));

        values_ = {in.clockFreq, in.duty, in.driver.byList, mdlPublic::GetAppSetting("SimType"),
                   std::to_string(mdlPublic::partnumType())};
        period_ = 1.0 / (static_cast<double>(platform::CSng(in.clockFreq)) * 1e6);
        for (const std::int16_t state : {WithPart, WithoutPart}) {
            RunSimulate(state, MeasurePointB);
            RunSimulateByPeriod(state, n);
        }
        if (mdlPublic::SimConfigs.at(s_).Measure[0] == 1) RunSimulate(WithPart, MeasurePointA);

        // The earlier result window stays open.
        if (platform::Form* chart = openNewWindow("frmChart")) chart->Show(platform::Modeless);
    }

private:
    static void sizeResult(mdlPublic::SimResultRecord& r, std::int16_t n) {
        r.Time.assign(WavePoints + 1, 0.0);
        r.Wave.assign(WavePoints + 1, 0.0);
        r.Freq.assign(static_cast<std::size_t>(n) + 1, 0.0);
        r.Spectrum.assign(2 * static_cast<std::size_t>(n) + 2, 0.0);
    }

    // One period of the waveform; point A goes to kind 2 whatever the part state.
    void RunSimulate(std::int16_t state, std::int16_t mode) {
        MakeNetlist(NetlistLines_, mdlPublic::SimConfigs.at(s_), values_, WaveHarmonics, state, mode);
        callEngine(NetlistLines_, time_.data(), wave_.data(), freq_.data(), spectrum_.data());
        mdlPublic::SimResultRecord& r = SimResults[mode == MeasurePointB ? state : 2][s_];
        std::copy(time_.begin(), time_.end(), r.Time.begin());
        std::copy(wave_.begin(), wave_.end(), r.Wave.begin());
        // The 202nd point closes the period with the value at time 0.
        r.Time[WavePoints] = period_;
        r.Wave[WavePoints] = wave_[0];
    }

    void RunSimulateByPeriod(std::int16_t state, std::int16_t n) {
        const auto harmonics = static_cast<std::size_t>(n);
        std::vector<double> time(2 * harmonics + 1), wave(2 * harmonics + 1), freq(harmonics + 1),
            spectrum(2 * harmonics + 2);
        MakeNetlist(NetlistLines_, mdlPublic::SimConfigs.at(s_), values_, n, state, MeasurePointB);
        callEngine(NetlistLines_, time.data(), wave.data(), freq.data(), spectrum.data());
        mdlPublic::SimResultRecord& r = SimResults[state][s_];
        std::copy(freq.begin(), freq.end(), r.Freq.begin());
        std::copy(spectrum.begin(), spectrum.end(), r.Spectrum.begin());
    }

    frmConfig& form_;
    const std::int16_t s_;
    NetlistFormValues values_;
    double period_ = 0;  // s
    mdlPublic::NetlistBlock NetlistLines_;
    // The waveform runs' buffers, of the exact sizes the engine writes for 100 harmonics.
    std::array<double, WavePoints> time_{};
    std::array<double, WavePoints> wave_{};
    std::array<double, WaveHarmonics + 1> freq_{};
    std::array<double, 2 * WaveHarmonics + 2> spectrum_{};
};

}  // namespace

void StartSimulation(frmConfig& form, std::int16_t s) {
    HourglassScope hourglass;
    try {
        FilterRun(form, s).run();
    } catch (...) {
        platform::setMousePointer(platform::PointerDefault);
        platform::showErrorBox("Vandor.frmConfig.StartSimulation", platform::trappedError());
    }
}

void registerFilterRun() {
    frmConfig::setSimulationRunner([](frmConfig& form, std::int16_t s) { StartSimulation(form, s); });
}

}  // namespace app
