#pragma once
// The checks both configuration forms make alike: a typed number as the checks read it and the
// ranges of a transmission line, with the ids of the messages both forms show. None of them shows a
// message. The checks of each form (namespaces config and diffconfig) build on these.

#include <string>

namespace checks {

// Message ids both forms' checks give.
enum Message : int {
    msgNotComplete = 5281,
    msgUnknownPart = 5282,
    msgPeriodEnd = 5290,
    msgNotNumeric = 5291,
    msgTooManyCharts = 5292,
    msgNotPositive = 5295,
    msgLineOutside = 6689,
    msgLineTooShort = 6690,
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

// A typed number that ends in its decimal point ("3.") is refused, though it converts.
bool endsWithPoint(const std::string& text);
// A box's number as the checks read it (single precision, the locale's decimal sign).
float value(const std::string& text);

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

}  // namespace checks
