// The filter-circuit simulation run, driven as a user would: from the start dialog through the
// form's Start Simulation to the result window, with the real engine library and sample catalogue.

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "app/app_test_support.h"
#include "app/charts/frmChart.h"
#include "app/config/filter_run.h"
#include "app/config/frmConfig.h"
#include "app/shared/form_registry.h"
#include "app/shell/frmMain.h"
#include "app/shared/mdlPublic.h"
#include "engine/microstrip.h"
#include "platform/binding.h"
#include "platform/controls.h"
#include "platform/convert.h"
#include "platform/errors.h"
#include "platform/msgbox.h"
#include "platform/picturebox.h"
#include "support/testing.h"

namespace {

namespace t = platform::testing;
namespace fs = std::filesystem;
using mdlPublic::SimResults;

constexpr const char* kBead = "KSV1608S601";  // 600 ohm at 100 MHz: slows a 10 MHz edge visibly

using apptest::control;

using apptest::pickText;

// Time [s] at which a waveform first reaches half its highest value: later means a slower edge.
double halfRiseTime(const mdlPublic::SimResultRecord& r) {
    const double top = *std::max_element(r.Wave.begin(), r.Wave.end());
    for (std::size_t k = 0; k < r.Wave.size(); ++k)
        if (r.Wave[k] >= top / 2) return r.Time[k];
    return r.Time.back();
}

class FilterRun : public apptest::SampleProgramTest {
protected:
    void SetUp() override {
        SampleProgramTest::SetUp();
        if (!app::formAvailable("frmConfig"))
            app::registerFormLoader("frmConfig", []() -> platform::Form& { return platform::defaultForm<frmConfig>(); });
    }
    void TearDown() override {
        SampleProgramTest::TearDown();
        app::unregisterFormLoader("frmConfig");
    }

    // Starts the program and picks the circuit type in the start dialog.
    frmConfig& startProgram(int simType) { return dynamic_cast<frmConfig&>(SampleProgramTest::startProgram(simType)); }

    // Picks both ICs from the list, types the bead's number and Enter; the form's defaults do the rest.
    static void enterBead(frmConfig& form) {
        for (int i = 0; i < 2; ++i) {
            t::click(control<platform::OptionButton>(form, "optSelectIc", i));
            pickText(control<platform::ComboBox>(form, "cboSelectIcPrimary", i), "CMOS");
            pickText(control<platform::ComboBox>(form, "cboSelectIc", i), "74HC04");
        }
        auto& box = control<platform::TextBox>(form, "txtFilter", 0);
        t::type(box, kBead);
        t::pressKey(box, 13);
    }

    static void startSimulation(frmConfig& form) {
        t::click(control<platform::CommandButton>(form, "cmdSimulation"));
    }

    static std::vector<std::string> messages() { return apptest::titledMessages(); }

    static int openCharts() { return static_cast<int>(apptest::formsNamed("frmChart").size()); }
};

// Must stay the first test: once a process has bound the engine it stays bound.
TEST_F(FilterRun, MissingEngineShowsTheErrorAndOpensNoWindow) {
    if (platform::engineBound()) GTEST_SKIP() << "the engine is already bound in this process";
    platform::setEngineFolder(folder_.path().toStdString());  // no library there
    frmConfig& form = startProgram(0);
    enterBead(form);
    t::clearMessageBoxes();
    startSimulation(form);

    ASSERT_EQ(t::messageBoxes().size(), 1u) << ::testing::PrintToString(messages());
    const auto& box = t::messageBoxes()[0];
    EXPECT_EQ(box.title, "Vandor.frmConfig.StartSimulation");
    EXPECT_EQ(box.text.rfind("Unexpected Error 53\n", 0), 0u) << box.text;
    EXPECT_EQ(openCharts(), 0);
    EXPECT_EQ(mdlPublic::LastChart, nullptr);
    EXPECT_EQ(form.WindowState(), platform::StateMinimized);
    EXPECT_EQ(form.Caption(), "Simulation No.01");
    EXPECT_EQ(mdlPublic::SimCount, 1);
    EXPECT_EQ(platform::mousePointer(), platform::PointerDefault);

    // The library is looked for again at the next start.
    platform::setEngineFolder(outDir_.string());
    t::clearMessageBoxes();
    startSimulation(form);
    EXPECT_TRUE(t::messageBoxes().empty()) << ::testing::PrintToString(messages());
    ASSERT_NE(mdlPublic::LastChart, nullptr);
    EXPECT_EQ(mdlPublic::LastChart->Caption().substr(0, 16), "Simulation No.02");
}

TEST_F(FilterRun, BeadSimulationFromStartDialogToResultWindow) {
    frmConfig& form = startProgram(0);
    enterBead(form);
    auto& pointA = control<platform::CheckBox>(form, "chkMeasure", 0);
    if (pointA.Value() == 1) t::click(pointA);
    t::clearMessageBoxes();
    startSimulation(form);

    ASSERT_TRUE(t::messageBoxes().empty()) << ::testing::PrintToString(messages());
    frmChart* chart = mdlPublic::LastChart;
    ASSERT_NE(chart, nullptr);
    EXPECT_EQ(chart->Caption().substr(0, 16), "Simulation No.01");
    EXPECT_EQ(form.Caption(), "Simulation No.01");
    EXPECT_EQ(form.WindowState(), platform::StateMinimized);
    EXPECT_EQ(mdlPublic::SimCount, 1);
    EXPECT_EQ(platform::mousePointer(), platform::PointerDefault);
    EXPECT_EQ(mdlPublic::SimConfigs[0].PartNum[0], kBead);
    for (int i = 0; i < 3; ++i) {
        auto& picture = control<platform::PictureBox>(*chart, "picChart", i);
        EXPECT_GT(picture.canvas().displayList().size(), 20u) << "chart " << i;
    }
    apptest::grab(frmMain::instance(), "filter_run");

    // 10 MHz: 100 harmonics for the spectrum; one period closes the 202-point curves.
    const double period = 1e-7;
    for (int kind = 0; kind < 2; ++kind) {
        const auto& r = SimResults[kind][0];
        ASSERT_EQ(r.Time.size(), 202u);
        ASSERT_EQ(r.Freq.size(), 101u);
        ASSERT_EQ(r.Spectrum.size(), 202u);
        EXPECT_NEAR(r.Time[201], period, period * 1e-6);
        EXPECT_EQ(r.Wave[201], r.Wave[0]);
        EXPECT_NEAR(r.Freq[1], 1e7, 1.0);
        EXPECT_GT(std::abs(r.Spectrum[2]) + std::abs(r.Spectrum[3]), 0.1) << "kind " << kind;
    }
    // Without point A kind 2 is sized and stays zero.
    EXPECT_EQ(SimResults[2][0].Time.size(), 202u);
    EXPECT_EQ(SimResults[2][0].Spectrum.size(), 202u);
    EXPECT_TRUE(std::all_of(SimResults[2][0].Wave.begin(), SimResults[2][0].Wave.end(), [](double v) { return v == 0; }));

    // The bead slows the edge at the receiver.
    EXPECT_GT(halfRiseTime(SimResults[0][0]), halfRiseTime(SimResults[1][0]) + 0.1e-9);

    startSimulation(form);
    ASSERT_TRUE(t::messageBoxes().empty()) << ::testing::PrintToString(messages());
    ASSERT_NE(mdlPublic::LastChart, chart);
    EXPECT_EQ(mdlPublic::LastChart->Caption().substr(0, 16), "Simulation No.02");
    EXPECT_EQ(openCharts(), 2);
    EXPECT_EQ(mdlPublic::SimCount, 2);
}

// A chip filter alone and a bead with a capacitor: the insertion-loss curve sits on the fixed
// 0 to 100 dB axis, whatever the part's attenuation reaches.
TEST_F(FilterRun, FilterAndCapacitorRunsDrawInsertionLossOnTheFixedAxis) {
    struct Case {
        int simType;
        std::vector<std::string> parts;
        const char* picture;
    };
    for (const Case& c : {Case{0, {"QTA18C101"}, "filter_run_chip_filter"},
                          Case{1, {kBead, "JX15C101"}, "filter_run_bead_capacitor"}}) {
        SCOPED_TRACE(c.picture);
        frmConfig& form = startProgram(c.simType);
        enterBead(form);
        for (std::size_t k = 0; k < c.parts.size(); ++k) {
            auto& box = control<platform::TextBox>(form, "txtFilter", static_cast<int>(k));
            t::type(box, c.parts[k]);
            t::pressKey(box, 13);
        }
        t::clearMessageBoxes();
        startSimulation(form);
        ASSERT_TRUE(t::messageBoxes().empty()) << ::testing::PrintToString(messages());
        frmChart* chart = mdlPublic::LastChart;
        ASSERT_NE(chart, nullptr);
        EXPECT_NE(chart->Caption().find(c.parts.back()), std::string::npos) << chart->Caption();

        std::vector<std::string> texts;
        for (const auto& p : control<platform::PictureBox>(*chart, "picChart", 0).canvas().displayList())
            if (!p.text.empty()) texts.push_back(p.text);
        for (const char* label : {"[dB]", "100", "75", "50", "25", "0"})
            EXPECT_NE(std::find(texts.begin(), texts.end(), label), texts.end()) << label;
        apptest::grab(frmMain::instance(), c.picture);
        t::discardAllForms();
        apptest::resetShared();
    }
}

TEST_F(FilterRun, PointAFillsKindTwoFromTheDriverSide) {
    frmConfig& form = startProgram(0);
    enterBead(form);
    auto& pointA = control<platform::CheckBox>(form, "chkMeasure", 0);
    ASSERT_TRUE(pointA.Enabled());
    if (pointA.Value() == 0) t::click(pointA);
    t::clearMessageBoxes();
    startSimulation(form);
    ASSERT_TRUE(t::messageBoxes().empty()) << ::testing::PrintToString(messages());
    ASSERT_EQ(mdlPublic::SimConfigs[0].Measure[0], 1);

    const auto& a = SimResults[2][0];
    const auto& b = SimResults[0][0];
    EXPECT_NEAR(a.Time[201], 1e-7, 1e-13);
    EXPECT_EQ(a.Wave[201], a.Wave[0]);
    // Before the bead the edge is faster than behind it and the line.
    EXPECT_LT(halfRiseTime(a), halfRiseTime(b));
    EXPECT_TRUE(std::all_of(a.Spectrum.begin(), a.Spectrum.end(), [](double v) { return v == 0; }));
}

TEST_F(FilterRun, HarmonicCountRoundsHalvesToEven) {
    for (const auto& [clock, n] : {std::pair{100.0f, 10}, {80.0f, 12}, {16.0f, 62}, {48.0f, 21}, {1.0f, 1000}})
        EXPECT_EQ(app::harmonicCount(clock), n) << clock;
    EXPECT_THROW(app::harmonicCount(0.05f), platform::RuntimeError);  // 20000 harmonics
    EXPECT_THROW(app::harmonicCount(5000), platform::RuntimeError);   // none at all
}

TEST_F(FilterRun, OneHundredSimulationsAtMost) {
    frmConfig& form = startProgram(0);
    enterBead(form);
    mdlPublic::SimCount = 100;
    t::clearMessageBoxes();
    startSimulation(form);
    ASSERT_EQ(t::messageBoxes().size(), 1u);
    EXPECT_EQ(t::messageBoxes()[0].text, "You can't simulate any more.\nPlease reboot this software.");
    EXPECT_EQ(t::messageBoxes()[0].style, platform::MsgBoxCritical);
    EXPECT_EQ(openCharts(), 0);
    EXPECT_EQ(mdlPublic::SimCount, 100);
    EXPECT_NE(form.WindowState(), platform::StateMinimized);
    EXPECT_EQ(platform::mousePointer(), platform::PointerDefault);

    // The last number still runs and is shown with three digits.
    mdlPublic::SimCount = 99;
    t::clearMessageBoxes();
    startSimulation(form);
    ASSERT_TRUE(t::messageBoxes().empty()) << ::testing::PrintToString(messages());
    EXPECT_EQ(form.Caption(), "Simulation No.100");
    EXPECT_EQ(mdlPublic::SimCount, 100);
}

TEST_F(FilterRun, FailuresEndTheRunWithoutAResultWindow) {
    frmConfig& form = startProgram(0);
    enterBead(form);

    // A circuit the engine refuses: the board material is no longer known, so the line lacks er.
    const auto materials = mdlPublic::Materials;
    for (auto& m : mdlPublic::Materials) m.Name += "?";
    t::clearMessageBoxes();
    testing::internal::CaptureStdout();
    startSimulation(form);
    testing::internal::GetCapturedStdout();
    mdlPublic::Materials = materials;
    ASSERT_EQ(t::messageBoxes().size(), 1u) << ::testing::PrintToString(messages());
    EXPECT_EQ(t::messageBoxes()[0].title, "Vandor.frmConfig.StartSimulation");
    EXPECT_EQ(t::messageBoxes()[0].text,
              "Unexpected Error 1001\nThe simulation engine could not solve this circuit.");
    EXPECT_EQ(openCharts(), 0);
    EXPECT_EQ(mdlPublic::SimCount, 1);

    // A part model that cannot be read ends the run too, instead of simulating without the part.
    fs::remove(fs::path(mdlPublic::ProgramFolder) / "data" / "filter.dat");
    t::clearMessageBoxes();
    startSimulation(form);
    ASSERT_EQ(t::messageBoxes().size(), 1u) << ::testing::PrintToString(messages());
    EXPECT_EQ(t::messageBoxes()[0].title, "Vandor.frmConfig.StartSimulation");
    EXPECT_EQ(t::messageBoxes()[0].text.rfind("Unexpected Error 53\n", 0), 0u);
    EXPECT_EQ(openCharts(), 0);
    EXPECT_EQ(mdlPublic::SimCount, 2);
    EXPECT_EQ(form.Caption(), "Simulation No.02");
}

// A part is found the same way by the check, the netlist and the chart in either view; in the
// previous view a part without a previous number goes by its global number.
TEST_F(FilterRun, PartSimulatesInTheViewItIsShownIn) {
    struct Row {
        const char* view;
        const char* typed;
        const char* shown;
    };
    for (const Row& row : {Row{"1", "KSV1005A100", "KSV1005A100 (10 ohm, 500 mA)"},
                           Row{"1", "ks15f101", "KS15F101 (100 ohm, 300 mA)"},
                           Row{"0", "KSV1005A100", "KSV1005A100 (10 ohm, 500 mA)"}}) {
        SCOPED_TRACE(std::string(row.view) + " " + row.typed);
        t::discardAllForms();
        apptest::resetShared();
        mdlPublic::saveAppSetting("PartnumType", row.view);
        frmConfig& form = startProgram(0);
        enterBead(form);
        auto& box = control<platform::TextBox>(form, "txtFilter", 0);
        t::type(box, row.typed);
        t::pressKey(box, 13);
        EXPECT_EQ(box.Text(), row.shown);
        t::clearMessageBoxes();
        startSimulation(form);
        EXPECT_TRUE(t::messageBoxes().empty()) << ::testing::PrintToString(messages());
        ASSERT_NE(mdlPublic::LastChart, nullptr);
        EXPECT_EQ(mdlPublic::SimCount, 1);
    }
}

// The impedance a simulation keeps (shown on the form, on review and on paper) is the simulated
// geometry's, though no Enter confirmed the edit.
TEST_F(FilterRun, StoredImpedanceIsTheSimulatedGeometrys) {
    frmConfig& form = startProgram(0);
    enterBead(form);
    ASSERT_EQ(control<platform::ComboBox>(form, "cboMaterial").Text(), mdlPublic::Materials[3].Name);
    const double k = mdlPublic::Materials[3].K;
    int sim = 0;
    for (const auto& [width, thickness, w, h] : {std::tuple{"0.2", "0.8", 0.2e-3, 0.8e-3}, {"0.1", "1.6", 0.1e-3, 1.6e-3}}) {
        t::type(control<platform::TextBox>(form, "txtConfigTrans", 0), width);
        t::type(control<platform::TextBox>(form, "txtConfigTrans", 1), thickness);
        startSimulation(form);
        const std::string z0 = platform::Format(velmar::MicrostripImpedance(h, w, 0, velmar::MicrostripEffPermittivity(h, w, k)), "0.00");
        EXPECT_EQ(mdlPublic::SimConfigs[static_cast<std::size_t>(sim++)].LineZ0, z0) << width << " / " << thickness;
        EXPECT_EQ(control<platform::Label>(form, "lblConfigTrans", 5).Caption(), z0);
    }
    EXPECT_TRUE(t::messageBoxes().empty()) << ::testing::PrintToString(messages());
}

// A geometry whose impedance comes to nothing is refused on Start as on Enter, before a
// simulation number is used up, instead of failing in the engine.
TEST_F(FilterRun, AbsurdGeometryIsRefusedBeforeANumberIsSpent) {
    frmConfig& form = startProgram(0);
    enterBead(form);
    for (const auto& [box, typed] : {std::pair{0, "1E+30"}, {0, "3E+38"}, {1, "1E-30"}}) {  // W, W, h
        auto& entry = control<platform::TextBox>(form, "txtConfigTrans", box);
        const std::string kept = entry.Text();
        t::type(entry, typed);
        for (const bool enter : {true, false}) {
            t::clearMessageBoxes();
            if (enter) t::pressKey(entry, 13);
            else startSimulation(form);
            EXPECT_EQ(apptest::messages(), std::vector<std::string>{apptest::text(6689)}) << typed << (enter ? " Enter" : " Start");
        }
        EXPECT_EQ(mdlPublic::SimCount, 0);
        EXPECT_EQ(openCharts(), 0);
        t::type(entry, kept);
    }
}

}  // namespace
