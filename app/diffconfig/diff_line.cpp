#include "app/diffconfig/diff_line.h"

#include <cmath>

#include "app/shell/mdlPublic.h"
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

double singleStripImpedance(double w, double h, double k) {
    const double x = 4 * h / w;
    const double kx = (14 + 8 / k) / 11 * x;
    const double piSquaredHalf = 4.934802200544669;
    return 42.4 / std::sqrt(k + 1) * std::log(1 + x * (kx + std::sqrt(kx * kx + piSquaredHalf * (k + 1) / k)));
}

bool isPhysicalPair(const LineImpedance& z, double w, double h, double k) {
    // Uncoupled strips (pitches of 1000 h) leave the odd mode a rounding of 1E-8 above the even one.
    if (z.differential > z.common * (1 + 1e-6)) return false;
    // sqrt(Ze Zo) / Zw stays within 0.76..1.001 over W/h and pitch/h of 0.05 to 10 (er 1 to 10);
    // a collapsed odd mode (wide strips, thin board, wide pitch) gives 0.004..0.17, merged strips
    // (hair-thin and all but touching, the odd mode no lower than one strip) more than 1.1.
    const double ratio = std::sqrt(z.common * z.differential) / singleStripImpedance(w, h, k);
    return ratio >= 0.5 && ratio <= 1.1;
}

}  // namespace diffconfig
