// The chart primitives and the three filter-circuit charts, asserted on a recording canvas.
#include <gtest/gtest.h>

#include <QImage>
#include <QString>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <limits>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "app/charts/chart_fixture.h"
#include "app/drawing/filter_charts.h"
#include "platform/canvas.h"
#include "platform/errors.h"
#include "error_of.h"
#include "platform/settings.h"

using namespace chart_test;
using charts::ChartKind;
using charts::ChartTarget;
using charts::TargetKind;
using platform::PrimitiveKind;

namespace {

constexpr platform::Color Gray = platform::RGB(192, 192, 192);
constexpr platform::Color Inner = platform::RGB(127, 127, 127);
constexpr platform::Color Violet = platform::RGB(128, 0, 128);
constexpr platform::Color DarkGreen = platform::RGB(0, 128, 0);
constexpr platform::Color DarkCyan = platform::RGB(0, 128, 128);

using ChartsTest = ChartCanvasTest<charts::FilterCharts>;

std::vector<std::string> sorted(std::vector<std::string> v) {
    std::sort(v.begin(), v.end());
    return v;
}

}  // namespace

// --- Primitives ---------------------------------------------------------------------------------

TEST_F(ChartsTest, LayoutsGiveThePlotBoxesOfWindowAndZoom) {
    charts::ChartPrimitives p(200);
    p.SetChartLayout();
    const auto box = [&](int base) {
        const auto b = p.plotBox(base);
        return std::vector<int>{b.left, b.right, b.bottom, b.top};
    };
    EXPECT_EQ(box(charts::BaseLayout), (std::vector<int>{120, 880, 180, 900}));
    EXPECT_EQ(box(charts::ZoomLayout), (std::vector<int>{90, 930, 100, 930}));
    // 830 / 4 = 207.5 rounds to the even 208.
    EXPECT_EQ(p.plotGrid(charts::ZoomLayout, 4, 4).cellHeight, 208);
    EXPECT_EQ(p.plotGrid(charts::BaseLayout, 4, 6).cellHeight, 120);
}

TEST_F(ChartsTest, GridFillsPicturesButOnlyOutlinesOnThePrinter) {
    charts::ChartPrimitives p(200);
    p.SetChartLayout();
    const charts::PlotGrid grid = p.plotGrid(0, 4, 4);
    p.DrawChartGrid(target(TargetKind::OwnPicture), ChartKind::Spec, grid, 0, 0, 0);
    ASSERT_FALSE(canvas.displayList().empty());
    EXPECT_EQ(canvas.displayList().front().kind, PrimitiveKind::FilledBox);
    EXPECT_EQ(canvas.displayList().front().color, Gray);
    // 5 horizontal and 5 vertical lines: the borders in the foreground colour, the inner ones gray.
    EXPECT_EQ(linesIn(canvas, Black).size(), 4u);
    EXPECT_EQ(linesIn(canvas, Inner).size(), 6u);

    canvas.Cls();
    p.DrawChartGrid(target(TargetKind::Printer), ChartKind::Spec, grid, 0, 0, 0);
    EXPECT_EQ(ofKind(canvas, PrimitiveKind::FilledBox).size(), 0u);
    EXPECT_EQ(ofKind(canvas, PrimitiveKind::Box).size(), 1u);
}

TEST_F(ChartsTest, GridDrawsDecadeLinesAndTheZeroVoltLineOnlyInsideTheRange) {
    charts::ChartPrimitives p(200);
    p.SetChartLayout();
    p.DrawChartGrid(target(TargetKind::OwnPicture), ChartKind::Freq, {120, 253, 3, 180, 180, 4}, 0, 0, 0);
    // 27 decade lines plus 2 inner column lines and 3 inner row lines.
    EXPECT_EQ(linesIn(canvas, Inner).size(), 27u + 2u + 3u);

    const auto horizontalBlack = [&] {
        int n = 0;
        for (const auto& l : linesIn(canvas, Black))
            if (l.y1 == l.y2 && l.y1 != 180 && l.y1 != 900) ++n;
        return n;
    };
    canvas.Cls();
    p.DrawChartGrid(target(TargetKind::OwnPicture), ChartKind::Vol, {120, 190, 4, 180, 120, 6}, 900, 0.5f, -0.1f);
    ASSERT_EQ(horizontalBlack(), 1);
    for (const auto& l : linesIn(canvas, Black))
        if (l.y1 == l.y2 && l.y1 != 180 && l.y1 != 900) {
            EXPECT_NEAR(l.y1, 180 + 720 * 0.1 / 0.6, 1e-3);
        }
    for (const auto& range : {std::pair{5.0f, 0.0f}, std::pair{0.0f, -5.0f}}) {
        canvas.Cls();
        p.DrawChartGrid(target(TargetKind::OwnPicture), ChartKind::Vol, {120, 190, 4, 180, 120, 6}, 900, range.first,
                        range.second);
        EXPECT_EQ(horizontalBlack(), 0);
    }
}

TEST_F(ChartsTest, CurveSkipsWholeSegmentsOutsideTheXRangeButNotInHeight) {
    charts::ChartPrimitives p(200);
    std::vector<double> x(202), y(202, 500);
    for (int i = 0; i < 202; ++i) x[i] = 100 + 4 * i;  // 100 .. 904
    x[0] = 100;                                          // exactly the minimum: inside
    x[10] = 99;                                          // one unit outside: both its segments go
    y[20] = 5000;                                        // far above the frame: drawn where it falls
    canvas.setDrawWidth(4);
    p.DrawCurve(target(TargetKind::OwnPicture), x, y, 100, 880, 3, Blue);
    const auto lines = linesIn(canvas, Blue);
    // Points up to x = 880 are index 195; segments 0..194 minus the two touching point 10.
    EXPECT_EQ(lines.size(), 195u - 2u);
    for (const auto& l : lines) {
        EXPECT_EQ(l.width, 3);
        EXPECT_GE(std::min(l.x1, l.x2), 100);
        EXPECT_LE(std::max(l.x1, l.x2), 880);
        EXPECT_NE(l.x1, 99);
        EXPECT_NE(l.x2, 99);
    }
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const auto& l) { return l.y2 == 5000; }));
    EXPECT_EQ(canvas.DrawWidth(), 1);
}

TEST_F(ChartsTest, ExtremeCoordinatesNeverOverflowTheDevice) {
    charts::safeLine(canvas, 500, 500, 500, 1e300, Red);
    charts::safeLine(canvas, -std::numeric_limits<double>::infinity(), 400, 600, 400, Red);
    charts::safeLine(canvas, std::nan(""), 1, 2, 3, Red);
    const auto lines = linesIn(canvas, Red);
    ASSERT_EQ(lines.size(), 2u);
    // The visible part keeps its place and direction.
    EXPECT_EQ(lines[0].x1, 500);
    EXPECT_EQ(lines[0].x2, 500);
    EXPECT_GT(lines[0].y2, 1000);
    EXPECT_EQ(lines[1].y1, 400);
    EXPECT_LT(lines[1].x1, 0);
}

TEST_F(ChartsTest, TickNumbersDropAnEmptyFraction) {
    EXPECT_EQ(charts::tickNumber(25), "25");
    EXPECT_EQ(charts::tickNumber(12.5), "12.5");
    EXPECT_EQ(charts::tickNumber(3.333), "3.33");
    EXPECT_EQ(charts::tickNumber(-4), "-4");
}

// --- Voltage chart ------------------------------------------------------------------------------

class VoltageChartTest : public ChartsTest {
protected:
    void fill(double high, double overshootOfKind0 = 0) {
        fillSimulation(0, 10, [=](int kind, double phase) {
            double v = sampleWave(kind, phase, high);
            if (kind == 0 && phase > 0.2 && phase < 0.21) v += overshootOfKind0;
            return v;
        }, sampleAmplitude);
    }
    SimConfigRecord& config() { return mdlPublic::SimConfigs[0]; }
};

TEST_F(VoltageChartTest, AutomaticRangeIsChosenOnceAndStoredBack) {
    fill(5);
    charts.DrawVoltageChart(target(TargetKind::OwnPicture), 0, false);
    EXPECT_EQ(config().VoltMin, -4.0f);
    EXPECT_EQ(config().VoltMax, 8.0f);
    for (const char* label : {"-4", "-2", "0", "2", "4", "6", "8", "25", "50", "75", "100", "[V]", "Time[nsec]"})
        EXPECT_TRUE(findText(canvas, label)) << label;

    // Overshooting 8 V needs the wide range.
    config().VoltMin = config().VoltMax = 0;
    fill(5, 3.6);
    charts.DrawVoltageChart(target(TargetKind::OwnPicture), 0, false);
    EXPECT_EQ(config().VoltMin, -10.0f);
    EXPECT_EQ(config().VoltMax, 20.0f);

    // A stored range is used as it stands.
    config().VoltMin = -1;
    config().VoltMax = 3;
    charts.DrawVoltageChart(target(TargetKind::OwnPicture), 0, false);
    EXPECT_EQ(config().VoltMax, 3.0f);
}

TEST_F(VoltageChartTest, RangeLimitsAreInclusiveAndCountCurvesThatAreNotDrawn) {
    EXPECT_EQ(charts::automaticVoltRange(-4, 8).max, 8.0f);
    EXPECT_EQ(charts::automaticVoltRange(-4.01, 8).max, 20.0f);

    fill(5, 3.6);
    config().Measure = {0, 0};  // neither point A nor B: only the curve without the part shows
    charts.DrawVoltageChart(target(TargetKind::OwnPicture), 0, false);
    EXPECT_EQ(config().VoltMax, 20.0f);
    EXPECT_EQ(linesIn(canvas, Blue).size(), 0u);
    EXPECT_EQ(linesIn(canvas, Violet).size(), 0u);
    EXPECT_EQ(linesIn(canvas, Red).size(), 201u);
    EXPECT_FALSE(findText(canvas, "(B)After insert"));
    EXPECT_TRUE(findText(canvas, "(B)Before insert"));
}

TEST_F(VoltageChartTest, TwoCyclesShowTheShiftedCopy) {
    fill(5);
    charts.DrawVoltageChart(target(TargetKind::OwnPicture), 0, false);
    EXPECT_EQ(linesIn(canvas, Blue).size(), 201u);

    config().Cycles = 2;
    config().TimeMax = 2e-7f;
    charts.DrawVoltageChart(target(TargetKind::OwnPicture), 0, false);
    const auto blue = linesIn(canvas, Blue);
    EXPECT_EQ(blue.size(), 402u);
    EXPECT_NEAR(blue.back().x2, 880, 1e-3);
    EXPECT_TRUE(findText(canvas, "200"));
    EXPECT_TRUE(findText(canvas, "50"));
}

TEST_F(VoltageChartTest, ShorterTimeRangeCutsCurvesButLeavesResultsAlone) {
    fill(5);
    const auto before = mdlPublic::SimResults[0][0].Wave;
    config().TimeMax = 0.5e-7f;
    charts.DrawVoltageChart(target(TargetKind::OwnPicture), 0, false);
    const auto blue = linesIn(canvas, Blue);
    ASSERT_FALSE(blue.empty());
    // The segment crossing TimeMax ends exactly at the right edge.
    EXPECT_DOUBLE_EQ(blue.back().x2, 880);
    EXPECT_EQ(mdlPublic::SimResults[0][0].Wave, before);

    config().TimeMax = 1e-7f;
    charts.DrawVoltageChart(target(TargetKind::OwnPicture), 0, false);
    EXPECT_EQ(linesIn(canvas, Blue).size(), 201u);
}

TEST_F(VoltageChartTest, PenWidthsFollowTheTarget) {
    fill(5);
    charts.DrawVoltageChart(target(TargetKind::ZoomPicture), 0, false);
    for (const auto& l : linesIn(canvas, Blue)) EXPECT_EQ(l.width, 2);
    // The zoom layout's plot box.
    EXPECT_NEAR(linesIn(canvas, Blue).front().x1, 90, 1e-9);

    canvas.Cls();
    charts.DrawVoltageChart(target(TargetKind::Printer), 0, true);
    std::map<int, int> widths;
    for (const auto& l : linesIn(canvas, Black)) ++widths[l.width];
    // Curves 6 (with part, B), 3 (without), 1 (point A) plus grid lines of width 1, and the legend samples.
    EXPECT_EQ(widths[6], 201 + 1);
    EXPECT_EQ(widths[3], 201 + 1);
    EXPECT_EQ(canvas.DrawWidth(), 1);
    EXPECT_EQ(linesIn(canvas, Blue).size(), 0u);
}

// --- Frequency chart ----------------------------------------------------------------------------

class FreqChartTest : public ChartsTest {
protected:
    void useParts(const std::vector<TestPart>& parts, int simType = 0) {
        writeCatalogue(folder, parts);
        fillSimulation(0, 10, [](int k, double ph) { return sampleWave(k, ph, 3); }, sampleAmplitude);
        config().SimType = static_cast<std::int16_t>(simType);
        config().PartNum[0] = parts[0].number;
        if (simType != 0) config().PartNum[1] = parts[1].number;
    }
    SimConfigRecord& config() { return mdlPublic::SimConfigs[0]; }

    static TestPart bead(const std::string& number, double peak) {
        return {number, 0, BeadCategory, [=](double f) { return static_cast<float>(peak * f / (f + 100)); },
                [=](double f) { return static_cast<float>(0.5 * peak * f / (f + 100)); },
                [=](double f) { return static_cast<float>(peak * (1 - f / 300) * f / (f + 100)); }};
    }
    static TestPart loss(const std::string& number, double depth) {
        return {number, 1, FilterCategory, [=](double f) { return static_cast<float>(depth * f / (f + 50)); }, {}, {}};
    }
    std::vector<std::string> leftLabels() {
        std::vector<std::string> out;
        for (const auto& p : ofKind(canvas, PrimitiveKind::Text))
            if (p.x1 == 10) out.push_back(p.text);
        return out;
    }
};

TEST_F(FreqChartTest, DecadeGeometryAndLabelsOnWindowAndZoom) {
    useParts({bead("KSVA", 500)});
    charts.DrawFreqChart(target(TargetKind::OwnPicture), 0, false);
    // D = 3, W = 253: the last column ends at 879.
    double rightmost = 0;
    for (const auto& l : ofKind(canvas, PrimitiveKind::Line)) rightmost = std::max({rightmost, l.x1, l.x2});
    EXPECT_DOUBLE_EQ(rightmost, 879);
    for (const char* label : {"1", "10", "100", "1000", "Impedance-Frequency", "[ohm]", "Frequency[MHz]"})
        EXPECT_TRUE(findText(canvas, label)) << label;

    canvas.Cls();
    charts.DrawFreqChart(target(TargetKind::ZoomPicture), 0, false);
    rightmost = 0;
    for (const auto& l : ofKind(canvas, PrimitiveKind::Line)) rightmost = std::max({rightmost, l.x1, l.x2});
    EXPECT_DOUBLE_EQ(rightmost, 90 + 3 * 280);
    for (const auto& l : linesIn(canvas, Black)) EXPECT_LE(l.width, 2);
}

TEST_F(FreqChartTest, ImpedanceAxisRoundsUpToMultiplesOf200FromInRangeSamplesOnly) {
    EXPECT_EQ(charts::impedanceAxisTop(640), 800);
    EXPECT_EQ(charts::impedanceAxisTop(600), 600);

    // Rising beyond the range: only the in-range samples count.
    TestPart rising{"KSVR", 0, BeadCategory, [](double f) { return static_cast<float>(f); }, [](double) { return 1.0f; },
                    [](double) { return 1.0f; }};
    useParts({rising});
    config().FreqMax = 1e8f;  // in range up to 100 ohm; 10 kohm above it
    charts.DrawFreqChart(target(TargetKind::OwnPicture), 0, false);
    EXPECT_EQ(sorted(leftLabels()), sorted({"0", "50", "100", "150", "200", "[ohm]"}));
}

TEST_F(FreqChartTest, RangeWithoutSamplesGetsA200OhmAxis) {
    useParts({bead("KSVA", 500)});
    config().FreqMin = 1e11f;
    config().FreqMax = 1e12f;
    charts.DrawFreqChart(target(TargetKind::OwnPicture), 0, false);
    EXPECT_TRUE(findText(canvas, "200"));
    EXPECT_EQ(linesIn(canvas, Magenta).size(), 0u);
}

TEST_F(FreqChartTest, InsertionLossUsesTheFixed100dBAxisAndIsNotClippedInHeight) {
    useParts({loss("QTAX", 120)});
    charts.DrawFreqChart(target(TargetKind::OwnPicture), 0, false);
    EXPECT_EQ(sorted(leftLabels()), sorted({"100", "75", "50", "25", "0", "[dB]"}));
    EXPECT_TRUE(findText(canvas, "IL-Frequency"));
    const auto il = linesIn(canvas, DarkCyan);
    ASSERT_FALSE(il.empty());
    // 120 dB of attenuation lies below the bottom edge (100 dB).
    EXPECT_LT(std::min(il.back().y1, il.back().y2), 180);
}

TEST_F(FreqChartTest, ReactanceStopsAtEachOfItsOwnZeroCrossings) {
    // X changes sign three times inside the range: falls at 20 MHz, rises at 80, falls at 300.
    TestPart bead{"KSVX", 0, BeadCategory, [](double) { return 300.0f; }, [](double) { return 100.0f; },
                  [](double f) { return static_cast<float>(-(f - 20) * (f - 80) * (f - 300) / 2000.0); }};
    useParts({bead});
    charts.DrawFreqChart(target(TargetKind::OwnPicture), 0, false);
    std::vector<double> bottomEnds;
    for (const auto& l : linesIn(canvas, DarkGreen))
        if (l.y2 == 180) bottomEnds.push_back(l.x2);
    ASSERT_EQ(bottomEnds.size(), 2u);
    const auto xOf = [](double mhz) { return 120 + 253 * std::log10(mhz); };
    EXPECT_NEAR(bottomEnds[0], xOf(20), 1.0);
    EXPECT_NEAR(bottomEnds[1], xOf(300), 1.0);
    for (const auto& l : linesIn(canvas, DarkGreen)) EXPECT_GE(std::min(l.y1, l.y2), 180 - 1e-9);
    // Z and R go on across the whole range.
    EXPECT_EQ(linesIn(canvas, Magenta).size(), linesIn(canvas, Black).size() - 4u);
    // (the four black border lines of the grid aside)
}

TEST_F(FreqChartTest, TwoPartsInMonochromeUseWiderBeadPensAndARightAxis) {
    useParts({bead("KSVA", 500), loss("QTAX", 60)}, 2);
    charts.DrawFreqChart(target(TargetKind::Printer), 0, true);
    std::map<int, int> widths;
    for (const auto& l : linesIn(canvas, Black)) ++widths[l.width];
    EXPECT_GT(widths[7], 100);
    EXPECT_GT(widths[5], 100);
    EXPECT_GT(widths[3], 10);
    EXPECT_TRUE(findText(canvas, "Impedance/IL-Frequency"));
    const auto* unit = findText(canvas, "[dB]");
    ASSERT_TRUE(unit);
    EXPECT_EQ(unit->x1, 900);
    EXPECT_EQ(ofKind(canvas, PrimitiveKind::FilledBox).size(), 0u);
    EXPECT_EQ(canvas.DrawWidth(), 1);

    // Drawn again, each part from its own record: the filter's 60 dB stay inside the 100 dB axis.
    canvas.Cls();
    charts.DrawFreqChart(target(TargetKind::OwnPicture), 0, false);
    ASSERT_FALSE(linesIn(canvas, DarkCyan).empty());
    for (const auto& l : linesIn(canvas, DarkCyan)) EXPECT_GE(std::min(l.y1, l.y2), 180);
}

// Texts keep apart at every size a chart is drawn at, and a frame drawn over itself (the two-part
// frequency chart draws it once per part) leaves the picture as it was.
TEST_F(FreqChartTest, TextsStayApartAndAFrameDrawnAgainChangesNothing) {
    useParts({bead("KSVA", 500), loss("QTAX", 60)}, 2);
    config().Measure = {1, 1};
    struct Row {
        const char* size;
        int width, height;
        double dpi;
        TargetKind kind;
    };
    for (const Row& row : {Row{"window", 233, 193, 96, TargetKind::OwnPicture},
                           Row{"zoom", 561, 401, 96, TargetKind::ZoomPicture},
                           Row{"printer", 1890, 1560, 600, TargetKind::Printer}}) {
        for (int chart = 0; chart < 3; ++chart) {
            platform::RecordingCanvas c(row.width, row.height, row.dpi);
            charts::setChartSpace(c);
            const ChartTarget t{c, row.kind};
            const bool mono = row.kind == TargetKind::Printer;
            if (chart == 0) charts.DrawFreqChart(t, 0, mono);
            if (chart == 1) charts.DrawVoltageChart(t, 0, mono);
            if (chart == 2) charts.DrawSpectrumChart(t, 0, mono);
            const auto texts = ofKind(c, PrimitiveKind::Text);
            for (std::size_t i = 0; i < texts.size(); ++i)
                for (std::size_t j = 0; j < i; ++j) {
                    const auto &a = texts[i], &b = texts[j];
                    EXPECT_FALSE(a.dx1 < b.dx2 && b.dx1 < a.dx2 && a.dy1 < b.dy2 && b.dy1 < a.dy2)
                        << row.size << " chart " << chart << ": \"" << a.text << "\" runs into \"" << b.text << "\"";
                }
        }
    }

    platform::ImageCanvas picture(233, 193);
    charts::setChartSpace(picture);
    const ChartTarget own{picture, TargetKind::OwnPicture};
    charts.DrawFreqChart(own, 0, false);
    const QImage before = picture.image().copy();
    charts.DrawChartFrame(own, ChartKind::Freq, 0, 0, false, charts.primitives().plotGrid(0, 3, 4), {600, 1, 0, 1});
    EXPECT_TRUE(picture.image() == before) << "the frame drawn again changed the picture";
    if (const char* out = std::getenv("QUENLIS_TEST_OUT")) before.save(QString(out) + "/two_part_chart.png");
}

TEST_F(FreqChartTest, PartWithoutAPreviousNumberIsFoundByItsGlobalOneInThePreviousView) {
    useParts({bead("KSVA", 500)});
    mdlPublic::FilterIndex[0].PrevPartNum.clear();
    platform::SaveSetting("vandore", "Settings", "PartnumType", "1");
    charts.DrawFreqChart(target(TargetKind::OwnPicture), 0, false);
    EXPECT_GT(linesIn(canvas, Magenta).size(), 0u);

    // An empty number names no part, even though the entry has no previous number.
    config().PartNum[0].clear();
    EXPECT_EQ(errorOf([&] { charts.DrawFreqChart(target(TargetKind::OwnPicture), 0, false); }), platform::errSubscript);
    platform::SaveSetting("vandore", "Settings", "PartnumType", "0");
}

TEST_F(FreqChartTest, MissingDataFileIsFileNotFound) {
    useParts({bead("KSVA", 500)});
    std::filesystem::remove(folder / "data" / "filter.dat");
    try {
        charts.DrawFreqChart(target(TargetKind::OwnPicture), 0, false);
        FAIL();
    } catch (const platform::RuntimeError& e) {
        EXPECT_EQ(e.number(), platform::errFileNotFound);
    }
}

// --- Spectrum chart -----------------------------------------------------------------------------

class SpectrumChartTest : public ChartsTest {
protected:
    // Levels in dB (above 1 µV) per harmonic, as amplitudes of result kinds 0 and 1.
    void fill(const std::function<double(int kind, int k)>& levelDb, double clockMHz = 250) {
        fillSimulation(0, clockMHz, [](int k, double ph) { return sampleWave(k, ph, 3); },
                       [&](int kind, int k) { return std::pow(10.0, levelDb(kind, k) / 20) * std::sqrt(2.0) / 1e6; });
    }
    SimConfigRecord& config() { return mdlPublic::SimConfigs[0]; }
};

TEST_F(SpectrumChartTest, AxisTopIsTheNextMultipleOf20) {
    EXPECT_EQ(charts::spectrumAxisTop(40.0f), 40);
    EXPECT_EQ(charts::spectrumAxisTop(40.01f), 60);
    EXPECT_EQ(charts::spectrumAxisTop(0.0f), 20);

    fill([](int, int k) { return k == 2 ? 40.01 : 10.0; });
    charts.DrawSpectrumChart(target(TargetKind::OwnPicture), 0, false);
    for (const char* label : {"0", "15", "30", "45", "60"}) EXPECT_TRUE(findText(canvas, label)) << label;
}

TEST_F(SpectrumChartTest, LevelsBelowZeroAndZeroAmplitudeSitOnTheFloor) {
    EXPECT_EQ(charts::harmonicLevel(0, 0), 0.0f);
    EXPECT_EQ(charts::harmonicLevel(1e-9, 0), 0.0f);
    EXPECT_NEAR(charts::harmonicLevel(std::sqrt(2.0), 0), 120.0f, 1e-4);

    fillSimulation(0, 250, [](int k, double ph) { return sampleWave(k, ph, 3); }, [](int, int k) { return k == 1 ? 0.0 : 1e-3; });
    EXPECT_NO_THROW(charts.DrawSpectrumChart(target(TargetKind::OwnPicture), 0, false));
    // Harmonic 1 has a bar of zero height at y0.
    const auto bars = linesIn(canvas, Blue);
    ASSERT_EQ(bars.size(), 5u);
    EXPECT_EQ(bars[1].y2, 180);
}

TEST_F(SpectrumChartTest, RangeWithoutHarmonicsDrawsAnEmpty20dBAxis) {
    fill([](int, int) { return 50.0; });
    config().SpecMin = 1.1e9f;
    config().SpecMax = 1.2e9f;
    EXPECT_NO_THROW(charts.DrawSpectrumChart(target(TargetKind::OwnPicture), 0, false));
    EXPECT_EQ(linesIn(canvas, Blue).size(), 0u);
    EXPECT_TRUE(findText(canvas, "20"));
}

TEST_F(SpectrumChartTest, EnvelopeVerticesTreatTiesAsMaxima) {
    const std::vector<double> valley = {10, 3, 3, 3, 10};
    EXPECT_EQ(charts::envelopeVertices(valley), (std::vector<std::size_t>{0, 2, 4}));
    const std::vector<double> rising = {1, 2, 3, 4, 5};
    EXPECT_EQ(charts::envelopeVertices(rising), (std::vector<std::size_t>{0, 4}));
}

TEST_F(SpectrumChartTest, BarsAtTheRangeEndsCountAndTheEnvelopeIsCutAtTheEdges) {
    // 250 MHz: harmonics at 0, 250, 500, 750 and 1000 MHz.
    fill([](int kind, int k) { return kind == 1 ? (k == 0 ? 80.0 : 30.0 + 5 * k) : 20.0 + k; });
    config().SpecMin = 250e6f;
    config().SpecMax = 750e6f;
    charts.DrawSpectrumChart(target(TargetKind::OwnPicture), 0, false);
    // Bars at 250, 500 and 750 MHz: the ends are inside.
    EXPECT_EQ(linesIn(canvas, Blue).size(), 3u);
    // Envelope vertices 0 (80 dB, out of range) and 4; its one segment is cut at both edges.
    const auto envelope = linesIn(canvas, Red);
    ASSERT_EQ(envelope.size(), 1u);
    EXPECT_DOUBLE_EQ(envelope[0].x1, 120);
    EXPECT_DOUBLE_EQ(envelope[0].x2, 880);
    // The axis reads 0..60 (in-range maximum 45 dB) and the envelope enters above the plot at 72.5 dB.
    EXPECT_NEAR(envelope[0].y1, 180 + 72.5 / 60 * 720, 0.05);
    EXPECT_TRUE(findText(canvas, "250"));
    EXPECT_TRUE(findText(canvas, "500"));
}

TEST_F(SpectrumChartTest, TickLabelsAndPensByTarget) {
    fill([](int, int k) { return 60.0 - k; }, 10);
    config().SpecMin = 1e6f;
    charts.DrawSpectrumChart(target(TargetKind::ZoomPicture), 0, false);
    for (const char* label : {"1", "250.75", "500.5", "750.25", "1000", "(B)Before insert", "(B)After insert"})
        EXPECT_TRUE(findText(canvas, label)) << label;
    for (const auto& l : linesIn(canvas, Red)) EXPECT_EQ(l.width, 2);
    for (const auto& l : linesIn(canvas, Blue)) EXPECT_EQ(l.width, 2);

    canvas.Cls();
    charts.DrawSpectrumChart(target(TargetKind::Printer), 0, false);
    for (const auto& l : linesIn(canvas, Red)) EXPECT_EQ(l.width, 3);
    for (const auto& l : linesIn(canvas, Blue)) EXPECT_EQ(l.width, 1);

    canvas.Cls();
    canvas.setDrawWidth(4);
    charts.DrawSpectrumChart(target(TargetKind::Printer), 0, true);
    EXPECT_EQ(linesIn(canvas, Red).size(), 0u);
    EXPECT_FALSE(findText(canvas, "(B)Before insert"));
    // Monochrome leaves the printer's pen alone until the final reset.
    for (const auto& l : linesIn(canvas, Black))
        if (l.x1 == l.x2 && l.y1 == 180 && l.y2 > 180 && l.y2 < 900) {
            EXPECT_EQ(l.width, 4);
        }
    EXPECT_EQ(canvas.DrawWidth(), 1);
}
