#include "app/diffconfig/diff_checks.h"

#include "app/diffconfig/diff_line.h"
#include "platform/convert.h"
#include "platform/errors.h"

namespace diffconfig {
namespace {


// Texts tested for numbers: the input group and the line boxes of the mode.
std::vector<const std::string*> testedTexts(const DiffInputs& in) {
    std::vector<const std::string*> texts = clockTexts(in);
    for (const int box : lineBoxes(in.lineMode)) texts.push_back(&in.lineText[static_cast<std::size_t>(box)]);
    return texts;
}

}  // namespace

std::vector<const std::string*> clockTexts(const DiffInputs& in) {
    return {&in.clockFreq, &in.volHigh[0], &in.volHigh[1], &in.volLow[0], &in.volLow[1],
            &in.rise[0],   &in.rise[1],    &in.fall[0],    &in.fall[1],   &in.skew};
}

std::vector<int> lineBoxes(int lineMode) {
    switch (lineMode) {
    case 0: return {0, 1, 2, 3};
    case 1: return {0, 1, 2, 3, 4};
    case 2: return {1};
    default: return {};
    }
}

bool clockComplete(const DiffInputs& in) {
    for (const std::string* text : clockTexts(in))
        if (text->empty()) return false;
    return true;
}

bool lineComplete(const DiffInputs& in) {
    if (in.lineMode == 2 && in.dccType == "LVDS") return false;
    if (in.lineMode == 0 && in.material.empty()) return false;
    for (const int box : lineBoxes(in.lineMode))
        if (in.lineText[static_cast<std::size_t>(box)].empty()) return false;
    return true;
}

bool allNumeric(const DiffInputs& in) {
    bool ok = true;
    // The netlist converts every one of them, so any length the locale reads will do.
    for (const std::string* text : clockTexts(in)) ok = platform::IsNumeric(*text) && ok;
    for (const int box : lineBoxes(in.lineMode)) ok = checks::isLineNumber(in.lineText[static_cast<std::size_t>(box)]) && ok;
    return ok;
}

bool allPositive(const DiffInputs& in) {
    bool ok = true;
    for (const std::string* text : {&in.clockFreq, &in.rise[0], &in.rise[1], &in.fall[0], &in.fall[1]})
        ok = value(*text) > 0 && ok;
    ok = value(in.skew) >= 0 && ok;
    for (const int box : lineBoxes(in.lineMode)) ok = checks::lineNumber(in.lineText[static_cast<std::size_t>(box)]) > 0 && ok;
    return ok;
}

bool noPeriodEnd(const DiffInputs& in) {
    bool ok = true;
    for (const std::string* text : testedTexts(in)) ok = !endsWithPoint(*text) && ok;
    return ok;
}

int rangeMessage(const DiffInputs& in) {
    const float f = value(in.clockFreq);
    if (f < MinClockMHz || f > MaxClockMHz) return msgFrequencyRange;
    for (std::size_t i = 0; i < 2; ++i) {
        const float high = value(in.volHigh[i]);
        const float low = value(in.volLow[i]);
        if (high < MinLevel || high > MaxLevel) return msgVoltageRange;
        if (low < MinLevel || low > MaxLevel) return msgVoltageRange;
        if (low >= high) return msgVoltageOrder;
    }
    return 0;
}

bool edgesFit(const DiffInputs& in) {
    const double periodNs = 1000.0 / static_cast<double>(value(in.clockFreq));
    for (std::size_t i = 0; i < 2; ++i) {
        // The boxes hold 10 %-90 % times; the ramps last 1 / 0.8 of them.
        const double ramps = (static_cast<double>(value(in.rise[i])) + static_cast<double>(value(in.fall[i]))) / 0.8;
        if (ramps > periodNs) return false;
    }
    return true;
}

int geometryMessage(const DiffInputs& in, LineImpedance& z) {
    const auto mm = [&in](int box) { return checks::lineNumber(in.lineText[static_cast<std::size_t>(box)]); };
    switch (brokenPairBound(mm(0), mm(1), mm(2))) {
    case PairCovered: break;
    case WidthBelowMin: return msgWidthBelowMin;
    case PitchBelowMin: return msgPitchBelowMin;
    case WidthAboveMax: return msgWidthAboveMax;
    case PitchAboveMax: return msgPitchAboveMax;
    case BothAboveMax: return msgBothAboveMax;
    }
    try {
        z = geometryImpedance(in);
    } catch (const platform::RuntimeError& e) {
        if (e.number() != platform::errInvalidArgument) throw;
        return msgLineOutside;
    }
    return checks::isLineImpedance(z.even) && checks::isLineImpedance(z.odd) ? 0 : msgLineOutside;
}

int startGeometryMessage(const DiffInputs& in) {
    if (in.lineMode != LineGeometry) return 0;
    LineImpedance z;
    try {
        return geometryMessage(in, z);
    } catch (const platform::RuntimeError&) {
        return 0;  // a missing engine is the run's to report
    }
}

int lineMessage(const DiffInputs& in) {
    const auto number = [&in](int box) { return checks::lineNumber(in.lineText[static_cast<std::size_t>(box)]); };
    switch (in.lineMode) {
    case LineGeometry: return checks::lineLengthMessage(number(3));
    case LineImpedances:
        // Common- and differential-mode impedance [ohm], their dielectric constants, the length [mm]. The two
        // impedances are the even- and odd-mode impedance of one line, as the geometry shows them and the engine
        // takes them; no pair of lines has its odd mode above its even one.
        for (const int box : {0, 1})
            if (!checks::isLineImpedance(number(box))) return msgLineOutside;
        if (number(1) > number(0)) return msgOddAboveEven;
        for (const int box : {2, 3})
            if (!checks::isLineDielectric(number(box))) return msgLineOutside;
        return checks::lineLengthMessage(number(4));
    case LineCable: return checks::lineLengthMessage(number(1));
    default: return 0;
    }
}

}  // namespace diffconfig
