// The frame of the differential charts: title (with the large operator of the sum and difference
// charts), axis titles, tick labels and legend.
#include <algorithm>
#include <cmath>
#include <charconv>
#include <cstdint>
#include <span>
#include <string>

#include "app/drawing/diff_charts.h"
#include "app/shared/mdlPublic.h"
#include "platform/canvas.h"
#include "platform/convert.h"
#include "platform/errors.h"
#include "platform/strings.h"

namespace charts {

namespace {

// Monochrome legends draw their line sample 40 units below the text.
constexpr int MonoSampleDrop = 40;

void frequencyLegend(platform::Canvas& canvas, const PlotGrid& grid, bool monochrome) {
    static constexpr LegendEntry lines[] = {{6906, 890, "black", 3}, {6907, 800, "magenta", 1}};
    for (const LegendEntry& line : lines) {
        const std::string text = platform::LoadResString(line.textId);
        if (monochrome) {
            canvas.setForeColor(mdlPublic::GetColor("black"));
            frameText(canvas, grid.x0 + 70, line.y, text);
            canvas.setDrawWidth(line.monoWidth);
            canvas.Line(grid.x0 + 20, line.y - MonoSampleDrop, grid.x0 + 60, line.y - MonoSampleDrop,
                        mdlPublic::GetColor("black"));
        } else {
            canvas.setForeColor(mdlPublic::GetColor(line.color));
            frameText(canvas, grid.x0 + (line.textId == 6906 ? 20 : 15), line.y, text);
        }
    }
}

// The operator's size beside the chart pictures' own 8-point text.
constexpr double OperatorSize = 16;
constexpr double PictureTextSize = 8;
// The top edge of the chart space.
constexpr double ChartTop = 1000;

// "<base>(V+ <op> V-)" with the operator large, centred on the title line, red on screen. On the
// printer, whose text size the page sets for each frame, the operator keeps its proportion to
// that text and is made smaller still where it would rise out of its frame.
void composedTitle(const ChartTarget& target, double x, double y, const std::string& base, const std::string& op) {
    platform::Canvas& canvas = target.canvas;
    const std::string head = base + "(V+ ";
    const double titleHeight = std::abs(canvas.TextHeight(base + "V+ "));
    const double kept = canvas.FontSize();
    double opSize = target.isPrinter() ? OperatorSize * kept / PictureTextSize : OperatorSize;
    // y grows upward: the larger operator starts half the height difference above the title's top.
    const auto raiseAt = [&](double size) {
        canvas.setFontSize(size);
        const double raise = (std::abs(canvas.TextHeight(op)) - titleHeight) / 2;
        canvas.setFontSize(kept);
        return raise;
    };
    double raise = raiseAt(opSize);
    while (target.isPrinter() && y + raise > ChartTop && opSize - 0.5 >= kept) raise = raiseAt(opSize -= 0.5);
    canvas.setFontSize(opSize);
    const double opWidth = canvas.TextWidth(op);
    canvas.setFontSize(kept);
    const double width = canvas.TextWidth(base + "V+ ") + opWidth + canvas.TextWidth(" ");

    frameText(canvas, x, y, head);
    if (!target.isPrinter()) canvas.setForeColor(platform::RGB(255, 0, 0));
    frameText(canvas, x + canvas.TextWidth(head), y + raise, op, opSize);
    if (!target.isPrinter()) canvas.setForeColor(platform::RGB(0, 0, 0));
    frameText(canvas, x + width, y, " V-)");
}

// A number in exponent form with `digits` significant digits, trailing zeros dropped, as the
// general number form writes it ("1E+30", "-2.5E+29"); locale decimal sign.
std::string exponentForm(double value, int digits) {
    char text[40];
    const auto written = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific, digits - 1);
    std::string form(text, written.ptr);
    const std::size_t e = form.find('e');
    std::string mantissa = form.substr(0, e);
    if (mantissa.find('.') != std::string::npos) {
        while (mantissa.back() == '0') mantissa.pop_back();
        if (mantissa.back() == '.') mantissa.pop_back();
    }
    if (const std::size_t dot = mantissa.find('.'); dot != std::string::npos) mantissa.replace(dot, 1, platform::DecimalSign());
    return mantissa + "E" + form.substr(e + 1);
}

// A voltage tick label: "0.##" from x, as the filter charts write it. One that would run into the
// plot (a range such as +-1E30 writes 31 digits) and is shorter with an exponent is written so,
// in as many digits as fit left of the plot, in smaller text when even one digit does not, and
// set against the plot's left edge.
void voltTick(platform::Canvas& canvas, double x, double y, double plotLeft, double value) {
    constexpr double Gap = 5;
    constexpr double SmallestSize = 4.5;
    const std::string plain = tickNumber(value);
    const double plainWidth = canvas.TextWidth(plain);
    const double room = plotLeft - Gap;
    std::string label = plain;
    if (x + plainWidth > plotLeft) {
        for (int digits = 7; digits >= 1; --digits) {
            const std::string form = exponentForm(value, digits);
            const double width = canvas.TextWidth(form);
            if (width >= plainWidth) continue;
            label = form;
            if (width <= room) break;
        }
    }
    if (label == plain) {
        frameText(canvas, x, y, plain);
        return;
    }
    const double kept = canvas.FontSize();
    double size = kept;
    while (size > SmallestSize && canvas.TextWidth(label) > room) canvas.setFontSize(size -= 0.5);
    const double width = canvas.TextWidth(label);
    canvas.setFontSize(kept);
    frameText(canvas, std::max(0.0, room - width), y, label, size == kept ? 0 : size);
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
DiffCharts::DiffCharts() : primitives_(static_cast<int>(DiffResultPoints) - 2) {}

void DiffCharts::DrawChartFrame(const ChartTarget& target, ChartKind kind, int base, std::int16_t sim,
                                bool monochrome, const PlotGrid& grid, std::int32_t value1, std::int32_t value2,
                                std::int32_t chartIndex) {
    platform::Canvas& canvas = target.canvas;
    const SimConfig2Record& config = simConfig2(sim);
    const auto L = [&](int entry) { return primitives_.layout(base + entry); };

    // 1. Title.
    switch (kind) {
    case ChartKind::Freq: frameText(canvas, L(TitleX), L(TitleY), platform::LoadResString(6901)); break;
    case ChartKind::Vol:
        if (chartIndex == 0)
            frameText(canvas, L(TitleX), L(TitleY), platform::LoadResString(6908));
        else
            composedTitle(target, L(TitleX), L(TitleY), platform::LoadResString(6902), chartIndex == 1 ? "+" : "-");
        break;
    case ChartKind::Spec: composedTitle(target, L(TitleX), L(TitleY), platform::LoadResString(6903), "+"); break;
    }

    // 2. X-axis title.
    frameText(canvas, L(XTitleX), L(XTitleY), kind == ChartKind::Vol ? "Time[nsec]" : "Frequency[MHz]");

    // 3. X-tick labels; the seven time columns are labelled every other one.
    xTickLabels(canvas, kind, config, grid, L(XTickShift), L(XTickY), [](std::int32_t i, double ns) {
        return i % 2 != 0 ? std::string() : diffTimeTick(ns);
    });

    // 4. Y axis.
    const auto rowY = [&](std::int32_t i) { return grid.y0 + static_cast<double>(i) * grid.cellHeight + L(YTickRaise); };
    switch (kind) {
    case ChartKind::Freq:
        frameText(canvas, L(YUnitX), L(YUnitY), "[ohm]");
        for (std::int32_t i = 0; i <= grid.rows; ++i)
            frameText(canvas, L(YTickX), rowY(i), wholeNumber(value2 + (static_cast<double>(value1) - value2) / 4 * i));
        break;
    case ChartKind::Vol: {
        if (chartIndex < 0 || chartIndex > 2) platform::raiseError(platform::errSubscript);
        const auto c = static_cast<std::size_t>(chartIndex);
        frameText(canvas, L(YUnitX), L(YUnitY), "[V]");
        for (std::int32_t i = 0; i <= grid.rows; ++i) {
            const double v = config.VoltMin[c] + i * (static_cast<double>(config.VoltMax[c]) - config.VoltMin[c]) / grid.rows;
            voltTick(canvas, L(VoltTickX), rowY(i), grid.x0, v);
        }
        break;
    }
    case ChartKind::Spec: levelAxis(canvas, L(YUnitX), L(YUnitY), L(YTickX), grid, L(YTickRaise), value1); break;
    }

    // 5. Legend.
    static constexpr LegendEntry Insert[] = {{6904, 890, "red", 1}, {6905, 800, "blue", 3}};
    switch (kind) {
    case ChartKind::Freq: frequencyLegend(canvas, grid, monochrome); break;
    case ChartKind::Vol: rightAlignedLegend(canvas, grid, monochrome, Insert, MonoSampleDrop); break;
    case ChartKind::Spec:
        if (!monochrome) rightAlignedLegend(canvas, grid, false, Insert, MonoSampleDrop);
        break;
    }

    // 6.
    canvas.setForeColor(mdlPublic::GetColor("black"));
}

}  // namespace charts
