#include "app/config/config_checks.h"

#include <cmath>
#include <vector>

#include "app/shared/mdlPublic.h"
#include "platform/convert.h"
#include "platform/errors.h"

namespace config {
namespace {

bool hasLine(const ConfigInputs& in) { return in.lineMode == 0 || in.lineMode == 1; }

}  // namespace

bool fitsNetlistField(const std::string& text) { return platform::Len(text) <= MaxNumericLength; }

bool signalComplete(const ConfigInputs& in) {
    return isFilled(in.clockFreq) && isFilled(in.duty) && isFilled(in.rise) && isFilled(in.fall) &&
           isFilled(in.voltage);
}

bool lineComplete(const ConfigInputs& in) {
    if (in.lineMode == 2) return true;
    return isFilled(in.lineText[0]) && isFilled(in.lineText[1]) && isFilled(in.lineText[2]);
}

bool circuitComplete(const ConfigInputs& in, int which) {
    if (which == 0) return isFilled(in.driver.r) && isFilled(in.driver.l) && isFilled(in.driver.c);
    const IcInputs& rx = in.receiver;
    return isFilled(rx.r) && isFilled(rx.l) && isFilled(rx.c) && isFilled(rx.r2);
}

bool allNumeric(const ConfigInputs& in) {
    bool ok = true;
    for (const std::string* t : {&in.clockFreq, &in.rise, &in.fall, &in.duty, &in.voltage})
        ok = platform::IsNumeric(*t) && ok;
    for (const std::string* t : {&in.driver.r, &in.driver.l, &in.driver.c})
        if (in.driver.byCircuit) ok = platform::IsNumeric(*t) && ok;
    for (const std::string* t : {&in.receiver.l, &in.receiver.c, &in.receiver.r, &in.receiver.r2})
        if (in.receiver.byCircuit) ok = platform::IsNumeric(*t) && ok;
    if (hasLine(in))
        for (const std::string& t : in.lineText) ok = isLineNumber(t) && ok;
    return ok;
}

bool allFitTheNetlist(const ConfigInputs& in) {
    std::vector<const std::string*> verbatim = {&in.voltage};
    if (in.driver.byCircuit) verbatim.push_back(&in.driver.r);
    if (in.receiver.byCircuit) verbatim.insert(verbatim.end(), {&in.receiver.r, &in.receiver.r2});
    if (in.lineMode == 1) verbatim.insert(verbatim.end(), {&in.lineText[0], &in.lineText[1]});  // Z0, K
    for (const std::string* t : verbatim)
        if (!fitsNetlistField(*t)) return false;
    return true;
}

bool allPositive(const ConfigInputs& in) {
    bool ok = true;
    const auto above = [&ok](const std::string& text) { ok = value(text) > 0 && ok; };
    const auto notBelow = [&ok](const std::string& text) { ok = value(text) >= 0 && ok; };
    above(in.clockFreq);
    above(in.duty);
    above(in.voltage);
    // A zero R, L or C is allowed: the record stores it as a tiny value.
    if (in.driver.byCircuit)
        for (const std::string* t : {&in.driver.r, &in.driver.l, &in.driver.c}) notBelow(*t);
    if (in.receiver.byCircuit) {
        for (const std::string* t : {&in.receiver.l, &in.receiver.r, &in.receiver.c}) notBelow(*t);
        above(in.receiver.r2);
    }
    if (hasLine(in))
        for (const std::string& t : in.lineText) ok = lineNumber(t) > 0 && ok;
    return ok;
}

bool noPeriodEnd(const ConfigInputs& in) {
    // The voltage is not tested; the line boxes are, hidden or not.
    for (const std::string* t : {&in.clockFreq, &in.duty, &in.rise, &in.fall})
        if (endsWithPoint(*t)) return false;
    for (const std::string& t : in.lineText)
        if (endsWithPoint(t)) return false;
    return true;
}

int rangeMessage(const ConfigInputs& in) {
    const float v = value(in.voltage);
    if (v < 1 || v > 7) return msgVoltageRange;
    const float f = value(in.clockFreq);
    if (f < 1 || f > 100) return msgFrequencyRange;
    const float d = value(in.duty);
    if (d < 0 || d > 100) return msgDutyRange;
    return 0;
}

double microstripImpedance(double w, double h, double k) {
    const double x = h / w;
    const double eeff = (k + 1) * 0.5 + (k - 1) * 0.5 / std::sqrt(1 + 10 * x);
    const double f = 6 + 0.283 * std::exp(-std::pow(30.7 * x, 0.753));
    return 60 / std::sqrt(eeff) * std::log(f * x + std::sqrt(1 + 4 * x * x));
}

namespace {

// The impedance [ohm] of the typed width and thickness [mm] on the chosen material (k 0 when unknown).
double typedLineImpedance(const ConfigInputs& in) {
    const double w = lineNumber(in.lineText[0]) * 1e-3;  // m
    const double h = lineNumber(in.lineText[1]) * 1e-3;  // m
    double k = 0;
    for (const mdlPublic::MaterialRecord& m : mdlPublic::Materials)
        if (m.Name == in.material) {
            k = static_cast<double>(m.K);
            break;
        }
    return microstripImpedance(w, h, k);
}

}  // namespace

std::string lineImpedanceText(const ConfigInputs& in) { return platform::Format(typedLineImpedance(in), "0.00"); }

bool lineHasImpedance(const ConfigInputs& in) { return in.lineMode != 0 || isLineImpedance(typedLineImpedance(in)); }

int lineMessage(const ConfigInputs& in) {
    if (!hasLine(in)) return 0;
    if (!lineHasImpedance(in)) return msgLineOutside;
    if (in.lineMode == 1 && (!isLineImpedance(lineNumber(in.lineText[0])) || !isLineDielectric(lineNumber(in.lineText[1]))))
        return msgLineOutside;
    return lineLengthMessage(lineNumber(in.lineText[2]));
}

int partSearchMode(int simType, int box) {
    switch (simType) {
    case mdlPublic::CircuitOnePart: return 0;
    case mdlPublic::CircuitBeadCapacitor: return box == 0 ? 1 : box == 1 ? 3 : -1;
    case mdlPublic::CircuitBeadFilter: return box == 0 ? 1 : box == 1 ? 5 : -1;
    default: return -1;
    }
}

std::int16_t findPart(const std::string& text, int simType, int box, int partnumType) {
    const int mode = partSearchMode(simType, box);
    if (mode < 0) return -1;
    const std::int16_t k = mdlPublic::CheckFilPartnum(text, static_cast<std::int16_t>(mode), partnumType);
    // A choke coil belongs to the differential circuit only; no filter circuit can take it.
    if (k >= 0 && mdlPublic::FilterIndex[static_cast<std::size_t>(k)].PartType == 3) return -1;
    return k;
}

}  // namespace config
