// What a file says about itself (its header, units, centre and form), and
// the warnings and failures that follow from it.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scan/ephemeris_scanner.h"
#include "scan/header_reader.h"
#include "scan/presentation.h"
#include "tests/test_files.h"
#include "tests/test_rows.h"

namespace vandrel {
namespace {

using testing::record;

ScanSettings bothExtremes() {
    ScanSettings settings;
    settings.trackMinimum = true;
    settings.trackMaximum = true;
    return settings;
}

ScanOutcome scanText(const std::string& text, const ScanSettings& settings = bothExtremes()) {
    MemorySource source(text);
    ScanObserver observer;
    return EphemerisScanner().scan(source, settings, observer);
}

ScanResult resultOf(const std::string& text, const ScanSettings& settings = bothExtremes()) {
    const ScanOutcome outcome = scanText(text, settings);
    if (const auto* failure = std::get_if<ScanFailure>(&outcome)) {
        ADD_FAILURE() << "scan failed: " << failure->message;
        return {};
    }
    return std::get<ScanResult>(outcome);
}

std::vector<std::string> messagesOf(const ScanResult& result) {
    std::vector<std::string> messages;
    for (const ScanWarning& warning : result.warnings) {
        messages.push_back(warning.message);
    }
    return messages;
}

// ---- the header

EphemerisHeader headerOf(const std::string& lines) {
    MemorySource source(lines);
    FieldReader reader(source, 128);
    HeaderReader header;
    Field field;
    while (reader.next(field)) {
        header.take(field);
    }
    return header.finish();
}

struct HeaderCase {
    const char* name;
    std::string lines;
    EphemerisHeader expected;
};

class HeaderLines : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(HeaderLines, SayWhatTheRecordsAre) {
    const EphemerisHeader header = headerOf(GetParam().lines);
    const EphemerisHeader& expected = GetParam().expected;
    EXPECT_EQ(header.target, expected.target);
    EXPECT_EQ(header.centre, expected.centre);
    EXPECT_EQ(header.units, expected.units);
    EXPECT_EQ(header.outputFormat, expected.outputFormat);
    EXPECT_EQ(header.timeScale, expected.timeScale);
    EXPECT_EQ(header.csv, expected.csv);
}

const std::string kNewHeader =
    "Target body name: Earth (399)                     {source: DE431mx}\r\n"
    "Center body name: Solar System Barycenter (0)     {source: DE431mx}\r\n"
    "Center-site name: BODY CENTER\r\n"
    "Center geodetic : 0.00000000,0.00000000,0.0000000 {E-lon(deg),Lat(deg),Alt(km)}\r\n"
    "Output units    : AU-D\r\n"
    "Output type     : GEOMETRIC cartesian states\r\n"
    "Output format   : 3 (position, velocity, LT, range, range-rate)\r\n";
const std::string kCsvNames =
    "            JDTDB,            Calendar Date (TDB),                      X,      "
    "                RG,                     RR,\n";

INSTANTIATE_TEST_SUITE_P(
    Forms, HeaderLines,
    ::testing::Values(
        HeaderCase{
            "NewHeader", kNewHeader,
            EphemerisHeader{"Earth (399)", "Solar System Barycenter (0)", "AU-D", 3, "", false}},
        HeaderCase{"OldHeaderPadsItsUnits",
                   "Target body name: Jupiter (599)                   {source: jup341}\n"
                   "Center body name: Sun (10)                        {source: DE431mx}\n"
                   "Output units    : KM-S                                                  \n"
                   "Output format   : 2 (position and velocity)\n",
                   EphemerisHeader{"Jupiter (599)", "Sun (10)", "KM-S", 2, "", false}},
        HeaderCase{"NameWithoutSourceNote", "Target body name: 1P/Halley\n",
                   EphemerisHeader{"1P/Halley", "", "", 0, "", false}},
        HeaderCase{"LabelsOnlyAtTheStartOfALine",
                   "note, Target body name: Mars (499)\n"
                   "  Center body name: Sun (10)\n"
                   "Output units: AU-D\n",
                   EphemerisHeader{"", "Sun (10)", "", 0, "", false}},
        HeaderCase{"LongNamesAreCut",
                   "Target body name: " + std::string(100, 'n') + " {source: x}\n",
                   EphemerisHeader{std::string(80, 'n'), "", "", 0, "", false}},
        HeaderCase{"LongUnitsAreCutAfterTheirBlanks",
                   "Output units    :   " + std::string(100, 'u') + "\n",
                   EphemerisHeader{"", "", std::string(80, 'u'), 0, "", false}},
        HeaderCase{"NoHeaderAtAll", "", EphemerisHeader{}},
        HeaderCase{
            "CsvColumnNames", kNewHeader + kCsvNames + "****\n",
            EphemerisHeader{"Earth (399)", "Solar System Barycenter (0)", "AU-D", 3, "TDB", true}},
        HeaderCase{"CsvInUniversalTime", "JDUT, Calendar Date (UT), delta-T, X, Y, Z, RG, RR,\n",
                   EphemerisHeader{"", "", "", 0, "UT", true}},
        HeaderCase{"PositionColumnsWithoutRangeAreCsvForm",
                   "JDTDB, Calendar Date (TDB), X, Y, Z, VX, VY, VZ,\n",
                   EphemerisHeader{"", "", "", 0, "TDB", true}},
        HeaderCase{"VelocityColumnsWithoutRangeAreNoCsvForm",
                   "JDTDB, Calendar Date (TDB), VX, VY, VZ,\n", EphemerisHeader{}},
        HeaderCase{"ColumnNamesMustBeWholeItems", "JDTDB Calendar Date (TDB) RG,\n",
                   EphemerisHeader{}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HeaderReader, FindsCsvColumnsByTheirNames) {
    MemorySource source("RR, Calendar Date (CT), x, RG, JDCT,\n");
    FieldReader reader(source, 128);
    HeaderReader header;
    Field field;
    while (reader.next(field)) {
        header.take(field);
    }
    EXPECT_EQ(header.finish().timeScale, "CT");
    EXPECT_EQ(header.columns().rangeRate, 0u);
    EXPECT_EQ(header.columns().calendarDate, 1u);
    EXPECT_EQ(header.columns().range, 3u);
    EXPECT_EQ(header.columns().julianDay, 4u);
}

// ---- warnings and failures

const std::string kSunCentre =
    "Center body name: Sun (10)                        {source: DE431mx}\n";
const std::string kThreeDays = record("2020-Jan-01", "9.836868025025924E-01") +
                               record("2020-Jan-02", "9.800000000000000E-01") +
                               record("2020-Jan-03", "9.900000000000000E-01");

struct WarningCase {
    const char* name;
    std::string text;
    ScanSettings settings;
    std::vector<std::string> warnings;
};

ScanSettings withDates(bool startOn, const char* start, bool endOn, const char* end) {
    ScanSettings settings = bothExtremes();
    settings.startFilterOn = startOn;
    settings.startDateText = start;
    settings.endStopOn = endOn;
    settings.endDateText = end;
    return settings;
}

class ScanWarnings : public ::testing::TestWithParam<WarningCase> {};

TEST_P(ScanWarnings, AreGivenInTheOrderMet) {
    EXPECT_EQ(messagesOf(resultOf(GetParam().text, GetParam().settings)), GetParam().warnings);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ScanWarnings,
    ::testing::Values(
        WarningCase{"SunCentredFileHasNone",
                    kSunCentre + "$$SOE\n" + kThreeDays + "$$EOE\n",
                    bothExtremes(),
                    {}},
        WarningCase{
            "FileWithoutHeaderHasNone", "$$SOE\n" + kThreeDays + "$$EOE\n", bothExtremes(), {}},
        WarningCase{
            "OtherCentre",
            "Center body name: Earth (399)  {source: DE441}\n$$SOE\n" + kThreeDays + "$$EOE\n",
            bothExtremes(),
            {"Distances in this file are from Earth (399), not from the Sun, so they are "
             "not perihelion and aphelion. In Horizons, set the coordinate centre to the "
             "Sun (@sun) and save the file again."}},
        WarningCase{"UnknownUnits",
                    kSunCentre + "Output units    : AU-S\n$$SOE\n" + kThreeDays + "$$EOE\n",
                    bothExtremes(),
                    {"Unknown distance units AU-S: the distances are read as AU."}},
        WarningCase{"EndDateNeverMet",
                    "$$SOE\n" + kThreeDays + "$$EOE\n",
                    withDates(false, "", true, "2021-Jan-01"),
                    {"No record is dated 2021-Jan-01: the scan ran to the last record."}},
        WarningCase{"EndDateMetHasNone",
                    "$$SOE\n" + kThreeDays + "$$EOE\n",
                    withDates(false, "", true, "2020-Jan-02"),
                    {}},
        WarningCase{"StartDateAfterEveryRecord",
                    "$$SOE\n" + kThreeDays + "$$EOE\n",
                    withDates(true, "2020-Feb-01", false, ""),
                    {"No record is dated on or after 2020-Feb-01."}},
        WarningCase{"EveryOneInItsOrder",
                    "Center body name: Mars (499)\nOutput units    : parsecs\n$$SOE\n" + kThreeDays,
                    withDates(true, "2020-Feb-01", true, "2020-Feb-02"),
                    {"Distances in this file are from Mars (499), not from the Sun, so they are "
                     "not perihelion and aphelion. In Horizons, set the coordinate centre to the "
                     "Sun (@sun) and save the file again.",
                     "Unknown distance units parsecs: the distances are read as AU.",
                     "The file ends before $$EOE: it may have been cut short. The results cover "
                     "the records read.",
                     "No record is dated on or after 2020-Feb-01.",
                     "No record is dated 2020-Feb-02: the scan ran to the last record."}}),
    [](const auto& info) { return std::string(info.param.name); });

struct FailureCase {
    const char* name;
    std::string text;
    ScanSettings settings;
    ScanFailureKind kind;
};

class UnfitFiles : public ::testing::TestWithParam<FailureCase> {};

TEST_P(UnfitFiles, SayWhatKindOfFileIsNeeded) {
    const ScanOutcome outcome = scanText(GetParam().text, GetParam().settings);
    ASSERT_TRUE(std::holds_alternative<ScanFailure>(outcome)) << "the scan did not fail";
    EXPECT_EQ(std::get<ScanFailure>(outcome).kind, GetParam().kind);
}

const std::string kDatesOnly =
    "$$SOE\n2458849.500000000 = A.D. 2020-Jan-01 00:00:00.0000 TDB\n"
    " VX=-1.752200603881933E-01 VY= 9.675633320786794E-01 VZ=-3.799746898985921E-05\n"
    "2458850.500000000 = A.D. 2020-Jan-02 00:00:00.0000 TDB\n";

INSTANTIATE_TEST_SUITE_P(
    Files, UnfitFiles,
    ::testing::Values(
        FailureCase{"DatesWithoutDistances", kDatesOnly + "$$EOE\n", bothExtremes(),
                    ScanFailureKind::NoDistances},
        FailureCase{"DatesWithoutDistancesCutShort", kDatesOnly, bothExtremes(),
                    ScanFailureKind::NoDistances},
        FailureCase{"DatesWithoutDistancesAllSkipped", kDatesOnly + "$$EOE\n",
                    withDates(true, "2021-Jan-01", false, ""), ScanFailureKind::NoDistances},
        FailureCase{"ObserverRows",
                    "$$SOE\n 2023-Feb-26 00:00     34.3203566583959  14.7842897  179.7548\n$$EOE\n",
                    bothExtremes(), ScanFailureKind::NoRecords},
        FailureCase{"DistancesWithoutDates",
                    "$$SOE\n LT= 5.680996067794166E-03 RG= 9.836868025025924E-01 "
                    "RR=-1.730156260918764E-07\n$$EOE\n",
                    bothExtremes(), ScanFailureKind::NoRecords}),
    [](const auto& info) { return std::string(info.param.name); });

struct QuietCase {
    const char* name;
    std::string text;
    ScanSettings settings;
    std::int32_t datedCount;
};

class NoFailureWithoutRecords : public ::testing::TestWithParam<QuietCase> {};

TEST_P(NoFailureWithoutRecords, EndsWithoutADistance) {
    const ScanResult result = resultOf(GetParam().text, GetParam().settings);
    EXPECT_EQ(result.datedCount, GetParam().datedCount);
    EXPECT_EQ(result.minimum.item, 0);
    EXPECT_EQ(result.maximum.item, 0);
    EXPECT_TRUE(result.warnings.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Files, NoFailureWithoutRecords,
    ::testing::Values(QuietCase{"EmptyEndDateStopsAtTheStartMarker",
                                "$$SOE\n" + kDatesOnly + "$$EOE\n", withDates(false, "", true, "")},
                      QuietCase{"NothingBetweenTheMarkers", "$$SOE\n\n  \n$$EOE\n", bothExtremes()},
                      QuietCase{"EndDateStopsBeforeAnyDistance", kDatesOnly + "$$EOE\n",
                                withDates(false, "", true, "2020-Jan-01"), 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ScanWarnings, StartFilterSkippingEveryDistanceStillWarnsOfTheStartDate) {
    const ScanResult result =
        resultOf("$$SOE\n" + kThreeDays + "$$EOE\n", withDates(true, "2020-Jan-04", false, ""));
    EXPECT_EQ(result.datedCount, 0);
    EXPECT_EQ(messagesOf(result),
              std::vector<std::string>{"No record is dated on or after 2020-Jan-04."});
}

// ---- units

struct UnitCase {
    const char* name;
    const char* units;
    const char* rg;
    const char* au;
    const char* km;
};

class DistanceUnits : public ::testing::TestWithParam<UnitCase> {};

TEST_P(DistanceUnits, GiveAuAndKm) {
    const std::string text = kSunCentre + "Output units    : " + GetParam().units + "\n$$SOE\n" +
                             record("2020-Jan-01", GetParam().rg) + "$$EOE\n";
    const ScanResult result = resultOf(text);
    const ExtremeTexts texts = presentExtreme(result.minimum, Extreme::Least);
    EXPECT_EQ(texts.au, GetParam().au);
    EXPECT_EQ(texts.km, GetParam().km);
    EXPECT_TRUE(result.warnings.empty());
}

INSTANTIATE_TEST_SUITE_P(Units, DistanceUnits,
                         ::testing::Values(UnitCase{"AuPerDay", "AU-D", "9.836868025025924E-01",
                                                    "0.983686802502592", "147157451.090079"},
                                           UnitCase{"KmPerSecond", "KM-S", "1.498292059444368E+08",
                                                    "1.00154638059589", "149829205.944437"},
                                           UnitCase{"KmPerDay", "KM-D", "1.471574510900792E+08",
                                                    "0.983686802502592", "147157451.090079"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DistanceUnits, KmFilesCompareTheKmAsWritten) {
    // Two km values a hair apart give the same AU; the smaller one still wins.
    const std::string text = kSunCentre + "Output units    : KM-S\n$$SOE\n" +
                             record("2020-Jan-01", "1.498292059444368E+08") +
                             record("2020-Jan-02", "1.498292059444367E+08") + "$$EOE\n";
    const ScanResult result = resultOf(text);
    EXPECT_EQ(result.minimum.item, 2);
    EXPECT_EQ(result.maximum.item, 1);
}

// ---- the CSV form

struct FormCase {
    const char* name;
    std::vector<std::string> options;
    ScanSettings settings;
};

class CsvForm : public ::testing::TestWithParam<FormCase> {};

std::vector<std::string> allTexts(const ScanResult& result) {
    const ExtremeTexts least = presentExtreme(result.minimum, Extreme::Least);
    const ExtremeTexts most = presentExtreme(result.maximum, Extreme::Most);
    std::vector<std::string> texts{std::to_string(result.datedCount)};
    for (const ExtremeTexts* extreme : {&least, &most}) {
        texts.insert(texts.end(), {extreme->item, extreme->dateText, extreme->au, extreme->km,
                                   extreme->summary});
    }
    const auto warnings = messagesOf(result);
    texts.insert(texts.end(), warnings.begin(), warnings.end());
    return texts;
}

TEST_P(CsvForm, GivesTheTextsOfThePlainTable) {
    std::vector<std::string> options = GetParam().options;
    const ScanResult plain = resultOf(testing::generateEphemeris(options), GetParam().settings);
    options.push_back("--csv");
    const ScanResult csv = resultOf(testing::generateEphemeris(options), GetParam().settings);
    EXPECT_TRUE(csv.header.csv);
    EXPECT_FALSE(plain.header.csv);
    EXPECT_EQ(csv.header.timeScale, "TDB");
    EXPECT_EQ(plain.header.timeScale, "TDB");
    EXPECT_EQ(allTexts(csv), allTexts(plain));
    EXPECT_GT(plain.datedCount, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Orbits, CsvForm,
    ::testing::Values(FormCase{"YearOfDays", {"--records", "366"}, bothExtremes()},
                      FormCase{"KmPerSecondCrLf",
                               {"--records", "400", "--units", "KM-S", "--crlf"},
                               bothExtremes()},
                      FormCase{"FromTheBarycentre",
                               {"--records", "40", "--center", "Solar System Barycenter (0)"},
                               bothExtremes()},
                      FormCase{"CutShort", {"--records", "50", "--no-end-marker"}, bothExtremes()},
                      FormCase{"StartAndEndDates",
                               {"--records", "366"},
                               withDates(true, "2020-Mar-01", true, "2020-Oct-01")},
                      FormCase{"EndDateNeverMet",
                               {"--records", "30"},
                               withDates(false, "", true, "2021-Jan-01")}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CsvForm, RangeThatIsNoNumberReadsZero) {
    const std::string text =
        "JDTDB, Calendar Date (TDB), RG, RR,\n$$SOE\n"
        "2455197.5, A.D. 2010-Jan-01 00:00:00.0000, 9.833029493991273E-01, -1.3E-05,\n"
        "2455198.5, A.D. 2010-Jan-02 00:00:00.0000, n.a., -1.3E-05,\n"
        "2455199.5, A.D. 2010-Jan-03 00:00:00.0000, 9.9E-01, -1.3E-05,\n$$EOE\n";
    const ScanResult result = resultOf(text);
    EXPECT_EQ(result.datedCount, 3);
    EXPECT_EQ(result.minimum.item, 2);
    EXPECT_EQ(result.minimum.au, 0);
    EXPECT_EQ(result.minimum.dateText, "2010-Jan-02 00:00:00.0000");
    EXPECT_EQ(result.maximum.item, 3);
}

TEST(CsvForm, ColumnsAreFoundByNameWhereverTheyStand) {
    const std::string text =
        "RG, delta-T, JDUT, Calendar Date (UT),\n$$SOE\n"
        "9.9E-01, 69.2, 2455197.5, A.D. 2010-Jan-01 00:00:00.0000,\n"
        "9.8E-01, 69.2, 2455198.5, A.D. 2010-Jan-02 12:00:00.0000,\n$$EOE\n";
    const ScanResult result = resultOf(text);
    EXPECT_EQ(result.header.timeScale, "UT");
    EXPECT_EQ(result.datedCount, 2);
    // Each line is one record, whatever the order of its columns.
    EXPECT_EQ(result.maximum.item, 1);
    EXPECT_EQ(result.maximum.au, 0.99);
    EXPECT_EQ(result.maximum.dateText, "2010-Jan-01 00:00:00.0000");
    EXPECT_EQ(result.minimum.item, 2);
    EXPECT_EQ(result.minimum.dateText, "2010-Jan-02 12:00:00.0000");
}

}  // namespace
}  // namespace vandrel
