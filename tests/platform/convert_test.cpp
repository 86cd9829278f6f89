#include "platform/convert.h"

#include <QLocale>
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "platform/errors.h"
#include "error_of.h"

using namespace platform;

namespace {

// Runs a test body under a given default locale and restores the previous one.
struct LocaleScope {
    explicit LocaleScope(QLocale::Language language, QLocale::Territory territory) : saved_(QLocale()) {
        QLocale::setDefault(QLocale(language, territory));
    }
    ~LocaleScope() { QLocale::setDefault(saved_); }
    QLocale saved_;
};

}  // namespace

TEST(Rounding, HalvesGoToEvenAndOverflowIsError6) {
    EXPECT_EQ(CInt(12.5), 12);
    EXPECT_EQ(CInt(13.5), 14);
    EXPECT_EQ(CInt(-2.5), -2);
    EXPECT_EQ(CInt(-3.5), -4);
    EXPECT_EQ(CInt(2.4999), 2);
    EXPECT_EQ(CInt(1000 / 16.0), 62);  // harmonic count at 16 MHz
    EXPECT_EQ(CInt(1000 / 0.75), 1333);
    EXPECT_EQ(CInt(32767.4), 32767);
    EXPECT_EQ(errorOf([] { CInt(32767.5); }), 6);
    EXPECT_EQ(errorOf([] { CInt(-32769); }), 6);
    EXPECT_EQ(CLng(2147483647.0), 2147483647);
    EXPECT_EQ(CLng(0.5), 0);
    EXPECT_EQ(errorOf([] { CLng(2147483648.0); }), 6);
    EXPECT_EQ(errorOf([] { CLng(std::nan("")); }), 6);
}

TEST(NumericText, StrictTestInAnEnglishLocale) {
    LocaleScope english(QLocale::English, QLocale::UnitedStates);
    for (const char* ok : {" 2.5 ", "1E-3", "1e+3", "-4", "+.5", "5.", "3.4E38", "1E-50"})
        EXPECT_TRUE(IsNumeric(ok)) << ok;
    for (const char* bad : {"", " ", "1,000", "0x10", "&H10", "inf", "nan", "$5", "1E", "1.2.3", ".", "-",
                            "1 2", "3.5E38", "1E39", "1E400", "2,5"})
        EXPECT_FALSE(IsNumeric(bad)) << bad;
    EXPECT_FLOAT_EQ(CSng(" 2.5 "), 2.5f);
    EXPECT_DOUBLE_EQ(CDbl("1.25E-09"), 1.25e-9);
    EXPECT_EQ(errorOf([] { CSng("abc"); }), 13);
    EXPECT_EQ(errorOf([] { CSng(""); }), 13);
    EXPECT_EQ(errorOf([] { CSng("1E39"); }), 6);
    EXPECT_EQ(errorOf([] { CDbl("1E400"); }), 6);
    EXPECT_DOUBLE_EQ(CDbl("1E39"), 1e39);
}

TEST(NumericText, DecimalCommaLocale) {
    LocaleScope german(QLocale::German, QLocale::Germany);
    EXPECT_EQ(DecimalSign(), ",");
    EXPECT_TRUE(IsNumeric("2,5"));
    EXPECT_FALSE(IsNumeric("2.5"));
    EXPECT_FLOAT_EQ(CSng("0,75"), 0.75f);
    EXPECT_EQ(CStr(1.5e-9), "1,5E-09");
    EXPECT_EQ(CStr(0.1f), "0,1");
    EXPECT_EQ(Format(4.1, "0.00"), "4,10");
    EXPECT_EQ(Format(25.0, "0.##"), "25,");
    EXPECT_EQ(Str(2.5), " 2.5");  // printed numbers keep the point
}

TEST(NumberText, GeneralFormOfSingleAndDouble) {
    LocaleScope english(QLocale::English, QLocale::UnitedStates);
    EXPECT_EQ(CStr(1.25e-9f), "1.25E-09");
    EXPECT_EQ(CStr(1e-6f), "1E-06");
    EXPECT_EQ(CStr(4.4f), "4.4");
    EXPECT_EQ(CStr(0.1f), "0.1");
    EXPECT_EQ(CStr(1.0f / 3), "0.3333333");
    EXPECT_EQ(CStr(12345678.0f), "1.234568E+07");
    EXPECT_EQ(CStr(1.25e-9), "1.25E-09");
    EXPECT_EQ(CStr(1.0 / 3), "0.333333333333333");
    EXPECT_EQ(CStr(1e15), "1E+15");
    EXPECT_EQ(CStr(123456789012345.0), "123456789012345");
    EXPECT_EQ(CStr(0.0001), "0.0001");
    EXPECT_EQ(CStr(-0.0), "0");
    EXPECT_EQ(CStr(-3), "-3");
    EXPECT_EQ(Str(4.4f), " 4.4");
    EXPECT_EQ(Str(-0.5), "-.5");
    EXPECT_EQ(Str(0.0), " 0");
    EXPECT_EQ(Str(7), " 7");
    EXPECT_EQ(Str(-7), "-7");
}

TEST(NumberText, FormatPatterns) {
    LocaleScope english(QLocale::English, QLocale::UnitedStates);
    EXPECT_EQ(Format(2.5, "0.##"), "2.5");
    EXPECT_EQ(Format(12.5, "0.##"), "12.5");
    EXPECT_EQ(Format(25, "0.##"), "25.");  // the caller falls back to "0" on the trailing sign
    EXPECT_EQ(Format(3.333, "0.##"), "3.33");
    EXPECT_EQ(Format(250.75, "0.##"), "250.75");
    EXPECT_EQ(Format(3.333, "0.#"), "3.3");
    EXPECT_EQ(Format(152.3, "0"), "152");
    EXPECT_EQ(Format(2.5, "0"), "3");  // halves away from zero here, unlike CInt
    EXPECT_EQ(Format(2.675, "0.00"), "2.68");
    EXPECT_EQ(Format(0.999, "0.00"), "1.00");
    EXPECT_EQ(Format(9.96, "0.#"), "10.");
    EXPECT_EQ(Format(0.25, "0.#"), "0.3");
    EXPECT_EQ(Format(1, "00"), "01");
    EXPECT_EQ(Format(100, "00"), "100");
    EXPECT_EQ(Format(0, "#"), "");
    EXPECT_EQ(Format(42.4, "#"), "42");
    EXPECT_EQ(Format(-1.26, "0.#"), "-1.3");
    EXPECT_EQ(Format(-0.01, "0.#"), "0.");  // no sign on a zero
    EXPECT_EQ(Format(1e20, "0"), "100000000000000000000");
    EXPECT_EQ(errorOf([] { Format(1, "0.000"); }), 5);
}

TEST(TextFunctions, CountCharactersNotBytes) {
    const std::string micro = Chr(181);
    EXPECT_EQ(micro, "\xC2\xB5");
    const std::string unit = "[dB" + micro + "V]";
    EXPECT_EQ(Len(unit), 6u);
    EXPECT_EQ(Mid(unit, 4, 1), micro);
    EXPECT_EQ(Mid(unit, 5), "V]");
    EXPECT_EQ(Mid(unit, 7), "");
    EXPECT_EQ(Left(unit, 4), "[dB" + micro);
    EXPECT_EQ(Left("abc", 9), "abc");
    EXPECT_EQ(Right(unit, 2), "V]");
    EXPECT_EQ(InStr(unit, "V"), 5);
    EXPECT_EQ(InStr("Simulation No.03-KSV", "No.", 1), 12);
    EXPECT_EQ(InStr("abcabc", "c", 4), 6);
    EXPECT_EQ(InStr("abc", "x"), 0);
    EXPECT_EQ(Chr(65), "A");
    EXPECT_EQ(errorOf([] { Mid("abc", 0); }), 5);
    EXPECT_EQ(errorOf([] { Chr(256); }), 5);
}

TEST(TextFunctions, LikeWithStarAndQuestionMark) {
    EXPECT_TRUE(Like("Simulation No.03", "Simulation No.??"));
    EXPECT_FALSE(Like("Simulation No.03-KSV", "Simulation No.??"));
    EXPECT_FALSE(Like("Simulation No.3", "Simulation No.??"));
    EXPECT_TRUE(Like("frmChart2", "frmChart*"));
    EXPECT_TRUE(Like("frmChart", "frmChart*"));
    EXPECT_FALSE(Like("frmConfig", "frmChart*"));
    EXPECT_TRUE(Like("a" + Chr(181) + "b", "a?b"));
    EXPECT_TRUE(Like("abcbd", "a*b?"));
    EXPECT_TRUE(Like("", "*"));
    EXPECT_FALSE(Like("", "?"));
}

TEST(Random, SameSequenceEveryRunInUnitInterval) {
    // The first values are fixed by the generator and its seed; a change would move windows.
    std::vector<float> values;
    for (int i = 0; i < 1000; ++i) {
        const float r = Rnd();
        ASSERT_GE(r, 0.0f);
        ASSERT_LT(r, 1.0f);
        values.push_back(r);
    }
    EXPECT_GT(std::set<float>(values.begin(), values.end()).size(), 990u);
    EXPECT_FLOAT_EQ(values[0], 48271.0f / (1 << 24));
}
