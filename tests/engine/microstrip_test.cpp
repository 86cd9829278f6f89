#include "engine/microstrip.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(SingleMicrostrip, PermittivityImpedanceAndDelay)
{
    EXPECT_NEAR(velmar::MicrostripEffPermittivity(1e-3, 1e-3, 4.7), 2.85 + 1.85 / std::sqrt(11.0), 1e-14);

    const double h = 1.6e-3, w = 3e-3;
    const double eeff = velmar::MicrostripEffPermittivity(h, w, 4.4);
    const double flat = velmar::MicrostripImpedance(h, w, 0.0, eeff);
    EXPECT_EQ(velmar::MicrostripImpedance(h, w, -1e-5, eeff), flat); // t <= 0: no correction
    EXPECT_NEAR(flat, 50.0, 2.0); // the classic 50 ohm track on a 1.6 mm board
    // A thick strip is effectively wider, so its impedance is lower.
    EXPECT_LT(velmar::MicrostripImpedance(h, w, 35e-6, eeff), flat);

    EXPECT_NEAR(velmar::LineDelay(1.0, 1.0), 3.335641597318678e-9, 1e-24);
    EXPECT_NEAR(velmar::LineDelay(0.1, 4.0), 0.1 * 2.0 * 3.335641597318678e-9, 1e-24);
}

struct CoupledCase {
    double h, w, s, er;
    double Ze, eeffEven, Zo, eeffOdd;
};

class CoupledMicrostrip : public testing::TestWithParam<CoupledCase> {};

TEST_P(CoupledMicrostrip, MatchesReferenceValues)
{
    const CoupledCase& c = GetParam();
    double Ze = 0, eeffEven = 0, Zo = 0, eeffOdd = 0;
    velmar::CoupledMicrostripParams(c.h, c.w, c.s, c.er, Ze, eeffEven, Zo, eeffOdd);
    EXPECT_NEAR(Ze, c.Ze, 1e-4 * c.Ze);
    EXPECT_NEAR(eeffEven, c.eeffEven, 1e-4 * c.eeffEven);
    EXPECT_NEAR(Zo, c.Zo, 1e-4 * c.Zo);
    EXPECT_NEAR(eeffOdd, c.eeffOdd, 1e-4 * c.eeffOdd);
}

INSTANTIATE_TEST_SUITE_P(Boards, CoupledMicrostrip,
                         testing::Values(CoupledCase{0.2e-3, 0.2e-3, 0.2e-3, 4.7, 78.5299, 3.59084, 58.8817, 3.05262},
                                         CoupledCase{1.6e-3, 0.3e-3, 0.2e-3, 4.4, 192.418, 3.04594, 64.5707,
                                                     2.71083}),
                         [](const testing::TestParamInfo<CoupledCase>& i) {  // the board: h1600um_w300um_s200um_er44
                             const auto um = [](double m) { return std::to_string(std::lround(m * 1e6)) + "um_"; };
                             return "h" + um(i.param.h) + "w" + um(i.param.w) + "s" + um(i.param.s) + "er" + std::to_string(std::lround(i.param.er * 10)); });

} // namespace
