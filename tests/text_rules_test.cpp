#include <gtest/gtest.h>

#include "text/text_slice.h"

namespace vandrel {
namespace {

TEST(TextSlice, CountsFromOneAndYieldsWhatIsThere) {
    EXPECT_EQ(TextSlice("2458849.500000000 = A.D. 2020", 19, 6), "= A.D.");
    EXPECT_EQ(TextSlice("abc", 2, 10), "bc");
    EXPECT_EQ(TextSlice("abc", 4, 1), "");
    EXPECT_EQ(TextSlice("abc", 0, 2), "");
    EXPECT_EQ(TextFirst("2020-Jan-01 00:00", 11), "2020-Jan-01");
    EXPECT_EQ(TextFirst("2020", 11), "2020");
    EXPECT_EQ(TextLast("DATA.TXT", 3), "TXT");
    EXPECT_EQ(TextLast("tx", 3), "tx");
}

TEST(TextEquals, IsExactAndCaseSensitive) {
    EXPECT_TRUE(TextEquals("2020-Jan-03", "2020-Jan-03"));
    EXPECT_FALSE(TextEquals("2020-jan-03", "2020-Jan-03"));
    EXPECT_FALSE(TextEquals("2020-Jan-3", "2020-Jan-03"));
}

}  // namespace
}  // namespace vandrel
