#include "app/diffconfig/diff_run.h"

#include <string>

#include "app/diffconfig/diff_line.h"
#include "app/diffconfig/diff_netlist.h"
#include "app/diffconfig/frmConfig2.h"
#include "app/shared/engine_run.h"
#include "app/shared/form_registry.h"
#include "app/shared/mdlPublic.h"
#include "platform/convert.h"
#include "platform/errors.h"
#include "platform/strings.h"

namespace app {
namespace {

using mdlPublic::SimResults;

class DiffRun {
public:
    DiffRun(frmConfig2& form, std::int16_t s) : form_(form), s_(s) {}

    void run() {
        const diffconfig::DiffInputs in = form_.inputs();
        const float clock = platform::CSng(in.clockFreq);
        const std::int16_t h = harmonicCount(clock);
        if (!roomForSimulation(s_)) return;
        for (int resultKind = 0; resultKind < mdlPublic::ResultKinds; ++resultKind)
            sizeResult(SimResults[resultKind][s_], DiffResultPoints, h);

        form_.setWindowState(platform::StateMinimized);
        if (in.lineMode == diffconfig::LineGeometry) showGeometryImpedances(in);
        form_.SaveConfig(s_);
        form_.setCaption(mdlPublic::simCaptionPrefix(s_));

        partnumType_ = mdlPublic::partnumType();
        period_ = static_cast<float>(1.0 / (static_cast<double>(clock) * 1e6));
        for (const std::int16_t state : {WithPart, WithoutPart}) {
            for (const std::int16_t node : {NodePlus, NodeMinus}) {
                runWave(state, node);
                runSpectrum(state, node, h);
            }
        }

        // The earlier result window stays open.
        if (platform::Form* chart = openNewWindow("frmChart2")) chart->Show(platform::Modeless);
    }

private:
    // The impedances stored with the simulation (shown on review, printed) must belong to the
    // geometry that is simulated, also when an edit was never confirmed with Enter.
    // A geometry whose impedances have no value, which CheckConfig refuses before any run, shows
    // none; a missing engine still ends the run here.
    void showGeometryImpedances(const diffconfig::DiffInputs& in) {
        std::string common, differential;
        try {
            const diffconfig::LineImpedance z = diffconfig::geometryImpedance(in);
            common = platform::Format(z.even, "0.00");
            differential = platform::Format(z.odd, "0.00");
        } catch (const platform::RuntimeError& e) {
            if (e.number() != platform::errInvalidArgument) throw;
        }
        form_.lblConfigTrans(7).setCaption(common);
        form_.lblConfigTrans(8).setCaption(differential);
    }

    // Result kind 2 state + node of the part state and measuring node.
    mdlPublic::SimResultRecord& result(std::int16_t state, std::int16_t node) {
        return SimResults[static_cast<std::size_t>(2 * state + node)][s_];
    }

    EngineOutput runAt(std::int16_t state, std::int16_t node, std::int16_t harmonics) {
        EngineOutput out(harmonics);
        MakeNetlist(netlist_, mdlPublic::SimConfigs2.at(static_cast<std::size_t>(s_)), harmonics, state, node,
                    partnumType_);
        runEngine(netlist_, out);
        return out;
    }

    // One period of 201 samples, the first repeated a period on, then the next period's samples up
    // to 353/201 of a period, enough for the 7/4 of a period the charts show.
    void runWave(std::int16_t state, std::int16_t node) {
        const EngineOutput out = runAt(state, node, WaveHarmonics);
        mdlPublic::SimResultRecord& r = result(state, node);
        const double period = period_;
        storePeriod(out, period, r);
        for (std::size_t m = WavePoints + 1; m < DiffResultPoints; ++m) {
            r.Time[m] = period + out.time[m - WavePoints];
            r.Wave[m] = out.wave[m - WavePoints];
        }
    }

    void runSpectrum(std::int16_t state, std::int16_t node, std::int16_t h) {
        storeSpectrum(runAt(state, node, h), result(state, node));
    }

    frmConfig2& form_;
    const std::int16_t s_;
    int partnumType_ = 0;  // the part-number view at the start of the run
    float period_ = 0;  // s, held as a single like the clock it comes from
    mdlPublic::NetlistBlock netlist_;  // written anew for every engine run
};

}  // namespace

void runDiffSimulation(frmConfig2& form, std::int16_t s) {
    runUnderHourglass(form, [&form, s] { DiffRun(form, s).run(); });
}

void registerDiffRun() {
    frmConfig2::setSimulationRunner([](frmConfig2& form, std::int16_t s) { runDiffSimulation(form, s); });
}

}  // namespace app
