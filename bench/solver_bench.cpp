#include "engine/circuit.h"
#include "engine/source.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

// A ladder of `nodes` unknown nodes fed from a source node: series R, L and line
// sections cycling along the chain, shunt C and R to ground, and a coupled-inductor
// pair bridging every tenth section. Stays under the 99-element limit at 60 nodes.
velmar::Circuit buildLadder(int nodes)
{
    velmar::Circuit circuit;
    const int source = 1000;
    circuit.AddResistor(source, 1, 25.0);
    for (int i = 1; i < nodes; ++i) {
        switch (i % 3) {
        case 0:
            circuit.AddResistor(i, i + 1, 5.0 + i);
            break;
        case 1:
            circuit.AddInductor(i, i + 1, 10e-9 * i);
            break;
        default:
            circuit.AddLine(i, i + 1, 0.02, 50.0, 3.4);
            break;
        }
    }
    for (int i = 1; i <= nodes; i += 3)
        circuit.AddCapacitor(i, 0, 1e-12 * i);
    for (int i = 2; i <= nodes; i += 10)
        circuit.AddResistor(i, 0, 1000.0);
    for (int i = 5; i + 5 <= nodes; i += 10)
        circuit.AddTransformer(i, 0, i + 5, i + 4, 1e-6, 2e-6, 0.7);
    circuit.SetPrintNode(nodes);
    return circuit;
}

void solveAtFrequency(benchmark::State& state)
{
    velmar::Circuit circuit = buildLadder(static_cast<int>(state.range(0)));
    std::vector<velmar::SignalSource> sources(1);
    sources[0].SetNode(1000);
    sources[0].SetAmplitude(velmar::Complex{1.0, 0.0});
    const int sourceCount = 1;
    velmar::Complex output;
    // The harmonics of a 10 MHz clock, as one sweep visits them.
    int harmonic = 1;
    for (auto _ : state) {
        const double frequency = 10e6 * harmonic;
        if (circuit.SolveAtFrequency(frequency, sourceCount, sources.data(), output) != 1)
            state.SkipWithError("solve failed");
        benchmark::DoNotOptimize(output);
        harmonic = harmonic % 100 + 1;
    }
    state.counters["elements"] = circuit.elementCount();
    state.counters["unknowns"] = circuit.unknownCount();
}

BENCHMARK(solveAtFrequency)->Arg(20)->Arg(60)->Unit(benchmark::kMicrosecond);

} // namespace
