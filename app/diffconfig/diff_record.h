#pragma once
// The differential form's inputs as the record of one simulation.

#include "app/shared/SimConfig2Record.h"
#include "app/diffconfig/diff_inputs.h"

namespace diffconfig {

// Chart ranges every new differential simulation starts with.
constexpr float InitialFreqMin = 1e6F;   // Hz
constexpr float InitialFreqMax = 1e9F;   // Hz
constexpr float InitialSpecMax = 1e9F;   // Hz

// Writes the inputs into r: levels by the interface's source model, the choke split into number
// and note, the line members of the selected mode (the others keep what they held) and the initial
// ranges (the voltage ranges are left to the voltage chart). A part text without a blank is
// error 5; a frequency that is not a positive number raises its conversion error.
void storeConfig(const DiffInputs& in, SimConfig2Record& r);

}  // namespace diffconfig
