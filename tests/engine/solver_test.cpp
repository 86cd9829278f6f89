#include "engine/circuit.h"
#include "engine/solver.h"
#include "engine/source.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

using velmar::Circuit;
using velmar::Complex;
using velmar::SignalSource;

constexpr double kTwoPi = 6.28318530717958;

SignalSource sourceAt(int node, Complex amplitude)
{
    SignalSource source;
    source.SetNode(node);
    source.SetAmplitude(amplitude);
    return source;
}

// Solves and captures what the solve printed.
struct SolveResult {
    int status;
    Complex voltage;
    std::string printed;
};

SolveResult solve(Circuit& circuit, double f, const std::vector<SignalSource>& sources)
{
    SolveResult result{0, Complex{-123.0, 456.0}, {}};
    testing::internal::CaptureStdout();
    result.status = circuit.SolveAtFrequency(f, static_cast<int>(sources.size()), sources.data(), result.voltage);
    result.printed = testing::internal::GetCapturedStdout();
    return result;
}

void expectUntouched(const SolveResult& r)
{
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.voltage.re, -123.0);
    EXPECT_EQ(r.voltage.im, 456.0);
}

TEST(NodalSolve, ResistiveDividerGivesHalfAtEveryFrequency)
{
    Circuit circuit;
    circuit.AddResistor(1, 2, 50.0);
    circuit.AddResistor(2, 0, 50.0);
    circuit.SetPrintNode(2);
    const Complex v{3.0, -1.5};
    for (double f : {1e-3, 1.0, 1e6, 1e9}) {
        const SolveResult r = solve(circuit, f, {sourceAt(1, v)});
        ASSERT_EQ(r.status, 1);
        EXPECT_EQ(r.printed, "");
        EXPECT_NEAR(r.voltage.re, 1.5, 4 * std::numeric_limits<double>::epsilon() * 1.5);
        EXPECT_NEAR(r.voltage.im, -0.75, 4 * std::numeric_limits<double>::epsilon() * 0.75);
    }
}

TEST(NodalSolve, RcLowPassFollowsFirstOrderResponse)
{
    const double C = 1e-9;
    Circuit circuit;
    circuit.AddResistor(1, 2, 50.0);
    circuit.AddCapacitor(2, 0, C);
    circuit.SetPrintNode(2);
    for (double f : {1e5, 1.0 / (kTwoPi * 50.0 * C), 1e8}) {
        const SolveResult r = solve(circuit, f, {sourceAt(1, Complex{2.0, 0.0})});
        ASSERT_EQ(r.status, 1);
        const Complex expected = velmar::ComplexDivide(Complex{2.0, 0.0}, Complex{1.0, kTwoPi * f * 50.0 * C});
        EXPECT_NEAR(r.voltage.re, expected.re, 1e-13);
        EXPECT_NEAR(r.voltage.im, expected.im, 1e-13);
    }
}

TEST(NodalSolve, MatchedCoupledLineWithEqualModesLeavesTheVictimQuiet)
{
    // Source resistance, line and loads all 50 ohm: the driven line delivers half the
    // source voltage delayed by its electrical length, the other line stays at 0.
    Circuit circuit;
    circuit.AddResistor(1, 2, 50.0);
    circuit.AddCoupledLine(2, 3, 4, 5, 0.1, 50.0, 4.0, 50.0, 4.0);
    circuit.AddResistor(3, 0, 50.0);
    circuit.AddResistor(4, 0, 50.0);
    circuit.AddResistor(5, 0, 50.0);
    const double tau = circuit.element(1).parameters[1];
    const double f = 123e6;
    circuit.SetPrintNode(3);
    SolveResult r = solve(circuit, f, {sourceAt(1, Complex{1.0, 0.0})});
    ASSERT_EQ(r.status, 1);
    EXPECT_NEAR(r.voltage.re, 0.5 * std::cos(kTwoPi * f * tau), 1e-12);
    circuit.SetPrintNode(5);
    r = solve(circuit, f, {sourceAt(1, Complex{1.0, 0.0})});
    ASSERT_EQ(r.status, 1);
    EXPECT_NEAR(std::hypot(r.voltage.re, r.voltage.im), 0.0, 1e-12);
}

TEST(NodalSolveSources, PrintOnGivenNodeAndSlotOrder)
{
    Circuit circuit;
    circuit.AddResistor(1, 2, 50.0);
    circuit.AddResistor(2, 0, 50.0);
    circuit.SetPrintNode(1);
    // Two sources on one node: the lower slot gives the voltage.
    const SolveResult r = solve(circuit, 1e6, {sourceAt(1, Complex{2.0, 1.0}), sourceAt(1, Complex{9.0, 9.0})});
    ASSERT_EQ(r.status, 1);
    EXPECT_EQ(r.voltage.re, 2.0);
    EXPECT_EQ(r.voltage.im, 1.0);

    // A source on a node that no element touches has no effect.
    Circuit fresh;
    fresh.AddResistor(1, 2, 50.0);
    fresh.AddResistor(2, 0, 50.0);
    fresh.SetPrintNode(2);
    const SolveResult quiet = solve(fresh, 1e6, {sourceAt(9, Complex{5.0, 0.0})});
    ASSERT_EQ(quiet.status, 1);
    EXPECT_EQ(quiet.printed, "");
    EXPECT_EQ(std::hypot(quiet.voltage.re, quiet.voltage.im), 0.0);
}

TEST(NodalSolveFailures, EachMessageAndOutputUntouched)
{
    Circuit circuit;
    circuit.AddResistor(1, 2, 50.0);
    circuit.AddResistor(2, 0, 50.0);
    const std::vector<SignalSource> source{sourceAt(1, Complex{1.0, 0.0})};

    SolveResult r = solve(circuit, 1e6, {});
    expectUntouched(r);
    EXPECT_EQ(r.printed, "Error: Electric source is missing\n");

    r = solve(circuit, 1e6, source);
    expectUntouched(r);
    EXPECT_EQ(r.printed, "Error: .PRINT is missing\n");

    circuit.SetPrintNode(17);
    r = solve(circuit, 1e6, source);
    expectUntouched(r);
    EXPECT_EQ(r.printed, "Error: Specified node in .PRINT does not exist: Node =17\n");

    circuit.SetPrintNode(2);
    r = solve(circuit, 1e6, {sourceAt(1, Complex{std::numeric_limits<double>::infinity(), 0.0})});
    expectUntouched(r);
    EXPECT_EQ(r.printed.rfind("Error: ", 0), 0u);
}

TEST(NodalSolveFailures, NoUnknownNodeReportsAndReturns)
{
    Circuit circuit;
    circuit.AddResistor(1, 0, 50.0);
    circuit.SetPrintNode(1);
    const SolveResult r = solve(circuit, 1e6, {sourceAt(1, Complex{1.0, 0.0})});
    expectUntouched(r);
    const std::string rows = "\x8d\x73\x90\x94\x82\xaa\x82\x4f\x88\xc8\x89\xba\x82\xcc\x8d\x73\x97\xf1\x82\xcc\x90\xb6\x90\xac";
    EXPECT_EQ(r.printed, "\nMATRIX CLASS ERROR\n" + rows + "\n");
}

TEST(NodalSolveFailures, FloatingNodesAreSingularAndTheProcessGoesOn)
{
    Circuit circuit;
    circuit.AddResistor(1, 2, 50.0);
    circuit.AddResistor(2, 0, 50.0);
    circuit.AddResistor(3, 4, 10.0); // an island with no path to ground or source
    circuit.SetPrintNode(2);
    const std::vector<SignalSource> source{sourceAt(1, Complex{1.0, 0.0})};
    for (int attempt = 0; attempt < 2; ++attempt) {
        const SolveResult r = solve(circuit, 1e6, source);
        expectUntouched(r);
        EXPECT_EQ(r.printed.rfind("\n *** FATAL    ERROR 2 from DLFTCG.  The input matrix is singular.", 0), 0u)
            << r.printed;
    }
    // A sound circuit afterwards still solves: nothing of the failure lingers.
    Circuit sound;
    sound.AddResistor(1, 2, 50.0);
    sound.AddResistor(2, 0, 50.0);
    sound.SetPrintNode(2);
    const SolveResult ok = solve(sound, 1e6, source);
    ASSERT_EQ(ok.status, 1);
    EXPECT_NEAR(ok.voltage.re, 0.5, 1e-15);
}

TEST(ComplexMatrixLayer, EmptyMatrixReportedAndThrown)
{
    testing::internal::CaptureStdout();
    EXPECT_THROW(velmar::ComplexMatrix(3, -1), velmar::MatrixStop);
    const std::string columns = "\x97\xf1\x90\x94\x82\xaa\x82\x4f\x88\xc8\x89\xba\x82\xcc\x8d\x73\x97\xf1\x82\xcc\x90\xb6\x90\xac";
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "\nMATRIX CLASS ERROR\n" + columns + "\n");
}

TEST(ComplexMatrixLayer, FactorIntoSeparateMatrixSolvesAAndKeepsIt)
{
    // Non-symmetric, so factoring the transpose by mistake gives a different solution.
    Complex** A = velmar::ComplexMatrix(2, 2);
    Complex** F = velmar::ComplexMatrix(2, 2);
    A[0][0] = {1, 0}, A[0][1] = {2, 1}, A[1][0] = {3, 0}, A[1][1] = {4, -1};
    // x = (1, j): b = (1 + j(2 + j), 3 + j(4 - j)) = (j 2, 4 + j 4).
    std::vector<Complex> b{{0, 2}, {4, 4}}, x(2);
    std::vector<int> pivots(2);
    velmar::LuFactor(2, A, F, pivots.data());
    velmar::LuSolve(2, F, pivots.data(), b.data(), 1, x.data());
    EXPECT_NEAR(x[0].re, 1.0, 1e-14);
    EXPECT_NEAR(x[1].im, 1.0, 1e-14);
    EXPECT_NEAR(std::abs(x[0].im) + std::abs(x[1].re), 0.0, 1e-14);
    EXPECT_EQ(A[0][1].re, 2.0);
    velmar::Transpose(2, A, A);
    EXPECT_EQ(A[0][1].re, 3.0);
    velmar::FreeComplexMatrix(F);
    velmar::FreeComplexMatrix(A);
}

TEST(RealFftWrappers, PackedLayoutAndRoundTrip)
{
    const int n = 201;
    std::vector<double> x(n);
    for (int j = 0; j < n; ++j)
        x[j] = std::cos(kTwoPi * 3.0 * j / n) + 0.5; // X_0 = n / 2, X_3 = n / 2
    std::vector<double> packed(n), back(n);
    velmar::ForwardRealFft(n, x.data(), packed.data());
    EXPECT_NEAR(packed[0], n / 2.0, 1e-10);
    EXPECT_NEAR(packed[5], n / 2.0, 1e-10);
    EXPECT_NEAR(packed[6], 0.0, 1e-10);
    EXPECT_NEAR(packed[1], 0.0, 1e-10);
    velmar::BackwardRealFft(n, packed.data(), back.data());
    for (int j = 0; j < n; ++j)
        EXPECT_NEAR(back[j], n * x[j], 1e-10);
}

} // namespace
