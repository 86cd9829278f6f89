// The voltage waveform of a filter-circuit simulation: with and without the part at point B, with
// the part at point A, over one or two clock periods.
#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "app/drawing/filter_charts.h"
#include "app/shared/engine_run.h"
#include "app/shared/mdlPublic.h"
#include "platform/canvas.h"
#include "platform/convert.h"
#include "platform/errors.h"

namespace charts {

namespace {

constexpr std::size_t WavePoints = app::FilterResultPoints;  // 0..201

struct Waveform {
    bool present = false;
    std::array<double, WavePoints> t{};
    std::array<double, WavePoints> v{};
};

// A working copy of result kind k; a kind that is drawn must hold all its points.
Waveform copyWaveform(int kind, std::int16_t sim, bool required) {
    const mdlPublic::SimResultRecord& result =
        mdlPublic::SimResults[static_cast<std::size_t>(kind)][static_cast<std::size_t>(sim)];
    Waveform w;
    if (result.Time.size() < WavePoints || result.Wave.size() < WavePoints) {
        // A kind that is not drawn and was never filled (point A not simulated) simply counts for nothing.
        if (required || !result.Time.empty() || !result.Wave.empty()) platform::raiseError(platform::errSubscript);
        return w;
    }
    w.present = true;
    std::copy_n(result.Time.begin(), WavePoints, w.t.begin());
    std::copy_n(result.Wave.begin(), WavePoints, w.v.begin());
    return w;
}

struct CurveStyle {
    const char* color;
    int width;
};

// Colour and pen width of curve k (0 with part at B, 1 without, 2 with part at A) on a target.
CurveStyle curveStyle(int k, const ChartTarget& target, bool monochrome) {
    static constexpr const char* Colors[] = {"blue", "red", "violet"};
    static constexpr int MonoWidths[] = {6, 3, 1};
    if (target.isPrinter()) {
        if (monochrome) return {"black", MonoWidths[k]};
        return {Colors[k], 3};
    }
    return {Colors[k], target.isOwnPicture() ? 1 : 2};
}

}  // namespace

VoltRange automaticVoltRange(double lowest, double highest) {
    if (lowest >= -4 && highest <= 8) return {-4.0f, 8.0f};
    return {-10.0f, 20.0f};
}

void FilterCharts::DrawVoltageChart(const ChartTarget& target, std::int16_t sim, bool monochrome) {
    const int base = primitives_.beginChart(target);
    SimConfigRecord& config = simConfig(sim);

    const std::array<bool, 3> drawn = {pointOn(config.Measure[1]), true, pointOn(config.Measure[0])};
    std::array<Waveform, 3> curves;
    for (int k = 0; k < 3; ++k) curves[static_cast<std::size_t>(k)] = copyWaveform(k, sim, drawn[static_cast<std::size_t>(k)]);

    if (config.VoltMin == 0 && config.VoltMax == 0) {
        // Every simulated kind counts, drawn or not, so the axis stays the same whichever points are shown.
        double lowest = 0, highest = 0;
        for (const Waveform& w : curves) {
            if (!w.present) continue;
            for (std::size_t p = 0; p < WavePoints; ++p) {
                const float t = toSingle(w.t[p]);
                if (t < config.TimeMin || t > config.TimeMax) continue;
                lowest = std::min(lowest, w.v[p]);
                highest = std::max(highest, w.v[p]);
            }
        }
        const VoltRange range = automaticVoltRange(lowest, highest);
        config.VoltMin = range.min;
        config.VoltMax = range.max;
    }

    const std::array<Waveform, 3> unshifted = curves;
    for (Waveform& w : curves) clipToTimeRange(w.t, w.v, config.TimeMin, config.TimeMax);

    const PlotBox box = primitives_.plotBox(base);
    const PlotGrid grid = primitives_.plotGrid(base, 4, 6);
    primitives_.DrawChartGrid(target, ChartKind::Vol, grid, box.top, config.VoltMax, config.VoltMin);

    const double timeSpan = static_cast<double>(config.TimeMax) - config.TimeMin;
    const double voltSpan = static_cast<double>(config.VoltMax) - config.VoltMin;
    if (timeSpan == 0 || voltSpan == 0) platform::raiseError(platform::errDivisionByZero);
    const double period = 1.0 / (static_cast<double>(platform::CSng(config.ClockFreq)) * 1e6);

    std::vector<double> x(WavePoints), y(WavePoints);
    const auto drawCopy = [&](const Waveform& w, int k, double shift) {
        for (std::size_t p = 0; p < WavePoints; ++p) {
            x[p] = box.left + (w.t[p] + shift) * (box.right - box.left) / timeSpan;
            y[p] = box.bottom + (w.v[p] - config.VoltMin) * (box.top - box.bottom) / voltSpan;
        }
        const CurveStyle style = curveStyle(k, target, monochrome);
        primitives_.DrawCurve(target, x, y, box.left, box.right, style.width, mdlPublic::GetColor(style.color));
    };
    // Each curve is drawn again one period later: that copy fills the second period when two are
    // shown and falls outside the axis (and is dropped) when one is.
    for (int k = 0; k < 3; ++k)
        if (drawn[static_cast<std::size_t>(k)]) drawCopy(curves[static_cast<std::size_t>(k)], k, 0.0);
    for (int k = 0; k < 3; ++k)
        if (drawn[static_cast<std::size_t>(k)]) drawCopy(unshifted[static_cast<std::size_t>(k)], k, period);

    FrameAxis axis;
    axis.max = config.VoltMax;
    axis.min = config.VoltMin;
    DrawChartFrame(target, ChartKind::Vol, base, sim, monochrome, grid, axis);
    target.canvas.setDrawWidth(1);
}

}  // namespace charts
