// CheckConfig's messages and their order, and the simulation record that SaveConfig writes and
// LoadConfig reads back, through the form.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "app/config/config_checks.h"
#include "app/shared/config_form.h"
#include "app/config/config_record.h"
#include "config_fixture.h"
#include "engine/microstrip.h"
#include "platform/convert.h"
#include "platform/msgbox.h"

namespace {

using namespace configtest;
using namespace mdlPublic;

class Checks : public ConfigTest {
protected:
    // The one message CheckConfig shows (0 for none) and its verdict agree.
    int verdict() {
        t::clearMessageBoxes();
        const bool ok = form_->CheckConfig();
        const auto& shown = t::messageBoxes();
        if (ok) {
            EXPECT_TRUE(shown.empty());
            return 0;
        }
        EXPECT_EQ(shown.size(), 1u);
        if (shown.empty()) return -1;
        EXPECT_EQ(shown[0].style, platform::MsgBoxCritical);
        for (int id : {5281, 5282, 5285, 5287, 5290, 5291, 5292, 5295, 5296, 5297, 6689})
            if (shown[0].text == text(id)) return id;
        return -1;
    }
};

struct Entry {
    const char* box;
    int index;
    const char* value;
    int message;
};

TEST_F(Checks, ValuesAndTheirMessages) {
    const Entry entries[] = {
        {"txtVoltage", -1, "1", 0},        {"txtVoltage", -1, "7", 0},       {"txtVoltage", -1, "0.99", 5296},
        {"txtVoltage", -1, "7.01", 5296},  {"txtVoltage", -1, "0", 5295},    {"txtVoltage", -1, "-3", 5295},
        {"txtVoltage", -1, "5.", 0},       {"txtVoltage", -1, " ", 5291},    {"txtVoltage", -1, "abc", 5291},
        {"txtClockFreq", -1, "1", 0},      {"txtClockFreq", -1, "100", 0},   {"txtClockFreq", -1, "100.5", 5285},
        {"txtClockFreq", -1, "0", 5295},   {"txtClockFreq", -1, "50.", 5290}, {"txtClockFreq", -1, "1e39", 5291},
        {"txtClockFreq", -1, "10.0000000000000", 0},  // longer than a netlist field, but converted
        {"txtClockFreq", -1, "10.00000000000", 0},
        {"txtDuty", -1, "100", 0},         {"txtDuty", -1, "0", 5295},       {"txtDuty", -1, "101", 5287},
        {"txtUp", -1, "0", 0},             {"txtDown", -1, "-1", 0},         {"txtUp", -1, "2.", 5290},
        {"txtConfigTrans", 2, "0", 5295},  {"txtConfigTrans", 1, "x", 5291}, {"txtConfigTrans", 0, "0.1.", 5291},
        // A number too large for the line is still a number; a width of 1E+10 leaves no impedance.
        {"txtConfigTrans", 0, "1E+39", 6689}, {"txtConfigTrans", 2, "-1E+39", 5295}, {"txtConfigTrans", 0, "1E+10", 6689},
    };
    open(0);
    completeForm(0);
    for (const Entry& e : entries) {
        SCOPED_TRACE(std::string(e.box) + " = '" + e.value + "'");
        platform::TextBox& b = box(e.box, e.index);
        const std::string kept = b.Text();
        t::type(b, e.value);
        EXPECT_EQ(verdict(), e.message);
        t::type(b, kept);
    }
}

TEST_F(Checks, OrderOfTheRefusals) {
    open(0);
    ChartCount = 10;
    EXPECT_EQ(verdict(), 5292);  // even for an incomplete form
    ChartCount = 9;
    EXPECT_EQ(verdict(), 5281);
    completeForm(0);
    EXPECT_EQ(verdict(), 0);

    // Complete, but Reset unticked both points and a part typed without Enter ticks none.
    t::click(ctl<platform::CommandButton>("cmdReset"));
    EXPECT_EQ(verdict(), 5281);
    t::type(box("txtFilter", 0), "NOPE1");
    EXPECT_EQ(verdict(), 5297);  // before the unknown part is looked at
    typeEnter(box("txtFilter", 0), "ksv1");
    EXPECT_EQ(verdict(), 0);

    t::click(check(1));
    // Untick A while B is unticked is refused at the click, so untick through code paths: a capacitor
    // ticks B only and disables both; CheckConfig only cares for the ticks.
    typeEnter(box("txtFilter", 0), "JX3");
    EXPECT_EQ(verdict(), 0);

    // An unknown part is found after completeness and measuring points, before the numbers.
    t::type(box("txtFilter", 0), "NOPE1");
    t::type(box("txtVoltage"), "abc");
    EXPECT_EQ(verdict(), 5282);
    t::type(box("txtFilter", 0), "ksv1");
    EXPECT_EQ(verdict(), 5291);
    EXPECT_EQ(box("txtFilter", 0).Text(), "KSV1 (100MHz)");  // rewritten on the way
    t::type(box("txtVoltage"), "5");

    // The line's ranges come after the inputs' own ranges and the trailing point.
    t::click(option("optConfigTrans", 1));
    for (const auto& [k, value] : {std::pair{0, "50"}, {1, "4.6"}, {2, "1E+6"}}) t::type(box("txtConfigTrans", k), value);
    EXPECT_EQ(verdict(), 6689);
    for (const auto& [name, value, id] : {std::tuple{"txtVoltage", "8", 5296}, {"txtClockFreq", "150", 5285}, {"txtClockFreq", "50.", 5290}}) {
        const std::string kept = box(name).Text();
        t::type(box(name), value);
        EXPECT_EQ(verdict(), id) << value;
        t::type(box(name), kept);
    }
    t::click(option("optConfigTrans", 0));

    // Ignored line: hidden boxes are not numbers to test, but one ending in "." still is refused.
    t::click(option("optConfigTrans", 2));
    EXPECT_EQ(verdict(), 0);
    box("txtConfigTrans", 1).setText("3.");
    EXPECT_EQ(verdict(), 5290);
}

TEST_F(Checks, IcEquivalentCircuits) {
    open(0);
    completeForm(0);
    t::click(option("optSelectCircuit", 0));
    EXPECT_EQ(verdict(), 5281);
    EXPECT_EQ(picture(1), "icr");
    // An incomplete driver leaves the receiver's mark alone.
    t::click(option("optSelectCircuit", 1));
    t::type(box("txtR", 1), "1");
    const std::string receiverMark = picture(4);
    EXPECT_EQ(verdict(), 5281);
    EXPECT_EQ(picture(4), receiverMark);

    for (const char* name : {"txtR", "txtL", "txtC"}) t::type(box(name, 0), "0");
    EXPECT_EQ(picture(1), "icb");
    for (const char* name : {"txtL", "txtC"}) t::type(box(name, 1), "0");
    t::type(box("txtR", 2), "0");
    EXPECT_EQ(verdict(), 5295);  // the receiver's resistance to ground must not be zero
    t::type(box("txtR", 2), "1000");
    EXPECT_EQ(verdict(), 0);
    t::type(box("txtL", 1), "-1");
    EXPECT_EQ(verdict(), 5295);
}

TEST_F(Checks, SecondPart) {
    open(1);
    completeForm(1);
    EXPECT_EQ(verdict(), 0);
    t::type(box("txtFilter", 1), "");
    EXPECT_EQ(verdict(), 5281);
    t::type(box("txtFilter", 1), "QTA2");  // not a capacitor
    t::type(box("txtFilter", 0), "ksv6");
    EXPECT_EQ(verdict(), 5282);
    EXPECT_EQ(box("txtFilter", 0).Text(), "KSV6 (600MHz)");

    open(2);
    completeForm(2);
    EXPECT_EQ(verdict(), 0);
    t::type(box("txtFilter", 1), "");
    EXPECT_EQ(verdict(), 5282);
}

// A completeness check that fails on its way reports the error and counts as incomplete.
TEST_F(Checks, TrappedMarkFailureIsIncomplete) {
    open(0);
    completeForm(0);
    frmMain::instance().imlMain.clear();
    t::clearMessageBoxes();
    EXPECT_FALSE(form_->CheckConfig());
    const auto& shown = t::messageBoxes();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0].title, "Vandor.frmConfig.CheckClockConfig");
    EXPECT_EQ(shown[1].title, "Vandor.frmConfig.CheckTransConfig");
    EXPECT_EQ(shown[2].text, text(5281));
}

TEST_F(Checks, ChokeCoilIsNoFilterPart) {
    open(0);
    completeForm(0);
    t::type(box("txtFilter", 0), "WQ4 (90ohm)");
    EXPECT_EQ(verdict(), 5282);
}

TEST_F(Checks, LineImpedanceFormula) {
    // W = 0.1 mm, h = 1.6 mm, K = 4.6: x = 16.
    EXPECT_NEAR(config::microstripImpedance(0.1e-3, 1.6e-3, 4.6), 169.736, 1e-3);
    // Only the ratio matters; a wide line has a low impedance.
    EXPECT_NEAR(config::microstripImpedance(1, 16, 4.6), config::microstripImpedance(0.1e-3, 1.6e-3, 4.6), 1e-9);
    EXPECT_NEAR(config::microstripImpedance(3.0, 1.6, 4.6), 40.0, 10.0);
}

// ---- The record ---------------------------------------------------------------------------------

class Record : public ConfigTest {
protected:
    const SimConfigRecord& save(std::int16_t s) {
        form_->SaveConfig(s);
        return SimConfigs[static_cast<std::size_t>(s)];
    }
    // Reopens the form for review of s, as the result window's "See Configuration" does.
    void review(std::int16_t s) {
        CurrentSim = s;
        SimCount = static_cast<std::int16_t>(s + 1);
        open(SimConfigs[static_cast<std::size_t>(s)].SimType, true);
        form_->LoadConfig(s);
    }
};

TEST_F(Record, ZeroElementsRoundTrip) {
    open(0);
    completeForm(0);
    t::click(option("optSelectCircuit", 0));
    t::type(box("txtR", 0), "0");
    t::type(box("txtL", 0), "0");
    t::type(box("txtC", 0), "0.0");
    t::click(option("optSelectCircuit", 1));
    for (const char* name : {"txtL", "txtR", "txtC"}) t::type(box(name, 1), "0");
    t::type(box("txtR", 2), "0");
    const SimConfigRecord& r = save(0);
    EXPECT_EQ(r.DriverByLcr, 1);
    EXPECT_EQ(r.DriverR, "1E-13");
    EXPECT_EQ(r.DriverL, "1E-6");
    EXPECT_EQ(r.DriverC, "0.0");
    EXPECT_EQ(r.ReceiverL, "1E-6");
    EXPECT_EQ(r.ReceiverR, "1E-13");
    EXPECT_EQ(r.ReceiverC, "1E-3");
    EXPECT_EQ(r.ReceiverR2, "0");
    EXPECT_TRUE(r.DriverIc.empty());

    review(0);
    EXPECT_TRUE(option("optSelectCircuit", 0).Value());
    EXPECT_EQ(box("txtR", 0).Text(), "0");
    EXPECT_EQ(box("txtL", 0).Text(), "0");
    EXPECT_EQ(box("txtC", 0).Text(), "0.0");
    EXPECT_EQ(box("txtC", 1).Text(), "0");
    EXPECT_EQ(box("txtR", 2).Text(), "0");
    EXPECT_TRUE(box("txtR", 2).Visible());
    EXPECT_FALSE(combo("cboSelectIc", 1).Visible());
}

TEST_F(Record, InputsRangesAndReview) {
    open(0);
    completeForm(0);
    t::type(box("txtClockFreq"), "50");
    pickText(combo("cboSelectIc", 0), "74AC04");  // suggests 3.3 V
    t::type(box("txtVoltage"), "4");
    t::click(check(1));  // A only
    const SimConfigRecord& r = save(0);
    EXPECT_EQ(r.SimType, 0);
    EXPECT_EQ(r.Measure[0], 1);
    EXPECT_EQ(r.Measure[1], 0);
    EXPECT_EQ(r.ClockFreq, "50");
    EXPECT_EQ(r.Voltage, "4");
    EXPECT_EQ(r.DriverIcType, "CMOS");
    EXPECT_EQ(r.DriverIc, "74AC04");
    EXPECT_EQ(r.PartNum[0], "KSV1");
    EXPECT_EQ(r.PartNote, "100MHz");
    EXPECT_EQ(r.LineMode, 0);
    EXPECT_EQ(r.LineZ0, "169.74");
    EXPECT_EQ(r.Material, "Epoxy-glass (K=4.6)");
    EXPECT_TRUE(r.LineK.empty());
    EXPECT_FLOAT_EQ(r.TimeMax, 2e-8f);
    EXPECT_FLOAT_EQ(r.FreqMin, 1e6f);
    EXPECT_FLOAT_EQ(r.FreqMax, 1e9f);
    EXPECT_FLOAT_EQ(r.SpecMin, 0);
    EXPECT_FLOAT_EQ(r.SpecMax, 1e9f);
    EXPECT_EQ(r.VoltMin, 0);
    EXPECT_EQ(r.VoltMax, 0);
    EXPECT_EQ(r.Cycles, 1);

    review(0);
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(form_->Caption(), "Simulation No.01");
    EXPECT_EQ(box("txtClockFreq").Text(), "50");
    EXPECT_EQ(box("txtVoltage").Text(), "4");  // as simulated, not what the IC suggests
    EXPECT_EQ(combo("cboSelectIc", 0).Text(), "74AC04");
    EXPECT_EQ(box("txtFilter", 0).Text(), "KSV1 (100MHz)");
    EXPECT_EQ(picture(2), "ksvb");
    EXPECT_EQ(check(0).Value(), 1);
    EXPECT_EQ(check(1).Value(), 0);
    EXPECT_TRUE(check(0).Enabled());
    EXPECT_EQ(label("lblConfigTrans", 5).Caption(), "169.74");

    // A simulation started from the review gets the next free number.
    std::vector<int> runs;
    frmConfig::setSimulationRunner([&runs](frmConfig&, std::int16_t s) { runs.push_back(s); });
    t::click(ctl<platform::CommandButton>("cmdSimulation"));
    EXPECT_EQ(runs, std::vector<int>{1});
}

TEST_F(Record, DisabledPointsAndPartsWithoutNotes) {
    open(0);
    completeForm(0);
    typeEnter(box("txtFilter", 0), "QTA2");
    const SimConfigRecord& r = save(3);
    EXPECT_EQ(r.Measure[0], 2);
    EXPECT_EQ(r.Measure[1], 3);
    EXPECT_EQ(r.PartNum[0], "QTA2");
    EXPECT_TRUE(r.PartNote.empty());
    review(3);
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(form_->Caption(), "Simulation No.04");
    EXPECT_EQ(check(1).Value(), 1);
    EXPECT_FALSE(check(1).Enabled());
    EXPECT_FALSE(check(0).Enabled());
    EXPECT_EQ(box("txtFilter", 0).Text(), "QTA2");
    EXPECT_EQ(picture(2), "qtab");
}

TEST_F(Record, SecondPartKeepsItsNumberOnly) {
    open(1);
    completeForm(1);
    t::type(box("txtFilter", 1), "JX3 (note)");  // whatever follows a blank is no part number
    const SimConfigRecord& r = save(0);
    EXPECT_EQ(r.SimType, 1);
    EXPECT_EQ(r.PartNum[0], "KSV1");
    EXPECT_EQ(r.PartNum[1], "JX3");

    open(2);
    completeForm(2);
    t::click(option("optConfigTrans", 1));
    t::type(box("txtConfigTrans", 0), "50");
    t::type(box("txtConfigTrans", 1), "4.2");
    t::type(box("txtConfigTrans", 2), "30");
    const SimConfigRecord& r2 = save(1);
    EXPECT_EQ(r2.PartNum[1], "QTA2");
    EXPECT_EQ(r2.LineMode, 1);
    EXPECT_EQ(r2.LineZ0, "50");
    EXPECT_EQ(r2.LineK, "4.2");
    EXPECT_TRUE(r2.LineW.empty());
    EXPECT_TRUE(r2.Material.empty());

    review(1);
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(box("txtFilter", 1).Text(), "QTA2");
    EXPECT_EQ(picture(5), "qtab");
    EXPECT_TRUE(option("optConfigTrans", 1).Value());
    EXPECT_EQ(box("txtConfigTrans", 1).Text(), "4.2");
    EXPECT_FALSE(combo("cboMaterial").Visible());
    EXPECT_FALSE(label("lblConfigTrans", 3).Visible());
}

TEST_F(Record, IgnoredLineAndLastNumber) {
    open(0);
    completeForm(0);
    t::click(option("optConfigTrans", 2));
    SimConfigRecord& r = SimConfigs[99];
    form_->SaveConfig(99);
    EXPECT_EQ(r.LineMode, 2);
    EXPECT_TRUE(r.LineZ0.empty());
    EXPECT_TRUE(r.LineLength.empty());
    review(99);
    EXPECT_EQ(form_->Caption(), "Simulation No.100");
    EXPECT_TRUE(option("optConfigTrans", 2).Value());
    EXPECT_FALSE(box("txtConfigTrans", 0).Visible());

    t::clearMessageBoxes();
    form_->LoadConfig(100);
    ASSERT_EQ(t::messageBoxes().size(), 1u);
    EXPECT_EQ(t::messageBoxes()[0].title, "Vandor.frmConfig.LoadConfig");
    EXPECT_THROW(form_->SaveConfig(100), platform::RuntimeError);
}

TEST(PartText, SplitsAtTheFirstBlank) {
    const config::PartText noted = config::splitPartText("P1 (N1 x)");
    EXPECT_EQ(noted.number, "P1");
    EXPECT_EQ(noted.note, "N1 x");
    const config::PartText bare = config::splitPartText("P1");
    EXPECT_EQ(bare.number, "P1");
    EXPECT_FALSE(bare.hasNote);
    EXPECT_EQ(config::splitPartText("P1 ").note, "");
    EXPECT_EQ(config::storedLcr("00", config::TinyR), "00");
    EXPECT_EQ(config::shownLcr("1E-13", config::TinyR), "0");
}

// ---- Long numbers, both configuration forms ------------------------------------------------------

class LongNumbers : public apptest::SampleProgramTest {
protected:
    // The circuit's form, complete, with both ICs of the filter circuit as R, L, C; the impedance
    // entry's boxes filled.
    static ConfigForm& start(int simType) {
        t::discardAllForms();
        apptest::resetShared();
        auto& form = dynamic_cast<ConfigForm&>(startProgram(simType));
        const auto box = [&form](const char* name, int index) -> platform::TextBox& {
            return apptest::control<platform::TextBox>(form, name, index);
        };
        if (simType == 0) {
            for (int i = 0; i < 2; ++i) {
                t::click(apptest::control<platform::OptionButton>(form, "optSelectCircuit", i));
                for (const char* name : {"txtR", "txtL", "txtC"}) box(name, i).setText("10");
            }
            box("txtR", 2).setText("1000");
        }
        typeEnter(box("txtFilter", 0), simType == 0 ? "KSV1608S601" : "WQ2012S900");
        t::click(apptest::control<platform::OptionButton>(form, "optConfigTrans", 1));
        const std::vector<const char*> entry = simType == 0 ? std::vector<const char*>{"50", "4.6", "100"}
                                                            : std::vector<const char*>{"60", "45", "2.3", "2.3", "100"};
        for (std::size_t k = 0; k < entry.size(); ++k) box("txtConfigTrans", static_cast<int>(k)).setText(entry[k]);
        t::click(apptest::control<platform::OptionButton>(form, "optConfigTrans", 0));
        return form;
    }
    static std::vector<double> simulate(ConfigForm& form) {  // Start clicked: the receiver's wave, none if refused
        t::clearMessageBoxes();
        t::click(apptest::control<platform::CommandButton>(form, "cmdSimulation"));
        const std::vector<double> wave = t::messageBoxes().empty() ? SimResults[0][SimCount - 1].Wave : std::vector<double>{};
        form.mnuWindowClose_Click();  // ten result windows at most stay open
        return wave;
    }
    static platform::TextBox& line(ConfigForm& form, int k) { return apptest::control<platform::TextBox>(form, "txtConfigTrans", k); }
};

// A number is a number at any length ("10.0000000000000"); only the texts the filter circuit's
// netlist writes as typed keep to a netlist field's 15 characters. Enter in a line box too.
TEST_F(LongNumbers, AreNumbersWhereverTheNetlistConvertsThem) {
    struct Row {
        int simType, lineMode;
        const char* box;
        std::vector<int> indices;
        int message = 0;  // CheckConfig's
    };
    const Row rows[] = {
        {0, 0, "txtClockFreq", {-1}},   {0, 0, "txtDuty", {-1}},          {0, 0, "txtUp", {-1}},
        {0, 0, "txtDown", {-1}},        {0, 0, "txtL", {0, 1}},           {0, 0, "txtC", {0, 1}},
        {0, 0, "txtConfigTrans", {0, 1, 2}}, {0, 0, "txtVoltage", {-1}, 6691}, {0, 0, "txtR", {0, 1, 2}, 6691},
        {0, 1, "txtConfigTrans", {2}},  {0, 1, "txtConfigTrans", {0, 1}, 6691},
        {3, 0, "txtClockFreq", {-1}},   {3, 0, "txtScue", {-1}},          {3, 0, "txtVolHigh", {0, 1}},
        {3, 0, "txtVolLow", {0, 1}},    {3, 0, "txtRiseTime", {0, 1}},    {3, 0, "txtFallTime", {0, 1}},
        {3, 0, "txtConfigTrans", {0, 1, 2, 3}}, {3, 1, "txtConfigTrans", {0, 1, 2, 3, 4}},
    };
    ConfigForm* form = nullptr;
    int simType = -1;
    for (const Row& row : rows) {
        if (row.simType != simType) form = &start(simType = row.simType);
        t::click(apptest::control<platform::OptionButton>(*form, "optConfigTrans", row.lineMode));
        for (const int index : row.indices) {
            platform::TextBox& box = apptest::control<platform::TextBox>(*form, row.box, index);
            const std::string kept = box.Text();
            std::string typed = kept.find('.') == std::string::npos ? kept + "." : kept;
            typed.resize(16, '0');  // the same value in 16 characters
            SCOPED_TRACE(std::string(row.box) + "(" + std::to_string(index) + ") = " + typed);
            box.setText(typed);
            t::clearMessageBoxes();
            EXPECT_EQ(form->CheckConfig(), row.message == 0);
            if (row.lineMode == 0 && box.Name() == "txtConfigTrans") t::pressKey(box, 13);
            EXPECT_EQ(messages(), row.message ? std::vector<std::string>{text(row.message)} : std::vector<std::string>{});
            box.setText(kept);
        }
    }
}

// Exactly the pairs of this grid with W and d at least 0.05 h, W at most 90 h, d at most 1000 h and not both above
// 10 h run, and keep Zo <= Ze near one strip's impedance; the others are refused naming the first bound broken.
// The grid holds the collapsing pairs W 1, h 0.02, d 19; 1, 0.1, 1E+8; 1, 0.001, 1; 10, 0.001, 0.1 [mm].
TEST_F(LongNumbers, PairGeometryRunsOnlyAsAPhysicalPair) {
    ConfigForm& form = start(3);  // h 1 mm
    for (const double w : {1e-3, 0.03, 0.1, 1.0, 10.0, 50.0, 1e3, 1e4})
        for (const double d : {1e-3, 0.1, 1.0, 10.0, 100.0, 950.0, 1e3, 1e9})
            for (const std::size_t material : {5u, 6u}) {  // K 4.0 and 4.7
                pickText(apptest::control<platform::ComboBox>(form, "cboMaterial"), Materials[material].Name);
                for (const auto& [box, value] : {std::pair{0, w}, {2, d}}) line(form, box).setText(platform::CStr(value));
                double k = Materials[material].K, ze = 0, ee = 0, zo = 0, eo = 0;
                velmar::CoupledMicrostripParams(1, w, d, k, ze, ee, zo, eo);
                const double z0 = velmar::MicrostripImpedance(1, w, 0, velmar::MicrostripEffPermittivity(1, w, k));
                const bool inside = std::min(w, d) >= 0.05 && w <= 90 && d <= 1000 && std::min(w, d) <= 10, ran = !simulate(form).empty();
                const int bound = w < 0.05 ? 6693 : d < 0.05 ? 6694 : w > 90 ? 6695 : d > 1000 ? 6696 : 6697;
                EXPECT_TRUE(ran == inside && (ran ? zo <= ze * (1 + 1e-6) && zo <= z0 * 1.05 && z0 <= ze * 1.05 && std::sqrt(ze * zo) > z0 / 2
                                                  : messages() == std::vector<std::string>{text(bound)})) << w << " " << d << " " << k;
            }
}

// Each line box's values 1E-40..1E+39 are refused with a line message ('O' 6689, 'S' 6690) or simulate as
// the same line entered otherwise: a geometry as its impedance and effective K, an impedance line as one of
// a quarter of the K and twice the length; a short line as none, a long one as its delay less whole periods
// (13978 mm at 10 MHz, K 4.6). Boxes end on 4.6, fit for all.
TEST_F(LongNumbers, LineValuesAreRefusedOrSimulateAsTheirLine) {
    const double turn = 1e-4 / (std::sqrt(4.6) * 3.335641597318678e-9);
    ConfigForm& form = start(0);
    const auto option = [&form](int m) -> platform::OptionButton& { return apptest::control<platform::OptionButton>(form, "optConfigTrans", m); };
    const auto entered = [&](int mode, const std::vector<std::string>& texts) {  // as Z0, K, length; the boxes kept
        t::click(option(1));
        std::vector<std::string> kept;
        for (int k = 0; k < 3; ++k) kept.push_back(line(form, k).Text()), line(form, k).setText(texts[static_cast<std::size_t>(k)]);
        const std::vector<double> wave = simulate(form);
        for (int k = 0; k < 3; ++k) line(form, k).setText(kept[static_cast<std::size_t>(k)]);
        t::click(option(mode));
        return wave;
    };
    t::click(option(2));
    const std::vector<double> none = simulate(form);
    const char* values[] = {"1E-40", "1E-9", "0.001", "0.1", "10", "100", "1000", "1E+5", "1E+10", "1E+20", "3E+38", "1E+39", "4.6"};
    const struct { int mode, box; const char* outcomes; } rows[] = {{0, 0, "O.....OOOOOO."}, {0, 1, "OOO......OOO."}, {0, 2, "SS......OOOO."},
                                                                  {1, 0, "OOOO...OOOOO."}, {1, 1, "OOOO..OOOOOO."}, {1, 2, "SS......OOOO."}};
    for (const auto& row : rows)
        for (std::size_t i = 0; i < std::size(values); ++i) {
            SCOPED_TRACE(std::to_string(row.mode) + std::to_string(row.box) + " " + values[i]);
            t::click(option(row.mode));
            line(form, row.box).setText(values[i]);
            const std::vector<double> wave = simulate(form);
            EXPECT_EQ(messages(), std::vector<std::string>(row.outcomes[i] != '.', text(row.outcomes[i] == 'S' ? 6690 : 6689)));
            if (wave.empty()) continue;
            const double a = platform::CDbl(line(form, 0).Text()), b = platform::CDbl(line(form, 1).Text());
            const double mm = platform::CDbl(line(form, 2).Text()), eeff = velmar::MicrostripEffPermittivity(b, a, 4.6);
            const std::vector<double> expected =
                row.mode == 0 ? entered(0, {platform::CStr(static_cast<float>(velmar::MicrostripImpedance(b, a, 0, eeff))),
                                            platform::CStr(static_cast<float>(eeff)), line(form, 2).Text()})
                : mm > turn   ? entered(1, {line(form, 0).Text(), line(form, 1).Text(), platform::CStr(std::fmod(mm, turn))})
                : mm > 0.01   ? entered(1, {line(form, 0).Text(), platform::CStr(b / 4), platform::CStr(2 * mm)})
                              : none;
            ASSERT_EQ(expected.size(), wave.size());
            for (std::size_t n = 0; n < wave.size(); ++n) EXPECT_NEAR(wave[n], expected[n], 0.01);
        }
}

// The pair's typed impedances (1..1000 ohm, the differential mode at most the common one), constants (1..100)
// and lengths (0.001..1E+5 mm) of all three modes: a value inside runs, one outside is refused with the line's
// message (an order of the impedances no pair has with its own) before a number is spent.
TEST_F(LongNumbers, PairLineValuesOutsideTheFormulasAreRefused) {
    ConfigForm& form = start(3);
    struct Box { int mode, box; const char* kept; double low, high; };
    // The differential mode (45 ohm) is at most the common mode (60 ohm).
    for (const Box& b : {Box{1, 0, "60", 45, 1000}, {1, 1, "45", 1, 60}, {1, 2, "2.3", 1, 100}, {1, 3, "2.3", 1, 100},
                         {1, 4, "100", 1e-3, 1e5}, {2, 1, "100", 1e-3, 1e5}, {0, 3, "100", 1e-3, 1e5}})
        for (const char* value : {"1E-30", "0.5", "1", "44.99", "45", "60", "60.01", "1000", "1E+6", "3E+38", "1E+39"}) {
            t::click(apptest::control<platform::OptionButton>(form, "optConfigTrans", b.mode));
            line(form, b.box).setText(value);
            const double v = platform::CDbl(value);
            const int count = SimCount;
            const bool ran = !simulate(form).empty(), inside = v >= b.low && v <= b.high;
            const bool unordered = b.mode == 1 && b.box < 2 && v >= 1 && v <= 1000;
            const std::vector<std::string> refusal(!inside, text(v < 1e-3 && b.low < 1 ? 6690 : unordered ? 6692 : 6689));
            EXPECT_TRUE(ran == inside && messages() == refusal && SimCount == count + ran) << b.mode << b.box << " " << value;
            line(form, b.box).setText(b.kept);
        }
}

}  // namespace
