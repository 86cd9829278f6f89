#pragma once
// The simulation run of the differential pair: from the checked form to SimResults and a new
// result window. Eight engine runs on the UI thread inside the starting click: for each part state
// (with the choke, without it) and each measuring node (V+, V-) a waveform run of 100 harmonics
// and a spectrum run of 1000 / f harmonics.

#include <cstdint>

class frmConfig2;

namespace app {

// Runs simulation s (= SimCount) of the form; traps every run-time error with the error box
// "Vandor.frmConfig2.StartSimulation" and then opens no result window. s of 100 or more is refused
// with a message before anything is stored. The caller adds 1 to SimCount afterwards.
void runDiffSimulation(frmConfig2& form, std::int16_t s);

// Makes runDiffSimulation the run of frmConfig2's Start Simulation button and menu item.
void registerDiffRun();

}  // namespace app
