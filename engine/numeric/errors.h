#pragma once

// Error stack, messages and machine constants of the numerical routines.
//
// Every library routine pushes its name (E1PSH) on entry, records at most one error
// (E1SETINT/E1SETSTR for the parameters, then E1MES) and pops its name (E1POP) on every
// way out. Level 1 is "USER", the caller outside the library; level 2 is the routine it
// called; deeper levels are called internally. Messages are printed on output unit 6
// (standard output). An error whose type stops the run throws NumericStop after the
// stack has been reset to level 1, so the next call starts clean.
//
// Character arguments are followed by their length; every argument is by reference.
// Not re-entrant: the stack is process-wide and the library runs on one thread.

#include <exception>
#include <initializer_list>
#include <string>

namespace velmar::numeric {

// Thrown in place of ending the process when a FATAL or TERMINAL error (or a failure of
// the error system itself) stops the run. The message has already been printed.
class NumericStop : public std::exception {
public:
    NumericStop(std::string routine, int type, int code);
    const char* what() const noexcept override;
    // The routine on top of the stack when the run stopped, without trailing blanks.
    const std::string& routine() const noexcept { return routine_; }
    int type() const noexcept { return type_; }
    int code() const noexcept { return code_; }

private:
    std::string routine_;
    int type_;
    int code_;
    std::string text_;
};

// Error types recorded with E1MES.
inline constexpr int kNote = 1;
inline constexpr int kAlert = 2;
inline constexpr int kWarning = 3;
inline constexpr int kFatal = 4;
inline constexpr int kTerminal = 5;
inline constexpr int kWarningImmediate = 6;
inline constexpr int kFatalImmediate = 7;

void E1PSH(const char* NAME, const int& length);
void E1POP(const char* NAME, const int& length);
void E1MES(const int& TYPE, const int& CODE, const char* TEXT, const int& length);
void E1SETINT(const int& INDEX, const int& VALUE);
void E1SETSTR(const int& INDEX, const char* TEXT, const int& length);
void E1PRINT();
void E1SETUP();
int E1PENDSTOP();

// Machine constants: DMACH(1..8), IMACH(1..12); any other index stops the run.
double DMACH(const int& N);
int IMACH(const int& N);
// N = 1..3: NUNIT := unit N; N = -1..-3: unit |N| := NUNIT. Unit 6 is standard output;
// text written on any other unit is discarded.
void UMACH(const int& N, int& NUNIT);

// Character routines used by the message code. Positions are 1-based.
// Appends "*<letter><index>*<length> <value>" to the parameter buffer; dropped silently
// when INDEX is outside 1..9 or the 300-character buffer would overflow.
void E1ADDPARAM(const char* LETTER, const int& letterLength, const int& INDEX, const char* VALUE,
                const int& valueLength);
// Right-aligned decimal in TEXT(1..width). STATUS: -1 width below 1, 0 done, otherwise
// the number of characters the value needs (the field is then left as it was).
void INTTOTEXT(const int& VALUE, char* TEXT, const int& width, int& STATUS);
// Leading blanks, optional sign, blanks, digits up to the first non-digit. STATUS 0 when
// a number was read; -1 length below 1, 1 blank text or no digit, -2 overflow.
void TEXTTOINT(const char* TEXT, const int& length, int& VALUE, int& STATUS);
// Copies SOURCE(I1..I2) into DEST(J1..J2), truncated to the shorter range, the rest of
// the destination range blank. STATUS negative (nothing copied) for an invalid range.
void SUBSTRCOPY(const char* SOURCE, const int& sourceLength, const int& I1, const int& I2, char* DEST,
                const int& destLength, const int& J1, const int& J2, int& STATUS);
int FINDSTR(const char* STR, const int& strLength, const char* SUB, const int& subLength);
int FINDSTRCI(const char* STR, const int& strLength, const char* SUB, const int& subLength);
int FIRSTNOTIN(const char* STR, const int& strLength, const char* SET, const int& setLength);
// -1, 0 or 1; the shorter string compares as if padded with blanks.
int COMPARECI(const char* A, const int& aLength, const char* B, const int& bLength);
// First character of A folded to upper case equals the first character of B.
bool CHRSAME(const char* A, const int& aLength, const char* B, const int& bLength);
int CHARCODE(const char* C, const int& length);
int UPCHARCODE(const char* C, const int& length);
// A negative code gives the character with code 0.
char CHARFROMCODE(const int& CODE);

namespace detail {

// The stack calls as the library routines make them: names and texts NUL-terminated.
void pushRoutine(const char* name);
void popRoutine(const char* name);
// Sets the integer parameters %(I1), %(I2), ... in order, records a TERMINAL error and pops
// the routine, which stops the run.
void stopRoutine(const char* name, int code, const char* text, std::initializer_list<int> params = {});

} // namespace detail

} // namespace velmar::numeric
