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

struct TimeCase {
    const char* name;
    double julianDay;
    const char* timeScale;
    const char* text;
};

class PassageTimeTexts : public ::testing::TestWithParam<TimeCase> {};

TEST_P(PassageTimeTexts, RoundToTheSecondAndCarry) {
    EXPECT_EQ(passageTimeText(GetParam().julianDay, GetParam().timeScale), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PassageTimeTexts,
    ::testing::Values(
        TimeCase{"Example", 2458853.82493, "TDB", "2020-Jan-05 07:47:54 TDB"},
        TimeCase{"OtherScale", 2458853.82493, "UT", "2020-Jan-05 07:47:54 UT"},
        TimeCase{"Midnight", 2458849.5, "TDB", "2020-Jan-01 00:00:00 TDB"},
        TimeCase{"Noon", 2458849.0, "TDB", "2019-Dec-31 12:00:00 TDB"},
        TimeCase{"RoundsDownBelowHalfASecond", k2019Dec31 + 86399.4 / 86400, "TDB",
                 "2019-Dec-31 23:59:59 TDB"},
        TimeCase{"CarriesIntoNewYear", k2019Dec31 + 86399.6 / 86400, "TDB",
                 "2020-Jan-01 00:00:00 TDB"},
        TimeCase{"CarriesIntoNewMonth", k2020Jan31 + 86399.7 / 86400, "TDB",
                 "2020-Feb-01 00:00:00 TDB"},
        TimeCase{"CarriesIntoLeapDay", k2020Feb29 - 0.3 / 86400, "TDB", "2020-Feb-29 00:00:00 TDB"},
        TimeCase{"LeapDay", k2020Feb29 + 0.5, "TDB", "2020-Feb-29 12:00:00 TDB"},
        TimeCase{"CarriesOutOfLeapDay", k2020Feb29 + 86399.8 / 86400, "TDB",
                 "2020-Mar-01 00:00:00 TDB"},
        TimeCase{"NoLeapDayIn2100", k2100Feb28 + 86399.8 / 86400, "TDB",
                 "2100-Mar-01 00:00:00 TDB"},
        TimeCase{"Before1970", k1969Jul20 + (20 * 3600 + 17 * 60 + 40) / 86400.0, "UT",
                 "1969-Jul-20 20:17:40 UT"},
        TimeCase{"After2100", k2150Jun15 + 0.75, "TDB", "2150-Jun-15 18:00:00 TDB"},
        TimeCase{"JustBeforeMidnightRoundsUp", 2458849.5 - 1e-6, "TDB", "2020-Jan-01 00:00:00 TDB"},
        TimeCase{"TwoSecondsBeforeMidnight", 2458849.5 - 2e-5, "TDB", "2019-Dec-31 23:59:58 TDB"},
        TimeCase{"JulianDayHalf", 0.5, "TDB", "-4713-Nov-25 00:00:00 TDB"},
        TimeCase{"JulianDayZero", 0.0, "TDB", "-4713-Nov-24 12:00:00 TDB"},
        TimeCase{"JulianDayNegativeHalf", -0.5, "TDB", "-4713-Nov-24 00:00:00 TDB"},
        TimeCase{"FirstYearWritten", -1930999.5, "TDB", "-9999-Jan-01 00:00:00 TDB"},
        TimeCase{"LastSecondWritten", 5373484.5 - 1.0 / 86400, "TDB", "9999-Dec-31 23:59:59 TDB"},
        TimeCase{"RoundsIntoYear10000", 5373484.5 - 0.2 / 86400, "TDB", ""},
        TimeCase{"BeforeYearMinus9999", -1930999.5 - 1e-6, "TDB", ""},
        TimeCase{"NotANumber", std::numeric_limits<double>::quiet_NaN(), "TDB", ""},
        TimeCase{"Infinite", std::numeric_limits<double>::infinity(), "TDB", ""}),
    [](const auto& info) { return std::string(info.param.name); });

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
