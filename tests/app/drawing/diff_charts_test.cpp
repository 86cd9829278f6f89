// The five differential charts, asserted on a recording canvas from a synthetic simulation.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "app/charts/chart_fixture.h"
#include "app/charts/diff_chart_fixture.h"
#include "app/drawing/diff_charts.h"
#include "platform/canvas.h"
#include "platform/errors.h"

using namespace chart_test;
using charts::ChartTarget;
using charts::TargetKind;
using platform::PrimitiveKind;

namespace {

bool hasText(const platform::Canvas& canvas, const std::string& text) { return findText(canvas, text) != nullptr; }

class DiffChartsTest : public ChartCanvasTest<charts::DiffCharts> {
protected:
    void SetUp() override {
        ChartCanvasTest::SetUp();
        writeCatalogue(folder, {{"WQTEST", 3, "Chip Common Mode Choke Coil (WQ series)",
                                 [](double mhz) { return static_cast<float>(90 * mhz / (mhz + 50)); },
                                 [](double mhz) { return static_cast<float>(mhz / 50); }, nullptr}});
        fillDiffSimulation(0, 240, "USB2.0", "HS(480Mbps)", pairWave, [](int kind, int k) {
            // The sum keeps what V+ and V- do not cancel: more without the choke.
            const double base = k == 0 ? 0.2 : 0.05 / k;
            return kind % 2 == 0 ? base * (kind == 0 ? 1.0 : 3.0) : base * (kind == 1 ? 0.5 : 1.0);
        });
    }
};

TEST_F(DiffChartsTest, DefaultVoltageRangesFollowTheInterfaceAndAreStoredBack) {
    struct Row {
        const char* dcc;
        const char* clock;
        charts::DiffVoltRange ranges[3];
    };
    const Row rows[] = {
        {"USB2.0", "LS(1.5Mbps)", {{-1, 4}, {0, 6}, {-5, 5}}},
        {"USB2.0", "FS(12Mbps)", {{-1, 4}, {0, 6}, {-5, 5}}},
        {"USB2.0", "HS(480Mbps)", {{-0.1f, 0.5f}, {0, 0.8f}, {-0.7f, 0.7f}}},
        {"LVDS", "", {{0.8f, 1.6f}, {0, 4.8f}, {-0.6f, 0.6f}}},
        {"IEEE1394", "", {{1.65f, 2.0f}, {0, 7.4f}, {-0.4f, 0.4f}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.dcc) + " " + row.clock);
        SimConfig2Record& c = mdlPublic::SimConfigs2[0];
        c.DccType = row.dcc, c.DccClock = row.clock;
        c.VoltMin = {}, c.VoltMax = {};
        for (int index = 0; index < 3; ++index) {
            charts.DrawVoltageChart(target(TargetKind::OwnPicture), 0, false, index);
            EXPECT_EQ(c.VoltMin[index], row.ranges[index].min) << index;
            EXPECT_EQ(c.VoltMax[index], row.ranges[index].max) << index;
            EXPECT_TRUE(hasText(canvas, charts::tickNumber(row.ranges[index].max))) << index;
        }
    }
    // A stored range is used as it stands.
    mdlPublic::SimConfigs2[0].VoltMin[2] = -2, mdlPublic::SimConfigs2[0].VoltMax[2] = 4;
    charts.DrawVoltageChart(target(TargetKind::OwnPicture), 0, false, 2);
    EXPECT_EQ(mdlPublic::SimConfigs2[0].VoltMax[2], 4);
    EXPECT_TRUE(hasText(canvas, "4"));
    EXPECT_THROW(charts::defaultDiffVoltRange("USB2.0", "XS", 0), platform::RuntimeError);
}

TEST_F(DiffChartsTest, TimeTicksUseOneDecimalOnEveryOtherColumn) {
    for (const auto& [value, text] : {std::pair{3.333, "3.3"}, {152.3, "152"}, {25.0, "25"}, {12.5, "12.5"},
                                      {0.0, "0"}, {99.96, "100"}, {100.04, "100"}})
        EXPECT_EQ(charts::diffTimeTick(value), text) << value;
    // 7/4 of a 240 MHz period in seven columns: labels at 0, 2, 4 and 6 of them.
    charts.DrawVoltageChart(target(TargetKind::OwnPicture), 0, false, 0);
    for (const char* label : {"0", "2.1", "4.2", "6.3"}) EXPECT_TRUE(hasText(canvas, label)) << label;
    for (const char* label : {"1", "1.0", "3.1", "5.2", "7.3"}) EXPECT_FALSE(hasText(canvas, label)) << label;
}

// The mirrored pair sums to a flat line and differs by a full swing; each curve runs to point 353.
TEST_F(DiffChartsTest, SumIsFlatDifferenceSwingsAndCurvesUseAll354Points) {
    const auto blueSpan = [&](int index) {
        canvas.clearDisplayList();
        charts.DrawVoltageChart(target(TargetKind::OwnPicture), 0, false, index);
        double low = 1e9, high = -1e9;
        std::size_t count = 0;
        for (const auto& p : linesIn(canvas, Blue)) {
            low = std::min({low, p.y1, p.y2});
            high = std::max({high, p.y1, p.y2});
            ++count;
        }
        return std::tuple{high - low, count};
    };
    const auto [sumSpan, sumSegments] = blueSpan(1);
    const auto [diffSpan, diffSegments] = blueSpan(2);
    EXPECT_LT(sumSpan, 1.0);
    EXPECT_GT(diffSpan, 400.0);
    // 7/4 of a period ends between points 351 and 352: the clip moves point 352 onto the edge, so
    // segments 0..351 are drawn and segment 352 lies beyond it.
    EXPECT_EQ(sumSegments, 352u);
    EXPECT_EQ(diffSegments, 352u);
    // The measuring-point chart draws both nodes of both runs.
    canvas.clearDisplayList();
    charts.DrawVoltageChart(target(TargetKind::OwnPicture), 0, false, 0);
    EXPECT_EQ(linesIn(canvas, Blue).size(), 2 * 352u);
    EXPECT_EQ(linesIn(canvas, Red).size(), 2 * 352u);
}

TEST_F(DiffChartsTest, TitlesCarryTheOperatorInRedOnScreenAndBlackOnPaper) {
    struct Row {
        std::function<void(const ChartTarget&)> draw;
        const char* head;
        const char* op;
    };
    const Row rows[] = {
        {[&](const ChartTarget& t) { charts.DrawVoltageChart(t, 0, false, 1); }, "Voltage-Waveform(V+ ", "+"},
        {[&](const ChartTarget& t) { charts.DrawVoltageChart(t, 0, false, 2); }, "Voltage-Waveform(V+ ", "-"},
        {[&](const ChartTarget& t) { charts.DrawSpectrumChart(t, 0, false); }, "Spectrum-Frequency(V+ ", "+"},
    };
    for (const Row& row : rows) {
        for (const TargetKind kind : {TargetKind::OwnPicture, TargetKind::Printer}) {
            canvas.clearDisplayList();
            row.draw(target(kind));
            const auto* head = findText(canvas, row.head);
            const auto* op = findText(canvas, row.op);
            ASSERT_NE(head, nullptr) << row.head;
            ASSERT_NE(op, nullptr) << row.op;
            EXPECT_TRUE(hasText(canvas, " V-)"));
            EXPECT_EQ(op->fontSize, 16);
            EXPECT_EQ(op->color, kind == TargetKind::Printer ? Black : Red);
            EXPECT_GT(op->x1, head->x1);
        }
    }
    canvas.clearDisplayList();
    charts.DrawVoltageChart(target(TargetKind::OwnPicture), 0, false, 0);
    EXPECT_TRUE(hasText(canvas, "Voltage-Waveform(Measuring Point)"));
}

TEST_F(DiffChartsTest, VoltageTickLabelsNeverRunIntoThePlot) {
    struct Row {
        TargetKind kind;
        double fontSize;  // the printed page's half frames use 6.5 points
        float min, max;
        std::vector<std::string> labels;
    };
    const Row rows[] = {
        {TargetKind::OwnPicture, 8, -0.7f, 0.7f, {"-0.7", "-0.47", "0", "0.23", "0.7"}},
        {TargetKind::OwnPicture, 8, -1000, 1000, {"-1000", "-333.33", "1000"}},
        {TargetKind::OwnPicture, 8, -1e30f, 1e30f, {"-1E+30", "0", "1E+30"}},
        {TargetKind::ZoomPicture, 8, -1e30f, 1e30f, {"-1E+30", "1E+30"}},
        {TargetKind::Printer, 6.5, -1e30f, 1e30f, {"-1E+30", "1E+30"}},
        {TargetKind::Printer, 6.5, 0, 3e20f, {"0", "3E+20", "1.5E+20"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.max) + " at " + std::to_string(row.fontSize));
        canvas.clearDisplayList();
        canvas.setFontSize(row.fontSize);
        mdlPublic::SimConfigs2[0].VoltMin[2] = row.min;
        mdlPublic::SimConfigs2[0].VoltMax[2] = row.max;
        charts.DrawVoltageChart(target(row.kind), 0, false, 2);
        for (const std::string& label : row.labels) EXPECT_TRUE(hasText(canvas, label)) << label;
        // Left of the plot and above the time ticks: the voltage axis.
        const bool zoom = row.kind == TargetKind::ZoomPicture;
        const int plotLeft = canvas.toDeviceX(zoom ? 90 : 120);
        for (const auto& p : ofKind(canvas, PrimitiveKind::Text)) {
            if (std::min(p.dx1, p.dx2) >= plotLeft || p.y1 <= (zoom ? 90 : 160)) continue;
            EXPECT_LE(std::max(p.dx1, p.dx2), plotLeft) << p.text;
        }
    }
}

TEST_F(DiffChartsTest, SpectrumOfTheSumDrawsNoEnvelopeWhenTheFundamentalIsSilent) {
    charts.DrawSpectrumChart(target(TargetKind::OwnPicture), 0, false);
    EXPECT_EQ(linesIn(canvas, Blue).size(), 5u);  // harmonics 0..4 of 240 MHz
    EXPECT_FALSE(linesIn(canvas, Red).empty());
    EXPECT_TRUE(hasText(canvas, "Before insert"));

    // Without the choke V+ and V- cancel at the fundamental: bars, but no envelope.
    for (int kind : {2, 3}) mdlPublic::SimResults[kind][0].Spectrum[2] = kind == 2 ? 1e-3 : -1e-3;
    canvas.clearDisplayList();
    charts.DrawSpectrumChart(target(TargetKind::OwnPicture), 0, false);
    EXPECT_EQ(linesIn(canvas, Blue).size(), 5u);
    EXPECT_TRUE(linesIn(canvas, Red).empty());
}

TEST_F(DiffChartsTest, ChokeImpedanceShowsCommonAndNormalModeWithTheirLegend) {
    charts.DrawFreqChart(target(TargetKind::OwnPicture), 0, false);
    EXPECT_FALSE(linesIn(canvas, Magenta).empty());
    EXPECT_TRUE(hasText(canvas, "Impedance-Frequency"));
    EXPECT_TRUE(hasText(canvas, "Common Mode"));
    EXPECT_TRUE(hasText(canvas, "Normal Mode"));
    EXPECT_TRUE(hasText(canvas, "[ohm]"));
    EXPECT_TRUE(hasText(canvas, "200"));  // 90 ohm at most: the 200-ohm axis
    // In monochrome both curves are black and the legend gets its line samples 40 below the texts.
    canvas.clearDisplayList();
    charts.DrawFreqChart(target(TargetKind::Printer), 0, true);
    EXPECT_TRUE(linesIn(canvas, Magenta).empty());
    const auto* common = findText(canvas, "Common Mode");
    ASSERT_NE(common, nullptr);
    EXPECT_EQ(common->x1, 190);
    bool sample = false;
    for (const auto& p : linesIn(canvas, Black))
        sample = sample || (p.x1 == 140 && p.x2 == 180 && p.y1 == 850 && p.width == 3);
    EXPECT_TRUE(sample);
}

}  // namespace
