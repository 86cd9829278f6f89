#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "app/shared/string_table.h"

namespace {

std::string text(int id) {
    for (const app::StringEntry& e : app::stringTable())
        if (e.id == id) return std::string(e.text);
    return "<missing " + std::to_string(id) + ">";
}

// Every id that a caption, menu or message of the program names.
constexpr int kQuotedIds[] = {
    5000, 5008, 5010, 5012, 5018, 5024, 5025, 5027, 5060, 5061, 5062, 5063, 5064, 5065,
    5066, 5067, 5068, 5069, 5070, 5071, 5072, 5073, 5074, 5075, 5076, 5080, 5081, 5082,
    5083, 5084, 5086, 5087, 5088, 5089, 5090, 5091, 5092, 5093, 5094, 5100, 5202, 5210,
    5211, 5212, 5214, 5215, 5216, 5217, 5218, 5219, 5221, 5222, 5223, 5224, 5225, 5232,
    5234, 5235, 5241, 5242, 5243, 5251, 5252, 5253, 5254, 5255, 5256, 5257, 5258, 5259,
    5270, 5280, 5281, 5282, 5283, 5284, 5285, 5287, 5289, 5290, 5291, 5292, 5293, 5294,
    5295, 5296, 5297, 5300, 5301, 5302, 5303, 5305, 5306, 5307, 5308, 5309, 5310, 5311,
    5312, 5313, 5314, 5320, 5321, 5322, 5323, 5400, 5401, 5402, 5403, 5404, 5601, 5602,
    5603, 5604, 5605, 5625, 5630, 5631, 5632, 5633, 5700, 5701, 5702, 5710, 5711, 5712,
    5713, 5714, 5800, 5801, 5802, 5803, 5804, 5810, 5811, 5820, 5821, 5840, 5841, 5842,
    5843, 5844, 5845, 5846, 5847, 5848, 5849, 5850, 5851, 5862, 5863, 5864, 5865, 5866,
    5867, 5868, 5869, 5870, 5871, 5872, 5900, 5901, 6001, 6003, 6101, 6102, 6103, 6104,
    6105, 6106, 6107, 6200, 6201, 6202, 6203, 6204, 6205, 6206, 6207, 6210, 6300, 6301,
    6302, 6306, 6400, 6601, 6602, 6603, 6610, 6611, 6612, 6613, 6615, 6617, 6619, 6620,
    6621, 6622, 6623, 6624, 6625, 6626, 6640, 6641, 6650, 6651, 6652, 6653, 6654, 6655,
    6656, 6657, 6658, 6659, 6660, 6661, 6662, 6663, 6664, 6665, 6670, 6671, 6680, 6681,
    6684, 6685, 6686, 6901, 6902, 6903, 6904, 6905, 6906, 6907, 6908, 6909, 6910, 7000,
    7001, 7002, 7010, 7011, 7012, 7013, 7014,
};

TEST(StringTable, EveryQuotedIdIsPresentOnceAndInRange) {
    const auto table = app::stringTable();
    for (int id : kQuotedIds)
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
