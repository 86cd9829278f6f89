#include "engine/numeric/errors.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace velmar::numeric {

namespace {

constexpr int kMaxLevel = 50;
constexpr int kNameWidth = 32;
constexpr std::size_t kMessageMax = 1024;
constexpr std::size_t kParamMax = 300;
constexpr int kStandardOutputUnit = 6;

// Per error type 1..7 (index 0 unused): printed, stops the run, traceback.
constexpr std::array<bool, 8> kPrints{false, false, false, true, true, true, true, true};
constexpr std::array<bool, 8> kStops{false, false, false, false, true, true, false, true};
constexpr std::array<bool, 8> kTraces{false, true, true, true, true, true, true, true};
constexpr std::array<const char*, 8> kTypeWords{"UNKNOWN ", "NOTE    ", "ALERT   ", "WARNING ",
                                                "FATAL   ", "TERMINAL", "WARNING ", "FATAL   "};

struct Level {
    std::string name;  // blank-padded to kNameWidth
    int type = -1;
    int code = -1;
};

struct ErrorState {
    bool ready = false;
    int level = 1;
    std::array<Level, kMaxLevel + 1> levels;  // 1-based
    std::string message;                      // pending message; empty = nothing pending
    std::string params;
    bool pendingWarning = false;
    bool pendingFatal = false;
    std::array<int, 4> units{0, 5, kStandardOutputUnit, kStandardOutputUnit};
};

ErrorState& state()
{
    static ErrorState s;
    return s;
}

void ensureSetUp()
{
    if (!state().ready)
        E1SETUP();
}

std::string padName(std::string_view name)
{
    std::string padded(name.substr(0, kNameWidth));
    padded.resize(kNameWidth, ' ');
    return padded;
}

std::string trimRight(std::string_view text)
{
    const auto end = text.find_last_not_of(' ');
    return std::string(end == std::string_view::npos ? std::string_view{} : text.substr(0, end + 1));
}

std::string_view view(const char* text, int length)
{
    if (text == nullptr || length < 1)
        return {};
    return {text, static_cast<std::size_t>(length)};
}

bool knownType(int type) { return type >= 1 && type <= 7; }
bool calledByUser(int level) { return level == 2; }

void writeLine(int unit, const std::string& line)
{
    if (unit != kStandardOutputUnit)
        return;
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
}

void resetStack(ErrorState& s)
{
    s.level = 1;
    s.levels[1] = Level{padName("USER"), 0, 0};
    for (int i = 2; i <= kMaxLevel; ++i)
        s.levels[i] = Level{padName(""), -1, -1};
    s.message.clear();
    s.params.clear();
    s.pendingWarning = false;
    s.pendingFatal = false;
}

// Ends the run: the stack goes back to level 1 so that the next call starts clean.
[[noreturn]] void stopRun()
{
    ErrorState& s = state();
    const Level& top = s.levels[s.level];
    NumericStop stop(trimRight(top.name), top.type, top.code);
    std::fflush(stdout);
    resetStack(s);
    throw stop;
}

std::string rightAligned(long long value, int width)
{
    std::string text = std::to_string(value);
    if (static_cast<int>(text.size()) < width)
        text.insert(0, static_cast<std::size_t>(width) - text.size(), ' ');
    return text;
}

// Replaces each "%(<letter><digit>)" whose parameter was set; others stay as written.
std::string substitute(std::string_view text, const std::string& params)
{
    static constexpr std::string_view kLetters = "ACDIKLRSZ";
    std::string out = ".  ";
    std::size_t i = 0;
    while (i < text.size() && out.size() < kMessageMax) {
        if (text.compare(i, 2, "%(") == 0 && i + 4 < text.size() && text[i + 4] == ')') {
            const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(text[i + 2])));
            const char digit = text[i + 3];
            if (kLetters.find(letter) != std::string_view::npos && digit >= '1' && digit <= '9') {
                const std::string key = std::string("*") + letter + digit + "*";
                const auto at = params.find(key);
                if (at != std::string::npos) {
                    const std::size_t lengthStart = at + key.size();
                    const auto blank = params.find(' ', lengthStart);
                    int valueLength = 0;
                    int status = 1;
                    if (blank != std::string::npos && blank > lengthStart)
                        TEXTTOINT(params.data() + lengthStart, static_cast<int>(blank - lengthStart), valueLength,
                                  status);
                    if (status == 0 && valueLength >= 0 &&
                        blank + 1 + static_cast<std::size_t>(valueLength) <= params.size()) {
                        out += params.substr(blank + 1, static_cast<std::size_t>(valueLength));
                        i += 5;
                        continue;
                    }
                }
            }
        }
        out += text[i];
        ++i;
    }
    if (out.size() > kMessageMax)
        out.resize(kMessageMax);
    return out;
}

// Splits the message into pieces for line 1 (firstRoom columns) and the following lines.
std::vector<std::string> breakLines(const std::string& message, std::size_t firstRoom)
{
    constexpr std::size_t kRoom = 64;
    std::vector<std::string> pieces;
    std::size_t pos = 0;
    std::size_t room = firstRoom;
    for (;;) {
        const std::string_view rest = std::string_view(message).substr(pos);
        const auto mark = rest.substr(0, room).find("%/");
        if (mark != std::string_view::npos) {
            pieces.emplace_back(rest.substr(0, mark));
            pos += mark + 2;
        } else if (rest.size() <= room) {
            pieces.emplace_back(rest);
            break;
        } else {
            const auto blank = rest.substr(0, room).find_last_of(' ');
            if (blank != std::string_view::npos && blank > 0) {
                pieces.emplace_back(rest.substr(0, blank));
                pos += blank;
                if (pos < message.size() && message[pos] == ' ')
                    ++pos;
            } else {
                pieces.emplace_back(rest.substr(0, room));
                pos += room;
            }
        }
        room = kRoom;
    }
    return pieces;
}

void printTraceback(const ErrorState& s, int unit)
{
    writeLine(unit, "     Here is a traceback of subprogram calls in reverse order:");
    writeLine(unit, "     Routine name                    Error type  Error code");
    writeLine(unit, "     ------------                    ----------  ----------");
    for (int i = s.level; i >= 1; --i) {
        const Level& l = s.levels[i];
        std::string line = "     " + l.name + rightAligned(l.type, 6) + "      " + rightAligned(l.code, 6);
        if (i >= 3)
            line += "    (Called internally)";
        writeLine(unit, line);
    }
}

} // namespace

NumericStop::NumericStop(std::string routine, int type, int code)
    : routine_(std::move(routine)), type_(type), code_(code),
      text_("numerical routine " + routine_ + " stopped with error type " + std::to_string(type) + ", code " +
            std::to_string(code))
{
}

const char* NumericStop::what() const noexcept { return text_.c_str(); }

void E1SETUP()
{
    ErrorState& s = state();
    resetStack(s);
    s.ready = true;
}

void E1PSH(const char* NAME, const int& length)
{
    ensureSetUp();
    ErrorState& s = state();
    if (s.level < kMaxLevel) {
        ++s.level;
        s.levels[s.level] = Level{padName(view(NAME, length)), 0, 0};
        return;
    }
    E1SETINT(1, kMaxLevel);
    const char* text = "Error condition in E1PSH.  Push would cause stack level to exceed %(I1). ";
    E1MES(kTerminal, 1, text, static_cast<int>(std::strlen(text)));
    stopRun();
}

void E1MES(const int& TYPE, const int& CODE, const char* TEXT, const int& length)
{
    ensureSetUp();
    ErrorState& s = state();
    Level& current = s.levels[s.level];
    if (TYPE < -1 || TYPE > 7) {
        s.message = ".  Error from E1MES.  Illegal error type specified.";
        E1PRINT();
        stopRun();
    }
    if (TYPE != -1)
        current.type = TYPE;
    if (CODE >= 0)
        current.code = CODE;
    if (TYPE == 0 || CODE == 0) {
        s.message.clear();
        s.params.clear();
        return;
    }
    const std::string_view text = view(TEXT, length);
    if (!text.empty() && text != " ") {
        s.message = substitute(text.substr(0, kMessageMax), s.params);
        if (current.type == kWarningImmediate)
            s.pendingWarning = true;
        if (current.type == kFatalImmediate)
            s.pendingFatal = true;
    }
    if (current.type >= kTerminal && knownType(current.type) && kPrints[current.type])
        E1PRINT();
    s.params.clear();
}

void E1POP(const char* NAME, const int& length)
{
    ensureSetUp();
    ErrorState& s = state();
    if (s.level < 2) {
        static constexpr char kSelf[] = "E1POP ";
        E1PSH(kSelf, 6);
        E1SETSTR(1, NAME, length);
        const char* text = "Error condition in E1POP.  Cannot pop from %(L1) because stack is empty.";
        E1MES(kTerminal, 1, text, static_cast<int>(std::strlen(text)));
        stopRun();
    }
    const std::string name = padName(view(NAME, length));
    if (name != s.levels[s.level].name) {
        const std::string stored = s.levels[s.level].name;
        E1SETSTR(1, NAME, length);
        E1SETSTR(2, stored.data(), kNameWidth);
        const char* text = "Error condition in E1POP.  %(L1) does not match the name %(L2) in the stack.";
        E1MES(kTerminal, 2, text, static_cast<int>(std::strlen(text)));
        stopRun();
    }
    const int type = s.levels[s.level].type;
    if (type != 0) {
        if (type >= 2 && type <= 7) {
            s.levels[s.level - 1].type = type;
            s.levels[s.level - 1].code = s.levels[s.level].code;
        }
        if ((type >= kTerminal || calledByUser(s.level)) && knownType(type) && kPrints[type])
            E1PRINT();
        if (type <= kFatal && calledByUser(s.level) && knownType(type) && kStops[type])
            stopRun();
        if (type == kTerminal && kStops[kTerminal])
            stopRun();
        if (type >= kWarningImmediate && calledByUser(s.level) && E1PENDSTOP() != 0)
            stopRun();
    }
    if (s.level < kMaxLevel)
        s.levels[s.level + 1].type = s.levels[s.level + 1].code = -1;
    --s.level;
}

void E1SETINT(const int& INDEX, const int& VALUE)
{
    ensureSetUp();
    const std::string value = std::to_string(VALUE);
    E1ADDPARAM("I", 1, INDEX, value.data(), static_cast<int>(value.size()));
}

void E1SETSTR(const int& INDEX, const char* TEXT, const int& length)
{
    ensureSetUp();
    std::string value(view(TEXT, std::min(length, 255)));
    int index = INDEX;
    if (INDEX < 0) {
        index = -INDEX;
    } else {
        const std::string trimmed = trimRight(value);
        value = trimmed.empty() && !value.empty() ? std::string(" ") : trimmed;
    }
    E1ADDPARAM("L", 1, index, value.data(), static_cast<int>(value.size()));
}

void E1PRINT()
{
    ensureSetUp();
    ErrorState& s = state();
    if (s.message.empty())
        return;
    int unit = 0;
    UMACH(3, unit);
    const Level& current = s.levels[s.level];

    std::string name = trimRight(current.name);
    if (name.size() >= 2 && std::islower(static_cast<unsigned char>(name[0])) &&
        std::isupper(static_cast<unsigned char>(name[1])))
        name[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
    const std::string header = " " + std::to_string(current.code) + " from " + name;
    const std::string message = s.message.compare(0, 3, ".  ") == 0 ? s.message : ".  " + s.message;

    constexpr std::size_t kFirstLineRoom = 59;
    const std::size_t room = header.size() < kFirstLineRoom ? kFirstLineRoom - header.size() : 1;
    const auto pieces = breakLines(message, room);
    const char* word = kTypeWords[knownType(current.type) ? current.type : 0];

    writeLine(unit, "");
    writeLine(unit, std::string(" *** ") + word + " ERROR" + header + pieces.front());
    for (std::size_t i = 1; i < pieces.size(); ++i)
        writeLine(unit, " ***          " + pieces[i]);
    s.message.clear();
    s.params.clear();

    if (knownType(current.type) && kTraces[current.type] && s.level >= 3)
        printTraceback(s, unit);
}

int E1PENDSTOP()
{
    ensureSetUp();
    ErrorState& s = state();
    int stop = 0;
    if (s.pendingFatal && kStops[kFatalImmediate])
        stop = 1;
    if (s.pendingWarning && kStops[kWarningImmediate])
        stop = 1;
    s.pendingWarning = false;
    s.pendingFatal = false;
    return stop;
}

double DMACH(const int& N)
{
    static constexpr std::array<double, 8> kValues{
        std::numeric_limits<double>::min(),      std::numeric_limits<double>::max(),
        std::numeric_limits<double>::epsilon() / 2, std::numeric_limits<double>::epsilon(),
        0.3010299956639812,                      std::numeric_limits<double>::quiet_NaN(),
        std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity()};
    if (N >= 1 && N <= 8)
        return kValues[static_cast<std::size_t>(N - 1)];
    E1PSH("DMACH ", 6);
    E1SETINT(1, N);
    const char* text = "The argument must be between 1 and 8 inclusive. N = %(I1)";
    E1MES(kTerminal, 5, text, static_cast<int>(std::strlen(text)));
    E1POP("DMACH ", 6);
    return kValues[5];
}

int IMACH(const int& N)
{
    static constexpr std::array<int, 12> kValues{32, 4, 2, 31, 2147483647, 2, 24, -125, 128, 53, -1021, 1024};
    if (N >= 1 && N <= 12)
        return kValues[static_cast<std::size_t>(N - 1)];
    int unit = 0;
    UMACH(2, unit);
    writeLine(unit, "");
    writeLine(unit, " *** TERMINAL ERROR 5 from IMACH.  The argument");
    writeLine(unit, " ***          must be between 1 and 12 inclusive.");
    writeLine(unit, " ***          N = " + rightAligned(N, 6) + ".");
    writeLine(unit, "");
    ensureSetUp();
    stopRun();
}

void UMACH(const int& N, int& NUNIT)
{
    ErrorState& s = state();
    const int index = N < 0 ? -N : N;
    if (index < 1 || index > 3) {
        const int unit = s.units[3];
        writeLine(unit, "");
        writeLine(unit, " *** TERMINAL ERROR 5 from UMACH.  The absolute");
        writeLine(unit, " ***          value of the index variable must be");
        writeLine(unit, " ***          1, 2, or 3.  IABS(N) = " + rightAligned(index, 6) + ".");
        writeLine(unit, "");
        ensureSetUp();
        stopRun();
    }
    if (N > 0)
        NUNIT = s.units[static_cast<std::size_t>(index)];
    else
        s.units[static_cast<std::size_t>(index)] = NUNIT;
}

void E1ADDPARAM(const char* LETTER, const int& letterLength, const int& INDEX, const char* VALUE,
                const int& valueLength)
{
    if (INDEX < 1 || INDEX > 9 || letterLength < 1)
        return;
    const std::string_view value = view(VALUE, valueLength);
    const std::string entry = std::string("*") + LETTER[0] + static_cast<char>('0' + INDEX) + "*" +
                              std::to_string(value.size()) + " " + std::string(value);
    std::string& params = state().params;
    if (value.size() > 999 || params.size() + entry.size() > kParamMax)
        return;
    params += entry;
}

void INTTOTEXT(const int& VALUE, char* TEXT, const int& width, int& STATUS)
{
    if (width < 1) {
        STATUS = -1;
        return;
    }
    const std::string digits = std::to_string(VALUE);
    if (static_cast<int>(digits.size()) > width) {
        STATUS = static_cast<int>(digits.size());
        return;
    }
    const std::string field = rightAligned(VALUE, width);
    std::memcpy(TEXT, field.data(), field.size());
    STATUS = 0;
}

void TEXTTOINT(const char* TEXT, const int& length, int& VALUE, int& STATUS)
{
    if (length < 1) {
        STATUS = -1;
        return;
    }
    const std::string_view text = view(TEXT, length);
    std::size_t i = text.find_first_not_of(' ');
    if (i == std::string_view::npos) {
        STATUS = 1;
        return;
    }
    bool negative = false;
    if (text[i] == '+' || text[i] == '-') {
        negative = text[i] == '-';
        i = text.find_first_not_of(' ', i + 1);
    }
    long long value = 0;
    const long long limit = IMACH(5);
    bool any = false;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > limit + (negative ? 1 : 0)) {
            STATUS = -2;
            return;
        }
        any = true;
    }
    if (!any) {
        STATUS = 1;
        return;
    }
    VALUE = static_cast<int>(negative ? -value : value);
    STATUS = 0;
}

void SUBSTRCOPY(const char* SOURCE, const int& sourceLength, const int& I1, const int& I2, char* DEST,
                const int& destLength, const int& J1, const int& J2, int& STATUS)
{
    if (I1 < 1 || I2 < I1 || I2 > sourceLength) {
        STATUS = -1;
        return;
    }
    if (J1 < 1 || J2 < J1 || J2 > destLength) {
        STATUS = -2;
        return;
    }
    const int count = std::min(I2 - I1, J2 - J1) + 1;
    std::memmove(DEST + (J1 - 1), SOURCE + (I1 - 1), static_cast<std::size_t>(count));
    std::fill(DEST + (J1 - 1) + count, DEST + J2, ' ');
    STATUS = 0;
}

namespace {

char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

int findIn(std::string_view str, std::string_view sub, bool foldCase)
{
    if (str.empty() || sub.empty() || sub.size() > str.size())
        return 0;
    for (std::size_t i = 0; i + sub.size() <= str.size(); ++i) {
        bool same = true;
        for (std::size_t j = 0; j < sub.size() && same; ++j)
            same = foldCase ? upper(str[i + j]) == upper(sub[j]) : str[i + j] == sub[j];
        if (same)
            return static_cast<int>(i + 1);
    }
    return 0;
}

} // namespace

int FINDSTR(const char* STR, const int& strLength, const char* SUB, const int& subLength)
{
    return findIn(view(STR, strLength), view(SUB, subLength), false);
}

int FINDSTRCI(const char* STR, const int& strLength, const char* SUB, const int& subLength)
{
    return findIn(view(STR, strLength), view(SUB, subLength), true);
}

int FIRSTNOTIN(const char* STR, const int& strLength, const char* SET, const int& setLength)
{
    const auto at = view(STR, strLength).find_first_not_of(view(SET, setLength));
    return at == std::string_view::npos ? 0 : static_cast<int>(at + 1);
}

int COMPARECI(const char* A, const int& aLength, const char* B, const int& bLength)
{
    const std::string_view a = view(A, aLength);
    const std::string_view b = view(B, bLength);
    const std::size_t n = std::max(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const char ca = upper(i < a.size() ? a[i] : ' ');
        const char cb = upper(i < b.size() ? b[i] : ' ');
        if (ca != cb)
            return static_cast<unsigned char>(ca) < static_cast<unsigned char>(cb) ? -1 : 1;
    }
    return 0;
}

bool CHRSAME(const char* A, const int& aLength, const char* B, const int& bLength)
{
    if (aLength < 1 || bLength < 1)
        return false;
    return upper(A[0]) == B[0];
}

int CHARCODE(const char* C, const int& length)
{
    return length < 1 ? 0 : static_cast<unsigned char>(C[0]);
}

int UPCHARCODE(const char* C, const int& length)
{
    return length < 1 ? 0 : static_cast<unsigned char>(upper(C[0]));
}

char CHARFROMCODE(const int& CODE) { return CODE < 0 ? '\0' : static_cast<char>(CODE); }

namespace detail {

void pushRoutine(const char* name) { E1PSH(name, static_cast<int>(std::strlen(name))); }

void popRoutine(const char* name) { E1POP(name, static_cast<int>(std::strlen(name))); }

void stopRoutine(const char* name, int code, const char* text, std::initializer_list<int> params)
{
    int index = 0;
    for (const int value : params)
        E1SETINT(++index, value);
    E1MES(kTerminal, code, text, static_cast<int>(std::strlen(text)));
    popRoutine(name);
}

} // namespace detail

} // namespace velmar::numeric
