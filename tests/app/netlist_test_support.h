#pragma once
// What the netlist tests of both circuit families share: made-up catalogue records in the packed
// filter.dat format, golden statements compared after parsing numbers, and the engine reading a
// block.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <locale>
#include <sstream>
#include <string>
#include <vector>

#include "app/config/filter_netlist.h"
#include "app/shared/mdlPublic.h"
#include "engine/simulate.h"

namespace netlisttest {

// Packs 16-bit integers and singles little-endian, as the data files hold them.
struct Bytes {
    std::string data;
    Bytes& i16(int v) { return raw(static_cast<std::int16_t>(v)); }
    Bytes& f32(float v) { return raw(v); }
    template <class T>
    Bytes& raw(T v) {
        data.append(reinterpret_cast<const char*>(&v), sizeof v);
        return *this;
    }
};

struct El {
    int kind, n1, n2;
    float value;
};
struct Trans {
    int n1, n2, n3, n4;
    float l1, l2, k;
};

// A filter.dat record; unused slots are zero: kind 0 writes nothing.
inline std::string filterRecord(std::vector<El> elements, const std::vector<Trans>& trans = {}) {
    elements.resize(35, El{0, 0, 0, 0});
    Bytes b;
    b.i16(0);
    for (const El& e : elements) b.i16(e.kind).i16(e.n1).i16(e.n2).f32(e.value);
    for (const Trans& x : trans) b.i16(4).i16(x.n1).i16(x.n2).i16(x.n3).i16(x.n4).f32(x.l1).f32(x.l2).f32(x.k);
    b.data.resize(3678, '\0');
    return b.data;
}

// Fields as the engine splits them.
inline std::vector<std::string> tokens(std::string line) {
    std::replace_if(line.begin(), line.end(), [](char c) { return c == '(' || c == ')'; }, ' ');
    std::istringstream in(line);
    return {std::istream_iterator<std::string>(in), std::istream_iterator<std::string>()};
}

inline bool number(const std::string& text, double& value) {
    std::istringstream in(text);
    in.imbue(std::locale::classic());
    in >> value;
    return in && in.peek() == std::char_traits<char>::eof();
}

// A 128-character statement against its golden text. Single-precision values are written with 7
// digits: a relative 1e-6 tells a wrong value from rounding. With integersAsText, integers (nodes,
// counts) compare as text and reals as numbers; without, every number compares as a number and
// the statement may hold no comma.
inline void expectStatement(const std::string& actual, const std::string& expected, int index,
                            bool integersAsText) {
    SCOPED_TRACE("line " + std::to_string(index) + ": \"" + actual.substr(0, actual.find_last_not_of(' ') + 1) +
                 "\" expected \"" + expected + "\"");
    ASSERT_EQ(actual.size(), 128u);
    if (!integersAsText) {
        EXPECT_EQ(actual.find(','), std::string::npos);
    }
    const auto a = tokens(actual), e = tokens(expected);
    ASSERT_EQ(a.size(), e.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
        double x, y;
        if (number(e[i], y) && (!integersAsText || e[i].find_first_of(".eE") != std::string::npos)) {
            ASSERT_TRUE(number(a[i], x)) << a[i];
            EXPECT_NEAR(x, y, std::abs(y) * 1e-6) << "token " << i;
        } else {
            EXPECT_EQ(a[i], e[i]) << "token " << i;
        }
    }
}

// The block's lines against `expected`, the rest blank.
inline void expectStatements(const mdlPublic::NetlistBlock& block, const std::vector<std::string>& expected,
                             bool integersAsText) {
    for (std::size_t i = 0; i < block.Line.size(); ++i) {
        if (i < expected.size())
            expectStatement(block.Line[i], expected[i], int(i), integersAsText);
        else
            EXPECT_EQ(block.Line[i], std::string(128, ' ')) << "line " << i;
    }
}

struct EngineRun {
    std::vector<double> time, wave, freq, spectrum;
};

// The engine reads the block, prints no error and solves every harmonic.
inline EngineRun expectEngineReads(mdlPublic::NetlistBlock block, int harmonics) {
    app::replaceDecimalCommas(block);
    auto bytes = app::toEngineBlock(block);
    EngineRun run{std::vector<double>(2 * harmonics + 1), std::vector<double>(2 * harmonics + 1),
                  std::vector<double>(harmonics + 1), std::vector<double>(2 * harmonics + 2)};
    testing::internal::CaptureStdout();
    const int ok = velmar::SimulateNetlist(bytes.data(), run.time.data(), run.wave.data(), run.freq.data(),
                                           run.spectrum.data());
    const std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_EQ(printed.find("Error:"), std::string::npos) << printed;
    EXPECT_EQ(ok, 1);
    return run;
}

inline std::vector<std::string> join(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}

}  // namespace netlisttest
