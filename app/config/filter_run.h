#pragma once
// The simulation run of the filter circuit: from the checked form to SimResults and a new result
// window. Four engine runs (five with point A), all on the UI thread inside the starting click:
// with the part 100 harmonics then n, without the part 100 then n, point A 100.

#include <cstdint>

#include "app/shared/engine_run.h"

class frmConfig;

namespace app {

// Runs simulation s (= SimCount) of the form; traps every run-time error with the error box
// "Vandor.frmConfig.StartSimulation" and then opens no result window. s of 100 or more is refused
// with a message before anything is stored.
void runFilterSimulation(frmConfig& form, std::int16_t s);

// Makes runFilterSimulation the run of frmConfig's Start Simulation button and menu item.
void registerFilterRun();

}  // namespace app
