#include "engine/element_models.h"

#include <cmath>

namespace velmar {
namespace detail {

// 2 pi as the models have always used it; results depend on it in the last digits.
constexpr double kTwoPi = 6.28318530717958;

void stampTwoTerminal(Complex y, LocalAdmittance& m)
{
    const Complex minusY{-y.re, -y.im};
    m[0][0] = y;
    m[0][1] = minusY;
    m[1][0] = minusY;
    m[1][1] = y;
}

// Short-circuit (Y11) and transfer (Y12) admittance of a lossless line, both imaginary.
struct LinePair {
    Complex self;
    Complex transfer;
};

LinePair losslessLine(double f, double Z0, double tau)
{
    const double theta = kTwoPi * f * tau;
    const double zSin = Z0 * std::sin(theta);
    return LinePair{Complex{0.0, -std::cos(theta) / zSin}, Complex{0.0, 1.0 / zSin}};
}

// Linear interpolation of every value of a frequency table, rows of `width` doubles
// with the frequency first; outside the table the two end rows are extrapolated.
// A single row holds at every frequency; an empty table gives zeros.
void interpolateRow(double f, int n, const double* table, int width, double* values)
{
    const int count = width - 1;
    if (n < 1) {
        for (int v = 0; v < count; ++v)
            values[v] = 0.0;
        return;
    }
    if (n == 1) {
        for (int v = 0; v < count; ++v)
            values[v] = table[1 + v];
        return;
    }
    int r = 1;
    while (r < n && !(f < table[r * width]))
        ++r;
    if (r == n)
        r = n - 1;
    const double* lower = table + (r - 1) * width;
    const double* upper = table + r * width;
    const double d = upper[0] - lower[0];
    const double a = (upper[0] - f) / d;
    const double b = (f - lower[0]) / d;
    for (int v = 0; v < count; ++v)
        values[v] = a * lower[1 + v] + b * upper[1 + v];
}

} // namespace detail

void ResistorAdmittance(const double& R, LocalAdmittance& y)
{
    detail::stampTwoTerminal(Complex{1.0 / R, 0.0}, y);
}

void CapacitorAdmittance(const double& f, const double& C, LocalAdmittance& y)
{
    detail::stampTwoTerminal(Complex{0.0, detail::kTwoPi * f * C}, y);
}

void InductorAdmittance(const double& f, const double& L, LocalAdmittance& y)
{
    detail::stampTwoTerminal(Complex{0.0, -1.0 / (detail::kTwoPi * f * L)}, y);
}

void LineAdmittance(const double& f, const double& Z0, const double& tau, LocalAdmittance& y)
{
    const detail::LinePair line = detail::losslessLine(f, Z0, tau);
    y[0][0] = line.self;
    y[1][1] = line.self;
    y[0][1] = line.transfer;
    y[1][0] = line.transfer;
}

void ImpedanceTableAdmittance(const double& f, const int& n, const double* table, LocalAdmittance& y)
{
    double rx[2];
    detail::interpolateRow(f, n, table, 3, rx);
    detail::stampTwoTerminal(ComplexDivide(Complex{1.0, 0.0}, Complex{rx[0], rx[1]}), y);
}

void YMatrixTableAdmittance(const double& f, const int& n, const double* table, LocalAdmittance& y)
{
    double v[8];
    detail::interpolateRow(f, n, table, 9, v);
    y[0][0] = Complex{v[0], v[1]};
    y[0][1] = Complex{v[2], v[3]};
    y[1][0] = Complex{v[4], v[5]};
    y[1][1] = Complex{v[6], v[7]};
}

void CoupledLineAdmittance(const double& f, const double& Ze, const double& tauEven, const double& Zo,
                           const double& tauOdd, LocalAdmittance& y)
{
    const detail::LinePair even = detail::losslessLine(f, Ze, tauEven);
    const detail::LinePair odd = detail::losslessLine(f, Zo, tauOdd);
    const Complex half{0.5, 0.0};
    const Complex A = ComplexMultiply(half, Complex{even.self.re + odd.self.re, even.self.im + odd.self.im});
    const Complex B =
        ComplexMultiply(half, Complex{even.transfer.re + odd.transfer.re, even.transfer.im + odd.transfer.im});
    const Complex C = ComplexMultiply(half, Complex{even.self.re - odd.self.re, even.self.im - odd.self.im});
    const Complex D =
        ComplexMultiply(half, Complex{even.transfer.re - odd.transfer.re, even.transfer.im - odd.transfer.im});
    y = LocalAdmittance{{{A, B, C, D}, {B, A, D, C}, {C, D, A, B}, {D, C, B, A}}};
}

void CoupledInductorAdmittance(const double& f, const double& L1, const double& L2, const double& k,
                               LocalAdmittance& y)
{
    const double w = detail::kTwoPi * f;
    const double leak = 1.0 - k * k;
    const double y1 = -1.0 / (leak * w * L1);
    const double y2 = -1.0 / (leak * w * L2);
    const double ym = k / (leak * w * std::sqrt(L1 * L2));
    const Complex p1{0.0, y1}, n1{0.0, -y1}, p2{0.0, y2}, n2{0.0, -y2}, pm{0.0, ym}, nm{0.0, -ym};
    y = LocalAdmittance{{{p1, n1, pm, nm}, {n1, p1, nm, pm}, {pm, nm, p2, n2}, {nm, pm, n2, p2}}};
}

} // namespace velmar
