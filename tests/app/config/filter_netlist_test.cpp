// Golden netlists of the filter circuits, compared statement by statement after parsing numbers,
// each also read and run by the engine.

#include <gtest/gtest.h>

#include <QLocale>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "app/app_test_support.h"
#include "app/netlist_test_support.h"
#include "app/config/filter_netlist.h"
#include "app/shared/mdlPublic.h"
#include "engine/simulate.h"
#include "platform/convert.h"
#include "platform/errors.h"

namespace {

using mdlPublic::NetlistBlock;

// ---- A made-up catalogue in the packed file formats -------------------------------------------

using namespace netlisttest;

std::string icRecord(std::vector<El> elements) {
    elements.resize(5, El{0, 0, 0, 0});
    Bytes b;
    b.data.append(8, '\0');
    for (const El& e : elements) b.i16(e.kind).i16(e.n1).i16(e.n2).f32(e.value);
    return b.data;
}

using apptest::writeFile;

// ---- Comparing statements ---------------------------------------------------------------------

// Commas are already points here; integers (nodes, counts) compare as text.
void expectStatement(const std::string& actual, const std::string& expected, int index) {
    netlisttest::expectStatement(actual, expected, index, true);
}

class FilterNetlist : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        apptest::useProgramFolder(folder_.path());
        writeFile(data("filtere.idx"),
                  "1,0,\"Chip Ferrite Bead (KSV series)\",\"S\",\"T\",\"N1\",\"KSVBEAD\",\"KSOLD\"\r\n"
                  "2,2,\"Chip Capacitor (JX series)\",\"S\",\"T\",\"\",\"JXCAP\",\"JXOLD\"\r\n"
                  "3,1,\"Chip TESSOR (QTA :Capacitor type)\",\"S\",\"T\",\"\",\"QTAFIL\",\"QTOLD\"\r\n"
                  "4,0,\"Chip Ferrite Bead (KSV series)\",\"S\",\"T\",\"N4\",\"KSVODD\",\"\"\r\n");
        writeFile(data("filter.dat"),
                  filterRecord({{3, 10, 50, 1e-7f}}) + filterRecord({{2, 10, 0, 1e-10f}}) +
                      filterRecord({{3, 10, 41, 2.5e-10f}, {3, 41, 50, 2.5e-10f}, {2, 41, 0, 1e-10f}}) +
                      filterRecord({{1, 10, 21, 0.0f}, {0, 21, 50, 5.0f}, {5, 21, 50, 5.0f}, {3, 21, 50, 2e-7f}},
                                   {{10, 50, 41, 0, 1e-6f, 2e-6f, 0.9f}}));
        writeFile(data("ic.idx"),
                  "0,\"CMOS\",\"74HC04\",5\r\n0,\"TTL\",\"74S04\",5\r\n0,\"CMOS\",\"EMPTY04\",5\r\n"
                  "1,\"CMOS\",\"74HC04\",5\r\n");
        const std::vector<El> driver = {{10, 1, 2, 45}, {35, 2, 10, 5e-9f}, {25, 10, 0, 4e-12f}};
        writeFile(data("ic.dat"), icRecord(driver) + icRecord(driver) + icRecord({{40, 1, 10, 7}}) +
                                      icRecord({{30, 1, 2, 5e-9f}, {15, 2, 3, 5}, {20, 3, 10, 3.5e-12f}, {10, 2, 10, 1e6f}}));
        mdlPublic::loadFilterIndex(data("filtere.idx"));
        mdlPublic::loadIcIndex(data("ic.idx"));
        mdlPublic::Materials = {};
        mdlPublic::Materials[0] = {"Other (K=4.1)", 4.1f};
        mdlPublic::Materials[3] = {"Epoxy-glass (K=4.6)", 4.6f};
        form_ = {"10", "50", false, "0", 0};
    }

    std::string data(const std::string& name) const { return mdlPublic::ProgramFolder + "/data/" + name; }

    // The Part's worked circuit: one bead, driver and receiver by R, L, C, line by geometry.
    static SimConfigRecord lcrRecord() {
        SimConfigRecord r;
        r.SimType = 0;
        r.ClockFreq = "10", r.Duty = "50", r.RiseTime = "1", r.FallTime = "1", r.Voltage = "5";
        r.DriverByLcr = 1, r.DriverR = "10", r.DriverL = "5", r.DriverC = "4";
        r.PartNum = {"KSVBEAD", ""};
        r.LineMode = 0, r.LineW = "0.3", r.LineH = "1.6", r.LineLength = "50", r.Material = "Epoxy-glass (K=4.6)";
        r.ReceiverByLcr = 1, r.ReceiverL = "5", r.ReceiverR = "1", r.ReceiverC = "3", r.ReceiverR2 = "1E6";
        return r;
    }

    // Writes, compares with `expected` line by line (the rest blank) and runs the engine on it.
    void expectNetlist(const SimConfigRecord& r, std::int16_t n, std::int16_t state, std::int16_t mode,
                       const std::vector<std::string>& expected) {
        NetlistBlock block;
        app::MakeNetlist(block, r, form_, n, state, mode);
        expectStatements(block, expected, true);
        expectEngineReads(block, n);
    }

    app::NetlistFormValues form_;

private:
    QTemporaryDir folder_;
};

// Pulse line of a 10 MHz, 50 % source of no listed family with 1 ns edges (1.25 ns ramps).
const std::string kPulse10MHz = "V 1 PULSE(0.0 5 1.25E-09 1.25E-09 4.84375E-08 1.0E-07)";
const std::vector<std::string> kLcrDriver = {"R 1 2 10", "L 2 10 5.0E-09", "C 10 0 4.0E-12"};

std::vector<std::string> lcrReceiver(int p) {
    const auto n = [](int v) { return std::to_string(v); };
    return {"R " + n(p) + " " + n(p + 1) + " 1", "L " + n(p + 1) + " " + n(p + 2) + " 5.0E-09",
            "C " + n(p + 2) + " 0 3.0E-12", "R " + n(p) + " 0 1E6"};
}

const std::string kLineA50 = "Z 50 60 LINEA(0.05 0.0016 0.0003 0 4.6)";

TEST_F(FilterNetlist, OneBeadWithLineByGeometryAtPointB) {
    expectNetlist(lcrRecord(), 25, app::WithPart, app::MeasurePointB,
                  join({{kPulse10MHz}, kLcrDriver, {"L 10 50 1.0E-07", kLineA50}, lcrReceiver(60),
                        {".SPECTRUM 25", ".PRINT 60", ".END"}}));
}

// Any zero an IC's R, L or C box accepts is written as the tiny value of a typed "0", so the
// engine can solve it; the record keeps the text as typed.
TEST_F(FilterNetlist, ZeroIcElementsOfAnySpellingGetTheTinyValue) {
    SimConfigRecord tiny = lcrRecord();
    tiny.DriverR = tiny.ReceiverR = "1E-13";
    tiny.DriverL = tiny.ReceiverL = "1E-6";
    tiny.DriverC = tiny.ReceiverC = "1E-3";
    NetlistBlock expected;
    app::MakeNetlist(expected, tiny, form_, 10, app::WithPart, app::MeasurePointB);
    for (const char* zero : {"0", "0.0", "-0", "00", "0e5", " 0 "}) {
        SCOPED_TRACE(zero);
        SimConfigRecord r = lcrRecord();
        r.DriverR = r.DriverL = r.DriverC = r.ReceiverR = r.ReceiverL = r.ReceiverC = zero;
        NetlistBlock block;
        app::MakeNetlist(block, r, form_, 10, app::WithPart, app::MeasurePointB);
        EXPECT_EQ(block.Line, expected.Line);
        expectEngineReads(block, 10);
        EXPECT_EQ(r.DriverR, zero);
    }
}

TEST_F(FilterNetlist, WithoutPartTheLineStartsAtTheDriver) {
    const auto line = "Z 10 20 LINEA(0.05 0.0016 0.0003 0 4.6)";
    expectNetlist(lcrRecord(), 100, app::WithoutPart, app::MeasurePointB,
                  join({{kPulse10MHz}, kLcrDriver, {line}, lcrReceiver(20), {".SPECTRUM 100", ".PRINT 20", ".END"}}));
    expectNetlist(lcrRecord(), 100, app::WithoutPart, app::MeasurePointA,
                  join({{kPulse10MHz}, kLcrDriver, {line}, lcrReceiver(20), {".SPECTRUM 100", ".PRINT 10", ".END"}}));
}

TEST_F(FilterNetlist, ChipCapacitorHangsAtTheDriverAndTheLineStartsThere) {
    SimConfigRecord r = lcrRecord();
    r.PartNum[0] = "JXCAP";
    expectNetlist(r, 10, app::WithPart, app::MeasurePointB,
                  join({{kPulse10MHz}, kLcrDriver, {"C 10 0 1.0E-10", "Z 10 20 LINEA(0.05 0.0016 0.0003 0 4.6)"},
                        lcrReceiver(20), {".SPECTRUM 10", ".PRINT 20", ".END"}}));
}

TEST_F(FilterNetlist, BeadWithChipCapacitorWritesBothPartsAsStored) {
    SimConfigRecord r = lcrRecord();
    r.SimType = 1;
    r.PartNum = {"KSVBEAD", "JXCAP"};
    form_.simType = "1";
    expectNetlist(r, 10, app::WithPart, app::MeasurePointB,
                  join({{kPulse10MHz}, kLcrDriver, {"L 10 50 1.0E-07", "C 10 0 1.0E-10", kLineA50}, lcrReceiver(60),
                        {".SPECTRUM 10", ".PRINT 60", ".END"}}));
}

TEST_F(FilterNetlist, BeadBeforeFilterIsMovedBy40ButItsCoupledWindingsAreNot) {
    SimConfigRecord r = lcrRecord();
    r.SimType = 2;
    r.PartNum = {"KSVODD", "QTAFIL"};
    form_.simType = "2";
    // The bead's zero-valued resistor is written as 1E-06; kinds 0 and 5 write nothing.
    expectNetlist(r, 10, app::WithPart, app::MeasurePointB,
                  join({{kPulse10MHz}, kLcrDriver,
                        {"R 50 61 1.0E-06", "L 61 90 2.0E-07", "F 10 50 41 0 TRANS(1.0E-06 2.0E-06 0.9)",
                         "L 10 41 2.5E-10", "L 41 50 2.5E-10", "C 41 0 1.0E-10",
                         "Z 90 100 LINEA(0.05 0.0016 0.0003 0 4.6)"},
                        lcrReceiver(100), {".SPECTRUM 10", ".PRINT 100", ".END"}}));
}

TEST_F(FilterNetlist, LineByImpedanceAndIgnoredLine) {
    SimConfigRecord r = lcrRecord();
    r.LineMode = 1, r.LineZ0 = "75", r.LineK = "3.2";
    expectNetlist(r, 10, app::WithPart, app::MeasurePointB,
                  join({{kPulse10MHz}, kLcrDriver, {"L 10 50 1.0E-07", "Z 50 60 LINEB(0.05 75 3.2)"}, lcrReceiver(60),
                        {".SPECTRUM 10", ".PRINT 60", ".END"}}));
    r.LineMode = 2;
    expectNetlist(r, 10, app::WithPart, app::MeasurePointB,
                  join({{kPulse10MHz}, kLcrDriver, {"L 10 50 1.0E-07"}, lcrReceiver(50),
                        {".SPECTRUM 10", ".PRINT 50", ".END"}}));
    expectNetlist(r, 10, app::WithoutPart, app::MeasurePointB,
                  join({{kPulse10MHz}, kLcrDriver, lcrReceiver(10), {".SPECTRUM 10", ".PRINT 10", ".END"}}));
}

TEST_F(FilterNetlist, ListedIcsKeepDriverNodesAndMoveReceiverNodes) {
    SimConfigRecord r = lcrRecord();
    r.DriverByLcr = 0, r.DriverIcType = "CMOS", r.DriverIc = "74HC04";
    r.ReceiverByLcr = 0, r.ReceiverIcType = "CMOS", r.ReceiverIc = "74HC04";
    form_.driverFromList = true;
    // 74HC04 at 10 MHz: edges 3.606 - 0.2436 ns; CMOS width T D / 100 - tr / 0.8.
    const double edge = (3.606 - 0.2436) / 0.8e9;
    char pulse[128];
    std::snprintf(pulse, sizeof pulse, "V 1 PULSE(0.0 5 %.9E %.9E %.9E 1.0E-07)", edge, edge, 5e-8 - edge / 0.8);
    expectNetlist(r, 10, app::WithPart, app::MeasurePointB,
                  {pulse, "R 1 2 45.0", "L 2 10 5.0E-09", "C 10 0 4.0E-12", "L 10 50 1.0E-07", kLineA50,
                   "L 60 61 5.0E-09", "R 61 62 5.0", "C 62 0 3.5E-12", "R 61 0 1.0E6", ".SPECTRUM 10", ".PRINT 60",
                   ".END"});
}

// A driver without elements, no part and no line: the receiver is still written, at node 10.
TEST_F(FilterNetlist, ReceiverIsWrittenEvenWhenNothingPrecedesIt) {
    SimConfigRecord r = lcrRecord();
    r.DriverByLcr = 0, r.DriverIcType = "CMOS", r.DriverIc = "EMPTY04";
    r.LineMode = 2;
    form_.driverFromList = true;
    expectNetlist(r, 10, app::WithoutPart, app::MeasurePointB,
                  join({{kPulse10MHz}, lcrReceiver(10), {".SPECTRUM 10", ".PRINT 10", ".END"}}));
}

struct EdgeCase {
    const char* ic;
    const char* family;
    const char* rise;  // typed [ns]
    const char* fall;
    const char* clock;
    double tr, tf;     // expected written ramps [ns], before / 0.8
};

void PrintTo(const EdgeCase& c, std::ostream* os) { *os << c.ic << ", rise " << c.rise << ", fall " << c.fall; }

class PulseCorrection : public FilterNetlist, public ::testing::WithParamInterface<EdgeCase> {};

TEST_P(PulseCorrection, ListedDriversGetTheirEdgeTimes) {
    const EdgeCase c = GetParam();
    SimConfigRecord r = lcrRecord();
    r.DriverByLcr = 0, r.DriverIcType = c.family, r.DriverIc = c.ic;
    r.RiseTime = c.rise, r.FallTime = c.fall, r.ClockFreq = c.clock;
    form_.clockFreq = c.clock;
    form_.driverFromList = std::string(c.ic) != "LCR";
    if (!form_.driverFromList) r.DriverIc = "74S04";  // a stale list choice must not correct an R, L, C driver
    // Only 74HC04 and 74S04 are in the test IC list: the rest are checked on the source line alone.
    if (r.DriverIc != "74HC04" && r.DriverIc != "74S04") r.DriverByLcr = 1;

    NetlistBlock block;
    app::MakeNetlist(block, r, form_, 10, app::WithPart, app::MeasurePointB);
    const auto t = tokens(block.Line[0]);
    ASSERT_EQ(t.size(), 9u);
    const double period = 1.0 / (std::stod(c.clock) * 1e6);
    const double tr = c.tr / 0.8e9, tf = c.tf / 0.8e9;
    // Written with every digit the table's value has: 3.1188 ns stays 3.1188, not its nearest single.
    EXPECT_EQ(t[5], platform::CStr(tr));
    EXPECT_EQ(t[6], platform::CStr(tf));
    EXPECT_NEAR(std::stod(t[8]), period, period * 1e-9);
    const double high = period * 0.5;
    const double typedFall = std::stod(c.fall) / 1e9;
    const double width = std::string(c.family) == "CMOS"  ? high - tr / 0.8
                         : std::string(c.family) == "TTL" ? high + typedFall / 2 - tr / 0.8
                                                          : high - (tr + tf) / 2 / 0.8;
    EXPECT_NEAR(std::stod(t[7]), width, width * 1e-6);
}

INSTANTIATE_TEST_SUITE_P(
    Drivers, PulseCorrection,
    ::testing::Values(EdgeCase{"LCR", "", "1", "1", "10", 1, 1}, EdgeCase{"74S04", "TTL", "5", "5", "10", 3.5, 4},
                      EdgeCase{"74S04", "TTL", "7", "2", "10", 5, 4},
                      EdgeCase{"74HC04", "CMOS", "5", "5", "20", 3.1188, 3.1188},
                      EdgeCase{"74F04", "TTL", "2", "2", "10", 2, 3},
                      EdgeCase{"74ALS04", "TTL", "2", "2", "10", 3, 2.5},
                      EdgeCase{"74ALS04", "TTL", "2", "4", "10", 3, 3.5},
                      EdgeCase{"74AS04", "TTL", "2", "3", "10", 3.2, 4.2},
                      EdgeCase{"74LS04", "TTL", "2", "3", "10", 4, 5},
                      EdgeCase{"74LVC04", "CMOS", "2", "3", "50", 2.388, 2.388},
                      EdgeCase{"74ABT04", "BiCMOS", "2", "3", "10", 2, 3}),
    [](const ::testing::TestParamInfo<EdgeCase>& info) {
        return std::string(info.param.ic) + "_rise" + info.param.rise + "_fall" + info.param.fall;
    });

using apptest::LocaleScope;

TEST_F(FilterNetlist, DecimalCommasBecomePointsUpToTheFirstBlankLine) {
    LocaleScope german(QLocale(QLocale::German, QLocale::Germany));
    SimConfigRecord r = lcrRecord();
    r.LineW = "0,3", r.LineH = "1,6", r.DriverL = "1,5";
    r.DriverByLcr = 0, r.DriverIcType = "TTL", r.DriverIc = "74S04", r.RiseTime = "5", r.FallTime = "5";
    form_.driverFromList = true;
    mdlPublic::Materials[3].Name = "Epoxy-glass (K=4,6)";
    r.Material = mdlPublic::Materials[3].Name;

    NetlistBlock block;
    app::MakeNetlist(block, r, form_, 10, app::WithPart, app::MeasurePointB);
    EXPECT_NE(block.Line[0].find(','), std::string::npos) << block.Line[0];
    block.Line[20] = std::string(" 1,5") + std::string(124, ' ');
    block.Line[21] = std::string("X 1,5") + std::string(123, ' ');
    app::replaceDecimalCommas(block);
    for (int i = 0; i < 13; ++i) EXPECT_EQ(block.Line[i].find(','), std::string::npos) << block.Line[i];
    EXPECT_EQ(block.Line[21].substr(0, 5), "X 1,5");  // past the first blank line: untouched

    // The fixed edge times of the correction table are numbers in every locale (3.5 ns, 4 ns).
    const auto t = tokens(block.Line[0]);
    EXPECT_NEAR(std::stod(t[5]), 4.375e-9, 1e-15);
    EXPECT_NEAR(std::stod(t[6]), 5e-9, 1e-15);
    expectStatement(block.Line[5], "Z 50 60 LINEA(0.05 0.0016 0.0003 0 4.6)", 5);
    block.Line[20] = block.Line[21] = std::string(128, ' ');
    expectEngineReads(block, 10);
}

TEST_F(FilterNetlist, WhatCannotBeWrittenRaisesInsteadOfLeavingPiecesOut) {
    NetlistBlock block;
    SimConfigRecord r = lcrRecord();
    r.DriverByLcr = 0, r.DriverIc = "74XX99";
    EXPECT_THROW(app::MakeNetlist(block, r, form_, 10, app::WithPart, app::MeasurePointB), platform::RuntimeError);

    r = lcrRecord();
    r.Voltage = std::string(120, '5');
    EXPECT_THROW(app::MakeNetlist(block, r, form_, 10, app::WithPart, app::MeasurePointB), platform::RuntimeError);

    std::filesystem::remove(data("filter.dat"));
    try {
        app::MakeNetlist(block, lcrRecord(), form_, 10, app::WithPart, app::MeasurePointB);
        FAIL() << "a missing filter.dat must end the netlist";
    } catch (const platform::RuntimeError& e) {
        EXPECT_EQ(e.number(), 53);
    }
    // Without the part the file is not needed.
    EXPECT_NO_THROW(app::MakeNetlist(block, lcrRecord(), form_, 10, app::WithoutPart, app::MeasurePointB));
}

}  // namespace
