#include "platform/convert.h"

#include <QLocale>
#include <QString>

#include <cfloat>
#include <charconv>
#include <cmath>
#include <algorithm>
#include <cstdio>
#include <limits>
#include <random>
#include <system_error>
#include <vector>

#include "platform/errors.h"

namespace platform {

namespace {

double roundHalfEven(double value) {
    if (!std::isfinite(value)) raiseError(errOverflow);
    const double r = std::round(value);
    // std::round takes halves away from zero; step back when that landed on an odd number.
    if (std::fabs(value - std::trunc(value)) == 0.5 && std::fmod(r, 2.0) != 0) return r - std::copysign(1.0, value);
    return r;
}

enum class Parsed { Number, NotNumber, Overflow };

// Parses the strict numeric grammar with the locale's decimal sign.
Parsed parseNumber(const std::string& text, double& value) {
    const std::string decimal = DecimalSign();
    std::size_t i = 0, end = text.size();
    while (i < end && (text[i] == ' ' || text[i] == '\t')) ++i;
    while (end > i && (text[end - 1] == ' ' || text[end - 1] == '\t')) --end;

    std::string plain;  // the number in "C" form for from_chars
    if (i < end && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-') plain += '-';
        ++i;
    }
    int digits = 0;
    auto takeDigits = [&] {
        int n = 0;
        while (i < end && text[i] >= '0' && text[i] <= '9') {
            plain += text[i++];
            ++n;
        }
        return n;
    };
    digits += takeDigits();
    if (end - i >= decimal.size() && text.compare(i, decimal.size(), decimal) == 0) {
        i += decimal.size();
        plain += '.';
        digits += takeDigits();
    }
    if (digits == 0) return Parsed::NotNumber;
    if (i < end && (text[i] == 'E' || text[i] == 'e')) {
        ++i;
        plain += 'e';
        if (i < end && (text[i] == '+' || text[i] == '-')) plain += text[i++];
        if (takeDigits() == 0) return Parsed::NotNumber;
    }
    if (i != end) return Parsed::NotNumber;

    const auto [ptr, ec] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (ec == std::errc::result_out_of_range) {
        // Underflow is a tiny number, not an error; overflow is beyond every range.
        const auto e = plain.find('e');
        if (e != std::string::npos && plain.find('-', e) != std::string::npos) {
            value = 0;
            return Parsed::Number;
        }
        return Parsed::Overflow;
    }
    if (ec != std::errc() || ptr != plain.data() + plain.size()) return Parsed::NotNumber;
    return std::isfinite(value) ? Parsed::Number : Parsed::Overflow;
}

// The general form with "." as decimal sign: %G with the type's significant digits.
std::string generalForm(double value, int digits) {
    if (value == 0) return "0";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*G", digits, value);
    return buffer;
}

std::string localised(std::string text) {
    const std::string decimal = DecimalSign();
    if (decimal == ".") return text;
    const auto dot = text.find('.');
    if (dot != std::string::npos) text.replace(dot, 1, decimal);
    return text;
}

// The printed form: no zero before the decimal point, a blank for the plus sign.
std::string printedForm(std::string text) {
    const bool negative = !text.empty() && text[0] == '-';
    std::string body = negative ? text.substr(1) : text;
    if (body.size() > 1 && body[0] == '0' && body[1] == '.') body.erase(0, 1);
    return (negative ? "-" : " ") + body;
}

// --- UTF-8 positions.
bool isContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// Byte offset of each character start, plus the text's size at the end.
std::vector<std::size_t> characterOffsets(const std::string& text) {
    std::vector<std::size_t> offsets;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (!isContinuation(static_cast<unsigned char>(text[i])) || offsets.empty()) offsets.push_back(i);
    offsets.push_back(text.size());
    return offsets;
}

std::vector<std::string> characters(const std::string& text) {
    const auto offsets = characterOffsets(text);
    std::vector<std::string> result;
    for (std::size_t k = 0; k + 1 < offsets.size(); ++k)
        result.push_back(text.substr(offsets[k], offsets[k + 1] - offsets[k]));
    return result;
}

}  // namespace

// --- Numbers ---------------------------------------------------------------------------------------

std::int16_t CInt(double value) {
    const double r = roundHalfEven(value);
    if (r < std::numeric_limits<std::int16_t>::min() || r > std::numeric_limits<std::int16_t>::max())
        raiseError(errOverflow);
    return static_cast<std::int16_t>(r);
}

std::int32_t CLng(double value) {
    const double r = roundHalfEven(value);
    if (r < std::numeric_limits<std::int32_t>::min() || r > std::numeric_limits<std::int32_t>::max())
        raiseError(errOverflow);
    return static_cast<std::int32_t>(r);
}

double CDbl(const std::string& text) {
    double value = 0;
    switch (parseNumber(text, value)) {
        case Parsed::Number: return value;
        case Parsed::Overflow: raiseError(errOverflow);
        case Parsed::NotNumber: break;
    }
    raiseError(errTypeMismatch);
}

float CSng(const std::string& text) {
    const double value = CDbl(text);
    if (std::fabs(value) > FLT_MAX) raiseError(errOverflow);
    return static_cast<float>(value);
}

bool IsNumeric(const std::string& text) {
    double value = 0;
    return parseNumber(text, value) == Parsed::Number && std::fabs(value) <= FLT_MAX;
}

std::string DecimalSign() { return QLocale().decimalPoint().toStdString(); }

std::string generalNumber(double value, int digits) { return localised(generalForm(value, digits)); }
std::string CStr(float value) { return generalNumber(value, 7); }
std::string CStr(double value) { return generalNumber(value, 15); }
std::string CStr(int value) { return std::to_string(value); }
std::string Str(float value) { return printedForm(generalForm(value, 7)); }
std::string Str(double value) { return printedForm(generalForm(value, 15)); }
std::string Str(int value) { return value < 0 ? std::to_string(value) : " " + std::to_string(value); }

std::string Format(double value, const std::string& pattern) {
    static const char* const known[] = {"0", "00", "0.#", "0.##", "0.00", "#"};
    bool ok = false;
    for (const char* k : known) ok = ok || pattern == k;
    if (!ok || !std::isfinite(value)) raiseError(errInvalidArgument);

    const auto point = pattern.find('.');
    const std::string intPattern = pattern.substr(0, point);
    const std::string fracPattern = point == std::string::npos ? "" : pattern.substr(point + 1);
    const int decimals = static_cast<int>(fracPattern.size());
    const int minDecimals = static_cast<int>(std::count(fracPattern.begin(), fracPattern.end(), '0'));
    const int minIntDigits = static_cast<int>(std::count(intPattern.begin(), intPattern.end(), '0'));

    // Round the 15-digit decimal text of the value, so 2.675 rounds as written, not as stored.
    char buffer[64];
    std::string mantissa;
    int exponent = 0;
    {
        std::snprintf(buffer, sizeof buffer, "%.14e", std::fabs(value));
        const std::string e(buffer);
        const auto ePos = e.find('e');
        mantissa = e.substr(0, 1) + e.substr(2, ePos - 2);  // 15 digits d0 d1 ... d14
        exponent = std::stoi(e.substr(ePos + 1));            // value = d0.d1... x 10^exponent
    }
    // Integer digits and fraction digits at full precision.
    std::string whole, frac;
    if (exponent >= 0) {
        mantissa.resize(std::max<std::size_t>(mantissa.size(), exponent + 1), '0');
        whole = mantissa.substr(0, exponent + 1);
        frac = mantissa.substr(exponent + 1);
    } else {
        whole = "0";
        frac = std::string(-exponent - 1, '0') + mantissa;
    }
    // Round half away from zero at the pattern's decimals.
    const bool up = static_cast<int>(frac.size()) > decimals && frac[decimals] >= '5';
    frac.resize(decimals, '0');
    std::string number = whole + frac;
    if (up) {
        int k = static_cast<int>(number.size()) - 1;
        while (k >= 0 && number[k] == '9') number[k--] = '0';
        if (k >= 0) ++number[k]; else number.insert(0, "1");
    }
    whole = number.substr(0, number.size() - decimals);
    frac = number.substr(number.size() - decimals);

    while (whole.size() > 1 && whole[0] == '0') whole.erase(0, 1);
    if (whole == "0" && minIntDigits == 0) whole.clear();
    while (static_cast<int>(whole.size()) < minIntDigits) whole.insert(0, "0");
    while (static_cast<int>(frac.size()) > minDecimals && frac.back() == '0') frac.pop_back();

    std::string text = whole;
    if (point != std::string::npos) text += DecimalSign() + frac;
    const bool zero = number.find_first_not_of('0') == std::string::npos;
    return (value < 0 && !zero) ? "-" + text : text;
}

// --- Text ------------------------------------------------------------------------------------------

std::size_t Len(const std::string& text) { return characterOffsets(text).size() - 1; }

std::string Mid(const std::string& text, long start, long length) {
    if (start < 1) raiseError(errInvalidArgument);
    const auto offsets = characterOffsets(text);
    const long count = static_cast<long>(offsets.size()) - 1;
    if (start > count) return {};
    const long last = length < 0 ? count : std::min(count, start - 1 + length);
    return text.substr(offsets[start - 1], offsets[last] - offsets[start - 1]);
}

std::string Left(const std::string& text, long length) {
    if (length < 0) raiseError(errInvalidArgument);
    return length == 0 ? std::string() : Mid(text, 1, length);
}

std::string Right(const std::string& text, long length) {
    if (length < 0) raiseError(errInvalidArgument);
    const long count = static_cast<long>(Len(text));
    return length >= count ? text : Mid(text, count - length + 1);
}

long InStr(const std::string& text, const std::string& find, long start) {
    if (start < 1) raiseError(errInvalidArgument);
    const auto offsets = characterOffsets(text);
    const long count = static_cast<long>(offsets.size()) - 1;
    if (start > count) return find.empty() && start == count + 1 ? start : 0;
    if (find.empty()) return start;
    const auto at = text.find(find, offsets[start - 1]);
    if (at == std::string::npos) return 0;
    return static_cast<long>(std::lower_bound(offsets.begin(), offsets.end(), at) - offsets.begin()) + 1;
}

std::string Chr(int code) {
    if (code < 0 || code > 255) raiseError(errInvalidArgument);
    if (code < 0x80) return std::string(1, static_cast<char>(code));
    return {static_cast<char>(0xC0 | (code >> 6)), static_cast<char>(0x80 | (code & 0x3F))};
}

bool Like(const std::string& text, const std::string& pattern) {
    const auto s = characters(text);
    const auto p = characters(pattern);
    // Greedy match with one backtrack point for the last '*'.
    std::size_t i = 0, j = 0, starP = std::string::npos, starS = 0;
    while (i < s.size()) {
        if (j < p.size() && (p[j] == "?" || (p[j] != "*" && p[j] == s[i]))) {
            ++i;
            ++j;
        } else if (j < p.size() && p[j] == "*") {
            starP = j++;
            starS = i;
        } else if (starP != std::string::npos) {
            j = starP + 1;
            i = ++starS;
        } else {
            return false;
        }
    }
    while (j < p.size() && p[j] == "*") ++j;
    return j == p.size();
}

float Rnd() {
    // A fixed seed: the sequence is part of the program's behaviour (window placement).
    static std::minstd_rand engine(1);
    constexpr std::uint32_t Span = 1u << 24;  // exact in a float, so the result stays below 1
    return static_cast<float>(engine() % Span) / static_cast<float>(Span);
}

}  // namespace platform
