#include "scan/presentation.h"

#include <gtest/gtest.h>

#include "tests/test_rows.h"

namespace vandrel {
namespace {

struct SummaryCase {
    const char* name;
    const char* km;
    const char* date;
    Extreme which;
    const char* summary;
};

class SummaryLines : public ::testing::TestWithParam<SummaryCase> {};

TEST_P(SummaryLines, RoundHalvesUpAndEndWithTheDate) {
    EXPECT_EQ(summaryLine(GetParam().km, GetParam().date, GetParam().which), GetParam().summary);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SummaryLines,
    ::testing::Values(
        SummaryCase{"Least", "147157451.090079", "2020-Jan-01 00:00:00.0000", Extreme::Least,
                    " 147157451  km    min    on    2020-Jan-01"},
        SummaryCase{"Most", "152100000.7", "2020-Jul-04 12:00:00.0000", Extreme::Most,
                    " 152100001  km    max    on    2020-Jul-04"},
        SummaryCase{"HalfRoundsUp", "147157451.5", "2020-Jan-01", Extreme::Least,
                    " 147157452  km    min    on    2020-Jan-01"},
        SummaryCase{"JustBelowHalfRoundsDown", "147157451.49", "2020-Jan-01", Extreme::Least,
                    " 147157451  km    min    on    2020-Jan-01"},
        SummaryCase{"NothingFound", "0", "", Extreme::Least, " 0  km    min    on    "},
        SummaryCase{"ShortDate", "1", "2020-Jan", Extreme::Most, " 1  km    max    on    2020-Jan"},
        SummaryCase{"Negative", "-2.5", "x", Extreme::Least, "-2  km    min    on    x"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PresentExtreme, GivesTheTextsOfEveryBox) {
    DistanceExtreme extreme;
    extreme.au = 0.9836868025025924;
    extreme.km = 147157451.090079;
    extreme.dateText = "2020-Jan-01 00:00:00.0000";
    extreme.item = 1;
    const ExtremeTexts texts = presentExtreme(extreme, Extreme::Least);
    EXPECT_EQ(texts.item, "1");
    EXPECT_EQ(texts.dateText, "2020-Jan-01 00:00:00.0000");
    EXPECT_EQ(texts.au, "0.983686802502592");
    EXPECT_EQ(texts.km, "147157451.090079");
    EXPECT_EQ(texts.summary, " 147157451  km    min    on    2020-Jan-01");
}

TEST(PresentExtreme, InitialExtremeReadsZero) {
    const ExtremeTexts texts = presentExtreme(DistanceExtreme{}, Extreme::Most);
    EXPECT_EQ(texts.item, "0");
    EXPECT_EQ(texts.dateText, "");
    EXPECT_EQ(texts.au, "0");
    EXPECT_EQ(texts.km, "0");
    EXPECT_EQ(texts.summary, " 0  km    max    on    ");
}

}  // namespace
}  // namespace vandrel
