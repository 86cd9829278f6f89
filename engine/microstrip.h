#pragma once

// Closed-form microstrip formulas. Lengths in metres (only ratios matter for
// impedances and permittivities), impedances in ohm, delays in seconds.
// No input is validated: non-physical geometry yields inf/NaN without a message.

namespace velmar {

// Effective relative permittivity of a single strip (simple form, no dispersion).
double MicrostripEffPermittivity(const double& h, const double& w, const double& er);

// Characteristic impedance of a single strip with thickness correction; t <= 0 means none.
double MicrostripImpedance(const double& h, const double& w, const double& t, const double& eeff);

// Propagation delay of a line of length len [m] in a medium of permittivity eeff.
double LineDelay(const double& len, const double& eeff);

// Even- and odd-mode impedance and effective permittivity of a symmetric coupled pair
// of strips of width w, gap s, on height h; needs s > 0.
void CoupledMicrostripParams(const double& h, const double& w, const double& s, const double& er,
                             double& Ze, double& eeffEven, double& Zo, double& eeffOdd);

} // namespace velmar
