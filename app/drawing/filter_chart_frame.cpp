// The frame of the filter-circuit charts: title, axis titles, tick labels and legend.
#include <cmath>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "app/drawing/filter_charts.h"
#include "app/shared/mdlPublic.h"
#include "platform/canvas.h"
#include "platform/convert.h"
#include "platform/errors.h"
#include "platform/strings.h"

namespace charts {

namespace {

struct LegendLine {
    int textId;           // 0: the literal text below
    const char* literal;
    std::int32_t y;
    const char* color;
    int monoWidth;
};

std::string legendText(const LegendLine& line) {
    return line.textId != 0 ? platform::LoadResString(line.textId) : std::string(line.literal);
}

const mdlPublic::FilterIndexRecord& filterEntry(std::int32_t partIndex) {
    if (partIndex < 1 || partIndex > mdlPublic::FilterCount) platform::raiseError(platform::errSubscript);
    return mdlPublic::FilterIndex[static_cast<std::size_t>(partIndex - 1)];
}

// Frequency legend: texts at X0 + 20 ("R" at X0 + 15 in colour); in black with a line sample of
// the curve's pen width when monochrome.
void frequencyLegend(platform::Canvas& canvas, const PlotGrid& grid, bool monochrome,
                     std::span<const LegendLine> lines) {
    for (const LegendLine& line : lines) {
        const std::string text = legendText(line);
        if (monochrome) {
            canvas.setForeColor(mdlPublic::GetColor("black"));
            frameText(canvas, grid.x0 + 20, line.y, text);
            canvas.setDrawWidth(line.monoWidth);
            canvas.Line(grid.x0 + 60, line.y - 20, grid.x0 + 100, line.y - 20, mdlPublic::GetColor("black"));
        } else {
            canvas.setForeColor(mdlPublic::GetColor(line.color));
            frameText(canvas, grid.x0 + (text == "R" ? 15 : 20), line.y, text);
        }
    }
}

// Monochrome legends draw their line sample 20 units below the text.
constexpr int MonoSampleDrop = 20;

}  // namespace

SimConfigRecord& simConfig(std::int16_t sim) {
    if (sim < 0 || sim >= mdlPublic::MaxSims) platform::raiseError(platform::errSubscript);
    return mdlPublic::SimConfigs[static_cast<std::size_t>(sim)];
}

// The filter circuit's curves hold points 0..201, segments 0..200.
FilterCharts::FilterCharts() : primitives_(200) {}

void FilterCharts::DrawChartFrame(const ChartTarget& target, ChartKind kind, int base, std::int16_t sim,
                                  bool monochrome, const PlotGrid& grid, const FrameAxis& axis) {
    platform::Canvas& canvas = target.canvas;
    const SimConfigRecord& config = simConfig(sim);
    const auto L = [&](int entry) { return primitives_.layout(base + entry); };

    // Series of the part behind a frequency axis; only the frequency chart asks.
    const auto partSeries = [&] { return mdlPublic::GetSeriesFromCategory(filterEntry(axis.partIndex).Primary); };

    // 1. Title.
    std::string title;
    switch (kind) {
    case ChartKind::Freq:
        if (config.PartNum[1].empty()) {
            const std::string series = partSeries();
            if (series == "KSV")
                title = platform::LoadResString(5601);
            else if (series == "QTA" || series == "JX")
                title = platform::LoadResString(5604);
        } else {
            title = platform::LoadResString(5605);
        }
        break;
    case ChartKind::Vol: title = platform::LoadResString(5602); break;
    case ChartKind::Spec: title = platform::LoadResString(5603); break;
    }
    if (!title.empty()) frameText(canvas, L(TitleX), L(TitleY), title);

    // 2. X-axis title.
    frameText(canvas, L(XTitleX), L(XTitleY), kind == ChartKind::Vol ? "Time[nsec]" : "Frequency[MHz]");

    // 3. X-tick labels.
    xTickLabels(canvas, kind, config, grid, L(XTickShift), L(XTickY),
                [](std::int32_t, double ns) { return tickNumber(ns); });

    // 4. Y axis.
    const auto rowY = [&](std::int32_t i) { return grid.y0 + static_cast<double>(i) * grid.cellHeight + L(YTickRaise); };
    const auto axisValue = [&](std::int32_t i) { return axis.min + (axis.max - axis.min) / 4 * i; };
    switch (kind) {
    case ChartKind::Freq:
        if (axis.number == 1) {
            const bool impedance = partSeries() == "KSV";
            frameText(canvas, L(YUnitX), L(YUnitY), impedance ? "[ohm]" : "[dB]");
            for (std::int32_t i = 0; i <= grid.rows; ++i) {
                const double v = axisValue(i);
                frameText(canvas, L(YTickX), rowY(i), wholeNumber(impedance ? v : std::fabs(v)));
            }
        } else if (axis.number == 2) {
            frameText(canvas, L(RightAxisX), L(YUnitY), "[dB]");
            for (std::int32_t i = 0; i <= grid.rows; ++i)
                frameText(canvas, L(RightAxisX), rowY(i), wholeNumber(std::fabs(axisValue(i))));
        }
        break;
    case ChartKind::Vol:
        frameText(canvas, L(YUnitX), L(YUnitY), "[V]");
        for (std::int32_t i = 0; i <= grid.rows; ++i) {
            const double v = config.VoltMin + i * (static_cast<double>(config.VoltMax) - config.VoltMin) / grid.rows;
            frameText(canvas, L(VoltTickX), rowY(i), tickNumber(v));
        }
        break;
    case ChartKind::Spec: levelAxis(canvas, L(YUnitX), L(YUnitY), L(YTickX), grid, L(YTickRaise), axis.max); break;
    }

    // 5. Legend.
    switch (kind) {
    case ChartKind::Freq:
        if (mdlPublic::hasSecondPart(config.SimType)) {
            static constexpr LegendLine lines[] = {{0, "IL", 890, "dark-cyan", 1},
                                                   {0, "Z", 710, "black", 7},
                                                   {0, "R", 620, "magenta", 5},
                                                   {0, "X", 530, "dark-green", 3}};
            frequencyLegend(canvas, grid, monochrome, lines);
        } else if (partSeries() == "KSV") {
            static constexpr LegendLine lines[] = {
                {0, "Z", 890, "black", 5}, {0, "R", 800, "magenta", 3}, {0, "X", 710, "dark-green", 1}};
            frequencyLegend(canvas, grid, monochrome, lines);
        } else {
            static constexpr LegendLine lines[] = {{0, "IL", 890, "dark-cyan", 1}};
            frequencyLegend(canvas, grid, monochrome, lines);
        }
        break;
    case ChartKind::Vol: {
        std::vector<LegendEntry> lines = {{5630, 890, "red", 3}};
        if (pointOn(config.Measure[1])) lines.push_back({5631, 800, "blue", 6});
        if (pointOn(config.Measure[0])) lines.push_back({5632, 710, "violet", 1});
        rightAlignedLegend(canvas, grid, monochrome, lines, MonoSampleDrop);
        break;
    }
    case ChartKind::Spec:
        if (!monochrome) {
            static constexpr LegendEntry lines[] = {{5630, 890, "red", 0}, {5631, 800, "blue", 0}};
            rightAlignedLegend(canvas, grid, false, lines, MonoSampleDrop);
        }
        break;
    }

    // 6.
    canvas.setForeColor(mdlPublic::GetColor("black"));
}

}  // namespace charts
