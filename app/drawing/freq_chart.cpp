// The part characteristic of a filter-circuit simulation against a logarithmic frequency axis:
// Z, R and X of a chip ferrite bead, or the insertion loss of a chip filter or capacitor, from
// the part's record in filter.dat; a second part adds its curve and a right-hand axis.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <string>

#include "app/drawing/filter_charts.h"
#include "app/shared/data_files.h"
#include "app/shared/mdlPublic.h"
#include "platform/canvas.h"
#include "platform/convert.h"
#include "platform/errors.h"

namespace charts {

namespace {

constexpr int Samples = app::CurvePoints;  // 201 samples a curve

// The curves of a part: Z, R and X of a chip ferrite bead, the insertion loss of a chip filter or
// capacitor, none of a choke.
enum class PartCurves { Impedance, InsertionLoss, None };

// A part's samples in Hz and its curve values, single precision as stored.
struct PartSamples {
    std::array<float, Samples> x{}, y1{}, y2{}, y3{};
};

// 1-based position in FilterIndex of the part partNum names in the current numbering.
std::int32_t findPart(const std::string& partNum) {
    const std::int32_t view = mdlPublic::partnumType();
    // Found as the check and the netlist found it; then in the other view, as a record may hold
    // the number of the view it was stored in.
    for (const std::int32_t numbers : {view, 1 - view}) {
        const std::int16_t k = mdlPublic::CheckFilPartnum(partNum, 0, numbers);
        if (k >= 0) return k + 1;
    }
    // The configuration form only hands over catalogue parts; a stale number has nothing to draw.
    platform::raiseError(platform::errSubscript, "Part number not found: " + partNum);
}

// Which curves a part of the series of its category has.
PartCurves curvesOf(const mdlPublic::FilterIndexRecord& entry) {
    const std::string series = mdlPublic::GetSeriesFromCategory(entry.Primary);
    if (series == "KSV") return PartCurves::Impedance;
    if (series == "QTA" || series == "JX") return PartCurves::InsertionLoss;
    return PartCurves::None;
}

// The record's samples in Hz and its curve values, single precision as stored: Z, R and X, or the
// insertion loss as a negative value. The in-range extremes raise vMax and lower vMin.
PartSamples samplesOf(const app::FilterRecord& record, PartCurves family, float fMin, float fMax, float& vMax,
                      float& vMin) {
    PartSamples s;
    for (int m = 0; m < Samples; ++m) {
        s.x[m] = toSingle(1e6 * static_cast<double>(record.curve(0)[m]));
        const bool inRange = fMin <= s.x[m] && s.x[m] <= fMax;
        if (family == PartCurves::Impedance) {
            s.y1[m] = record.curve(1)[m];
            s.y2[m] = record.curve(2)[m];
            s.y3[m] = record.curve(3)[m];
            if (inRange) vMax = std::max({vMax, s.y1[m], s.y2[m], s.y3[m]});
        } else if (family == PartCurves::InsertionLoss) {
            s.y1[m] = -record.curve(1)[m];
            if (inRange) vMin = std::min(vMin, s.y1[m]);
        }
    }
    return s;
}

// The part's value axis and its place: impedance axes in steps of 200 ohm from the extremes;
// insertion loss always reads 0 to 100 dB, whatever the part reaches.
FrameAxis valueAxis(PartCurves family, float vMax, float vMin, int partNumber, std::int32_t partIndex) {
    std::int32_t yMax = impedanceAxisTop(vMax);
    std::int32_t yMin = vMin < 0 ? -200 * stepsAbove(-static_cast<double>(vMin), 200.0) : 0;
    if (family == PartCurves::InsertionLoss) {
        yMax = 0;
        yMin = -100;
    }
    FrameAxis axis;
    axis.max = yMax;
    axis.number = partNumber;
    axis.min = yMin;
    axis.partIndex = partIndex;
    return axis;
}

// Pen width of one curve in monochrome: wider for a bead drawn beside a second part.
int monoWidth(int curve, bool twoParts, PartCurves family) {
    if (family == PartCurves::InsertionLoss) return 1;
    static constexpr int Single[] = {5, 3, 1};
    static constexpr int Double[] = {7, 5, 3};
    return twoParts ? Double[curve] : Single[curve];
}

// The part's curves on the grid; segments are drawn where both ends lie between the grid's left
// edge and `right`.
void drawCurves(const ChartTarget& target, const PartSamples& samples, PartCurves family, const FrameAxis& axis,
                const PlotGrid& grid, double right, float fMin, bool monochrome, bool twoParts) {
    platform::Canvas& canvas = target.canvas;
    const auto& [x, y1, y2, y3] = samples;
    const auto yMax = static_cast<std::int32_t>(axis.max);
    const auto yMin = static_cast<std::int32_t>(axis.min);

    const double left = grid.x0;
    const double bottom = grid.y0;
    const double h = grid.cellHeight;
    const double w = grid.cellWidth;
    const double origin = left - static_cast<double>(toSingle(mdlPublic::Log10(fMin) * w));
    const auto px = [&](double f) { return origin + mdlPublic::Log10(toSingle(f)) * w; };

    std::array<double, Samples> px_{}, py1{}, py2{}, py3{};
    for (int m = 0; m < Samples; ++m) {
        px_[m] = px(x[m]);
        if (family == PartCurves::Impedance) {
            const double division = yMax / 4.0;
            py1[m] = bottom + (y1[m] - yMin) * h / division;
            py2[m] = bottom + y2[m] * h / division;
            py3[m] = bottom + y3[m] * h / division;
        } else if (family == PartCurves::InsertionLoss) {
            py1[m] = bottom + (y1[m] - yMin) * h / ((yMax - yMin) / 4.0);
        }
    }

    static constexpr const char* ImpedanceColors[] = {"black", "magenta", "dark-green"};
    const auto colorOf = [&](int curve) {
        if (monochrome) return mdlPublic::GetColor("black");
        return mdlPublic::GetColor(family == PartCurves::InsertionLoss ? "dark-cyan" : ImpedanceColors[curve]);
    };
    const auto penFor = [&](int curve) {
        if (monochrome) canvas.setDrawWidth(monoWidth(curve, twoParts, family));
    };
    if (!monochrome) canvas.setDrawWidth(target.isPrinter() ? 3 : target.isOwnPicture() ? 1 : 2);

    if (family == PartCurves::None) return;
    for (int m = 0; m + 1 < Samples; ++m) {
        if (!withinRange(px_[m], left, right) || !withinRange(px_[m + 1], left, right)) continue;
        penFor(0);
        safeLine(canvas, px_[m], py1[m], px_[m + 1], py1[m + 1], colorOf(0));
        if (family != PartCurves::Impedance) continue;
        penFor(1);
        safeLine(canvas, px_[m], py2[m], px_[m + 1], py2[m + 1], colorOf(1));
        // X is drawn only where it is positive: a segment falling through zero ends at the
        // crossing of that very segment, on the bottom edge.
        penFor(2);
        if (py3[m] >= bottom && py3[m + 1] >= bottom) {
            safeLine(canvas, px_[m], py3[m], px_[m + 1], py3[m + 1], colorOf(2));
        } else if (py3[m] > bottom && bottom > py3[m + 1]) {
            const double fz = x[m] + (static_cast<double>(x[m + 1]) - x[m]) * y3[m] / (static_cast<double>(y3[m]) - y3[m + 1]);
            safeLine(canvas, px_[m], py3[m], px(fz), bottom, colorOf(2));
        }
    }
}

}  // namespace

std::int32_t stepsAbove(double value, double step) {
    const double steps = std::ceil(value / step);
    if (!(steps <= 1.0e7)) platform::raiseError(platform::errOverflow);
    return static_cast<std::int32_t>(steps);
}

std::int32_t impedanceAxisTop(float vMax) {
    // Nothing above 0 ohm in the range still gets a readable axis rather than a zero-height one.
    if (!(vMax > 0)) return 200;
    return 200 * stepsAbove(vMax, 200.0);
}

void FilterCharts::DrawFreqChart(const ChartTarget& target, std::int16_t sim, bool monochrome) {
    const int base = primitives_.beginChart(target);
    const SimConfigRecord& config = simConfig(sim);

    const PlotGrid grid = primitives_.DrawDecadeGrid(target, base, config.FreqMin, config.FreqMax);

    // The extremes run across both parts of a two-part chart.
    float vMax = 0, vMin = 0;
    drawFreqPart(target, sim, monochrome, 1, grid, vMax, vMin);
    if (mdlPublic::hasSecondPart(config.SimType)) drawFreqPart(target, sim, monochrome, 2, grid, vMax, vMin);
    target.canvas.setDrawWidth(1);
}

const app::FilterRecord& FilterCharts::partRecord(std::int32_t j) {
    const std::string folder = mdlPublic::dataFolder();
    auto kept = records_.find({folder, j});
    // The record number is the entry's position in the index.
    if (kept == records_.end()) kept = records_.emplace(std::pair{folder, j}, app::readFilterRecord(folder, j)).first;
    return kept->second;
}

void FilterCharts::drawFreqPart(const ChartTarget& target, std::int16_t sim, bool monochrome, int partNumber,
                                const PlotGrid& grid, float& vMax, float& vMin) {
    const SimConfigRecord& config = simConfig(sim);
    const std::int32_t j = findPart(config.PartNum[static_cast<std::size_t>(partNumber - 1)]);
    const app::FilterRecord& record = partRecord(j);
    const PartCurves family = curvesOf(mdlPublic::FilterIndex[static_cast<std::size_t>(j - 1)]);
    const float fMin = config.FreqMin, fMax = config.FreqMax;

    PartSamples samples = samplesOf(record, family, fMin, fMax, vMax, vMin);
    // Segments crossing an end of the range are cut there, values interpolated.
    cutToFrequencyRange(samples.x, {samples.y1, samples.y2, samples.y3}, fMin, fMax);

    const FrameAxis axis = valueAxis(family, vMax, vMin, partNumber, j);
    const bool twoParts = mdlPublic::hasSecondPart(config.SimType);
    // The segment test runs to the plot box's edge, one unit past the last decade when the
    // width does not divide evenly.
    const double right = primitives_.plotBox(layoutBase(target)).right;
    drawCurves(target, samples, family, axis, grid, right, fMin, monochrome, twoParts);
    DrawChartFrame(target, ChartKind::Freq, layoutBase(target), sim, monochrome, grid, axis);
}

}  // namespace charts
