#include "catalog.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <limits>
#include <map>
#include <set>
#include <sstream>
#include <system_error>
#include <utility>

namespace mkcatalog {

namespace {

using app::CurvePoints;
using app::FilterRecordLength;
using app::IcRecordLength;
constexpr std::size_t MaxParts = app::MaxFilters;
constexpr std::size_t MaxIcs = app::MaxIcs;
constexpr int MaxGroup = 9;        // the part chart has nine colours
constexpr double MaxChartLossDb = 100;  // bottom of the part chart's loss axis
constexpr int MaxTwoTerminal = app::FilterElementCount;
constexpr int MaxCoupled = app::FilterTransElementCount;
constexpr std::size_t MaxIcElements = app::IcElementCount;

[[noreturn]] void refuse(const std::string& where, const std::string& who, const std::string& why) {
    throw RowError(where + (who.empty() ? "" : " (" + who + ")") + ": " + why);
}

std::string trim(const std::string& s) {
    const auto b = s.find_first_not_of(" \t\r");
    if (b == std::string::npos) return {};
    const auto e = s.find_last_not_of(" \t\r");
    return s.substr(b, e - b + 1);
}

std::vector<std::string> split(const std::string& s, char sep) {
    std::vector<std::string> out;
    std::string field;
    std::istringstream in(s);
    while (std::getline(in, field, sep)) out.push_back(trim(field));
    if (!s.empty() && s.back() == sep) out.emplace_back();
    return out;
}

// "2.2n", "0.35p", "600", "1e-9": a number with an optional engineering suffix.
bool parseValue(const std::string& text, double& value) {
    if (text.empty()) return false;
    double scale = 1;
    std::string digits = text;
    static const std::map<char, double> suffixes = {{'f', 1e-15}, {'p', 1e-12}, {'n', 1e-9}, {'u', 1e-6},
                                                    {'m', 1e-3},  {'k', 1e3},   {'M', 1e6},  {'G', 1e9}};
    if (const auto it = suffixes.find(text.back()); it != suffixes.end()) {
        scale = it->second;
        digits.pop_back();
    }
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (ec != std::errc() || end != digits.data() + digits.size()) return false;
    value *= scale;
    return true;
}

bool parseInt(const std::string& text, int& value) {
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size() && !text.empty();
}

// "R 10 21 0.15; L 21 50 1.2u; K 310 500 410 600 1u 1u 0.995"
std::vector<Element> parseModel(const std::string& text, const std::string& where, const std::string& who) {
    std::vector<Element> model;
    for (const std::string& item : split(text, ';')) {
        if (item.empty()) continue;
        std::istringstream in(item);
        std::vector<std::string> words;
        for (std::string w; in >> w;) words.push_back(w);
        Element e;
        const std::string& kind = words[0];
        if (kind != "R" && kind != "C" && kind != "L" && kind != "K") refuse(where, who, "unknown element '" + item + "'");
        e.kind = kind[0];
        const auto nodeCount = static_cast<std::size_t>(terminalCount(e));
        const std::size_t valueCount = e.kind == 'K' ? 3 : 1;
        if (words.size() != 1 + nodeCount + valueCount) refuse(where, who, "element '" + item + "' has the wrong number of fields");
        for (std::size_t i = 0; i < nodeCount; ++i) {
            if (!parseInt(words[1 + i], e.nodes[i])) refuse(where, who, "bad node in '" + item + "'");
        }
        std::array<double, 3> values{};
        for (std::size_t i = 0; i < valueCount; ++i) {
            if (!parseValue(words[1 + nodeCount + i], values[i])) refuse(where, who, "bad value in '" + item + "'");
        }
        if (e.kind == 'K') {
            e.L1 = values[0], e.L2 = values[1], e.k = values[2];
        } else {
            e.value = values[0];
        }
        model.push_back(e);
    }
    return model;
}

template <typename Row, typename Fill>
std::vector<Row> parseRows(const std::string& text, const std::string& fileName, std::size_t fieldCount, Fill fill) {
    std::vector<Row> rows;
    std::istringstream in(text);
    int lineNo = 0;
    for (std::string line; std::getline(in, line);) {
        ++lineNo;
        const std::string t = trim(line);
        if (t.empty() || t[0] == '#') continue;
        const std::string where = fileName + ":" + std::to_string(lineNo);
        const std::vector<std::string> f = split(t, '|');
        if (f.size() != fieldCount) {
            refuse(where, "", "expected " + std::to_string(fieldCount) + " fields separated by '|', found " +
                                  std::to_string(f.size()));
        }
        Row row;
        row.where = where;
        fill(row, f);
        rows.push_back(std::move(row));
    }
    return rows;
}

// Text that goes into a quoted index field: printable ASCII without the quote itself.
void checkText(const std::string& text, const std::string& where, const std::string& who, const std::string& field) {
    for (const unsigned char c : text) {
        if (c < 32 || c > 126) refuse(where, who, field + " holds a character outside printable ASCII");
        if (c == '"') refuse(where, who, field + " holds a double quote");
    }
}

std::vector<std::string> prefixesOf(const std::string& series) {
    if (series == "KSV") return {"KS"};
    if (series == "QTA") return {"QT", "R("};
    if (series == "JX") return {"JX"};
    return {"WQ", "YZ"};
}

void checkPartNumber(const std::string& number, const std::string& series, const PartRow& row, const std::string& field) {
    checkText(number, row.where, row.globalNum, field);
    if (number.find(' ') != std::string::npos) refuse(row.where, row.globalNum, field + " holds a blank");
    // The program normalises a typed number before it looks for it.
    if (app::normalisePartnum(number) != number) {
        refuse(row.where, row.globalNum,
               field + " '" + number + "' cannot be found as stored (upper case, 'ohm'-style lower case only in "
                       "characters 5 to 7 of an R( number, no PT or PB ending)");
    }
    const auto prefixes = prefixesOf(series);
    const bool ok = std::any_of(prefixes.begin(), prefixes.end(), [&](const std::string& p) { return number.starts_with(p); });
    if (!ok) refuse(row.where, row.globalNum, field + " '" + number + "' does not begin with a prefix of series " + series);
}

// Texts the part chooser sorts by the number before the first blank.
bool beginsWithNumberAndBlank(const std::string& text) {
    const auto blank = text.find(' ');
    if (blank == std::string::npos || blank == 0) return false;
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + blank, value);
    return ec == std::errc() && end == text.data() + blank && std::isfinite(value) &&
           std::fabs(value) < std::numeric_limits<float>::max();
}

struct NodePlan {
    std::set<int> terminals;  // nodes the circuit that uses the part connects to
    std::vector<std::pair<int, int>> internal;  // ranges of the part's own nodes
};

// Nodes the netlist writers connect to each series, and the node ranges left to the part's own
// use. The ranges keep the blocks of every circuit apart: a bead's 21-29 moved by 40 lands on
// 61-69, clear of a capacitor filter's 41-49 beside it, of a chip capacitor's 31-39 in the
// bead-and-capacitor circuit, and of the receiver's nodes at 50-58, 60-68, 90-98 and 100-108.
NodePlan nodePlanOf(const std::string& series) {
    if (series == "KSV") return {{10, 50}, {{21, 29}}};
    if (series == "QTA") return {{0, 10, 50}, {{41, 49}}};
    if (series == "JX") return {{0, 10}, {{31, 39}}};
    return {{300, 400, 500, 600}, {{310, 319}, {410, 419}, {510, 519}, {610, 619}}};
}

// Ground is 0 and always a terminal of the circuit when a model touches it.
class Connectivity {
public:
    int find(int n) {
        auto it = parent_.find(n);
        if (it == parent_.end()) return parent_[n] = n;
        if (it->second == n) return n;
        return it->second = find(it->second);
    }
    void join(int a, int b) { parent_[find(a)] = find(b); }
    bool joined(int a, int b) { return find(a) == find(b); }

private:
    std::map<int, int> parent_;
};

std::set<int> nodesOf(const std::vector<Element>& model) {
    std::set<int> nodes;
    for (const auto& e : model) {
        for (int t = 0; t < terminalCount(e); ++t) nodes.insert(e.nodes[t]);
    }
    return nodes;
}

Connectivity connect(const std::vector<Element>& model) {
    Connectivity c;
    for (const auto& e : model) {
        c.join(e.nodes[0], e.nodes[1]);
        if (e.kind == 'K') c.join(e.nodes[2], e.nodes[3]);
    }
    return c;
}

// Values must survive the single-precision store as positive normal numbers: 0 would be read
// back as 1E-06 by the program.
void checkValue(double v, const std::string& where, const std::string& who, const std::string& what) {
    if (!std::isfinite(v) || v <= 0 || v > std::numeric_limits<float>::max() ||
        !std::isnormal(static_cast<float>(v))) {
        refuse(where, who, what + " must be a positive single-precision value");
    }
}

void validateModel(const PartRow& row, const std::string& series) {
    const auto& model = row.model;
    const int twoTerminal = static_cast<int>(std::count_if(model.begin(), model.end(), [](const Element& e) { return e.kind != 'K'; }));
    const int coupled = static_cast<int>(model.size()) - twoTerminal;
    if (twoTerminal == 0 && coupled == 0) refuse(row.where, row.globalNum, "model has no element");
    if (twoTerminal > MaxTwoTerminal) refuse(row.where, row.globalNum, "more than 35 two-terminal elements");
    if (coupled > MaxCoupled) refuse(row.where, row.globalNum, "more than 5 coupled-inductor elements");
    if ((series == "WQ") != (coupled > 0)) {
        refuse(row.where, row.globalNum, series == "WQ" ? "a choke needs coupled windings" : "only chokes have coupled windings");
    }

    for (const auto& e : model) {
        if (e.kind == 'K') {
            checkValue(e.L1, row.where, row.globalNum, "L1");
            checkValue(e.L2, row.where, row.globalNum, "L2");
            if (!(e.k > 0 && e.k < 1)) refuse(row.where, row.globalNum, "coupling k must lie between 0 and 1");
            if (static_cast<float>(e.k) >= 1.0f) refuse(row.where, row.globalNum, "coupling k rounds to 1 in single precision");
        } else {
            checkValue(e.value, row.where, row.globalNum, std::string(1, e.kind) + " value");
        }
        for (int t = 0; t < terminalCount(e); ++t) {
            if (e.nodes[t] < -32768 || e.nodes[t] > 32767) refuse(row.where, row.globalNum, "node number beyond 16 bits");
        }
        if (e.nodes[0] == e.nodes[1] || (e.kind == 'K' && e.nodes[2] == e.nodes[3])) {
            refuse(row.where, row.globalNum, "an element shorts a node to itself");
        }
    }

    const NodePlan plan = nodePlanOf(series);
    const std::set<int> nodes = nodesOf(model);
    for (const int n : nodes) {
        const bool terminal = plan.terminals.count(n) > 0;
        const bool internal = std::any_of(plan.internal.begin(), plan.internal.end(),
                                          [n](const auto& r) { return n >= r.first && n <= r.second; });
        if (!terminal && !internal) {
            refuse(row.where, row.globalNum, "node " + std::to_string(n) + " is outside the nodes of series " + series);
        }
    }
    Connectivity c = connect(model);
    std::vector<std::pair<int, int>> paths;  // terminals that must be joined
    if (series == "KSV" || series == "QTA") paths = {{10, 50}};
    if (series == "JX") paths = {{10, 0}};
    if (series == "WQ") paths = {{300, 500}, {400, 600}};
    for (const auto& [a, b] : paths) {
        if (!nodes.count(a) || !nodes.count(b) || !c.joined(a, b)) {
            refuse(row.where, row.globalNum, "no path from node " + std::to_string(a) + " to node " + std::to_string(b));
        }
    }
    for (const int n : nodes) {
        const bool reached = std::any_of(paths.begin(), paths.end(), [&](const auto& p) { return c.joined(n, p.first); });
        if (!reached) refuse(row.where, row.globalNum, "node " + std::to_string(n) + " hangs apart from the part's terminals");
    }
}

const std::set<std::string>& filterCategories() {
    static const std::set<std::string> names = {
        "Chip TESSOR (QTA :Capacitor type)", "Chip TESSOR (QTB :LC combined T type)",
        "Chip TESSOR (QTC :LC combined pi type)", "Chip TESSOR (QTD :RC combined T type)",
        "Chip TESSOR (QTE :LC combined pi type)"};
    return names;
}

int partTypeOfSeries(const std::string& series) {
    if (series == "KSV") return 0;
    if (series == "QTA") return 1;
    if (series == "JX") return 2;
    return 3;
}

void putInt16(std::vector<std::uint8_t>& out, int v) {
    const auto u = static_cast<std::uint16_t>(static_cast<std::int16_t>(v));
    out.push_back(static_cast<std::uint8_t>(u & 0xFF));
    out.push_back(static_cast<std::uint8_t>(u >> 8));
}

void putSingle(std::vector<std::uint8_t>& out, double v) {
    const auto u = std::bit_cast<std::uint32_t>(static_cast<float>(v));
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>((u >> (8 * i)) & 0xFF));
}

std::string quoted(const std::string& s) { return "\"" + s + "\""; }

std::string shortest(float v) {
    char buf[32];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, end);
}

}  // namespace

std::string seriesOfCategory(const std::string& primary) {
    if (primary == "Chip Ferrite Bead (KSV series)") return "KSV";
    if (primary.starts_with("Chip TESSOR (QT")) return "QTA";
    if (primary.starts_with("Chip Capacitor (JX")) return "JX";
    if (primary.starts_with("Chip Common Mode Choke Coil")) return "WQ";
    return {};
}

std::vector<PartRow> parsePartRows(const std::string& text, const std::string& fileName) {
    return parseRows<PartRow>(text, fileName, 9, [](PartRow& row, const std::vector<std::string>& f) {
        if (!parseInt(f[0], row.partType)) refuse(row.where, f[5], "part type is not a whole number");
        row.primary = f[1], row.secondary = f[2], row.tertiary = f[3], row.note = f[4];
        row.globalNum = f[5], row.prevNum = f[6], row.grid = f[7];
        row.model = parseModel(f[8], row.where, row.globalNum);
    });
}

std::vector<IcRow> parseIcRows(const std::string& text, const std::string& fileName) {
    return parseRows<IcRow>(text, fileName, 5, [](IcRow& row, const std::vector<std::string>& f) {
        if (!parseInt(f[0], row.kind)) refuse(row.where, f[2], "kind is not a whole number");
        row.family = f[1], row.name = f[2];
        double v = 0;
        if (!parseValue(f[3], v)) refuse(row.where, row.name, "voltage is not a number");
        row.voltage = static_cast<float>(v);
        row.model = parseModel(f[4], row.where, row.name);
    });
}

void validateParts(const std::vector<PartRow>& parts) {
    if (parts.size() > MaxParts) throw RowError("more than " + std::to_string(MaxParts) + " parts: the program reads no more");
    std::map<std::string, std::string> globalSeen, prevSeen;
    std::map<std::vector<std::string>, int> groups, qtSecondaries;
    for (const PartRow& row : parts) {
        const std::string& who = row.globalNum;
        if (row.globalNum.empty()) refuse(row.where, who, "no global part number");
        const std::string series = seriesOfCategory(row.primary);
        if (series.empty()) refuse(row.where, who, "category '" + row.primary + "' maps to no series");
        if (series == "QTA" && !filterCategories().count(row.primary)) refuse(row.where, who, "unknown filter category");
        if (row.partType != partTypeOfSeries(series)) refuse(row.where, who, "part type does not match the category");
        checkText(row.primary, row.where, who, "primary");
        checkText(row.secondary, row.where, who, "secondary");
        checkText(row.tertiary, row.where, who, "tertiary");
        checkText(row.note, row.where, who, "note");
        if (row.secondary.empty()) refuse(row.where, who, "no secondary classification");
        if (!beginsWithNumberAndBlank(row.tertiary)) refuse(row.where, who, "tertiary must begin with a number and a blank");
        if ((row.partType == 0 || row.partType == 3) && row.note.empty()) refuse(row.where, who, "beads and chokes need a note");
        checkPartNumber(row.globalNum, series, row, "global number");
        if (!row.prevNum.empty()) checkPartNumber(row.prevNum, series, row, "previous number");
        if (row.globalNum.starts_with("R(") != row.prevNum.starts_with("R(") && !row.prevNum.empty()) {
            refuse(row.where, who, "a resistor's two numbers must both begin with R(");
        }
        if (!globalSeen.emplace(row.globalNum, row.where).second) {
            refuse(row.where, who, "global number already used at " + globalSeen[row.globalNum]);
        }
        if (!row.prevNum.empty() && !prevSeen.emplace(row.prevNum, row.where).second) {
            refuse(row.where, who, "previous number already used at " + prevSeen[row.prevNum]);
        }
        if (++groups[{row.primary, row.secondary, row.tertiary}] > MaxGroup) refuse(row.where, who, "more than 9 parts in this tertiary group");
        if (series == "QTA" && ++qtSecondaries[{row.primary, row.secondary}] > MaxGroup) {
            refuse(row.where, who, "more than 9 parts in this filter secondary group");
        }
        if (row.grid != "wide" && row.grid != "chart") refuse(row.where, who, "grid must be 'wide' or 'chart'");
        validateModel(row, series);
        Curves curves;
        try {
            curves = computeCurves(row);
        } catch (const std::runtime_error& e) {
            refuse(row.where, who, std::string("model cannot be evaluated: ") + e.what());
        }
        // The part chart's loss axis ends at 100 dB between 1 MHz and 1 GHz and does not clip.
        if (row.partType == 1 || row.partType == 2) {
            for (int j = 0; j < CurvePoints; ++j) {
                const auto i = static_cast<std::size_t>(j);
                if (curves.freqMHz[i] >= 1 && curves.freqMHz[i] <= 1000 && curves.block1[i] > MaxChartLossDb)
                    refuse(row.where, who, "insertion loss beyond the chart's 100 dB");
            }
        }
    }
}

void validateIcs(const std::vector<IcRow>& ics) {
    if (ics.size() > MaxIcs) throw RowError("more than " + std::to_string(MaxIcs) + " ICs: the program reads no more");
    bool receiverSeen = false;
    std::set<std::pair<int, std::string>> seen;
    for (const IcRow& row : ics) {
        const std::string& who = row.name;
        if (row.kind != 0 && row.kind != 1) refuse(row.where, who, "kind must be 0 (driver) or 1 (receiver)");
        if (row.kind == 0 && receiverSeen) refuse(row.where, who, "drivers come before receivers");
        receiverSeen = receiverSeen || row.kind == 1;
        checkText(row.family, row.where, who, "family");
        checkText(row.name, row.where, who, "name");
        if (row.family.empty() || row.name.empty()) refuse(row.where, who, "family and name are needed");
        if (!seen.emplace(row.kind, row.name).second) refuse(row.where, who, "this IC is listed twice");
        if (!(row.voltage > 0 && std::isfinite(row.voltage))) refuse(row.where, who, "voltage must be positive");
        if (row.model.empty() || row.model.size() > MaxIcElements) refuse(row.where, who, "an IC has 1 to 5 elements");

        for (const auto& e : row.model) {
            if (e.kind == 'K') refuse(row.where, who, "IC models hold R, C and L only");
            checkValue(e.value, row.where, who, std::string(1, e.kind) + " value");
            for (int t = 0; t < 2; ++t) {
                const int n = e.nodes[t];
                // Drivers: source 1, output 10, own nodes 2-9, ground. Receivers: input 1, own
                // nodes 2-9, and 10 as ground; the writer moves every other node, 0 included.
                const bool ok = row.kind == 0 ? (n >= 0 && n <= 10) : (n >= 1 && n <= 10);
                if (!ok) refuse(row.where, who, "node " + std::to_string(n) + " is outside the IC's nodes");
                if (row.kind == 1 && n == 10 && t == 0) refuse(row.where, who, "a receiver uses node 10 only as second node");
            }
            if (e.nodes[0] == e.nodes[1]) refuse(row.where, who, "an element shorts a node to itself");
        }
        Connectivity c = connect(row.model);
        const std::set<int> nodes = nodesOf(row.model);
        const int far = 10;
        if (!nodes.count(1) || !nodes.count(far) || !c.joined(1, far)) refuse(row.where, who, "no path from node 1 to node 10");
        for (const int n : nodes) {
            if (!c.joined(n, 1) && !(row.kind == 0 && n == 0)) refuse(row.where, who, "node " + std::to_string(n) + " hangs apart");
        }

        // The network must be solvable where the program puts it: a driver fed at node 1 into a
        // load at 10, a receiver fed at 1 with its node 10 on ground.
        NodalSystem s;
        for (const auto& e : row.model) s.add(e);
        if (row.kind == 1) s.tie(10, 0);
        s.addAdmittance(1, 0, 1.0 / 50);
        if (row.kind == 0) s.addAdmittance(10, 0, 1.0 / 50);
        s.inject(1, 1.0 / 50);
        try {
            s.solve(100e6);
        } catch (const std::runtime_error& e) {
            refuse(row.where, who, std::string("model cannot be evaluated: ") + e.what());
        }
    }
}

Curve frequencyGrid(const std::string& grid) {
    Curve f{};
    for (int j = 0; j < CurvePoints; ++j) {
        const double t = j / 200.0;
        // Log-spaced; the ends are set exactly below so that they survive the pow rounding.
        f[static_cast<std::size_t>(j)] = grid == "chart" ? std::pow(10.0, 3 * t) : 0.5 * std::pow(4000.0, t);
    }
    if (grid == "chart") f[0] = 1, f[200] = 1000;
    else f[0] = 0.5, f[200] = 2000;
    return f;
}

Curves computeCurves(const PartRow& part) {
    const std::string series = seriesOfCategory(part.primary);
    Curves c;
    c.freqMHz = frequencyGrid(part.grid);
    for (int j = 0; j < CurvePoints; ++j) {
        const auto i = static_cast<std::size_t>(j);
        // Evaluate at the frequency as stored, so the file's curve and its own axis agree.
        const double f = static_cast<double>(static_cast<float>(c.freqMHz[i])) * 1e6;
        NodalSystem s;
        for (const auto& e : part.model) s.add(e);
        if (series == "KSV") {
            // Impedance between input and output: 1 A into node 10 with node 50 on ground.
            s.tie(50, 0);
            s.inject(10, 1.0);
            const Cx z = s.solve(f).at(10);
            c.block1[i] = std::abs(z), c.block2[i] = z.real(), c.block3[i] = z.imag();
        } else if (series == "WQ") {
            NodalSystem cm = s;  // both lines driven together against both outputs
            cm.tie(400, 300), cm.tie(500, 0), cm.tie(600, 0);
            cm.inject(300, 1.0);
            c.block1[i] = std::abs(cm.solve(f).at(300));
            NodalSystem nm = s;  // one line out, the other back, outputs joined
            nm.tie(500, 0), nm.tie(600, 0);
            nm.inject(300, 1.0), nm.inject(400, -1.0);
            const auto v = nm.solve(f);
            c.block2[i] = std::abs(v.at(300) - v.at(400));
        } else {
            // Insertion loss in a 50 ohm system: 1 V behind 50 ohm gives 0.5 V on the load alone.
            const int out = series == "JX" ? 10 : 50;
            s.addAdmittance(10, 0, 1.0 / 50);
            s.addAdmittance(out, 0, 1.0 / 50);
            s.inject(10, 1.0 / 50);
            c.block1[i] = 20 * std::log10(0.5 / std::abs(s.solve(f).at(out)));
        }
    }
    return c;
}

std::string filterIndexText(const std::vector<PartRow>& parts) {
    std::string out;
    int recNo = 0;
    for (const PartRow& p : parts) {
        out += std::to_string(++recNo) + "," + std::to_string(p.partType) + "," + quoted(p.primary) + "," +
               quoted(p.secondary) + "," + quoted(p.tertiary) + "," + quoted(p.note) + "," + quoted(p.globalNum) + "," +
               quoted(p.prevNum) + "\r\n";
    }
    return out;
}

std::string icIndexText(const std::vector<IcRow>& ics) {
    std::string out;
    for (const IcRow& ic : ics) {
        out += std::to_string(ic.kind) + "," + quoted(ic.family) + "," + quoted(ic.name) + "," + shortest(ic.voltage) + "\r\n";
    }
    return out;
}

std::vector<std::uint8_t> filterData(const std::vector<PartRow>& parts) {
    std::vector<std::uint8_t> out;
    out.reserve(parts.size() * FilterRecordLength);
    for (const PartRow& p : parts) {
        const std::size_t start = out.size();
        putInt16(out, 0);
        int written = 0;
        for (const auto& e : p.model) {
            if (e.kind == 'K') continue;
            putInt16(out, e.kind == 'R' ? 1 : e.kind == 'C' ? 2 : 3);
            putInt16(out, e.nodes[0]);
            putInt16(out, e.nodes[1]);
            putSingle(out, e.value);
            ++written;
        }
        out.resize(out.size() + app::FilterElementBytes * static_cast<std::size_t>(MaxTwoTerminal - written), 0);
        written = 0;
        for (const auto& e : p.model) {
            if (e.kind != 'K') continue;
            putInt16(out, 4);
            for (int t = 0; t < 4; ++t) putInt16(out, e.nodes[t]);
            putSingle(out, e.L1);
            putSingle(out, e.L2);
            putSingle(out, e.k);
            ++written;
        }
        out.resize(out.size() + app::FilterTransElementBytes * static_cast<std::size_t>(MaxCoupled - written), 0);
        const Curves c = computeCurves(p);
        for (const Curve* block : {&c.freqMHz, &c.block1, &c.block2, &c.block3}) {
            for (const double v : *block) putSingle(out, v);
        }
        if (out.size() - start != FilterRecordLength) throw std::logic_error("filter record length");
    }
    return out;
}

std::vector<std::uint8_t> icData(const std::vector<IcRow>& ics) {
    std::vector<std::uint8_t> out;
    for (const IcRow& ic : ics) {
        const std::size_t start = out.size();
        out.resize(out.size() + app::IcHeaderBytes, 0);  // unused by the program
        for (const auto& e : ic.model) {
            putInt16(out, e.kind == 'R' ? 10 : e.kind == 'C' ? 20 : 30);
            putInt16(out, e.nodes[0]);
            putInt16(out, e.nodes[1]);
            putSingle(out, e.value);
        }
        out.resize(start + IcRecordLength, 0);
    }
    return out;
}

}  // namespace mkcatalog
