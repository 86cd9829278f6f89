#include "engine/simulate.h"

#include "engine/microstrip.h"
#include "engine/netlist_reader.h"
#include "engine/netlist_block.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <initializer_list>
#include <numbers>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace velmar {
namespace {

using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;
using cd = std::complex<double>;

constexpr std::size_t kGuard = 16;
constexpr double kSentinel = -12345.5;

// The four caller-owned arrays, each with a guard zone on both sides.
struct Results {
    std::size_t n;
    std::vector<double> time, wave, freq, spectrum;

    explicit Results(std::size_t harmonics)
        : n(harmonics),
          time(2 * n + 1 + 2 * kGuard, kSentinel),
          wave(2 * n + 1 + 2 * kGuard, kSentinel),
          freq(n + 1 + 2 * kGuard, kSentinel),
          spectrum(2 * n + 2 + 2 * kGuard, kSentinel)
    {
    }

    double* t() { return time.data() + kGuard; }
    double* w() { return wave.data() + kGuard; }
    double* f() { return freq.data() + kGuard; }
    double* s() { return spectrum.data() + kGuard; }

    int run(std::vector<char>& block)
    {
        CaptureStdout();
        const int status = SimulateNetlist(block.data(), t(), w(), f(), s());
        output = GetCapturedStdout();
        return status;
    }

    bool guardsIntact() const
    {
        for (const auto* a : {&time, &wave, &freq, &spectrum}) {
            const auto& v = *a;
            for (std::size_t i = 0; i < kGuard; ++i)
                if (v[i] != kSentinel || v[v.size() - 1 - i] != kSentinel)
                    return false;
        }
        return true;
    }

    // Every value inside the arrays was written, as a zero.
    bool allZero() const
    {
        for (const auto* a : {&time, &wave, &freq, &spectrum})
            for (std::size_t i = kGuard; i < a->size() - kGuard; ++i)
                if ((*a)[i] != 0.0)
                    return false;
        return true;
    }

    std::string output;
};

std::vector<char> divider(const char* spectrum)
{
    return makeBlock({"V 1 PULSE(0 5 1e-9 1e-9 4e-9 10e-9)", "R 1 2 50", "C 2 0 5e-12", "R 2 0 1e3",
                      spectrum, ".PRINT 2", ".END"});
}

TEST(SimulateOutputs, ArraysAreFilledExactlyForTheRequestedCount)
{
    for (const char* spectrum : {".SPECTRUM 100", "* no spectrum statement"}) {
        auto block = divider(spectrum);
        Results r(100);
        EXPECT_EQ(r.run(block), 1) << r.output;
        EXPECT_TRUE(r.guardsIntact());
        for (const auto* a : {&r.time, &r.wave, &r.freq, &r.spectrum})  // 201, 201, 101, 202 values
            EXPECT_EQ(std::count(a->begin(), a->end(), kSentinel), 2 * kGuard);
        EXPECT_EQ(r.s()[1], 0.0);
        EXPECT_EQ(r.f()[100], 100 / 10e-9);
        EXPECT_GT(*std::max_element(r.w(), r.w() + 201), 1.0);
    }
    auto block = divider(".spectrum 10");
    Results r(10);
    ASSERT_EQ(r.run(block), 1);
    EXPECT_TRUE(r.guardsIntact());
    EXPECT_DOUBLE_EQ(r.f()[0], 10e3);
    EXPECT_DOUBLE_EQ(r.f()[1], 100e6);
    EXPECT_DOUBLE_EQ(r.f()[10], 1e9);
    for (int j = 0; j < 21; ++j)
        EXPECT_NEAR(r.t()[j], j * 10e-9 / 21, 1e-21) << j;
}

TEST(SimulateOutputs, RepeatedCallsGiveIdenticalResults)
{
    auto block = divider(".spectrum 30");
    auto copy = block;
    Results first(30), again(30), fresh(30);
    ASSERT_EQ(first.run(block), 1);
    ASSERT_EQ(again.run(block), 1);  // the block now holds NULs where its blanks were
    ASSERT_EQ(fresh.run(copy), 1);
    for (const Results* r : {&again, &fresh}) {
        EXPECT_EQ(first.time, r->time);
        EXPECT_EQ(first.wave, r->wave);
        EXPECT_EQ(first.freq, r->freq);
        EXPECT_EQ(first.spectrum, r->spectrum);
    }
}

TEST(SimulateFailures, CountMismatchGivesZerosOfTheRequestedSize)
{
    auto tooMany = divider(".spectrum 10001");
    Results big(10001);
    EXPECT_EQ(big.run(tooMany), 0);
    EXPECT_TRUE(big.guardsIntact() && big.allZero());

    // Reading stops before ".spectrum 10": the sweep runs with 100 harmonics.
    auto stopped = makeBlock({"V 1 PULSE(0 5 1e-9 1e-9 4e-9 10e-9)", "R 1 2 50", "R 2 0 50", ".PRINT 2",
                              "R 2 0 oops", ".spectrum 10", ".end"});
    Results small(10);
    EXPECT_EQ(small.run(stopped), 0);
    EXPECT_TRUE(small.guardsIntact() && small.allZero());

    // A failure after a complete circuit still gives its results, with status 0.
    auto late = makeBlock({"V 1 PULSE(0 5 1e-9 1e-9 4e-9 10e-9)", "R 1 2 50", "R 2 0 50", ".PRINT 2",
                           "BOGUS", ".end"});
    Results r(100);
    EXPECT_EQ(r.run(late), 0);
    EXPECT_NEAR(*std::max_element(r.w(), r.w() + 201), 2.5, 1e-9);
}

TEST(SimulateFailures, FailedRunsLeaveZerosWhereNothingWasComputed)
{
    auto noPrint = makeBlock({"V 1 PULSE(0 5 1e-9 1e-9 4e-9 10e-9)", "R 1 2 50", "R 2 0 50", ".end"});
    Results r(100);
    EXPECT_EQ(r.run(noPrint), 0);
    EXPECT_TRUE(r.guardsIntact());
    EXPECT_DOUBLE_EQ(r.t()[200], 200 * 10e-9 / 201);
    EXPECT_DOUBLE_EQ(r.f()[0], 0.0001 / 10e-9);
    EXPECT_TRUE(std::all_of(r.f() + 1, r.f() + 101, [](double v) { return v == 0.0; }));
    EXPECT_TRUE(std::all_of(r.w(), r.w() + 201, [](double v) { return v == 0.0; }));
    EXPECT_TRUE(std::all_of(r.s(), r.s() + 202, [](double v) { return v == 0.0; }));

    const std::initializer_list<std::string_view> cases[] = {
        {"R 1 2 50", "R 2 0 50", ".print 2", ".end"},                                       // no source
        {"V 1 PULSE(0 5 1e-9 1e-9 4e-9 10e-9)", "R 1 0 50", ".print 1", ".end"},              // nothing to solve
        {"V 1 PULSE(0 5 1e-9 1e-9 4e-9 10e-9)", "R 1 2 50", "R 3 4 50", ".print 2", ".end"},  // singular
        {"V 1 PULSE(0 5 1e-9 1e-9 4e-9 0)", "R 1 2 50", "R 2 0 50", ".print 2", ".end"},      // no period
        {"V 1 PULSE(0 5 1e-9", ".end"}};
    for (const auto& records : cases) {
        auto block = makeBlock(records);
        Results failed(100);
        EXPECT_EQ(failed.run(block), 0) << *records.begin();
        EXPECT_TRUE(failed.guardsIntact());
        EXPECT_TRUE(std::all_of(failed.w(), failed.w() + 201, [](double v) { return v == 0.0; }));
    }
    Results none(100);
    EXPECT_EQ(SimulateNetlist(nullptr, none.t(), none.w(), none.f(), none.s()), 0);
    EXPECT_TRUE(none.allZero());
}

// Driver, ferrite-bead-like R||L||C, microstrip line, receiver: the engine's steady state at the
// receiver against a chain-matrix solution of the same circuit.
TEST(SimulateSteadyState, BeadAndMicrostripMatchAChainMatrixSolution)
{
    constexpr int n = 60;
    constexpr double T = 20e-9, v2 = 3.3, rise = 1e-9, fall = 1.5e-9, width = 8e-9;
    auto block = makeBlock({"V 1 PULSE(0 3.3 1e-9 1.5e-9 8e-9 20e-9)", "R 1 2 25",
                            "R 2 3 200", "L 2 3 1e-7", "C 2 3 1e-12",
                            "Z 3 4 LINEA(0.05 0.0016 0.003 0 4.5)", "C 4 0 5e-12", "R 4 0 1e5",
                            ".spectrum 60", ".print 4", ".end"});
    Results r(n);
    ASSERT_EQ(r.run(block), 1) << r.output;

    const int samples = 2 * n + 1;
    const auto source = [&](double t) {
        if (t < rise)
            return v2 * t / rise;
        if (t < rise + width)
            return v2;
        if (t < rise + width + fall)
            return v2 * (1 - (t - rise - width) / fall);
        return 0.0;
    };
    const double eeff = MicrostripEffPermittivity(0.0016, 0.003, 4.5);
    const double z0 = MicrostripImpedance(0.0016, 0.003, 0.0, eeff);
    const double tau = LineDelay(0.05, eeff);
    std::vector<cd> out(n + 1);
    for (int k = 0; k <= n; ++k) {
        cd vin;
        for (int j = 0; j < samples; ++j)
            vin += source(j * T / samples) * std::polar(1.0, -2 * std::numbers::pi * j * k / samples);
        vin /= samples;
        const double w = 2 * std::numbers::pi * (k == 0 ? 0.0001 / T : k / T);
        const cd j1(0, 1);
        const cd zBead = 1.0 / (1.0 / 200.0 + 1.0 / (j1 * w * 1e-7) + j1 * w * 1e-12);
        const cd zLoad = 1.0 / (j1 * w * 5e-12 + 1.0 / 1e5);
        const double theta = w * tau;
        // Series impedances then the line: [A B; C D] = [1 Zs; 0 1] [cos, j Z0 sin; j sin / Z0, cos].
        const cd zs = 25.0 + zBead;
        const cd a = std::cos(theta) + zs * j1 * std::sin(theta) / z0;
        const cd b = j1 * z0 * std::sin(theta) + zs * std::cos(theta);
        out[k] = vin / (a + b / zLoad);
    }
    double scale = 0;
    for (int k = 0; k <= n; ++k)
        scale = std::max(scale, std::abs(out[k]));
    EXPECT_NEAR(r.s()[0], out[0].real(), 1e-7 * scale);
    for (int k = 1; k <= n; ++k) {
        EXPECT_NEAR(r.s()[2 * k], out[k].real(), 1e-7 * scale) << k;
        EXPECT_NEAR(r.s()[2 * k + 1], out[k].imag(), 1e-7 * scale) << k;
    }
    for (int j = 0; j < samples; ++j) {
        double x = out[0].real();
        for (int k = 1; k <= n; ++k)
            x += 2 * (out[k] * std::polar(1.0, 2 * std::numbers::pi * j * k / samples)).real();
        EXPECT_NEAR(r.w()[j], x, 1e-6 * v2) << j;
    }
}

// Damaged blocks: whatever the engine makes of them, it answers 0 or 1 and writes only inside
// the arrays sized for the block's requested harmonic count.
TEST(SimulateRobustness, DamagedBlocksStayInsideTheArrays)
{
    std::mt19937 random(20261208);
    const auto pick = [&](std::size_t n) { return static_cast<std::size_t>(random() % n); };
    const std::vector<std::string> valid = {
        "V 1 PULSE(0 5 1e-9 1e-9 4e-9 10e-9 2e-9)", "V 2 sin(0 1 1e8)", "R 1 3 30", "L 3 4 1e-8",
        "C 4 0 2e-12", "Z 4 5 LINEA(0.05 0.0016 0.003 0 4.5)", "Z 5 6 lineb(0.1 50 4)",
        "Z 6 0 custom 2 1e6 10 1 1e9 20 5", "F 2 7 5 8 dual_lineb(0.1 30 2.3 90 2.3)",
        "F 7 0 8 0 TRANS(1e-6 1e-6 0.5)", "R 8 0 50", ".spectrum 20", ".print 5", ".end"};
    const std::string alphabet = "RCLZFV.+*()0123456789e-, \t\nprintspectrumendlinea";
    const auto validBlock = [&](std::size_t records) {
        std::vector<char> block(12800, ' ');
        for (std::size_t r = 0; r < records; ++r)
            std::copy(valid[r].begin(), valid[r].end(), block.begin() + r * 128);
        return block;
    };

    std::vector<std::vector<char>> blocks;
    for (int i = 0; i < 300; ++i) {
        std::vector<char> block = validBlock(valid.size());
        if (i < 60) {  // random bytes, NULs included
            for (char& c : block)
                c = static_cast<char>(random());
        } else if (i < 180) {  // random text of the netlist's own characters
            std::fill(block.begin(), block.end(), ' ');
            for (std::size_t r = 0, records = 1 + pick(100); r < records; ++r)
                for (std::size_t c = 0, len = pick(40); c < len; ++c)
                    block[r * 128 + c] = alphabet[pick(alphabet.size())];
        } else if (i < 240) {  // a statement cut short, nothing after it
            block = validBlock(pick(valid.size()));
            const std::size_t r = pick(valid.size());
            std::copy_n(valid[r].begin(), pick(valid[r].size() + 1), block.begin() + r * 128);
        } else {  // a few damaged characters
            for (std::size_t d = 0, count = 1 + pick(3); d < count; ++d)
                block[pick(valid.size() * 128)] = static_cast<char>(random());
        }
        blocks.push_back(block);
    }
    for (const std::string huge : {".spectrum 10000", ".spectrum 10001", ".spectrum 25000", ".spectrum 99999999999",
                                   ".spectrum -2147483648", "Z 1 0 custom 2147483647 1 2 3", "R 2147483647 -5 1e308"}) {
        std::vector<char> block = validBlock(valid.size());
        std::fill_n(block.begin() + 11 * 128, 128, ' ');
        std::copy(huge.begin(), huge.end(), block.begin() + 11 * 128);
        blocks.push_back(block);
    }

    int simulated = 0;
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        const auto requested = NetlistReader::RequestedHarmonics(blocks[i].data());
        ASSERT_TRUE(requested >= 1 && requested <= 30000) << i;  // the generators never ask for more
        Results r(static_cast<std::size_t>(requested));
        const int status = r.run(blocks[i]);
        EXPECT_TRUE(status == 0 || status == 1) << i;
        ASSERT_TRUE(r.guardsIntact()) << i;
        EXPECT_EQ(std::count(r.spectrum.begin(), r.spectrum.end(), kSentinel), 2 * kGuard) << i;
        simulated += status;
    }
    EXPECT_GT(simulated, 20);  // the damage must not keep every block away from the sweep
}

TEST(Library, ExportsOnlyTheTwoEntryPoints)
{
    // Without the variable, the build's output folder as seen from tests/bin.
    const char* dir = std::getenv("QUENLIS_OUT_DIR");
    const std::string path =
        dir != nullptr ? std::string(dir) + "/libvelmar.so"
                       : (std::filesystem::read_symlink("/proc/self/exe").parent_path() / "../../out/libvelmar.so")
                             .string();
    void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr)
        GTEST_SKIP() << "no library at " << path;
    using SimulateFn = int (*)(char*, double*, double*, double*, double*);
    using DualLineFn = void (*)(double*, double*, double*, double*, double*, double*, double*, double*);
    const auto simulate = reinterpret_cast<SimulateFn>(dlsym(library, "Simulate"));
    const auto dualLine = reinterpret_cast<DualLineFn>(dlsym(library, "DualLineImp"));
    ASSERT_NE(simulate, nullptr);
    ASSERT_NE(dualLine, nullptr);
    EXPECT_EQ(dlsym(library, "_ZN6velmar15SimulateNetlistEPcPdS1_S1_S1_"), nullptr);
    EXPECT_EQ(dlsym(library, "_ZN6velmar23CoupledMicrostripParamsERKdS1_S1_S1_RdS2_S2_S2_"), nullptr);

    auto block = divider(".spectrum 10");
    auto copy = block;
    Results viaLibrary(10), direct(10);
    CaptureStdout();
    EXPECT_EQ(simulate(block.data(), viaLibrary.t(), viaLibrary.w(), viaLibrary.f(), viaLibrary.s()), 1);
    GetCapturedStdout();
    EXPECT_EQ(direct.run(copy), 1);
    EXPECT_EQ(viaLibrary.wave, direct.wave);
    EXPECT_EQ(viaLibrary.spectrum, direct.spectrum);

    double h = 0.2e-3, w = 0.2e-3, s = 0.2e-3, er = 4.7, ze = 0, ee = 0, zo = 0, eo = 0;
    dualLine(&h, &w, &s, &er, &ze, &ee, &zo, &eo);
    EXPECT_EQ(h, 0.2e-3);
    EXPECT_EQ(w, 0.2e-3);
    EXPECT_EQ(s, 0.2e-3);
    EXPECT_EQ(er, 4.7);
    EXPECT_NEAR(ze, 78.5299, 1e-4);
    EXPECT_NEAR(ee, 3.59084, 1e-5);
    EXPECT_NEAR(zo, 58.8817, 1e-4);
    EXPECT_NEAR(eo, 3.05262, 1e-5);
    dlclose(library);
}

}  // namespace
}  // namespace velmar
