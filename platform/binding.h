#pragma once
// The engine library, bound by name at the first call of either export.
//
// libvelmar.so is looked up in the program's own folder. A missing library is error 53 and a
// missing entry error 453, raised at the call; the next call tries again. Once bound it stays.

#include <string>

namespace platform {

// Returns 1 when the run succeeded, 0 when the engine refused the netlist (it prints why).
int Simulate(char* netlist, double* time, double* wave, double* freq, double* spectrum);
// Inputs h, w, s [m] and er; outputs the even- and odd-mode impedances and effective permittivities.
void DualLineImp(double* h, double* w, double* s, double* er, double* ze, double* eeffEven, double* zo,
                 double* eeffOdd);

// Seam: the folder the library is loaded from (default: the program's folder). Takes effect at the
// next binding attempt; a library already bound stays bound.
void setEngineFolder(const std::string& folder);
bool engineBound();

}  // namespace platform
