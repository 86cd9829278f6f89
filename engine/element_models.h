#pragma once

#include "engine/complex.h"

#include <array>

// Admittance models of the circuit elements. Each fills the local matrix of one
// element at frequency f [Hz]: entry (i, j) relates the current into terminal i to the
// voltage of terminal j. A routine writes only the entries of its own kind and leaves
// the others as it finds them. Zero denominators are not guarded: they yield inf/NaN.

namespace velmar {

using LocalAdmittance = std::array<std::array<Complex, 4>, 4>;

void ResistorAdmittance(const double& R, LocalAdmittance& y);
void CapacitorAdmittance(const double& f, const double& C, LocalAdmittance& y);
void InductorAdmittance(const double& f, const double& L, LocalAdmittance& y);
// Lossless line of impedance Z0 [ohm] and delay tau [s] between terminals 0 and 1.
void LineAdmittance(const double& f, const double& Z0, const double& tau, LocalAdmittance& y);
// n rows of (f [Hz], R [ohm], X [ohm]) in ascending frequency, linearly interpolated.
void ImpedanceTableAdmittance(const double& f, const int& n, const double* table, LocalAdmittance& y);
// n rows of (f [Hz], Y11, Y12, Y21, Y22 as re/im pairs [S]) in ascending frequency.
void YMatrixTableAdmittance(const double& f, const int& n, const double* table, LocalAdmittance& y);
// Lines 0-1 and 2-3, terminals 0 and 2 at the same end; even mode then odd mode.
void CoupledLineAdmittance(const double& f, const double& Ze, const double& tauEven, const double& Zo,
                           const double& tauOdd, LocalAdmittance& y);
// Windings 0-1 and 2-3, dots on 0 and 2; |k| = 1 is singular.
void CoupledInductorAdmittance(const double& f, const double& L1, const double& L2, const double& k,
                               LocalAdmittance& y);

} // namespace velmar
