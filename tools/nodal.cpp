#include "nodal.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>
#include <utility>

namespace mkcatalog {

int NodalSystem::resolve(int node) const {
    // Ties may chain; a tie table is tiny, so a bounded walk is enough.
    for (int step = 0; step < 16; ++step) {
        const auto it = alias_.find(node);
        if (it == alias_.end()) return node;
        node = it->second;
    }
    throw std::runtime_error("node ties form a loop");
}

void NodalSystem::add(const Element& e) { elements_.push_back(e); }

void NodalSystem::addAdmittance(int a, int b, Cx y) { extras_.push_back({a, b, y}); }

void NodalSystem::inject(int node, Cx current) { injections_.emplace_back(node, current); }

std::map<int, Cx> NodalSystem::solve(double frequency) const {
    std::map<int, int> index;  // resolved node -> row
    auto row = [&](int node) {
        const int n = resolve(node);
        if (n == 0) return -1;
        const auto it = index.find(n);
        if (it != index.end()) return it->second;
        const int r = static_cast<int>(index.size());
        index[n] = r;
        return r;
    };
    for (const auto& e : elements_) {
        for (int t = 0; t < terminalCount(e); ++t) row(e.nodes[t]);
    }
    for (const auto& x : extras_) row(x.a), row(x.b);
    for (const auto& [n, i] : injections_) row(n);

    const std::size_t size = index.size();
    std::vector<std::vector<Cx>> Y(size, std::vector<Cx>(size + 1));
    auto stamp = [&](int p, int q, int r, int s, Cx y) {
        // Current into p (out of q) caused by the voltage between r and s.
        const int P = row(p), Q = row(q), R = row(r), S = row(s);
        if (P >= 0 && R >= 0) Y[P][R] += y;
        if (P >= 0 && S >= 0) Y[P][S] -= y;
        if (Q >= 0 && R >= 0) Y[Q][R] -= y;
        if (Q >= 0 && S >= 0) Y[Q][S] += y;
    };
    const double w = 2 * std::numbers::pi * frequency;
    const Cx jw(0, w);
    for (const auto& e : elements_) {
        const int a = e.nodes[0], b = e.nodes[1];
        switch (e.kind) {
        case 'R': stamp(a, b, a, b, 1.0 / e.value); break;
        case 'C': stamp(a, b, a, b, jw * e.value); break;
        case 'L': stamp(a, b, a, b, 1.0 / (jw * e.value)); break;
        case 'K': {
            // The inverse of the inductance matrix [[L1, M], [M, L2]] divided by j w.
            const double M = e.k * std::sqrt(e.L1 * e.L2);
            const double det = e.L1 * e.L2 - M * M;
            const Cx g11 = e.L2 / (det * jw), g22 = e.L1 / (det * jw), g12 = -M / (det * jw);
            const int c = e.nodes[2], d = e.nodes[3];
            stamp(a, b, a, b, g11);
            stamp(a, b, c, d, g12);
            stamp(c, d, a, b, g12);
            stamp(c, d, c, d, g22);
            break;
        }
        default: throw std::runtime_error("unknown element kind");
        }
    }
    for (const auto& x : extras_) stamp(x.a, x.b, x.a, x.b, x.y);
    for (const auto& [n, i] : injections_) {
        const int r = row(n);
        if (r >= 0) Y[r][size] += i;
    }

    // Gaussian elimination with partial pivoting on the augmented matrix.
    double scale = 0;
    for (const auto& r : Y) for (std::size_t c = 0; c < size; ++c) scale = std::max(scale, std::abs(r[c]));
    for (std::size_t c = 0; c < size; ++c) {
        std::size_t pivot = c;
        for (std::size_t r = c + 1; r < size; ++r) {
            if (std::abs(Y[r][c]) > std::abs(Y[pivot][c])) pivot = r;
        }
        // Relative to the largest entry: a floating node leaves a pivot at rounding level.
        if (std::abs(Y[pivot][c]) <= scale * 1e-13) throw std::runtime_error("singular network (a floating node?)");
        std::swap(Y[c], Y[pivot]);
        for (std::size_t r = c + 1; r < size; ++r) {
            const Cx f = Y[r][c] / Y[c][c];
            if (f == Cx(0)) continue;
            for (std::size_t k = c; k <= size; ++k) Y[r][k] -= f * Y[c][k];
        }
    }
    std::vector<Cx> v(size);
    for (std::size_t c = size; c-- > 0;) {
        Cx sum = Y[c][size];
        for (std::size_t k = c + 1; k < size; ++k) sum -= Y[c][k] * v[k];
        v[c] = sum / Y[c][c];
    }

    std::map<int, Cx> voltages;
    for (const auto& [node, r] : index) voltages[node] = v[static_cast<std::size_t>(r)];
    // Report tied nodes under their own numbers too.
    for (const auto& [from, to] : alias_) {
        const int n = resolve(from);
        voltages[from] = n == 0 ? Cx(0) : voltages[n];
    }
    voltages[0] = 0;
    return voltages;
}

}  // namespace mkcatalog
