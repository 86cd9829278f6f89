#include "app/diffconfig/diff_run.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "app/diffconfig/diff_line.h"
#include "app/diffconfig/diff_netlist.h"
#include "app/diffconfig/frmConfig2.h"
#include "app/shared/engine_run.h"
#include "app/shared/form_registry.h"
#include "app/shared/mdlPublic.h"
#include "platform/binding.h"
#include "platform/convert.h"
#include "platform/dispatch.h"
#include "platform/errors.h"
#include "platform/msgbox.h"
#include "platform/strings.h"

namespace app {
namespace {

using mdlPublic::SimResults;

constexpr std::int16_t WaveHarmonics = 100;  // 201 samples over one clock period
constexpr std::size_t WavePoints = 2 * WaveHarmonics + 1;

enum RunMode : std::int16_t { WaveRun = 0, SpectrumRun = 1 };

// Clears the hourglass on every way out of the run.
struct HourglassScope {
    HourglassScope() { platform::setMousePointer(platform::PointerHourglass); }
    ~HourglassScope() { platform::setMousePointer(platform::PointerDefault); }
    HourglassScope(const HourglassScope&) = delete;
    HourglassScope& operator=(const HourglassScope&) = delete;
};

class DiffRun {
public:
    DiffRun(frmConfig2& form, std::int16_t s) : form_(form), s_(s) {}

    void run() {
        const diffconfig::DiffInputs in = form_.inputs();
        const float clock = platform::CSng(in.clockFreq);
        const std::int16_t h = harmonicCount(clock);
        if (s_ >= mdlPublic::MaxSims) {
            platform::MsgBox(platform::LoadResString(5283) + "\n" + platform::LoadResString(5284),
                             platform::MsgBoxCritical);
            return;
        }
        for (int kind = 0; kind < mdlPublic::ResultKinds; ++kind) sizeResult(SimResults[kind][s_], h);

        form_.setWindowState(platform::StateMinimized);
        if (in.lineMode == diffconfig::LineGeometry) showGeometryImpedances(in);
        form_.SaveConfig(s_);
        form_.setCaption(mdlPublic::simCaptionPrefix(s_));

        partnumType_ = std::to_string(mdlPublic::partnumType());
        period_ = static_cast<float>(1.0 / (static_cast<double>(clock) * 1e6));
        for (const std::int16_t state : {WithPart, WithoutPart}) {
            for (const std::int16_t node : {NodePlus, NodeMinus}) {
                RunSimulate(node, state, WaveHarmonics, WaveRun);
                RunSimulate(node, state, h, SpectrumRun);
            }
        }

        // The earlier result window stays open.
        if (platform::Form* chart = openNewWindow("frmChart2")) chart->Show(platform::Modeless);
    }

private:
    static void sizeResult(mdlPublic::SimResultRecord& r, std::int16_t h) {
        r.Time.assign(DiffResultPoints, 0.0);
        r.Wave.assign(DiffResultPoints, 0.0);
        r.Freq.assign(static_cast<std::size_t>(h) + 1, 0.0);
        r.Spectrum.assign(2 * static_cast<std::size_t>(h) + 2, 0.0);
    }

    // The impedances stored with the simulation (shown on review, printed) must belong to the
    // geometry that is simulated, also when an edit was never confirmed with Enter.
    // A geometry whose impedances have no value, which CheckConfig refuses before any run, shows
    // none; a missing engine still ends the run here.
    void showGeometryImpedances(const diffconfig::DiffInputs& in) {
        std::string common, differential;
        try {
            const diffconfig::LineImpedance z = diffconfig::geometryImpedance(in);
            common = platform::Format(z.common, "0.00");
            differential = platform::Format(z.differential, "0.00");
        } catch (const platform::RuntimeError& e) {
            if (e.number() != platform::errInvalidArgument) throw;
        }
        form_.lblConfigTrans(7).setCaption(common);
        form_.lblConfigTrans(8).setCaption(differential);
    }

    // One engine run into result kind 2i + j. The engine reports a circuit it could not read or
    // solve only through its result; such results must never be shown as if they were good.
    void RunSimulate(std::int16_t node, std::int16_t state, std::int16_t harmonics, std::int16_t mode) {
        const auto n = static_cast<std::size_t>(harmonics);
        std::vector<double> time(2 * n + 1), wave(2 * n + 1), freq(n + 1), spectrum(2 * n + 2);
        MakeNetlist(form_.NetlistLines, mdlPublic::SimConfigs2.at(static_cast<std::size_t>(s_)), harmonics, state, node,
                    partnumType_);
        replaceDecimalCommas(form_.NetlistLines);
        auto block = toEngineBlock(form_.NetlistLines);
        if (platform::Simulate(block.data(), time.data(), wave.data(), freq.data(), spectrum.data()) == 0)
            platform::raiseError(errEngineFailed, "The simulation engine could not solve this circuit.");

        mdlPublic::SimResultRecord& r = SimResults[static_cast<std::size_t>(2 * state + node)][s_];
        if (mode == WaveRun) {
            // One period of 201 samples, the first repeated a period on, then the next period's
            // samples up to 353/201 of a period, enough for the 7/4 of a period the charts show.
            const double period = period_;
            for (std::size_t m = 0; m < WavePoints; ++m) {
                r.Time[m] = time[m];
                r.Wave[m] = wave[m];
            }
            r.Time[WavePoints] = period;
            r.Wave[WavePoints] = wave[0];
            for (std::size_t m = WavePoints + 1; m < DiffResultPoints; ++m) {
                r.Time[m] = period + time[m - WavePoints];
                r.Wave[m] = wave[m - WavePoints];
            }
        } else {
            std::copy(freq.begin(), freq.end(), r.Freq.begin());
            std::copy(spectrum.begin(), spectrum.end(), r.Spectrum.begin());
        }
    }

    frmConfig2& form_;
    const std::int16_t s_;
    std::string partnumType_;
    float period_ = 0;  // s, held as a single like the clock it comes from
};

}  // namespace

void StartSimulation(frmConfig2& form, std::int16_t s) {
    HourglassScope hourglass;
    try {
        DiffRun(form, s).run();
    } catch (...) {
        platform::setMousePointer(platform::PointerDefault);
        platform::showErrorBox("Vandor.frmConfig2.StartSimulation", platform::trappedError());
    }
}

void registerDiffRun() {
    frmConfig2::setSimulationRunner([](frmConfig2& form, std::int16_t s) { StartSimulation(form, s); });
}

}  // namespace app
