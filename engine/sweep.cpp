#include "engine/sweep.h"

#include "engine/circuit.h"
#include "engine/solver.h"

#include <cmath>
#include <cstdio>
#include <exception>

namespace velmar {

std::int32_t HarmonicSweep::Run(Circuit& circuit, const std::int32_t& sourceCount,
                                SignalSource* sources)
{
    circuit_ = &circuit;
    sourceCount_ = sourceCount;
    sources_ = sources;
    allocated_ = false;
    if (sourceCount_ < 1) {
        std::printf("Error: Electric source is missing\n");
        return 0;
    }
    // A V statement that failed after its node was read leaves a counted slot without a
    // waveform; sampling it would read values that were never set.
    for (std::int32_t i = 0; i < sourceCount_; ++i) {
        const double period = sources_[i].Period();
        if (!sources_[i].IsSet() || !(period > 0.0) || !std::isfinite(period)
            || sources_[i].HarmonicCount() < 1) {
            std::printf("Error: Electric source is incomplete: Source No. = %d\n", i + 1);
            return 0;
        }
    }
    for (std::int32_t i = 0; i < sourceCount_; ++i)
        sources_[i].SampleSpectrum();
    Allocate();
    if (Sweep() == 0)
        return 0;
    BackwardRealFft(sampleCount_, packed_.data(), waveform_.data());
    return 1;
}

void HarmonicSweep::Allocate()
{
    const SignalSource& first = sources_[0];
    period_ = first.Period();
    harmonics_ = first.HarmonicCount();
    sampleCount_ = 2 * harmonics_ + 1;
    timeAxis_ = first.SampleTimes();
    frequencies_.assign(static_cast<std::size_t>(harmonics_) + 1, 0.0);
    waveform_.assign(static_cast<std::size_t>(sampleCount_), 0.0);
    packed_.assign(static_cast<std::size_t>(sampleCount_), 0.0);
    allocated_ = true;
}

std::int32_t HarmonicSweep::Sweep()
{
    frequencies_[0] = 0.0001 / period_;
    applyHarmonic(0);
    double im = 0.0;
    if (!solveAt(frequencies_[0], packed_[0], im))
        return 0;
    for (std::int32_t k = 1; k <= harmonics_; ++k) {
        frequencies_[k] = k / period_;
        applyHarmonic(k);
        if (!solveAt(frequencies_[k], packed_[2 * k - 1], packed_[2 * k]))
            return 0;
    }
    return 1;
}

// Every source imposes its own k-th coefficient at harmonic k of source 0's period; a source
// with fewer harmonics than source 0 contributes nothing above its own count.
void HarmonicSweep::applyHarmonic(std::int32_t k)
{
    for (std::int32_t i = 0; i < sourceCount_; ++i) {
        SignalSource& source = sources_[i];
        const std::span<const double> c = source.Coefficients();
        if (k == 0)
            source.SetAmplitude(ComplexFromParts(c[0], 0.0));
        else if (static_cast<std::size_t>(2 * k) < c.size())
            source.SetAmplitude(ComplexFromParts(c[2 * k - 1], c[2 * k]));
        else
            source.SetAmplitude(ComplexFromParts(0.0, 0.0));
    }
}

// A numerical failure inside the solve (a singular system) ends this sweep like any other
// failed solve instead of unwinding through the caller.
bool HarmonicSweep::solveAt(double frequency, double& re, double& im)
{
    Complex output{};
    try {
        if (circuit_->SolveAtFrequency(frequency, sourceCount_, sources_, output) == 0)
            return false;
    } catch (const std::exception& e) {
        std::printf("Error: %s\n", e.what());
        return false;
    }
    re = output.re;
    im = output.im;
    return true;
}

}  // namespace velmar
