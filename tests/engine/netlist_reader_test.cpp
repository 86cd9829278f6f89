#include "engine/netlist_reader.h"

#include "engine/circuit.h"
#include "engine/netlist_block.h"
#include "engine/source.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <clocale>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace velmar {
namespace {

struct Reading {
    Circuit circuit;
    std::array<SignalSource, NetlistReader::kSourceSlots> sources;
    std::int32_t sourceCount = -1;
    std::int32_t result = -1;
    std::string output;

    explicit Reading(std::vector<char>& block)
    {
        testing::internal::CaptureStdout();
        result = NetlistReader().Read(block.data(), circuit, sourceCount, sources.data());
        output = testing::internal::GetCapturedStdout();
    }
};

constexpr const char* kPulse = "V 1 PULSE(0 5 1e-9 1e-9 2e-8 5e-8)";

TEST(FieldConversion, LongestPrefixInEveryLocale)
{
    const std::pair<const char*, std::int32_t> ints[] = {
        {"10.5", 10}, {"+7", 7}, {"-0012x", -12}, {"0x10", 0}, {"-2147483648", -2147483647 - 1}};
    for (const auto& [text, expected] : ints) {
        std::int32_t v = 3;
        EXPECT_TRUE(detail::convertInt(text, v) && v == expected) << text;
    }
    const std::pair<const char*, double> reals[] = {
        {"5V", 5.0}, {"1.5e-9", 1.5e-9}, {"1.5E-9", 1.5e-9}, {".5", 0.5}, {"5.", 5.0}, {"1e+", 1.0},
        {"1.2.3", 1.2}, {"-.5e2", -50}, {"1e-400", 0.0}, {"0x1p3", 0.0}};
    for (const auto& [text, expected] : reals) {
        double v = 3;
        EXPECT_TRUE(detail::convertDouble(text, v)) << text;
        EXPECT_DOUBLE_EQ(v, expected) << text;
    }
    std::int32_t i = 3;
    double d = 3;
    for (const char* bad : {"", "abc", "-", "2147483648", "-2147483649"})
        EXPECT_FALSE(detail::convertInt(bad, i)) << bad;
    for (const char* bad : {"", ".", "+.e1", "inf", "nan", "e5", "1e400"})
        EXPECT_FALSE(detail::convertDouble(bad, d)) << bad;
    EXPECT_EQ(i, 3);
    EXPECT_EQ(d, 3);

    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr)
        GTEST_SKIP() << "no locale with a decimal comma installed";
    EXPECT_TRUE(detail::convertDouble("2.75", d));
    std::setlocale(LC_NUMERIC, saved.c_str());
    EXPECT_EQ(d, 2.75);
}

TEST(NetlistStatements, ElementsOfEveryKind)
{
    auto block = makeBlock({"r1 1 2 50", "R 1 2 50", "Rx(1,2,50)", "Rload\t1,2 (50) extra",
                            "Z1 5 6 LINEA(0.05 0.0016 0.003 0 4.5)", "z 6 7 lineb(0.1 50 4)",
                            "F 1 2 3 4 DUAL_LINEA(0.1 0.0005 0.00025 0.00025 4.6)",
                            "F 5 6 7 8 TRANS(1e-6 2e-6 0.9)", "Z 9 0 CUSTOM 2 1e6 10 1", "+ 1e7 20 5",
                            "Z 9 10 ymatrix 2 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18", ".End"});
    Reading r(block);
    EXPECT_EQ(r.result, 1);
    EXPECT_EQ(r.output, "");
    ASSERT_EQ(r.circuit.elementCount(), 10);
    for (int i = 0; i < 4; ++i) {
        const CircuitElement& e = r.circuit.element(i);
        EXPECT_EQ(e.kind, ElementKind::Resistor);
        EXPECT_EQ(e.nodes[1], 2);
        EXPECT_EQ(e.parameters, std::vector<double>{50.0});
    }
    EXPECT_EQ(r.circuit.element(4).kind, ElementKind::Line);
    EXPECT_NEAR(r.circuit.element(5).parameters[1], 0.1 * 2 * 3.335641597318678e-9, 1e-22);
    EXPECT_EQ(r.circuit.element(6).kind, ElementKind::CoupledLine);
    EXPECT_EQ(r.circuit.element(7).parameters, (std::vector<double>{1e-6, 2e-6, 0.9}));
    EXPECT_EQ(r.circuit.element(8).parameters, (std::vector<double>{1e6, 10, 1, 1e7, 20, 5}));
    EXPECT_EQ(r.circuit.element(9).parameters[17], 18.0);
}

TEST(NetlistStatements, PulseDelayComesOnlyFromThePeriodsRecord)
{
    auto split = makeBlock({"V 1 PULSE(0 5 1e-9 1e-9", "* a comment between", "+ 2e-8 5e-8)", ".END"});
    Reading r(split);
    EXPECT_EQ(r.result, 1);
    ASSERT_EQ(r.sourceCount, 1);
    EXPECT_DOUBLE_EQ(r.sources[0].Period(), 5e-8);
    EXPECT_DOUBLE_EQ(r.sources[0].PulseValue(0.5e-9), 2.5);  // no delay

    auto delayed = makeBlock({"V 1 PULSE(0 5 1e-9 1e-9 2e-8 5e-8 1e-8)", "V 2 sin(1 2 1e6)", ".spectrum 50",
                              ".PRINT 3", ".spectrum 0", ".end"});
    Reading d(delayed);
    EXPECT_DOUBLE_EQ(d.sources[0].PulseValue(0.5e-9), 0.0);
    EXPECT_NEAR(d.sources[0].PulseValue(10.5e-9), 2.5, 1e-12);
    EXPECT_DOUBLE_EQ(d.sources[1].Period(), 1e-6);
    EXPECT_EQ(d.sources[1].HarmonicCount(), 100);  // the later ".spectrum 0" restores the default
    EXPECT_EQ(d.circuit.printNode(), 3);

    auto sized = makeBlock({".spectrum 20", kPulse, "R 1 0 50", "V 2 PULSE(0 5 1e-9", ".END"});
    Reading s(sized);
    EXPECT_EQ(s.output, "Error: Data missing: Record No. =4: File = \n");
    EXPECT_EQ(s.circuit.elementCount(), 1);
    EXPECT_EQ(s.sourceCount, 2);  // the failed statement keeps its slot, without a waveform
    EXPECT_FALSE(s.sources[1].IsSet());
    EXPECT_EQ(s.sources[0].HarmonicCount(), 20);
}

// Each block holds one resistor before its failing statement; reading stops there.
TEST(NetlistStatements, FailuresStopReadingWithTheirMessage)
{
    const std::pair<const char*, const char*> cases[] = {
        {"END", "Error: Illegal command = END: Record No. = 2: File = \n"},
        {"Z 7 8 LINEC(1 2 3)", "Error: Illegal name = LINEC: Record No. = 2: File = \n"},
        {"V 1 SQUARE(0 5)", "Error: Illegal signal name = SQUARE: Record No. = 2: File = \n"},
        {"R 1 2", "Error: No data: Record No. = 3: File = \n"},  // followed by "+50"
        {"R 1 2 abc", ""},
        {"R 1 4294967297 50", ""},
        {"V 1 PULSE(0 5 1e-9 1e-9 2e-8 5e-8 soon)", ""},
        {"V 1 PULSE(0 5 1e-9 1e-9 2e-8 0)", "Error: Illegal pulse period = 0: Record No. = 2: File = \n"},
        {"V 1 SIN(0 5 -1)", "Error: Illegal signal frequency = -1: Record No. = 2: File = \n"},
        {"Z 1 0 custom 1 1e6 10 1", "Error: Too few table rows = 1: Record No. = 2: File = \n"},
        {"Z 1 0 ymatrix 2000000000 1 2 3", "Error: No data: Record No. = 3: File = \n"},
        {".spectrum 10001", "Error: Too many harmonics = 10001: Max =10000: Record No. = 2: File = \n"}};
    for (const auto& [statement, message] : cases) {
        auto block = makeBlock({"R 5 6 7", statement, "+50", "R 3 4 60", ".end"});
        Reading r(block);
        EXPECT_EQ(r.result, 0) << statement;
        EXPECT_EQ(r.output, message) << statement;
        EXPECT_EQ(r.circuit.elementCount(), 1) << statement;
    }
    auto three = makeBlock({kPulse, kPulse, kPulse, ".end"});
    Reading r(three);
    EXPECT_EQ(r.sourceCount, 2);
    EXPECT_EQ(r.output, "Error: Too Many Sources: Max =2: Record No. = 3: File = \n");
}

// A refused element prints its message but is no failed statement: reading goes on.
TEST(NetlistStatements, RefusedElementsDoNotStopReading)
{
    std::vector<std::string> records;
    for (int i = 0; i < 50; ++i)  // 4 new nodes each: the 50th would need 200 besides ground
        records.push_back("F " + std::to_string(4 * i + 1) + " " + std::to_string(4 * i + 2) + " " +
                          std::to_string(4 * i + 3) + " " + std::to_string(4 * i + 4) + " TRANS(1e-6 1e-6 0.5)");
    records.insert(records.end(), {"R 1 5 50", ".print 5", ".end"});
    std::vector<char> nodes(100 * 128, ' ');
    for (std::size_t r = 0; r < records.size(); ++r)
        std::copy(records[r].begin(), records[r].end(), nodes.begin() + static_cast<std::ptrdiff_t>(r) * 128);
    Reading full(nodes);
    EXPECT_EQ(full.result, 1);
    EXPECT_EQ(full.output, "Error: Too Many Nodes: Max =199\n");
    EXPECT_EQ(full.circuit.elementCount(), 50);
    EXPECT_EQ(full.circuit.nodeCount(), 197);
    EXPECT_EQ(full.circuit.printNode(), 5);

    std::vector<char> elements(100 * 128, ' ');
    for (int r = 0; r < 100; ++r)
        std::memcpy(&elements[static_cast<std::size_t>(r) * 128], "R 1 0 50", 8);
    Reading many(elements);
    EXPECT_EQ(many.result, 1);
    EXPECT_EQ(many.output, "Error: Too Many Elements: Max =99\n");
    EXPECT_EQ(many.circuit.elementCount(), 99);
}

TEST(NetlistBlock, EndsAtANulRecordAndIsCutInPlace)
{
    std::vector<char> empty(128 * 100, ' ');
    empty[0] = '\0';
    EXPECT_EQ(Reading(empty).result, 1);

    auto block = makeBlock({"R 1 2 50", "", " , ( )", "C 2 0 1e-12", "R 1 2", "R 5 6 7"}, 6);
    block[4 * 128 + 5] = '\0';  // a NUL inside a record ends its text
    block[5 * 128] = '\0';
    const auto original = block;
    for (int pass = 0; pass < 2; ++pass) {  // blank records are skipped, also on a second reading
        Reading r(block);
        EXPECT_EQ(r.result, 0);
        EXPECT_EQ(r.output, "Error: Unexpected EOF:  File =\n");
        EXPECT_EQ(r.circuit.elementCount(), 2);
    }
    EXPECT_EQ(std::string(block.data()), "R 1 2 50");
    for (int i = 8; i < 128; ++i)
        ASSERT_EQ(block[i], '\0') << i;
    EXPECT_EQ(block[128], ' ');
    EXPECT_TRUE(std::equal(block.begin() + 5 * 128, block.end(), original.begin() + 5 * 128));
}

TEST(NetlistBlock, RecordLimits)
{
    auto longRecord = makeBlock({"R 1 2 50", "R 2 0 50", ".end"});
    longRecord[128 + 127] = '9';
    Reading tooLong(longRecord);
    EXPECT_EQ(tooLong.result, 0);
    EXPECT_EQ(tooLong.output, "Error: Record too long: Max =127: Record No. = 2: File = \n");
    EXPECT_EQ(tooLong.circuit.elementCount(), 1);
    EXPECT_EQ(longRecord[128 + 126], ' ');

    std::vector<char> block = makeBlock({}, 101);
    for (int r = 0; r < 99; ++r)
        std::memcpy(&block[r * 128], "* comment", 9);
    std::memcpy(&block[99 * 128], "R 1 2", 5);
    std::memcpy(&block[100 * 128], "+ 50", 4);
    Reading r(block);
    EXPECT_EQ(r.output, "Error: Unexpected EOF:  File =\n");
    EXPECT_EQ(block[100 * 128 + 127], ' ');  // the 101st record is never taken
}

TEST(RequestedHarmonics, LastSpectrumStatementBeforeEnd)
{
    const auto requested = [](std::initializer_list<std::string_view> records) {
        const auto block = makeBlock(records);
        return NetlistReader::RequestedHarmonics(block.data());
    };
    EXPECT_EQ(requested({"R 1 2 50", ".end"}), 100);
    EXPECT_EQ(requested({".spectrum 50", ".SPECTRUM 20", ".end", ".spectrum 7"}), 20);
    EXPECT_EQ(requested({".spectrum 50", ".spectrum -3", ".end"}), 100);
    EXPECT_EQ(requested({".spectrum", "* note", "+ 30", ".end"}), 30);
    EXPECT_EQ(requested({".spectrum", ".end"}), 100);
    EXPECT_EQ(requested({".spectrum 20000", ".end"}), 20000);
    EXPECT_EQ(requested({".spectrum 99999999999", ".end"}), 100);
    auto block = makeBlock({"R 1 2 50", "", ".spectrum 40", ".end"});
    Reading r(block);
    EXPECT_EQ(NetlistReader::RequestedHarmonics(block.data()), 40);
}

}  // namespace
}  // namespace velmar
