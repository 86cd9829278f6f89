#pragma once

#include "engine/complex.h"

#include <span>
#include <vector>

namespace velmar {

// An ideal periodic voltage source between one node and ground: a trapezoid pulse or a sine.
// It samples one period at 2N+1 points and keeps the scaled Fourier coefficients of the samples
// in the packed layout: element 0 the mean value, elements 2k-1, 2k the real and imaginary part
// of X_k / (2N+1), so the waveform is c_0 + 2 Re sum_k c_k e^(+2 pi i k t / T).
class SignalSource {
public:
    enum class Kind { Unset = -1, Sine = 0, Pulse = 1 };

    static constexpr int kDefaultHarmonics = 100;

    SignalSource() = default;

    void SetNode(int node) { node_ = node; }
    // Values in V and s; the waveform repeats with the period.
    void SetPulse(double v1, double v2, double rise, double fall, double width, double period,
                  double delay);
    // offset [V], amplitude peak to peak [V], frequency [Hz]; the period is 1 / frequency.
    void SetSine(double offset, double amplitude, double frequency);
    // N harmonics, 2N+1 samples; N must be at least 1.
    void SetSpectrumSize(int harmonics);
    void SetAmplitude(Complex amplitude) { amplitude_ = amplitude; }

    int Node() const { return node_; }
    Kind WaveformKind() const { return kind_; }
    bool IsSet() const { return kind_ != Kind::Unset; }
    Complex Amplitude() const { return amplitude_; }
    int HarmonicCount() const { return harmonics_; }
    int SampleCount() const { return sampleCount_; }
    double Period() const { return period_; }
    // Empty until the first SampleSpectrum.
    std::span<const double> SampleTimes() const { return times_; }
    std::span<const double> SampleValues() const { return values_; }
    std::span<const double> Coefficients() const { return coefficients_; }

    // Samples one period and transforms it; returns the coefficients. Needs a set waveform.
    std::span<const double> SampleSpectrum();

    double PulseValue(double t) const;
    double SineValue(double t) const;

    void AllocateArrays();
    void FreeArrays();

private:
    int node_ = 0;
    Complex amplitude_{};
    int harmonics_ = kDefaultHarmonics;
    int sampleCount_ = 2 * kDefaultHarmonics + 1;
    std::vector<double> times_;
    std::vector<double> values_;
    std::vector<double> coefficients_;
    Kind kind_ = Kind::Unset;
    double v1_ = 0.0;  // pulse low level, or sine offset
    double v2_ = 0.0;  // pulse high level, or sine amplitude peak to peak
    double rise_ = 0.0;
    double fall_ = 0.0;
    double width_ = 0.0;
    double period_ = 0.0;
    double delay_ = 0.0;
};

}  // namespace velmar
