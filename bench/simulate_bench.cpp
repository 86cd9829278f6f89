#include "engine/simulate.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

std::vector<char> block(const std::vector<std::string>& records)
{
    std::vector<char> b(100 * 128, ' ');
    for (std::size_t r = 0; r < records.size(); ++r)
        std::copy(records[r].begin(), records[r].end(), b.begin() + r * 128);
    return b;
}

// A filter circuit of about 30 nodes: driver, an LC ladder standing in for part models,
// a microstrip line and a receiver.
std::vector<char> filterCircuit(int harmonics)
{
    std::vector<std::string> r = {"V 1 PULSE(0 3.3 1e-9 1e-9 9e-9 20e-9)", "R 1 2 25"};
    for (int n = 2; n < 28; ++n) {
        r.push_back("L " + std::to_string(n) + " " + std::to_string(n + 1) + " 2e-9");
        r.push_back("C " + std::to_string(n + 1) + " 0 0.4e-12");
    }
    r.push_back("R 2 28 500");
    r.push_back("Z 28 29 LINEA(0.05 0.0016 0.003 0 4.5)");
    r.push_back("C 29 0 5e-12");
    r.push_back("R 29 0 1e5");
    r.push_back(".SPECTRUM " + std::to_string(harmonics));
    r.push_back(".PRINT 29");
    r.push_back(".END");
    return block(r);
}

// The USB2.0 high-speed differential pair with a common-mode choke and a coupled microstrip.
std::vector<char> differentialPair()
{
    return block({"V 100 PULSE(0 0.65 6.25E-10 6.25E-10 1.458333E-09 4.16666666666667E-09)",
                  "V 200 PULSE(0 0.65 6.25E-10 6.25E-10 1.458333E-09 4.16666666666667E-09 2.0833332836645E-09)",
                  "R1 100 300 28", "R11 100 0 15e3", "R2 200 400 28", "R21 200 0 15e3",
                  "F 300 500 400 600 TRANS(1.2E-06 1.2E-06 0.98)", "R 300 500 800", "R 400 600 800",
                  "C 300 500 1E-12", "C 400 600 1E-12",
                  "F 500 700 600 800 DUAL_LINEA(0.1 0.0005 0.00025 0.00025 4.6)", "R2 700 0 45",
                  "R3 800 0 45", "C1 700 0 5E-12", "C2 800 0 5E-12", ".SPECTRUM 100", ".PRINT 700", ".END"});
}

void run(benchmark::State& state, std::vector<char> netlist, int harmonics)
{
    std::vector<double> time(2 * harmonics + 1), wave(2 * harmonics + 1), freq(harmonics + 1),
        spectrum(2 * harmonics + 2);
    for (auto _ : state) {
        const int status = velmar::SimulateNetlist(netlist.data(), time.data(), wave.data(), freq.data(),
                                                   spectrum.data());
        if (status != 1)
            state.SkipWithError("simulation failed");
        benchmark::DoNotOptimize(wave.data());
    }
}

void FilterCircuitN100(benchmark::State& state) { run(state, filterCircuit(100), 100); }
void FilterCircuitN1000(benchmark::State& state) { run(state, filterCircuit(1000), 1000); }
void DifferentialPairN100(benchmark::State& state) { run(state, differentialPair(), 100); }

}  // namespace

BENCHMARK(FilterCircuitN100)->Unit(benchmark::kMillisecond);
BENCHMARK(FilterCircuitN1000)->Unit(benchmark::kMillisecond);
BENCHMARK(DifferentialPairN100)->Unit(benchmark::kMillisecond);
