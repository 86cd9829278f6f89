// The spectrum of the receiver voltage of a filter-circuit simulation in dB above 1 µV: one bar
// per harmonic with the part, the envelope of the local maxima without it.
#include <array>
#include <cmath>
#include <cstdint>
#include <span>
#include <vector>

#include "app/drawing/filter_charts.h"
#include "app/shared/mdlPublic.h"
#include "platform/canvas.h"
#include "platform/convert.h"
#include "platform/errors.h"

namespace charts {

float harmonicLevel(double re, double im) {
    const float magnitude = toSingle(std::sqrt(re * re + im * im));
    const float microvolts = toSingle(1e6 * static_cast<double>(magnitude) / std::sqrt(2.0));
    // A harmonic of amplitude 0 has no logarithm; it is shown at the floor of the axis.
    if (!(microvolts > 0)) return 0;
    const float level = toSingle(20.0 * mdlPublic::Log10(microvolts));
    return level < 0 ? 0.0f : level;
}

std::int32_t spectrumAxisTop(float highestLevel) {
    // A range without any level above 0 dB still gets a 0 to 20 dB axis.
    if (!(highestLevel > 0)) return 20;
    return 20 * stepsAbove(highestLevel, 20.0);
}

void FilterCharts::DrawSpectrumChart(const ChartTarget& target, std::int16_t sim, bool monochrome) {
    const SimConfigRecord& config = simConfig(sim);
    const std::size_t count = spectrumPointCount(config.ClockFreq);

    const int base = primitives_.beginChart(target);

    // Levels of both results (0 with the part, 1 without), each in single precision, and the highest
    // one inside the range.
    std::vector<double> level[2];
    std::array<SpectrumCurve, 2> curves;
    float highest = 0;
    for (int i = 0; i < 2; ++i) {
        const mdlPublic::SimResultRecord& result =
            mdlPublic::SimResults[static_cast<std::size_t>(i)][static_cast<std::size_t>(sim)];
        if (result.Freq.size() < count || result.Spectrum.size() < 2 * count) platform::raiseError(platform::errSubscript);
        level[i].resize(count);
        for (std::size_t k = 0; k < count; ++k) {
            const float dB = harmonicLevel(result.Spectrum[2 * k], result.Spectrum[2 * k + 1]);
            level[i][k] = dB;
            const float f = toSingle(result.Freq[k]);
            if (config.SpecMin <= f && f <= config.SpecMax && dB > highest) highest = dB;
        }
        curves[static_cast<std::size_t>(i)] = {std::span<const double>(result.Freq).first(count), level[i]};
    }
    const std::int32_t top = spectrumAxisTop(highest);
    const PlotGrid grid =
        primitives_.DrawSpectrumPlot(target, base, monochrome, config.SpecMin, config.SpecMax, top, curves, false);

    FrameAxis axis;
    axis.max = top;
    DrawChartFrame(target, ChartKind::Spec, base, sim, monochrome, grid, axis);
    target.canvas.setDrawWidth(1);
}

}  // namespace charts
