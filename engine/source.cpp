#include "engine/source.h"

#include "engine/solver.h"

#include <cmath>

namespace velmar {

namespace {
// 2 pi as the engine has always rounded it; kept so waveforms stay bit-compatible.
constexpr double kTwoPi = 6.28318530717958;
}  // namespace

void SignalSource::SetPulse(double v1, double v2, double rise, double fall, double width,
                            double period, double delay)
{
    kind_ = Kind::Pulse;
    v1_ = v1;
    v2_ = v2;
    rise_ = rise;
    fall_ = fall;
    width_ = width;
    period_ = period;
    delay_ = delay;
}

void SignalSource::SetSine(double offset, double amplitude, double frequency)
{
    kind_ = Kind::Sine;
    v1_ = offset;
    v2_ = amplitude;
    period_ = 1.0 / frequency;
}

void SignalSource::SetSpectrumSize(int harmonics)
{
    harmonics_ = harmonics;
    sampleCount_ = 2 * harmonics + 1;
}

void SignalSource::AllocateArrays()
{
    const auto n = static_cast<std::size_t>(sampleCount_);
    times_.assign(n, 0.0);
    values_.assign(n, 0.0);
    coefficients_.assign(n, 0.0);
}

void SignalSource::FreeArrays()
{
    times_ = {};
    values_ = {};
    coefficients_ = {};
}

std::span<const double> SignalSource::SampleSpectrum()
{
    const double dt = period_ / sampleCount_;
    AllocateArrays();
    for (int j = 0; j < sampleCount_; ++j) {
        times_[j] = j * dt;
        values_[j] = kind_ == Kind::Pulse ? PulseValue(times_[j]) : SineValue(times_[j]);
    }
    ForwardRealFft(sampleCount_, values_.data(), coefficients_.data());
    const double scale = 1.0 / sampleCount_;
    for (double& c : coefficients_)
        c *= scale;
    return coefficients_;
}

double SignalSource::PulseValue(double t) const
{
    // Fold t - delay into [0, period): any delay, also negative or longer than a period,
    // shifts the waveform by its remainder modulo the period.
    double tp = std::fmod(t - delay_, period_);
    if (tp < 0.0)
        tp += period_;
    // Adding the period to a tiny negative remainder can round to the period itself, which is
    // the start of the next one.
    if (tp >= period_)
        tp -= period_;
    const double swing = v2_ - v1_;
    // A zero-length edge never satisfies its comparison, so it becomes a step without a division.
    if (tp < rise_)
        return v1_ + swing * tp / rise_;
    if (tp - rise_ < width_)
        return v2_;
    if (tp - rise_ - width_ < fall_)
        return v1_ + swing * (1.0 - (tp - rise_ - width_) / fall_);
    return v1_;
}

double SignalSource::SineValue(double t) const
{
    return v1_ + 0.5 * v2_ * std::sin(kTwoPi * t / period_);
}

}  // namespace velmar
