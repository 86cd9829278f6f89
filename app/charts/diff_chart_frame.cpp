// The frame of the differential charts: title (with the large operator of the sum and difference
// charts), axis titles, tick labels and legend.
#include <cmath>
#include <span>
#include <string>

#include "app/charts/diff_charts.h"
#include "app/shell/mdlPublic.h"
#include "platform/canvas.h"
#include "platform/convert.h"
#include "platform/errors.h"
#include "platform/strings.h"

namespace charts {

namespace {

struct LegendLine {
    int textId;
    std::int32_t y;
    const char* color;
    int monoWidth;
};

void printAt(platform::Canvas& canvas, double x, double y, const std::string& text, double size = 0) {
    chartText(canvas, static_cast<float>(x), static_cast<float>(y), text, size);
}

std::string wholeNumber(double value) { return platform::CStr(static_cast<int>(roundToLong(value))); }

// Monochrome legends draw their line sample 40 units below the text.
constexpr int MonoSampleDrop = 40;

void frequencyLegend(platform::Canvas& canvas, const PlotGrid& grid, bool monochrome) {
    static constexpr LegendLine lines[] = {{6906, 890, "black", 3}, {6907, 800, "magenta", 1}};
    for (const LegendLine& line : lines) {
        const std::string text = platform::LoadResString(line.textId);
        if (monochrome) {
            canvas.setForeColor(mdlPublic::GetColor("black"));
            printAt(canvas, grid.x0 + 70, line.y, text);
            canvas.setDrawWidth(line.monoWidth);
            canvas.Line(grid.x0 + 20, line.y - MonoSampleDrop, grid.x0 + 60, line.y - MonoSampleDrop,
                        mdlPublic::GetColor("black"));
        } else {
            canvas.setForeColor(mdlPublic::GetColor(line.color));
            printAt(canvas, grid.x0 + (line.textId == 6906 ? 20 : 15), line.y, text);
        }
    }
}

void rightAlignedLegend(platform::Canvas& canvas, const PlotGrid& grid, bool monochrome,
                        std::span<const LegendLine> lines) {
    const double x1 = grid.right();
    for (const LegendLine& line : lines) {
        const std::string text = platform::LoadResString(line.textId);
        if (monochrome) {
            canvas.setForeColor(mdlPublic::GetColor("black"));
            printAt(canvas, x1 - canvas.TextWidth(text) - 60, line.y, text);
            canvas.setDrawWidth(line.monoWidth);
            canvas.Line(x1 - 50, line.y - MonoSampleDrop, x1 - 10, line.y - MonoSampleDrop, mdlPublic::GetColor("black"));
        } else {
            canvas.setForeColor(mdlPublic::GetColor(line.color));
            printAt(canvas, x1 - canvas.TextWidth(text), line.y, text);
        }
    }
}

// "<base>(V+ <op> V-)" with the operator at 16 points, centred on the title line, red on screen.
void composedTitle(const ChartTarget& target, double x, double y, const std::string& base, const std::string& op) {
    platform::Canvas& canvas = target.canvas;
    const std::string head = base + "(V+ ";
    double width = canvas.TextWidth(base + "V+ ");
    const double titleHeight = std::abs(canvas.TextHeight(base + "V+ "));
    const double kept = canvas.FontSize();
    canvas.setFontSize(16);
    width += canvas.TextWidth(op);
    const double opHeight = std::abs(canvas.TextHeight(op));
    canvas.setFontSize(kept);
    width += canvas.TextWidth(" ");
    // y grows upward: the larger operator starts half the height difference above the title's top.
    const double raise = (opHeight - titleHeight) / 2;

    printAt(canvas, x, y, head);
    if (!target.isPrinter()) canvas.setForeColor(platform::RGB(255, 0, 0));
    printAt(canvas, x + canvas.TextWidth(head), y + raise, op, 16);
    if (!target.isPrinter()) canvas.setForeColor(platform::RGB(0, 0, 0));
    printAt(canvas, x + width, y, " V-)");
}

}  // namespace

SimConfig2Record& simConfig2(std::int16_t sim) {
    if (sim < 0 || sim >= mdlPublic::MaxSims) platform::raiseError(platform::errSubscript);
    return mdlPublic::SimConfigs2[static_cast<std::size_t>(sim)];
}

std::string diffTimeTick(double nanoseconds) {
    const std::string text = platform::Format(nanoseconds, "0.#");
    const std::string sign = platform::DecimalSign();
    const bool endsInSign =
        text.size() >= sign.size() && text.compare(text.size() - sign.size(), sign.size(), sign) == 0;
    if (endsInSign || nanoseconds >= 100) return platform::Format(nanoseconds, "0");
    return text;
}

DiffVoltRange defaultDiffVoltRange(const std::string& dccType, const std::string& dccClock, std::int32_t index) {
    if (index < 0 || index > 2) platform::raiseError(platform::errInvalidArgument, "Unknown voltage chart " + std::to_string(index));
    static constexpr DiffVoltRange UsbSlow[] = {{-1, 4}, {0, 6}, {-5, 5}};
    static constexpr DiffVoltRange UsbHigh[] = {{-0.1f, 0.5f}, {0, 0.8f}, {-0.7f, 0.7f}};
    static constexpr DiffVoltRange Lvds[] = {{0.8f, 1.6f}, {0, 4.8f}, {-0.6f, 0.6f}};
    static constexpr DiffVoltRange Ieee[] = {{1.65f, 2.0f}, {0, 7.4f}, {-0.4f, 0.4f}};
    const auto at = static_cast<std::size_t>(index);
    if (dccType == "USB2.0") {
        if (dccClock == "LS(1.5Mbps)" || dccClock == "FS(12Mbps)") return UsbSlow[at];
        if (dccClock == "HS(480Mbps)") return UsbHigh[at];
    } else if (dccType == "LVDS") {
        return Lvds[at];
    } else if (dccType == "IEEE1394") {
        return Ieee[at];
    }
    platform::raiseError(platform::errInvalidArgument, "Unknown interface " + dccType + " " + dccClock);
}

// The differential curves hold points 0..353, segments 0..352.
DiffCharts::DiffCharts() : primitives_(static_cast<int>(DiffWavePoints) - 2) {}

int DiffCharts::beginChart(const ChartTarget& target) {
    primitives_.SetChartLayout();
    if (!target.isZoom() && !target.isPrinter()) target.canvas.Cls();
    return layoutBase(target);
}

void DiffCharts::DrawChartFrame(const ChartTarget& target, ChartKind kind, int base, std::int16_t sim,
                                bool monochrome, const PlotGrid& grid, std::int32_t value1, std::int32_t value2,
                                std::int32_t chartIndex) {
    platform::Canvas& canvas = target.canvas;
    const SimConfig2Record& config = simConfig2(sim);
    const auto L = [&](int entry) { return primitives_.layout(base + entry); };

    // 1. Title.
    switch (kind) {
    case ChartKind::Freq: printAt(canvas, L(TitleX), L(TitleY), platform::LoadResString(6901)); break;
    case ChartKind::Vol:
        if (chartIndex == 0)
            printAt(canvas, L(TitleX), L(TitleY), platform::LoadResString(6908));
        else
            composedTitle(target, L(TitleX), L(TitleY), platform::LoadResString(6902), chartIndex == 1 ? "+" : "-");
        break;
    case ChartKind::Spec: composedTitle(target, L(TitleX), L(TitleY), platform::LoadResString(6903), "+"); break;
    }

    // 2. X-axis title.
    printAt(canvas, L(XTitleX), L(XTitleY), kind == ChartKind::Vol ? "Time[nsec]" : "Frequency[MHz]");

    // 3. X-tick labels, centred on their grid line; the seven time columns are labelled every other one.
    for (std::int32_t i = 0; i <= grid.columns; ++i) {
        std::string label;
        switch (kind) {
        case ChartKind::Freq:
            label = wholeNumber(std::pow(10.0, static_cast<double>(mdlPublic::Log10(config.FreqMin)) + i - 6));
            break;
        case ChartKind::Vol:
            if (i % 2 != 0) continue;
            label = diffTimeTick((config.TimeMin + i * (static_cast<double>(config.TimeMax) - config.TimeMin) / grid.columns) * 1e9);
            break;
        case ChartKind::Spec:
            label = tickNumber((config.SpecMin + i * (static_cast<double>(config.SpecMax) - config.SpecMin) / grid.columns) * 1e-6);
            break;
        }
        const double xc = grid.x0 + static_cast<double>(i) * grid.cellWidth - L(XTickShift);
        printAt(canvas, xc - canvas.TextWidth(label) / 2, L(XTickY), label);
    }

    // 4. Y axis.
    const auto rowY = [&](std::int32_t i) { return grid.y0 + static_cast<double>(i) * grid.cellHeight + L(YTickRaise); };
    switch (kind) {
    case ChartKind::Freq:
        printAt(canvas, L(YUnitX), L(YUnitY), "[ohm]");
        for (std::int32_t i = 0; i <= grid.rows; ++i)
            printAt(canvas, L(YTickX), rowY(i), wholeNumber(value2 + (static_cast<double>(value1) - value2) / 4 * i));
        break;
    case ChartKind::Vol: {
        if (chartIndex < 0 || chartIndex > 2) platform::raiseError(platform::errSubscript);
        const auto c = static_cast<std::size_t>(chartIndex);
        printAt(canvas, L(YUnitX), L(YUnitY), "[V]");
        for (std::int32_t i = 0; i <= grid.rows; ++i) {
            const double v = config.VoltMin[c] + i * (static_cast<double>(config.VoltMax[c]) - config.VoltMin[c]) / grid.rows;
            printAt(canvas, L(VoltTickX), rowY(i), tickNumber(v));
        }
        break;
    }
    case ChartKind::Spec: {
        const double size = canvas.FontSize();
        const std::string name = canvas.FontName();
        canvas.setFontSize(8);
        canvas.setFontName("Arial");
        printAt(canvas, L(YUnitX), L(YUnitY), "[dB" + platform::Chr(181) + "V]");
        canvas.setFontSize(size);
        canvas.setFontName(name);
        for (std::int32_t i = 0; i <= grid.rows; ++i)
            printAt(canvas, L(YTickX), rowY(i), platform::CStr(static_cast<double>(value1) / 4 * i));
        break;
    }
    }

    // 5. Legend.
    static constexpr LegendLine Insert[] = {{6904, 890, "red", 1}, {6905, 800, "blue", 3}};
    switch (kind) {
    case ChartKind::Freq: frequencyLegend(canvas, grid, monochrome); break;
    case ChartKind::Vol: rightAlignedLegend(canvas, grid, monochrome, Insert); break;
    case ChartKind::Spec:
        if (!monochrome) rightAlignedLegend(canvas, grid, false, Insert);
        break;
    }

    // 6.
    canvas.setForeColor(mdlPublic::GetColor("black"));
}

}  // namespace charts
