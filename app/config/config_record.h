#pragma once
// How the form's inputs become a simulation's record, and how a record's texts come back.

#include <string>

#include "app/shared/SimConfigRecord.h"
#include "app/config/config_inputs.h"

namespace config {

// A typed "0" for an R, L or C of an IC is kept as a tiny value, since the engine cannot take a zero
// element there; exactly "0" only.
inline constexpr const char* TinyR = "1E-13";  // ohm
inline constexpr const char* TinyL = "1E-6";   // nH
inline constexpr const char* TinyC = "1E-3";   // pF

std::string storedLcr(const std::string& typed, const char* tiny);
std::string shownLcr(const std::string& stored, const char* tiny);

// A part box's text split at its first blank: "P1 (N1)" gives P1 and N1; a text without a blank is
// the bare number and has no note.
struct PartText {
    std::string number;
    std::string note;
    bool hasNote = false;
};
PartText splitPartText(const std::string& text);

// Writes the inputs into r as a simulation starts: inputs by the chosen options (fields of options
// not chosen keep what they held), the default chart ranges; VoltMin and VoltMax stay. A clock
// that does not convert, or converts to zero, is a run-time error.
void storeConfig(const ConfigInputs& in, SimConfigRecord& r);

}  // namespace config
