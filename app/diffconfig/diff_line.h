#pragma once
// The coupled line's four modes: which captions and controls each shows, and the even- and
// odd-mode impedances of a board geometry through the engine.

#include <string>

#include "app/diffconfig/diff_inputs.h"

namespace diffconfig {

enum LineMode : int { LineGeometry = 0, LineImpedances = 1, LineCable = 2, LineIgnored = 3 };

// String id of the caption of lblConfigTrans(label) (0..4) in a mode; 0 when the mode gives it
// none (hidden, or in cable mode label 0, which names the interface).
int lineCaptionId(int mode, int label);
// Whether a control of the line group shows in a mode.
bool lineLabelShown(int mode, int label);   // lblConfigTrans(0..8)
bool lineBoxShown(int mode, int box);       // txtConfigTrans(0..4)
bool geometryExtrasShown(int mode);         // cboMaterial, cmdFigure, fraImp

// The relative dielectric constant of the first material named exactly `name`; false when none is.
bool materialConstant(const std::string& name, double& k);

// The even- and odd-mode impedance [ohm] of one line of the pair, which the form shows as Common Mode
// and Differential Mode: width w, board thickness h and gap d between the strips' edges in
// millimetres, dielectric constant k. A missing engine raises its run-time error; a result that is
// no finite positive number raises error 5.
struct LineImpedance {
    double even = 0;
    double odd = 0;
};
LineImpedance coupledLineImpedance(double wMm, double hMm, double dMm, double k);
// The same for the typed W, h and d (numbers) over the chosen material (k 0 when none is).
LineImpedance geometryImpedance(const DiffInputs& in);

// Where the pair formulas hold for strips of width w on a board of thickness h whose edges lie d
// apart (the form's "Line Pitch (d)"), in any one unit: w and d at least MinPairRatio h, w at most
// MaxWidthRatio h, d at most MaxPitchRatio h, and not both above MaxPairRatio h. There their even-
// and odd-mode impedances keep within 6 % of a field solution for the boards' dielectric constants (4.0
// to 4.7), the odd mode never above the even one. Outside they can be off by 10 % and far more:
// hair-thin strips all but touching, whose odd mode comes out high; wide strips far apart, whose odd
// mode collapses (from about 10 h wide and 1E+4 h apart, or both above 10 h); and strips wider than
// about 93 h close together, whose odd mode rises above the even one (170 h wide: off by 6.4 %). A ratio
// at a bound is inside whether its sizes are typed as 0.08 and 1.6 or as 0.05 and 1.
constexpr double MinPairRatio = 0.05;
constexpr double MaxPairRatio = 10;
constexpr double MaxWidthRatio = 90;
constexpr double MaxPitchRatio = 1000;
// The first bound, in this order, that a geometry breaks, so that its refusal can name it.
enum PairBound : int { PairCovered, WidthBelowMin, PitchBelowMin, WidthAboveMax, PitchAboveMax, BothAboveMax };
PairBound brokenPairBound(double w, double h, double d);

}  // namespace diffconfig
