#include "app/diffconfig/diff_line.h"

#include <algorithm>
#include <cmath>

#include "app/shared/mdlPublic.h"
#include "platform/binding.h"
#include "platform/convert.h"
#include "platform/errors.h"

namespace diffconfig {

int lineCaptionId(int mode, int label) {
    static const int ids[3][5] = {
        {6655, 6656, 6657, 6658, 6659},
        {6661, 6662, 6663, 6664, 6665},
        {0, 6658, 0, 0, 0},
    };
    if (mode < 0 || mode > 2 || label < 0 || label > 4) return 0;
    return ids[mode][label];
}

bool lineLabelShown(int mode, int label) {
    switch (mode) {
    case LineGeometry: return true;
    case LineImpedances: return label <= 4;
    case LineCable: return label <= 1;
    default: return false;
    }
}

bool lineBoxShown(int mode, int box) {
    switch (mode) {
    case LineGeometry: return box <= 3;
    case LineImpedances: return true;
    case LineCable: return box == 1;
    default: return false;
    }
}

bool geometryExtrasShown(int mode) { return mode == LineGeometry; }

bool materialConstant(const std::string& name, double& k) {
    for (const mdlPublic::MaterialRecord& m : mdlPublic::Materials)
        if (m.Name == name) {
            k = static_cast<double>(m.K);
            return true;
        }
    return false;
}

LineImpedance coupledLineImpedance(double wMm, double hMm, double dMm, double k) {
    double h = hMm * 1e-3, w = wMm * 1e-3, d = dMm * 1e-3, er = k;
    double ze = 0, eeffEven = 0, zo = 0, eeffOdd = 0;
    platform::DualLineImp(&h, &w, &d, &er, &ze, &eeffEven, &zo, &eeffOdd);
    if (!std::isfinite(ze) || !std::isfinite(zo) || ze <= 0 || zo <= 0)
        platform::raiseError(platform::errInvalidArgument, "The line impedance of this geometry cannot be computed.");
    return {ze, zo};
}

LineImpedance geometryImpedance(const DiffInputs& in) {
    double k = 0;
    materialConstant(in.material, k);
    const auto& box = in.lineText;
    return coupledLineImpedance(platform::CDbl(box[0]), platform::CDbl(box[1]), platform::CDbl(box[2]), k);
}

PairBound brokenPairBound(double w, double h, double d) {
    // The sizes come as single-precision numbers, each off its typed decimal by up to 6E-8 of itself, so
    // 0.08 / 1.6 comes to 0.04999999; a ratio that close to a bound counts as at it.
    constexpr double slack = 1e-6;
    const auto atLeast = [](double ratio, double bound) { return ratio >= bound * (1 - slack); };
    const auto atMost = [](double ratio, double bound) { return ratio <= bound * (1 + slack); };
    const double u = w / h, g = d / h;
    // A ratio that is no number (both sizes infinite) breaks the first bound.
    if (!atLeast(u, MinPairRatio)) return WidthBelowMin;
    if (!atLeast(g, MinPairRatio)) return PitchBelowMin;
    if (!atMost(u, MaxWidthRatio)) return WidthAboveMax;
    if (!atMost(g, MaxPitchRatio)) return PitchAboveMax;
    if (!atMost(std::min(u, g), MaxPairRatio)) return BothAboveMax;
    return PairCovered;
}

}  // namespace diffconfig
