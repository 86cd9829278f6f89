#pragma once
// The five charts of a differential simulation: the choke's common- and normal-mode impedance,
// the waveforms at the measuring point, V+ + V- and V+ - V-, and the spectrum of V+ + V-. They
// read SimConfigs2, SimResults (kinds 2i + j: i 0 with the choke, 1 without; j 0 V+, 1 V-),
// FilterIndex and filter.dat, and draw on any target with the shared chart primitives.
//
// Every procedure here may raise platform::RuntimeError; none shows anything itself.

#include <cstdint>
#include <string>

#include "app/drawing/chart_primitives.h"
#include "app/shared/SimConfig2Record.h"
#include "app/shared/engine_run.h"

namespace charts {

using app::DiffResultPoints;

class DiffCharts {
public:
    DiffCharts();

    void DrawFreqChart(const ChartTarget& target, std::int16_t sim, bool monochrome);
    // index 0 measuring point (four curves), 1 V+ + V-, 2 V+ - V-.
    void DrawVoltageChart(const ChartTarget& target, std::int16_t sim, bool monochrome, std::int32_t index);
    void DrawSpectrumChart(const ChartTarget& target, std::int16_t sim, bool monochrome);

    // Title, axis titles, tick labels and legend; value1 and value2 are the frequency axis's top
    // and bottom or the spectrum's dB top; ends with black as the foreground colour.
    void DrawChartFrame(const ChartTarget& target, ChartKind kind, int base, std::int16_t sim, bool monochrome,
                        const PlotGrid& grid, std::int32_t value1, std::int32_t value2, std::int32_t chartIndex);

    const ChartPrimitives& primitives() const { return primitives_; }

private:
    ChartPrimitives primitives_;
};

// The stored record of differential simulation sim; a number outside the table raises 9.
SimConfig2Record& simConfig2(std::int16_t sim);

// The voltage axis a differential chart starts with, by interface and clock (chart index 0..2).
struct DiffVoltRange {
    float min;
    float max;
};
DiffVoltRange defaultDiffVoltRange(const std::string& dccType, const std::string& dccClock, std::int32_t index);

// A time tick of the differential charts: "0.#", a whole number from 100 up.
std::string diffTimeTick(double nanoseconds);

}  // namespace charts
