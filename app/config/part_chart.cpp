#include "app/config/part_chart.h"

#include <array>
#include <cstddef>
#include <optional>

#include "app/drawing/chart_primitives.h"
#include "app/drawing/filter_charts.h"
#include "app/shared/data_files.h"
#include "app/shared/mdlPublic.h"
#include "platform/canvas.h"
#include "platform/convert.h"
#include "platform/errors.h"
#include "platform/strings.h"

using namespace mdlPublic;

namespace config {
namespace {

constexpr int Points = app::CurvePoints;
constexpr float FreqLow = 1.0e6f;   // Hz
constexpr float FreqHigh = 1.0e9f;  // Hz

// Layout in chart units.
constexpr double Left = 120;         // x of 1 MHz
constexpr double Bottom = 50;        // y of the lowest grid line
constexpr double DecadeWidth = 193;  // x units a decade
constexpr int Decades = 3;
constexpr double RowHeight = 200;
constexpr int Rows = 4;
constexpr double Right = Left + Decades * DecadeWidth;
constexpr double Top = Bottom + Rows * RowHeight;
constexpr double XLimit = 700;       // a segment is drawn only with both ends up to here

// Chart units per twip: x 1 unit = 5.265 twips, y 1 unit = 2.865 twips.
constexpr double TwipsPerUnitX = 5.265;
constexpr double TwipsPerUnitY = 2.865;

constexpr platform::Color GridGray = platform::RGB(127, 127, 127);
constexpr std::array<const char*, 9> Palette = {"blue",       "red",   "black",     "magenta", "dark-green",
                                                "brown",      "dark-blue", "dark-cyan", "purple"};

struct PartCurve {
    std::int16_t recNo = 0;
    std::array<float, Points> freq{};   // Hz
    std::array<float, Points> value{};  // ohm, or dB drawn negative
    float maxValue = 0;                 // largest value in range (ohm charts)
};

bool isOhmChart(const std::string& series) { return series == "KSV" || series == "WQ"; }

// The index entry a part's record belongs to: line RecNo of the index.
const FilterIndexRecord& entryOf(std::int16_t recNo) {
    if (recNo < 1 || recNo > FilterCount) platform::raiseError(platform::errSubscript);
    return FilterIndex[static_cast<std::size_t>(recNo - 1)];
}

PartCurve readPart(std::int16_t recNo, bool ohm) {
    const app::FilterRecord record = app::readFilterRecord(dataFolder(), recNo);
    const auto freqs = record.curve(0);
    const auto values = record.curve(1);
    PartCurve part;
    part.recNo = recNo;
    for (int j = 0; j < Points; ++j) {
        const std::size_t k = static_cast<std::size_t>(j);
        part.freq[k] = freqs[k] * 1.0e6f;
        // Insertion loss is stored positive and drawn below 0 dB.
        part.value[k] = ohm ? values[k] : -values[k];
        if (ohm && part.freq[k] >= FreqLow && part.freq[k] <= FreqHigh && part.value[k] > part.maxValue)
            part.maxValue = part.value[k];
    }
    return part;
}

// Moves the points that straddle 1 MHz and 1 GHz onto the range ends, with the value interpolated.
void clipToRange(PartCurve& part) {
    for (std::size_t j = 0; j + 1 < static_cast<std::size_t>(Points); ++j) {
        float& f0 = part.freq[j];
        float& f1 = part.freq[j + 1];
        float& v0 = part.value[j];
        float& v1 = part.value[j + 1];
        if (f0 < FreqLow && FreqLow < f1) {
            v0 = v0 + (v1 - v0) * (FreqLow - f0) / (f1 - f0);
            f0 = FreqLow;
        }
        if (f0 < FreqHigh && FreqHigh < f1) {
            v1 = v0 + (v1 - v0) * (FreqHigh - f0) / (f1 - f0);
            f1 = FreqHigh;
        }
    }
}

void print(platform::Canvas& canvas, double x, double y, const std::string& text) {
    PrintAt(canvas, static_cast<float>(x), static_cast<float>(y), text, 0);
}

void drawFrame(platform::Canvas& canvas) {
    canvas.Cls();
    canvas.setForeColor(GetColor("black"));
    canvas.Line(Left, Bottom, Right, Top, GetColor("gray"), platform::LineShape::FilledBox);
    for (int m = 0; m <= Rows; ++m) {
        const double y = Bottom + RowHeight * m;
        const bool border = m == 0 || m == Rows;
        canvas.Line(Left, y, Right, y, border ? std::nullopt : std::optional<platform::Color>(GridGray));
    }
    for (int d = 0; d < Decades; ++d)
        for (int m = 1; m <= 9; ++m) {
            const double x = Left + DecadeWidth * (d + Log10(static_cast<float>(m)));
            canvas.Line(x, Bottom, x, Top, GridGray);
        }
    for (int k = 0; k <= Decades; ++k) {
        const double x = Left + DecadeWidth * k;
        const bool border = k == 0 || k == Decades;
        canvas.Line(x, Bottom, x, Top, border ? std::nullopt : std::optional<platform::Color>(GridGray));
    }
}

void drawTexts(platform::Canvas& canvas, const std::string& series, double axisTop, double axisBottom) {
    if (series == "KSV")
        print(canvas, 250, 950, platform::LoadResString(5601));
    else if (series == "WQ")
        print(canvas, 120, 950, platform::LoadResString(5601) + platform::LoadResString(5633));
    else
        print(canvas, 250, 950, platform::LoadResString(5604));
    print(canvas, 300, -70, "Frequency[MHz]");
    int decade = 1;
    for (int k = 0; k <= Decades; ++k, decade *= 10) print(canvas, Left - 20 + DecadeWidth * k, 0, platform::Str(decade));
    print(canvas, 20, 950, isOhmChart(series) ? "[ohm]" : "[dB]");
    for (int k = 0; k <= Rows; ++k) {
        const double value = axisBottom + k * (axisTop - axisBottom) / Rows;
        print(canvas, 20, Bottom + 20 + RowHeight * k, platform::Str(platform::CLng(value < 0 ? -value : value)));
    }
}

}  // namespace

void setPartChartScale(platform::Canvas& canvas, int widthTwips, int heightTwips) {
    canvas.setScaleLeft(0);
    canvas.setScaleTop(1000);
    canvas.setScaleWidth(widthTwips / TwipsPerUnitX);
    canvas.setScaleHeight(-heightTwips / TwipsPerUnitY);
}

std::vector<std::int16_t> partChartGroup(const std::string& primary, const std::string& secondary,
                                         const std::string& tertiary) {
    const bool secondaryGroup = GetSeriesFromCategory(primary) == "QTA" && tertiary.empty();
    const std::size_t limit = secondaryGroup ? PartChartMaxSecondaryGroup : PartChartMaxParts;
    std::vector<std::int16_t> group;
    for (int i = 0; i < FilterCount && group.size() < limit; ++i) {
        const FilterIndexRecord& e = FilterIndex[static_cast<std::size_t>(i)];
        if (e.Primary == primary && e.Secondary == secondary && (secondaryGroup || e.Tertiary == tertiary))
            group.push_back(e.RecNo);
    }
    return group;
}

std::int32_t partChartOhmTop(float vMax) { return charts::impedanceAxisTop(vMax); }

void drawPartChart(platform::Canvas& canvas, const std::string& series, const std::vector<std::int16_t>& recNos,
                   bool previousNumbers) {
    const bool ohm = isOhmChart(series);
    std::vector<PartCurve> parts;
    parts.reserve(recNos.size());
    for (const std::int16_t recNo : recNos) parts.push_back(readPart(recNo, ohm));
    for (PartCurve& part : parts) clipToRange(part);

    double axisTop = 0, axisBottom = -100;
    if (ohm) {
        float vMax = 0;
        for (const PartCurve& part : parts)
            if (part.maxValue > vMax) vMax = part.maxValue;
        axisTop = partChartOhmTop(vMax);
        axisBottom = 0;
    }

    drawFrame(canvas);
    drawTexts(canvas, series, axisTop, axisBottom);

    const double unitsPerValue = RowHeight / ((axisTop - axisBottom) / Rows);
    for (std::size_t s = 0; s < parts.size(); ++s) {
        const PartCurve& part = parts[s];
        const FilterIndexRecord& e = entryOf(part.recNo);
        // Reference resistors are listed for choice but not drawn; each still takes its colour,
        // so the other parts keep theirs.
        if (e.GlobalPartNum.rfind("R(", 0) == 0) continue;
        const platform::Color color = GetColor(Palette[s % Palette.size()]);
        canvas.setForeColor(color);
        print(canvas, 710, 820 - 80.0 * static_cast<double>(s), previousNumbers ? e.PrevPartNum : e.GlobalPartNum);
        for (std::size_t j = 0; j + 1 < static_cast<std::size_t>(Points); ++j) {
            const double x0 = Left + DecadeWidth * (Log10(part.freq[j]) - 6);
            const double x1 = Left + DecadeWidth * (Log10(part.freq[j + 1]) - 6);
            if (!charts::withinRange(x0, Left, XLimit) || !charts::withinRange(x1, Left, XLimit)) continue;
            const double y0 = Bottom + (part.value[j] - axisBottom) * unitsPerValue;
            const double y1 = Bottom + (part.value[j + 1] - axisBottom) * unitsPerValue;
            charts::safeLine(canvas, x0, y0, x1, y1, color);
        }
    }
    canvas.setForeColor(GetColor("black"));
}

}  // namespace config
