#pragma once

#include "engine/source.h"

#include <cstdint>
#include <span>
#include <vector>

namespace velmar {

class Circuit;

// Periodic steady state of a linear circuit driven by periodic sources: the circuit is solved
// once per harmonic k = 0..N of source 0's period T, the output node's voltages form the
// output spectrum (packed layout, scaled so that packed_0 is the mean value), and a backward
// transform turns it into one period of the output waveform at source 0's sample times.
class HarmonicSweep {
public:
    // Samples every source, allocates and sweeps; returns 1 when the waveform was computed,
    // 0 after a message when there is no usable source or a solve failed. Arrays not reached
    // by a failed run hold zeros.
    std::int32_t Run(Circuit& circuit, const std::int32_t& sourceCount, SignalSource* sources);
    // Takes T, N and the time axis from source 0 and allocates the output arrays as zeros.
    void Allocate();
    // Solves harmonic 0 at 0.0001 / T (the admittance models are not defined at 0 Hz), then
    // harmonic k at k / T; 1 when every solve succeeded, 0 at the first one that failed.
    std::int32_t Sweep();

    // False until Allocate ran: then nothing of this sweep may be read.
    bool IsAllocated() const { return allocated_; }
    std::int32_t SampleCount() const { return sampleCount_; }
    std::int32_t HarmonicCount() const { return harmonics_; }
    double Period() const { return period_; }
    std::span<const double> TimeAxis() const { return timeAxis_; }
    std::span<const double> Frequencies() const { return frequencies_; }
    std::span<const double> Waveform() const { return waveform_; }
    std::span<const double> PackedSpectrum() const { return packed_; }

private:
    bool solveAt(double frequency, double& re, double& im);
    void applyHarmonic(std::int32_t k);

    Circuit* circuit_ = nullptr;
    std::int32_t sourceCount_ = 0;
    SignalSource* sources_ = nullptr;
    bool allocated_ = false;
    std::span<const double> timeAxis_;
    std::vector<double> frequencies_;
    std::vector<double> waveform_;
    std::vector<double> packed_;
    double period_ = 0.0;
    std::int32_t harmonics_ = 0;
    std::int32_t sampleCount_ = 0;
};

}  // namespace velmar
