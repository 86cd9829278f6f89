#include "engine/source.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>

namespace velmar {
namespace {

SignalSource pulse(double delay)
{
    SignalSource s;
    s.SetPulse(0.0, 5.0, 1e-9, 1e-9, 10e-9, 50e-9, delay);
    return s;
}

TEST(PulseValue, TrapezoidRepeatsWithThePeriod)
{
    const SignalSource s = pulse(0.0);
    EXPECT_DOUBLE_EQ(s.PulseValue(0.5e-9), 2.5);
    for (double t = 1e-9; t <= 11e-9; t += 0.5e-9)
        EXPECT_DOUBLE_EQ(s.PulseValue(t), 5.0) << t;
    EXPECT_NEAR(s.PulseValue(11.5e-9), 2.5, 1e-12);
    for (double t = 12e-9; t < 50e-9; t += 1e-9)
        EXPECT_NEAR(s.PulseValue(t), 0.0, 1e-12) << t;
    EXPECT_NEAR(s.PulseValue(50.5e-9), 2.5, 1e-12);

    SignalSource steps;  // zero-length edges switch without dividing by zero
    steps.SetPulse(1.0, 3.0, 0.0, 0.0, 5e-9, 20e-9, 0.0);
    EXPECT_DOUBLE_EQ(steps.PulseValue(0.0), 3.0);
    EXPECT_DOUBLE_EQ(steps.PulseValue(5.1e-9), 1.0);
}

TEST(PulseValue, DelayShiftsTheWaveformModuloThePeriod)
{
    const SignalSource delayed = pulse(10e-9);
    for (double t = 0.0; t < 10e-9; t += 1e-9)
        EXPECT_DOUBLE_EQ(delayed.PulseValue(t), 0.0) << t;
    EXPECT_NEAR(delayed.PulseValue(10.5e-9), 2.5, 1e-12);
    // A sample a rounding step before a step edge folds onto the period itself, i.e. t' = 0.
    SignalSource step;
    step.SetPulse(0.0, 5.0, 0.0, 0.0, 10e-9, 50e-9, 10e-9);
    EXPECT_EQ(step.PulseValue(std::nextafter(10e-9, 0.0)), 5.0);
    for (const double delay : {110e-9, -40e-9, -90e-9}) {
        const SignalSource wrapped = pulse(delay);
        for (double t = 0.25e-9; t < 50e-9; t += 1e-9)
            EXPECT_NEAR(wrapped.PulseValue(t), delayed.PulseValue(t), 1e-6) << delay << " " << t;
    }
}

TEST(SampleSpectrum, SineHasMeanAndFirstHarmonicOnly)
{
    SignalSource s;
    s.SetSine(1.0, 2.0, 1e6);
    EXPECT_DOUBLE_EQ(s.Period(), 1e-6);
    const auto c = s.SampleSpectrum();
    ASSERT_EQ(c.size(), 201u);
    EXPECT_NEAR(c[0], 1.0, 1e-12);
    EXPECT_NEAR(c[2], -0.5, 1e-12);  // sin x = (e^{ix} - e^{-ix}) / 2i: coefficient -i/2
    for (std::size_t i = 3; i < c.size(); ++i)
        EXPECT_NEAR(c[i], 0.0, 1e-12) << i;
}

TEST(SampleSpectrum, MatchesScaledDirectFourierSums)
{
    SignalSource s = pulse(3e-9);
    s.SetSpectrumSize(20);
    const auto c = s.SampleSpectrum();
    ASSERT_EQ(c.size(), 41u);
    const auto x = s.SampleValues();
    EXPECT_DOUBLE_EQ(s.SampleTimes()[40], 40 * (50e-9 / 41));
    for (int k = 0; k <= 20; ++k) {
        std::complex<double> sum;
        for (int j = 0; j < 41; ++j)
            sum += x[j] * std::polar(1.0, -2.0 * std::numbers::pi * j * k / 41) / 41.0;
        EXPECT_NEAR(k == 0 ? c[0] : c[2 * k - 1], sum.real(), 1e-12) << k;
        EXPECT_NEAR(k == 0 ? 0.0 : c[2 * k], sum.imag(), 1e-12) << k;
    }
}

}  // namespace
}  // namespace velmar
