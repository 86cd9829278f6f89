#pragma once
// The input checks of the differential form as plain functions of its inputs. None of them shows a
// message: the form does, in the order of its CheckConfig.

#include <string>
#include <vector>

#include "app/diffconfig/diff_inputs.h"
#include "app/diffconfig/diff_line.h"
#include "app/shared/shared_checks.h"

namespace diffconfig {

using namespace checks;

// Message ids of the checks and of the line group.
enum Message : int {
    msgEnterNumeric = 6680,
    msgLinePositive = 6681,
    msgVoltageRange = 6684,
    msgVoltageOrder = 6685,
    msgFrequencyRange = 6686,
    msgEdgesTooLong = 6687,
    msgNoMaterial = 6688,
    msgOddAboveEven = 6692,
    // A geometry outside the pair formulas, by the bound it breaks (PairBound).
    msgWidthBelowMin = 6693,
    msgPitchBelowMin = 6694,
    msgWidthAboveMax = 6695,
    msgPitchAboveMax = 6696,
    msgBothAboveMax = 6697,
};

// Signal frequency range [MHz], bounds included.
constexpr float MinClockMHz = 0.75F;
constexpr float MaxClockMHz = 240.0F;
// Level range [V], bounds included.
constexpr float MinLevel = 0.0F;
constexpr float MaxLevel = 4.0F;

// The ten texts of the input group: frequency, VH(0..1), VL(0..1), rise(0..1), fall(0..1), skew.
std::vector<const std::string*> clockTexts(const DiffInputs& in);
// The line boxes a mode asks for: geometry 0..3, impedances 0..4, cable 1, ignored none.
std::vector<int> lineBoxes(int lineMode);

bool clockComplete(const DiffInputs& in);
// Every box of the mode filled; in geometry mode a material chosen; never the LVDS cable, which has
// no model.
bool lineComplete(const DiffInputs& in);

// Each runs every test of its kind (no early exit) and tells whether all passed.
bool allNumeric(const DiffInputs& in);
bool allPositive(const DiffInputs& in);  // requires allNumeric
bool noPeriodEnd(const DiffInputs& in);
// 0 when the frequency and both inputs' levels lie in their ranges, else the first message;
// requires allNumeric.
int rangeMessage(const DiffInputs& in);
// Both inputs' ramps fit into one period: the netlist's pulse width (T - tr/0.8 - tf/0.8) / 2 is
// not negative. A negative width gives the engine no trapezoid but a broken wave.
bool edgesFit(const DiffInputs& in);
// In geometry mode: 0 when the pair formulas cover the positive W, h and d and both impedances they
// give, written to z, lie in the line range. Else the message of the first bound broken
// (brokenPairBound: W 1E+30 gives msgWidthAboveMax, wide strips far apart msgBothAboveMax), or
// msgLineOutside for impedances out of range. A missing engine raises its run-time error.
int geometryMessage(const DiffInputs& in, LineImpedance& z);
// The geometry's check at Start: geometryMessage in geometry mode, 0 in the others; a missing engine
// is left to the run to report.
int startGeometryMessage(const DiffInputs& in);
// 0 when the rest of the line keeps to the line ranges (lengths; typed impedances and dielectric
// constants), else msgLineOutside or msgLineTooShort; typed impedances with the differential mode above
// the common mode give msgOddAboveEven. Requires allPositive.
int lineMessage(const DiffInputs& in);

}  // namespace diffconfig
