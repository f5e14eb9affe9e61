#include "text/parse_date.h"

#include <gtest/gtest.h>

#include "tests/test_rows.h"

namespace vandrel {
namespace {

struct DateCase {
    const char* name;
    const char* text;
    bool valid;
};

class ParseDateRows : public ::testing::TestWithParam<DateCase> {};

TEST_P(ParseDateRows, AcceptsOnlyRealDatesInTheHorizonsForm) {
    EXPECT_EQ(ParseDate(GetParam().text).has_value(), GetParam().valid);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseDateRows,
    ::testing::Values(
        DateCase{"Plain", "1900-Jan-01", true}, DateCase{"AnyLetterCase", "2020-jAN-03", true},
        DateCase{"BlanksAround", " \t2020-Dec-31  ", true},
        DateCase{"LeapDay", "2020-Feb-29", true},
        DateCase{"LeapDayOfACentury400", "2000-Feb-29", true},
        DateCase{"NoLeapDayInACommonYear", "2021-Feb-29", false},
        DateCase{"NoLeapDayIn1900", "1900-Feb-29", false},
        DateCase{"ThirtyDayMonth", "2020-Apr-31", false}, DateCase{"DayZero", "2020-Jan-00", false},
        DateCase{"FirstYear", "0001-Jan-01", true}, DateCase{"YearZero", "0000-Jan-01", false},
        DateCase{"LastYear", "9999-Dec-31", true}, DateCase{"OneDigitDay", "2020-Jan-3", false},
        DateCase{"NumericMonth", "2020-01-03", false},
        DateCase{"UnknownMonth", "2020-Okt-01", false}, DateCase{"NotAMonth", "2020-Foo-01", false},
        DateCase{"WithTime", "2020-Jan-01 00:00", false}, DateCase{"Empty", "", false},
        DateCase{"SignInYear", "+020-Jan-01", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ParseDate, OrdersDatesInTime) {
    EXPECT_LT(*ParseDate("1899-Dec-31"), *ParseDate("1900-Jan-01"));
    EXPECT_LT(*ParseDate("2020-Feb-28"), *ParseDate("2020-Feb-29"));
    EXPECT_EQ(*ParseDate("2020-Mar-01") - *ParseDate("2020-Feb-28"), 2);
    EXPECT_EQ(*ParseDate("1970-Jan-01"), 0);
    EXPECT_EQ(*ParseDate("0001-Jan-01"), -719162);
    EXPECT_EQ(*ParseDate("2020-jan-03"), *ParseDate("2020-Jan-03"));
}

}  // namespace
}  // namespace vandrel
