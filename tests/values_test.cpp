#include "runtime/values.h"

#include <gtest/gtest.h>

#include <locale.h>  // newlocale
#include <cfloat>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>

#include "runtime/errors.h"

namespace vk {
namespace {

// Every test starts and ends with the default '.' separator, whatever another test did.
class Values : public ::testing::Test {
  protected:
    void SetUp() override { setDecimalSeparator('.'); }
    void TearDown() override { setDecimalSeparator('.'); }
};

// Runs `action` and returns the number of the run-time error it raised, if any.
template <typename Action>
std::optional<int> errorCodeOf(Action action) {
    try {
        action();
    } catch (const RuntimeError& error) {
        return error.code();
    }
    return std::nullopt;
}

// ---- Errors ----------------------------------------------------------------------------

TEST(RuntimeErrors, DetailFollowsTheDescription) {
    const RuntimeError error(ErrorNumber::FileNotFound, "scores.dat");
    EXPECT_STREQ(error.what(), "File not found: scores.dat");
    EXPECT_EQ(error.description(), "File not found");
    EXPECT_EQ(error.detail(), "scores.dat");
}

TEST(RuntimeErrors, RaiseThrowsARuntimeErrorCatchableAsStdException) {
    try {
        raise(ErrorNumber::SubscriptOutOfRange, "index 12");
        FAIL() << "raise returned";
    } catch (const std::exception& error) {
        const auto* runtimeError = dynamic_cast<const RuntimeError*>(&error);
        ASSERT_NE(runtimeError, nullptr);
        EXPECT_EQ(runtimeError->number(), ErrorNumber::SubscriptOutOfRange);
        EXPECT_STREQ(error.what(), "Subscript out of range: index 12");
    }
}

// ---- Writing numbers -------------------------------------------------------------------

TEST_F(Values, DoublesWriteWithFifteenSignificantDigits) {
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {0.0, "0"},
        {-0.0, "0"},
        {50.0, "50"},
        {-25.0, "-25"},
        {0.5, "0.5"},
        {-0.5, "-0.5"},
        {1234.5678, "1234.5678"},
        {0.1 + 0.2, "0.3"},
        {1.0 / 3.0, "0.333333333333333"},
        {2.0 / 3.0, "0.666666666666667"},
        {-1.0 / 3.0, "-0.333333333333333"},
        {123456789012345.0, "123456789012345"},
        {999999999999999.0, "999999999999999"},
        {999999999999999.9, "1E+15"},  // rounds up into exponent form
        {1e15, "1E+15"},
        {-1.25e20, "-1.25E+20"},
        {1e100, "1E+100"},
        {0.0001, "0.0001"},
        {0.00012345, "0.00012345"},
        {0.00001, "1E-05"},
        {1.5e-7, "1.5E-07"},
        {-1.2345e-5, "-1.2345E-05"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(textOf(c.value), c.text);
    }
}

TEST_F(Values, SinglesWriteWithSevenSignificantDigits) {
    const struct {
        float value;
        const char* text;
    } cases[] = {
        {0.0f, "0"},
        {-0.0f, "0"},
        {0.1f, "0.1"},
        {-2.5f, "-2.5"},
        {1.0f / 3.0f, "0.3333333"},
        {2.0f / 3.0f, "0.6666667"},
        {1366.5f, "1366.5"},
        {1234567.0f, "1234567"},
        {9999999.0f, "9999999"},
        {1e7f, "1E+07"},
        {12345678.0f, "1.234568E+07"},
        {FLT_MAX, "3.402823E+38"},
        {0.0001f, "0.0001"},
        {0.00001f, "1E-05"},
        {1.5e-7f, "1.5E-07"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(textOf(c.value), c.text);
    }
}

TEST_F(Values, WholeNumbersWritePlain) {
    EXPECT_EQ(textOf(0), "0");
    EXPECT_EQ(textOf(-32768), "-32768");
    EXPECT_EQ(textOf(std::numeric_limits<int>::max()), "2147483647");
}

TEST_F(Values, InfinityAndNaNCannotBeWritten) {
    EXPECT_EQ(errorCodeOf([] { textOf(std::numeric_limits<double>::infinity()); }), 6);
    EXPECT_EQ(errorCodeOf([] { textOf(std::numeric_limits<float>::quiet_NaN()); }), 6);
}

TEST_F(Values, CommaSeparatorWritesAndReadsBack) {
    setDecimalSeparator(',');
    EXPECT_EQ(textOf(0.5), "0,5");
    EXPECT_EQ(textOf(50.0), "50");
    EXPECT_EQ(textOf(1.5e-7), "1,5E-07");
    EXPECT_EQ(textOf(1.0f / 3.0f), "0,3333333");

    const double values[] = {0.5, -1234.5678, 1.5e-7, 1e15, 0.333333333333333, 42.0};
    for (double value : values) {
        SCOPED_TRACE(value);
        EXPECT_EQ(toDouble(textOf(value)), value);
    }
    // With a comma separator the point is no longer a decimal point.
    EXPECT_EQ(errorCodeOf([] { toDouble("1.5"); }), 13);
}

TEST_F(Values, DesktopSizeSurvivesASinglePrecisionRoundTripWithComma) {
    setDecimalSeparator(',');
    const float width = 1366.5f;
    const std::string text = textOf(width);
    EXPECT_EQ(text, "1366,5");
    EXPECT_EQ(toSingle(text), width);
    EXPECT_EQ(toSingle(textOf(768.0f)), 768.0f);
}

// ---- Reading numbers -------------------------------------------------------------------

TEST_F(Values, ReadsNumbersWithBlanksSignsAndExponents) {
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"0", 0.0},       {"50", 50.0},        {"007", 7.0},
        {"  50  ", 50.0}, {"\t-25\t", -25.0},  {"+3", 3.0},
        {"0.5", 0.5},     {".5", 0.5},         {"-.5", -0.5},
        {"5.", 5.0},      {"1366.5", 1366.5},  {"2E3", 2000.0},
        {"1E+15", 1e15},  {"1.5e-07", 1.5e-7}, {"1.7976931348623157E+308", DBL_MAX},
        {"1E-400", 0.0},  // too small to hold reads as zero
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(toDouble(c.text), c.value);
    }
}

TEST_F(Values, TextThatIsNotANumberIsATypeMismatch) {
    const char* cases[] = {
        "",    "   ", "\t",  "abc",  "1x",    "Label1", "--1", ".",   "+",   "-",     "1E",
        "1e+", "E5",  "1 2", "1..2", "1.2.3", "0x10",   "inf", "nan", "1,5", "1e5.5", "- 1",
    };
    for (const char* text : cases) {
        SCOPED_TRACE(std::string("\"") + text + "\"");
        try {
            toDouble(text);
            ADD_FAILURE() << "no error raised";
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.code(), 13);
            EXPECT_EQ(error.number(), ErrorNumber::TypeMismatch);
            EXPECT_EQ(error.detail(), text);
        }
    }
}

TEST_F(Values, NumbersTooLargeForADoubleOverflow) {
    for (const char* text : {"1E+309", "-1e400", "1E999999999999", "99e307"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(errorCodeOf([&] { toDouble(text); }), 6);
    }
}

TEST_F(Values, SinglesReadWithinFloatRange) {
    EXPECT_EQ(toSingle("0.1"), 0.1f);
    EXPECT_EQ(toSingle(" -2.5 "), -2.5f);
    EXPECT_EQ(toSingle("3.402823E+38"), 3.402823e38f);
    EXPECT_EQ(toSingle("1E-50"), 0.0f);
    EXPECT_EQ(errorCodeOf([] { toSingle("3.5E+38"); }), 6);
    EXPECT_EQ(errorCodeOf([] { toSingle("-1E+39"); }), 6);
    EXPECT_EQ(errorCodeOf([] { toSingle("Text1"); }), 13);
}

// ---- Rounding --------------------------------------------------------------------------

TEST(Rounding, HalvesGoToTheEvenNeighbour) {
    const struct {
        double value;
        double rounded;
    } cases[] = {
        {0.5, 0.0},
        {1.5, 2.0},
        {2.5, 2.0},
        {3.5, 4.0},
        {-0.5, 0.0},
        {-2.5, -2.0},
        {-3.5, -4.0},
        {2.4999, 2.0},
        {2.5001, 3.0},
        {-2.6, -3.0},
        {0.49999999999999994, 0.0},
        {7.0, 7.0},
        {4503599627370497.0, 4503599627370497.0},  // odd and beyond any fraction
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(roundHalfEven(c.value), c.rounded);
    }
}

TEST(Rounding, IntegerConversionChecksTheRoundedValue) {
    const struct {
        double value;
        std::int16_t result;
    } fits[] = {
        {0.0, 0},           {2.5, 2},           {3.5, 4},
        {32767.0, 32767},   {32767.4, 32767},   {32766.5, 32766},
        {-32768.0, -32768}, {-32768.5, -32768}, {-32767.5, -32768},
    };
    for (const auto& c : fits) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(toInteger(c.value), c.result);
    }
    const double overflows[] = {32767.5,
                                32768.0,
                                -32768.6,
                                -32769.0,
                                1e10,
                                std::nan(""),
                                -std::numeric_limits<double>::infinity()};
    for (double value : overflows) {
        SCOPED_TRACE(value);
        EXPECT_EQ(errorCodeOf([&] { toInteger(value); }), 6);
    }
}

TEST(Rounding, LongConversionChecksTheRoundedValue) {
    EXPECT_EQ(toLong(2147483647.4), 2147483647);
    EXPECT_EQ(toLong(-2147483648.5), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(toLong(40000.5), 40000);
    for (double value : {2147483647.5, -2147483649.0, std::nan("")}) {
        SCOPED_TRACE(value);
        EXPECT_EQ(errorCodeOf([&] { toLong(value); }), 6);
    }
}

// ---- Separator from the environment ----------------------------------------------------

// Sets LC_ALL for the lifetime of the guard and puts the previous value back.
class LocaleEnvironment {
  public:
    explicit LocaleEnvironment(const char* value) {
        if (const char* previous = std::getenv("LC_ALL")) previous_ = previous;
        setenv("LC_ALL", value, 1);
    }
    ~LocaleEnvironment() {
        if (previous_) {
            setenv("LC_ALL", previous_->c_str(), 1);
        } else {
            unsetenv("LC_ALL");
        }
    }

  private:
    std::optional<std::string> previous_;
};

std::string printedHalf() {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%.1f", 0.5);
    return buffer;
}

TEST_F(Values, EnvironmentWithoutALocaleGivesAPoint) {
    for (const char* locale : {"C", "no_SUCH.locale"}) {
        SCOPED_TRACE(locale);
        const LocaleEnvironment environment(locale);
        setDecimalSeparator(',');
        adoptEnvironmentDecimalSeparator();
        EXPECT_EQ(decimalSeparator(), '.');
        EXPECT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");
    }
}

TEST_F(Values, EnvironmentWithACommaLocaleGivesACommaButLeavesPrintfAlone) {
    const char* commaLocale = "de_DE.UTF-8";
    if (locale_t probe = newlocale(LC_NUMERIC_MASK, commaLocale, nullptr)) {
        freelocale(probe);
    } else {
        GTEST_SKIP() << commaLocale << " is not installed";
    }
    const LocaleEnvironment environment(commaLocale);
    adoptEnvironmentDecimalSeparator();
    EXPECT_EQ(decimalSeparator(), ',');
    EXPECT_EQ(printedHalf(), "0.5");
    EXPECT_EQ(textOf(0.5), "0,5");
}

}  // namespace
}  // namespace vk
