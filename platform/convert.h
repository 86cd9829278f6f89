#pragma once
// The run-time's conversions, text functions and number formats, in one place.
//
// "Locale" below is the application's default locale (the user's, unless the program or a test
// sets another). Texts are UTF-8; positions and lengths count characters, not bytes.

#include <cstdint>
#include <string>

namespace platform {

// --- Numbers from numbers. Halves round to even; a result outside the type is error 6.
std::int16_t CInt(double value);
std::int32_t CLng(double value);

// --- Numbers from typed text (locale decimal sign). Not numeric: error 13; beyond the type: error 6.
float CSng(const std::string& text);
double CDbl(const std::string& text);

// Strict test: optional blanks, optional sign, digits with at most one locale decimal sign (at
// least one digit), optional exponent E or e with optional sign and digits, optional blanks.
// No hex, currency, grouping, inf or nan; a value beyond the single range is not numeric.
bool IsNumeric(const std::string& text);

// --- Text from numbers.
// General form in the locale: a single with up to 7 significant digits, a double with up to 15;
// exponent form as "1.25E-09" / "1E+15" for very small or large magnitudes.
// The general form in the locale with up to `digits` significant digits (1 to 17): CStr's form.
std::string generalNumber(double value, int digits);
std::string CStr(float value);
std::string CStr(double value);
std::string CStr(int value);
// As CStr, with "." as decimal sign, no leading zero before it, and a blank in place of a plus
// sign (" 4.4", "-.5"): the form a printed number takes.
std::string Str(float value);
std::string Str(double value);
std::string Str(int value);
// Patterns "0", "00", "0.#", "0.##", "0.00", "#": '0' a digit always written, '#' a digit written
// only when significant; halves round away from zero; locale decimal sign. Another pattern is error 5.
std::string Format(double value, const std::string& pattern);

// The locale's decimal sign ("." or ",").
std::string DecimalSign();

// --- Text.
std::size_t Len(const std::string& text);
// 1-based start; start < 1 or length < 0 is error 5. Past the end gives "".
std::string Mid(const std::string& text, long start, long length = -1);
std::string Left(const std::string& text, long length);
std::string Right(const std::string& text, long length);
// 1-based position of find in text from start (0 when absent; an empty find gives start).
long InStr(const std::string& text, const std::string& find, long start = 1);
// Characters 0-255 as Latin-1: Chr(181) is "µ". Another code is error 5.
std::string Chr(int code);
// Pattern match: '*' any run of characters, '?' one character; the rest must match exactly.
bool Like(const std::string& text, const std::string& pattern);

// --- The program's pseudo-random sequence in [0, 1): the same in every run, never reseeded.
float Rnd();

}  // namespace platform
