#include "scan/passage_texts.h"

#include <gtest/gtest.h>

#include <limits>

#include "tests/test_rows.h"

namespace vandrel {
namespace {

// Julian days of midnights, to build instants from.
constexpr double k2019Dec31 = 2458848.5;
constexpr double k2020Jan31 = 2458879.5;
constexpr double k2020Feb29 = 2458908.5;
constexpr double k2100Feb28 = 2488127.5;
constexpr double k1969Jul20 = 2440422.5;
constexpr double k2150Jun15 = 2506496.5;

constexpr auto kMixed = CalendarMode::MixedJulianGregorian;
constexpr auto kGregorian = CalendarMode::Gregorian;

struct TimeCase {
    const char* name;
    double julianDay;
    CalendarMode calendar;
    const char* text;
};

class PassageTimeTexts : public ::testing::TestWithParam<TimeCase> {};

TEST_P(PassageTimeTexts, RoundToTheSecondAndCarry) {
    EXPECT_EQ(passageTimeText(GetParam().julianDay, "TDB", GetParam().calendar), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PassageTimeTexts,
    ::testing::Values(
        TimeCase{"Example", 2458853.82493, kMixed, "2020-Jan-05 07:47:54 TDB"},
        TimeCase{"ExampleGregorian", 2458853.82493, kGregorian, "2020-Jan-05 07:47:54 TDB"},
        TimeCase{"Midnight", 2458849.5, kMixed, "2020-Jan-01 00:00:00 TDB"},
        TimeCase{"Noon", 2458849.0, kMixed, "2019-Dec-31 12:00:00 TDB"},
        TimeCase{"RoundsDownBelowHalfASecond", k2019Dec31 + 86399.4 / 86400, kMixed,
                 "2019-Dec-31 23:59:59 TDB"},
        TimeCase{"CarriesIntoNewYear", k2019Dec31 + 86399.6 / 86400, kMixed,
                 "2020-Jan-01 00:00:00 TDB"},
        TimeCase{"CarriesIntoNewMonth", k2020Jan31 + 86399.7 / 86400, kMixed,
                 "2020-Feb-01 00:00:00 TDB"},
        TimeCase{"CarriesIntoLeapDay", k2020Feb29 - 0.3 / 86400, kMixed,
                 "2020-Feb-29 00:00:00 TDB"},
        TimeCase{"LeapDay", k2020Feb29 + 0.5, kMixed, "2020-Feb-29 12:00:00 TDB"},
        TimeCase{"CarriesOutOfLeapDay", k2020Feb29 + 86399.8 / 86400, kMixed,
                 "2020-Mar-01 00:00:00 TDB"},
        TimeCase{"NoLeapDayIn2100", k2100Feb28 + 86399.8 / 86400, kMixed,
                 "2100-Mar-01 00:00:00 TDB"},
        TimeCase{"Before1970", k1969Jul20 + (20 * 3600 + 17 * 60 + 40) / 86400.0, kMixed,
                 "1969-Jul-20 20:17:40 TDB"},
        TimeCase{"After2100", k2150Jun15 + 0.75, kMixed, "2150-Jun-15 18:00:00 TDB"},
        TimeCase{"JustBeforeMidnightRoundsUp", 2458849.5 - 1e-6, kMixed,
                 "2020-Jan-01 00:00:00 TDB"},
        TimeCase{"TwoSecondsBeforeMidnight", 2458849.5 - 2e-5, kMixed, "2019-Dec-31 23:59:58 TDB"},
        // The Julian calendar up to 1582-Oct-04, then the Gregorian one.
        TimeCase{"LastJulianCalendarNoon", 2299160.0, kMixed, "1582-Oct-04 12:00:00 TDB"},
        TimeCase{"FirstGregorianMidnight", 2299160.5, kMixed, "1582-Oct-15 00:00:00 TDB"},
        TimeCase{"CarriesAcrossTheReform", 2299160.5 - 0.3 / 86400, kMixed,
                 "1582-Oct-15 00:00:00 TDB"},
        TimeCase{"GregorianBeforeTheReform", 2299159.5, kGregorian, "1582-Oct-14 00:00:00 TDB"},
        TimeCase{"JulianLeapDayOf1500", 2268991.5, kMixed, "1500-Feb-29 00:00:00 TDB"},
        TimeCase{"Hastings", 2110700.5 + 0.4, kMixed, "1066-Oct-14 09:36:00 TDB"},
        TimeCase{"JulianDayZero", 0.0, kMixed, "-4712-Jan-01 12:00:00 TDB"},
        TimeCase{"JulianDayHalf", 0.5, kMixed, "-4712-Jan-02 00:00:00 TDB"},
        TimeCase{"JulianDayNegativeHalf", -0.5, kMixed, "-4712-Jan-01 00:00:00 TDB"},
        TimeCase{"JulianDayHalfGregorian", 0.5, kGregorian, "-4713-Nov-25 00:00:00 TDB"},
        TimeCase{"FirstYearWritten", -1931076.5, kMixed, "-9999-Jan-01 00:00:00 TDB"},
        TimeCase{"BeforeFirstYear", -1931076.5 - 1e-4, kMixed, ""},
        TimeCase{"FirstYearWrittenGregorian", -1930999.5, kGregorian, "-9999-Jan-01 00:00:00 TDB"},
        TimeCase{"BeforeFirstYearGregorian", -1930999.5 - 1e-4, kGregorian, ""},
        TimeCase{"LastSecondWritten", 5373484.5 - 1.0 / 86400, kMixed, "9999-Dec-31 23:59:59 TDB"},
        TimeCase{"RoundsIntoYear10000", 5373484.5 - 0.2 / 86400, kMixed, ""},
        // 65536 Gregorian years after 2020-Jan-01: no year that a 16-bit
        // count would wrap into 2020.
        TimeCase{"BeyondTheYearsOfChrono", 2458849.5 + 65536 * 365.2425, kMixed, ""},
        TimeCase{"FarBeyond", 1e300, kMixed, ""},
        TimeCase{"NotANumber", std::numeric_limits<double>::quiet_NaN(), kMixed, ""},
        TimeCase{"Infinite", -std::numeric_limits<double>::infinity(), kMixed, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PassageTimeTexts, EndWithTheTimeScaleGiven) {
    EXPECT_EQ(passageTimeText(2458853.82493, "UT"), "2020-Jan-05 07:47:54 UT");
}

struct NumberCase {
    const char* name;
    std::string (*present)(double);
    double value;
    const char* text;
};

class PassageNumberTexts : public ::testing::TestWithParam<NumberCase> {};

TEST_P(PassageNumberTexts, HaveFixedDecimals) {
    EXPECT_EQ(GetParam().present(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PassageNumberTexts,
    ::testing::Values(NumberCase{"JulianDay", julianDayText, 2458853.8249309, "2458853.824931"},
                      NumberCase{"JulianDayWhole", julianDayText, 2458849.5, "2458849.500000"},
                      NumberCase{"JulianDayNegative", julianDayText, -0.25, "-0.250000"},
                      NumberCase{"Au", auText, 0.9832435648, "0.983243565"},
                      NumberCase{"AuRoundsDown", auText, 1.0167000004, "1.016700000"},
                      NumberCase{"AuLarge", auText, 39.48, "39.480000000"},
                      NumberCase{"Km", kmText, 0.983243565, "147091144"},
                      NumberCase{"KmRoundsDown", kmText, 1.0167, "152096155"},
                      NumberCase{"KmOneAu", kmText, 1.0, "149597871"},
                      NumberCase{"KmZero", kmText, 0.0, "0"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vandrel
