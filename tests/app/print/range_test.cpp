// The Expand/Contract dialog of the filter-circuit result window, opened and filled as a user would.
#include <gtest/gtest.h>

#include <QImage>

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <set>
#include <string>

#include "app/charts/chart_fixture.h"
#include "print_fixture.h"
#include "app/charts/frmChart.h"
#include "app/charts/frmChart2.h"
#include "app/print/frmConfigRange.h"
#include "app/print/frmConfigRange2.h"
#include "app/shared/form_registry.h"
#include "platform/controls.h"
#include "platform/menu.h"
#include "platform/msgbox.h"
#include "platform/picturebox.h"
#include "platform/strings.h"
#include "support/testing.h"

using namespace chart_test;
namespace pt = platform::testing;

namespace {

using apptest::control;
using apptest::menuItem;
using apptest::outputFile;
using print_test::ProgramChartTest;

platform::TextBox& box(platform::Form& f, const std::string& name, int index = -1) {
    return control<platform::TextBox>(f, name, index);
}
platform::OptionButton& option(platform::Form& f, const std::string& name, int index) {
    return control<platform::OptionButton>(f, name, index);
}
platform::PictureBox& picture(platform::Form& form, int index) { return control<platform::PictureBox>(form, "picChart", index); }

// Texts of a chart drawn on the same line as the text `onLine`: one axis's tick labels.
std::set<std::string> textsBeside(const platform::Canvas& canvas, const std::string& onLine) {
    const platform::DrawnPrimitive* anchor = findText(canvas, onLine);
    std::set<std::string> out;
    if (!anchor) return out;
    for (const auto& p : ofKind(canvas, platform::PrimitiveKind::Text))
        if (p.y1 == anchor->y1) out.insert(p.text);
    return out;
}

// The five boxes of the dialog as the user fills them.
struct Entries {
    std::string end, min, max, from, to;
};

class RangeDialogTest : public ProgramChartTest {
protected:
    // Opens the dialog from the window's Chart menu, or from the pop-up of chart popupOn, and lets
    // `user` work in it; returns whether the dialog came up.
    bool openDialog(frmChart& chart, const std::function<void(frmConfigRange&)>& user, int popupOn = -1) {
        return openDialogOf<frmConfigRange>(chart, user, popupOn);
    }

    // Either window's dialog, from its Chart menu or the pop-up of chart popupOn; `user` works in it.
    template <class Dialog>
    bool openDialogOf(platform::Form& chart, const std::function<void(Dialog&)>& user, int popupOn) {
        bool opened = false;
        pt::setModalDriver([&](platform::Form& form) {
            auto* dialog = dynamic_cast<Dialog*>(&form);
            ASSERT_NE(dialog, nullptr);
            opened = true;
            user(*dialog);
        });
        if (popupOn < 0) {
            pt::click(menuItem(chart, {"&Chart", "&Expand/Contract"}));
        } else {
            picture(chart, popupOn).userMouseUp(platform::PictureBox::RightButton, 0, 10, 10);
            pt::click(menuItem(chart, {"Chart", "&Expand/Contract"}));
        }
        pt::setModalDriver(nullptr);
        return opened;
    }

    static void fill(frmConfigRange& d, const Entries& e) {
        pt::type(box(d, "txtTo", 1), e.end);
        pt::type(box(d, "txtMin"), e.min);
        pt::type(box(d, "txtMax"), e.max);
        pt::type(box(d, "txtFrom", 2), e.from);
        pt::type(box(d, "txtTo", 2), e.to);
    }
};

std::string shownTexts(platform::Form& d) {
    return box(d, "txtTo", 1).Text() + " | " + box(d, "txtMin").Text() + " | " + box(d, "txtMax").Text() + " | " +
           box(d, "txtFrom", 2).Text() + " | " + box(d, "txtTo", 2).Text();
}

}  // namespace

TEST_F(RangeDialogTest, OpensFromMenuAndPopUpWithTheStoredRangesInTheirNumberForms) {
    struct Row {
        const char* what;
        int popupOn;  // -1: the Chart menu
        std::int16_t simType;
        float freqMin, freqMax, timeMax, voltMin, voltMax, specMin, specMax;
        const char* shown;
        std::array<bool, 3> fromOn, toOn, fromEnabled, toEnabled;
        bool groupEnabled;
    };
    const Row rows[] = {
        {"defaults", -1, 0, 1e6f, 1e9f, 1e-7f, -4, 8, 0, 1e9f, "100 | -4 | 8 | 0 | 1000",
         {true, false, false}, {false, false, true}, {true, true, true}, {true, true, true}, true},
        {"10 to 100 MHz, a third of a period", 2, 0, 1e7f, 1e8f, static_cast<float>(1 / 3e6), -4, 2.5f, 0, 1e9f,
         "333.33 | -4 | 2.5 | 0 | 1000", {false, true, false}, {false, true, false}, {true, true, false},
         {false, true, true}, true},
        {"near whole and two decimals", 0, 0, 1e8f, 1e9f, 99.996e-9f, -0.004f, 12.345f, 2.5e5f, 5e8f,
         "100 | 0 | 12.35 | 0.25 | 500", {false, false, true}, {false, false, true}, {true, true, true},
         {false, false, true}, true},
        {"two decimals kept", -1, 0, 1e6f, 1e7f, 99.98e-9f, 1, 3, 0, 1e9f, "99.98 | 1 | 3 | 0 | 1000",
         {true, false, false}, {true, false, false}, {true, false, false}, {true, true, true}, true},
        {"bead with capacitor: decades fixed", 1, 1, 1e7f, 1e8f, 1e-7f, -4, 8, 0, 1e9f, "100 | -4 | 8 | 0 | 1000",
         {false, true, false}, {false, true, false}, {false, false, false}, {false, false, false}, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        pt::discardAllForms();
        frmChart& chart = openChart(3);
        SimConfigRecord& r = mdlPublic::SimConfigs[3];
        r.SimType = row.simType;
        r.FreqMin = row.freqMin;
        r.FreqMax = row.freqMax;
        r.TimeMax = row.timeMax;
        r.VoltMin = row.voltMin;
        r.VoltMax = row.voltMax;
        r.SpecMin = row.specMin;
        r.SpecMax = row.specMax;
        mdlPublic::CurrentSim = 0;
        const bool opened = openDialog(
            chart,
            [&](frmConfigRange& d) {
                EXPECT_EQ(mdlPublic::CurrentSim, 3);
                EXPECT_EQ(d.Caption(), "Expand/Contract");
                EXPECT_EQ(control<platform::Frame>(d, "fraChartRange", 0).Caption(), "Impedance/IL-Frequency");
                EXPECT_EQ(shownTexts(d), row.shown);
                for (int k = 0; k < 3; ++k) {
                    EXPECT_EQ(option(d, "optFrom", k).Value(), row.fromOn[k]) << "optFrom " << k;
                    EXPECT_EQ(option(d, "optTo", k).Value(), row.toOn[k]) << "optTo " << k;
                    EXPECT_EQ(option(d, "optFrom", k).Enabled(), row.fromEnabled[k]) << "optFrom " << k;
                    EXPECT_EQ(option(d, "optTo", k).Enabled(), row.toEnabled[k]) << "optTo " << k;
                }
                EXPECT_EQ(control<platform::Frame>(d, "fraChartRange", 0).Enabled(), row.groupEnabled);
                EXPECT_EQ(control<platform::Frame>(d, "fraChartTo").Enabled(), row.groupEnabled);
                pt::pressEscape(d);
                EXPECT_FALSE(d.isLoaded());
            },
            row.popupOn);
        EXPECT_TRUE(opened);
    }
}

TEST_F(RangeDialogTest, DecadeClicksKeepStartBelowEnd) {
    frmChart& chart = openChart(0);
    openDialog(chart, [](frmConfigRange& d) {
        // After each click: enabled state of optTo(0), optTo(1), optFrom(1), optFrom(2).
        struct Step {
            const char* name;
            int index;
            std::array<bool, 4> enabled;
        };
        const Step steps[] = {
            {"optFrom", 2, {false, false, true, true}}, {"optFrom", 1, {false, true, true, true}},
            {"optTo", 1, {false, true, true, false}},   {"optFrom", 0, {true, true, true, false}},
            {"optTo", 0, {true, true, false, false}},   {"optTo", 2, {true, true, true, true}},
        };
        for (const Step& s : steps) {
            SCOPED_TRACE(std::string(s.name) + " " + std::to_string(s.index));
            pt::click(option(d, s.name, s.index));
            EXPECT_TRUE(option(d, s.name, s.index).Value());
            EXPECT_EQ(option(d, "optTo", 0).Enabled(), s.enabled[0]);
            EXPECT_EQ(option(d, "optTo", 1).Enabled(), s.enabled[1]);
            EXPECT_EQ(option(d, "optFrom", 1).Enabled(), s.enabled[2]);
            EXPECT_EQ(option(d, "optFrom", 2).Enabled(), s.enabled[3]);
            EXPECT_TRUE(option(d, "optFrom", 0).Enabled());
            EXPECT_TRUE(option(d, "optTo", 2).Enabled());
        }
        pt::click(control<platform::CommandButton>(d, "cmdCancel"));
    });
    // Cancel keeps the record.
    EXPECT_EQ(mdlPublic::SimConfigs[0].FreqMax, 1e9f);
}

TEST_F(RangeDialogTest, EachCheckRefusesWithItsMessageAndStoresNothing) {
    const std::string nonNumeric = "A Non-numerical value exists where numerical value should be in.";
    const std::string voltage = "Set Voltage Range of Voltage-Waveform form -10 to 20[V]";
    const std::string spectrum = "Set Frequency Range of Spectrum-Frequency Chart from 1 to 1,000[MHz].";
    const auto time = [](const char* limit) { return std::string("Set Time of the Voltage-Waveform from 1 to ") + limit + "[nsec]"; };
    struct Row {
        double clockMHz;
        Entries entries;
        std::string message;  // empty: accepted
    };
    const Row rows[] = {
        {10, {"1", "-10", "20", "0", "1000"}, ""},
        {10, {"0.99", "-4", "8", "0", "1000"}, time("200")},
        {10, {"150", "-4", "8", "0", "1000"}, ""},
        {10, {"250", "-4", "8", "0", "1000"}, time("200")},
        {3, {"666.6", "-4", "8", "0", "1000"}, ""},
        {3, {"667", "-4", "8", "0", "1000"}, time("667")},
        {10, {"100", "2", "2", "0", "1000"}, voltage},
        {10, {"100", "-10.5", "8", "0", "1000"}, voltage},
        {10, {"100", "-4", "20.5", "0", "1000"}, voltage},
        {10, {"100", "-4", "8", "500", "500"}, spectrum},
        {10, {"100", "-4", "8", "0", "1001"}, spectrum},
        {10, {"100", "-4", "8", "-1", "10"}, spectrum},
        {10, {"250", "", "8", "0", "1000"}, nonNumeric},
        {10, {"100", "-4", "8", "0", "1E+40"}, nonNumeric},
        {10, {"100", "-4", "8", "0", "abc"}, nonNumeric},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.entries.end + " " + row.entries.min + " " + row.entries.max + " " + row.entries.from + " " +
                     row.entries.to + " at " + std::to_string(row.clockMHz));
        pt::discardAllForms();
        pt::clearMessageBoxes();
        frmChart& chart = openChart(0, row.clockMHz);
        const SimConfigRecord before = mdlPublic::SimConfigs[0];
        bool stayedOpen = false;
        openDialog(chart, [&](frmConfigRange& d) {
            fill(d, row.entries);
            pt::pressEnter(d);
            stayedOpen = d.isLoaded();
            if (stayedOpen) {
                // The entries stay for the user to correct.
                EXPECT_EQ(box(d, "txtTo", 1).Text(), row.entries.end);
                pt::click(control<platform::CommandButton>(d, "cmdCancel"));
            }
        });
        const SimConfigRecord& after = mdlPublic::SimConfigs[0];
        if (row.message.empty()) {
            EXPECT_TRUE(pt::messageBoxes().empty());
            EXPECT_FALSE(stayedOpen);
            EXPECT_FLOAT_EQ(after.TimeMax, std::stof(row.entries.end) * 1e-9f);
            EXPECT_EQ(after.VoltMin, std::stof(row.entries.min));
            EXPECT_EQ(after.SpecMax, std::stof(row.entries.to) * 1e6f);
        } else {
            ASSERT_EQ(pt::messageBoxes().size(), 1u);
            EXPECT_EQ(pt::messageBoxes()[0].text, row.message);
            EXPECT_EQ(pt::messageBoxes()[0].style, platform::MsgBoxCritical);
            EXPECT_EQ(pt::messageBoxes()[0].title, platform::AppTitle());
            EXPECT_TRUE(stayedOpen);
            EXPECT_EQ(after.TimeMax, before.TimeMax);
            EXPECT_EQ(after.VoltMin, before.VoltMin);
            EXPECT_EQ(after.VoltMax, before.VoltMax);
            EXPECT_EQ(after.SpecMin, before.SpecMin);
            EXPECT_EQ(after.SpecMax, before.SpecMax);
        }
    }
}

TEST_F(RangeDialogTest, OkStoresTheRangesAndRedrawsTheThreeCharts) {
    frmChart& chart = openChart(0, 25);
    picture(chart, 1).Picture().image().save(QString::fromStdString(outputFile("range_voltage_before.png")));
    EXPECT_EQ(textsBeside(picture(chart, 0).canvas(), "100"), (std::set<std::string>{"1", "10", "100", "1000"}));
    EXPECT_NE(findText(picture(chart, 2).canvas(), "1000"), nullptr);

    // Cancel keeps nothing, not even for the next opening.
    openDialog(chart, [](frmConfigRange& d) {
        pt::type(box(d, "txtTo", 1), "999");
        pt::click(option(d, "optTo", 0));
        pt::click(control<platform::CommandButton>(d, "cmdCancel"));
    });
    openDialog(chart, [](frmConfigRange& d) {
        EXPECT_EQ(shownTexts(d), "40 | -4 | 8 | 0 | 1000");
        EXPECT_TRUE(option(d, "optTo", 2).Value());
        pt::click(option(d, "optFrom", 1));
        pt::click(option(d, "optTo", 1));
        apptest::grab(d, "range_dialog");
        fill(d, {"60", "-2", "10", "0", "400"});
        pt::click(control<platform::CommandButton>(d, "cmdOk"));
        EXPECT_FALSE(d.isLoaded());
    });
    for (auto& m : pt::messageBoxes()) ADD_FAILURE() << m.title << ": " << m.text;
    const SimConfigRecord& r = mdlPublic::SimConfigs[0];
    EXPECT_EQ(r.FreqMin, 1e7f);
    EXPECT_EQ(r.FreqMax, 1e8f);
    EXPECT_FLOAT_EQ(r.TimeMax, 60e-9f);
    EXPECT_EQ(r.VoltMin, -2.0f);
    EXPECT_EQ(r.VoltMax, 10.0f);
    EXPECT_EQ(r.SpecMin, 0.0f);
    EXPECT_EQ(r.SpecMax, 4e8f);
    EXPECT_EQ(r.Cycles, 1);

    // What the user sees: the new axes.
    EXPECT_EQ(textsBeside(picture(chart, 0).canvas(), "100"), (std::set<std::string>{"10", "100"}));
    EXPECT_NE(findText(picture(chart, 1).canvas(), "45"), nullptr);
    EXPECT_NE(findText(picture(chart, 1).canvas(), "10"), nullptr);
    EXPECT_NE(findText(picture(chart, 2).canvas(), "400"), nullptr);
    EXPECT_EQ(findText(picture(chart, 2).canvas(), "1000"), nullptr);
    picture(chart, 1).Picture().image().save(QString::fromStdString(outputFile("range_voltage_after.png")));
    picture(chart, 0).Picture().image().save(QString::fromStdString(outputFile("range_frequency_after.png")));

    // The next opening shows what was stored.
    openDialog(chart, [](frmConfigRange& d) {
        EXPECT_EQ(shownTexts(d), "60 | -2 | 10 | 0 | 400");
        EXPECT_TRUE(option(d, "optFrom", 1).Value());
        pt::pressEscape(d);
    }, 1);
}

TEST_F(RangeDialogTest, RedrawReachesOnlyTheWindowOfThisSimulationAndSurvivesAFailure) {
    const auto mark = [](platform::PictureBox& p) { p.canvas().Line(0, 0, 1, 1, platform::RGB(1, 2, 3)); };
    const auto marked = [](platform::PictureBox& p) { return !linesIn(p.canvas(), platform::RGB(1, 2, 3)).empty(); };
    const auto acceptAsShown = [](frmConfigRange& d) { pt::click(control<platform::CommandButton>(d, "cmdOk")); };

    // A form of another kind whose caption carries the same number is passed over.
    platform::Form& impostor = platform::Load<platform::Form>("frmImpostor");
    impostor.setCaption("Simulation No.01-impostor");
    // A bead with capacitor keeps its decades, yet all three charts are drawn again.
    frmChart& other = openChart(1);
    frmChart& chart = openChart(0);
    mdlPublic::SimConfigs[0].SimType = 1;
    mdlPublic::SimConfigs[0].PartNum[1] = "JX18B102";
    mdlPublic::SimConfigs[0].FreqMin = 1e7f;
    for (int k = 0; k < 3; ++k) {
        mark(picture(chart, k));
        mark(picture(other, k));
    }
    openDialog(chart, acceptAsShown);
    EXPECT_EQ(mdlPublic::SimConfigs[0].FreqMin, 1e7f);
    EXPECT_EQ(mdlPublic::SimConfigs[0].FreqMax, 1e9f);
    for (int k = 0; k < 3; ++k) {
        EXPECT_FALSE(marked(picture(chart, k))) << k;
        EXPECT_TRUE(marked(picture(other, k))) << k;
    }
    platform::Unload(impostor);

    // A chart that cannot be drawn closes its window; the dialog goes all the same.
    mdlPublic::SimResults[1][0] = {};
    frmConfigRange* seen = nullptr;
    openDialog(chart, [&](frmConfigRange& d) {
        seen = &d;
        pt::type(box(d, "txtMax"), "6");
        acceptAsShown(d);
        EXPECT_FALSE(d.isLoaded());
    });
    ASSERT_NE(seen, nullptr);
    ASSERT_EQ(pt::messageBoxes().size(), 1u);
    EXPECT_EQ(pt::messageBoxes()[0].title, "Vandor.frmChart.DrawVoltageChart");
    EXPECT_FALSE(chart.isLoaded());
    EXPECT_TRUE(other.isLoaded());
    EXPECT_EQ(mdlPublic::SimConfigs[0].VoltMax, 6.0f);

    // With no window of the simulation open the ranges are stored and nothing is drawn.
    pt::flushUnloaded();
    mdlPublic::CurrentSim = 0;
    frmConfigRange& lone = platform::Load<frmConfigRange>();
    pt::type(box(lone, "txtMin"), "-3");
    pt::click(control<platform::CommandButton>(lone, "cmdOk"));
    EXPECT_EQ(mdlPublic::SimConfigs[0].VoltMin, -3.0f);
    EXPECT_TRUE(marked(picture(other, 1)));
    EXPECT_EQ(pt::messageBoxes().size(), 1u);
}

// --- The differential window's dialog --------------------------------------------------------------

namespace {

// A differential simulation over a line given by its impedances, with voltage ranges of its own.
void fillDiffSimulation(int sim, double clockMHz) {
    SimConfig2Record& c = print_test::fillPairSimulation(sim, clockMHz);
    c.LineMode = 3;
    c.VoltMin = {-0.2f, -0.4f, -1};
    c.VoltMax = {0.6f, 1.2f, 1};
}

// The eleven boxes of the differential dialog; the end time goes into the first one only.
struct Entries2 {
    std::string end;
    std::array<std::string, 3> min, max;
    std::string from, to;
};

std::string shownTexts2(platform::Form& d) {
    std::string out = box(d, "txtTo", 0).Text();
    for (int k = 0; k < 3; ++k) out += " | " + box(d, "txtMin", k).Text() + " " + box(d, "txtMax", k).Text();
    return out + " | " + box(d, "txtFrom", 3).Text() + " " + box(d, "txtTo", 3).Text();
}

class RangeDialog2Test : public RangeDialogTest {
protected:
    frmChart2& openDiffChart(int sim, double clockMHz = 240) {
        fillDiffSimulation(sim, clockMHz);
        return showResultWindow<frmChart2>(sim);
    }

    bool openDialog2(frmChart2& chart, const std::function<void(frmConfigRange2&)>& user, int popupOn = -1) {
        return openDialogOf<frmConfigRange2>(chart, user, popupOn);
    }

    static void fill(frmConfigRange2& d, const Entries2& e) {
        pt::type(box(d, "txtTo", 0), e.end);
        for (int k = 0; k < 3; ++k) {
            pt::type(box(d, "txtMin", k), e.min[static_cast<std::size_t>(k)]);
            pt::type(box(d, "txtMax", k), e.max[static_cast<std::size_t>(k)]);
        }
        pt::type(box(d, "txtFrom", 3), e.from);
        pt::type(box(d, "txtTo", 3), e.to);
    }
};

}  // namespace

TEST_F(RangeDialog2Test, OpensWithTheStoredRangesAndMirrorsTheEndTimeAsTyped) {
    for (int popupOn : {-1, 3}) {
        SCOPED_TRACE(popupOn);
        pt::discardAllForms();
        frmChart2& chart = openDiffChart(5);
        mdlPublic::SimConfigs2[5].FreqMin = 1e7f;
        mdlPublic::SimConfigs2[5].FreqMax = 1e8f;
        mdlPublic::SimConfigs2[5].SpecMin = 2.5e5f;
        mdlPublic::CurrentSim = 0;
        const bool opened = openDialog2(
            chart,
            [](frmConfigRange2& d) {
                EXPECT_EQ(mdlPublic::CurrentSim, 5);
                EXPECT_EQ(d.Caption(), "Expand/Contract");
                EXPECT_EQ(control<platform::Frame>(d, "fraChartRange", 2).Caption(), "Voltage-Waveform(V+ + V-)");
                EXPECT_EQ(control<platform::Frame>(d, "fraChartRange", 3).Caption(), "Voltage-Waveform(V+ - V-)");
                EXPECT_EQ(shownTexts2(d), "7.29 | -0.2 0.6 | -0.4 1.2 | -1 1 | 0.25 1000");
                EXPECT_TRUE(option(d, "optFrom", 1).Value());
                EXPECT_TRUE(option(d, "optTo", 1).Value());
                EXPECT_FALSE(option(d, "optTo", 0).Enabled());
                EXPECT_FALSE(option(d, "optFrom", 2).Enabled());
                for (int k = 1; k < 3; ++k) {
                    EXPECT_EQ(box(d, "txtTo", k).Text(), "7.29");
                    EXPECT_FALSE(box(d, "txtTo", k).Enabled());
                }
                pt::type(box(d, "txtTo", 0), "2.5");
                EXPECT_EQ(box(d, "txtTo", 1).Text(), "2.5");
                EXPECT_EQ(box(d, "txtTo", 2).Text(), "2.5");
                pt::type(box(d, "txtTo", 3), "700");
                EXPECT_EQ(box(d, "txtTo", 0).Text(), "2.5");
                // A box taking the focus selects its whole text, ready to be typed over.
                box(d, "txtMin", 1).SetFocus();
                EXPECT_EQ(box(d, "txtMin", 1).SelStart(), 0);
                EXPECT_EQ(box(d, "txtMin", 1).SelLength(), 4);
                apptest::grab(d, "range2_dialog");
                pt::pressEscape(d);
                EXPECT_FALSE(d.isLoaded());
            },
            popupOn);
        EXPECT_TRUE(opened);
        EXPECT_EQ(mdlPublic::SimConfigs2[5].SpecMax, 1e9f);
    }
}

TEST_F(RangeDialog2Test, ChecksRefuseWithTheirMessagesAndStoreAllOrNothing) {
    const std::string nonNumeric = "A Non-numerical value exists where numerical value should be in.";
    const std::string minMax = "Max[V] must be larger than Min[V].";
    const std::string spectrum = "Set Frequency Range of Spectrum-Frequency Chart from 1 to 1,000[MHz].";
    const auto time = [](const char* limit) { return std::string("Set Time of the Voltage-Waveform from 1 to ") + limit + "[nsec]"; };
    const std::array<std::string, 3> lows{"-1", "-1", "-1"}, highs{"1", "1", "1"};
    struct Row {
        double clockMHz;
        Entries2 entries;
        std::string message;  // empty: accepted
    };
    const Row rows[] = {
        {10, {"175.01", lows, highs, "0", "1000"}, ""},
        {10, {"175.02", lows, highs, "0", "1000"}, time("175")},
        {3, {"600", lows, highs, "0", "1000"}, time("583.33")},
        {10, {"0.5", lows, highs, "0", "1000"}, time("175")},
        {10, {"100", {"30", "-1", "-1"}, {"40", "1", "1"}, "0", "1000"}, ""},
        {10, {"100", {"-1E30", "-1", "-1"}, {"1E30", "1", "1"}, "0", "1000"}, ""},
        {10, {"100", {"-1", "2", "-1"}, {"1", "2", "1"}, "0", "1000"}, minMax},
        {10, {"100", {"-1", "-1", "1"}, {"1", "1", "1.0000001"}, "0", "1000"}, minMax},
        {10, {"100", lows, highs, "0", "1001"}, spectrum},
        {10, {"100", lows, highs, "500", "500"}, spectrum},
        {10, {"100", {"-1", "1E+40", "-1"}, highs, "0", "1000"}, nonNumeric},
        {10, {"0.5", lows, {"1", "", "1"}, "0", "1000"}, nonNumeric},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.entries.end + " " + row.entries.min[0] + ".." + row.entries.max[0] + " " + row.entries.min[1] +
                     ".." + row.entries.max[1] + " " + row.entries.min[2] + ".." + row.entries.max[2] + " " +
                     row.entries.from + ".." + row.entries.to + " at " + std::to_string(row.clockMHz));
        pt::discardAllForms();
        pt::clearMessageBoxes();
        frmChart2& chart = openDiffChart(2, row.clockMHz);
        const SimConfig2Record before = mdlPublic::SimConfigs2[2];
        bool stayedOpen = false;
        openDialog2(chart, [&](frmConfigRange2& d) {
            fill(d, row.entries);
            pt::click(option(d, "optFrom", 1));
            pt::pressEnter(d);
            stayedOpen = d.isLoaded();
            if (stayedOpen) pt::pressEscape(d);
        });
        const SimConfig2Record& after = mdlPublic::SimConfigs2[2];
        if (row.message.empty()) {
            for (const auto& m : pt::messageBoxes()) ADD_FAILURE() << m.title << ": " << m.text;
            EXPECT_FALSE(stayedOpen);
            EXPECT_TRUE(chart.isLoaded());
            EXPECT_EQ(after.FreqMin, 1e7f);
            EXPECT_FLOAT_EQ(after.TimeMax, std::stof(row.entries.end) * 1e-9f);
            for (std::size_t k = 0; k < 3; ++k) {
                EXPECT_EQ(after.VoltMin[k], std::stof(row.entries.min[k]));
                EXPECT_EQ(after.VoltMax[k], std::stof(row.entries.max[k]));
            }
        } else {
            ASSERT_EQ(pt::messageBoxes().size(), 1u);
            EXPECT_EQ(pt::messageBoxes()[0].text, row.message);
            EXPECT_EQ(pt::messageBoxes()[0].style, platform::MsgBoxCritical);
            EXPECT_TRUE(stayedOpen);
            EXPECT_EQ(after.FreqMin, before.FreqMin);
            EXPECT_EQ(after.TimeMax, before.TimeMax);
            EXPECT_EQ(after.VoltMin, before.VoltMin);
            EXPECT_EQ(after.VoltMax, before.VoltMax);
            EXPECT_EQ(after.SpecMax, before.SpecMax);
        }
    }
}

TEST_F(RangeDialog2Test, OkRedrawsTheFiveChartsOfTheDifferentialWindowOnly) {
    const auto mark = [](platform::PictureBox& p) { p.canvas().Line(0, 0, 1, 1, platform::RGB(1, 2, 3)); };
    const auto marked = [](platform::PictureBox& p) { return !linesIn(p.canvas(), platform::RGB(1, 2, 3)).empty(); };

    // A filter window of the same number, loaded first, is not the differential dialog's to redraw.
    frmChart& filter = openChart(0);
    frmChart2& chart = openDiffChart(0);
    for (int k = 0; k < 3; ++k) mark(picture(filter, k));
    for (int k = 0; k < 5; ++k) mark(picture(chart, k));
    chart.freqChartSwitch().setValue(1);
    openDialog2(chart, [](frmConfigRange2& d) {
        pt::click(option(d, "optTo", 1));
        fill(d, {"2", {"-0.5", "0", "-2"}, {"1", "1.5", "2"}, "0", "480"});
        pt::click(control<platform::CommandButton>(d, "cmdOk"));
        EXPECT_FALSE(d.isLoaded());
    });
    for (const auto& m : pt::messageBoxes()) ADD_FAILURE() << m.title << ": " << m.text;
    for (int k = 0; k < 5; ++k) EXPECT_FALSE(marked(picture(chart, k))) << k;
    for (int k = 0; k < 3; ++k) EXPECT_TRUE(marked(picture(filter, k))) << k;
    // The new axes as drawn: decades up to 100 MHz, 2 ns of waveform, the spectrum to 480 MHz.
    EXPECT_EQ(findText(picture(chart, 0).canvas(), "1000"), nullptr);
    EXPECT_NE(findText(picture(chart, 1).canvas(), "-0.5"), nullptr);
    EXPECT_NE(findText(picture(chart, 2).canvas(), "1.5"), nullptr);
    EXPECT_NE(findText(picture(chart, 3).canvas(), "-2"), nullptr);
    EXPECT_NE(findText(picture(chart, 3).canvas(), "2"), nullptr);
    EXPECT_NE(findText(picture(chart, 4).canvas(), "480"), nullptr);
    apptest::grab(chart, "range2_chart_after");

    // Ranges far beyond any waveform draw without overflowing the chart's arithmetic.
    openDialog2(chart, [](frmConfigRange2& d) {
        fill(d, {"2", {"-1E30", "-1E30", "-1E30"}, {"1E30", "1E30", "1E30"}, "0", "480"});
        pt::pressEnter(d);
    });
    for (const auto& m : pt::messageBoxes()) ADD_FAILURE() << m.title << ": " << m.text;
    EXPECT_TRUE(chart.isLoaded());
    apptest::grab(chart, "range2_chart_huge_range");

    // A chart that cannot be drawn closes only its window; the dialog goes all the same.
    mdlPublic::SimResults[3][0] = {};
    frmConfigRange2* seen = nullptr;
    openDialog2(chart, [&](frmConfigRange2& d) {
        seen = &d;
        pt::pressEnter(d);
        EXPECT_FALSE(d.isLoaded());
    });
    EXPECT_NE(seen, nullptr);
    ASSERT_EQ(pt::messageBoxes().size(), 1u);
    EXPECT_EQ(pt::messageBoxes()[0].title.rfind("Vandor.frmChart2.Draw", 0), 0u);
    EXPECT_FALSE(chart.isLoaded());
    EXPECT_TRUE(filter.isLoaded());

    // No differential window of the simulation: the ranges are stored, nothing is drawn.
    pt::flushUnloaded();
    mdlPublic::CurrentSim = 0;
    frmConfigRange2& lone = platform::Load<frmConfigRange2>();
    pt::type(box(lone, "txtMax", 2), "3");
    pt::click(control<platform::CommandButton>(lone, "cmdOk"));
    EXPECT_FALSE(lone.isLoaded());
    EXPECT_EQ(mdlPublic::SimConfigs2[0].VoltMax[2], 3.0f);
    EXPECT_TRUE(marked(picture(filter, 1)));
    EXPECT_EQ(pt::messageBoxes().size(), 1u);
}
