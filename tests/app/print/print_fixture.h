#pragma once
// Shared set-up of the range and print dialogs' tests: result windows over the sample catalogue
// with every form the shell opens by name, and a synthetic differential simulation.

#include <cmath>
#include <cstdio>

#include "app/charts/chart_fixture.h"
#include "app/shared/form_registry.h"
#include "app/shell/program_forms.h"

namespace print_test {

class ProgramChartTest : public chart_test::FilterChartTest {
protected:
    void SetUp() override {
        FilterChartTest::SetUp();
        app::registerProgramForms();
    }
};

// A differential simulation: V+ and V- trapezoids in opposite phase (the choke's run a little
// smoother), with spectra, and the record's signal, part and ranges; the rest of it is empty.
inline SimConfig2Record& fillPairSimulation(int sim, double clockMHz) {
    using chart_test::fillSpectrum;
    using chart_test::sampleAmplitude;
    using chart_test::sampleWave;
    const double period = 1.0 / (clockMHz * 1e6);
    for (int kind = 0; kind < 4; ++kind) {
        auto& r = mdlPublic::SimResults[static_cast<std::size_t>(kind)][static_cast<std::size_t>(sim)];
        r = {};
        const bool minus = kind % 2 == 1;
        for (int p = 0; p < 354; ++p) {
            const double t = p * period / 201.0;
            r.Time.push_back(t);
            r.Wave.push_back(sampleWave(kind / 2, std::fmod(t / period + (minus ? 0.5 : 0.0), 1.0), 0.4));
        }
        fillSpectrum(r, clockMHz, [&](int k) { return (minus ? -0.9 : 1.0) * sampleAmplitude(kind / 2, k) / 8; });
    }
    SimConfig2Record& c = mdlPublic::SimConfigs2[static_cast<std::size_t>(sim)];
    c = {};
    c.DccType = "USB2.0";
    c.DccClock = "HS(480Mbps)";
    char clock[32];
    std::snprintf(clock, sizeof clock, "%g", clockMHz);
    c.ClockFreq = clock;
    c.PartNum = "WQ2012S900";
    c.PartNote = "90 ohm, USB2.0 HS";
    c.FreqMin = 1e6f;
    c.FreqMax = 1e9f;
    c.TimeMin = 0;
    c.TimeMax = static_cast<float>(period * 7 / 4);
    c.SpecMin = 0;
    c.SpecMax = 1e9f;
    return c;
}

}  // namespace print_test
