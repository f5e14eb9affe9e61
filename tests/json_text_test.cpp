#include "cli/json_text.h"

#include <gtest/gtest.h>

#include "tests/test_rows.h"

namespace vandrel {
namespace {

struct JsonCase {
    const char* name;
    std::string bytes;
    std::string json;
};

class JsonStrings : public ::testing::TestWithParam<JsonCase> {};

TEST_P(JsonStrings, AreValidJsonWithAReplacementForEachStrayByte) {
    EXPECT_EQ(jsonString(GetParam().bytes), GetParam().json);
}

#define REPLACEMENT "\xEF\xBF\xBD"

INSTANTIATE_TEST_SUITE_P(
    Rows, JsonStrings,
    ::testing::Values(
        JsonCase{"Plain", "2020-Jan-01 00:00", "\"2020-Jan-01 00:00\""},
        JsonCase{"Empty", "", "\"\""}, JsonCase{"QuoteAndBackslash", "a\"b\\c", "\"a\\\"b\\\\c\""},
        JsonCase{"ControlCharacters", std::string("\n\r\t\x01\0", 5),
                 "\"\\n\\r\\t\\u0001\\u0000\""},
        JsonCase{"ValidUtf8PassesAsItIs", "\xC3\xA9t\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x8C\x9E",
                 "\"\xC3\xA9t\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x8C\x9E\""},
        JsonCase{"LoneLatin1Byte", "\xE9t\xE9", "\"" REPLACEMENT "t" REPLACEMENT "\""},
        JsonCase{"CutSequence", "\xE2\x82", "\"" REPLACEMENT REPLACEMENT "\""},
        JsonCase{"OverlongSequence", "\xC0\xAF", "\"" REPLACEMENT REPLACEMENT "\""},
        JsonCase{"Surrogate", "\xED\xA0\x80", "\"" REPLACEMENT REPLACEMENT REPLACEMENT "\""},
        JsonCase{"BeyondUnicode", "\xF4\x90\x80\x80",
                 "\"" REPLACEMENT REPLACEMENT REPLACEMENT REPLACEMENT "\""}),
    [](const auto& info) { return std::string(info.param.name); });

class JsonFileKeys : public ::testing::TestWithParam<JsonCase> {};

TEST_P(JsonFileKeys, KeepTheExactBytesOfANameThatIsNotUtf8) {
    EXPECT_EQ(jsonFileKeys(GetParam().bytes), GetParam().json);
}

INSTANTIATE_TEST_SUITE_P(
    Names, JsonFileKeys,
    ::testing::Values(
        JsonCase{"Utf8NameAlone", "\xC3\xA9t\xC3\xA9.txt", "\"file\":\"\xC3\xA9t\xC3\xA9.txt\""},
        JsonCase{"StrayByteAndItsBytes", "a\xFF.txt",
                 "\"file\":\"a" REPLACEMENT ".txt\",\"fileBytes\":\"Yf8udHh0\""},
        JsonCase{"OtherStrayByteOtherBytes", "a\xFE.txt",
                 "\"file\":\"a" REPLACEMENT ".txt\",\"fileBytes\":\"Yf4udHh0\""},
        JsonCase{"OneBytePadsTwice", "\xFF", "\"file\":\"" REPLACEMENT "\",\"fileBytes\":\"/w==\""},
        JsonCase{"TwoBytesPadOnce", "\xFF\xFE",
                 "\"file\":\"" REPLACEMENT REPLACEMENT "\",\"fileBytes\":\"//4=\""}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vandrel
