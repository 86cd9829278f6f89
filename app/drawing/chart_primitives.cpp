#include "app/drawing/chart_primitives.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>
#include <vector>

#include "app/shared/mdlPublic.h"
#include "platform/canvas.h"
#include "platform/convert.h"
#include "platform/errors.h"
#include "platform/strings.h"

namespace charts {

namespace {

// The two layout blocks, entries 0 to 16 (entry 9 unused): margins, then text positions.
constexpr std::array<std::int32_t, 17> BaseBlock = {120, 120, 180, 100, 170, 980, 400, 90, -10,
                                                    0,   160, 10,  980, 10,  20,  30,  900};
constexpr std::array<std::int32_t, 17> ZoomBlock = {90, 70, 100, 70, 110, 980, 450, 50, 0,
                                                    0,  90, 30,  980, 30, 10,  30,  950};

constexpr platform::Color InnerGrid = platform::RGB(127, 127, 127);

// Lines are cut to this area around the 1000 x 1000 chart: far enough out that nothing visible
// changes on any target, near enough that no device coordinate can overflow.
constexpr double GuardLow = -10000.0;
constexpr double GuardHigh = 11000.0;

// Liang-Barsky: cuts (x1, y1)-(x2, y2) to the guard square; false when nothing of it is inside.
bool clipToGuard(double& x1, double& y1, double& x2, double& y2) {
    const double dx = x2 - x1;
    const double dy = y2 - y1;
    double t0 = 0.0, t1 = 1.0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x1 - GuardLow, GuardHigh - x1, y1 - GuardLow, GuardHigh - y1};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1) return false;
    }
    const double ox = x1, oy = y1;
    if (t1 < 1.0) {
        x2 = ox + t1 * dx;
        y2 = oy + t1 * dy;
    }
    if (t0 > 0.0) {
        x1 = ox + t0 * dx;
        y1 = oy + t0 * dy;
    }
    return true;
}

// A text's extent in device pixels.
struct PixelBox {
    double left, top, right, bottom;

    PixelBox moved(double dx, double dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
};

PixelBox pixelBox(const platform::DrawnPrimitive& p) {
    return {static_cast<double>(std::min(p.dx1, p.dx2)), static_cast<double>(std::min(p.dy1, p.dy2)),
            static_cast<double>(std::max(p.dx1, p.dx2)), static_cast<double>(std::max(p.dy1, p.dy2))};
}

// Texts set side by side with TextWidth touch; only a real overlap of more than half a pixel counts.
bool overlap(const PixelBox& a, const PixelBox& b) {
    constexpr double Touch = 0.5;
    return a.left < b.right - Touch && b.left < a.right - Touch && a.top < b.bottom - Touch && b.top < a.bottom - Touch;
}

bool sameText(const platform::DrawnPrimitive& p, const platform::Canvas& canvas, const std::string& text) {
    return p.kind == platform::PrimitiveKind::Text && p.text == text && p.fontName == canvas.FontName() &&
           p.fontSize == canvas.FontSize() && p.color == canvas.ForeColor();
}

// The shift in pixels that moves `box` clear of every obstacle by the least distance: for each
// obstacle it runs into, the four moves that just clear it are tried, shortest first. (0, 0) when
// it is clear already or no single move clears it without leaving the page.
std::pair<double, double> leastShift(const PixelBox& box, const std::vector<PixelBox>& obstacles, double width,
                                     double height) {
    const auto clear = [&](const PixelBox& b) {
        return std::none_of(obstacles.begin(), obstacles.end(), [&](const PixelBox& o) { return overlap(b, o); });
    };
    if (clear(box)) return {0, 0};
    constexpr double Gap = 1;
    std::vector<std::pair<double, double>> moves;
    for (const PixelBox& o : obstacles) {
        if (!overlap(box, o)) continue;
        moves.push_back({o.right + Gap - box.left, 0});
        moves.push_back({o.left - Gap - box.right, 0});
        moves.push_back({0, o.bottom + Gap - box.top});
        moves.push_back({0, o.top - Gap - box.bottom});
    }
    std::stable_sort(moves.begin(), moves.end(), [](const auto& a, const auto& b) {
        return std::fabs(a.first) + std::fabs(a.second) < std::fabs(b.first) + std::fabs(b.second);
    });
    for (const auto& [dx, dy] : moves) {
        const PixelBox b = box.moved(dx, dy);
        if (b.left >= 0 && b.top >= 0 && b.right <= width && b.bottom <= height && clear(b)) return {dx, dy};
    }
    return {0, 0};
}

}  // namespace

std::int32_t roundToLong(double value) { return platform::CLng(value); }

std::size_t spectrumPointCount(const std::string& clockFreq) {
    const std::int32_t n = roundToLong(1000.0 / static_cast<double>(platform::CSng(clockFreq)));
    if (n < 0) platform::raiseError(platform::errSubscript);
    return static_cast<std::size_t>(n) + 1;
}

float toSingle(double value) {
    constexpr double Largest = std::numeric_limits<float>::max();
    if (value > Largest) return std::numeric_limits<float>::infinity();
    if (value < -Largest) return -std::numeric_limits<float>::infinity();
    return static_cast<float>(value);
}

ChartPrimitives::ChartPrimitives(int lastSegment) : lastSegment_(lastSegment) {}

void ChartPrimitives::SetChartLayout() {
    ChartLayout_.fill(0);
    std::copy(BaseBlock.begin(), BaseBlock.end(), ChartLayout_.begin() + BaseLayout);
    std::copy(ZoomBlock.begin(), ZoomBlock.end(), ChartLayout_.begin() + ZoomLayout);
}

int ChartPrimitives::beginChart(const ChartTarget& target) {
    SetChartLayout();
    if (!target.isZoom() && !target.isPrinter()) target.canvas.Cls();
    return layoutBase(target);
}

std::int32_t ChartPrimitives::layout(int entry) const {
    if (entry < 0 || entry >= static_cast<int>(ChartLayout_.size())) platform::raiseError(platform::errSubscript);
    return ChartLayout_[static_cast<std::size_t>(entry)];
}

PlotBox ChartPrimitives::plotBox(int base) const {
    return {layout(base + MarginLeft), 1000 - layout(base + MarginRight), layout(base + MarginBottom),
            1000 - layout(base + MarginTop)};
}

PlotGrid ChartPrimitives::plotGrid(int base, std::int32_t columns, std::int32_t rows) const {
    if (columns == 0 || rows == 0) platform::raiseError(platform::errDivisionByZero);
    const PlotBox box = plotBox(base);
    PlotGrid grid;
    grid.x0 = box.left;
    grid.columns = columns;
    grid.cellWidth = roundToLong(static_cast<double>(box.right - box.left) / columns);
    grid.y0 = box.bottom;
    grid.rows = rows;
    grid.cellHeight = roundToLong(static_cast<double>(box.top - box.bottom) / rows);
    return grid;
}

PlotGrid ChartPrimitives::DrawDecadeGrid(const ChartTarget& target, int base, float freqMin, float freqMax) const {
    // Less than half a decade leaves no column to divide by.
    const std::int32_t decades = roundToLong(static_cast<double>(mdlPublic::Log10(freqMax)) - mdlPublic::Log10(freqMin));
    const PlotGrid grid = plotGrid(base, decades, 4);
    DrawChartGrid(target, ChartKind::Freq, grid, 0, 0, 0);
    return grid;
}

void ChartPrimitives::DrawChartGrid(const ChartTarget& target, ChartKind kind, const PlotGrid& grid,
                                    std::int32_t yTop, float voltMax, float voltMin) const {
    platform::Canvas& canvas = target.canvas;
    const double x0 = grid.x0, y0 = grid.y0;
    const double x1 = grid.right(), y1 = grid.top();
    const platform::Color gray = mdlPublic::GetColor("gray");

    // Printed charts stay white; on screen the plot area gets a light background.
    canvas.Line(x0, y0, x1, y1, gray, target.isPrinter() ? platform::LineShape::Box : platform::LineShape::FilledBox);

    for (std::int32_t i = 0; i <= grid.rows; ++i) {
        const double y = y0 + static_cast<double>(i) * grid.cellHeight;
        const bool border = i == 0 || i == grid.rows;
        canvas.Line(x0, y, x1, y, border ? std::nullopt : std::optional<platform::Color>(InnerGrid));
    }

    if (kind == ChartKind::Freq) {
        // One column per decade: lines at 1..9 times each decade start.
        for (std::int32_t i = 0; i < grid.columns; ++i) {
            for (int j = 1; j <= 9; ++j) {
                const double x = x0 + grid.cellWidth * (i + std::log10(static_cast<double>(j)));
                canvas.Line(x, y0, x, y1, InnerGrid);
            }
        }
    } else if (kind == ChartKind::Vol && voltMin < 0 && 0 < voltMax) {
        const double yZero = y0 + (yTop - y0) / (static_cast<double>(voltMax) - voltMin) * -static_cast<double>(voltMin);
        canvas.Line(x0, yZero, x1, yZero);
    }

    for (std::int32_t i = 0; i <= grid.columns; ++i) {
        const double x = x0 + static_cast<double>(i) * grid.cellWidth;
        const bool border = i == 0 || i == grid.columns;
        canvas.Line(x, y0, x, y1, border ? std::nullopt : std::optional<platform::Color>(InnerGrid));
    }
}

PlotGrid ChartPrimitives::DrawSpectrumPlot(const ChartTarget& target, int base, bool monochrome, float specMin,
                                          float specMax, std::int32_t top, const std::array<SpectrumCurve, 2>& curves,
                                          bool singlePoints) const {
    const PlotBox box = plotBox(base);
    const PlotGrid grid = plotGrid(base, 4, 4);
    DrawChartGrid(target, ChartKind::Spec, grid, 0, 0, 0);

    const double freqSpan = static_cast<double>(specMax) - specMin;
    if (freqSpan == 0) platform::raiseError(platform::errDivisionByZero);
    const auto kept = [singlePoints](double value) { return singlePoints ? toSingle(value) : value; };
    for (int i = 0; i < 2; ++i) {
        const SpectrumCurve& curve = curves[static_cast<std::size_t>(i)];
        std::vector<double> x(curve.level.size()), y(curve.level.size());
        for (std::size_t k = 0; k < curve.level.size(); ++k) {
            x[k] = kept(box.left + (curve.freq[k] - specMin) * (box.right - box.left) / freqSpan);
            y[k] = kept(box.bottom + curve.level[k] * (box.top - box.bottom) / top);
        }
        DrawSpectrumCurve(target, i, monochrome, box, x, y);
    }
    return grid;
}

void ChartPrimitives::DrawCurve(const ChartTarget& target, std::span<const double> x, std::span<const double> y,
                                std::int32_t xMin, std::int32_t xMax, int penWidth, platform::Color color) const {
    const std::size_t points = static_cast<std::size_t>(lastSegment_) + 2;
    if (x.size() < points || y.size() < points) platform::raiseError(platform::errSubscript);
    target.canvas.setDrawWidth(penWidth);
    for (int i = 0; i <= lastSegment_; ++i) {
        const std::size_t a = static_cast<std::size_t>(i), b = a + 1;
        if (withinRange(x[a], xMin, xMax) && withinRange(x[b], xMin, xMax))
            safeLine(target.canvas, x[a], y[a], x[b], y[b], color);
    }
    target.canvas.setDrawWidth(1);
}

void setChartSpace(platform::Canvas& canvas) {
    canvas.setScaleLeft(0);
    canvas.setScaleTop(1000);
    canvas.setScaleWidth(1000);
    canvas.setScaleHeight(-1000);
}

void safeLine(platform::Canvas& canvas, double x1, double y1, double x2, double y2,
              std::optional<platform::Color> color) {
    if (std::isnan(x1) || std::isnan(y1) || std::isnan(x2) || std::isnan(y2)) return;
    // Infinite ends first become very distant finite ones so the clip can work with them.
    constexpr double Far = 1.0e12;
    x1 = std::clamp(x1, -Far, Far);
    y1 = std::clamp(y1, -Far, Far);
    x2 = std::clamp(x2, -Far, Far);
    y2 = std::clamp(y2, -Far, Far);
    if (!clipToGuard(x1, y1, x2, y2)) return;
    canvas.Line(x1, y1, x2, y2, color);
}

void chartText(platform::Canvas& canvas, double x, double y, const std::string& text, double size) {
    const double kept = canvas.FontSize();
    if (size != 0) canvas.setFontSize(size);
    const double x2 = x + canvas.TextWidth(text), y2 = y + canvas.TextHeight(text);
    const PixelBox wanted{static_cast<double>(std::min(canvas.toDeviceX(x), canvas.toDeviceX(x2))),
                          static_cast<double>(std::min(canvas.toDeviceY(y), canvas.toDeviceY(y2))),
                          static_cast<double>(std::max(canvas.toDeviceX(x), canvas.toDeviceX(x2))),
                          static_cast<double>(std::max(canvas.toDeviceY(y), canvas.toDeviceY(y2)))};

    // What is on the page since it was last cleared; a text covered later by a filled area or a
    // picture no longer shows.
    const std::vector<platform::DrawnPrimitive>& list = canvas.displayList();
    std::size_t from = list.size();
    while (from > 0 && list[from - 1].kind != platform::PrimitiveKind::Clear &&
           list[from - 1].kind != platform::PrimitiveKind::NewPage)
        --from;
    std::vector<PixelBox> obstacles;
    std::vector<PixelBox> shown;  // the same text, still showing
    for (std::size_t i = from; i < list.size(); ++i) {
        const platform::DrawnPrimitive& p = list[i];
        if (p.kind == platform::PrimitiveKind::FilledBox || p.kind == platform::PrimitiveKind::Picture) {
            const PixelBox cover = pixelBox(p);
            std::erase_if(shown, [&](const PixelBox& b) { return overlap(b, cover); });
        } else if (sameText(p, canvas, text)) {
            shown.push_back(pixelBox(p));
        } else if (p.kind == platform::PrimitiveKind::Text) {
            obstacles.push_back(pixelBox(p));
        }
    }
    const auto [dx, dy] = leastShift(wanted, obstacles, canvas.deviceWidthPx(), canvas.deviceHeightPx());
    const PixelBox placed = wanted.moved(dx, dy);
    const bool showing = std::any_of(shown.begin(), shown.end(), [&](const PixelBox& b) {
        return b.left == placed.left && b.top == placed.top && b.right == placed.right && b.bottom == placed.bottom;
    });
    if (!showing) {
        // Back from pixels to the canvas's own units, whatever direction its axes run.
        canvas.setCurrentX(x + canvas.toUserX(dx) - canvas.toUserX(0));
        canvas.setCurrentY(y + canvas.toUserY(dy) - canvas.toUserY(0));
        canvas.Print(text);
    }
    if (size != 0) canvas.setFontSize(kept);
}

void clipToTimeRange(std::span<double> t, std::span<double> v, float timeMin, float timeMax) {
    for (std::size_t p = 0; p + 1 < t.size(); ++p) {
        if (toSingle(t[p]) < timeMin && timeMin < toSingle(t[p + 1])) {
            v[p] += (v[p + 1] - v[p]) * (timeMin - t[p]) / (t[p + 1] - t[p]);
            t[p] = timeMin;
        }
        if (toSingle(t[p]) < timeMax && timeMax < toSingle(t[p + 1])) {
            v[p + 1] = v[p] + (v[p + 1] - v[p]) * (timeMax - t[p]) / (t[p + 1] - t[p]);
            t[p + 1] = timeMax;
        }
    }
}

void cutToFrequencyRange(std::span<float> x, std::initializer_list<std::span<float>> curves, float fMin, float fMax) {
    const auto interpolate = [&](std::span<float> y, std::size_t m, float at) {
        return toSingle(y[m] + (static_cast<double>(y[m + 1]) - y[m]) * (at - static_cast<double>(x[m])) /
                                   (static_cast<double>(x[m + 1]) - x[m]));
    };
    for (std::size_t m = 0; m + 1 < x.size(); ++m) {
        if (x[m] < fMin && fMin < x[m + 1]) {
            for (std::span<float> y : curves) y[m] = interpolate(y, m, fMin);
            x[m] = fMin;
        }
        if (x[m] < fMax && fMax < x[m + 1]) {
            for (std::span<float> y : curves) y[m + 1] = interpolate(y, m, fMax);
            x[m + 1] = fMax;
        }
    }
}

std::vector<std::size_t> envelopeVertices(std::span<const double> y) {
    std::vector<std::size_t> vertices;
    if (y.empty()) return vertices;
    vertices.push_back(0);
    for (std::size_t k = 1; k + 1 < y.size(); ++k)
        if (y[k - 1] <= y[k] && y[k] >= y[k + 1]) vertices.push_back(k);
    if (y.size() > 1) vertices.push_back(y.size() - 1);
    return vertices;
}

void DrawSpectrumCurve(const ChartTarget& target, int curve, bool monochrome, const PlotBox& box,
                       std::span<const double> x, std::span<const double> y) {
    platform::Canvas& canvas = target.canvas;
    platform::Color color = mdlPublic::GetColor("black");
    if (!monochrome) {
        color = mdlPublic::GetColor(curve == 0 ? "blue" : "red");
        canvas.setDrawWidth(target.isPrinter() ? (curve == 0 ? 1 : 3) : target.isOwnPicture() ? 1 : 2);
    }

    if (curve == 0) {
        for (std::size_t k = 0; k < x.size(); ++k)
            if (withinRange(x[k], box.left, box.right)) safeLine(canvas, x[k], box.bottom, x[k], y[k], color);
        return;
    }

    std::vector<double> px, py;
    for (std::size_t k : envelopeVertices(y)) {
        px.push_back(x[k]);
        py.push_back(y[k]);
    }
    // Height is never cut.
    const auto heightAt = [&](std::size_t j, double at) {
        return py[j] + (py[j + 1] - py[j]) * (at - px[j]) / (px[j + 1] - px[j]);
    };
    for (std::size_t j = 0; j + 1 < px.size(); ++j) {
        if (px[j] < box.left && box.left < px[j + 1]) {
            py[j] = heightAt(j, box.left);
            px[j] = box.left;
        }
        if (px[j] < box.right && box.right < px[j + 1]) {
            py[j + 1] = heightAt(j, box.right);
            px[j + 1] = box.right;
        }
    }
    for (std::size_t j = 0; j + 1 < px.size(); ++j)
        if (toSingle(px[j]) >= box.left && toSingle(px[j + 1]) <= box.right)
            safeLine(canvas, px[j], py[j], px[j + 1], py[j + 1], color);
}

void frameText(platform::Canvas& canvas, double x, double y, const std::string& text, double size) {
    chartText(canvas, static_cast<float>(x), static_cast<float>(y), text, size);
}

void centredTick(platform::Canvas& canvas, double x, double y, const std::string& label) {
    frameText(canvas, x - canvas.TextWidth(label) / 2, y, label);
}

void levelAxis(platform::Canvas& canvas, double unitX, double unitY, double tickX, const PlotGrid& grid,
               double tickRaise, double top) {
    const double size = canvas.FontSize();
    const std::string name = canvas.FontName();
    canvas.setFontSize(8);
    canvas.setFontName("Arial");
    frameText(canvas, unitX, unitY, "[dB" + platform::Chr(181) + "V]");
    canvas.setFontSize(size);
    canvas.setFontName(name);
    for (std::int32_t i = 0; i <= grid.rows; ++i)
        frameText(canvas, tickX, grid.y0 + static_cast<double>(i) * grid.cellHeight + tickRaise, platform::CStr(top / 4 * i));
}

void rightAlignedLegend(platform::Canvas& canvas, const PlotGrid& grid, bool monochrome,
                        std::span<const LegendEntry> lines, int sampleDrop) {
    const double x1 = grid.right();
    for (const LegendEntry& line : lines) {
        const std::string text = platform::LoadResString(line.textId);
        if (monochrome) {
            canvas.setForeColor(mdlPublic::GetColor("black"));
            frameText(canvas, x1 - canvas.TextWidth(text) - 60, line.y, text);
            canvas.setDrawWidth(line.monoWidth);
            canvas.Line(x1 - 50, line.y - sampleDrop, x1 - 10, line.y - sampleDrop, mdlPublic::GetColor("black"));
        } else {
            canvas.setForeColor(mdlPublic::GetColor(line.color));
            frameText(canvas, x1 - canvas.TextWidth(text), line.y, text);
        }
    }
}

bool withinRange(double value, double low, double high) {
    const float v = toSingle(value);
    return v >= toSingle(low) && v <= toSingle(high);
}

std::string wholeNumber(double value) { return platform::CStr(static_cast<int>(roundToLong(value))); }

double gridValue(float low, float high, std::int32_t i, std::int32_t columns) {
    return low + i * (static_cast<double>(high) - low) / columns;
}

std::string decadeTick(float freqMin, std::int32_t i) {
    return wholeNumber(std::pow(10.0, static_cast<double>(mdlPublic::Log10(freqMin)) + i - 6));
}

std::string tickNumber(double value) {
    const std::string text = platform::Format(value, "0.##");
    const std::string sign = platform::DecimalSign();
    if (text.size() >= sign.size() && text.compare(text.size() - sign.size(), sign.size(), sign) == 0)
        return platform::Format(value, "0");
    return text;
}

}  // namespace charts
