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

TEST_P(JsonStrings, AreValidJsonThatKeepEveryByte) {
    EXPECT_EQ(jsonString(GetParam().bytes), GetParam().json);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, JsonStrings,
    ::testing::Values(
        JsonCase{"Plain", "2020-Jan-01 00:00", "\"2020-Jan-01 00:00\""},
        JsonCase{"Empty", "", "\"\""}, JsonCase{"QuoteAndBackslash", "a\"b\\c", "\"a\\\"b\\\\c\""},
        JsonCase{"ControlCharacters", std::string("\n\r\t\x01\0", 5),
                 "\"\\n\\r\\t\\u0001\\u0000\""},
        JsonCase{"ValidUtf8PassesAsItIs", "\xC3\xA9t\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x8C\x9E",
                 "\"\xC3\xA9t\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x8C\x9E\""},
        JsonCase{"LoneLatin1Byte", "\xE9t\xE9", "\"\\u00e9t\\u00e9\""},
        JsonCase{"CutSequence", "\xE2\x82", "\"\\u00e2\\u0082\""},
        JsonCase{"OverlongSequence", "\xC0\xAF", "\"\\u00c0\\u00af\""},
        JsonCase{"Surrogate", "\xED\xA0\x80", "\"\\u00ed\\u00a0\\u0080\""},
        JsonCase{"BeyondUnicode", "\xF4\x90\x80\x80", "\"\\u00f4\\u0090\\u0080\\u0080\""}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vandrel
