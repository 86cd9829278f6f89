#pragma once
// What the simulation runs of both circuit families share: the part states of a run, the netlist
// block as the engine takes it, the engine call and its error, the waveform and spectrum runs'
// harmonic counts and buffers, and the run's hourglass and error trap.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "app/shared/mdlPublic.h"

namespace platform {
class Form;
}

namespace app {

enum PartState : std::int16_t { WithPart = 0, WithoutPart = 1 };

constexpr std::size_t NetlistBlockBytes = mdlPublic::NetlistLineCount * mdlPublic::NetlistLineLength;

// Turns every "," into "." in the written lines: line by line until the first line that begins
// with a blank (the engine would take a decimal comma for a field separator).
void replaceDecimalCommas(mdlPublic::NetlistBlock& block);

// The 8-bit copy handed to the engine: record i at byte 128 i, blank-padded, no terminating NUL.
std::array<char, NetlistBlockBytes> toEngineBlock(const mdlPublic::NetlistBlock& block);

// A run the engine could not solve: our own number, above the run-time's.
constexpr int errEngineFailed = 1001;

// The spectrum runs' harmonic count for a clock of f MHz: 1000 / f, halves to even. An overflow
// of the 16-bit count is error 6.
std::int16_t harmonicCount(float clockMHz);

// The waveform runs: 100 harmonics, 201 samples over one clock period.
constexpr std::int16_t WaveHarmonics = 100;
constexpr std::size_t WavePoints = 2 * WaveHarmonics + 1;

// Points of a stored waveform: the period's 201 samples and the first one repeated a period on;
// the differential pair's go on with samples 1..152 of the next period (353/201 of a period).
constexpr std::size_t FilterResultPoints = WavePoints + 1;
constexpr std::size_t DiffResultPoints = 354;

// What one engine run writes, of the exact sizes for its harmonic count.
struct EngineOutput {
    explicit EngineOutput(std::int16_t harmonics);
    std::vector<double> time, wave, freq, spectrum;
};

// Hands the written block to the engine, decimal commas turned into points first. The engine
// reports a circuit it could not read or solve only through its result; such a run raises
// errEngineFailed, so that its results are never shown as if they were good.
void runEngine(mdlPublic::NetlistBlock& block, EngineOutput& out);

// Sizes a result record for a run of n spectrum harmonics and waveforms of wavePoints points.
void sizeResult(mdlPublic::SimResultRecord& r, std::size_t wavePoints, std::int16_t n);

// One period of a waveform run into r; its 202nd point closes the period with the value at time 0.
void storePeriod(const EngineOutput& out, double period, mdlPublic::SimResultRecord& r);
// A spectrum run's frequencies and spectrum into r.
void storeSpectrum(const EngineOutput& out, mdlPublic::SimResultRecord& r);

// Whether simulation s fits into the tables; otherwise the user is told that no more can be run.
bool roomForSimulation(std::int16_t s);

// Runs one simulation of `form` under the hourglass. A run-time error ends it with the error box
// "Vandor.<form>.StartSimulation", shown with the pointer back to normal.
void runUnderHourglass(const platform::Form& form, const std::function<void()>& run);

}  // namespace app
