#pragma once
// A quasi-static field solution of two zero-thickness strips on a grounded dielectric slab, to judge
// closed line formulas by: method of moments with pulse charges on cells crowded towards the strips'
// edges, and the slab's image series as Green's function.

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace fieldtest {

// Integral over [0, u] of ln(t^2 + c^2) dt.
inline double logIntegral(double u, double c) {
    if (c == 0) return u == 0 ? 0 : u * std::log(u * u) - 2 * u;
    return u * std::log(u * u + c * c) - 2 * u + 2 * c * std::atan(u / c);
}

// Charge per length [C/m] on one strip of the pair at 1 V, the other at +1 V (even) or -1 V (odd).
// A unit line charge on the interface, at height h over ground, has there the potential
//   sum over n >= 0 of (-K)^n ln((x^2 + (2(n+1)h)^2) / (x^2 + (2nh)^2)) / (2 pi eps0 (1 + er)),
// K = (er - 1) / (er + 1); over a cell of even charge each logarithm integrates in closed form.
inline std::pair<double, double> pairCapacitance(double w, double s, double h, double er, int cells) {
    const double k = (er - 1) / (er + 1), eps0 = 8.8541878128e-12, pi = 3.14159265358979;
    // Strip 1 on [s/2, s/2 + w], strip 2 its mirror image. Cosine spacing, then the edge cells halved
    // until they are small beside the gap and the height, where the charge crowds.
    std::vector<double> edge;
    for (int i = 0; i <= cells; ++i) edge.push_back(s / 2 + w * (1 - std::cos(pi * i / cells)) / 2);
    while (edge[1] - edge[0] > std::min(s, h) / 16) {
        edge.insert(edge.begin() + 1, (edge[0] + edge[1]) / 2);
        edge.insert(edge.end() - 1, (edge[edge.size() - 2] + edge.back()) / 2);
    }
    const std::size_t n = edge.size() - 1;
    const auto potential = [&](double x, double a, double b) {  // of cell [a, b] at unit density
        const auto cell = [&](double c) { return logIntegral(b - x, c) - logIntegral(a - x, c); };
        double sum = 0, term = 1, inner = cell(0);
        for (int p = 1; std::abs(term) > 1e-10; ++p, term *= -k) {
            const double outer = cell(2 * p * h);
            sum += term * (outer - inner), inner = outer;
        }
        return sum / (2 * pi * eps0 * (1 + er));
    };
    double charge[2] = {0, 0};
    for (const int mode : {0, 1}) {
        std::vector<std::vector<double>> m(n, std::vector<double>(n + 1, 1.0));  // last column: 1 V
        for (std::size_t i = 0; i < n; ++i)
            for (std::size_t j = 0; j < n; ++j) {
                const double x = (edge[i] + edge[i + 1]) / 2, mirror = potential(x, -edge[j + 1], -edge[j]);
                m[i][j] = potential(x, edge[j], edge[j + 1]) + (mode == 0 ? mirror : -mirror);
            }
        // Gaussian elimination (the matrix is diagonally dominant), each row right to left so that its
        // factor m[r][c] changes last.
        for (std::size_t c = 0; c < n; ++c)
            for (std::size_t r = c + 1; r < n; ++r)
                for (std::size_t q = n + 1; q-- > c;) m[r][q] -= m[r][c] / m[c][c] * m[c][q];
        std::vector<double> sigma(n);
        for (std::size_t r = n; r-- > 0;) {
            double v = m[r][n];
            for (std::size_t j = r + 1; j < n; ++j) v -= m[r][j] * sigma[j];
            sigma[r] = v / m[r][r];
            charge[mode] += sigma[r] * (edge[r + 1] - edge[r]);
        }
    }
    return {charge[0], charge[1]};
}

// Even- and odd-mode impedance [ohm] of one strip of the pair, width w, edge gap s, on height h of a
// slab of permittivity er: Z = 1 / (c sqrt(C C0)), C0 the capacitance without the slab.
inline std::pair<double, double> pairImpedances(double w, double s, double h, double er, int cells = 24) {
    const auto [even, odd] = pairCapacitance(w, s, h, er, cells);
    const auto [even0, odd0] = pairCapacitance(w, s, h, 1, cells);
    const double c = 299792458;
    return {1 / (c * std::sqrt(even * even0)), 1 / (c * std::sqrt(odd * odd0))};
}

}  // namespace fieldtest
