#include "scan/ephemeris_scanner.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "scan/presentation.h"
#include "scan/scan_messages.h"
#include "tests/test_files.h"
#include "tests/test_rows.h"
#include "text/number_text.h"

namespace vandrel {
namespace {

using testing::record;

class RecordingObserver final : public ScanObserver {
  public:
    void fileOpened() override { events.push_back("opened"); }
    void newMinimum(std::int32_t item) override { events.push_back("min " + std::to_string(item)); }
    void newMaximum(std::int32_t item) override { events.push_back("max " + std::to_string(item)); }
    std::vector<std::string> events;
};

ScanSettings bothExtremes() {
    ScanSettings settings;
    settings.trackMinimum = true;
    settings.trackMaximum = true;
    return settings;
}

ScanOutcome scanText(const std::string& text, const ScanSettings& settings, ScanObserver& observer,
                     std::int32_t mostRecords = EphemerisScanner::kMostRecords) {
    MemorySource source(text);
    return EphemerisScanner(mostRecords).scan(source, settings, observer);
}

ScanResult scanResult(const std::string& text, const ScanSettings& settings = bothExtremes()) {
    RecordingObserver observer;
    const ScanOutcome outcome = scanText(text, settings, observer);
    if (const auto* failure = std::get_if<ScanFailure>(&outcome)) {
        ADD_FAILURE() << "scan failed: " << failure->message;
        return {};
    }
    return std::get<ScanResult>(outcome);
}

ScanFailure scanFailure(const std::string& text, const ScanSettings& settings) {
    RecordingObserver observer;
    const ScanOutcome outcome = scanText(text, settings, observer);
    if (!std::holds_alternative<ScanFailure>(outcome)) {
        ADD_FAILURE() << "the scan did not fail";
        return {ScanFailureKind::OpenFailed, ""};
    }
    return std::get<ScanFailure>(outcome);
}

const std::string kHeader = "header line\n$$SOE\n";
const std::string kThreeDays = record("2020-Jan-01", "9.836868025025924E-01") +
                               record("2020-Jan-02", "9.800000000000000E-01") +
                               record("2020-Jan-03", "9.900000000000000E-01");

TEST(EphemerisScanner, FindsBothExtremesWithTheirRecords) {
    const ScanResult result = scanResult(kHeader + kThreeDays + "$$EOE\n");
    EXPECT_EQ(result.datedCount, 3);
    EXPECT_EQ(result.minimum.item, 2);
    EXPECT_EQ(result.minimum.au, 0.98);
    EXPECT_EQ(result.minimum.dateText, "2020-Jan-02 00:00:00.0000");
    EXPECT_EQ(result.maximum.item, 3);
    EXPECT_EQ(result.maximum.au, 0.99);
    EXPECT_TRUE(result.warnings.empty());
}

TEST(EphemerisScanner, KmValueIsTheProductCutToFifteenDigits) {
    const ScanResult result = scanResult(kHeader + kThreeDays + "$$EOE\n");
    EXPECT_EQ(result.maximum.item, 3);
    const ScanResult first = scanResult(kHeader + record("2020-Jan-01", "9.836868025025924E-01"));
    EXPECT_EQ(presentExtreme(first.minimum, Extreme::Least).km, "147157451.090079");
    EXPECT_EQ(presentExtreme(first.maximum, Extreme::Most).km, "147157451.090079");
}

TEST(EphemerisScanner, TellsTheObserverAtOnceInOrder) {
    RecordingObserver observer;
    scanText(kHeader + kThreeDays + "$$EOE\n", bothExtremes(), observer);
    EXPECT_EQ(observer.events,
              (std::vector<std::string>{"opened", "min 1", "max 1", "min 2", "max 3"}));
}

// Distances in Horizons' form that differ from an extreme only past their
// eighth character are read in full: a last digit can still make a new one,
// and an equal text keeps the earlier record.
TEST(EphemerisScanner, DistancesCloseToAnExtremeAreReadInFull) {
    const std::string text =
        kHeader + record("2020-Jan-01", "9.836868025025924E-01") +
        record("2020-Jan-02", "1.016710331838120E+00") +
        record("2020-Jan-03", "9.836868025025923E-01") +  // a new least, by its last digit
        record("2020-Jan-04", "1.016710331838121E+00") +  // a new greatest
        record("2020-Jan-05", "9.836868025025923E-01") +  // equal: the earlier stays
        record("2020-Jan-06", "1.016710331838121E+00") + record("2020-Jan-07", "9.9E-01");
    RecordingObserver observer;
    scanText(text + "$$EOE\n", bothExtremes(), observer);
    EXPECT_EQ(observer.events,
              (std::vector<std::string>{"opened", "min 1", "max 1", "max 2", "min 3", "max 4"}));
}

TEST(EphemerisScanner, EqualDistancesKeepTheEarlierRecord) {
    const std::string text = kHeader + record("2020-Jan-01", "1.0E+00") +
                             record("2020-Jan-02", "2.0E+00") + record("2020-Jan-03", "2.0E+00") +
                             record("2020-Jan-04", "0.5E+00") + record("2020-Jan-05", "0.5E+00");
    const ScanResult result = scanResult(text + "$$EOE\n");
    EXPECT_EQ(result.maximum.item, 2);
    EXPECT_EQ(result.minimum.item, 4);
}

TEST(EphemerisScanner, EndMarkerBeforeStartMarkerEndsAtOnce) {
    const ScanResult result = scanResult("$$EOE\n$$SOE\n" + kThreeDays + "$$EOE\n");
    EXPECT_EQ(result.datedCount, 0);
    EXPECT_EQ(result.minimum.item, 0);
    EXPECT_EQ(result.maximum.au, 0);
}

TEST(EphemerisScanner, RecordsBeforeTheStartMarkerAreIgnored) {
    ScanSettings settings = bothExtremes();
    settings.endStopOn = true;
    settings.endDateText = "2019-Dec-31";
    const ScanResult result =
        scanResult(record("2019-Dec-31", "5.0E+00") + kHeader + kThreeDays + "$$EOE\n", settings);
    EXPECT_EQ(result.datedCount, 3);
    EXPECT_EQ(result.maximum.au, 0.99);
}

TEST(EphemerisScanner, EmptyEndDateStopsOnTheStartMarker) {
    ScanSettings settings = bothExtremes();
    settings.endStopOn = true;
    const ScanResult result = scanResult(kHeader + kThreeDays + "$$EOE\n", settings);
    EXPECT_EQ(result.datedCount, 0);
    EXPECT_EQ(result.maximum.item, 0);
}

TEST(EphemerisScanner, EndDateStopsOnItsDateLineWhichIsCounted) {
    ScanSettings settings = bothExtremes();
    settings.endStopOn = true;
    settings.endDateText = "2020-Jan-03";
    const ScanResult result = scanResult(kHeader + kThreeDays + "$$EOE\n", settings);
    EXPECT_EQ(result.datedCount, 3);
    EXPECT_EQ(result.maximum.item, 1) << "the third record's distance is never read";
    EXPECT_EQ(result.minimum.item, 2);
}

struct EndTextCase {
    const char* name;
    std::string endDate;
};

class EndDateNeverMatching : public ::testing::TestWithParam<EndTextCase> {};

TEST_P(EndDateNeverMatching, RunsToTheEndMarker) {
    ScanSettings settings = bothExtremes();
    settings.endStopOn = true;
    settings.endDateText = GetParam().endDate;
    const ScanResult result = scanResult(kHeader + kThreeDays + "$$EOE\n", settings);
    EXPECT_EQ(result.datedCount, 3);
    ASSERT_EQ(result.warnings.size(), 1u);
    EXPECT_EQ(result.warnings[0].kind, ScanWarningKind::EndDateNeverMet);
    EXPECT_EQ(result.warnings[0].message,
              "No record is dated " + GetParam().endDate + ": the scan ran to the last record.");
}

INSTANTIATE_TEST_SUITE_P(Texts, EndDateNeverMatching,
                         ::testing::Values(EndTextCase{"LowerCaseMonth", "2020-jan-03"},
                                           EndTextCase{"OneDigitDay", "2020-Jan-3"},
                                           EndTextCase{"WithTime", "2020-Jan-03 00:00"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(EphemerisScanner, StartFilterSkipsEarlierRecordsWhole) {
    ScanSettings settings = bothExtremes();
    settings.startFilterOn = true;
    settings.startDateText = "2020-Jan-02";
    const std::string text = kHeader + record("2020-Jan-01", "0.1E+00") +
                             record("2020-Jan-02", "0.9E+00") + record("2020-Jan-03", "0.8E+00");
    const ScanResult result = scanResult(text + "$$EOE\n", settings);
    EXPECT_EQ(result.datedCount, 2);
    EXPECT_EQ(result.minimum.item, 2);
    EXPECT_EQ(result.minimum.dateText, "2020-Jan-03 00:00:00.0000");
    EXPECT_EQ(result.maximum.item, 1) << "the record on the start date itself passes";
}

TEST(EphemerisScanner, SkippedRecordsAreNotTestedAgainstTheEndDate) {
    ScanSettings settings = bothExtremes();
    settings.startFilterOn = true;
    settings.startDateText = "2020-Jan-03";
    settings.endStopOn = true;
    settings.endDateText = "2020-Jan-02";
    EXPECT_EQ(scanResult(kHeader + kThreeDays + "$$EOE\n", settings).datedCount, 1);
}

struct DistanceLineCase {
    const char* name;
    std::string line;
    double maximum;  // 9 when the line is read, 1 when it is not
};

class DistanceLineShapes : public ::testing::TestWithParam<DistanceLineCase> {};

TEST_P(DistanceLineShapes, AreReadOnlyWithTheirExactShape) {
    const std::string text = kHeader + record("2020-Jan-01", "1.0E+00") + GetParam().line + "\n";
    EXPECT_EQ(scanResult(text + "$$EOE\n").maximum.au, GetParam().maximum);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, DistanceLineShapes,
    ::testing::Values(DistanceLineCase{"SeventySeven",
                                       " LT= 5.680996067794166E-03 RG= 9.000000000000000E+00 "
                                       "RR=-1.730156260918764E-07",
                                       9},
                      DistanceLineCase{"TrailingBlankIsNoCharacter",
                                       " LT= 5.680996067794166E-03 RG= 9.000000000000000E+00 "
                                       "RR=-1.730156260918764E-07 \t",
                                       9},
                      DistanceLineCase{"SeventySix",
                                       " LT= 5.680996067794166E-03 RG= 9.000000000000000E+00 "
                                       "RR=-1.73015626091876E-07",
                                       1},
                      DistanceLineCase{"SeventyEight",
                                       " LT= 5.680996067794166E-03 RG= 9.000000000000000E+00 "
                                       "RR=-1.7301562609187640E-07",
                                       1},
                      DistanceLineCase{"OtherTag",
                                       " LT= 5.680996067794166E-03 RX= 9.000000000000000E+00 "
                                       "RR=-1.730156260918764E-07",
                                       1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(EphemerisScanner, LineWithoutTheDateTagIsNoDateLine) {
    std::string text = kHeader + record("2020-Jan-01", "1.0E+00");
    text += "2458849.500000000 = X.Y. 2020-Jan-02 00:00:00.0000 TDB\n";
    text += " LT= 5.680996067794166E-03 RG= 3.000000000000000E+00 RR=-1.730156260918764E-07\n";
    const ScanResult result = scanResult(text + "$$EOE\n");
    EXPECT_EQ(result.datedCount, 1);
    EXPECT_EQ(result.maximum.item, 1);
    EXPECT_EQ(result.maximum.dateText, "2020-Jan-01 00:00:00.0000");
}

TEST(EphemerisScanner, DistanceBeforeTheFirstDateCanOnlyBeTheMaximum) {
    std::string text = kHeader;
    text += " LT= 5.680996067794166E-03 RG= 3.000000000000000E+00 RR=-1.730156260918764E-07\n";
    text += record("2020-Jan-01", "1.0E+00");
    const ScanResult result = scanResult(text + "$$EOE\n");
    EXPECT_EQ(result.maximum.item, 0);
    EXPECT_EQ(result.maximum.dateText, "");
    EXPECT_EQ(result.maximum.au, 3.0);
    EXPECT_EQ(result.minimum.item, 1);
}

TEST(EphemerisScanner, NegativeDistanceBeforeTheFirstDateBecomesTheMinimum) {
    const std::string early =
        kHeader +
        " LT= 5.680996067794166E-03 RG= -3.00000000000000E+00 RR=-1.730156260918764E-07\n";
    RecordingObserver observer;
    scanText(early + record("2020-Jan-01", "1.0E+00") + "$$EOE\n", bothExtremes(), observer);
    EXPECT_EQ(observer.events, (std::vector<std::string>{"opened", "min 0", "min 1", "max 1"}))
        << "the first counted record replaces it";
    ScanSettings settings = bothExtremes();
    settings.startFilterOn = true;
    settings.startDateText = "2020-Jan-02";
    const ScanResult skipped =
        scanResult(early + record("2020-Jan-01", "1.0E+00") + "$$EOE\n", settings);
    EXPECT_EQ(skipped.minimum.au, -3.0);
    EXPECT_EQ(skipped.minimum.item, 0);
    EXPECT_EQ(skipped.minimum.dateText, "");
    EXPECT_EQ(skipped.maximum.item, 0);
    EXPECT_EQ(skipped.maximum.au, 0.0);
}

TEST(EphemerisScanner, LaterDistanceOfTheFirstRecordReplacesTheMinimum) {
    std::string text = kHeader + record("2020-Jan-01", "1.0E+00");
    text += " LT= 5.680996067794166E-03 RG= 3.000000000000000E+00 RR=-1.730156260918764E-07\n";
    text += record("2020-Jan-02", "2.0E+00");
    EXPECT_EQ(scanResult(text + "$$EOE\n").minimum.au, 2.0);
}

TEST(EphemerisScanner, DistanceWithoutANumberReadsZero) {
    const ScanResult result = scanResult(kHeader + record("2020-Jan-01", "1.0E+00") +
                                         record("2020-Jan-02", "not a number") + "$$EOE\n");
    EXPECT_EQ(result.minimum.au, 0.0);
    EXPECT_EQ(result.minimum.item, 2);
}

TEST(EphemerisScanner, TracksOnlyWhatIsAsked) {
    ScanSettings settings;
    RecordingObserver observer;
    const ScanOutcome outcome = scanText(kHeader + kThreeDays + "$$EOE\n", settings, observer);
    EXPECT_EQ(std::get<ScanResult>(outcome).datedCount, 3);
    EXPECT_EQ(observer.events, std::vector<std::string>{"opened"});
    settings.trackMaximum = true;
    const ScanResult most = scanResult(kHeader + kThreeDays + "$$EOE\n", settings);
    EXPECT_EQ(most.minimum.item, 0);
    EXPECT_EQ(most.maximum.item, 3);
}

TEST(EphemerisScanner, ShortDateLineGivesAShortDateText) {
    const std::string text =
        kHeader + "2458849.500000000 = A.D. 2020-Jan-01\n" +
        " LT= 5.680996067794166E-03 RG= 3.000000000000000E+00 RR=-1.730156260918764E-07\n";
    EXPECT_EQ(scanResult(text + "$$EOE\n").maximum.dateText, "2020-Jan-01");
    const std::string tagOnly =
        kHeader + "2458849.500000000 = A.D.\n" +
        " LT= 5.680996067794166E-03 RG= 3.000000000000000E+00 RR=-1.730156260918764E-07\n";
    const ScanResult bare = scanResult(tagOnly + "$$EOE\n");
    EXPECT_EQ(bare.datedCount, 1);
    EXPECT_EQ(bare.maximum.dateText, "");
}

TEST(EphemerisScanner, MissingEndMarkerIsNoFailureButIsTold) {
    const ScanResult result = scanResult(kHeader + kThreeDays);
    EXPECT_EQ(result.datedCount, 3);
    ASSERT_EQ(result.warnings.size(), 1u);
    EXPECT_EQ(result.warnings[0].kind, ScanWarningKind::EndMarkerMissing);
    EXPECT_EQ(result.warnings[0].message,
              "The file ends before $$EOE: it may have been cut short. The results cover the "
              "records read.");
}

std::string distanceLineOf(const std::string& record) {
    return record.substr(record.find('\n') + 1);
}

struct FailureCase {
    const char* name;
    std::string text;
    bool startFilter;
    std::string startDate;
    ScanFailureKind kind;
    std::string message;
};

class ScanFailures : public ::testing::TestWithParam<FailureCase> {};

TEST_P(ScanFailures, EndTheScanWithAMessage) {
    ScanSettings settings = bothExtremes();
    settings.startFilterOn = GetParam().startFilter;
    settings.startDateText = GetParam().startDate;
    const ScanFailure failure = scanFailure(GetParam().text, settings);
    EXPECT_EQ(failure.kind, GetParam().kind);
    EXPECT_EQ(failure.message, GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, ScanFailures,
    ::testing::Values(
        FailureCase{"NoStartMarker", "header\n" + kThreeDays, false, "",
                    ScanFailureKind::NoStartMarker,
                    "This file holds no ephemeris records: no line reads $$SOE."},
        FailureCase{"EmptyFile", "", false, "", ScanFailureKind::NoStartMarker,
                    "This file holds no ephemeris records: no line reads $$SOE."},
        FailureCase{"StartDateNotUnderstood", kHeader + kThreeDays, true, "1900-Jan-1",
                    ScanFailureKind::StartDateNotUnderstood,
                    "Start date not understood: 1900-Jan-1. Write it like 1900-Jan-01."},
        FailureCase{"RecordDateNotUnderstood",
                    kHeader + kThreeDays + record("2021-Feb-29", "1.0E+00"), true, "1900-Jan-01",
                    ScanFailureKind::RecordDateNotUnderstood,
                    "Record date not understood at record 4: 2021-Feb-29."},
        FailureCase{"DistanceOverflows", kHeader + kThreeDays + record("2020-Jan-04", "1.0E+999"),
                    false, "", ScanFailureKind::DistanceOutOfRange,
                    "Distance out of range at record 4: 1.0E+999."},
        FailureCase{"KmOverflows", kHeader + record("2020-Jan-04", "1.0E+308"), false, "",
                    ScanFailureKind::DistanceOutOfRange,
                    "Distance out of range at record 1: 1.0E+308."},
        FailureCase{"DistanceOverflowsBeforeAnyDate",
                    kHeader + distanceLineOf(record("2020-Jan-04", "1.0E+999")) + kThreeDays, false,
                    "", ScanFailureKind::DistanceOutOfRange,
                    "Distance out of range before the first record: 1.0E+999."},
        FailureCase{"EmptyRecordDateIsQuoted", kHeader + "2458849.500000000 = A.D.\n" + kThreeDays,
                    true, "1900-Jan-01", ScanFailureKind::RecordDateNotUnderstood,
                    "Record date not understood at record 1: \"\"."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(EphemerisScanner, UnreadableRecordDateIsNoFailureWithoutTheStartFilter) {
    EXPECT_EQ(scanResult(kHeader + record("2021-Feb-29", "1.0E+00") + "$$EOE\n").datedCount, 1);
}

TEST(EphemerisScanner, RefusesToCountPastTheRecordLimit) {
    RecordingObserver observer;
    const ScanOutcome atLimit =
        scanText(kHeader + kThreeDays + "$$EOE\n", bothExtremes(), observer, 3);
    EXPECT_EQ(std::get<ScanResult>(atLimit).datedCount, 3);
    const ScanOutcome past =
        scanText(kHeader + kThreeDays + "$$EOE\n", bothExtremes(), observer, 2);
    ASSERT_TRUE(std::holds_alternative<ScanFailure>(past));
    EXPECT_EQ(std::get<ScanFailure>(past).message, "Too many records: more than 2147483647.");
}

TEST(EphemerisScanner, OpenFailureGivesTheReasonWithoutTellingTheObserver) {
    testing::TemporaryFolder folder;
    for (const std::string& path :
         {(folder.path() / "missing.txt").string(), folder.path().string() + "/"}) {
        ScanSettings settings = bothExtremes();
        settings.filePath = path;
        RecordingObserver observer;
        const ScanOutcome outcome = EphemerisScanner().scan(settings, observer);
        ASSERT_TRUE(std::holds_alternative<ScanFailure>(outcome)) << path;
        EXPECT_EQ(std::get<ScanFailure>(outcome).kind, ScanFailureKind::OpenFailed);
        EXPECT_FALSE(std::get<ScanFailure>(outcome).message.empty());
        EXPECT_TRUE(observer.events.empty());
    }
}

struct LineEndCase {
    const char* name;
    const char* lineEnd;
};

class ScanLineEnds : public ::testing::TestWithParam<LineEndCase> {};

TEST_P(ScanLineEnds, GiveTheSameResult) {
    std::string text = kHeader + kThreeDays + "$$EOE\n";
    std::string converted;
    for (const char c : text) {
        converted += c == '\n' ? std::string(GetParam().lineEnd) : std::string(1, c);
    }
    const ScanResult result = scanResult(converted);
    EXPECT_EQ(result.datedCount, 3);
    EXPECT_EQ(result.minimum.item, 2);
    EXPECT_EQ(result.maximum.dateText, "2020-Jan-03 00:00:00.0000");
    EXPECT_TRUE(result.warnings.empty());
}

INSTANTIATE_TEST_SUITE_P(Kinds, ScanLineEnds,
                         ::testing::Values(LineEndCase{"Lf", "\n"}, LineEndCase{"CrLf", "\r\n"},
                                           LineEndCase{"Cr", "\r"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(EphemerisScanner, GeneratedOrbitHasItsPerihelionAndAphelionWhereKeplerPutsThem) {
    const std::string text =
        testing::generateEphemeris({"--records", "366", "--perihelion-jd", "2458851.5", "--crlf"});
    const ScanResult result = scanResult(text);
    EXPECT_EQ(result.datedCount, 366);
    EXPECT_EQ(result.minimum.dateText.substr(0, 11), "2020-Jan-03");
    EXPECT_NEAR(result.minimum.au, 1.00000011 * (1 - 0.01671022), 1e-12);
    EXPECT_NEAR(result.maximum.au, 1.00000011 * (1 + 0.01671022), 1e-6);
}

TEST(EphemerisScanner, NoiseAndEndlessLinesCostNothingAndNeverCrash) {
    std::string noise;
    unsigned state = 12345;
    for (int i = 0; i < 3'000'000; ++i) {
        state = state * 1103515245 + 12345;
        noise += static_cast<char>(state >> 24);
    }
    EXPECT_EQ(scanFailure(noise, bothExtremes()).kind, ScanFailureKind::NoStartMarker);
    EXPECT_EQ(scanFailure(kHeader + std::string(5'000'000, 'x'), bothExtremes()).kind,
              ScanFailureKind::NoRecords);
}

}  // namespace
}  // namespace vandrel

namespace vandrel {
namespace {

// Distances that differ only in their last digits, some of them equal as
// doubles: the scanner's quick pass-over must never change the outcome of
// the exact comparisons.
TEST(EphemerisScanner, NearlyEqualDistancesGiveTheExactExtremes) {
    std::mt19937_64 random(11);
    std::uniform_int_distribution<int> lastDigits(0, 30);
    std::string text = "$$SOE\n";
    double least = 0;
    double most = 0;
    std::int32_t leastItem = 0;
    std::int32_t mostItem = 0;
    for (std::int32_t item = 1; item <= 3000; ++item) {
        char rg[32];
        std::snprintf(rg, sizeof rg, "9.8368680250259%02dE-01", lastDigits(random));
        text += record("2020-Jan-01", rg);
        const double x = TextToNumber(rg);
        if (item == 1 || x < least) {
            least = x;
            leastItem = item;
        }
        if (x > most) {
            most = x;
            mostItem = item;
        }
    }
    const ScanResult result = scanResult(text + "$$EOE\n");
    EXPECT_EQ(result.minimum.au, least);
    EXPECT_EQ(result.minimum.item, leastItem);
    EXPECT_EQ(result.maximum.au, most);
    EXPECT_EQ(result.maximum.item, mostItem);
}

}  // namespace
}  // namespace vandrel
