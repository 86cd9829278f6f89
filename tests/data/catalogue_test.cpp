// The generated sample catalogue in $QUENLIS_OUT_DIR/data, read back through the program's own
// readers and checked against every rule the forms and netlist writers rely on.
#include "app/shared/data_files.h"
#include "platform/files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct IndexEntry {
    int recNo = 0, partType = 0;
    std::string primary, secondary, tertiary, note, global, prev;
};
struct IcEntry {
    int kind = 0;
    std::string family, name;
    float voltage = 0;
};

std::string env(const char* name) {
    const char* v = std::getenv(name);
    return v ? v : "";
}
std::string dataDir() { return env("QUENLIS_OUT_DIR") + "/data"; }

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<IndexEntry> loadFilterIndex() {
    platform::TextInput in(dataDir() + "/filtere.idx");
    std::vector<IndexEntry> out;
    while (!in.atEnd()) {
        IndexEntry e;
        e.recNo = in.readInteger();
        e.partType = in.readLong();
        e.primary = in.readString(), e.secondary = in.readString(), e.tertiary = in.readString();
        e.note = in.readString(), e.global = in.readString(), e.prev = in.readString();
        out.push_back(e);
    }
    return out;
}

std::vector<IcEntry> loadIcIndex() {
    platform::TextInput in(dataDir() + "/ic.idx");
    std::vector<IcEntry> out;
    while (!in.atEnd()) {
        IcEntry e;
        e.kind = in.readInteger();
        e.family = in.readString(), e.name = in.readString();
        e.voltage = in.readSingle();
        out.push_back(e);
    }
    return out;
}

std::string seriesOf(const std::string& primary) {
    if (primary == "Chip Ferrite Bead (KSV series)") return "KSV";
    if (primary.rfind("Chip TESSOR (QT", 0) == 0) return "QTA";
    if (primary.rfind("Chip Capacitor (JX", 0) == 0) return "JX";
    if (primary.rfind("Chip Common Mode Choke Coil", 0) == 0) return "WQ";
    return "?";
}
std::string seriesOfNumber(const std::string& n) {
    const std::string p = n.substr(0, 2);
    if (p == "KS") return "KSV";
    if (p == "QT" || p == "R(") return "QTA";
    if (p == "JX") return "JX";
    if (p == "WQ" || p == "YZ") return "WQ";
    return "?";
}

double leadingNumber(const std::string& text) {
    const auto blank = text.find(' ');
    EXPECT_NE(blank, std::string::npos) << text;
    EXPECT_GT(blank, 0u) << text;
    std::size_t used = 0;
    const double v = std::stod(text.substr(0, blank), &used);
    EXPECT_EQ(used, blank) << "'" << text << "' does not begin with a number and a blank";
    return v;
}

class Catalogue : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        parts_ = loadFilterIndex();
        ics_ = loadIcIndex();
        for (int r = 1; r <= static_cast<int>(parts_.size()); ++r) records_.push_back(app::readFilterRecord(dataDir(), r));
        for (int r = 1; r <= static_cast<int>(ics_.size()); ++r) icRecords_.push_back(app::readIcRecord(dataDir(), r));
    }
    static std::vector<IndexEntry> parts_;
    static std::vector<IcEntry> ics_;
    static std::vector<app::FilterRecord> records_;
    static std::vector<app::IcRecord> icRecords_;
};
std::vector<IndexEntry> Catalogue::parts_;
std::vector<IcEntry> Catalogue::ics_;
std::vector<app::FilterRecord> Catalogue::records_;
std::vector<app::IcRecord> Catalogue::icRecords_;

TEST_F(Catalogue, IndexFilesRoundTripTheSources) {
    // Every source row comes back field for field through the program's index reader.
    std::istringstream src(readAll(env("QUENLIS_SOURCE_DIR") + "/data/parts.txt"));
    std::size_t i = 0;
    for (std::string line; std::getline(src, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::vector<std::string> f;
        std::istringstream fields(line);
        for (std::string x; std::getline(fields, x, '|');) {
            x.erase(0, x.find_first_not_of(' '));
            x.erase(x.find_last_not_of(' ') + 1);
            f.push_back(x);
        }
        ASSERT_LT(i, parts_.size());
        const IndexEntry& e = parts_[i++];
        EXPECT_EQ(std::to_string(e.partType), f[0]);
        EXPECT_EQ(e.primary, f[1]);
        EXPECT_EQ(e.secondary, f[2]);
        EXPECT_EQ(e.tertiary, f[3]);
        EXPECT_EQ(e.note, f[4]);
        EXPECT_EQ(e.global, f[5]);
        EXPECT_EQ(e.prev, f[6]);
    }
    EXPECT_EQ(i, parts_.size());
    EXPECT_TRUE(std::any_of(parts_.begin(), parts_.end(), [](const IndexEntry& e) { return e.note.find(',') != std::string::npos; }))
        << "the catalogue should exercise a quoted comma";

    for (const std::string name : {"filtere.idx", "ic.idx"}) {
        const std::string text = readAll(dataDir() + "/" + name);
        ASSERT_FALSE(text.empty());
        EXPECT_TRUE(text.ends_with("\r\n"));
        for (std::size_t p = text.find('\n'); p != std::string::npos; p = text.find('\n', p + 1)) {
            ASSERT_GT(p, 0u);
            EXPECT_EQ(text[p - 1], '\r') << name << ": every line ends with CR LF";
        }
        for (std::size_t p = 0; p < text.size(); ++p) {
            EXPECT_TRUE(text[p] == '\r' || text[p] == '\n' || (text[p] >= 32 && text[p] < 127)) << name;
        }
    }
}

TEST_F(Catalogue, SizesAndRecordNumbers) {
    ASSERT_FALSE(parts_.empty());
    EXPECT_LE(parts_.size(), 268u);
    EXPECT_LE(ics_.size(), 30u);
    for (std::size_t i = 0; i < parts_.size(); ++i) EXPECT_EQ(parts_[i].recNo, static_cast<int>(i + 1));
    EXPECT_EQ(readAll(dataDir() + "/filter.dat").size(), 3678 * parts_.size());
    EXPECT_EQ(readAll(dataDir() + "/ic.dat").size(), 58 * ics_.size());
}

TEST_F(Catalogue, ClassificationCoversEveryForm) {
    std::set<std::string> primaries, beadSecondaries, beadTertiaryStarts;
    std::map<std::vector<std::string>, int> tertiaryGroups, qtSecondaries;
    for (const IndexEntry& e : parts_) {
        primaries.insert(e.primary);
        const std::string series = seriesOf(e.primary);
        EXPECT_EQ(e.partType, series == "KSV" ? 0 : series == "QTA" ? 1 : series == "JX" ? 2 : series == "WQ" ? 3 : -1) << e.global;
        EXPECT_FALSE(e.secondary.empty()) << e.global;
        leadingNumber(e.tertiary);
        if (series == "KSV") {
            beadSecondaries.insert(e.secondary);
            beadTertiaryStarts.insert(e.tertiary.substr(0, e.tertiary.find(' ') + 1));
        }
        if (e.partType == 0 || e.partType == 3) {
            EXPECT_FALSE(e.note.empty()) << e.global << " needs a note";
        }
        const int inTertiary = ++tertiaryGroups[{e.primary, e.secondary, e.tertiary}];
        EXPECT_LE(inTertiary, 9) << "too many parts for the chart's colours: " << e.global;
        if (series == "QTA") {
            const int inSecondary = ++qtSecondaries[{e.primary, e.secondary}];
            EXPECT_LE(inSecondary, 9) << e.global;
        }
    }
    for (const char* category : {"Chip Ferrite Bead (KSV series)", "Chip TESSOR (QTA :Capacitor type)",
                                 "Chip TESSOR (QTB :LC combined T type)", "Chip TESSOR (QTC :LC combined pi type)",
                                 "Chip TESSOR (QTD :RC combined T type)", "Chip TESSOR (QTE :LC combined pi type)"}) {
        EXPECT_TRUE(primaries.count(category)) << category;
    }
    EXPECT_TRUE(std::any_of(primaries.begin(), primaries.end(), [](const std::string& p) { return seriesOf(p) == "JX"; }));
    EXPECT_TRUE(std::any_of(primaries.begin(), primaries.end(), [](const std::string& p) { return seriesOf(p) == "WQ"; }));
    EXPECT_GE(beadSecondaries.size(), 2u);
    for (const char* start : {"2.2 ", "10 ", "100 "}) EXPECT_TRUE(beadTertiaryStarts.count(start)) << start;
}

TEST_F(Catalogue, PartNumbersMapToTheirSeries) {
    std::set<std::string> globals, prevs;
    bool withPrev = false, withoutPrev = false, resistor = false, yzChoke = false;
    for (const IndexEntry& e : parts_) {
        const std::string series = seriesOf(e.primary);
        for (const std::string* n : {&e.global, &e.prev}) {
            if (n->empty()) continue;
            EXPECT_EQ(seriesOfNumber(*n), series) << *n;
            // The program normalises a typed number before it looks for it.
            EXPECT_EQ(app::normalisePartnum(*n), *n) << *n << " could never be found as typed";
            EXPECT_EQ(n->find(' '), std::string::npos) << *n;
        }
        EXPECT_FALSE(e.global.empty());
        EXPECT_TRUE(globals.insert(e.global).second) << "duplicate " << e.global;
        if (!e.prev.empty()) {
            EXPECT_TRUE(prevs.insert(e.prev).second) << "duplicate " << e.prev;
        }
        (e.prev.empty() ? withoutPrev : withPrev) = true;
        if (e.global.rfind("R(", 0) == 0) {
            resistor = true;
            EXPECT_TRUE(std::islower(static_cast<unsigned char>(e.global[4]))) << e.global;
        }
        yzChoke = yzChoke || e.prev.rfind("YZ", 0) == 0;
    }
    EXPECT_TRUE(withPrev && withoutPrev && resistor && yzChoke);
}

TEST_F(Catalogue, IcList) {
    std::set<std::string> families, drivers;
    std::set<float> voltages;
    bool receiverSeen = false, hcReceiver = false;
    for (const IcEntry& ic : ics_) {
        if (ic.kind == 0) {
            EXPECT_FALSE(receiverSeen) << "drivers come before receivers: " << ic.name;
            drivers.insert(ic.name);
        } else {
            EXPECT_EQ(ic.kind, 1);
            receiverSeen = true;
            hcReceiver = hcReceiver || (ic.name == "74HC04" && ic.family == "CMOS");
        }
        families.insert(ic.family);
        voltages.insert(ic.voltage);
    }
    for (const char* name : {"74ALS04", "74AS04", "74F04", "74LS04", "74S04", "74AC04", "74HC04", "74LVC04"}) {
        EXPECT_TRUE(drivers.count(name)) << name;
    }
    EXPECT_TRUE(hcReceiver);
    EXPECT_TRUE(families.count("CMOS") && families.count("TTL"));
    EXPECT_GE(families.size(), 3u);
    EXPECT_TRUE(voltages.count(5.0f) && voltages.count(3.3f));
}

// The node numbers each block of a netlist writes, ground left out.
using Nodes = std::set<int>;

Nodes partNodes(const app::FilterRecord& r, int shift) {
    Nodes n;
    for (const auto& e : r.Elements) {
        if (e.kind < 1 || e.kind > 3) continue;
        for (const int x : {e.node1, e.node2}) if (x != 0) n.insert(x + shift);
    }
    for (const auto& t : r.TransElements) {
        if (t.kind == 4) n.insert({t.node1, t.node2, t.node3, t.node4});
    }
    return n;
}

Nodes icNodes(const app::IcRecord& r, bool receiver, int attach) {
    Nodes n;
    for (const auto& e : r.Elements) {
        if (e.kind < 10 || e.kind > 39) continue;
        if (!receiver) {
            for (const int x : {e.node1, e.node2}) if (x != 0) n.insert(x);
        } else {
            n.insert(e.node1 + attach - 1);
            if (e.node2 != 10) n.insert(e.node2 + attach - 1);
        }
    }
    return n;
}

TEST_F(Catalogue, ModelsKeepTheNodeConventions) {
    for (std::size_t i = 0; i < parts_.size(); ++i) {
        const IndexEntry& e = parts_[i];
        const auto& r = records_[i];
        const std::string series = seriesOf(e.primary);
        Nodes all;
        bool ground = false, coupled = false, capacitor = false;
        for (const auto& el : r.Elements) {
            if (el.kind == 0) continue;
            EXPECT_TRUE(el.kind >= 1 && el.kind <= 3) << e.global;
            EXPECT_NE(el.value, 0.0f) << e.global << ": a stored 0 would be read as 1E-06";
            EXPECT_GT(el.value, 0.0f) << e.global;
            all.insert({el.node1, el.node2});
            ground = ground || el.node1 == 0 || el.node2 == 0;
            capacitor = capacitor || el.kind == 2;
        }
        for (const auto& t : r.TransElements) {
            if (t.kind == 0) continue;
            EXPECT_EQ(t.kind, 4);
            coupled = true;
            all.insert({t.node1, t.node2, t.node3, t.node4});
            EXPECT_GE(t.k, 0.95f) << e.global;
            EXPECT_LT(t.k, 1.0f) << e.global;
        }
        if (series == "KSV" || series == "QTA") {
            EXPECT_TRUE(all.count(10) && all.count(50)) << e.global << " runs from 10 to 50";
            EXPECT_FALSE(coupled);
        }
        if (series == "KSV") {
            EXPECT_FALSE(ground) << e.global << ": a bead lies in series";
        }
        if (series == "JX") {
            EXPECT_TRUE(all.count(10) && ground && !all.count(50)) << e.global << " lies between 10 and ground";
        }
        if (series == "WQ") {
            EXPECT_TRUE(coupled && capacitor) << e.global << ": windings with their capacitance";
            for (const int n : {300, 400, 500, 600}) EXPECT_TRUE(all.count(n)) << e.global;
            // Nodes the differential netlist uses besides the choke's four terminals.
            for (const int n : {0, 100, 110, 200, 700, 710, 800}) EXPECT_FALSE(all.count(n)) << e.global;
        }
    }
    for (std::size_t i = 0; i < ics_.size(); ++i) {
        Nodes first, second;
        for (const auto& el : icRecords_[i].Elements) {
            if (el.kind == 0) continue;
            EXPECT_TRUE(el.kind >= 10 && el.kind <= 39);
            EXPECT_GT(el.value, 0.0f);
            first.insert(el.node1), second.insert(el.node2);
        }
        Nodes all = first;
        all.insert(second.begin(), second.end());
        EXPECT_TRUE(all.count(1) && all.count(10)) << ics_[i].name;
        if (ics_[i].kind == 1) {
            EXPECT_FALSE(all.count(0)) << ics_[i].name << ": a receiver's ground is node 10";
            EXPECT_FALSE(first.count(10)) << ics_[i].name << ": node 10 only as second node";
        }
    }
}

TEST_F(Catalogue, NoTwoBlocksOfAnyCircuitShareAnInternalNode) {
    // Every circuit the filter-circuit writer can produce: circuit type, the parts each slot
    // offers, line mode (line or none) and the receiver's attachment node.
    std::vector<const app::FilterRecord*> beads, chipCaps, qtaFilters, singles;
    for (std::size_t i = 0; i < parts_.size(); ++i) {
        const auto& e = parts_[i];
        if (e.partType == 0) beads.push_back(&records_[i]);
        if (e.partType == 2) chipCaps.push_back(&records_[i]);
        if (e.primary == "Chip TESSOR (QTA :Capacitor type)") qtaFilters.push_back(&records_[i]);
        if (e.partType != 3) singles.push_back(&records_[i]);
    }
    Nodes drivers;
    std::vector<const app::IcRecord*> receivers;
    for (std::size_t i = 0; i < ics_.size(); ++i) {
        if (ics_[i].kind == 0) {
            const Nodes n = icNodes(icRecords_[i], false, 0);
            drivers.insert(n.begin(), n.end());
        } else {
            receivers.push_back(&icRecords_[i]);
        }
    }
    auto check = [&](std::vector<Nodes> blocks, const Nodes& junctions, const std::string& what) {
        for (std::size_t a = 0; a < blocks.size(); ++a) {
            for (std::size_t b = a + 1; b < blocks.size(); ++b) {
                for (const int n : blocks[a]) {
                    if (!junctions.count(n)) {
                        EXPECT_FALSE(blocks[b].count(n)) << what << ": node " << n << " in blocks " << a << " and " << b;
                    }
                }
            }
        }
    };
    for (const bool withLine : {true, false}) {
        for (const auto* rx : receivers) {
            auto run = [&](const std::vector<Nodes>& parts, int out, const std::string& what) {
                const int attach = withLine ? out + 10 : out;
                std::vector<Nodes> blocks = {drivers};
                blocks.insert(blocks.end(), parts.begin(), parts.end());
                if (withLine) blocks.push_back({out, out + 10});
                blocks.push_back(icNodes(*rx, true, attach));
                check(blocks, {10, 50, 90, out, attach}, what);
            };
            run({}, 10, "without part");
            for (const auto* p : singles) {
                const bool cap = std::find(chipCaps.begin(), chipCaps.end(), p) != chipCaps.end();
                run({partNodes(*p, 0)}, cap ? 10 : 50, "one part");
            }
            for (const auto* b : beads) {
                for (const auto* c : chipCaps) run({partNodes(*b, 0), partNodes(*c, 0)}, 50, "bead and chip capacitor");
                for (const auto* q : qtaFilters) run({partNodes(*b, 40), partNodes(*q, 0)}, 90, "bead moved by 40 and filter");
            }
        }
    }
}

TEST_F(Catalogue, CurvesArePlausible) {
    for (std::size_t i = 0; i < parts_.size(); ++i) {
        const IndexEntry& e = parts_[i];
        const auto& r = records_[i];
        const std::string series = seriesOf(e.primary);
        const auto f = r.curve(0), b1 = r.curve(1), b2 = r.curve(2), b3 = r.curve(3);
        EXPECT_TRUE((f[0] == 0.5f && f[200] == 2000.0f) || (f[0] == 1.0f && f[200] == 1000.0f)) << e.global;
        for (int j = 1; j < 201; ++j) ASSERT_GT(f[j], f[j - 1]) << e.global;
        auto at = [&](double mhz) {
            int j = 0;
            while (j < 200 && f[j + 1] <= mhz) ++j;
            return b1[j];
        };
        const auto peak = std::max_element(b1.begin(), b1.end()) - b1.begin();
        if (series == "KSV") {
            for (int j = 0; j < 201; ++j) EXPECT_NEAR(b1[j], std::hypot(b2[j], b3[j]), 1e-3 * b1[j] + 1e-4) << e.global;
            if (e.tertiary.ends_with("ohm")) {
                EXPECT_NEAR(at(100), leadingNumber(e.tertiary), 0.1 * leadingNumber(e.tertiary)) << e.global;
            }
            if (e.tertiary == "600 ohm") {
                EXPECT_TRUE(f[peak] > 120 && f[peak] < 600) << e.global << " peaks at " << f[peak];
            }
        } else if (series == "WQ") {
            EXPECT_NEAR(at(100), leadingNumber(e.tertiary), 0.1 * leadingNumber(e.tertiary)) << e.global;
            EXPECT_LT(r.curve(2)[100] * 10, b1[100]) << e.global << ": normal mode far below common mode";
            for (const float v : b3) EXPECT_EQ(v, 0.0f);
        } else {
            for (int j = 0; j < 201; ++j) EXPECT_TRUE(b2[j] == 0 && b3[j] == 0) << e.global;
            // A passive part between 50 ohm ends can pass at most the available power, and the
            // part chart's loss axis ends at 100 dB: a deeper notch would be drawn below it.
            for (const float il : b1) EXPECT_GT(il, -1e-3f) << e.global;
            for (int j = 0; j < 201; ++j) {
                if (f[j] >= 1 && f[j] <= 1000) {
                    EXPECT_LE(b1[j], 100.0f) << e.global << " at " << f[j] << " MHz";
                }
            }
        }
        if (series == "JX" && leadingNumber(e.tertiary) >= 100) {
            // Self-resonance of C with its ESL shows as the largest loss inside the band.
            double C = 0, L = 0;
            for (const auto& el : r.Elements) {
                if (el.kind == 2) C = el.value;
                if (el.kind == 3) L = el.value;
            }
            const double fr = 1 / (2 * M_PI * std::sqrt(L * C)) / 1e6;
            if (fr > f[5] && fr < f[195]) {
                EXPECT_NEAR(f[peak] / fr, 1.0, 0.06) << e.global;
            }
        }
    }
}

}  // namespace
