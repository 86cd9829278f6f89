// The catalogue tool refuses a source row that breaks a rule, names it, and writes nothing.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

const char* const kGoodParts =
    "# header\n"
    "0 | Chip Ferrite Bead (KSV series) | KSV1608 | 600 ohm | 600 ohm, 300 mA | KSV1608S601 | KS18S601 | wide | "
    "R 10 21 0.3; L 21 50 1.1u; R 21 50 870; C 21 50 0.4p\n"
    "1 | Chip TESSOR (QTA :Capacitor type) | QTA1608 | 100 pF |  | QTA18C101 |  | wide | "
    "L 10 41 0.25n; L 41 50 0.25n; R 41 42 0.08; L 42 43 0.12n; C 43 0 100p\n"
    "1 | Chip TESSOR (QTA :Capacitor type) | Damping | 22 ohm |  | R(22ohm) | R(22ohm) | chart | R 10 50 22\n"
    "2 | Chip Capacitor (JX series) | JX1005 | 2.2 pF |  | JX15C2R2 |  | chart | R 10 31 0.6; L 31 32 0.4n; C 32 0 2.2p\n"
    "3 | Chip Common Mode Choke Coil (WQ series) | WQ2012 | 90 ohm | 90 ohm | WQ2012S900 | YZ2012-900 | wide | "
    "R 300 310 0.3; R 400 410 0.3; K 310 500 410 600 0.3u 0.3u 0.99; C 310 500 0.3p; C 410 600 0.3p\n";

const char* const kGoodIcs =
    "0 | CMOS | 74HC04 | 5 | R 1 2 45; L 2 10 5n; C 10 0 4p\n"
    "1 | CMOS | 74HC04 | 5 | L 1 2 5n; R 2 3 5; C 3 10 3.5p; R 2 10 1M\n";

class Mkcatalog : public ::testing::Test {
protected:

    // Runs the tool; returns its exit status and leaves its messages in errors_.
    int run(const std::string& parts, const std::string& ics) {
        std::ofstream(dir_ / "parts.txt") << parts;
        std::ofstream(dir_ / "ics.txt") << ics;
        const fs::path tool = fs::path(std::getenv("QUENLIS_OUT_DIR")) / ".." / "tools" / "mkcatalog";
        const std::string command = tool.string() + " " + (dir_ / "parts.txt").string() + " " + (dir_ / "ics.txt").string() +
                                    " " + (dir_ / "out").string() + " >/dev/null 2>" + (dir_ / "err.txt").string();
        const int status = std::system(command.c_str());
        std::ifstream in(dir_ / "err.txt");
        std::ostringstream s;
        s << in.rdbuf();
        errors_ = s.str();
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    QTemporaryDir folder_;
    const fs::path dir_ = folder_.path().toStdString();
    std::string errors_;
};

TEST_F(Mkcatalog, WritesAValidCatalogue) {
    ASSERT_EQ(run(kGoodParts, kGoodIcs), 0) << errors_;
    EXPECT_EQ(fs::file_size(dir_ / "out" / "filter.dat"), 5u * 3678);
    EXPECT_EQ(fs::file_size(dir_ / "out" / "ic.dat"), 2u * 58);
}

struct BrokenRow {
    const char* rule;
    const char* find;     // text of the good sources to replace
    const char* replace;
    const char* named;    // what the message must name
};

void PrintTo(const BrokenRow& b, std::ostream* os) { *os << b.rule; }

class MkcatalogRefuses : public Mkcatalog, public ::testing::WithParamInterface<BrokenRow> {};

TEST_P(MkcatalogRefuses, NamingTheRow) {
    const BrokenRow& b = GetParam();
    std::string parts = kGoodParts, ics = kGoodIcs;
    std::string& target = parts.find(b.find) != std::string::npos ? parts : ics;
    const auto at = target.find(b.find);
    ASSERT_NE(at, std::string::npos) << b.rule;
    target.replace(at, std::string(b.find).size(), b.replace);

    EXPECT_EQ(run(parts, ics), 1) << b.rule;
    EXPECT_NE(errors_.find(b.named), std::string::npos) << b.rule << ": " << errors_;
    EXPECT_FALSE(fs::exists(dir_ / "out" / "filtere.idx")) << "nothing is written when a row is refused";
}

INSTANTIATE_TEST_SUITE_P(
    Rules, MkcatalogRefuses,
    ::testing::Values(
        BrokenRow{"lower case number", "KSV1608S601 |", "KSV1608s601 |", "parts.txt:2"},
        BrokenRow{"wrong prefix", "| JX15C2R2 |", "| QX15C2R2 |", "parts.txt:5"},
        BrokenRow{"previous number of another series", "YZ2012-900", "KS2012-900", "WQ2012S900"},
        BrokenRow{"PB ending", "QTA18C101 |", "QTA18C101PB |", "parts.txt:3"},
        BrokenRow{"blank in a number", "QTA18C101 |", "QTA 18C101 |", "parts.txt:3"},
        BrokenRow{"resistor letters in upper case", "| R(22ohm) | R(22ohm)", "| R(22OHM) | R(22ohm)", "parts.txt:4"},
        BrokenRow{"stored zero", "R 10 50 22", "R 10 50 0", "R(22ohm)"},
        BrokenRow{"bead node of another block", "C 21 50 0.4p", "C 31 50 0.4p", "KSV1608S601"},
        BrokenRow{"chip capacitor on node 50", "C 32 0 2.2p", "C 32 50 2.2p", "JX15C2R2"},
        BrokenRow{"floating node", "L 42 43 0.12n; C 43 0 100p", "L 42 43 0.12n; C 44 0 100p", "QTA18C101"},
        BrokenRow{"coupling of 1", "0.3u 0.3u 0.99", "0.3u 0.3u 1", "WQ2012S900"},
        BrokenRow{"tertiary without a leading number", "| 600 ohm |", "| ohm 600 |", "KSV1608S601"},
        BrokenRow{"bead without a note", "| 600 ohm, 300 mA |", "|  |", "KSV1608S601"},
        BrokenRow{"category of another type", "2 | Chip Capacitor", "1 | Chip Capacitor", "JX15C2R2"},
        BrokenRow{"quote in a text", "| QTA1608 |", "| QTA\"1608 |", "QTA18C101"},
        BrokenRow{"duplicate number", "| JX15C2R2 |", "| QTA18C101 |", "parts.txt:5"},
        BrokenRow{"driver after receiver", "R 2 10 1M\n", "R 2 10 1M\n0 | CMOS | 74HCU04 | 5 | R 1 10 45\n", "ics.txt:3"},
        BrokenRow{"receiver grounded at node 0", "R 2 10 1M", "R 2 0 1M", "ics.txt:2"},
        BrokenRow{"receiver with node 10 first", "C 3 10 3.5p", "C 10 3 3.5p", "ics.txt:2"},
        BrokenRow{"loss below the chart's axis", "R 10 31 0.6; L 31 32 0.4n; C 32 0 2.2p", "R 10 31 1u; L 31 32 1p; C 32 0 10u",
                  "JX15C2R2"},
        BrokenRow{"malformed row", "| wide | R 10 21", "| R 10 21", "parts.txt:2"}),
    // Named after the rule: "lower case number" is lower_case_number.
    [](const ::testing::TestParamInfo<BrokenRow>& info) {
        std::string name = info.param.rule;
        std::replace_if(name.begin(), name.end(), [](unsigned char c) { return !std::isalnum(c); }, '_');
        return name;
    });

TEST_F(Mkcatalog, RefusesTenPartsInOneChartGroup) {
    std::string parts = kGoodParts;
    for (int i = 1; i <= 9; ++i) {
        parts += "2 | Chip Capacitor (JX series) | JX1005 | 2.2 pF |  | JX15C2R2V" + std::to_string(i) +
                 " |  | chart | R 10 31 0.6; L 31 32 0.4n; C 32 0 2.2p\n";
    }
    EXPECT_EQ(run(parts, kGoodIcs), 1);
    EXPECT_NE(errors_.find("JX15C2R2V9"), std::string::npos) << errors_;
}

}  // namespace
