#include "cli/scan_command.h"

#include <gtest/gtest.h>

#include <sstream>

#include "cli/json_text.h"
#include "tests/test_files.h"
#include "tests/test_rows.h"

namespace vandrel {
namespace {

using testing::record;

struct CommandRun {
    int status;
    std::string out;
    std::string err;
};

CommandRun run(const std::vector<std::string>& arguments) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = runScanCommand(arguments, stdin, out, err);
    return {status, out.str(), err.str()};
}

// The sentences of a span without a passage, as JSON texts.
const std::string kNoPericentreBefore =
    "\"No pericentre in this file's span: the least distance is at its first record, so the "
    "pericentre lies before the span.\"";
const std::string kNoPerihelionBefore =
    "\"No perihelion in this file's span: the least distance is at its first record, so the "
    "perihelion lies before the span.\"";
// A table of ranges alone cannot tell whether the orbit returns the body.
const std::string kNoAphelionAfter =
    "\"No aphelion in this file's span: the greatest distance is at its last record, so the "
    "aphelion lies after the span, if the orbit is closed (no velocity about the Sun was read to "
    "tell).\"";

class ScanCommand : public ::testing::Test {
  protected:
    testing::TemporaryFolder folder;
    const std::string table = folder.write(
        "table.txt", "header\n$$SOE\n" + record("2020-Jan-01", "9.836868025025924E-01") +
                         record("2020-Jan-02", "1.016700000000000E+00") + "$$EOE\n");
};

TEST_F(ScanCommand, JsonShowsTheWindowsTextsOnOneLine) {
    const CommandRun result = run({"--json", table});
    EXPECT_EQ(result.status, kExitOk);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.out, "{\"file\":\"" + table +
                              "\",\"datedCount\":2,"
                              "\"minimum\":{\"item\":1,\"dateText\":\"2020-Jan-01 00:00:00.0000\","
                              "\"au\":\"0.983686802502592\",\"km\":\"147157451.090079\","
                              "\"summary\":\" 147157451  km    min    on    2020-Jan-01\","
                              "\"true\":null},"
                              "\"maximum\":{\"item\":2,\"dateText\":\"2020-Jan-02 00:00:00.0000\","
                              "\"au\":\"1.0167\",\"km\":\"152096155.14069\","
                              "\"summary\":\" 152096155  km    max    on    2020-Jan-02\","
                              "\"true\":null},\"warnings\":[" +
                              kNoPerihelionBefore + "," + kNoAphelionAfter + "]}\n");
}

TEST_F(ScanCommand, PlainOutputShowsTheSameTexts) {
    const CommandRun result = run({table});
    EXPECT_EQ(result.status, kExitOk);
    EXPECT_EQ(result.out,
              table +
                  "\n  records  2\n"
                  "  least    item 1   2020-Jan-01 00:00:00.0000   0.983686802502592 AU"
                  "   147157451.090079 km\n"
                  "          147157451  km    min    on    2020-Jan-01\n"
                  "         No perihelion in this file's span: the least distance is "
                  "at its first record, so the perihelion lies before the span.\n"
                  "  most     item 2   2020-Jan-02 00:00:00.0000   1.0167 AU"
                  "   152096155.14069 km\n"
                  "          152096155  km    max    on    2020-Jan-02\n"
                  "         No aphelion in this file's span: the greatest distance is at "
                  "its last record, so the aphelion lies after the span, if the orbit is closed "
                  "(no velocity about the Sun was read to tell).\n");
}

struct ChoiceCase {
    const char* name;
    std::vector<std::string> options;
    bool minimum;
    bool maximum;
};

class ScanCommandChoice : public ScanCommand, public ::testing::WithParamInterface<ChoiceCase> {};

TEST_P(ScanCommandChoice, ShowsOnlyTheTrackedExtremes) {
    std::vector<std::string> arguments = GetParam().options;
    arguments.push_back("--json");
    arguments.push_back(table);
    const CommandRun result = run(arguments);
    EXPECT_EQ(result.out.find("\"minimum\"") != std::string::npos, GetParam().minimum);
    EXPECT_EQ(result.out.find("\"maximum\"") != std::string::npos, GetParam().maximum);
}

INSTANTIATE_TEST_SUITE_P(Options, ScanCommandChoice,
                         ::testing::Values(ChoiceCase{"Default", {}, true, true},
                                           ChoiceCase{"Least", {"--least"}, true, false},
                                           ChoiceCase{"Most", {"--most"}, false, true},
                                           ChoiceCase{"Both", {"--most", "--least"}, true, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ScanCommand, StartAndEndDatesFilterTheRecords) {
    EXPECT_NE(run({"--json", "--start", "2020-Jan-02", table}).out.find("\"datedCount\":1"),
              std::string::npos);
    EXPECT_NE(run({"--json", "--end=2020-Jan-01", table}).out.find("\"datedCount\":1"),
              std::string::npos);
}

TEST_F(ScanCommand, WarningsGoToStandardErrorAndIntoTheJson) {
    const std::string cut = folder.write("cut.txt",
                                         "Target body name: Mars (499)  {source: mar097}\n"
                                         "Center body name: Earth (399) {source: DE441}\n$$SOE\n" +
                                             record("2020-Jan-01", "9.836868025025924E-01"));
    const CommandRun result = run({"--json", "--least", "--end", "2020-Jan-09", cut});
    EXPECT_EQ(result.status, kExitOk);
    const std::string centre =
        "Distances in this file are from Earth (399), not from the Sun, so they are not "
        "perihelion and aphelion. In Horizons, set the coordinate centre to the Sun (@sun) and "
        "save the file again.";
    const std::string cutShort =
        "The file ends before $$EOE: it may have been cut short. The results cover the records "
        "read.";
    const std::string endDate = "No record is dated 2020-Jan-09: the scan ran to the last record.";
    EXPECT_EQ(result.out,
              "{\"file\":\"" + cut +
                  "\",\"datedCount\":1,\"minimum\":{\"item\":1,\"dateText\":\"2020-Jan-01 "
                  "00:00:00.0000\",\"au\":\"0.983686802502592\",\"km\":\"147157451.090079\","
                  "\"summary\":\" 147157451  km    min    on    2020-Jan-01\",\"true\":null},"
                  "\"target\":\"Mars (499)\",\"center\":\"Earth (399)\",\"warnings\":[\"" +
                  centre + "\",\"" + cutShort + "\",\"" + endDate + "\"," + kNoPericentreBefore +
                  "]}\n");
    const std::string prefix = "vandrel-scan: " + cut + ": ";
    EXPECT_EQ(result.err,
              prefix + centre + "\n" + prefix + cutShort + "\n" + prefix + endDate + "\n");
    EXPECT_EQ(run({"--json", table}).err, "");
}

TEST_F(ScanCommand, EveryFileIsScannedAndTheWorstStatusWins) {
    const std::string missing = (folder.path() / "missing.txt").string();
    const std::string noRecords = folder.write("none.txt", "just a header\n");
    const CommandRun result = run({"--json", missing, table, noRecords});
    EXPECT_EQ(result.status, kExitScanFailed);
    EXPECT_EQ(result.err, "vandrel-scan: " + missing +
                              ": cannot open: No such file or directory\n"
                              "vandrel-scan: " +
                              noRecords +
                              ": This file holds no ephemeris records: no line reads $$SOE.\n");
    EXPECT_NE(result.out.find("\"datedCount\":2"), std::string::npos);
    EXPECT_EQ(run({missing, table}).status, kExitCannotOpen);
}

TEST_F(ScanCommand, JsonKeepsTheBytesOfAFileNameThatIsNotUtf8) {
    const std::string latin1 = folder.write("caf\xE9.txt", testing::readWholeFile(table));
    const CommandRun result = run({"--json", latin1});
    const std::string folderName = folder.path().string();
    EXPECT_TRUE(result.out.starts_with("{\"file\":\"" + folderName +
                                       "/caf\xEF\xBF\xBD.txt\","
                                       "\"fileBytes\":\"" +
                                       base64(latin1) + "\",\"datedCount\":2,"))
        << result.out;
}

// A disk that is full from the first byte on.
class RefusingBuffer final : public std::streambuf {
  protected:
    int_type overflow(int_type) override { return traits_type::eof(); }
};

TEST_F(ScanCommand, ResultsThatCannotBeWrittenGiveTheirOwnStatus) {
    RefusingBuffer full;
    std::ostream out(&full);
    std::ostringstream err;
    EXPECT_EQ(runScanCommand({table, table}, stdin, out, err), kExitWriteFailed);
    EXPECT_EQ(err.str(), "vandrel-scan: cannot write the results to standard output\n");
    const auto program = testing::runCommand("{ " + std::string(VANDREL_SCAN_PROGRAM) + " " +
                                             table + " >/dev/full; }");
    EXPECT_EQ(program.status, kExitWriteFailed);
    EXPECT_EQ(program.err, "vandrel-scan: cannot write the results to standard output\n");
}

struct UsageCase {
    const char* name;
    std::vector<std::string> arguments;
    int status;
    const char* shows;
};

class ScanCommandUsage : public ::testing::TestWithParam<UsageCase> {};

TEST_P(ScanCommandUsage, AnswersWithTheRightStatus) {
    const CommandRun result = run(GetParam().arguments);
    EXPECT_EQ(result.status, GetParam().status);
    EXPECT_NE((result.out + result.err).find(GetParam().shows), std::string::npos)
        << result.out << result.err;
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, ScanCommandUsage,
    ::testing::Values(
        UsageCase{"NoFile", {}, kExitUsage, "no file given"},
        UsageCase{"UnknownOption", {"--fast", "x"}, kExitUsage, "unknown option --fast"},
        UsageCase{"StartWithoutDate", {"x", "--start"}, kExitUsage, "needs a date"},
        UsageCase{"Help", {"--help"}, kExitOk, "usage: vandrel-scan"},
        UsageCase{"Version", {"--version"}, kExitOk, "vandrel-scan 1."},
        UsageCase{"BadStartDateBeforeAnyFile",
                  {"missing-file", "--start", "soon"},
                  kExitUsage,
                  "vandrel-scan: Start date not understood: soon. Write it like "
                  "1900-Jan-01.\nusage:"},
        UsageCase{"EmptyStartDate", {"--start=", "x"}, kExitUsage, "not an empty text"},
        UsageCase{"EmptyEndDate", {"--end", "", "x"}, kExitUsage, "not an empty text"},
        UsageCase{"EndThatIsNoDate",
                  {"x", "--end=soon"},
                  kExitUsage,
                  "vandrel-scan: End date not understood: soon. Write it like 1900-Jan-01.\n"
                  "usage:"},
        UsageCase{"ShortHelp", {"-h"}, kExitOk, "  -h, --help         show this help\n"},
        UsageCase{"ShortVersion", {"-V"}, kExitOk, "vandrel-scan 1."},
        UsageCase{"FlagWithValue", {"--json=yes", "x"}, kExitUsage, "--json takes no value"},
        UsageCase{"EmptySunFile",
                  {"--sun=", "x"},
                  kExitUsage,
                  "--sun needs the Sun's vector table, such as sun.txt"},
        UsageCase{"StandardInputTwice",
                  {"-", "x", "-"},
                  kExitUsage,
                  "vandrel-scan: - is given twice, but standard input can be read only once\n"
                  "usage:"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ScanProgram, ReadsStandardInputForADash) {
    const std::string table =
        "$$SOE\r\n" + record("2020-Jan-01", "9.836868025025924E-01") + "$$EOE\r\n";
    const auto output =
        testing::runCommand(std::string(VANDREL_SCAN_PROGRAM) + " --json --least -", table);
    EXPECT_EQ(output.status, 0) << output.err;
    EXPECT_EQ(output.out,
              "{\"file\":\"-\",\"datedCount\":1,\"minimum\":{\"item\":1,\"dateText\":"
              "\"2020-Jan-01 00:00:00.0000\",\"au\":\"0.983686802502592\",\"km\":"
              "\"147157451.090079\",\"summary\":\" 147157451  km    min    on    2020-Jan-01\","
              "\"true\":null},\"warnings\":[" +
                  kNoPerihelionBefore + "]}\n");
}

TEST(ScanProgram, ScansTheProjectsExampleFile) {
    const auto output =
        testing::runCommand(std::string(VANDREL_SCAN_PROGRAM) + " --json " + VANDREL_EXAMPLE_FILE);
    EXPECT_EQ(output.status, 0) << output.err;
    EXPECT_NE(output.out.find("\"datedCount\":366"), std::string::npos) << output.out;
    EXPECT_NE(output.out.find("min    on    2020-Jan-03"), std::string::npos) << output.out;
}

}  // namespace
}  // namespace vandrel
