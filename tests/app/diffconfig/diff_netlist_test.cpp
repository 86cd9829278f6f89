// Golden netlists of the differential pair, compared statement by statement after parsing
// numbers, each also read and run by the engine; and the pair's sum and difference as the engine
// computes them.

#include <gtest/gtest.h>

#include <QLocale>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "app/app_test_support.h"
#include "app/netlist_test_support.h"
#include "app/diffconfig/diff_netlist.h"
#include "app/shared/mdlPublic.h"
#include "engine/simulate.h"
#include "platform/errors.h"

namespace {

using mdlPublic::NetlistBlock;

// ---- A made-up choke in the packed filter.dat format --------------------------------------------

using namespace netlisttest;

// 0.25 ohm in each line (the V- one stored as 0), coupled windings, winding capacitance and loss.
std::string chokeRecord() {
    return filterRecord({{1, 300, 310, 0.25f}, {1, 400, 410, 0.0f}, {2, 310, 500, 1.159e-13f}, {2, 410, 600, 1.159e-13f},
                         {1, 310, 500, 214.4f}, {1, 410, 600, 214.4f}, {7, 1, 2, 3.0f}},
                        {{310, 500, 410, 600, 1.359e-7f, 1.359e-7f, 0.985f}});
}

// The choke's statements, in record order: the zero resistor becomes 1E-06, kind 7 writes nothing.
const std::vector<std::string> kChoke = {"R 300 310 0.25",      "R 400 410 1E-06",    "C 310 500 1.159E-13",
                                         "C 410 600 1.159E-13", "R 310 500 214.4",    "R 410 600 214.4",
                                         "F 310 500 410 600 TRANS(1.359E-07 1.359E-07 0.985)"};

// ---- Comparing statements -----------------------------------------------------------------------

// Every number compares as a number, and no statement holds a comma.
void expectStatement(const std::string& actual, const std::string& expected, int index) {
    netlisttest::expectStatement(actual, expected, index, false);
}

class DiffNetlist : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        apptest::resetShared();
        apptest::useProgramFolder(folder_.path());
        std::ofstream(data("filter.dat"), std::ios::binary) << chokeRecord();
        mdlPublic::FilterIndex[0] = {1, 3, "Chip Common Mode Choke Coil (WQ series)", "S", "T", "67 ohm", "WQTEST", "YZTEST"};
        mdlPublic::FilterCount = 1;
        mdlPublic::Materials[3] = {"Epoxy-glass (K=4.6)", 4.6f};
    }

    std::string data(const std::string& name) const { return mdlPublic::ProgramFolder + "/data/" + name; }

    // The worked example: USB2.0 HS at 240 MHz, 0.5 ns edges, no skew, board geometry.
    static SimConfig2Record usbHs() {
        SimConfig2Record r;
        r.DccType = "USB2.0", r.DccClock = "HS(480Mbps)", r.ClockFreq = "240";
        r.VolHigh = {"0.65", "0.65"}, r.VolLow = {"0", "0"};
        r.RiseTime = {"0.5", "0.5"}, r.FallTime = {"0.5", "0.5"}, r.Skew = "0";
        r.PartNum = "WQTEST", r.PartNote = "67 ohm";
        r.LineMode = 0, r.LineW = "0.25", r.LineH = "0.5", r.LinePitch = "0.25", r.LineLength = "100";
        r.Material = "Epoxy-glass (K=4.6)";
        return r;
    }

    app::DiffNetlistNodes expectNetlist(const SimConfig2Record& r, std::int16_t n, std::int16_t state,
                                        std::int16_t node, const std::vector<std::string>& expected,
                                        int partnumType = 0) {
        NetlistBlock block;
        const app::DiffNetlistNodes nodes = app::MakeNetlist(block, r, n, state, node, partnumType);
        expectStatements(block, expected, false);
        EXPECT_EQ(nodes.lines, static_cast<int>(expected.size()));
        expectEngineReads(block, n);
        return nodes;
    }

private:
    QTemporaryDir folder_;
};

const std::vector<std::string> kUsbDriver = {"R1 100 300 28", "R11 100 0 15e3", "R2 200 400 28", "R21 200 0 15e3"};
const std::vector<std::string> kHsSources = {
    "V 100 PULSE(0 0.65 6.25E-10 6.25E-10 1.458333E-09 4.16666666666667E-09)",
    "V 200 PULSE(0 0.65 6.25E-10 6.25E-10 1.458333E-09 4.16666666666667E-09 2.0833332836645E-09)"};

std::vector<std::string> usbReceiver(int p, int m) {
    const auto n = [](int v) { return std::to_string(v); };
    return {"R2 " + n(p) + " 0 45", "R3 " + n(m) + " 0 45", "C1 " + n(p) + " 0 5E-12", "C2 " + n(m) + " 0 5E-12"};
}

TEST_F(DiffNetlist, UsbHsWithChokeAndBoardGeometry) {
    const auto nodes = expectNetlist(usbHs(), 100, app::WithPart, app::NodePlus,
                                     join({kHsSources, kUsbDriver, kChoke,
                                           {"F 500 700 600 800 DUAL_LINEA(0.1 0.0005 0.00025 0.00025 4.6)"},
                                           usbReceiver(700, 800), {".SPECTRUM 100", ".PRINT 700", ".END"}}));
    EXPECT_EQ(nodes.LineNodePlus, 500);
    EXPECT_EQ(nodes.LineNodeMinus, 600);
    EXPECT_EQ(nodes.RecvNodePlus, 700);
    EXPECT_EQ(nodes.RecvNodeMinus, 800);
    // The spectrum run of the V- node; the choke is found by its previous number too.
    expectNetlist(usbHs(), 4, app::WithPart, app::NodeMinus,
                  join({kHsSources, kUsbDriver, kChoke, {"F 500 700 600 800 DUAL_LINEA(0.1 0.0005 0.00025 0.00025 4.6)"},
                        usbReceiver(700, 800), {".SPECTRUM 4", ".PRINT 800", ".END"}}),
                  1);
}

// Every interface and line mode, without the choke (the line starts at the driver outputs).
struct ModeCase {
    const char* name;
    const char* dcc;
    std::int16_t lineMode;
    std::vector<std::string> driverToEnd;  // from the first driver statement to ".END"
};

TEST_F(DiffNetlist, EveryInterfaceAndLineModeWithoutTheChoke) {
    const std::vector<std::string> ieeeDriver = {"R1 100 110 55", "R11 100 300 1.0e-12", "R2 200 110 55",
                                                 "R21 200 400 1.0e-12", "C1 110 0 250E-12", "R3 110 0 5.0e3"};
    const std::vector<std::string> lvdsDriver = {"R1 100 300 75", "R2 200 400 75", "C1 300 0 10E-12", "C2 400 0 10E-12"};
    const std::vector<ModeCase> cases = {
        {"usb geometry", "USB2.0", 0,
         join({kUsbDriver, {"F 300 500 400 600 DUAL_LINEA(0.1 0.0005 0.00025 0.00025 4.6)"}, usbReceiver(500, 600),
               {".SPECTRUM 10", ".PRINT 600", ".END"}})},
        {"usb impedances", "USB2.0", 1,
         join({kUsbDriver, {"F 300 500 400 600 DUAL_LINEB(0.1 30.5 2.5 90 3.25)"}, usbReceiver(500, 600),
               {".SPECTRUM 10", ".PRINT 600", ".END"}})},
        {"usb cable", "USB2.0", 2,
         join({kUsbDriver, {"F 300 500 400 600 DUAL_LINEB(0.1 60 2.3 45 2.3)"}, usbReceiver(500, 600),
               {".SPECTRUM 10", ".PRINT 600", ".END"}})},
        {"usb line ignored", "USB2.0", 3,
         join({kUsbDriver, usbReceiver(300, 400), {".SPECTRUM 10", ".PRINT 400", ".END"}})},
        {"lvds impedances", "LVDS", 1,
         join({lvdsDriver, {"F 300 500 400 600 DUAL_LINEB(0.1 30.5 2.5 90 3.25)", "R1 500 600 100",
                            "C1 500 0 5E-12", "C2 600 0 5E-12", ".SPECTRUM 10", ".PRINT 600", ".END"}})},
        {"lvds geometry", "LVDS", 0,
         join({lvdsDriver, {"F 300 500 400 600 DUAL_LINEA(0.1 0.0005 0.00025 0.00025 4.6)", "R1 500 600 100",
                            "C1 500 0 5E-12", "C2 600 0 5E-12", ".SPECTRUM 10", ".PRINT 600", ".END"}})},
        {"ieee1394 cable", "IEEE1394", 2,
         join({ieeeDriver, {"F 300 500 400 600 DUAL_LINEB(0.1 66 2.3 55 2.3)", "R1 500 710 55", "R2 600 710 55",
                            "C1 500 0 5E-12", "C2 600 0 5E-12", "C10 710 0 0.3e-6", ".SPECTRUM 10", ".PRINT 600",
                            ".END"}})},
        {"ieee1394 line ignored", "IEEE1394", 3,
         join({ieeeDriver, {"R1 300 710 55", "R2 400 710 55", "C1 300 0 5E-12", "C2 400 0 5E-12",
                            "C10 710 0 0.3e-6", ".SPECTRUM 10", ".PRINT 400", ".END"}})},
    };
    for (const ModeCase& c : cases) {
        SCOPED_TRACE(c.name);
        SimConfig2Record r = usbHs();
        r.DccType = c.dcc;
        r.LineMode = c.lineMode;
        r.LineZ = {"30.5", "90"}, r.LineK = {"2.5", "3.25"};
        expectNetlist(r, 10, app::WithoutPart, app::NodeMinus, join({kHsSources, c.driverToEnd}));
    }
}

// Line mode 3 with the choke: the receivers and ".PRINT" sit on the choke's outputs.
TEST_F(DiffNetlist, IgnoredLineWithChokeMeasuresAtTheChokeOutputs) {
    SimConfig2Record r = usbHs();
    r.LineMode = 3;
    expectNetlist(r, 100, app::WithPart, app::NodePlus,
                  join({kHsSources, kUsbDriver, kChoke, usbReceiver(500, 600), {".SPECTRUM 100", ".PRINT 500", ".END"}}));
}

TEST_F(DiffNetlist, SkewDelaysVMinusByHalfAPeriodLessTheSkew) {
    struct Row {
        const char* skew;
        double delay;  // s
    };
    const double half = static_cast<double>(static_cast<float>(1.0 / 240e6) / 2.0f);
    for (const Row& row : {Row{"0", half}, Row{"0.5", half - 0.5e-9}, Row{"-0.25", half + 0.25e-9},
                           Row{"3", half - 3e-9}}) {
        SCOPED_TRACE(row.skew);
        SimConfig2Record r = usbHs();
        r.Skew = row.skew;
        NetlistBlock block;
        app::MakeNetlist(block, r, 4, app::WithoutPart, app::NodePlus, 0);
        const auto t = tokens(block.Line[1]);
        ASSERT_EQ(t.size(), 10u);
        double delay;
        ASSERT_TRUE(number(t[9], delay));
        EXPECT_NEAR(delay, row.delay, 1e-18);
        expectEngineReads(block, 4);
    }
}

using apptest::LocaleScope;

// Typed numbers reach the engine as the values they stand for, whatever the locale wrote.
TEST_F(DiffNetlist, TypedNumbersAreWrittenAsParsedValues) {
    LocaleScope german(QLocale(QLocale::German, QLocale::Germany));
    SimConfig2Record r = usbHs();
    r.DccType = "IEEE1394";
    r.VolHigh = {"2,0", "1,95"}, r.VolLow = {"1,65", "1,6"};
    r.RiseTime = {"0,5", "0,5"}, r.FallTime = {"0,5", "0,5"}, r.ClockFreq = "240,0";
    r.LineMode = 1, r.LineZ = {"30,5", "90"}, r.LineK = {"2,5", "3,25"}, r.LineLength = "100,0";
    NetlistBlock block;
    app::MakeNetlist(block, r, 4, app::WithoutPart, app::NodePlus, 0);
    expectStatement(block.Line[0], "V 100 PULSE(1.65 2 6.25E-10 6.25E-10 1.458333E-09 4.16666666666667E-09)", 0);
    expectStatement(block.Line[1],
                    "V 200 PULSE(1.6 1.95 6.25E-10 6.25E-10 1.458333E-09 4.16666666666667E-09 2.0833332836645E-09)", 1);
    expectStatement(block.Line[8], "F 300 500 400 600 DUAL_LINEB(0.1 30.5 2.5 90 3.25)", 8);
    expectEngineReads(block, 4);
}

TEST_F(DiffNetlist, WhatCannotBeWrittenRaisesInsteadOfLeavingPiecesOut) {
    struct Row {
        const char* name;
        std::function<void(SimConfig2Record&)> change;
        std::int16_t state;
        int error;
    };
    const std::vector<Row> rows = {
        {"unknown material", [](SimConfig2Record& r) { r.Material = "Paper"; }, app::WithoutPart, 5},
        {"no cable for LVDS", [](SimConfig2Record& r) { r.DccType = "LVDS", r.LineMode = 2; }, app::WithoutPart, 5},
        {"unknown interface", [](SimConfig2Record& r) { r.DccType = "RS232"; }, app::WithoutPart, 5},
        {"unknown line mode", [](SimConfig2Record& r) { r.LineMode = 4; }, app::WithoutPart, 5},
        {"choke not in the index", [](SimConfig2Record& r) { r.PartNum = "WQNONE"; }, app::WithPart, 5},
        {"typed text that is no number", [](SimConfig2Record& r) { r.LineZ[0] = "1,000"; r.LineMode = 1; },
         app::WithoutPart, 13},
        {"statement of 128 characters or more",
         [](SimConfig2Record& r) {
             r.DccType = "IEEE1394";
             r.VolHigh[1] = "-1.23456789012345E-300";
             r.VolLow[1] = "-1.23456789012345E-299";
             r.Skew = "1.23456789012345E-7";
         },
         app::WithoutPart, 5},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        SimConfig2Record r = usbHs();
        row.change(r);
        NetlistBlock block;
        try {
            app::MakeNetlist(block, r, 10, row.state, app::NodePlus, 0);
            ADD_FAILURE() << "written";
        } catch (const platform::RuntimeError& e) {
            EXPECT_EQ(e.number(), row.error) << e.description();
        }
    }
    // A choke record that cannot be read ends the netlist: the pair is never run without it.
    std::filesystem::resize_file(data("filter.dat"), 100);
    NetlistBlock block;
    EXPECT_THROW(app::MakeNetlist(block, usbHs(), 10, app::WithPart, app::NodePlus, 0), platform::RuntimeError);
    EXPECT_NO_THROW(app::MakeNetlist(block, usbHs(), 10, app::WithoutPart, app::NodePlus, 0));
}

// A symmetric pair without skew: V+ - V- swings between the levels, V+ + V- stays nearly flat.
TEST_F(DiffNetlist, SymmetricPairSwingsInTheDifferenceAndHardlyInTheSum) {
    SimConfig2Record r = usbHs();
    r.LineMode = 3;
    NetlistBlock block;
    std::vector<double> wave[2];
    for (const std::int16_t node : {app::NodePlus, app::NodeMinus}) {
        app::MakeNetlist(block, r, 100, app::WithoutPart, node, 0);
        wave[node] = expectEngineReads(block, 100).wave;
    }
    double sumMin = 1e9, sumMax = -1e9, diffMin = 1e9, diffMax = -1e9;
    for (std::size_t p = 0; p < wave[0].size(); ++p) {
        const double sum = wave[0][p] + wave[1][p], diff = wave[0][p] - wave[1][p];
        sumMin = std::min(sumMin, sum), sumMax = std::max(sumMax, sum);
        diffMin = std::min(diffMin, diff), diffMax = std::max(diffMax, diff);
    }
    // Each 0.65 V source over 28 ohm into 45 ohm: about 0.4 V at the receiver.
    EXPECT_GT(diffMax, 0.3);
    EXPECT_LT(diffMin, -0.3);
    EXPECT_LT(sumMax - sumMin, 0.1 * (diffMax - diffMin));
}

}  // namespace
