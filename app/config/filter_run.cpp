#include "app/config/filter_run.h"

#include "app/config/config_record.h"
#include "app/config/filter_netlist.h"
#include "app/config/frmConfig.h"
#include "app/shared/form_registry.h"
#include "app/shared/mdlPublic.h"
#include "platform/convert.h"

namespace app {
namespace {

using mdlPublic::SimResults;

class FilterRun {
public:
    FilterRun(frmConfig& form, std::int16_t s) : form_(form), s_(s) {}

    void run() {
        const config::ConfigInputs in = form_.inputs();
        const std::int16_t n = harmonicCount(platform::CSng(in.clockFreq));
        if (!roomForSimulation(s_)) return;
        for (int resultKind = 0; resultKind <= 2; ++resultKind) sizeResult(SimResults[resultKind][s_], FilterResultPoints, n);

        form_.setWindowState(platform::StateMinimized);
        form_.SaveConfig(s_);
        form_.setCaption(mdlPublic::simCaptionPrefix(s_));

        values_ = {in.clockFreq, in.duty, in.driver.byList, mdlPublic::GetAppSetting("SimType"),
                   mdlPublic::partnumType()};
        period_ = 1.0 / (static_cast<double>(platform::CSng(in.clockFreq)) * 1e6);
        for (const std::int16_t state : {WithPart, WithoutPart}) {
            runWave(state, MeasurePointB);
            runSpectrum(state, n);
        }
        if (mdlPublic::SimConfigs.at(s_).Measure[0] == 1) runWave(WithPart, MeasurePointA);

        // The earlier result window stays open.
        if (platform::Form* chart = openNewWindow("frmChart")) chart->Show(platform::Modeless);
    }

private:
    // One period of the waveform at the point; point A goes to result kind 2 whatever the part state.
    void runWave(std::int16_t state, std::int16_t point) {
        EngineOutput out(WaveHarmonics);
        MakeNetlist(netlist_, mdlPublic::SimConfigs.at(s_), values_, WaveHarmonics, state, point);
        runEngine(netlist_, out);
        storePeriod(out, period_, SimResults[point == MeasurePointB ? state : 2][s_]);
    }

    // The spectrum at point B.
    void runSpectrum(std::int16_t state, std::int16_t n) {
        EngineOutput out(n);
        MakeNetlist(netlist_, mdlPublic::SimConfigs.at(s_), values_, n, state, MeasurePointB);
        runEngine(netlist_, out);
        storeSpectrum(out, SimResults[state][s_]);
    }

    frmConfig& form_;
    const std::int16_t s_;
    NetlistFormValues values_;
    double period_ = 0;  // s
    mdlPublic::NetlistBlock netlist_;  // written anew for every engine run
};

}  // namespace

void runFilterSimulation(frmConfig& form, std::int16_t s) {
    runUnderHourglass(form, [&form, s] { FilterRun(form, s).run(); });
}

void registerFilterRun() {
    frmConfig::setSimulationRunner([](frmConfig& form, std::int16_t s) { runFilterSimulation(form, s); });
}

}  // namespace app
