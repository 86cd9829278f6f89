#include "engine/simulate.h"

#include "engine/circuit.h"
#include "engine/netlist_reader.h"
#include "engine/source.h"
#include "engine/sweep.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdio>
#include <exception>

namespace velmar {

namespace {

struct Outputs {
    double* time;
    double* wave;
    double* freq;
    double* spectrum;
    std::size_t harmonics;

    void clear() const
    {
        const std::size_t samples = 2 * harmonics + 1;
        if (time != nullptr)
            std::fill_n(time, samples, 0.0);
        if (wave != nullptr)
            std::fill_n(wave, samples, 0.0);
        if (freq != nullptr)
            std::fill_n(freq, harmonics + 1, 0.0);
        if (spectrum != nullptr)
            std::fill_n(spectrum, 2 * harmonics + 2, 0.0);
    }
};

// The sweep's arrays are zero wherever it did not get to, so a failed run copies zeros there.
void copyOut(const HarmonicSweep& sweep, const Outputs& out)
{
    const auto times = sweep.TimeAxis();
    const auto waveform = sweep.Waveform();
    const auto frequencies = sweep.Frequencies();
    const auto packed = sweep.PackedSpectrum();
    std::copy(times.begin(), times.end(), out.time);
    std::copy(waveform.begin(), waveform.end(), out.wave);
    std::copy(frequencies.begin(), frequencies.end(), out.freq);
    out.spectrum[0] = packed[0];
    out.spectrum[1] = 0.0;
    for (std::size_t k = 1; k <= out.harmonics; ++k) {
        out.spectrum[2 * k] = packed[2 * k - 1];
        out.spectrum[2 * k + 1] = packed[2 * k];
    }
}

std::int32_t simulate(char* netlist, const Outputs& out)
{
    HarmonicSweep sweep;
    Circuit circuit;
    std::array<SignalSource, NetlistReader::kSourceSlots> sources;
    NetlistReader reader;
    std::int32_t sourceCount = 0;

    const std::int32_t read = reader.Read(netlist, circuit, sourceCount, sources.data());
    const std::int32_t ran = sweep.Run(circuit, sourceCount, sources.data());
    // Arrays sized for another count than the sweep used cannot take its results.
    if (!sweep.IsAllocated() || static_cast<std::size_t>(sweep.HarmonicCount()) != out.harmonics)
        return 0;
    copyOut(sweep, out);
    return read != 0 && ran != 0 ? 1 : 0;
}

}  // namespace

std::int32_t SimulateNetlist(char* netlist, double* time, double* wave, double* freq,
                             double* spectrum)
{
    const Outputs out{time, wave, freq, spectrum,
                      static_cast<std::size_t>(NetlistReader::RequestedHarmonics(netlist))};
    out.clear();
    if (netlist == nullptr || time == nullptr || wave == nullptr || freq == nullptr
        || spectrum == nullptr)
        return 0;
    try {
        return simulate(netlist, out);
    } catch (const std::exception& e) {
        std::printf("Error: %s\n", e.what());
    } catch (...) {
        std::printf("Error: Simulation stopped\n");
    }
    out.clear();
    return 0;
}

}  // namespace velmar
