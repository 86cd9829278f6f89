#pragma once
// The three charts of a filter-circuit simulation: part characteristic against frequency, voltage
// waveform and spectrum. They read SimConfigs, SimResults, FilterIndex and filter.dat and draw on
// any target; the result window adds its error trap and decides the target kind.
//
// Every procedure here may raise platform::RuntimeError; none shows anything itself.

#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "app/drawing/chart_primitives.h"
#include "app/shared/SimConfigRecord.h"
#include "app/shared/data_files.h"

namespace charts {

// The optional tail of the frame call: the frequency chart passes all four, the voltage chart its
// limits, the spectrum chart its dB top.
struct FrameAxis {
    double max = 0;
    std::int32_t number = 0;  // frequency axis: 1 left (first part), 2 right (second part)
    double min = 0;
    std::int32_t partIndex = 0;  // 1-based position of the part in FilterIndex
};

class FilterCharts {
public:
    FilterCharts();

    void DrawFreqChart(const ChartTarget& target, std::int16_t sim, bool monochrome);
    void DrawVoltageChart(const ChartTarget& target, std::int16_t sim, bool monochrome);
    void DrawSpectrumChart(const ChartTarget& target, std::int16_t sim, bool monochrome);

    // Title, axis titles, tick labels and legend; ends with black as the foreground colour.
    void DrawChartFrame(const ChartTarget& target, ChartKind kind, int base, std::int16_t sim, bool monochrome,
                        const PlotGrid& grid, const FrameAxis& axis = {});

    const ChartPrimitives& primitives() const { return primitives_; }

private:
    // One part's curves and its axis; vMax and vMin carry the extremes across both parts.
    void drawFreqPart(const ChartTarget& target, std::int16_t sim, bool monochrome, int partNumber,
                      const PlotGrid& grid, float& vMax, float& vMin);
    // Record j of filter.dat, read once: the data files do not change while the program runs.
    const app::FilterRecord& partRecord(std::int32_t j);

    ChartPrimitives primitives_;
    std::map<std::pair<std::string, std::int32_t>, app::FilterRecord> records_;  // by folder and number
};

// --- Pieces of the chart rules that callers and tests reach directly -----------------------------

// The stored record of simulation sim; a number outside the table raises 9.
SimConfigRecord& simConfig(std::int16_t sim);

// Whether a stored measuring point is ticked (3: ticked while its box was disabled).
inline bool pointOn(std::int16_t measure) { return measure == 1 || measure == 3; }

// The smallest multiple of step not below value (value > 0), in steps; an axis beyond any
// sensible size is an overflow (6) rather than a never-ending search.
std::int32_t stepsAbove(double value, double step);

// The automatic voltage axis: -4..8 V when every value lies within it, else -10..20 V.
struct VoltRange {
    float min;
    float max;
};
VoltRange automaticVoltRange(double lowest, double highest);

// Level of one harmonic in dB above 1 µV (amplitude is the peak of the complex pair); never
// below 0 dB, and 0 dB for a harmonic of amplitude 0.
float harmonicLevel(double re, double im);

// Top of the level axis: the smallest multiple of 20 dB not below the highest in-range level;
// an axis with nothing above 0 dB still spans 0 to 20.
std::int32_t spectrumAxisTop(float highestLevel);

// Top of an impedance axis: the smallest multiple of 200 ohm not below vMax; at least 200.
std::int32_t impedanceAxisTop(float vMax);


}  // namespace charts
