#include "engine/numeric/errors.h"
#include "engine/numeric/fft.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>
#include <string>
#include <vector>

namespace vn = velmar::numeric;

namespace {

// Packed spectrum by the direct sums, in long double with the angle reduced mod N.
std::vector<double> directDft(const std::vector<double>& x)
{
    const int n = static_cast<int>(x.size());
    std::vector<double> coef(x.size());
    auto harmonic = [&](int m, long double& re, long double& im) {
        re = im = 0;
        for (int k = 0; k < n; ++k) {
            const long double angle = 2 * std::numbers::pi_v<long double> * ((static_cast<long long>(m) * k) % n) / n;
            re += x[static_cast<std::size_t>(k)] * std::cos(angle);
            im -= x[static_cast<std::size_t>(k)] * std::sin(angle);
        }
    };
    long double re, im;
    harmonic(0, re, im);
    coef[0] = static_cast<double>(re);
    for (int m = 1; m <= (n - 1) / 2; ++m) {
        harmonic(m, re, im);
        coef[static_cast<std::size_t>(2 * m - 1)] = static_cast<double>(re);
        coef[static_cast<std::size_t>(2 * m)] = static_cast<double>(im);
    }
    if (n % 2 == 0) {
        harmonic(n / 2, re, im);
        coef[static_cast<std::size_t>(n - 1)] = static_cast<double>(re);
    }
    return coef;
}

std::vector<double> randomSequence(int n, unsigned seed)
{
    std::mt19937 gen(seed);
    std::uniform_real_distribution<double> dist(-1.0, 1.0);
    std::vector<double> x(static_cast<std::size_t>(n));
    for (double& v : x)
        v = dist(gen);
    return x;
}

double largestMagnitude(const std::vector<double>& v)
{
    double m = 0;
    for (double e : v)
        m = std::max(m, std::fabs(e));
    return m;
}

std::vector<int> factorsOf(int n)
{
    std::vector<double> tab(2 * static_cast<std::size_t>(n) + 15);
    vn::DFFTRI(n, tab.data());
    const double* tail = tab.data() + 2 * n;
    EXPECT_EQ(tail[0], n);
    std::vector<int> factors;
    for (int i = 0; i < static_cast<int>(tail[1]); ++i)
        factors.push_back(static_cast<int>(tail[2 + i]));
    return factors;
}

} // namespace

TEST(FftFactors, TrialOrderAndTwoMovedToFront)
{
    EXPECT_EQ(factorsOf(8), (std::vector<int>{2, 4}));
    EXPECT_EQ(factorsOf(60), (std::vector<int>{4, 3, 5}));
    EXPECT_EQ(factorsOf(840), (std::vector<int>{2, 4, 3, 5, 7}));
    EXPECT_EQ(factorsOf(201), (std::vector<int>{3, 67}));
    EXPECT_EQ(factorsOf(2657), (std::vector<int>{2657}));
}

class FftLength : public ::testing::TestWithParam<int> {};

TEST_P(FftLength, ForwardMatchesDirectSumsAndRoundTripScalesByN)
{
    const int n = GetParam();
    const auto x = randomSequence(n, static_cast<unsigned>(n));
    std::vector<double> coef(x.size(), 0.0);
    vn::DFFTRF(n, x.data(), coef.data());

    const auto expected = directDft(x);
    // The general odd pass builds its rotations as powers by repeated multiplication, so the
    // twiddle error grows about with the square of the factor: the prime 2657 (a single pass
    // of that factor) loses about three digits against the smooth lengths.
    const double widening = n == 2657 ? 1000.0 : 1.0;
    const double tolerance = 1e-12 * widening * largestMagnitude(expected);
    for (int i = 0; i < n; ++i)
        ASSERT_NEAR(coef[static_cast<std::size_t>(i)], expected[static_cast<std::size_t>(i)], tolerance)
            << "coefficient " << i + 1;

    std::vector<double> back(x.size(), 0.0);
    vn::DFFTRB(n, coef.data(), back.data());
    for (int i = 0; i < n; ++i)
        ASSERT_NEAR(back[static_cast<std::size_t>(i)], n * x[static_cast<std::size_t>(i)], 1e-12 * widening * n)
            << "sample " << i + 1;
}

// Every pass: radix 2, 3, 4, 5 and general odd factors, alone and mixed, with odd and even
// inner lengths.
INSTANTIATE_TEST_SUITE_P(Lengths, FftLength,
                         ::testing::Values(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 14, 15, 16, 18, 20, 25, 30, 32, 35, 49,
                                           60, 63, 64, 67, 77, 96, 100, 121, 135, 201, 210, 242, 375, 840, 1024,
                                           2001, 2657, 2667), [](const auto& i) { return "length" + std::to_string(i.param); });

TEST(Fft, SmallestLengths)
{
    const double one[] = {4.5};
    double out1[] = {0};
    vn::DFFTRF(1, one, out1);
    EXPECT_EQ(out1[0], 4.5);

    const double two[] = {3.0, 1.0};
    double out2[] = {0, 0};
    vn::DFFTRF(2, two, out2);
    EXPECT_EQ(out2[0], 4.0);
    EXPECT_EQ(out2[1], 2.0);
}

TEST(Fft, ConstantCosineAndSineOf201Points)
{
    const int n = 201;
    std::vector<double> constant(n, 2.5), cosine(n), sine(n);
    for (int k = 0; k < n; ++k) {
        cosine[static_cast<std::size_t>(k)] = std::cos(2 * std::numbers::pi * k / n);
        sine[static_cast<std::size_t>(k)] = std::sin(2 * std::numbers::pi * k / n);
    }
    std::vector<double> c(n), co(n), s(n);
    vn::DFFTRF(n, constant.data(), c.data());
    vn::DFFTRF(n, cosine.data(), co.data());
    vn::DFFTRF(n, sine.data(), s.data());

    EXPECT_NEAR(c[0], n * 2.5, 1e-12 * n);
    EXPECT_NEAR(co[1], n / 2.0, 1e-12 * n);
    EXPECT_NEAR(co[2], 0.0, 1e-12 * n);
    EXPECT_NEAR(s[1], 0.0, 1e-12 * n);
    EXPECT_NEAR(s[2], -n / 2.0, 1e-12 * n);
    for (int i = 1; i < n; ++i)
        ASSERT_NEAR(c[static_cast<std::size_t>(i)], 0.0, 1e-11) << i;
    for (int i = 3; i < n; ++i) {
        ASSERT_NEAR(co[static_cast<std::size_t>(i)], 0.0, 1e-11) << i;
        ASSERT_NEAR(s[static_cast<std::size_t>(i)], 0.0, 1e-11) << i;
    }
}

TEST(Fft, CallerTableAndSameArrayInPlace)
{
    const int n = 60;
    const auto x = randomSequence(n, 7);
    std::vector<double> tab(2 * n + 15);
    vn::DFFTRI(n, tab.data());

    std::vector<double> data = x;
    vn::DF2TRF(n, data.data(), data.data(), tab.data());
    std::vector<double> reference(n);
    vn::DFFTRF(n, x.data(), reference.data());
    EXPECT_EQ(data, reference);

    vn::DF2TRB(n, data.data(), data.data(), tab.data());
    for (int i = 0; i < n; ++i)
        ASSERT_NEAR(data[static_cast<std::size_t>(i)], n * x[static_cast<std::size_t>(i)], 1e-12 * n);
}

TEST(FftFailure, NonPositiveLengthPrintsAndLeavesOutputUntouched)
{
    for (int n : {0, -3}) {
        double seq[] = {1.0}, coef[] = {7.0};
        testing::internal::CaptureStdout();
        EXPECT_THROW(vn::DFFTRF(n, seq, coef), vn::NumericStop);
        const std::string out = testing::internal::GetCapturedStdout();
        EXPECT_NE(out.find("TERMINAL ERROR 1 from DFFTRF.  The length of the sequence N = " + std::to_string(n) +
                           ".  It\n ***          must be at least 1."),
                  std::string::npos)
            << out;
        EXPECT_EQ(coef[0], 7.0);

        testing::internal::CaptureStdout();
        EXPECT_THROW(vn::DFFTRB(n, coef, seq), vn::NumericStop);
        testing::internal::GetCapturedStdout();
        EXPECT_EQ(seq[0], 1.0);
    }
    // The run after a stop starts from a clean stack.
    const double two[] = {1.0, 1.0};
    double out[2];
    vn::DFFTRF(2, two, out);
    EXPECT_EQ(out[0], 2.0);
}

TEST(FftFailure, LengthWithMoreThanThirteenFactorsIsRefused)
{
    int n = 2;
    for (int i = 0; i < 13; ++i)
        n *= 3;  // 2 x 3^13, the smallest length with 14 factors
    std::vector<double> seq(static_cast<std::size_t>(n), 1.0), coef(static_cast<std::size_t>(n), -1.0);
    testing::internal::CaptureStdout();
    try {
        vn::DFFTRF(n, seq.data(), coef.data());
        ADD_FAILURE() << "no stop";
    } catch (const vn::NumericStop& stop) {
        EXPECT_EQ(stop.routine(), "DFFTRI");
        EXPECT_EQ(stop.type(), vn::kTerminal);
    }
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("has more than 13\n"), std::string::npos) << out;
    EXPECT_NE(out.find("DFFTRF"), std::string::npos) << "traceback names the caller";
    EXPECT_TRUE(std::all_of(coef.begin(), coef.end(), [](double v) { return v == -1.0; }));
}

TEST(FftFailure, UnpreparedTableIsRefused)
{
    const int n = 12;
    std::vector<double> tab(2 * n + 15, 0.0), seq(n, 1.0), coef(n, 5.0);
    vn::DFFTRI(8, tab.data());  // prepared for another length
    testing::internal::CaptureStdout();
    EXPECT_THROW(vn::DF2TRF(n, seq.data(), coef.data(), tab.data()), vn::NumericStop);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(coef, std::vector<double>(n, 5.0));
}
