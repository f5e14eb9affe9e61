#include "text/calendar.h"

#include <gtest/gtest.h>

#include <limits>

#include "tests/test_rows.h"

namespace vandrel {
namespace {

constexpr double kJulianDayOf1970 = 2440587.5;

struct DateCase {
    const char* name;
    const char* text;
    double julianDay;  // of the date's midnight; 0 for no date
};

class ParseDateRows : public ::testing::TestWithParam<DateCase> {};

// Julian days from Horizons' own tables and the Explanatory Supplement.
TEST_P(ParseDateRows, ReadsTheDatesHorizonsWritesAndNoOthers) {
    const auto day = ParseDate(GetParam().text);
    if (GetParam().julianDay == 0) {
        EXPECT_FALSE(day) << *day;
    } else {
        ASSERT_TRUE(day);
        EXPECT_EQ(kJulianDayOf1970 + static_cast<double>(*day), GetParam().julianDay);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseDateRows,
    ::testing::Values(
        DateCase{"Plain", "1900-Jan-01", 2415020.5}, DateCase{"Unix", "1970-Jan-01", 2440587.5},
        DateCase{"AnyLetterCase", "2020-jAN-03", 2458851.5},
        DateCase{"BlanksAround", " \t2020-Dec-31  ", 2459214.5},
        DateCase{"LeapDay", "2020-Feb-29", 2458908.5},
        DateCase{"LeapDayOfACentury400", "2000-Feb-29", 2451603.5},
        DateCase{"NoLeapDayInACommonYear", "2021-Feb-29", 0},
        DateCase{"NoLeapDayIn1900", "1900-Feb-29", 0}, DateCase{"ThirtyDayMonth", "2020-Apr-31", 0},
        DateCase{"DayZero", "2020-Jan-00", 0},
        // The Julian calendar up to 1582-Oct-04, with a leap day every fourth year.
        DateCase{"JulianLeapDayOf1000", "1000-Feb-29", 2086366.5},
        DateCase{"JulianLeapDayOf1500", "1500-Feb-29", 2268991.5},
        DateCase{"NoGregorianLeapDayIn1700", "1700-Feb-29", 0},
        DateCase{"LastJulianDay", "1582-Oct-04", 2299159.5},
        DateCase{"FirstGregorianDay", "1582-Oct-15", 2299160.5},
        DateCase{"DroppedAtTheReform", "1582-Oct-10", 0},
        DateCase{"FirstDroppedDay", "1582-Oct-05", 0}, DateCase{"LastDroppedDay", "1582-Oct-14", 0},
        DateCase{"FirstYear", "0001-Jan-01", 1721423.5}, DateCase{"YearZero", "0000-Jan-01", 0},
        // Years before A.D. 1: 1 B.C. is the year before it, and a leap year.
        DateCase{"LastDayBeforeChrist", "B.C. 0001-Dec-31", 1721422.5},
        DateCase{"LeapDayOf1BC", "B.C. 0001-Feb-29", 1721116.5},
        DateCase{"NoLeapDayIn2BC", "B.C. 0002-Feb-29", 0},
        DateCase{"FiveHundredBC", "B.C. 0500-Jan-01", 1538798.5},
        DateCase{"JulianDayZero", "B.C. 4713-Jan-01", -0.5},
        DateCase{"FirstYearBC", "B.C. 9999-Jan-01", -1930711.5},
        DateCase{"NoYearZeroBC", "B.C. 0000-Jan-01", 0},
        DateCase{"BlanksInBC", "B.C.0500-Jan-01", 0},
        DateCase{"LastYear", "9999-Dec-31", 5373483.5}, DateCase{"OneDigitDay", "2020-Jan-3", 0},
        DateCase{"NumericMonth", "2020-01-03", 0}, DateCase{"UnknownMonth", "2020-Okt-01", 0},
        DateCase{"WithTime", "2020-Jan-01 00:00", 0}, DateCase{"Empty", "", 0},
        DateCase{"SignInYear", "+020-Jan-01", 0}),
    [](const auto& info) { return std::string(info.param.name); });

// Days are counted on without a gap across the reform and the year 0.
TEST(Calendar, CountsDaysAcrossBothBoundaries) {
    EXPECT_EQ(*ParseDate("1582-Oct-15") - *ParseDate("1582-Oct-04"), 1);
    EXPECT_EQ(*ParseDate("0001-Jan-01") - *ParseDate("B.C. 0001-Dec-31"), 1);
    for (DayNumber day = *ParseDate("B.C. 0003-Jan-01"); day < *ParseDate("0003-Jan-01"); ++day) {
        EXPECT_EQ(dayNumberOf(calendarDateOf(day)), day);
    }
    for (DayNumber day = *ParseDate("1581-Jan-01"); day < *ParseDate("1584-Jan-01"); ++day) {
        EXPECT_EQ(dayNumberOf(calendarDateOf(day)), day);
    }
}

struct InstantCase {
    const char* name;
    const char* dateText;  // as a record writes it
    double julianDay;
    const char* text;  // the instant written back, in TDB
};

class Instants : public ::testing::TestWithParam<InstantCase> {};

TEST_P(Instants, ReadAndWriteTheSameDates) {
    const InstantCase& row = GetParam();
    if (*row.dateText != '\0') {
        const auto julianDay = julianDayOfDateText(row.dateText);
        ASSERT_TRUE(julianDay);
        EXPECT_NEAR(*julianDay, row.julianDay, 1e-9);
    }
    EXPECT_EQ(instantText(row.julianDay, "TDB"), row.text);
}

constexpr double k2019Dec31 = 2458848.5;

INSTANTIATE_TEST_SUITE_P(
    Rows, Instants,
    ::testing::Values(
        InstantCase{"Example", "2020-Jan-05 07:47:54.0000", 2458853.8249305556,
                    "2020-Jan-05 07:47:54 TDB"},
        InstantCase{"Noon", "", 2458849.0, "2019-Dec-31 12:00:00 TDB"},
        InstantCase{"CarriesIntoNewYear", "", k2019Dec31 + 86399.6 / 86400,
                    "2020-Jan-01 00:00:00 TDB"},
        InstantCase{"RoundsDown", "", k2019Dec31 + 86399.4 / 86400, "2019-Dec-31 23:59:59 TDB"},
        InstantCase{"CarriesOutOfLeapDay", "", 2458908.5 + 86399.8 / 86400,
                    "2020-Mar-01 00:00:00 TDB"},
        InstantCase{"LastJulianNoon", "1582-Oct-04 12:00:00.0000", 2299160.0,
                    "1582-Oct-04 12:00:00 TDB"},
        InstantCase{"CarriesAcrossTheReform", "", 2299160.5 - 0.3 / 86400,
                    "1582-Oct-15 00:00:00 TDB"},
        InstantCase{"JulianLeapDay", "1000-Feb-29 06:00:00.0000", 2086366.75,
                    "1000-Feb-29 06:00:00 TDB"},
        InstantCase{"FiveHundredBC", "B.C. 0500-Jan-01 00:00:00.0000", 1538798.5,
                    "B.C. 0500-Jan-01 00:00:00 TDB"},
        InstantCase{"CarriesIntoAD1", "", 1721423.5 - 0.2 / 86400, "0001-Jan-01 00:00:00 TDB"},
        InstantCase{"JulianDayZero", "B.C. 4713-Jan-01 12:00:00.0000", 0.0,
                    "B.C. 4713-Jan-01 12:00:00 TDB"},
        InstantCase{"FirstYearWritten", "B.C. 9999-Jan-01 00:00:00", -1930711.5,
                    "B.C. 9999-Jan-01 00:00:00 TDB"},
        InstantCase{"BeforeFirstYear", "", -1930711.5 - 1e-4, ""},
        InstantCase{"LastSecondWritten", "", 5373484.5 - 1.0 / 86400, "9999-Dec-31 23:59:59 TDB"},
        InstantCase{"RoundsIntoYear10000", "", 5373484.5 - 0.2 / 86400, ""},
        InstantCase{"FarBeyond", "", 1e300, ""},
        InstantCase{"NotANumber", "", std::numeric_limits<double>::quiet_NaN(), ""},
        InstantCase{"Infinite", "", -std::numeric_limits<double>::infinity(), ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Calendar, WritesTheScaleGiven) {
    EXPECT_EQ(instantText(2458853.82493, "UT"), "2020-Jan-05 07:47:54 UT");
    EXPECT_EQ(instantText(2458853.82493, ""), "2020-Jan-05 07:47:54");
    EXPECT_FALSE(julianDayOfDateText("2020-Jan-05 7:47:54"));
    EXPECT_FALSE(julianDayOfDateText("1582-Oct-10 00:00:00.0000"));
}

}  // namespace
}  // namespace vandrel
