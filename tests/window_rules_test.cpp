// The window's own text rules: the date-range file's quoted record, and a
// step that may throw.
#include <gtest/gtest.h>

#include <stdexcept>

#include "app/handlers/guarded_step.h"
#include "app/handlers/settings/quoted_writer.h"

namespace vandrel {
namespace {

TEST(QuotedWriter, QuotesEachItemAndEndsWithCrLf) {
    EXPECT_EQ(QuotedWriter::record({"1900-Jan-01", "1901-Jan-01"}),
              "\"1900-Jan-01\",\"1901-Jan-01\"\r\n");
    EXPECT_EQ(QuotedWriter::record({"", ""}), "\"\",\"\"\r\n");
    EXPECT_EQ(QuotedWriter::record({"a\"b", "c,d"}), "\"a\"b\",\"c,d\"\r\n");
}

TEST(GuardedStep, RunsTheRecoveryOnlyWhenTheStepFails) {
    std::string seen;
    EXPECT_TRUE(GuardedStep([] {}, [&](const std::string& why) { seen = why; }));
    EXPECT_EQ(seen, "");
    EXPECT_FALSE(GuardedStep([] { throw std::runtime_error("disk full"); },
                             [&](const std::string& why) { seen = why; }));
    EXPECT_EQ(seen, "disk full");
}

}  // namespace
}  // namespace vandrel
