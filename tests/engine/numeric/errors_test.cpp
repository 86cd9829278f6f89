#include "engine/numeric/errors.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <string>

namespace vn = velmar::numeric;

namespace {

void push(const char* name) { vn::E1PSH(name, static_cast<int>(std::strlen(name))); }
void pop(const char* name) { vn::E1POP(name, static_cast<int>(std::strlen(name))); }
void message(int type, int code, const char* text) { vn::E1MES(type, code, text, static_cast<int>(std::strlen(text))); }

std::string captured(const std::function<void()>& call)
{
    testing::internal::CaptureStdout();
    call();
    return testing::internal::GetCapturedStdout();
}

// Runs call, expects a stop, and returns what was printed.
std::string stopped(const std::function<void()>& call)
{
    bool stop = false;
    const std::string out = captured([&] {
        try {
            call();
        } catch (const vn::NumericStop&) {
            stop = true;
        }
    });
    EXPECT_TRUE(stop) << out;
    return out;
}

} // namespace

TEST(ErrorMessages, ParametersSubstitutedOrKeptLiterally)
{
    const std::string out = captured([] {
        push("CHECKER ");
        vn::E1SETINT(1, 0);
        vn::E1SETINT(12, 5);  // out of range: dropped
        vn::E1SETSTR(3, "abc   ", 6);
        message(vn::kWarning, 7, "Value %(i1), unset %(I2), text '%(L3)', odd %(X1).");
        pop("CHECKER");
    });
    EXPECT_EQ(out, "\n *** WARNING  ERROR 7 from CHECKER.  Value 0, unset %(I2), text 'abc', odd\n"
                   " ***          %(X1).\n");
}

TEST(ErrorMessages, ExplicitBreakAndUnbrokenWordsAndNoteNeverPrinted)
{
    std::string out = captured([] {
        push("A ");
        message(vn::kWarning, 1, "first%/second");
        pop("A");
    });
    EXPECT_EQ(out, "\n *** WARNING  ERROR 1 from A.  first\n ***          second\n");

    out = captured([] {
        push("A ");
        message(vn::kWarning, 1, std::string(70, 'x').c_str());
        pop("A");
    });
    // The last blank of ".  " is the only break point; the word itself is cut at 64.
    EXPECT_EQ(out, "\n *** WARNING  ERROR 1 from A. \n ***          " + std::string(64, 'x') + "\n ***          " +
                       std::string(6, 'x') + "\n");

    out = captured([] {
        push("A ");
        message(vn::kNote, 3, "quiet");
        pop("A");
        push("A ");
        message(vn::kAlert, 3, "quiet");
        pop("A");
    });
    EXPECT_EQ(out, "");
}

TEST(ErrorStack, NamesArePaddedAndCutTo32)
{
    // Each pop names its push as the stack keeps it (the first 32 characters, blanks ignored), so
    // none stops the run or prints a word.
    const std::string longName(40, 'N');
    bool stop = false;
    const std::string out = captured([&] {
        try {
            push(longName.c_str());
            pop(longName.substr(0, 32).c_str());
            push("DFFTRF ");
            pop("DFFTRF");
        } catch (const vn::NumericStop&) {
            stop = true;
        }
    });
    EXPECT_FALSE(stop) << out;
    EXPECT_EQ(out, "");
}

TEST(ErrorStack, FatalInsideIsPrintedByTheOuterRoutineAndStops)
{
    std::string out = stopped([] {
        push("OUTER ");
        push("INNER ");
        message(vn::kFatal, 2, "bad");
        pop("INNER ");  // travels up without printing
        pop("OUTER ");
    });
    EXPECT_EQ(out, "\n *** FATAL    ERROR 2 from OUTER.  bad\n");

    // The immediate fatal type prints at once and stops at the user level.
    out = stopped([] {
        push("ONE ");
        message(vn::kFatalImmediate, 4, "now");
        pop("ONE ");
    });
    EXPECT_EQ(out, "\n *** FATAL    ERROR 4 from ONE.  now\n");
}

TEST(ErrorStack, WarningInsideGoesOnAtTheUserLevel)
{
    const std::string out = captured([] {
        push("OUTER ");
        push("INNER ");
        message(vn::kWarning, 9, "mild");
        pop("INNER ");
        pop("OUTER ");
    });
    EXPECT_EQ(out, "\n *** WARNING  ERROR 9 from OUTER.  mild\n");
}

TEST(ErrorStack, MisuseStopsAndLeavesACleanStack)
{
    std::string out = stopped([] {
        push("RIGHT ");
        pop("WRONG ");
    });
    EXPECT_NE(out.find("TERMINAL ERROR 2 from RIGHT.  Error condition in E1POP.  WRONG does not"), std::string::npos)
        << out;

    out = stopped([] { pop("NOTHING "); });
    EXPECT_NE(out.find("Cannot pop from\n ***          NOTHING because stack is empty."), std::string::npos) << out;

    out = stopped([] {
        for (int i = 0; i < 60; ++i)
            push("DEEP ");
    });
    EXPECT_NE(out.find("stack level to exceed 50. \n"), std::string::npos) << out;

    stopped([] {
        push("X ");
        message(9, 1, "illegal");
    });

    // After every stop the stack is back at level 1: a fresh push/pop pair works and an
    // extra pop finds it empty.
    push("AFTER ");
    pop("AFTER ");
    stopped([] { pop("AFTER "); });
}

TEST(MachineConstants, TablesAndUnits)
{
    EXPECT_EQ(vn::DMACH(1), 2.2250738585072014e-308);
    EXPECT_EQ(vn::DMACH(2), 1.7976931348623157e+308);
    EXPECT_EQ(vn::DMACH(3), 1.1102230246251565e-16);
    EXPECT_EQ(vn::DMACH(4), 2.220446049250313e-16);
    EXPECT_TRUE(std::isnan(vn::DMACH(6)));
    EXPECT_EQ(vn::DMACH(8), -INFINITY);
    EXPECT_EQ(vn::IMACH(5), 2147483647);
    EXPECT_EQ(vn::IMACH(11), -1021);

    EXPECT_NE(stopped([] { vn::DMACH(9); }).find("TERMINAL ERROR 5 from DMACH.  The argument must be between 1"),
              std::string::npos);
    EXPECT_EQ(stopped([] { vn::IMACH(13); }), "\n *** TERMINAL ERROR 5 from IMACH.  The argument\n"
                                              " ***          must be between 1 and 12 inclusive.\n"
                                              " ***          N =     13.\n\n");
    int unit = 0;
    EXPECT_NE(stopped([] {
                  int u = 0;
                  vn::UMACH(4, u);
              }).find("IABS(N) =      4."),
              std::string::npos);

    int nine = 9;
    vn::UMACH(-2, nine);
    vn::UMACH(2, unit);
    EXPECT_EQ(unit, 9);
    int six = 6;
    vn::UMACH(-2, six);
}

TEST(CharacterRoutines, ConversionsSearchesAndComparisons)
{
    char field[6];
    int status = 0;
    vn::INTTOTEXT(-42, field, 6, status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(std::string(field, 6), "   -42");
    vn::INTTOTEXT(123456, field, 3, status);
    EXPECT_EQ(status, 6);

    int value = 0;
    vn::TEXTTOINT("  - 17x", 7, value, status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(value, -17);
    vn::TEXTTOINT("    ", 4, value, status);
    EXPECT_EQ(status, 1);
    vn::TEXTTOINT("99999999999", 11, value, status);
    EXPECT_EQ(status, -2);

    char dest[] = "abcdefgh";
    vn::SUBSTRCOPY("XY", 2, 1, 2, dest, 8, 3, 6, status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(std::string(dest), "abXY  gh");
    vn::SUBSTRCOPY("XY", 2, 2, 3, dest, 8, 1, 1, status);
    EXPECT_LT(status, 0);

    EXPECT_EQ(vn::FINDSTR("abcABC", 6, "BC", 2), 5);
    EXPECT_EQ(vn::FINDSTRCI("abcABC", 6, "BC", 2), 2);
    EXPECT_EQ(vn::FINDSTR("abc", 3, "", 0), 0);
    EXPECT_EQ(vn::FIRSTNOTIN("  x", 3, " ", 1), 3);
    EXPECT_EQ(vn::FIRSTNOTIN("   ", 3, " ", 1), 0);
    EXPECT_EQ(vn::COMPARECI("abc", 3, "ABC  ", 5), 0);
    EXPECT_EQ(vn::COMPARECI("abd", 3, "ABC", 3), 1);
    EXPECT_TRUE(vn::CHRSAME("u", 1, "U", 1));
    EXPECT_FALSE(vn::CHRSAME("U", 1, "u", 1));
    EXPECT_EQ(vn::UPCHARCODE("a", 1), 'A');
    EXPECT_EQ(vn::CHARFROMCODE(-5), '\0');
}
