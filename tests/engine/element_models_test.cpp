#include "engine/element_models.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

using velmar::Complex;
using velmar::LocalAdmittance;

constexpr double kTwoPi = 6.28318530717958;

void expectNear(Complex actual, Complex expected, double tolerance)
{
    EXPECT_NEAR(actual.re, expected.re, tolerance);
    EXPECT_NEAR(actual.im, expected.im, tolerance);
}

void expectStamp(const LocalAdmittance& y, Complex v, double tolerance)
{
    expectNear(y[0][0], v, tolerance);
    expectNear(y[1][1], v, tolerance);
    expectNear(y[0][1], Complex{-v.re, -v.im}, tolerance);
    expectNear(y[1][0], Complex{-v.re, -v.im}, tolerance);
}

TEST(LumpedModels, StampsAndEntriesOutsideTheBlockUntouched)
{
    LocalAdmittance y;
    for (auto& row : y)
        row.fill(Complex{7.0, -7.0});
    velmar::ResistorAdmittance(50.0, y);
    expectStamp(y, Complex{0.02, 0.0}, 0.0);
    expectNear(y[2][2], Complex{7.0, -7.0}, 0.0);
    expectNear(y[0][3], Complex{7.0, -7.0}, 0.0);

    velmar::CapacitorAdmittance(1e6, 1e-9, y);
    expectStamp(y, Complex{0.0, kTwoPi * 1e6 * 1e-9}, 1e-18);
    velmar::InductorAdmittance(1e6, 1e-6, y);
    expectStamp(y, Complex{0.0, -1.0 / (kTwoPi * 1e6 * 1e-6)}, 1e-15);
}

TEST(LineModels, QuarterWaveLine)
{
    // cos theta = 0: no self admittance, transfer j / Z0.
    LocalAdmittance y{};
    velmar::LineAdmittance(0.25e9, 50.0, 1e-9, y);
    expectNear(y[0][0], Complex{0.0, 0.0}, 1e-12);
    expectNear(y[1][0], Complex{0.0, 0.02}, 1e-12);
}

TEST(LineModels, CoupledPairWithEqualModesIsTwoUncoupledLines)
{
    LocalAdmittance pair{}, single{};
    velmar::CoupledLineAdmittance(123e6, 60.0, 0.7e-9, 60.0, 0.7e-9, pair);
    velmar::LineAdmittance(123e6, 60.0, 0.7e-9, single);
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 2; ++j) {
            expectNear(pair[i][j], single[i][j], 1e-15);
            expectNear(pair[i + 2][j + 2], single[i][j], 1e-15);
            expectNear(pair[i][j + 2], Complex{0.0, 0.0}, 1e-15);
            expectNear(pair[i + 2][j], Complex{0.0, 0.0}, 1e-15);
        }
}

TEST(CoupledInductorModel, ZeroCouplingAndInverseOfInductanceMatrix)
{
    const double f = 3e6, w = kTwoPi * f, L1 = 2e-6, L2 = 8e-6;
    LocalAdmittance y{};
    velmar::CoupledInductorAdmittance(f, L1, L2, 0.0, y);
    EXPECT_NEAR(y[0][0].im, -1.0 / (w * L1), 1e-15);
    EXPECT_NEAR(y[3][3].im, -1.0 / (w * L2), 1e-15);
    EXPECT_EQ(y[0][2].im, 0.0);
    EXPECT_EQ(y[3][1].im, 0.0);

    // j w [[L1, M], [M, L2]] times the port admittances is the identity.
    const double k = 0.9, M = k * std::sqrt(L1 * L2);
    velmar::CoupledInductorAdmittance(f, L1, L2, k, y);
    const double y1 = y[0][0].im, ym = y[0][2].im, y2 = y[2][2].im;
    EXPECT_NEAR(-w * (L1 * y1 + M * ym), 1.0, 1e-12);
    EXPECT_NEAR(-w * (L1 * ym + M * y2), 0.0, 1e-12);
    EXPECT_NEAR(-w * (M * ym + L2 * y2), 1.0, 1e-12);
    EXPECT_EQ(y[1][3].im, ym); // dots on terminals 0 and 2
}

TEST(TableModels, ImpedanceTableInterpolatesAndExtrapolates)
{
    const std::vector<double> rows{1e6, 10.0, 1.0, 10e6, 20.0, 5.0, 100e6, 40.0, 50.0};
    const struct {
        double f;
        Complex z;
    } probes[] = {{500e3, {9.0 + 4.0 / 9.0, 7.0 / 9.0}}, {10e6, {20.0, 5.0}}, {200e6, {62.0 + 2.0 / 9.0, 100.0}}};
    for (const auto& p : probes) {
        LocalAdmittance y{};
        velmar::ImpedanceTableAdmittance(p.f, 3, rows.data(), y);
        const Complex expected = velmar::ComplexDivide(Complex{1.0, 0.0}, p.z);
        expectStamp(y, expected, 1e-12 * std::hypot(expected.re, expected.im));
    }
    // A single row holds at every frequency.
    LocalAdmittance y{};
    velmar::ImpedanceTableAdmittance(1e9, 1, rows.data() + 3, y);
    expectStamp(y, velmar::ComplexDivide(Complex{1.0, 0.0}, Complex{20.0, 5.0}), 1e-15);
}

TEST(TableModels, TwoPortTableExactAtRowAndWithoutSymmetry)
{
    const std::vector<double> rows{1e6, 0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8,
                                   2e6, 1.1, 1.2, 1.3, 1.4, 1.5, 1.6, 1.7, 1.8};
    LocalAdmittance y{};
    velmar::YMatrixTableAdmittance(1e6, 2, rows.data(), y);
    expectNear(y[0][0], Complex{0.1, 0.2}, 0.0);
    expectNear(y[1][1], Complex{0.7, 0.8}, 0.0);
    velmar::YMatrixTableAdmittance(1.5e6, 2, rows.data(), y);
    expectNear(y[0][1], Complex{0.8, 0.9}, 1e-12);
    expectNear(y[1][0], Complex{1.0, 1.1}, 1e-12);
}

} // namespace
