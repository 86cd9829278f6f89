#include "platform/binding.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/errors.h"
#include "error_of.h"

using namespace platform;

namespace {

const std::string FakeDir = FAKE_ENGINE_DIR;

int simulate(const char* text) {
    std::string netlist(text);
    double time[4] = {}, wave[4] = {}, freq[4] = {}, spectrum[4] = {};
    return Simulate(netlist.data(), time, wave, freq, spectrum) * 100 + static_cast<int>(time[0]);
}

double evenImpedance() {
    double h = 10, w = 0, s = 0, er = 0, ze = 0, ee = 0, zo = 0, eo = 0;
    DualLineImp(&h, &w, &s, &er, &ze, &ee, &zo, &eo);
    return ze;
}

}  // namespace

// A missing library fails every call until one is found; a library lacking an entry fails only
// that entry's calls, each time, and stays bound for the other.
TEST(EngineBinding, MissingLibraryThenMissingEntry) {
    if (engineBound()) GTEST_SKIP() << "library bound by an earlier test in this process";
    setEngineFolder(FakeDir + "/nowhere");
    EXPECT_EQ(errorOf([] { simulate("* netlist"); }), 53);
    EXPECT_EQ(errorOf([] { evenImpedance(); }), 53);
    EXPECT_FALSE(engineBound());

    setEngineFolder(FakeDir + "/partial");
    EXPECT_EQ(simulate("* netlist"), 142);
    EXPECT_EQ(simulate("bad"), 42);
    EXPECT_TRUE(engineBound());
    EXPECT_EQ(errorOf([] { evenImpedance(); }), 453);
    EXPECT_EQ(errorOf([] { evenImpedance(); }), 453);

    // Once loaded the library stays, whatever folder is set later.
    setEngineFolder(FakeDir + "/full");
    EXPECT_EQ(errorOf([] { evenImpedance(); }), 453);
    EXPECT_EQ(simulate("* netlist"), 142);
}

TEST(EngineBinding, RetryAfterMissingLibraryBindsBothEntries) {
    if (engineBound()) GTEST_SKIP() << "library bound by an earlier test in this process";
    setEngineFolder(FakeDir + "/nowhere");
    EXPECT_EQ(errorOf([] { evenImpedance(); }), 53);
    setEngineFolder(FakeDir + "/full");
    EXPECT_DOUBLE_EQ(evenImpedance(), 20);
    EXPECT_EQ(simulate("* netlist"), 142);
}
