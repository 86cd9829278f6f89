#include "engine/numeric/lu.h"

#include "engine/numeric/errors.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <complex>
#include <cstring>
#include <new>
#include <utility>
#include <vector>

namespace velmar::numeric {

namespace {

// |re| + |im|: the magnitude behind every pivot and singularity decision.
double mag1(const Complex& z) { return std::fabs(z.re) + std::fabs(z.im); }

Complex mul(const Complex& a, const Complex& b) { return {a.re * b.re - a.im * b.im, a.re * b.im + a.im * b.re}; }

// Scaled complex quotient, safe against intermediate overflow.
Complex divide(const Complex& a, const Complex& b)
{
    const std::complex<double> q = std::complex<double>(a.re, a.im) / std::complex<double>(b.re, b.im);
    return {q.real(), q.imag()};
}

Complex conj(const Complex& z) { return {z.re, -z.im}; }

// Offset of element 1 of a strided vector: a negative increment starts at the far end.
std::ptrdiff_t start(int n, int inc) { return inc >= 0 ? 0 : static_cast<std::ptrdiff_t>(n - 1) * -inc; }

std::ptrdiff_t at(int i, int j, int ld)
{
    return static_cast<std::ptrdiff_t>(i - 1) + static_cast<std::ptrdiff_t>(j - 1) * ld;
}

// Singularity threshold: the smallest normalised double unless its reciprocal overflows.
double smallPivot()
{
    const double tiny = DMACH(1);
    const double huge = DMACH(2);
    return tiny * huge < 1.0 ? 1.0 / huge : tiny;
}

// Not above the threshold, or not a number.
bool negligible(const Complex& z, double small) { return !(mag1(z) > small); }

using detail::popRoutine;
using detail::pushRoutine;
using detail::stopRoutine;

constexpr const char* kSingular =
    "The input matrix is singular.  Some of the diagonal elements of the upper triangular matrix U of the LU "
    "factorization are close to zero.";

// Elimination steps handled together: the columns right of a block are read and written
// once per block instead of once per step.
constexpr int kBlockSteps = 8;

// Steps first .. first+count-1 of the factorisation; pivot[q] is the pivot row of step
// first+q, or 0 when that column was singular and the step changes nothing.
struct StepBlock {
    int first = 1;
    int count = 0;
    std::array<int, kBlockSteps> pivot{};
    int last() const { return first + count - 1; }
};

// x := x + m*u, in the operation order of the column-by-column elimination.
inline void addProduct(Complex& x, const Complex& m, const Complex& u)
{
    x.re += m.re * u.re - m.im * u.im;
    x.im += m.re * u.im + m.im * u.re;
}

// Exchanges rows a and b (1-based) in columns firstColumn..lastColumn.
void exchangeRows(Complex* fac, std::ptrdiff_t ld, int firstColumn, int lastColumn, int a, int b)
{
    for (int c = firstColumn; c <= lastColumn; ++c) {
        Complex* const column = fac + static_cast<std::ptrdiff_t>(c - 1) * ld;
        std::swap(column[a - 1], column[b - 1]);
    }
}

// Rows first..n-1 (0-based) of a column: every step's update of an element in one visit,
// in increasing step order. Count is the number of steps when known at compile time (a
// full block, unrolled), 0 for the runtime count.
template <int Count>
void updateBelow(const std::array<const Complex*, kBlockSteps>& multipliers,
                 const std::array<Complex, kBlockSteps>& u, int first, int n, Complex* column, int count = Count)
{
    if constexpr (Count > 0) {
        for (int r = first; r < n; ++r) {
            Complex x = column[r];
            for (int q = 0; q < Count; ++q)
                addProduct(x, multipliers[static_cast<std::size_t>(q)][r], u[static_cast<std::size_t>(q)]);
            column[r] = x;
        }
    } else {
        // A part block: one unit-stride pass per step, which keeps each element's order.
        for (int q = 0; q < count; ++q) {
            const Complex* const m = multipliers[static_cast<std::size_t>(q)];
            const Complex uq = u[static_cast<std::size_t>(q)];
            for (int r = first; r < n; ++r)
                addProduct(column[r], m[r], uq);
        }
    }
}

// Brings one column (n elements, row 1 at column[0]) up to date with the block's steps.
// While a block is open its multiplier columns have their rows exchanged by every later
// step of the block, so taking all interchanges first leaves every element meeting the
// same multipliers, in the same increasing step order, as the one-step-at-a-time
// elimination: the factors agree bit for bit.
void applySteps(const StepBlock& block, const Complex* fac, std::ptrdiff_t ld, int n, Complex* column)
{
    if (block.count == 0)
        return;
    for (int q = 0; q < block.count; ++q) {
        const int l = block.pivot[static_cast<std::size_t>(q)];
        if (l != 0)
            std::swap(column[block.first + q - 1], column[l - 1]);
    }

    // Rows inside the block: the next step's u needs the earlier steps' updates.
    const int last = block.last();
    std::array<const Complex*, kBlockSteps> multipliers{};
    std::array<Complex, kBlockSteps> u{};
    int active = 0;
    for (int q = 0; q < block.count; ++q) {
        if (block.pivot[static_cast<std::size_t>(q)] == 0)
            continue;
        const int s = block.first + q;
        const Complex* const m = fac + static_cast<std::ptrdiff_t>(s - 1) * ld;
        const Complex us = column[s - 1];
        for (int r = s; r < last; ++r)
            addProduct(column[r], m[r], us);
        multipliers[static_cast<std::size_t>(active)] = m;
        u[static_cast<std::size_t>(active)] = us;
        ++active;
    }
    if (active == kBlockSteps)
        updateBelow<kBlockSteps>(multipliers, u, last, n, column);
    else
        updateBelow<0>(multipliers, u, last, n, column, active);
}

} // namespace

void ZCOPY(const int& N, const Complex* X, const int& INCX, Complex* Y, const int& INCY)
{
    if (N < 1)
        return;
    if (INCX == 1 && INCY == 1) {
        for (int i = 0; i < N; ++i)
            Y[i] = X[i];
        return;
    }
    std::ptrdiff_t ix = start(N, INCX);
    std::ptrdiff_t iy = start(N, INCY);
    for (int i = 0; i < N; ++i, ix += INCX, iy += INCY)
        Y[iy] = X[ix];
}

void ZAXPY(const int& N, const Complex& ZA, const Complex* X, const int& INCX, Complex* Y, const int& INCY)
{
    if (N < 1 || !(mag1(ZA) > 0.0))
        return;
    const Complex za = ZA; // a copy: ZA may be an element of Y
    if (INCX == 1 && INCY == 1) {
        for (int i = 0; i < N; ++i)
            addProduct(Y[i], za, X[i]);
        return;
    }
    std::ptrdiff_t ix = start(N, INCX);
    std::ptrdiff_t iy = start(N, INCY);
    for (int i = 0; i < N; ++i, ix += INCX, iy += INCY)
        addProduct(Y[iy], za, X[ix]);
}

namespace {

template <bool Conjugate>
Complex dot(int n, const Complex* x, int incx, const Complex* y, int incy)
{
    Complex sum{};
    if (n < 1)
        return sum;
    std::ptrdiff_t ix = start(n, incx);
    std::ptrdiff_t iy = start(n, incy);
    for (int i = 0; i < n; ++i, ix += incx, iy += incy)
        addProduct(sum, Conjugate ? conj(x[ix]) : x[ix], y[iy]);
    return sum;
}

} // namespace

void ZDOTC(Complex& RESULT, const int& N, const Complex* X, const int& INCX, const Complex* Y, const int& INCY)
{
    RESULT = dot<true>(N, X, INCX, Y, INCY);
}

void ZDOTU(Complex& RESULT, const int& N, const Complex* X, const int& INCX, const Complex* Y, const int& INCY)
{
    RESULT = dot<false>(N, X, INCX, Y, INCY);
}

int IZAMAX(const int& N, const Complex* X, const int& INCX)
{
    if (N < 1)
        return 0;
    if (N == 1)
        return 1;
    std::ptrdiff_t ix = start(N, INCX);
    int best = 1;
    double largest = mag1(X[ix]);
    for (int i = 2; i <= N; ++i) {
        ix += INCX;
        const double m = mag1(X[ix]);
        if (m > largest) {
            largest = m;
            best = i;
        }
    }
    return best;
}

void ZMAXPRODIDX(const int& N, const Complex* X, const Complex* Y, int& IDX)
{
    // Products go through a fixed buffer so the pivot search never allocates.
    constexpr int kBlock = 400;
    std::array<Complex, kBlock> products;
    IDX = 1;
    double best = 0.0;
    for (int b = 1; b <= N; b += kBlock) {
        const int count = std::min(kBlock, N - b + 1);
        for (int i = 0; i < count; ++i)
            products[static_cast<std::size_t>(i)] = mul(X[b - 1 + i], Y[b - 1 + i]);
        const int j = IZAMAX(count, products.data(), 1);
        const double m = mag1(products[static_cast<std::size_t>(j - 1)]);
        if (m > best) {
            best = m;
            IDX = b + j - 1;
        }
    }
}

void DCCGCG(const int& N, const Complex* A, const int& LDA, Complex* B, const int& LDB)
{
    static constexpr char kName[] = "DCCGCG ";
    pushRoutine(kName);
    if (N < 1)
        return stopRoutine(kName, 1, "The argument N = %(I1).  It must be at least 1.", {N});
    if (LDA < N)
        return stopRoutine(kName, 2, "The argument LDA = %(I1).  It must be at least as large as N = %(I2).", {LDA, N});
    if (LDB < N)
        return stopRoutine(kName, 3, "The argument LDB = %(I1).  It must be at least as large as N = %(I2).", {LDB, N});
    if (LDA == N && LDB == N) {
        ZCOPY(N * N, A, 1, B, 1);
    } else if (LDB > LDA) {
        // Last column first, bottom element first: B may be A widened in place.
        for (int j = N; j >= 1; --j)
            ZCOPY(N, A + at(1, j, LDA), -1, B + at(1, j, LDB), -1);
    } else {
        for (int j = 1; j <= N; ++j)
            ZCOPY(N, A + at(1, j, LDA), 1, B + at(1, j, LDB), 1);
    }
    popRoutine(kName);
}

void DLFTCG(const int& N, const Complex* A, const int& LDA, Complex* FAC, const int& LDFAC, int* IPVT)
{
    static constexpr char kName[] = "DLFTCG ";
    pushRoutine(kName);
    if (N < 1)
        return stopRoutine(kName, 1, "The order of the matrix must be positive while N = %(i1) is given.", {N});
    std::vector<Complex> work;
    try {
        work.resize(static_cast<std::size_t>(N));
    } catch (const std::bad_alloc&) {
        return stopRoutine(kName, 2,
                           "The required storage cannot be allocated.  The workspace is based on N, where N = %(i1).",
                           {N});
    }
    DL2TCG(N, A, LDA, FAC, LDFAC, IPVT, work.data());
    popRoutine(kName);
}

void DL2TCG(const int& N, const Complex* A, const int& LDA, Complex* FAC, const int& LDFAC, int* IPVT,
            Complex* WORK)
{
    static constexpr char kName[] = "DL2TCG ";
    pushRoutine(kName);
    if (N < 1)
        return stopRoutine(kName, 1, "The order of the matrix must be positive while N = %(i1) is given.", {N});
    if (LDA < N)
        return stopRoutine(kName, 2,
                           "The order of the matrix must be less than or equal to its leading dimension while N = "
                           "%(i1) and LDA = %(i2) are given.",
                           {N, LDA});
    if (LDFAC < N)
        return stopRoutine(kName, 3,
                           "The order of the matrix must be less than or equal to its leading dimension while N = "
                           "%(i1) and LDFAC = %(i2) are given.",
                           {N, LDFAC});

    DCCGCG(N, A, LDA, FAC, LDFAC);
    int info = 0;
    const double small = smallPivot();
    const int ld = LDFAC;
    auto f = [FAC, ld](int i, int j) -> Complex& { return FAC[at(i, j, ld)]; };

    // Row scale factors 1/s_i from the largest modulus in each row; a zero row keeps 1.
    for (int i = 1; i <= N; ++i) {
        const int j = IZAMAX(N, &f(i, 1), LDFAC);
        const Complex& e = f(i, j);
        const double s = std::hypot(e.re, e.im);
        WORK[i - 1] = (s < small || std::isnan(s)) ? Complex{1.0, 0.0} : Complex{1.0 / s, 0.0};
    }

    // Steps in blocks: each new column of a block first catches up with the block's earlier
    // steps and then chooses its pivot; the columns right of the block then catch up with
    // all of its steps in one pass.
    for (int first = 1; first < N; first += kBlockSteps) {
        StepBlock block;
        block.first = first;
        const int steps = std::min(kBlockSteps, N - first);
        for (int q = 0; q < steps; ++q) {
            const int k = first + q;
            applySteps(block, FAC, ld, N, &f(1, k));
            int best = 1;
            ZMAXPRODIDX(N - k + 1, &f(k, k), &WORK[k - 1], best);
            const int l = k - 1 + best;
            IPVT[k - 1] = l;
            block.pivot[static_cast<std::size_t>(q)] = 0;
            block.count = q + 1;
            if (negligible(f(l, k), small)) {
                info = l;
                continue;
            }
            block.pivot[static_cast<std::size_t>(q)] = l;
            std::swap(WORK[k - 1], WORK[l - 1]);
            // Column k's own interchange, and the block's earlier multiplier columns follow it.
            exchangeRows(FAC, ld, first, k, k, l);

            const Complex t = divide({-1.0, 0.0}, f(k, k));
            Complex* const multipliers = &f(k + 1, k);
            const int below = N - k;
            for (int i = 0; i < below; ++i)
                multipliers[i] = mul(multipliers[i], t);
        }
        for (int j = block.last() + 1; j <= N; ++j)
            applySteps(block, FAC, ld, N, &f(1, j));
        // Multiplier columns are stored in the row order of their own step.
        for (int q = block.count - 1; q > 0; --q) {
            const int l = block.pivot[static_cast<std::size_t>(q)];
            if (l != 0)
                exchangeRows(FAC, ld, first, first + q - 1, first + q, l);
        }
    }
    IPVT[N - 1] = N;
    if (negligible(f(N, N), small))
        info = N;
    if (info != 0)
        E1MES(kFatal, 2, kSingular, static_cast<int>(std::strlen(kSingular)));
    popRoutine(kName);
}

void DLFSCG(const int& N, const Complex* FAC, const int& LDFAC, const int* IPVT, const Complex* B,
            const int& IPATH, Complex* X)
{
    static constexpr char kName[] = "DLFSCG ";
    pushRoutine(kName);
    if (N < 1)
        return stopRoutine(kName, 1, "The number of equations must be positive while N = %(I1) is given.", {N});
    if (LDFAC < N)
        return stopRoutine(kName, 2,
                           "The order of the matrix must be less than or equal to its leading dimension while N = "
                           "%(I1) and LDFAC = %(I2) are given.",
                           {N, LDFAC});
    ZCOPY(N, B, 1, X, 1);
    const double small = smallPivot();
    auto f = [FAC, &LDFAC](int i, int j) -> const Complex& { return FAC[at(i, j, LDFAC)]; };

    if (IPATH == 1) {
        for (int k = 1; k < N; ++k) {
            const int l = IPVT[k - 1];
            const Complex t = X[l - 1];
            if (l != k) {
                X[l - 1] = X[k - 1];
                X[k - 1] = t;
            }
            ZAXPY(N - k, t, &f(k + 1, k), 1, &X[k], 1);
        }
        for (int j = N; j >= 1; --j) {
            if (negligible(f(j, j), small))
                return stopRoutine(kName, 3, kSingular);
        }
        ZTRSV("U", 1, "N", 1, "N", 1, N, FAC, LDFAC, X, 1);
    } else if (IPATH == 2) {
        for (int j = 1; j <= N; ++j) {
            if (negligible(f(j, j), small))
                return stopRoutine(kName, 4, kSingular);
        }
        ZTRSV("U", 1, "C", 1, "N", 1, N, FAC, LDFAC, X, 1);
        for (int k = N - 1; k >= 1; --k) {
            Complex d;
            ZDOTC(d, N - k, &f(k + 1, k), 1, &X[k], 1);
            X[k - 1].re += d.re;
            X[k - 1].im += d.im;
            const int l = IPVT[k - 1];
            if (l != k)
                std::swap(X[k - 1], X[l - 1]);
        }
    } else {
        return stopRoutine(kName, 5, "IPATH must be either 1 or 2 while a value of %(I1) is given.", {IPATH});
    }
    popRoutine(kName);
}

void ZTRSV(const char* UPLO, const int& uploLength, const char* TRANS, const int& transLength, const char* DIAG,
           const int& diagLength, const int& N, const Complex* A, const int& LDA, Complex* X, const int& INCX)
{
    const bool upper = CHRSAME(UPLO, uploLength, "U", 1);
    const bool lower = CHRSAME(UPLO, uploLength, "L", 1);
    const bool unitDiag = CHRSAME(DIAG, diagLength, "U", 1);
    const bool nonUnitDiag = CHRSAME(DIAG, diagLength, "N", 1);
    const bool plain = CHRSAME(TRANS, transLength, "N", 1);
    const bool transposed = CHRSAME(TRANS, transLength, "T", 1);
    const bool conjugated = CHRSAME(TRANS, transLength, "C", 1);

    static constexpr char kName[] = "ZTRSV ";
    if (N < 0) {
        pushRoutine(kName);
        return stopRoutine(kName, 1, "N must be greater than or equal to zero while %(I1) is given.", {N});
    }
    if (LDA < N || LDA == 0) {
        pushRoutine(kName);
        return stopRoutine(kName, 2,
                           "LDA must be greater than or equal to N and greater than zero while LDA = %(I1) and "
                           "N = %(I2) are given.",
                           {LDA, N});
    }
    if (INCX == 0) {
        pushRoutine(kName);
        return stopRoutine(kName, 3, "INCX must not be equal to zero while %(I1) is given.", {INCX});
    }
    if (!plain && !transposed && !conjugated) {
        pushRoutine(kName);
        E1SETSTR(1, TRANS, transLength < 1 ? 0 : 1);
        return stopRoutine(kName, 4, "TRANS must be set equal to N or T or C while %(L1) is given.");
    }
    if (!upper && !lower) {
        pushRoutine(kName);
        E1SETSTR(1, UPLO, uploLength < 1 ? 0 : 1);
        return stopRoutine(kName, 5, "UPLO must be set equal to U or L while %(L1) is given.");
    }
    if (!unitDiag && !nonUnitDiag) {
        pushRoutine(kName);
        E1SETSTR(1, DIAG, diagLength < 1 ? 0 : 1);
        return stopRoutine(kName, 6, "DIAG must be set equal to U or N while %(L1) is given.");
    }
    if (N == 0)
        return;

    const int n = N;
    const int inc = INCX;
    const int lda = LDA;
    // Element i of X, and the lowest-addressed element of the run first..last, which is
    // where a strided sub-vector starts for the dot products.
    const std::ptrdiff_t x0 = start(n, inc);
    auto x = [X, x0, inc](int i) -> Complex& { return X[x0 + static_cast<std::ptrdiff_t>(i - 1) * inc]; };
    auto run = [&x, inc](int first, int last) -> Complex* { return inc > 0 ? &x(first) : &x(last); };
    auto a = [A, lda](int i, int j) -> const Complex* { return A + at(i, j, lda); };
    auto divideByDiagonal = [&](int i) {
        if (nonUnitDiag)
            x(i) = divide(x(i), conjugated ? conj(*a(i, i)) : *a(i, i));
    };
    auto subtract = [&x](int i, const Complex& d) {
        x(i).re -= d.re;
        x(i).im -= d.im;
    };
    auto dotWith = [conjugated](Complex& d, int count, const Complex* row, int rowInc, const Complex* v, int vInc) {
        if (conjugated)
            ZDOTC(d, count, row, rowInc, v, vInc);
        else
            ZDOTU(d, count, row, rowInc, v, vInc);
    };

    Complex d;
    if (plain && upper) {
        for (int i = n; i >= 1; --i) {
            if (i < n) {
                ZDOTU(d, n - i, a(i, i + 1), lda, run(i + 1, n), inc);
                subtract(i, d);
            }
            divideByDiagonal(i);
        }
    } else if (plain) {
        for (int i = 1; i <= n; ++i) {
            if (i > 1) {
                ZDOTU(d, i - 1, a(i, 1), lda, run(1, i - 1), inc);
                subtract(i, d);
            }
            divideByDiagonal(i);
        }
    } else if (upper) {
        for (int j = 1; j <= n; ++j) {
            if (j > 1) {
                dotWith(d, j - 1, a(1, j), 1, run(1, j - 1), inc);
                subtract(j, d);
            }
            divideByDiagonal(j);
        }
    } else {
        for (int j = n; j >= 1; --j) {
            if (j < n) {
                dotWith(d, n - j, a(j + 1, j), 1, run(j + 1, n), inc);
                subtract(j, d);
            }
            divideByDiagonal(j);
        }
    }
}

} // namespace velmar::numeric
