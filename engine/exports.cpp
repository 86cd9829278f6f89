// The library's only entry points. Nothing may cross the C boundary as an exception: the host
// is a GUI process that must survive any netlist it passes.

#include "engine/microstrip.h"
#include "engine/simulate.h"

extern "C" __attribute__((visibility("default"))) int Simulate(char* netlist, double* time,
                                                              double* wave, double* freq,
                                                              double* spectrum)
{
    try {
        return velmar::SimulateNetlist(netlist, time, wave, freq, spectrum);
    } catch (...) {
        return 0;
    }
}

// h, w, s [m] and er in; even-mode impedance [ohm] and permittivity, odd-mode impedance [ohm]
// and permittivity out.
extern "C" __attribute__((visibility("default"))) void DualLineImp(double* h, double* w, double* s,
                                                                  double* er, double* ze,
                                                                  double* eeffEven, double* zo,
                                                                  double* eeffOdd)
{
    if (h == nullptr || w == nullptr || s == nullptr || er == nullptr || ze == nullptr
        || eeffEven == nullptr || zo == nullptr || eeffOdd == nullptr)
        return;
    velmar::CoupledMicrostripParams(*h, *w, *s, *er, *ze, *eeffEven, *zo, *eeffOdd);
}
