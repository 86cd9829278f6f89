#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>

#include "app/shared/string_table.h"

namespace {

std::string text(int id) {
    for (const app::StringEntry& e : app::stringTable())
        if (e.id == id) return std::string(e.text);
    return "<missing " + std::to_string(id) + ">";
}

// Every id that a caption, menu or message of the program names, read from the sources of app/
// (the table's own aside): each number of the table's range, but those of lines that place or size
// something, and the ids a loop counts from a first one ("6204 + i" in a loop of four).
std::set<int> quotedIds() {
    namespace fs = std::filesystem;
    static const std::regex number(R"(\b(\w+)(?=\s*\+\s*(\w+)|))");
    static const std::regex measure(R"(Move\(|Size\(|set(Width|Height|X2|Y2)\(|Button\(|PictureBox|(Width|Height|Top|left|bottom)(\[\d*\])?\s*=|Kind\b)");
    static const std::regex loop(R"(for \(int (\w+) = (\d+); \1 (<=?) (\d+);)");
    static const std::regex inRange(R"(5\d{3}|6\d{3}|70\d{2})");
    static const std::regex constant(R"(constexpr int (\w+) = (\d{4});)");
    std::set<int> ids;
    for (const auto& entry : fs::recursive_directory_iterator(fs::path(QUENLIS_SOURCE_DIR) / "app")) {
        const fs::path file = entry.path();
        if ((file.extension() != ".h" && file.extension() != ".cpp") || file.stem() == "string_table") continue;
        std::map<std::string, std::pair<int, int>> loops;  // a loop variable's first and last value
        std::map<std::string, int> constants;
        std::ifstream in(file);
        std::smatch m;
        for (std::string line; std::getline(in, line);) {
            line = line.substr(0, line.find("//"));
            if (std::regex_search(line, m, measure)) continue;
            if (std::regex_search(line, m, loop)) loops[m[1]] = {std::stoi(m[2]), std::stoi(m[4]) - (m[3] == "<")};
            if (std::regex_search(line, m, constant)) constants[m[1]] = std::stoi(m[2]);
            for (std::sregex_iterator i(line.begin(), line.end(), number), e; i != e; ++i) {
                const std::string first = (*i)[1], step = (*i)[2];
                const bool literal = std::regex_match(first, inRange);
                if (!literal && !(step.size() && constants.count(first))) continue;
                const int id = literal ? std::stoi(first) : constants[first];
                if (step.empty()) {
                    ids.insert(id);
                } else if (!loops.count(step)) {
                    ADD_FAILURE() << file << ": " << first << " + " << step << " counts ids by no loop read";
                } else {
                    for (int k = loops[step].first; k <= loops[step].second; ++k) ids.insert(id + k);
                }
            }
        }
    }
    return ids;
}

TEST(StringTable, EveryQuotedIdIsPresentOnceAndInRange) {
    const auto table = app::stringTable();
    const std::set<int> quoted = quotedIds();
    EXPECT_GT(quoted.size(), 250u);  // the reader reads
    for (int id : quoted)
        EXPECT_EQ(std::count_if(table.begin(), table.end(), [id](const auto& e) { return e.id == id; }), 1) << id;
    EXPECT_TRUE(std::is_sorted(table.begin(), table.end(), [](const auto& a, const auto& b) { return a.id < b.id; }));
    for (const app::StringEntry& e : table) {
        EXPECT_GE(e.id, 5000);
        EXPECT_LE(e.id, 7099);
        EXPECT_FALSE(e.text.empty()) << e.id;
    }
}

TEST(StringTable, TextsOfEachArea) {
    EXPECT_EQ(text(5100), "Quenlis");
    EXPECT_EQ(text(5900), "Quenlis");
    EXPECT_EQ(text(5000), "&File");
    EXPECT_EQ(text(5012), "E&xit");
    EXPECT_EQ(text(5027), "&About...");
    EXPECT_EQ(text(5283), "You can't simulate any more.");
    EXPECT_EQ(text(5284), "Please reboot this software.");
    EXPECT_EQ(text(5625), "Input Signal Frequency=");
    EXPECT_EQ(text(5710), "Set Time of the Voltage-Waveform from 1 to ");  // a number follows
    EXPECT_EQ(text(5713), "Set Voltage Range of Voltage-Waveform form -10 to 20[V]");
    EXPECT_EQ(text(6101), "BT Epoxy Blends (K=4.1)");
    EXPECT_EQ(text(6102), "Composite (glass core) (K=4.4)");
    EXPECT_EQ(text(6103), "Composite (paper core) (K=4.3)");
    EXPECT_EQ(text(6104), "Epoxy-glass (K=4.6)");
    EXPECT_EQ(text(6105), "Polyimide-glass (K=4.4)");
    EXPECT_EQ(text(6106), "Epoxy-paper (K=4.0)");
    EXPECT_EQ(text(6107), "Phenolic-paper (K=4.7)");
    EXPECT_EQ(text(6210), "Disable automatic display of this dialog box from the next startup.");
    EXPECT_EQ(text(6610), "Simulation");
    EXPECT_EQ(text(6611), "Circuit");
    EXPECT_EQ(text(6671), "&Close all Chart Windows");
    EXPECT_EQ(text(6908), "Voltage-Waveform(Measuring Point)");
    EXPECT_EQ(text(7013), "Max[V] must be larger than Min[V].");
}

}  // namespace
