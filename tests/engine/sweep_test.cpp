#include "engine/sweep.h"

#include "engine/circuit.h"
#include "engine/source.h"

#include <gtest/gtest.h>

#include <array>
#include <complex>
#include <cstdint>
#include <utility>

namespace velmar {
namespace {

using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

constexpr double kPeriod = 50e-9;

// Source on node 1, 50 ohm to node 2, then 50 ohm or 10 pF to ground; 20 harmonics.
struct Divider {
    Circuit circuit;
    std::array<SignalSource, 2> sources;
    std::int32_t sourceCount = 1;
    HarmonicSweep sweep;

    explicit Divider(bool capacitor)
    {
        circuit.AddResistor(1, 2, 50.0);
        capacitor ? circuit.AddCapacitor(2, 0, 10e-12) : circuit.AddResistor(2, 0, 50.0);
        circuit.SetPrintNode(2);
        sources[0].SetNode(1);
        sources[0].SetPulse(0.0, 5.0, 1e-9, 2e-9, 20e-9, kPeriod, 5e-9);
        sources[0].SetSpectrumSize(20);
    }
    std::int32_t run() { return sweep.Run(circuit, sourceCount, sources.data()); }
};

TEST(HarmonicSweep, ResistiveDividerHalvesTheWaveform)
{
    Divider d(false);
    ASSERT_EQ(d.run(), 1);
    ASSERT_EQ(d.sweep.SampleCount(), 41);
    const auto x = d.sources[0].SampleValues();
    for (int j = 0; j < 41; ++j) {
        EXPECT_NEAR(d.sweep.Waveform()[j], 0.5 * x[j], 1e-12) << j;
        EXPECT_EQ(d.sweep.TimeAxis()[j], d.sources[0].SampleTimes()[j]);
    }
    const auto f = d.sweep.Frequencies();
    ASSERT_EQ(f.size(), 21u);
    EXPECT_DOUBLE_EQ(f[0], 0.0001 / kPeriod);
    EXPECT_DOUBLE_EQ(f[20], 20 / kPeriod);
}

TEST(HarmonicSweep, LowPassFollowsItsTransferFunction)
{
    Divider d(true);
    ASSERT_EQ(d.run(), 1);
    const auto c = d.sources[0].Coefficients();
    const auto packed = d.sweep.PackedSpectrum();
    EXPECT_NEAR(packed[0], c[0], 1e-9);
    for (int k = 1; k <= 20; ++k) {
        const double w = 6.28318530717958 * d.sweep.Frequencies()[k];
        const auto expected = std::complex<double>(c[2 * k - 1], c[2 * k])
                              / std::complex<double>(1.0, w * 50 * 10e-12);
        EXPECT_NEAR(packed[2 * k - 1], expected.real(), 1e-12) << k;
        EXPECT_NEAR(packed[2 * k], expected.imag(), 1e-12) << k;
    }
}

TEST(HarmonicSweep, FailuresLeaveZerosWhereNothingWasComputed)
{
    Divider noPrint(false);
    noPrint.circuit.SetPrintNode(0);
    CaptureStdout();
    EXPECT_EQ(noPrint.run(), 0);
    EXPECT_EQ(GetCapturedStdout(), "Error: .PRINT is missing\n");
    ASSERT_TRUE(noPrint.sweep.IsAllocated());
    EXPECT_DOUBLE_EQ(noPrint.sweep.Frequencies()[0], 0.0001 / kPeriod);
    EXPECT_EQ(noPrint.sweep.Frequencies()[1], 0.0);
    for (const double v : noPrint.sweep.Waveform())
        EXPECT_EQ(v, 0.0);

    const std::pair<std::int32_t, const char*> unusable[] = {
        {0, "Error: Electric source is missing\n"},
        {2, "Error: Electric source is incomplete: Source No. = 2\n"}};  // slot 1 has no waveform
    for (const auto& [count, message] : unusable) {
        Divider d(false);
        d.sourceCount = count;
        CaptureStdout();
        EXPECT_EQ(d.run(), 0);
        EXPECT_EQ(GetCapturedStdout(), message);
        EXPECT_FALSE(d.sweep.IsAllocated());
    }
}

}  // namespace
}  // namespace velmar
