#pragma once
// The drawing primitives every result window builds its charts from: the layout table of the
// window and zoom charts, the plot grid, curves dropped outside the x range, and the small text
// helpers of the chart frames. Everything draws through platform::Canvas in a 1000 x 1000 chart
// space with y upward, which the owner of the target sets.

#include <array>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/types.h"

namespace platform {
class Canvas;
}

namespace charts {

// What a Draw procedure is drawing on: pen widths, the layout and clearing depend on it.
enum class TargetKind {
    OwnPicture,    // one of the result window's own chart pictures
    ZoomPicture,   // the zoom window's picture
    OtherPicture,  // any other picture
    Printer,
};

struct ChartTarget {
    platform::Canvas& canvas;
    TargetKind kind;

    bool isPrinter() const { return kind == TargetKind::Printer; }
    bool isZoom() const { return kind == TargetKind::ZoomPicture; }
    bool isOwnPicture() const { return kind == TargetKind::OwnPicture; }
};

enum class ChartKind { Freq, Vol, Spec };

// Layout bases: the window's pictures and the printer use 0, the zoom picture 100.
constexpr int BaseLayout = 0;
constexpr int ZoomLayout = 100;

inline int layoutBase(const ChartTarget& target) { return target.isZoom() ? ZoomLayout : BaseLayout; }

// Entries of one layout block, added to its base.
enum LayoutEntry : int {
    MarginLeft = 0,
    MarginRight = 1,
    MarginBottom = 2,
    MarginTop = 3,
    TitleX = 4,
    TitleY = 5,
    XTitleX = 6,
    XTitleY = 7,
    XTickShift = 8,
    XTickY = 10,
    YUnitX = 11,
    YUnitY = 12,
    YTickX = 13,
    YTickRaise = 14,
    VoltTickX = 15,
    RightAxisX = 16,
};

// The plot grid: X0 .. X0 + columns * cellWidth by Y0 .. Y0 + rows * cellHeight.
struct PlotGrid {
    std::int32_t x0 = 0;
    std::int32_t cellWidth = 0;
    std::int32_t columns = 0;
    std::int32_t y0 = 0;
    std::int32_t cellHeight = 0;
    std::int32_t rows = 0;

    std::int32_t right() const { return x0 + columns * cellWidth; }
    std::int32_t top() const { return y0 + rows * cellHeight; }
};

// The plot rectangle of a layout block before it is cut into cells.
struct PlotBox {
    std::int32_t left, right, bottom, top;
};

// Rounds to the nearest whole number, halves to even; beyond the 32-bit range is overflow (6).
std::int32_t roundToLong(double value);
// Points of a spectrum chart at clock `clockFreq` [MHz, as typed]: the harmonics up to 1 GHz and DC;
// a count the results cannot hold is run-time error 9.
std::size_t spectrumPointCount(const std::string& clockFreq);

// A value rounded to single precision the way the charts store their numbers; beyond the single
// range it saturates to an infinity instead of failing (coordinates far off the chart are harmless).
float toSingle(double value);

// One curve of a spectrum chart: a level [dB] at each frequency [Hz]; no levels draw no curve.
struct SpectrumCurve {
    std::span<const double> freq;
    std::span<const double> level;
};

// Sets the layout table and owns the grid and curve primitives. One per result window; the
// differential window differs only in the last curve segment it draws.
class ChartPrimitives {
public:
    // lastSegment: index of the last segment DrawCurve draws (200 for the filter circuit's
    // 202-point curves).
    explicit ChartPrimitives(int lastSegment);

    void SetChartLayout();
    // Sets the layout table and clears the window's own pictures; returns the target's layout base.
    int beginChart(const ChartTarget& target);
    std::int32_t layout(int entry) const;
    PlotBox plotBox(int base) const;
    // The plot box of base cut into columns x rows cells of whole units.
    PlotGrid plotGrid(int base, std::int32_t columns, std::int32_t rows) const;

    // The plot area, grid lines, decade lines of a frequency axis and the zero-volt line of a
    // voltage axis (yTop, voltMax and voltMin are read for Vol only).
    void DrawChartGrid(const ChartTarget& target, ChartKind kind, const PlotGrid& grid, std::int32_t yTop,
                       float voltMax, float voltMin) const;
    // The grid of an impedance chart over [freqMin, freqMax] Hz: a column per decade, four rows.
    PlotGrid DrawDecadeGrid(const ChartTarget& target, int base, float freqMin, float freqMax) const;

    // Segments 0..lastSegment of a curve already in chart units; a segment with an end outside
    // [xMin, xMax] is skipped whole, never cut at the edge. y is not limited.
    void DrawCurve(const ChartTarget& target, std::span<const double> x, std::span<const double> y,
                   std::int32_t xMin, std::int32_t xMax, int penWidth, platform::Color color) const;

    // The plot of a spectrum chart: its 4 x 4 grid, frequencies specMin to specMax across and levels
    // 0 to top dB up, and curves 0 (with the part) and 1 (without) as DrawSpectrumCurve draws them,
    // each point kept at single precision when `singlePoints`. Returns the grid for the frame.
    PlotGrid DrawSpectrumPlot(const ChartTarget& target, int base, bool monochrome, float specMin, float specMax,
                              std::int32_t top, const std::array<SpectrumCurve, 2>& curves, bool singlePoints) const;

private:
    int lastSegment_;
    std::array<std::int32_t, 200> ChartLayout_{};
};

// --- Shared drawing helpers ---------------------------------------------------------------------

// Gives a chart picture its chart space: 1000 x 1000 units, y upward.
void setChartSpace(platform::Canvas& canvas);

// A line in chart units made safe for any device: far-out ends are clipped to a guard area well
// outside the chart (the visible part keeps its exact direction) and a segment with a NaN end is
// not drawn.
void safeLine(platform::Canvas& canvas, double x1, double y1, double x2, double y2,
              std::optional<platform::Color> color = std::nullopt);

// Whether a chart coordinate lies in [low, high] at single precision, the precision the axis
// ranges are stored in: a point computed at the end of a single-precision range stays inside.
bool withinRange(double value, double low, double high);

// A tick number: "0.##", or "0" when that would end in the decimal sign (12.5, 25, 3.33).
std::string tickNumber(double value);

// A whole-number tick label.
std::string wholeNumber(double value);

// The value at grid line i of a linear axis from low to high cut into `columns` parts.
double gridValue(float low, float high, std::int32_t i, std::int32_t columns);

// The label of decade line i of a frequency axis starting at freqMin Hz: whole MHz.
std::string decadeTick(float freqMin, std::int32_t i);

// Moves the ends of the segments that cross timeMin or timeMax onto them, with the voltage
// interpolated there; times compare at single precision, as the range is stored.
void clipToTimeRange(std::span<double> t, std::span<double> v, float timeMin, float timeMax);

// Cuts sampled curves at fMin and fMax: a segment crossing an end of the range gets that end moved
// onto it, the value of every curve interpolated there at single precision.
void cutToFrequencyRange(std::span<float> x, std::initializer_list<std::span<float>> curves, float fMin, float fMax);

// Envelope vertices: harmonic 0, every inner local maximum (ties count) and the last harmonic.
std::vector<std::size_t> envelopeVertices(std::span<const double> y);

// One curve of a spectrum chart in chart units: curve 0 a bar per harmonic (the run with the
// part, blue), curve 1 the envelope of the local maxima (the run without it, red), each segment
// crossing an edge of the box starting or ending on it; black in monochrome, which keeps the pen.
// An empty curve 1 draws nothing but still sets its pen.
void DrawSpectrumCurve(const ChartTarget& target, int curve, bool monochrome, const PlotBox& box,
                       std::span<const double> x, std::span<const double> y);

// --- Frame helpers ------------------------------------------------------------------------------

// A frame text through chartText, its position at single precision as the frames keep it.
void frameText(platform::Canvas& canvas, double x, double y, const std::string& text, double size = 0);

// An x-tick label centred on the grid line at x.
void centredTick(platform::Canvas& canvas, double x, double y, const std::string& label);

// The x-tick labels of a chart of either family, each centred on its grid line moved left by
// `shift`: decades on the frequency chart, MHz on the spectrum chart, and on the voltage chart
// timeTick(column, nanoseconds), whose empty text leaves that column unlabelled.
template <class Config, class TimeTick>
void xTickLabels(platform::Canvas& canvas, ChartKind kind, const Config& config, const PlotGrid& grid, double shift,
                 double y, TimeTick timeTick) {
    for (std::int32_t i = 0; i <= grid.columns; ++i) {
        std::string label;
        switch (kind) {
        case ChartKind::Freq: label = decadeTick(config.FreqMin, i); break;
        case ChartKind::Vol: label = timeTick(i, gridValue(config.TimeMin, config.TimeMax, i, grid.columns) * 1e9); break;
        case ChartKind::Spec: label = tickNumber(gridValue(config.SpecMin, config.SpecMax, i, grid.columns) * 1e-6); break;
        }
        if (!label.empty()) centredTick(canvas, grid.x0 + static_cast<double>(i) * grid.cellWidth - shift, y, label);
    }
}

// The level axis of a spectrum chart: "[dBµV]" in 8-point Arial at (unitX, unitY), the levels
// 0 .. top in quarters at tickX, each raised by tickRaise above its grid line.
void levelAxis(platform::Canvas& canvas, double unitX, double unitY, double tickX, const PlotGrid& grid,
               double tickRaise, double top);

// A legend line: its text, height, colour and the pen width of its sample in monochrome.
struct LegendEntry {
    int textId;
    std::int32_t y;
    const char* color;
    int monoWidth;
};

// Legend texts ending at the plot's right edge; in monochrome black, 60 units short of the edge,
// with a line sample sampleDrop units below the text.
void rightAlignedLegend(platform::Canvas& canvas, const PlotGrid& grid, bool monochrome,
                        std::span<const LegendEntry> lines, int sampleDrop);

// A chart text with its top-left corner at (x, y) in the canvas's scale, in the current font, or
// at `size` points when size is not 0. Every chart frame prints through here, for two reasons:
// - the same text in the same font and colour where it already shows is not drawn again, since
//   anti-aliased text drawn over itself turns bold (a frame drawn once per axis stays as it was);
// - a text that would run into a text already on the page (since its last clear or new page) moves
//   the least distance, across or up and down, that keeps the two apart and the text on the page.
void chartText(platform::Canvas& canvas, double x, double y, const std::string& text, double size = 0);

}  // namespace charts
