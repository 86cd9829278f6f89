// The choke impedance, waveform and spectrum charts of a differential simulation.
#include "app/drawing/diff_charts.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <span>
#include <string>
#include <vector>

#include "app/shared/data_files.h"
#include "app/drawing/filter_charts.h"
#include "app/shared/mdlPublic.h"
#include "platform/canvas.h"
#include "platform/convert.h"
#include "platform/errors.h"

namespace charts {

namespace {

constexpr int Samples = app::CurvePoints;  // 201 samples a curve

const mdlPublic::SimResultRecord& result(int kind, std::int16_t sim) {
    return mdlPublic::SimResults[static_cast<std::size_t>(kind)][static_cast<std::size_t>(sim)];
}

// 1-based position of the first entry whose number equals partNum exactly, in the current view,
// then in the other (the record keeps the number of the view it was stored in).
std::int32_t findChoke(const std::string& partNum) {
    const bool global = mdlPublic::partnumType() == 0;
    for (const bool view : {global, !global}) {
        if (partNum.empty()) break;
        for (std::int32_t j = 1; j <= mdlPublic::FilterCount; ++j) {
            const mdlPublic::FilterIndexRecord& entry = mdlPublic::FilterIndex[static_cast<std::size_t>(j - 1)];
            if ((view ? entry.GlobalPartNum : entry.PrevPartNum) == partNum) return j;
        }
    }
    platform::raiseError(platform::errSubscript, "Part number not found: " + partNum);
}

// One curve of a voltage chart: a working copy of its times and voltages.
struct DiffWave {
    std::array<double, DiffResultPoints> t{};
    std::array<double, DiffResultPoints> v{};
};

const mdlPublic::SimResultRecord& waveResult(int kind, std::int16_t sim) {
    const mdlPublic::SimResultRecord& r = result(kind, sim);
    if (r.Time.size() < DiffResultPoints || r.Wave.size() < DiffResultPoints) platform::raiseError(platform::errSubscript);
    return r;
}

}  // namespace

void DiffCharts::DrawFreqChart(const ChartTarget& target, std::int16_t sim, bool monochrome) {
    platform::Canvas& canvas = target.canvas;
    const int base = primitives_.beginChart(target);
    const SimConfig2Record& config = simConfig2(sim);

    const PlotGrid grid = primitives_.DrawDecadeGrid(target, base, config.FreqMin, config.FreqMax);

    const std::int32_t j = findChoke(config.PartNum);
    const app::FilterRecord record = app::readFilterRecord(mdlPublic::dataFolder(), j);
    const float fMin = config.FreqMin, fMax = config.FreqMax;

    // Common mode (block 1) and normal mode (block 2) in ohm.
    std::array<float, Samples> x{}, y1{}, y2{};
    float vMax = 0;
    for (int m = 0; m < Samples; ++m) {
        x[m] = toSingle(1e6 * static_cast<double>(record.curve(0)[m]));
        y1[m] = record.curve(1)[m];
        y2[m] = record.curve(2)[m];
        if (fMin <= x[m] && x[m] <= fMax) vMax = std::max({vMax, y1[m], y2[m]});
    }
    cutToFrequencyRange(x, {y1, y2}, fMin, fMax);
    const std::int32_t yMax = impedanceAxisTop(vMax);

    const double left = grid.x0;
    const double right = primitives_.plotBox(base).right;
    const double bottom = grid.y0;
    const double division = yMax / 4.0;
    const double origin = left - static_cast<double>(toSingle(mdlPublic::Log10(fMin) * grid.cellWidth));
    std::array<double, Samples> px{}, py1{}, py2{};
    for (int m = 0; m < Samples; ++m) {
        px[m] = origin + mdlPublic::Log10(x[m]) * grid.cellWidth;
        py1[m] = bottom + y1[m] * grid.cellHeight / division;
        py2[m] = bottom + y2[m] * grid.cellHeight / division;
    }

    const platform::Color black = mdlPublic::GetColor("black");
    const platform::Color common = monochrome ? black : mdlPublic::GetColor("black");
    const platform::Color normal = monochrome ? black : mdlPublic::GetColor("magenta");
    if (!monochrome) canvas.setDrawWidth(target.isPrinter() ? 3 : target.isOwnPicture() ? 1 : 2);
    for (int m = 0; m + 1 < Samples; ++m) {
        if (!withinRange(px[m], left, right) || !withinRange(px[m + 1], left, right)) continue;
        if (monochrome) canvas.setDrawWidth(3);
        safeLine(canvas, px[m], py1[m], px[m + 1], py1[m + 1], common);
        if (monochrome) canvas.setDrawWidth(1);
        safeLine(canvas, px[m], py2[m], px[m + 1], py2[m + 1], normal);
    }

    DrawChartFrame(target, ChartKind::Freq, base, sim, monochrome, grid, yMax, 0, 0);
    canvas.setDrawWidth(1);
}

void DiffCharts::DrawVoltageChart(const ChartTarget& target, std::int16_t sim, bool monochrome, std::int32_t index) {
    if (index < 0 || index > 2) platform::raiseError(platform::errInvalidArgument, "Unknown voltage chart " + std::to_string(index));
    const int base = primitives_.beginChart(target);
    SimConfig2Record& config = simConfig2(sim);
    const auto c = static_cast<std::size_t>(index);

    // Index 0: the four node waveforms (kinds 0..3); 1 and 2: sum and difference per part state.
    std::vector<DiffWave> curves;
    if (index == 0) {
        for (int kind = 0; kind < 4; ++kind) {
            const mdlPublic::SimResultRecord& r = waveResult(kind, sim);
            DiffWave w;
            std::copy_n(r.Time.begin(), DiffResultPoints, w.t.begin());
            std::copy_n(r.Wave.begin(), DiffResultPoints, w.v.begin());
            curves.push_back(w);
        }
    } else {
        const double sign = index == 1 ? 1.0 : -1.0;
        for (int i = 0; i < 2; ++i) {
            const mdlPublic::SimResultRecord& plus = waveResult(2 * i, sim);
            const mdlPublic::SimResultRecord& minus = waveResult(2 * i + 1, sim);
            DiffWave w;
            for (std::size_t p = 0; p < DiffResultPoints; ++p) {
                w.t[p] = plus.Time[p];
                w.v[p] = plus.Wave[p] + sign * minus.Wave[p];
            }
            curves.push_back(w);
        }
    }

    if (config.VoltMin[c] == 0 && config.VoltMax[c] == 0) {
        const DiffVoltRange range = defaultDiffVoltRange(config.DccType, config.DccClock, index);
        config.VoltMin[c] = range.min;
        config.VoltMax[c] = range.max;
    }
    for (DiffWave& w : curves) clipToTimeRange(w.t, w.v, config.TimeMin, config.TimeMax);

    const PlotBox box = primitives_.plotBox(base);
    const PlotGrid grid = primitives_.plotGrid(base, 7, 6);
    const float vMin = config.VoltMin[c], vMax = config.VoltMax[c];
    primitives_.DrawChartGrid(target, ChartKind::Vol, grid, box.top, vMax, vMin);

    const double timeSpan = static_cast<double>(config.TimeMax) - config.TimeMin;
    const double voltSpan = static_cast<double>(vMax) - vMin;
    if (timeSpan == 0 || voltSpan == 0) platform::raiseError(platform::errDivisionByZero);

    // With the choke blue, without it red; on a black-only page the choke's curves are wider.
    static constexpr const char* FourColors[] = {"blue", "blue", "red", "red"};
    static constexpr int FourWidths[] = {3, 3, 1, 1};
    static constexpr const char* TwoColors[] = {"blue", "red"};
    static constexpr int TwoWidths[] = {3, 1};
    std::vector<double> x(DiffResultPoints), y(DiffResultPoints);
    for (std::size_t k = 0; k < curves.size(); ++k) {
        for (std::size_t p = 0; p < DiffResultPoints; ++p) {
            x[p] = box.left + curves[k].t[p] * (box.right - box.left) / timeSpan;
            y[p] = box.bottom + (curves[k].v[p] - vMin) * (box.top - box.bottom) / voltSpan;
        }
        const char* color = index == 0 ? FourColors[k] : TwoColors[k];
        int width = target.isOwnPicture() ? 1 : 2;
        if (target.isPrinter()) width = monochrome ? (index == 0 ? FourWidths[k] : TwoWidths[k]) : 3;
        if (target.isPrinter() && monochrome) color = "black";
        primitives_.DrawCurve(target, x, y, box.left, box.right, width, mdlPublic::GetColor(color));
    }

    // The voltage frame reads its range from the record in doubles: a range such as +-1E30 fits no long.
    DrawChartFrame(target, ChartKind::Vol, base, sim, monochrome, grid, 0, 0, index);
    target.canvas.setDrawWidth(1);
}

void DiffCharts::DrawSpectrumChart(const ChartTarget& target, std::int16_t sim, bool monochrome) {
    const SimConfig2Record& config = simConfig2(sim);
    const std::size_t count = spectrumPointCount(config.ClockFreq);

    const int base = primitives_.beginChart(target);
    platform::Canvas& canvas = target.canvas;

    for (int kind = 0; kind < 4; ++kind)
        if (result(kind, sim).Freq.size() < count || result(kind, sim).Spectrum.size() < 2 * count)
            platform::raiseError(platform::errSubscript);
    const std::vector<double>& freq = result(0, sim).Freq;

    // Levels of V+ + V- with the choke (0) and without (1), in double precision.
    std::vector<double> level[2];
    float highest = 0;
    for (int i = 0; i < 2; ++i) {
        const mdlPublic::SimResultRecord& plus = result(2 * i, sim);
        const mdlPublic::SimResultRecord& minus = result(2 * i + 1, sim);
        level[i].resize(count);
        for (std::size_t k = 0; k < count; ++k) {
            const double re = plus.Spectrum[2 * k] + minus.Spectrum[2 * k];
            const double im = plus.Spectrum[2 * k + 1] + minus.Spectrum[2 * k + 1];
            const float microvolts = toSingle(1e6 * std::sqrt(re * re + im * im) / std::sqrt(2.0));
            // A harmonic the pair cancels completely is shown at the floor of the axis.
            double dB = microvolts > 0 ? 20.0 * mdlPublic::Log10(microvolts) : 0.0;
            if (dB < 0) dB = 0;
            level[i][k] = dB;
            const float f = toSingle(freq[k]);
            if (config.SpecMin <= f && f <= config.SpecMax && toSingle(dB) > highest) highest = toSingle(dB);
        }
    }
    const std::int32_t top = spectrumAxisTop(highest);
    // No envelope when the pair without the choke shows nothing at the fundamental.
    const bool silent = count < 2 || level[1][1] == 0;
    const std::span<const double> at = std::span<const double>(freq).first(count);
    const std::array<SpectrumCurve, 2> curves = {{{at, level[0]}, {at, silent ? std::span<const double>() : level[1]}}};
    const PlotGrid grid =
        primitives_.DrawSpectrumPlot(target, base, monochrome, config.SpecMin, config.SpecMax, top, curves, true);

    DrawChartFrame(target, ChartKind::Spec, base, sim, monochrome, grid, top, 0, 0);
    canvas.setDrawWidth(1);
}

}  // namespace charts
