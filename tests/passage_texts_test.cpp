#include "scan/passage_texts.h"

#include <gtest/gtest.h>

#include "tests/test_rows.h"

namespace vandrel {
namespace {

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
