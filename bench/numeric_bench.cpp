#include "engine/numeric/fft.h"
#include "engine/numeric/lu.h"

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

namespace vn = velmar::numeric;

namespace {

std::vector<double> randomReals(std::size_t count, unsigned seed)
{
    std::mt19937 gen(seed);
    std::uniform_real_distribution<double> dist(-1.0, 1.0);
    std::vector<double> v(count);
    for (double& x : v)
        x = dist(gen);
    return v;
}

// One forward transform as the engine makes it: work array built afresh on every call.
void forwardTransform(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    const auto seq = randomReals(static_cast<std::size_t>(n), 1);
    std::vector<double> coef(seq.size());
    for (auto _ : state) {
        vn::DFFTRF(n, seq.data(), coef.data());
        benchmark::DoNotOptimize(coef.data());
    }
}

void backwardTransform(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    const auto coef = randomReals(static_cast<std::size_t>(n), 2);
    std::vector<double> seq(coef.size());
    for (auto _ : state) {
        vn::DFFTRB(n, coef.data(), seq.data());
        benchmark::DoNotOptimize(seq.data());
    }
}

// Factor plus one solve of a dense complex system, as the nodal solve does per harmonic.
void factorAndSolve(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    const auto parts = randomReals(2 * static_cast<std::size_t>(n) * (n + 1), 3);
    std::vector<velmar::Complex> a(static_cast<std::size_t>(n) * n), b(static_cast<std::size_t>(n));
    for (std::size_t i = 0; i < a.size(); ++i)
        a[i] = {parts[2 * i], parts[2 * i + 1]};
    for (std::size_t i = 0; i < b.size(); ++i)
        b[i] = {parts[2 * (a.size() + i)], parts[2 * (a.size() + i) + 1]};
    std::vector<velmar::Complex> fac(a.size()), x(b.size());
    std::vector<int> ipvt(b.size());
    for (auto _ : state) {
        vn::DLFTCG(n, a.data(), n, fac.data(), n, ipvt.data());
        vn::DLFSCG(n, fac.data(), n, ipvt.data(), b.data(), 1, x.data());
        benchmark::DoNotOptimize(x.data());
    }
}

} // namespace

BENCHMARK(forwardTransform)->Arg(201)->Arg(2001)->Arg(2667)->Arg(2657)->Unit(benchmark::kMicrosecond);
BENCHMARK(backwardTransform)->Arg(201)->Arg(2001)->Arg(2667)->Arg(2657)->Unit(benchmark::kMicrosecond);
BENCHMARK(factorAndSolve)->Arg(10)->Arg(30)->Arg(100)->Arg(199)->Unit(benchmark::kMicrosecond);
