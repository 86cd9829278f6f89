#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>
#include <string>
#include <utility>

#include "app/shared/mdlPublic.h"
#include "platform/errors.h"
#include "support/testing.h"

namespace {

using namespace mdlPublic;

class SharedProcedures : public ::testing::Test {
protected:
    void SetUp() override {
        FilterIndex = {};
        FilterCount = 0;
    }
    void TearDown() override {
        FilterIndex = {};
        FilterCount = 0;
    }
    static void add(std::int32_t type, std::string primary, std::string global, std::string prev,
                    std::string note = "") {
        FilterIndexRecord& r = FilterIndex[FilterCount];
        r.RecNo = static_cast<std::int16_t>(FilterCount + 1);
        r.PartType = type;
        r.Primary = std::move(primary);
        r.PartNote = std::move(note);
        r.GlobalPartNum = std::move(global);
        r.PrevPartNum = std::move(prev);
        ++FilterCount;
    }
};

TEST_F(SharedProcedures, Log10IsRoundedToSingleAndRefusesNonPositive) {
    EXPECT_FLOAT_EQ(Log10(1000.0f), 3.0f);
    EXPECT_FLOAT_EQ(Log10(2.0f), static_cast<float>(std::log10(2.0)));
    for (float bad : {0.0f, -1.0f}) {
        try {
            Log10(bad);
            ADD_FAILURE() << bad;
        } catch (const platform::RuntimeError& e) {
            EXPECT_EQ(e.number(), 5);
        }
    }
}

TEST_F(SharedProcedures, ReplaceAllSwapsDecimalSigns) {
    std::string s = "1,5 2,25 ,";
    ReplaceAll(s, ",", ".");
    EXPECT_EQ(s, "1.5 2.25 .");
    std::string none = "abc";
    ReplaceAll(none, ",", ".");
    EXPECT_EQ(none, "abc");
    std::string grow = "a";  // a replacement holding the searched text must not loop
    ReplaceAll(grow, "a", "aa");
    EXPECT_EQ(grow, "aa");
}

TEST_F(SharedProcedures, UpperAsciiLeavesEverythingButAtoZ) {
    EXPECT_EQ(UpperAscii("ksv-1a2b_z(é)µ日"), "KSV-1A2B_Z(é)µ日");
    EXPECT_EQ(UpperAscii(""), "");
}

TEST_F(SharedProcedures, GetColorTable) {
    EXPECT_EQ(GetColor("red"), 255u);
    EXPECT_EQ(GetColor("Red"), 0u);
    EXPECT_EQ(GetColor("gray"), 192u + 256u * 192u + 65536u * 192u);
    EXPECT_EQ(GetColor("violet"), 128u + 128u * 65536u);
    EXPECT_EQ(GetColor("dark-cyan"), 128u * 256u + 128u * 65536u);
}

TEST_F(SharedProcedures, SeriesMappings) {
    EXPECT_EQ(GetSeriesFromCategory("Chip Ferrite Bead (KSV series)"), "KSV");
    EXPECT_EQ(GetSeriesFromCategory("Chip TESSOR (QTZ anything)"), "QTA");  // any letter after QT
    EXPECT_EQ(GetSeriesFromCategory("Chip Capacitor (JX series)"), "JX");
    EXPECT_EQ(GetSeriesFromCategory("Chip Common Mode Choke Coil (WQ)"), "WQ");
    EXPECT_EQ(GetSeriesFromPartnum("R(2)abc"), "QTA");
    EXPECT_EQ(GetSeriesFromPartnum("YZ900"), "WQ");
}

// Headless, the layer's stop throws instead of ending the process.
template <class F>
void expectStop(F f) {
    try {
        f();
        ADD_FAILURE() << "the program went on";
    } catch (const platform::testing::ProgramEnded& end) {
        EXPECT_TRUE(end.stopped);
    }
}

TEST_F(SharedProcedures, UnknownSelectorsStopTheProgram) {
    expectStop([] { GetSeriesFromCategory("Chip Ferrite Bead (KSV)"); });
    expectStop([] { GetSeriesFromPartnum("ks100"); });
    expectStop([] { GetSeriesFromPartnum(""); });
    expectStop([] { CheckFilPartnum("X", 6, 0); });  // also with no entry to consider
    expectStop([] { GetAppSetting("Other"); });
    expectStop([] { ShowConfigForm(4, false); });
    expectStop([] { ArrangeSelectFil(2); });
}

TEST_F(SharedProcedures, CheckFilPartnumNormalisesTheTypedNumber) {
    add(0, "Chip Ferrite Bead (KSV series)", "KSV100", "OLD100", "100MHz");
    add(1, "Chip TESSOR (QTA :Capacitor type)", "QTA200", "OLD200");
    add(1, "Chip TESSOR (QTB :Other)", "R(2)abcDEF", "OLD300");
    add(2, "Chip Capacitor (JX)", "JX400PT", "OLD400");
    add(3, "Chip Common Mode Choke Coil", "WQ 500", "OLD500");
    add(3, "Chip Common Mode Choke Coil", "KSV100", "OLD600");
    add(1, "Chip TESSOR (QTB :Other)", "R(µ1abc", "OLD700");

    EXPECT_EQ(CheckFilPartnum("ksv100 (100MHz)", 0, 0), 0);  // note dropped, upper-cased
    EXPECT_EQ(CheckFilPartnum("QTA200PB", 0, 0), 1);          // packing suffix dropped
    EXPECT_EQ(CheckFilPartnum("QTA200PT", 0, 0), 1);
    EXPECT_EQ(CheckFilPartnum("r(2)abcdef", 0, 0), 2);        // value letters of an array filter lower case
    EXPECT_EQ(CheckFilPartnum("r(µ1ABC", 0, 0), 6);           // counted in characters, not bytes
    EXPECT_EQ(CheckFilPartnum("JX400PT", 0, 0), -1);          // an entry stored with the suffix is never found
    EXPECT_EQ(CheckFilPartnum("WQ 500", 0, 0), -1);           // nor one holding a blank
    EXPECT_EQ(CheckFilPartnum("old200", 0, 1), 1);            // previous numbering
    EXPECT_EQ(CheckFilPartnum("OLD200", 0, 0), -1);
    EXPECT_EQ(CheckFilPartnum("KSV100", 0, 0), 0);            // duplicates: the lower index
    EXPECT_EQ(CheckFilPartnum("KSV100", 4, 0), 5);            // mode 4: chokes only
}

TEST_F(SharedProcedures, CheckFilPartnumModesAndEmptyNumbers) {
    add(0, "Chip Ferrite Bead (KSV series)", "A", "");
    add(1, "Chip TESSOR (QTA :Capacitor type)", "B", "");
    add(1, "Chip TESSOR (QTB :Other)", "C", "");
    add(2, "Chip Capacitor (JX)", "D", "");
    add(3, "Chip Common Mode Choke Coil", "E", "");
    const char* numbers[] = {"A", "B", "C", "D", "E"};
    // Which of A..E each mode finds.
    const int expected[6][5] = {{0, 1, 2, 3, 4},    {0, -1, -1, -1, -1}, {-1, 1, 2, -1, -1},
                                {-1, -1, -1, 3, -1}, {-1, -1, -1, -1, 4}, {-1, 1, -1, -1, -1}};
    for (std::int16_t mode = 0; mode < 6; ++mode)
        for (int k = 0; k < 5; ++k)
            EXPECT_EQ(CheckFilPartnum(numbers[k], mode, 0), expected[mode][k]) << mode << numbers[k];
    // An empty text, or one that begins with a blank, is no part number even though entries hold
    // empty previous numbers.
    EXPECT_EQ(CheckFilPartnum("", 0, 1), -1);
    EXPECT_EQ(CheckFilPartnum(" A", 0, 0), -1);
    EXPECT_EQ(CheckFilPartnum("PB", 0, 1), -1);
}

TEST_F(SharedProcedures, CaptionNumbers) {
    EXPECT_EQ(simCaptionPrefix(0), "Simulation No.01");
    EXPECT_EQ(simCaptionPrefix(9), "Simulation No.10");
    EXPECT_EQ(simCaptionPrefix(99), "Simulation No.100");
    EXPECT_EQ(captionSimNumber("Simulation No.01-KSV100-Input Signal Frequency=10[MHz]"), 0);
    EXPECT_EQ(captionSimNumber("Simulation No.100-KSV100-Input Signal Frequency=10[MHz]"), 99);
    EXPECT_EQ(captionSimNumber("Simulation No.12"), 11);
    EXPECT_EQ(captionSimNumber("Simulation No.-x"), -1);
    EXPECT_EQ(captionSimNumber("frmConfig"), -1);
}

// Every variable of mdlPublic is one the tests' resetShared sets back, or one of the program's
// folder that useProgramFolder sets as main() does: a new one cannot carry a test's state into the next.
TEST_F(SharedProcedures, TestsResetEverySharedVariable) {
    const auto read = [](const std::string& file) {
        std::ifstream in(std::string(QUENLIS_SOURCE_DIR) + "/" + file);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    const auto body = [](const std::string& text, const std::string& head) {
        const std::size_t at = text.find(head);
        return at == std::string::npos ? std::string() : text.substr(at, text.find("\n}\n", at) - at);
    };
    const std::string support = read("tests/app/app_test_support.h");
    const std::string resets = body(support, "inline void resetShared()") + body(support, "inline void useProgramFolder(");
    static const std::regex variable(R"(^inline\s+[^(;]*?\b(\w+)\s*(=[^;]*)?;)");
    std::istringstream header(read("app/shared/mdlPublic.h"));
    int variables = 0;
    for (std::string line; std::getline(header, line);) {
        std::smatch m;
        if (!std::regex_search(line, m, variable)) continue;
        ++variables;
        EXPECT_TRUE(std::regex_search(resets, std::regex("\\b" + m[1].str() + " =")))
            << m[1] << " is not set back between tests";
    }
    EXPECT_GT(variables, 15);
}

}  // namespace
