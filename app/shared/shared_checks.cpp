#include "app/shared/shared_checks.h"

#include <cmath>

#include "platform/convert.h"
#include "platform/errors.h"

namespace checks {

bool endsWithPoint(const std::string& text) { return !text.empty() && text.back() == '.'; }

float value(const std::string& text) { return platform::CSng(text); }

double lineNumber(const std::string& text) {
    if (platform::IsNumeric(text)) return static_cast<double>(value(text));
    try {
        return std::copysign(HUGE_VAL, platform::CDbl(text));
    } catch (const platform::RuntimeError& e) {
        // Beyond even the double range: only the number's magnitude makes CDbl overflow.
        if (e.number() != platform::errOverflow) throw;
        return text.at(text.find_first_not_of(" \t")) == '-' ? -HUGE_VAL : HUGE_VAL;
    }
}

bool isLineNumber(const std::string& text) {
    try {
        lineNumber(text);
        return true;
    } catch (const platform::RuntimeError&) {
        return false;
    }
}

bool isLineImpedance(double ohm) { return ohm >= MinLineImpedance && ohm <= MaxLineImpedance; }

bool isLineDielectric(double k) { return k >= MinLineDielectric && k <= MaxLineDielectric; }

int lineLengthMessage(double mm) {
    if (mm < MinLineLengthMm) return msgLineTooShort;
    return mm > MaxLineLengthMm ? msgLineOutside : 0;
}

}  // namespace checks
