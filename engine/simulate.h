#pragma once

#include <cstdint>

namespace velmar {

// One complete simulation of a netlist block (see NetlistReader): read, sweep, copy out.
// With N = NetlistReader::RequestedHarmonics(netlist), the caller's arrays hold
// time and wave: 2N+1 values [s], [V]; freq: N+1 values [Hz]; spectrum: 2N+2 values, the
// output voltage per harmonic as (re, im) pairs with harmonic 0 as (mean, 0). Exactly that
// many values are written, whatever happens; values that were not computed are zeros.
// Returns 1 when the block was read and every harmonic solved, else 0. Never throws.
std::int32_t SimulateNetlist(char* netlist, double* time, double* wave, double* freq,
                             double* spectrum);

}  // namespace velmar
