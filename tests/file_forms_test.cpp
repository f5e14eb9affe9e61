// Every form of vector table that holds a distance from the centre gives the
// same answers as the table with ranges (output format 3), and damaged files
// say what is wrong with them.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "scan/ephemeris_scanner.h"
#include "scan/presentation.h"
#include "tests/passage_recorder.h"
#include "tests/test_files.h"
#include "tests/test_rows.h"

namespace vandrel {
namespace {

using testing::PassageRecorder;

struct Scan {
    ScanOutcome outcome;
    std::vector<TruePassage> passages;
};

Scan scanText(const std::string& text) {
    MemorySource source(text);
    PassageRecorder recorder;
    ScanSettings settings;
    settings.trackMinimum = true;
    settings.trackMaximum = true;
    ScanOutcome outcome = EphemerisScanner().scan(source, settings, recorder);
    return {std::move(outcome), recorder.passages};
}

struct FormCase {
    const char* name;
    std::vector<std::string> options;
    double mostDaysApart;  // between a passage and format 3's
};

class FileForms : public ::testing::TestWithParam<FormCase> {};

// Two years of daily records of the Earth-like orbit, in km/s, plain or CSV.
TEST_P(FileForms, GiveTheRecordsAndPassagesOfTheTableWithRanges) {
    std::vector<std::string> options{"--records", "800", "--units", "KM-S"};
    const Scan ranges = scanText(testing::generateEphemeris(options));
    options.insert(options.end(), GetParam().options.begin(), GetParam().options.end());
    const Scan form = scanText(testing::generateEphemeris(options));
    const auto* expected = std::get_if<ScanResult>(&ranges.outcome);
    const auto* result = std::get_if<ScanResult>(&form.outcome);
    ASSERT_TRUE(expected && result);
    for (const Extreme which : {Extreme::Least, Extreme::Most}) {
        const auto& record = which == Extreme::Least ? result->minimum : result->maximum;
        const auto& wanted = which == Extreme::Least ? expected->minimum : expected->maximum;
        const ExtremeTexts texts = presentExtreme(record, which);
        EXPECT_EQ(texts.item, presentExtreme(wanted, which).item);
        EXPECT_EQ(texts.summary, presentExtreme(wanted, which).summary);
        // |r| of a position written to 16 digits: the range to 1e-15.
        EXPECT_NEAR(record.au, wanted.au, 1e-15 * wanted.au);
    }
    EXPECT_TRUE(result->warnings.empty());
    ASSERT_EQ(form.passages.size(), ranges.passages.size());
    for (std::size_t i = 0; i < form.passages.size(); ++i) {
        EXPECT_EQ(form.passages[i].kind, ranges.passages[i].kind);
        EXPECT_NEAR(form.passages[i].julianDay, ranges.passages[i].julianDay,
                    GetParam().mostDaysApart);
        EXPECT_NEAR(form.passages[i].au, ranges.passages[i].au, 1e-9);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Formats, FileForms,
    ::testing::Values(
        // With a velocity the rate is r.v/|r|, and the passages are refined
        // as with RR; a position alone gives the parabola of three ranges.
        FormCase{"PositionAndVelocity", {"--format", "2"}, 1.0 / 86400},
        FormCase{"PositionAndVelocityInCsv", {"--format", "2", "--csv"}, 1.0 / 86400},
        FormCase{"PositionOnly", {"--format", "1"}, 60.0 / 86400},
        FormCase{"PositionOnlyInCsv", {"--format", "1", "--csv"}, 60.0 / 86400},
        FormCase{"PositionAndRanges", {"--format", "4"}, 1e-9},
        FormCase{"RangesOnly", {"--format", "6"}, 1e-9},
        FormCase{"RangesOnlyInCsv", {"--format", "6", "--csv"}, 1e-9},
        // Labels off: lines of numbers, placed by the legend above $$SOE.
        FormCase{"LabelsOff", {"--labels", "off"}, 1e-9},
        FormCase{"LabelsOffPositionAndVelocity", {"--labels", "off", "--format", "2"}, 1.0 / 86400},
        FormCase{"LabelsOffPositionOnly", {"--labels", "off", "--format", "1"}, 60.0 / 86400},
        FormCase{"LabelsOffRangesWithoutRate", {"--labels", "off", "--no-rate"}, 0.01}),
    [](const auto& info) { return std::string(info.param.name); });

// An observer table's r and rdot give the passages of the vector table of
// the same orbit, once the light time is taken off each instant; without
// the light time they come as late as it is, and a warning says so.
TEST(ObserverTables, GiveThePassagesLessTheLightTime) {
    const std::vector<std::string> mars{"--records", "1500",           "--semi-major-axis",
                                        "1.5237",    "--eccentricity", "0.0934"};
    const Scan vectors = scanText(testing::generateEphemeris(mars));
    std::vector<std::string> observer = mars;
    observer.push_back("--observer");
    const Scan seen = scanText(testing::generateEphemeris(observer));
    observer.push_back("--light-time");
    const Scan corrected = scanText(testing::generateEphemeris(observer));
    ASSERT_EQ(vectors.passages.size(), 5u);
    ASSERT_EQ(corrected.passages.size(), 5u);
    ASSERT_EQ(seen.passages.size(), 5u);
    for (std::size_t i = 0; i < vectors.passages.size(); ++i) {
        EXPECT_NEAR(corrected.passages[i].julianDay, vectors.passages[i].julianDay, 2.0 / 86400);
        EXPECT_NEAR(corrected.passages[i].au, vectors.passages[i].au, 1e-9);
        // Seen from an Earth 0.4 to 2.6 AU away: 3 to 22 minutes later.
        const double minutesLate =
            (seen.passages[i].julianDay - vectors.passages[i].julianDay) * 1440;
        EXPECT_GT(minutesLate, 3);
        EXPECT_LT(minutesLate, 22);
    }
    const auto& result = std::get<ScanResult>(corrected.outcome);
    EXPECT_EQ(result.header.centre, "Sun (10)");  // r is from the Sun, whoever observes
    EXPECT_EQ(result.header.timeScale, "UT");
    EXPECT_TRUE(result.warnings.empty());
    EXPECT_EQ(presentExtreme(result.minimum, Extreme::Least).dateText, "2020-Jan-03 00:00");
    const auto& late = std::get<ScanResult>(seen.outcome);
    ASSERT_EQ(late.warnings.size(), 1u);
    EXPECT_EQ(late.warnings[0].message,
              "Observer table: each instant is when the passage is seen from the observer, later "
              "than the passage itself by the light time. Add quantity 21 (light time) to the "
              "table to correct it.");
}

// In CSV form the columns are found by their names, one an item, after two
// flag columns without names.
TEST(ObserverTables, InCsvFormGiveTheSamePassages) {
    const std::vector<std::string> orbit{"--records", "800", "--observer", "--light-time"};
    const Scan plain = scanText(testing::generateEphemeris(orbit));
    std::vector<std::string> csv = orbit;
    csv.push_back("--csv");
    const Scan items = scanText(testing::generateEphemeris(csv));
    ASSERT_EQ(items.passages.size(), 5u);
    ASSERT_EQ(items.passages.size(), plain.passages.size());
    for (std::size_t i = 0; i < items.passages.size(); ++i) {
        EXPECT_EQ(items.passages[i].julianDay, plain.passages[i].julianDay);
        EXPECT_EQ(items.passages[i].au, plain.passages[i].au);
    }
    const auto& result = std::get<ScanResult>(items.outcome);
    EXPECT_EQ(result.datedCount, 800);
    EXPECT_TRUE(result.warnings.empty());
    EXPECT_EQ(presentExtreme(result.maximum, Extreme::Most).dateText, "2021-Jul-04 00:00");
}

struct DamagedCase {
    const char* name;
    std::string text;
    const char* failure;  // or empty for a result
    const char* warning;  // the result's last warning
};

class DamagedFiles : public ::testing::TestWithParam<DamagedCase> {};

TEST_P(DamagedFiles, SayWhatIsWrong) {
    const Scan scan = scanText(GetParam().text);
    if (*GetParam().failure != '\0') {
        ASSERT_TRUE(std::holds_alternative<ScanFailure>(scan.outcome));
        EXPECT_EQ(std::get<ScanFailure>(scan.outcome).message, GetParam().failure);
        return;
    }
    ASSERT_TRUE(std::holds_alternative<ScanResult>(scan.outcome))
        << std::get<ScanFailure>(scan.outcome).message;
    const auto& result = std::get<ScanResult>(scan.outcome);
    EXPECT_EQ(result.datedCount, 0);
    EXPECT_EQ(result.header.target, "Earth (399)");
    EXPECT_EQ(result.header.centre, "Sun (10)");
    EXPECT_EQ(result.header.units, "AU-D");
    ASSERT_FALSE(result.warnings.empty());
    EXPECT_EQ(result.warnings.back().message, GetParam().warning);
}

const std::string kHeader =
    "Target body name: Earth (399)\nCenter body name: Sun (10)\nOutput units    : AU-D\n";
const std::string kRecord = testing::record("2020-Jan-01", "9.836868025025924E-01");
const std::string kCsvNames = "JDTDB, Calendar Date (TDB), RG, RR,\n$$SOE\n";
const std::string kUnlabelledDate = "2459721.500000000 = A.D. 2022-May-22 00:00:00.0000 TDB\n";

INSTANTIATE_TEST_SUITE_P(
    Files, DamagedFiles,
    ::testing::Values(
        DamagedCase{"EndMarkerBeforeTheStartMarker",
                    kHeader + "$$EOE\n$$SOE\n" + kRecord + "$$EOE\n", "",
                    "$$EOE comes before $$SOE: no record was read."},
        DamagedCase{"OnlyAnEndMarker", "$$EOE\n",
                    "This file holds no ephemeris records: no line reads $$SOE.", ""},
        DamagedCase{"EndMarkerWithoutAStartMarker", kHeader + "$$EOE\n" + kRecord,
                    "This file holds no ephemeris records: no line reads $$SOE.", ""},
        // Its 129th character is still a 0: read as far as it is kept, it
        // would be a distance of 0.
        DamagedCase{"RangeItemLongerThanKept",
                    kCsvNames + "2458849.5, A.D. 2020-Jan-01 00:00:00.0000, " +
                        std::string(129, '0') + "1.5, 1.0E-05,\n$$EOE\n",
                    "Distance out of range at record 1: its range or range-rate item is longer "
                    "than 128 characters.",
                    ""},
        DamagedCase{"LabelsOffLineThatDoesNotFitTheLegend",
                    "JDTDB\n   X     Y     Z\n****\n$$SOE\n" + kUnlabelledDate +
                        "   1.48E+08  1.18E+08  3.56E+06\n" + kUnlabelledDate +
                        "   1.47E+08  1.19E+08\n$$EOE\n",
                    "Record 2 does not fit the legend above $$SOE: its line 1 holds 2 numbers "
                    "where the legend names 3 (X     Y     Z). Save the file again from "
                    "Horizons.",
                    ""},
        DamagedCase{"LabelsOffLineBeyondTheLegend",
                    "JDTDB\n   X     Y     Z\n****\n$$SOE\n" + kUnlabelledDate +
                        "   1.48E+08  1.18E+08  3.56E+06\n   1.0E+00  2.0E+00  3.0E+00\n$$EOE\n",
                    "Record 1 does not fit the legend above $$SOE: its line 2 of numbers has no "
                    "line in the legend. Save the file again from Horizons.",
                    ""},
        DamagedCase{
            "ObserverTableWithoutR",
            " Date__(UT)__HR:MN     delta      deldot\n$$SOE\n"
            " 2006-Jan-01 00:00     0.98338403134198  -0.2309018\n$$EOE\n",
            "This observer table has no heliocentric range: add quantity 19 (r and rdot) to "
            "the table, or choose the Vector Table ephemeris type, and save the file again.",
            ""},
        DamagedCase{"VelocityOnly", testing::generateEphemeris({"--records", "3", "--format", "5"}),
                    "No distances in this file: its records have no RG= value and no position "
                    "(X, Y, Z). In Horizons, choose a vector table with positions or ranges "
                    "(output format 1, 2, 3, 4 or 6), with labels on, and save the file again.",
                    ""}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vandrel

namespace vandrel {
namespace {

struct SunCase {
    const char* name;
    std::vector<std::string> sunOptions;  // of the Sun's file, beside the body's of 800 days
    const char* failure;                  // "FILE" stands for the body's file; empty for none
};

class SunFiles : public ::testing::TestWithParam<SunCase> {};

// A barycentric table less the Sun's own table of the same centre gives the
// heliocentric answers; a Sun's file that cannot serve says why.
TEST_P(SunFiles, TakeTheDistancesFromTheSun) {
    const testing::TemporaryFolder folder;
    const std::vector<std::string> barycentric{"--center", "Solar System Barycenter (0)",
                                               "--sun-wobble", "0.005,400"};
    std::vector<std::string> body{"--records", "800"};
    body.insert(body.end(), barycentric.begin(), barycentric.end());
    std::vector<std::string> sun = body;
    sun.push_back("--sun-table");
    sun.insert(sun.end(), GetParam().sunOptions.begin(), GetParam().sunOptions.end());
    ScanSettings settings;
    settings.filePath = folder.write("body.txt", testing::generateEphemeris(body));
    settings.sunFilePath = folder.write("sun.txt", testing::generateEphemeris(sun));
    settings.trackMinimum = true;
    settings.trackMaximum = true;
    PassageRecorder recorder;
    const ScanOutcome outcome = EphemerisScanner().scan(settings, recorder);
    if (*GetParam().failure != '\0') {
        ASSERT_TRUE(std::holds_alternative<ScanFailure>(outcome));
        std::string expected = GetParam().failure;
        if (const auto at = expected.find("FILE"); at != std::string::npos) {
            expected.replace(at, 4, settings.filePath);
        }
        EXPECT_EQ(std::get<ScanFailure>(outcome).message, expected);
        return;
    }
    ASSERT_TRUE(std::holds_alternative<ScanResult>(outcome))
        << std::get<ScanFailure>(outcome).message;
    const auto& result = std::get<ScanResult>(outcome);
    const Scan heliocentric = scanText(testing::generateEphemeris({"--records", "800"}));
    const auto& expected = std::get<ScanResult>(heliocentric.outcome);
    EXPECT_EQ(result.header.centre, "Sun (10)");
    EXPECT_TRUE(result.warnings.empty());
    EXPECT_EQ(presentExtreme(result.minimum, Extreme::Least).summary,
              presentExtreme(expected.minimum, Extreme::Least).summary);
    EXPECT_EQ(presentExtreme(result.maximum, Extreme::Most).item,
              presentExtreme(expected.maximum, Extreme::Most).item);
    ASSERT_EQ(recorder.passages.size(), heliocentric.passages.size());
    for (std::size_t i = 0; i < recorder.passages.size(); ++i) {
        EXPECT_NEAR(recorder.passages[i].julianDay, heliocentric.passages[i].julianDay,
                    1.0 / 86400);
        EXPECT_NEAR(recorder.passages[i].au, heliocentric.passages[i].au, 1e-12);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Pairs, SunFiles,
    ::testing::Values(
        SunCase{"Plain", {}, ""}, SunCase{"SunInCsv", {"--csv"}, ""},
        SunCase{"OtherCentre",
                {"--center", "Earth (399)"},
                "The Sun's file is centred on Earth (399), the file on Solar System Barycenter "
                "(0): save both from the same centre."},
        SunCase{"OtherUnits",
                {"--units", "KM-S"},
                "The Sun's file is in KM-S, the file in AU-D: save both in the same units."},
        SunCase{"FewerRecords",
                {"--records", "700"},
                "The Sun's file has no record at JD 2459549.500000, where FILE has one."},
        SunCase{"LaterStart",
                {"--start-jd", "2458850.5"},
                "The Sun's file has no record at JD 2458849.500000, where FILE has one."},
        SunCase{"MoreRecords",
                {"--records", "801"},
                "FILE has no record at JD 2459649.500000, where the Sun's file has one."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SunFiles, MustBeTheSunsOwnTable) {
    const testing::TemporaryFolder folder;
    ScanSettings settings;
    settings.filePath = folder.write("body.txt", testing::generateEphemeris({"--records", "3"}));
    settings.sunFilePath = settings.filePath;
    ScanObserver observer;
    const ScanOutcome outcome = EphemerisScanner().scan(settings, observer);
    ASSERT_TRUE(std::holds_alternative<ScanFailure>(outcome));
    EXPECT_EQ(std::get<ScanFailure>(outcome).message,
              "The Sun's file is a table of Kepler test body, not of the Sun (10): save the Sun's "
              "vector table from Horizons.");
}

}  // namespace
}  // namespace vandrel
