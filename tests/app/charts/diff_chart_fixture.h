#pragma once
// A synthetic differential simulation for the chart tests: node waveforms over 353/201 periods,
// spectra by harmonic, and the record a run would store.

#include <cmath>
#include <functional>
#include <string>

#include "app/charts/chart_fixture.h"
#include "app/shared/mdlPublic.h"

namespace chart_test {

// A differential simulation at clock MHz: node waveforms wave(kind, phase) over 353/201 periods,
// spectra amplitude(kind, k), and the record a run would store.
inline void fillDiffSimulation(int sim, double clockMHz, const std::string& dcc, const std::string& clock,
                               const std::function<double(int kind, double phase)>& wave,
                               const std::function<double(int kind, int k)>& amplitude) {
    const double period = 1.0 / (clockMHz * 1e6);
    for (int kind = 0; kind < 4; ++kind) {
        auto& r = mdlPublic::SimResults[static_cast<std::size_t>(kind)][static_cast<std::size_t>(sim)];
        r = {};
        for (int p = 0; p <= 353; ++p) {
            const double phase = p <= 200 ? p / 201.0 : p == 201 ? 0.0 : (p - 201) / 201.0;
            r.Time.push_back(p <= 200 ? phase * period : period + (p == 201 ? 0.0 : phase * period));
            r.Wave.push_back(wave(kind, phase));
        }
        fillSpectrum(r, clockMHz, [&](int k) { return amplitude(kind, k); });
    }
    SimConfig2Record& c = mdlPublic::SimConfigs2[static_cast<std::size_t>(sim)];
    c = {};
    c.DccType = dcc, c.DccClock = clock, c.ClockFreq = std::to_string(static_cast<int>(clockMHz));
    c.PartNum = "WQTEST";
    c.FreqMin = 1e6f, c.FreqMax = 1e9f;
    c.TimeMin = 0, c.TimeMax = static_cast<float>(7.0 / (4.0 * clockMHz * 1e6));
    c.SpecMin = 0, c.SpecMax = 1e9f;
}

// V+ a trapezoid 0..0.4 V, V- its mirror; the runs without the choke (kinds 2, 3) ring a little.
inline double pairWave(int kind, double phase) {
    const double edge = phase < 0.1 ? phase / 0.1 : phase < 0.5 ? 1.0 : phase < 0.6 ? (0.6 - phase) / 0.1 : 0.0;
    const double ring = kind >= 2 ? 0.02 * std::sin(40 * phase) : 0.0;
    return 0.4 * (kind % 2 == 0 ? edge : 1.0 - edge) + ring;
}

}  // namespace chart_test
