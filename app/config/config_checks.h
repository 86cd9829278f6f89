#pragma once
// The input checks of the filter-circuit form as plain functions of its inputs, and the line
// impedance it shows. None of them shows a message: the form does.

#include <cstdint>
#include <string>

#include "app/config/config_inputs.h"

namespace mdlPublic {
struct FilterIndexRecord;
}

namespace config {

// Longest number the netlist takes as typed: such a field must never outgrow its line.
constexpr std::size_t MaxNumericLength = 15;

// Message ids of the checks.
enum Message : int {
    msgNumericValue = 5280,
    msgNotComplete = 5281,
    msgUnknownPart = 5282,
    msgLinePositive = 5289,
    msgFrequencyRange = 5285,
    msgDutyRange = 5287,
    msgPeriodEnd = 5290,
    msgNotNumeric = 5291,
    msgTooManyCharts = 5292,
    msgNotPositive = 5295,
    msgVoltageRange = 5296,
    msgNoMeasuringPoint = 5297,
    msgLineOutside = 6689,
    msgLineTooShort = 6690,
    msgNumberTooLong = 6691,
};

// What the line models of both circuits take: a transmission line outside these simulates as no
// line the user meant, or not at all.
// Board lines and cables lie well inside 1..1000 ohm (free space is 377). Over that range, at every
// length below, the engine's results hold; it loses them only far outside (below 1E-3 ohm the line's
// admittance swamps the circuit, above 1E+10 ohm rounding erases it).
constexpr double MinLineImpedance = 1;
constexpr double MaxLineImpedance = 1000;
// No dielectric is below vacuum's 1; none of a board or cable reaches 100.
constexpr double MinLineDielectric = 1;
constexpr double MaxLineDielectric = 100;
// 1 um [mm]: shorter than any trace; the engine drifts from about 1E-9 mm. Such a line is refused
// rather than simulated as none: what is stored and printed must be what was simulated, and a
// length that short is a slip (an exponent, a unit), not a line.
constexpr double MinLineLengthMm = 1e-3;
// 100 m [mm]: longer than any board line or interface cable; beyond it the single-precision length
// stops fixing the top harmonic's phase (a 1 km line drifts by 2 mV, a 10 km one by 0.2 V).
constexpr double MaxLineLengthMm = 1e5;

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

// A line box's number as the run reads it (single precision); a number beyond that range, which no
// line has, as an infinity of its sign, so that the line checks refuse it as too large rather than as
// no number. lineNumber raises error 13 where isLineNumber is false.
bool isLineNumber(const std::string& text);
double lineNumber(const std::string& text);

// The same ranges for values the differential form takes: an impedance [ohm], a dielectric
// constant, and a length [mm] (0, msgLineTooShort or msgLineOutside).
bool isLineImpedance(double ohm);
bool isLineDielectric(double k);
int lineLengthMessage(double mm);

// The part as a part box shows it: its number in the current view (partnumType 1: previous
// numbers), followed by " (note)" for beads and chokes, whose notes tell them apart.
std::string partDisplayText(const mdlPublic::FilterIndexRecord& part, int partnumType);

// The search mode of CheckFilPartnum for part box `box` of a circuit type; -1 when the type has no
// such box.
int partSearchMode(int simType, int box);
// Index of the typed part in FilterIndex for box `box`, -1 when it is not a part of this circuit.
std::int16_t findPart(const std::string& text, int simType, int box, int partnumType);

}  // namespace config
