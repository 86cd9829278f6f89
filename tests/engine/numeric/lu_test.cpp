#include "engine/numeric/errors.h"
#include "engine/numeric/lu.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <complex>
#include <functional>
#include <tuple>
#include <cctype>
#include <limits>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace vn = velmar::numeric;
using velmar::Complex;

namespace {

using Cd = std::complex<double>;

Cd toStd(const Complex& z) { return {z.re, z.im}; }

// Column-ordered n x n matrix with leading dimension ld.
struct Matrix {
    int n;
    int ld;
    std::vector<Complex> a;
    Matrix(int order, int lead) : n(order), ld(lead), a(static_cast<std::size_t>(lead) * order) {}
    Complex& operator()(int i, int j) { return a[static_cast<std::size_t>((i - 1) + (j - 1) * ld)]; }
};

Matrix randomMatrix(int n, unsigned seed)
{
    std::mt19937 gen(seed);
    std::uniform_real_distribution<double> dist(-1.0, 1.0);
    Matrix m(n, n);
    for (auto& z : m.a)
        z = {dist(gen), dist(gen)};
    return m;
}

std::vector<Complex> randomVector(int n, unsigned seed)
{
    std::mt19937 gen(seed);
    std::uniform_real_distribution<double> dist(-1.0, 1.0);
    std::vector<Complex> v(static_cast<std::size_t>(n));
    for (auto& z : v)
        z = {dist(gen), dist(gen)};
    return v;
}

// Largest |op(A) x - b| over the rows, op = identity or conjugate transpose.
double residual(Matrix& a, const std::vector<Complex>& x, const std::vector<Complex>& b, bool conjugate)
{
    double worst = 0;
    for (int i = 1; i <= a.n; ++i) {
        Cd sum = 0;
        for (int j = 1; j <= a.n; ++j)
            sum += (conjugate ? std::conj(toStd(a(j, i))) : toStd(a(i, j))) * toStd(x[static_cast<std::size_t>(j - 1)]);
        worst = std::max(worst, std::abs(sum - toStd(b[static_cast<std::size_t>(i - 1)])));
    }
    return worst;
}

std::string captureStop(const std::function<void()>& call, int* type = nullptr)
{
    testing::internal::CaptureStdout();
    try {
        call();
        ADD_FAILURE() << "no stop";
    } catch (const vn::NumericStop& stop) {
        if (type)
            *type = stop.type();
    }
    return testing::internal::GetCapturedStdout();
}

} // namespace

class LuOrder : public ::testing::TestWithParam<int> {};

TEST_P(LuOrder, SolvesBothPathsFromOneFactorisation)
{
    const int n = GetParam();
    Matrix a = randomMatrix(n, static_cast<unsigned>(n));
    const auto b = randomVector(n, 99);
    Matrix fac(n, n);
    std::vector<int> ipvt(static_cast<std::size_t>(n));
    vn::DLFTCG(n, a.a.data(), n, fac.a.data(), n, ipvt.data());
    EXPECT_EQ(ipvt.back(), n);

    for (int path : {1, 2}) {
        std::vector<Complex> x(static_cast<std::size_t>(n));
        vn::DLFSCG(n, fac.a.data(), n, ipvt.data(), b.data(), path, x.data());
        EXPECT_LT(residual(a, x, b, path == 2), 1e-12 * n) << "IPATH " << path;
    }
}

// Orders below, at and across the block of eight, and the engine's largest system.
INSTANTIATE_TEST_SUITE_P(Orders, LuOrder, ::testing::Values(1, 2, 3, 8, 9, 17, 30, 100, 199),
                         [](const ::testing::TestParamInfo<int>& info) { return "order" + std::to_string(info.param); });

TEST(Lu, InPlaceWithWiderLeadingDimensionAndSharedRightHandSide)
{
    const int n = 5, ld = 7;
    Matrix a = randomMatrix(n, 3);
    Matrix wide(n, ld);
    for (int j = 1; j <= n; ++j)
        for (int i = 1; i <= n; ++i)
            wide(i, j) = a(i, j);
    std::vector<int> ipvt(n);
    vn::DLFTCG(n, wide.a.data(), ld, wide.a.data(), ld, ipvt.data());

    const auto b = randomVector(n, 4);
    auto x = b;
    vn::DLFSCG(n, wide.a.data(), ld, ipvt.data(), x.data(), 1, x.data());
    EXPECT_LT(residual(a, x, b, false), 1e-13);
}

TEST(LuPivot, ScaledMagnitudeDecidesAndTiesGoToTheLowerRow)
{
    std::vector<int> ipvt(2);
    Matrix fac(2, 2);

    Matrix scaled(2, 2);
    scaled(1, 1) = {1, 0};
    scaled(1, 2) = {1000, 0};
    scaled(2, 1) = {0.5, 0};
    scaled(2, 2) = {0.6, 0};
    vn::DLFTCG(2, scaled.a.data(), 2, fac.a.data(), 2, ipvt.data());
    EXPECT_EQ(ipvt[0], 2);

    Matrix tie(2, 2);
    tie(1, 1) = {2, 0};
    tie(1, 2) = {1, 0};
    tie(2, 1) = {-2, 0};
    tie(2, 2) = {1, 0};
    vn::DLFTCG(2, tie.a.data(), 2, fac.a.data(), 2, ipvt.data());
    EXPECT_EQ(ipvt[0], 1);
    EXPECT_EQ(ipvt[1], 2);
}

TEST(LuSingular, ZeroRowStopsWithTheFatalMessageAndTheProcessGoesOn)
{
    Matrix a(3, 3);
    a(1, 1) = {1, 0};
    a(1, 2) = {2, 0};
    a(3, 1) = {4, 0};
    a(3, 3) = {1, 0};  // row 2 stays all zero
    Matrix fac(3, 3);
    std::vector<int> ipvt(3);
    int type = 0;
    const std::string out = captureStop([&] { vn::DLFTCG(3, a.a.data(), 3, fac.a.data(), 3, ipvt.data()); }, &type);
    EXPECT_EQ(type, vn::kFatal);
    EXPECT_EQ(out,
              "\n"
              " *** FATAL    ERROR 2 from DLFTCG.  The input matrix is singular.  Some of\n"
              " ***          the diagonal elements of the upper triangular matrix U of the\n"
              " ***          LU factorization are close to zero.\n");

    // Nothing is left on the stack: the next factorisation runs as usual.
    Matrix good = randomMatrix(3, 1);
    vn::DLFTCG(3, good.a.data(), 3, fac.a.data(), 3, ipvt.data());
}

TEST(LuSingular, ZeroAndNotANumberPivots)
{
    Matrix fac(2, 2);
    std::vector<int> ipvt(2);
    Matrix zero(1, 1);
    EXPECT_NE(captureStop([&] { vn::DLFTCG(1, zero.a.data(), 1, fac.a.data(), 1, ipvt.data()); }).find("FATAL"),
              std::string::npos);

    Matrix nan(2, 2);
    nan(1, 1) = {std::numeric_limits<double>::quiet_NaN(), 0};
    nan(1, 2) = {1, 0};
    nan(2, 1) = {1, 0};
    nan(2, 2) = {1, 0};
    EXPECT_NE(captureStop([&] { vn::DLFTCG(2, nan.a.data(), 2, fac.a.data(), 2, ipvt.data()); }).find("singular"),
              std::string::npos);

    Matrix one(1, 1);
    one(1, 1) = {0, -3};
    vn::DLFTCG(1, one.a.data(), 1, fac.a.data(), 1, ipvt.data());
    EXPECT_EQ(ipvt[0], 1);
}

TEST(LuArguments, BadOrderLeadingDimensionAndPathAreTerminal)
{
    Matrix a = randomMatrix(3, 5);
    Matrix fac(3, 3);
    std::vector<int> ipvt(3);
    std::vector<Complex> work(3);
    int type = 0;
    std::string out = captureStop([&] { vn::DL2TCG(3, a.a.data(), 2, fac.a.data(), 3, ipvt.data(), work.data()); },
                                  &type);
    EXPECT_EQ(type, vn::kTerminal);
    EXPECT_NE(out.find("N = 3 and LDA = 2 are\n ***          given."), std::string::npos) << out;

    out = captureStop([&] { vn::DLFTCG(0, a.a.data(), 3, fac.a.data(), 3, ipvt.data()); });
    EXPECT_NE(out.find("TERMINAL ERROR 1 from DLFTCG"), std::string::npos) << out;

    vn::DLFTCG(3, a.a.data(), 3, fac.a.data(), 3, ipvt.data());
    const auto b = randomVector(3, 6);
    std::vector<Complex> x(3);
    out = captureStop([&] { vn::DLFSCG(3, fac.a.data(), 3, ipvt.data(), b.data(), 3, x.data()); });
    EXPECT_NE(out.find("TERMINAL ERROR 5 from DLFSCG.  IPATH must be either 1 or 2 while a value\n ***          of 3 is given."),
              std::string::npos)
        << out;
    EXPECT_EQ(x[2].re, b[2].re);  // X already holds B
}

TEST(LuCopy, WiderTargetCopiesFromTheLastColumnInPlace)
{
    const int n = 3;
    std::vector<Complex> block(4 * n);
    for (int j = 0; j < n; ++j)
        for (int i = 0; i < n; ++i)
            block[static_cast<std::size_t>(i + j * n)] = {double(10 * i + j), -1.0};
    vn::DCCGCG(n, block.data(), n, block.data(), 4);
    for (int j = 0; j < n; ++j)
        for (int i = 0; i < n; ++i)
            ASSERT_EQ(block[static_cast<std::size_t>(i + j * 4)].re, 10 * i + j) << i << "," << j;
}

// op(A) x = b for every triangle, transpose option, diagonal kind and both increment signs.
class TriangularSolve : public ::testing::TestWithParam<std::tuple<char, char, char, int>> {};

TEST_P(TriangularSolve, ReproducesTheRightHandSide)
{
    const auto [uplo, trans, diag, inc] = GetParam();
    const int n = 6;
    Matrix a = randomMatrix(n, 11);
    for (int i = 1; i <= n; ++i) {
        a(i, i).re += 3.0;  // well away from singular
        for (int j = 1; j <= n; ++j)
            if ((uplo == 'U' && i > j) || (uplo == 'L' && i < j))
                a(i, j) = {0, 0};
    }
    const auto x = randomVector(n, 12);
    auto effective = [&](int i, int j) {
        Cd e = diag == 'U' && i == j ? Cd(1, 0) : toStd(trans == 'N' ? a(i, j) : a(j, i));
        return trans == 'C' ? std::conj(e) : e;
    };
    // b in the strided layout: element i at (i-1)*inc, or from the far end for inc < 0.
    const int step = std::abs(inc);
    std::vector<Complex> v(static_cast<std::size_t>((n - 1) * step + 1));
    auto slot = [&](int i) -> Complex& {
        return v[static_cast<std::size_t>(inc > 0 ? (i - 1) * step : (n - i) * step)];
    };
    for (int i = 1; i <= n; ++i) {
        Cd sum = 0;
        for (int j = 1; j <= n; ++j)
            sum += effective(i, j) * toStd(x[static_cast<std::size_t>(j - 1)]);
        slot(i) = {sum.real(), sum.imag()};
    }
    const char u[] = {uplo}, t[] = {static_cast<char>(std::tolower(trans))}, d[] = {diag};
    vn::ZTRSV(u, 1, t, 1, d, 1, n, a.a.data(), n, v.data(), inc);
    for (int i = 1; i <= n; ++i)
        ASSERT_LT(std::abs(toStd(slot(i)) - toStd(x[static_cast<std::size_t>(i - 1)])), 1e-12) << "element " << i;
}

const auto optionsName = [](const ::testing::TestParamInfo<TriangularSolve::ParamType>& info) {
    const auto [uplo, trans, diag, inc] = info.param;  // upper_conjugate_transposed_unit_diagonal_inc_minus3
    return std::string(uplo == 'U' ? "upper" : "lower") + (trans == 'N' ? "" : trans == 'T' ? "_transposed" : "_conjugate_transposed") +
           (diag == 'U' ? "_unit_diagonal" : "") + "_inc_" + (inc < 0 ? "minus" : "") + std::to_string(std::abs(inc));
};
INSTANTIATE_TEST_SUITE_P(Options, TriangularSolve,
                         ::testing::Combine(::testing::Values('U', 'L'), ::testing::Values('N', 'T', 'C'),
                                            ::testing::Values('U', 'N'), ::testing::Values(1, 2, -1, -3)), optionsName);

TEST(TriangularSolveErrors, InternalCallPrintsTracebackMarkedCalledInternally)
{
    std::vector<Complex> a(4), x(2);
    const std::string out = captureStop([&] {
        vn::E1PSH("DLFSCG ", 7);
        vn::ZTRSV("U", 1, "X", 1, "N", 1, 2, a.data(), 2, x.data(), 1);
    });
    EXPECT_EQ(out,
              "\n"
              " *** TERMINAL ERROR 4 from ZTRSV.  TRANS must be set equal to N or T or C\n"
              " ***          while X is given.\n"
              "     Here is a traceback of subprogram calls in reverse order:\n"
              "     Routine name                    Error type  Error code\n"
              "     ------------                    ----------  ----------\n"
              "     ZTRSV                                5           4    (Called internally)\n"
              "     DLFSCG                               0           0\n"
              "     USER                                 0           0\n");
}

TEST(ComplexKernels, EdgeBehaviour)
{
    const std::vector<Complex> x{{1, -1}, {-2, -0.5}, {0, 2.5}, {2, 0}};
    EXPECT_EQ(vn::IZAMAX(0, x.data(), 1), 0);
    EXPECT_EQ(vn::IZAMAX(4, x.data(), 1), 2);  // |re|+|im| ties resolve to the first
    EXPECT_EQ(vn::IZAMAX(2, x.data(), 2), 2);  // elements 1 and 3

    std::vector<Complex> y(4, Complex{1, 1});
    vn::ZAXPY(4, Complex{0, 0}, x.data(), 1, y.data(), 1);
    vn::ZAXPY(4, Complex{std::numeric_limits<double>::quiet_NaN(), 0}, x.data(), 1, y.data(), 1);
    EXPECT_EQ(y[1].re, 1.0);
    vn::ZAXPY(2, Complex{0, 1}, x.data(), 1, y.data(), -1);  // y(2) += i x(1), y(1) += i x(2)
    EXPECT_EQ(y[1].re, 2.0);
    EXPECT_EQ(y[1].im, 2.0);
    EXPECT_EQ(y[0].re, 1.5);
    EXPECT_EQ(y[0].im, -1.0);

    Complex d;
    vn::ZDOTC(d, 2, x.data(), 1, x.data(), 1);
    EXPECT_EQ(d.re, 6.25);
    EXPECT_EQ(d.im, 0.0);
    vn::ZDOTU(d, 0, x.data(), 1, x.data(), 1);
    EXPECT_EQ(d.re, 0.0);

    // Pivot products across the 400-element buffer: equal maxima keep the lowest index.
    std::vector<Complex> big(900, Complex{1, 0}), scale(900, Complex{1, 0});
    big[450] = {0, -5};
    big[820] = {5, 0};
    int idx = 0;
    vn::ZMAXPRODIDX(900, big.data(), scale.data(), idx);
    EXPECT_EQ(idx, 451);
    std::vector<Complex> zeros(3);
    vn::ZMAXPRODIDX(3, zeros.data(), zeros.data(), idx);
    EXPECT_EQ(idx, 1);
}

namespace {

// Factors, pivots and singularity of the column-by-column elimination with scaled partial
// pivoting, step by step as the factorisation defines it; the blocked factorisation must
// reproduce it bit for bit. Counts the pivot searches decided by a tie.
struct PlainFactors {
    Matrix fac;
    std::vector<int> ipvt;
    bool singular = false;
    int ties = 0;
};

PlainFactors plainElimination(Matrix a)
{
    const int n = a.n;
    const double small = std::numeric_limits<double>::min();
    PlainFactors out{a, std::vector<int>(static_cast<std::size_t>(n))};
    Matrix& f = out.fac;
    std::vector<double> scale(static_cast<std::size_t>(n + 1));
    for (int i = 1; i <= n; ++i) {
        int jmax = 1;
        for (int j = 2; j <= n; ++j)
            if (std::fabs(f(i, j).re) + std::fabs(f(i, j).im) > std::fabs(f(i, jmax).re) + std::fabs(f(i, jmax).im))
                jmax = j;
        const double s = std::hypot(f(i, jmax).re, f(i, jmax).im);
        scale[static_cast<std::size_t>(i)] = s < small ? 1.0 : 1.0 / s;
    }
    auto mag = [](const Complex& z) { return std::fabs(z.re) + std::fabs(z.im); };
    for (int k = 1; k < n; ++k) {
        int l = k;
        double best = 0;
        for (int i = k; i <= n; ++i) {
            const double w = scale[static_cast<std::size_t>(i)];
            const double m = std::fabs(f(i, k).re * w) + std::fabs(f(i, k).im * w);
            out.ties += m == best && m > 0;
            if (m > best) {
                best = m;
                l = i;
            }
        }
        out.ipvt[static_cast<std::size_t>(k - 1)] = l;
        if (!(mag(f(l, k)) > small)) {
            out.singular = true;
            continue;
        }
        std::swap(scale[static_cast<std::size_t>(k)], scale[static_cast<std::size_t>(l)]);
        std::swap(f(k, k), f(l, k));
        const Cd t = Cd(-1, 0) / toStd(f(k, k));
        for (int i = k + 1; i <= n; ++i) {
            const Complex m = f(i, k);
            f(i, k) = {m.re * t.real() - m.im * t.imag(), m.re * t.imag() + m.im * t.real()};
        }
        for (int j = k + 1; j <= n; ++j) {
            const Complex u = f(l, j);
            std::swap(f(l, j), f(k, j));
            for (int i = k + 1; i <= n; ++i) {
                f(i, j).re += f(i, k).re * u.re - f(i, k).im * u.im;
                f(i, j).im += f(i, k).re * u.im + f(i, k).im * u.re;
            }
        }
    }
    out.ipvt.back() = n;
    out.singular = out.singular || !(mag(f(n, n)) > small);
    return out;
}

// Entries with parts in {-1, 0, 1}: many rows share their scale and magnitudes, so
// pivot searches meet ties.
Matrix tiedMatrix(int n, unsigned seed)
{
    std::mt19937 gen(seed);
    std::uniform_int_distribution<int> part(-1, 1);
    Matrix m(n, n);
    for (auto& z : m.a)
        z = {double(part(gen)), double(part(gen))};
    return m;
}

struct BlockCase {
    const char* name;
    Matrix a;
    bool expectTies = false;
    bool expectSingular = false;
};

std::vector<BlockCase> blockCases()
{
    std::vector<BlockCase> cases;
    for (int n : {1, 7, 8, 9, 16, 17, 30, 64, 199})
        cases.push_back({"random", randomMatrix(n, 1000u + static_cast<unsigned>(n))});
    for (int n : {9, 17, 30, 64})
        cases.push_back({"ties", tiedMatrix(n, 2000u + static_cast<unsigned>(n)), true});
    // A column of subnormal values is found singular at its own step, with a pivot row
    // below the diagonal that must not be interchanged: inside the second block, and at
    // its last step, where the block's trailing update is column 17 alone.
    for (auto [n, tinyColumn] : {std::pair{30, 12}, std::pair{17, 16}}) {
        Matrix a = randomMatrix(n, 3000u + static_cast<unsigned>(n));
        for (int i = 1; i <= n; ++i)
            a(i, tinyColumn) = {a(i, tinyColumn).re * 1e-311, a(i, tinyColumn).im * 1e-311};
        cases.push_back({"singular", a, false, true});
    }
    Matrix wide(30, 33);  // leading dimension beyond the order
    const Matrix square = randomMatrix(30, 4000);
    for (int j = 0; j < 30; ++j)
        for (int i = 0; i < 30; ++i)
            wide.a[static_cast<std::size_t>(i + j * 33)] = square.a[static_cast<std::size_t>(i + j * 30)];
    cases.push_back({"wide", wide});
    return cases;
}

bool sameBits(double x, double y) { return std::memcmp(&x, &y, sizeof x) == 0; }

} // namespace

TEST(LuBlocked, FactorsAndPivotsMatchTheColumnByColumnEliminationBitForBit)
{
    for (BlockCase& c : blockCases()) {
        const int n = c.a.n;
        SCOPED_TRACE(testing::Message() << c.name << " n=" << n);
        PlainFactors plain = plainElimination(c.a);
        if (c.expectTies) {
            EXPECT_GT(plain.ties, 0);
        }
        ASSERT_EQ(plain.singular, c.expectSingular);

        Matrix fac(n, c.a.ld);
        std::vector<int> ipvt(static_cast<std::size_t>(n));
        testing::internal::CaptureStdout();
        bool stopped = false;
        try {
            vn::DLFTCG(n, c.a.a.data(), c.a.ld, fac.a.data(), c.a.ld, ipvt.data());
        } catch (const vn::NumericStop& stop) {
            stopped = stop.type() == vn::kFatal;
        }
        testing::internal::GetCapturedStdout();
        EXPECT_EQ(stopped, c.expectSingular);
        EXPECT_EQ(ipvt, plain.ipvt);
        int differing = 0;
        for (int j = 1; j <= n; ++j)
            for (int i = 1; i <= n; ++i)
                differing += !sameBits(fac(i, j).re, plain.fac(i, j).re) || !sameBits(fac(i, j).im, plain.fac(i, j).im);
        EXPECT_EQ(differing, 0);
    }
}
