#pragma once
// A small complex nodal solver for the catalogue tool: enough to evaluate a part's model in a
// test set-up at one frequency. Ground is node 0.

#include <complex>
#include <map>
#include <utility>
#include <vector>

namespace mkcatalog {

using Cx = std::complex<double>;

struct Element {
    char kind = 'R';   // 'R' ohm, 'C' F, 'L' H, 'K' coupled inductors
    int nodes[4] = {0, 0, 0, 0};  // K: primary n1->n2 and secondary n3->n4, dots at n1 and n3
    double value = 0;  // R, C, L
    double L1 = 0, L2 = 0, k = 0;  // K
};

// How many of an element's nodes it uses: four for coupled inductors, two otherwise.
inline int terminalCount(const Element& e) { return e.kind == 'K' ? 4 : 2; }

// A network plus current injections and node ties, solved for node voltages.
class NodalSystem {
public:
    // Every later mention of `from` means `to` (0 ties the node to ground).
    void tie(int from, int to) { alias_[from] = to; }
    void add(const Element& e);
    void addAdmittance(int a, int b, Cx y);  // a two-terminal admittance added after the elements
    void inject(int node, Cx current);        // current into the node [A]

    // Node voltages at frequency f [Hz]; throws std::runtime_error on a singular system.
    std::map<int, Cx> solve(double frequency) const;

private:
    int resolve(int node) const;

    std::map<int, int> alias_;
    std::vector<Element> elements_;
    struct Extra { int a, b; Cx y; };
    std::vector<Extra> extras_;
    std::vector<std::pair<int, Cx>> injections_;
};

}  // namespace mkcatalog
