#include "text/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>

#include "scan/horizons_numbers.h"
#include "tests/test_rows.h"

namespace vandrel {
namespace {

struct ToTextCase {
    const char* name;
    double value;
    const char* text;
};

class NumberToTextRows : public ::testing::TestWithParam<ToTextCase> {};

TEST_P(NumberToTextRows, WritesTheNearestFifteenDigitText) {
    EXPECT_EQ(NumberToText(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, NumberToTextRows,
    ::testing::Values(ToTextCase{"DistanceInAu", 0.9836868025025924, "0.983686802502592"},
                      ToTextCase{"ProductInKm", 0.9836868025025924 * 149597870.7,
                                 "147157451.090079"},
                      ToTextCase{"WholeValueHasNoPoint", 147157452.0, "147157452"},
                      ToTextCase{"Zero", 0.0, "0"}, ToTextCase{"NegativeZero", -0.0, "0"},
                      ToTextCase{"Negative", -1.25, "-1.25"},
                      ToTextCase{"SmallValueWithoutExponent", 0.00001234, "0.00001234"},
                      ToTextCase{"TinyValueWithoutExponent", 1.5e-20, "0.000000000000000000015"},
                      ToTextCase{"LargeValueWithoutExponent", 1.5e20, "150000000000000000000"},
                      ToTextCase{"RoundsToFifteenDigits", 1.0000000000000002, "1"},
                      // 999999.99999999988358...: sixteen nines round up to a new digit.
                      ToTextCase{"RoundingCarriesIntoNewDigit", 999999.9999999999, "1000000"},
                      // Exact halves: the digit before them stays even.
                      ToTextCase{"TieKeepsEvenDigit", 100000000000000.5, "100000000000000"},
                      ToTextCase{"TieRoundsOddDigitUp", 100000000000001.5, "100000000000002"},
                      ToTextCase{"RoundsHalfDigitUp", 0.1234567890123456, "0.123456789012346"},
                      ToTextCase{"TrailingZerosDropped", 2.5, "2.5"},
                      ToTextCase{"AboveOne", 5.437424218921472, "5.43742421892147"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(NumberToText, CountsAreTheirDigits) {
    EXPECT_EQ(NumberToText(std::int32_t{366}), "366");
    EXPECT_EQ(NumberToText(std::int32_t{0}), "0");
    EXPECT_EQ(NumberToText(std::int32_t{2147483647}), "2147483647");
}

TEST(NumberToSignedText, PutsABlankBeforeNonNegativeValues) {
    EXPECT_EQ(NumberToSignedText(147157451.0), " 147157451");
    EXPECT_EQ(NumberToSignedText(0.0), " 0");
    EXPECT_EQ(NumberToSignedText(-3.0), "-3");
}

struct ToNumberCase {
    const char* name;
    const char* text;
    double value;
};

class TextToNumberRows : public ::testing::TestWithParam<ToNumberCase> {};

TEST_P(TextToNumberRows, ReadsTheLongestNumberAtTheStart) {
    const double value = TextToNumber(GetParam().text);
    if (std::isinf(GetParam().value)) {
        EXPECT_EQ(value, GetParam().value);
    } else {
        EXPECT_DOUBLE_EQ(value, GetParam().value);
        EXPECT_EQ(value, GetParam().value) << "correctly rounded, to the last bit";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TextToNumberRows,
    ::testing::Values(
        ToNumberCase{"HorizonsDistance", "9.836868025025924E-01", 0.9836868025025924},
        ToNumberCase{"LeadingBlank", " 5.437424218921472E+00", 5.437424218921472},
        ToNumberCase{"LowerCaseExponent", "1.5e3", 1500},
        ToNumberCase{"ExponentMarkWithoutDigits", "1.5E", 1.5},
        ToNumberCase{"ExponentSignWithoutDigits", "1.5E+x", 1.5}, ToNumberCase{"PlusSign", "+2", 2},
        ToNumberCase{"MinusSign", "-2.5", -2.5},
        ToNumberCase{"BlanksAnywhereAreIgnored", " 1 2 . 5 E 1 ", 125},
        ToNumberCase{"TabsAreIgnored", "\t3\t.\t5", 3.5},
        ToNumberCase{"StopsAtTheFirstOtherCharacter", "12abc", 12},
        ToNumberCase{"FractionWithoutWholePart", ".5", 0.5},
        ToNumberCase{"PointWithoutFraction", "5.", 5},
        ToNumberCase{"PointAndExponent", "5.e2", 500}, ToNumberCase{"NoNumberIsZero", "abc", 0},
        ToNumberCase{"EmptyIsZero", "", 0}, ToNumberCase{"SignAloneIsZero", "-", 0},
        ToNumberCase{"PointAloneIsZero", ".", 0},
        ToNumberCase{"KmText", "147157451.090079", 147157451.090079},
        ToNumberCase{"HalfwayKm", "147157451.5", 147157451.5},
        ToNumberCase{"ManyDigitsRoundCorrectly",
                     "0.100000000000000005551115123125782702118158340454101562500001",
                     0.10000000000000001},
        ToNumberCase{"OverflowIsInfinity", "1E999", std::numeric_limits<double>::infinity()},
        ToNumberCase{"NegativeOverflow", "-9.9E+400", -std::numeric_limits<double>::infinity()},
        ToNumberCase{"HugeExponentIsInfinity", "1E99999999999999999999",
                     std::numeric_limits<double>::infinity()},
        ToNumberCase{"UnderflowIsZero", "1E-999", 0},
        ToNumberCase{"ManyLeadingZerosUnderflow", "0.00000000000000000001E-320", 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(NumberText, KmTextsReadBackToTheSameValue) {
    for (double au = 0.001; au < 100; au *= 1.37) {
        const double km = au * 149597870.7;
        const std::string text = NumberToText(km);
        EXPECT_EQ(NumberToText(TextToNumber(text)), text) << au;
    }
}

}  // namespace
}  // namespace vandrel

namespace vandrel {
namespace {

TEST(ApproximateNumber, StaysWithinAHairOfTheExactValue) {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    std::uniform_int_distribution<int> exponent(-7, 7);
    char text[64];
    for (int i = 0; i < 20000; ++i) {
        std::snprintf(text, sizeof text, "%.15E",
                      mantissa(random) * std::pow(10.0, exponent(random)));
        const std::string form = i % 2 == 0 ? std::string(text) : " " + std::string(text) + " ";
        double estimate = 0;
        ASSERT_TRUE(approximateNumber(form, estimate)) << form;
        const double exact = TextToNumber(form);
        EXPECT_LE(std::fabs(estimate - exact), 1e-15 * std::fabs(exact)) << form;
    }
}

TEST(ApproximateNumber, DeclinesFormsItCannotReadQuickly) {
    double value = 0;
    for (const char* text :
         {"1 .5", "12345678901234567890", "1E+99", "1E-40", "1.5x", "", "-", "E5", "1.5E"}) {
        EXPECT_FALSE(approximateNumber(text, value)) << text;
    }
    EXPECT_TRUE(approximateNumber("-12", value));
    EXPECT_EQ(value, -12);
    EXPECT_TRUE(approximateNumber("0.000000000000000E+00", value));
    EXPECT_EQ(value, 0);
}

struct SignCase {
    const char* name;
    const char* text;
    bool told;  // the form is Horizons' signed one
    int sign;
};

class HorizonsNumberSign : public ::testing::TestWithParam<SignCase> {};

TEST_P(HorizonsNumberSign, IsTheSignOfTheValueOrNothing) {
    int sign = 7;
    EXPECT_EQ(horizonsNumberSign(GetParam().text, sign), GetParam().told);
    if (GetParam().told) {
        EXPECT_EQ(sign, GetParam().sign);
        const double value = TextToNumber(GetParam().text);
        EXPECT_EQ(sign, (value > 0) - (value < 0));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rates, HorizonsNumberSign,
    ::testing::Values(SignCase{"Negative", "-1.730156260918764E-07", true, -1},
                      SignCase{"PositiveWithBlank", " 1.730156260918764E-07", true, 1},
                      SignCase{"PositiveWithPlus", "+9.000000000000000E+99", true, 1},
                      SignCase{"Zero", " 0.000000000000000E+00", true, 0},
                      SignCase{"NegativeZero", "-0.000000000000000E-05", true, 0},
                      SignCase{"SmallButNotZero", "-0.000000000000001E-99", true, -1},
                      SignCase{"UnsignedAsInCsv", "1.730156260918764E-07", true, 1},
                      SignCase{"UnsignedZero", "0.000000000000000E+00", true, 0},
                      SignCase{"DigitForSign", "11.730156260918764E-07", false, 0},
                      SignCase{"ThreeDigitExponent", "-1.73015626091876E-500", false, 0},
                      SignCase{"LetterInTheDigits", "-1.7301562609E876E-07", false, 0},
                      SignCase{"ColonAfterNine", "-1.7301562609:8764E-07", false, 0},
                      SignCase{"SlashBeforeZero", "-1.73015626/918764E-07", false, 0},
                      SignCase{"HighByteAmongDigits",
                               "-1.7301562\xFA"
                               "0918764E-07",
                               false, 0},
                      SignCase{"CommaForPoint", "-1,730156260918764E-07", false, 0},
                      SignCase{"DigitForPoint", "-17301562609187640E-07", false, 0},
                      SignCase{"SmallE", "-1.730156260918764e-07", false, 0},
                      SignCase{"BlankExponentSign", "-1.730156260918764E 07", false, 0},
                      SignCase{"LetterInExponent", "-1.730156260918764E-0x", false, 0}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vandrel

namespace vandrel {
namespace {

struct LeadCase {
    const char* name;
    const char* greater;
    const char* lesser;
    bool told;  // the first eight characters and the exponent tell them apart
};

class HorizonsNumberLead : public ::testing::TestWithParam<LeadCase> {};

// Where the leads tell, they agree with the values; where they cannot, they
// say nothing rather than guess.
TEST_P(HorizonsNumberLead, TellsTheGreaterOnlyWhereItCan) {
    HorizonsLead greater;
    HorizonsLead lesser;
    ASSERT_TRUE(horizonsNumberLead(GetParam().greater, greater));
    ASSERT_TRUE(horizonsNumberLead(GetParam().lesser, lesser));
    ASSERT_GT(TextToNumber(GetParam().greater), TextToNumber(GetParam().lesser));
    EXPECT_EQ(surelyGreater(greater, lesser), GetParam().told);
    EXPECT_FALSE(surelyGreater(lesser, greater));
}

INSTANTIATE_TEST_SUITE_P(
    Distances, HorizonsNumberLead,
    ::testing::Values(
        LeadCase{"LargerExponent", "1.000000000000000E+00", "9.999999999999999E-01", true},
        LeadCase{"NegativeExponents", "1.000000000000000E-01", "9.999999999999999E-02", true},
        LeadCase{"SeventhDigit", "9.836869000000000E-01", "9.836868999999999E-01", true},
        LeadCase{"FirstDigit", "2.000000000000000E+08", "1.999999999999999E+08", true},
        LeadCase{"EighthDigitOnward", "9.836868025025925E-01", "9.836868025025924E-01", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HorizonsNumberLead, OnlyForTheFormWithAFirstDigitAboveZero) {
    HorizonsLead lead;
    for (const char* text :
         {"0.983686802502592E+00", "9.836868025025924E-1", " 9.836868025025924E-01",
          "9.8368680250259x4E-01", "9.836868025025924e-01", ""}) {
        EXPECT_FALSE(horizonsNumberLead(text, lead)) << text;
    }
    ASSERT_TRUE(horizonsNumberLead("9.836868025025924E-01", lead));
    EXPECT_EQ(lead.exponent, -1);
}

}  // namespace
}  // namespace vandrel

namespace vandrel {
namespace {

// The quick reading of Horizons' form gives TextToNumber's value to the bit,
// and every other form is read by TextToNumber itself.
TEST(HorizonsNumberValue, IsTheValueOfTextToNumber) {
    for (const char* text :
         {"-1.730156260918764E-07", " 1.730156260918764E-07", "1.730156260918764E-07",
          "+9.836868025025924E-01", " 0.000000000000000E+00", "-0.000000000000000E+00",
          "9.999999999999999E+99", "1.000000000000001E-99", "0.5", " -12 ", "1.5 E+02", "junk",
          "1.0E+400"}) {
        const double expected = TextToNumber(text);
        const double value = horizonsNumberValue(text);
        EXPECT_EQ(std::memcmp(&value, &expected, sizeof value), 0) << text;
    }
    // Random digits and exponents, inside and outside the powers of ten that
    // the quick path takes, and mantissas about 2^53, where it gives way.
    std::mt19937_64 random(53);
    for (int i = 0; i < 200000; ++i) {
        const std::uint64_t mantissa =
            i % 4 == 0 ? 9007199254740992 - 50 + random() % 100 : random() % 10000000000000000;
        const int exponent = static_cast<int>(random() % 61) - 30;
        char text[32];
        std::snprintf(text, sizeof text, "%c%llu.%015lluE%c%02d", i % 2 == 0 ? '-' : ' ',
                      static_cast<unsigned long long>(mantissa / 1000000000000000),
                      static_cast<unsigned long long>(mantissa % 1000000000000000),
                      exponent < 0 ? '-' : '+', std::abs(exponent));
        const double expected = TextToNumber(text);
        const double value = horizonsNumberValue(text);
        ASSERT_EQ(std::memcmp(&value, &expected, sizeof value), 0) << text;
    }
}

}  // namespace
}  // namespace vandrel
