#pragma once
// The input checks of the filter-circuit form as plain functions of its inputs, and the line
// impedance it shows. None of them shows a message: the form does.

#include <cstdint>
#include <string>

#include "app/config/config_inputs.h"
#include "app/shared/shared_checks.h"

namespace config {

using namespace checks;

// Longest number the netlist takes as typed: such a field must never outgrow its line.
constexpr std::size_t MaxNumericLength = 15;

// Message ids of the checks.
enum Message : int {
    msgNumericValue = 5280,
    msgLinePositive = 5289,
    msgFrequencyRange = 5285,
    msgDutyRange = 5287,
    msgVoltageRange = 5296,
    msgNoMeasuringPoint = 5297,
    msgNumberTooLong = 6691,
};

// A box is filled when its text is not empty; blanks count as filled.
inline bool isFilled(const std::string& text) { return !text.empty(); }
// A number the netlist writes as typed (the voltage, the ICs' resistances, the line's impedance
// and K) must be no longer than MaxNumericLength characters. Every other number is converted before
// it is written, so any length the locale reads will do.
bool fitsNetlistField(const std::string& text);

bool signalComplete(const ConfigInputs& in);
bool lineComplete(const ConfigInputs& in);
// which 0: the driver's R, L, C; any other value: the receiver's L, R, C and R2.
bool circuitComplete(const ConfigInputs& in, int which);

// Each runs every test of its kind (no early exit) and tells whether all passed.
bool allNumeric(const ConfigInputs& in);
bool allPositive(const ConfigInputs& in);     // requires allNumeric
// Every number the netlist writes as typed fits its field; requires allNumeric.
bool allFitTheNetlist(const ConfigInputs& in);
bool noPeriodEnd(const ConfigInputs& in);
// 0 when voltage, frequency and duty lie in their ranges, else the message of the first that does
// not; requires allNumeric.
int rangeMessage(const ConfigInputs& in);

// Characteristic impedance [ohm] of a microstrip of zero thickness: width w and board thickness h in
// any one unit, relative dielectric constant k.
double microstripImpedance(double w, double h, double k);
// The impedance as the form shows it ("0.00") for the typed width and thickness [mm] and the
// material's constant (0 for an unknown name); the two boxes must hold positive numbers.
std::string lineImpedanceText(const ConfigInputs& in);
// In geometry mode, the impedance of the typed width and thickness lies in the line range (not so
// for a width of 1E+10 mm, whose impedance comes to nothing); true in the other modes. Requires
// allPositive.
bool lineHasImpedance(const ConfigInputs& in);
// 0 when the line of the mode keeps to the line ranges, else msgLineOutside, or msgLineTooShort
// for a length below MinLineLengthMm. Requires allPositive.
int lineMessage(const ConfigInputs& in);

// The search mode of CheckFilPartnum for part box `box` of a circuit type; -1 when the type has no
// such box.
int partSearchMode(int simType, int box);
// Index of the typed part in FilterIndex for box `box`, -1 when it is not a part of this circuit.
std::int16_t findPart(const std::string& text, int simType, int box, int partnumType);

}  // namespace config
