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

enum class PartCurves { Impedance, InsertionLoss, None };

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

// Pen width of one curve in monochrome: wider for a bead drawn beside a second part.
int monoWidth(int curve, bool twoParts, PartCurves family) {
    if (family == PartCurves::InsertionLoss) return 1;
    static constexpr int Single[] = {5, 3, 1};
    static constexpr int Double[] = {7, 5, 3};
    return twoParts ? Double[curve] : Single[curve];
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

void FilterCharts::drawFreqPart(const ChartTarget& target, std::int16_t sim, bool monochrome, int partNumber,
                                const PlotGrid& grid, float& vMax, float& vMin) {
    platform::Canvas& canvas = target.canvas;
    const SimConfigRecord& config = simConfig(sim);
    const std::int32_t j = findPart(config.PartNum[static_cast<std::size_t>(partNumber - 1)]);
    const mdlPublic::FilterIndexRecord& entry = mdlPublic::FilterIndex[static_cast<std::size_t>(j - 1)];
    // The record number is the entry's position in the index.
    const app::FilterRecord record = app::readFilterRecord(mdlPublic::dataFolder(), j);

    const std::string series = mdlPublic::GetSeriesFromCategory(entry.Primary);
    const PartCurves family = series == "KSV"                   ? PartCurves::Impedance
                              : (series == "QTA" || series == "JX") ? PartCurves::InsertionLoss
                                                                    : PartCurves::None;
    const float fMin = config.FreqMin, fMax = config.FreqMax;

    // Samples in Hz and the curve values, single precision as stored.
    std::array<float, Samples> x{}, y1{}, y2{}, y3{};
    for (int m = 0; m < Samples; ++m) {
        x[m] = toSingle(1e6 * static_cast<double>(record.curve(0)[m]));
        const bool inRange = fMin <= x[m] && x[m] <= fMax;
        if (family == PartCurves::Impedance) {
            y1[m] = record.curve(1)[m];
            y2[m] = record.curve(2)[m];
            y3[m] = record.curve(3)[m];
            if (inRange) vMax = std::max({vMax, y1[m], y2[m], y3[m]});
        } else if (family == PartCurves::InsertionLoss) {
            y1[m] = -record.curve(1)[m];
            if (inRange) vMin = std::min(vMin, y1[m]);
        }
    }

    // Segments crossing an end of the range are cut there, values interpolated.
    cutToFrequencyRange(x, {y1, y2, y3}, fMin, fMax);

    std::int32_t yMax = impedanceAxisTop(vMax);
    std::int32_t yMin = vMin < 0 ? -200 * stepsAbove(-static_cast<double>(vMin), 200.0) : 0;
    if (family == PartCurves::InsertionLoss) {
        // Insertion loss always reads 0 to 100 dB, whatever the part reaches.
        yMax = 0;
        yMin = -100;
    }

    const double left = grid.x0;
    // The segment test runs to the plot box's edge, one unit past the last decade when the
    // width does not divide evenly.
    const double right = primitives_.plotBox(layoutBase(target)).right;
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

    const bool twoParts = mdlPublic::hasSecondPart(config.SimType);
    static constexpr const char* ImpedanceColors[] = {"black", "magenta", "dark-green"};
    const auto colorOf = [&](int curve) {
        if (monochrome) return mdlPublic::GetColor("black");
        return mdlPublic::GetColor(family == PartCurves::InsertionLoss ? "dark-cyan" : ImpedanceColors[curve]);
    };
    const auto penFor = [&](int curve) {
        if (monochrome) canvas.setDrawWidth(monoWidth(curve, twoParts, family));
    };
    if (!monochrome) canvas.setDrawWidth(target.isPrinter() ? 3 : target.isOwnPicture() ? 1 : 2);

    if (family != PartCurves::None) {
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

    FrameAxis axis;
    axis.max = yMax;
    axis.number = partNumber;
    axis.min = yMin;
    axis.partIndex = j;
    DrawChartFrame(target, ChartKind::Freq, layoutBase(target), sim, monochrome, grid, axis);
}

}  // namespace charts
