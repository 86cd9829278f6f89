// The differential simulation run, driven as a user would: from the start dialog through the
// form's Start Simulation to the five charts of the result window, with the real engine library
// and sample catalogue.

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "app/app_test_support.h"
#include "app/charts/frmChart2.h"
#include "app/charts/frmWideChart.h"
#include "app/diffconfig/diff_run.h"
#include "app/diffconfig/frmConfig2.h"
#include "app/shared/form_registry.h"
#include "app/shell/frmMain.h"
#include "app/shared/mdlPublic.h"
#include "platform/binding.h"
#include "platform/controls.h"
#include "platform/msgbox.h"
#include "platform/picturebox.h"
#include "support/testing.h"

namespace {

namespace t = platform::testing;
namespace fs = std::filesystem;
using mdlPublic::SimResults;

constexpr const char* kChoke = "WQ2012S900";
constexpr const char* kChokeShown = "WQ2012S900 (90 ohm, USB2.0 HS)";

using apptest::pickText;

// Power of V+ + V- over harmonics 1..n of a part state (0 with the choke, 1 without).
double commonModePower(int state, int sim) {
    const auto& plus = SimResults[2 * state][sim];
    const auto& minus = SimResults[2 * state + 1][sim];
    double power = 0;
    for (std::size_t k = 2; k + 1 < plus.Spectrum.size(); k += 2) {
        const double re = plus.Spectrum[k] + minus.Spectrum[k], im = plus.Spectrum[k + 1] + minus.Spectrum[k + 1];
        power += re * re + im * im;
    }
    return power;
}

class DiffRun : public apptest::SampleProgramTest {
protected:
    // Starts the program, picks the differential circuit in the start dialog, chooses USB2.0 HS
    // with a skew, and enters the choke by its number and Enter.
    frmConfig2& startProgram(const std::string& skew = "0.1") {
        auto* form = &dynamic_cast<frmConfig2&>(SampleProgramTest::startProgram(3));
        pickText(form->cboDcc, "USB2.0");
        pickText(form->cboDccClock, "HS(480Mbps)");
        t::type(form->txtScue, skew);
        t::type(form->txtFilter(0), kChoke);
        t::pressKey(form->txtFilter(0), 13);
        return *form;
    }

    static void startSimulation(frmConfig2& form) { t::click(form.cmdSimulation); }

    static std::vector<std::string> messages() { return apptest::titledMessages(); }

    static int openCharts() {
        const auto windows = apptest::formsNamed("frmChart2");
        return static_cast<int>(std::count_if(windows.begin(), windows.end(), [](auto* w) { return w->isLoaded(); }));
    }
};

// Must stay the first test: once a process has bound the engine it stays bound.
TEST_F(DiffRun, MissingEngineShowsTheErrorAndOpensNoWindow) {
    if (platform::engineBound()) GTEST_SKIP() << "the engine is already bound in this process";
    platform::setEngineFolder(folder_.path().toStdString());  // no library there
    frmConfig2& form = startProgram();
    t::clearMessageBoxes();
    startSimulation(form);
    ASSERT_FALSE(t::messageBoxes().empty());
    const auto& box = t::messageBoxes().back();
    EXPECT_EQ(box.title, "Vandor.frmConfig2.StartSimulation");
    EXPECT_EQ(box.text.rfind("Unexpected Error 53\n", 0), 0u) << box.text;
    EXPECT_EQ(openCharts(), 0);
    EXPECT_EQ(mdlPublic::LastChart2, nullptr);
    EXPECT_EQ(mdlPublic::SimCount, 1);
    EXPECT_EQ(platform::mousePointer(), platform::PointerDefault);

    // The library is looked for again at the next start.
    platform::setEngineFolder(outDir_.string());
    t::clearMessageBoxes();
    startSimulation(form);
    EXPECT_TRUE(t::messageBoxes().empty()) << ::testing::PrintToString(messages());
    ASSERT_NE(mdlPublic::LastChart2, nullptr);
    EXPECT_EQ(mdlPublic::LastChart2->Caption().substr(0, 16), "Simulation No.02");
}

TEST_F(DiffRun, DifferentialSimulationFromStartDialogToFiveCharts) {
    frmConfig2& form = startProgram();
    t::clearMessageBoxes();
    startSimulation(form);

    ASSERT_TRUE(t::messageBoxes().empty()) << ::testing::PrintToString(messages());
    frmChart2* chart = mdlPublic::LastChart2;
    ASSERT_NE(chart, nullptr);
    EXPECT_EQ(chart->Caption(), "Simulation No.01-WQ2012S900-Input Signal Frequency=240[MHz]");
    EXPECT_EQ(form.Caption(), "Simulation No.01");
    EXPECT_EQ(form.WindowState(), platform::StateMinimized);
    EXPECT_EQ(mdlPublic::SimCount, 1);
    EXPECT_EQ(mdlPublic::ChartCount, 1);
    EXPECT_EQ(platform::mousePointer(), platform::PointerDefault);
    const SimConfig2Record& record = mdlPublic::SimConfigs2[0];
    EXPECT_EQ(record.PartNum, kChoke);
    EXPECT_EQ(record.VolHigh[0], "0.65");
    // The impedances stored with the simulation belong to the simulated geometry.
    EXPECT_FALSE(record.LineZ[0].empty());
    EXPECT_EQ(record.LineZ[0], form.lblConfigTrans(7).Caption());

    // 240 MHz: 4 harmonics; 354 points, the 202nd a period after the first.
    const double period = static_cast<float>(1.0 / 240e6);
    for (int kind = 0; kind < 4; ++kind) {
        SCOPED_TRACE(kind);
        const auto& r = SimResults[kind][0];
        ASSERT_EQ(r.Time.size(), 354u);
        ASSERT_EQ(r.Freq.size(), 5u);
        ASSERT_EQ(r.Spectrum.size(), 10u);
        EXPECT_NEAR(r.Time[201], period, 1e-18);
        EXPECT_EQ(r.Wave[201], r.Wave[0]);
        EXPECT_NEAR(r.Time[202], period + period / 201, 1e-15);
        EXPECT_NEAR(r.Time[353] - r.Time[352], period / 201, 1e-15);
        EXPECT_NEAR(r.Freq[1], 240e6, 1.0);
    }
    // The choke lowers the common-mode noise of the skewed pair.
    EXPECT_LT(commonModePower(0, 0), 0.5 * commonModePower(1, 0));

    // Four charts at first; the switch shows the choke's impedance too.
    EXPECT_FALSE(chart->chartPicture(0).Visible());
    for (int i = 0; i < 5; ++i)
        EXPECT_GT(chart->chartPicture(i).canvas().displayList().size(), 20u) << "chart " << i;
    t::click(chart->freqChartSwitch());
    EXPECT_TRUE(chart->chartPicture(0).Visible());
    apptest::grab(*chart, "diff_chart_window");
    apptest::grab(frmMain::instance(), "diff_run_main");

    // Zoom: the same chart, large, in a window named like the result window.
    std::string zoomCaption;
    t::setModalDriver([&](platform::Form& f) {
        if (f.Name() != "frmWideChart") return;
        zoomCaption = f.Caption();
        apptest::grab(f, "diff_chart_zoom_sum");
        platform::Unload(f);
    });
    t::activate(*chart);
    t::click(*chart->menuByName("mnuChartScaleupIndex(2)"));
    t::setModalDriver({});
    EXPECT_EQ(zoomCaption, chart->Caption());
    EXPECT_TRUE(t::messageBoxes().empty()) << ::testing::PrintToString(messages());

    // Select Filter opens the part chooser for the differential form.
    std::string chooser;
    t::setModalDriver([&](platform::Form& f) {
        chooser = f.Name();
        platform::Unload(f);
    });
    t::click(*chart->menuByName("mnuSimFilconf"));
    t::setModalDriver({});
    EXPECT_EQ(chooser, "frmSelectFil");
    EXPECT_TRUE(t::messageBoxes().empty()) << ::testing::PrintToString(messages());

    // Switching the part-number view keeps the caption of this window's own family.
    t::click(*chart->menuByName("mnuViewOld"));
    EXPECT_EQ(chart->Caption(), "Simulation No.01-YZ2012-900-Input Signal Frequency=240[MHz]");
    t::click(*chart->menuByName("mnuViewCurrent"));
    EXPECT_EQ(chart->Caption(), "Simulation No.01-WQ2012S900-Input Signal Frequency=240[MHz]");

    // Review reopens the differential form with the stored inputs.
    mdlPublic::saveAppSetting("SimType", "0");
    t::click(*chart->menuByName("mnuSimConfReview"));
    EXPECT_TRUE(t::messageBoxes().empty()) << ::testing::PrintToString(messages());
    EXPECT_EQ(mdlPublic::GetAppSetting("SimType"), "3");
    frmConfig2* reviewed = platform::loadedForm<frmConfig2>();
    ASSERT_NE(reviewed, nullptr);
    EXPECT_EQ(reviewed->Caption(), "Simulation No.01");
    EXPECT_EQ(reviewed->txtFilter(0).Text(), kChokeShown);
    EXPECT_EQ(reviewed->cboDccClock.Text(), "HS(480Mbps)");
    EXPECT_EQ(reviewed->txtScue.Text(), "0.1");
    EXPECT_EQ(reviewed->txtVolHigh(0).Text(), "0.4");

    // A second run opens a second window beside the first.
    t::clearMessageBoxes();
    startSimulation(*reviewed);
    ASSERT_TRUE(t::messageBoxes().empty()) << ::testing::PrintToString(messages());
    ASSERT_NE(mdlPublic::LastChart2, chart);
    EXPECT_EQ(mdlPublic::LastChart2->Caption().substr(0, 16), "Simulation No.02");
    EXPECT_EQ(openCharts(), 2);
    EXPECT_LE(mdlPublic::LastChart2->Left(), 500);
}

// The slow clock: 1333 harmonics for the spectrum.
TEST_F(DiffRun, UsbLowSpeedRunsWithItsHarmonicCount) {
    frmConfig2& form = startProgram("0");
    pickText(form.cboDccClock, "LS(1.5Mbps)");
    t::clearMessageBoxes();
    startSimulation(form);
    ASSERT_TRUE(t::messageBoxes().empty()) << ::testing::PrintToString(messages());
    ASSERT_NE(mdlPublic::LastChart2, nullptr);
    EXPECT_EQ(SimResults[0][0].Freq.size(), 1334u);
    EXPECT_EQ(mdlPublic::SimConfigs2[0].VoltMax[1], 6.0f);  // the sum chart's default for LS
    apptest::grab(*mdlPublic::LastChart2, "diff_chart_window_ls");
}

TEST_F(DiffRun, FailuresEndTheRunWithoutAResultWindow) {
    frmConfig2& form = startProgram();

    // A choke model the engine cannot solve: a capacitor between two otherwise unconnected nodes.
    const std::int16_t entry = mdlPublic::CheckFilPartnum(kChoke, 4, 0);
    ASSERT_GE(entry, 0);
    const fs::path filterDat = fs::path(mdlPublic::ProgramFolder) / "data" / "filter.dat";
    {
        std::fstream file(filterDat, std::ios::in | std::ios::out | std::ios::binary);
        file.seekp(static_cast<std::streamoff>(mdlPublic::FilterIndex[entry].RecNo - 1) * 3678 + 2);
        const std::int16_t element[3] = {2, 900, 901};
        const float value = 1e-12f;
        file.write(reinterpret_cast<const char*>(element), sizeof element);
        file.write(reinterpret_cast<const char*>(&value), sizeof value);
    }
    t::clearMessageBoxes();
    testing::internal::CaptureStdout();
    startSimulation(form);
    testing::internal::GetCapturedStdout();
    ASSERT_EQ(t::messageBoxes().size(), 1u) << ::testing::PrintToString(messages());
    EXPECT_EQ(t::messageBoxes()[0].title, "Vandor.frmConfig2.StartSimulation");
    EXPECT_EQ(t::messageBoxes()[0].text, "Unexpected Error 1001\nThe simulation engine could not solve this circuit.");
    EXPECT_EQ(openCharts(), 0);
    EXPECT_EQ(mdlPublic::SimCount, 1);

    // A choke record that cannot be read ends the run too.
    fs::resize_file(filterDat, 3678);
    t::clearMessageBoxes();
    startSimulation(form);
    ASSERT_EQ(t::messageBoxes().size(), 1u) << ::testing::PrintToString(messages());
    EXPECT_EQ(t::messageBoxes()[0].title, "Vandor.frmConfig2.StartSimulation");
    EXPECT_EQ(t::messageBoxes()[0].text.rfind("Unexpected Error 62\n", 0), 0u) << t::messageBoxes()[0].text;
    EXPECT_EQ(openCharts(), 0);
    EXPECT_EQ(form.Caption(), "Simulation No.02");

    // The hundred-and-first simulation is refused before anything is stored.
    mdlPublic::SimCount = 100;
    form.setWindowState(platform::StateNormal);
    t::clearMessageBoxes();
    startSimulation(form);
    ASSERT_EQ(t::messageBoxes().size(), 1u);
    EXPECT_EQ(t::messageBoxes()[0].text, "You can't simulate any more.\nPlease reboot this software.");
    EXPECT_EQ(t::messageBoxes()[0].style, platform::MsgBoxCritical);
    EXPECT_NE(form.WindowState(), platform::StateMinimized);
    EXPECT_EQ(openCharts(), 0);
}

// A positive but absurd geometry has no impedances and no line the engine could simulate: Start
// refuses it as Enter does, before anything is stored or a simulation number is used up.
TEST_F(DiffRun, AbsurdGeometryIsRefusedBeforeANumberIsSpent) {
    frmConfig2& form = startProgram();
    // W, h, d: W above 90 h, W below 0.05 h, d below 0.05 h.
    for (const auto& [box, typed, message] : {std::tuple{0, "1E+30", 6695}, {1, "1E+30", 6693}, {2, "1E-30", 6694}}) {
        const std::string kept = form.txtConfigTrans(box).Text();
        t::type(form.txtConfigTrans(box), typed);
        t::clearMessageBoxes();
        startSimulation(form);
        EXPECT_EQ(apptest::messages(), std::vector<std::string>{apptest::text(message)}) << typed;
        EXPECT_EQ(mdlPublic::SimCount, 0);
        EXPECT_TRUE(mdlPublic::SimConfigs2[0].PartNum.empty());
        EXPECT_EQ(openCharts(), 0);
        t::type(form.txtConfigTrans(box), kept);
    }
}

}  // namespace
