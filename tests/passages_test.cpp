// Perihelion and aphelion passages found by the scanner between records, on
// Kepler orbits whose true passages are known exactly.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <numbers>
#include <string>
#include <vector>

#include "scan/ephemeris_scanner.h"
#include "scan/presentation.h"
#include "tests/passage_recorder.h"
#include "tests/test_files.h"
#include "tests/test_rows.h"

namespace vandrel {
namespace {

const EphemerisHeader kInTdb{.timeScale = "TDB"};

constexpr double kEarthYearDays = 365.256363004;  // the generator's year for a = 1
constexpr double kPerihelionJd = 2458851.5;       // the generator's default

using testing::PassageRecorder;

struct Orbit {
    double semiMajorAxis = 1.00000011;
    double eccentricity = 0.01671022;

    double period() const { return kEarthYearDays * std::pow(semiMajorAxis, 1.5); }
    // The exact instant and distance of the passage nearest to `julianDay`.
    double nearestInstant(const TruePassage& passage) const {
        const double phase = passage.kind == PassageKind::Perihelion ? 0.0 : 0.5;
        const double turns = std::round((passage.julianDay - kPerihelionJd) / period() - phase);
        return kPerihelionJd + (turns + phase) * period();
    }
    double distance(PassageKind kind) const {
        return semiMajorAxis *
               (kind == PassageKind::Perihelion ? 1 - eccentricity : 1 + eccentricity);
    }
};

struct ScanWithPassages {
    ScanResult result;
    std::vector<TruePassage> passages;
};

ScanWithPassages scanGenerated(const std::vector<std::string>& options,
                               ScanSettings settings = {}) {
    settings.trackMinimum = true;
    settings.trackMaximum = true;
    const std::string text = testing::generateEphemeris(options);
    MemorySource source(text);
    PassageRecorder recorder;
    const ScanOutcome outcome = EphemerisScanner().scan(source, settings, recorder);
    if (const auto* failure = std::get_if<ScanFailure>(&outcome)) {
        ADD_FAILURE() << failure->message;
        return {};
    }
    return {std::get<ScanResult>(outcome), recorder.passages};
}

struct OrbitCase {
    const char* name;
    std::vector<std::string> options;
    Orbit orbit;
    std::size_t passages;
    double mostSecondsOff;  // the largest error allowed in the instant
    double mostAuOff;       // and in the distance
};

class ScannedOrbits : public ::testing::TestWithParam<OrbitCase> {};

TEST_P(ScannedOrbits, GiveEveryPassageAtItsTrueInstantAndDistance) {
    const OrbitCase& row = GetParam();
    const ScanWithPassages scan = scanGenerated(row.options);
    ASSERT_EQ(scan.passages.size(), row.passages);
    double worstSeconds = 0;
    double worstAu = 0;
    PassageKind expectedKind = scan.passages.front().kind;
    for (const TruePassage& passage : scan.passages) {
        EXPECT_TRUE(passage.kind == expectedKind) << "perihelia and aphelia alternate";
        expectedKind = expectedKind == PassageKind::Perihelion ? PassageKind::Aphelion
                                                               : PassageKind::Perihelion;
        EXPECT_EQ(passage.itemAfter, passage.itemBefore + 1);
        const double seconds =
            std::fabs(passage.julianDay - row.orbit.nearestInstant(passage)) * 86400;
        const double au = std::fabs(passage.au - row.orbit.distance(passage.kind));
        worstSeconds = std::max(worstSeconds, seconds);
        worstAu = std::max(worstAu, au);
    }
    std::printf("      %s: worst instant %.3f s off, worst distance %.3g AU off\n", row.name,
                worstSeconds, worstAu);
    EXPECT_LE(worstSeconds, row.mostSecondsOff);
    EXPECT_LE(worstAu, row.mostAuOff);
}

const std::vector<std::string> kTwoYears{"--records", "800"};

std::vector<std::string> with(std::vector<std::string> options, std::vector<std::string> more) {
    options.insert(options.end(), more.begin(), more.end());
    return options;
}

INSTANTIATE_TEST_SUITE_P(
    Kepler, ScannedOrbits,
    ::testing::Values(
        OrbitCase{"DailyRecords", kTwoYears, {}, 5, 60, 1e-9},
        OrbitCase{"HourlyRecords", {"--records", "9500", "--step-hours", "1"}, {}, 3, 1, 1e-12},
        OrbitCase{
            "UnequalSteps", with(kTwoYears, {"--step-cycle", "12,36,18,30"}), {}, 5, 60, 1e-9},
        OrbitCase{"KmPerSecond", with(kTwoYears, {"--units", "KM-S"}), {}, 5, 60, 1e-9},
        OrbitCase{"KmPerDay", with(kTwoYears, {"--units", "KM-D"}), {}, 5, 60, 1e-9},
        OrbitCase{"CsvForm", with(kTwoYears, {"--csv"}), {}, 5, 60, 1e-9},
        OrbitCase{
            "ThreeRangesWithoutRates", with(kTwoYears, {"--csv", "--no-rate"}), {}, 5, 60, 1e-9},
        // Ten-day steps on an eccentric orbit: the instant is off by about
        // ten minutes, the distance in its sixth decimal.
        OrbitCase{"EccentricTenDaySteps",
                  {"--records", "200", "--step-hours", "240", "--eccentricity", "0.2"},
                  {1.00000011, 0.2},
                  11,
                  700,
                  3e-6}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Passages, TrueExtremesAreTheLeastPerihelionAndTheGreatestAphelion) {
    const ScanWithPassages scan = scanGenerated(kTwoYears);
    ASSERT_TRUE(scan.result.truePerihelion.passage);
    ASSERT_TRUE(scan.result.trueAphelion.passage);
    const TruePassage& perihelion = *scan.result.truePerihelion.passage;
    for (const TruePassage& passage : scan.passages) {
        if (passage.kind == PassageKind::Perihelion) {
            EXPECT_LE(perihelion.au, passage.au);
        } else {
            EXPECT_GE(scan.result.trueAphelion.passage->au, passage.au);
        }
    }
    // The generator's perihelion falls on the record of 2020-Jan-03; of the
    // two aphelia, equal but for rounding, the second is the greater.
    EXPECT_EQ(
        trueLine(scan.result.truePerihelion, Extreme::Least, scan.result.header),
        "true  2020-Jan-03 00:00:00 TDB (2020-Jan-02 23:58:51 UTC)  0.983289888 AU  147098074 km  "
        "between items 2 and 3");
    EXPECT_EQ(trueTip(scan.result.trueAphelion, Extreme::Most, scan.result.header),
              "True aphelion: 2021-Jul-03 21:13:53 TDB ± 1 s (21:12:43 UTC), 1.016710332 AU, "
              "152097701 km (between items 550 and 551)");
}

struct SpanCase {
    const char* name;
    double startJd;
    const char* least;
    const char* most;
};

class SpansWithoutPassages : public ::testing::TestWithParam<SpanCase> {};

TEST_P(SpansWithoutPassages, SayAtWhichEndTheExtremeLies) {
    const ScanWithPassages scan =
        scanGenerated({"--records", "31", "--start-jd", std::to_string(GetParam().startJd)});
    EXPECT_TRUE(scan.passages.empty());
    EXPECT_EQ(trueLine(scan.result.truePerihelion, Extreme::Least, kInTdb), GetParam().least);
    EXPECT_EQ(trueTip(scan.result.trueAphelion, Extreme::Most, kInTdb), GetParam().most);
}

INSTANTIATE_TEST_SUITE_P(
    Months, SpansWithoutPassages,
    ::testing::Values(
        SpanCase{"MovingAway", kPerihelionJd + 30,
                 "No perihelion in this file's span: the least distance is at its first record, "
                 "so the perihelion lies before the span.",
                 "No aphelion in this file's span: the greatest distance is at its last record, "
                 "so the aphelion lies after the span."},
        SpanCase{"ComingCloser", kPerihelionJd + 200,
                 "No perihelion in this file's span: the least distance is at its last record, "
                 "so the perihelion lies after the span.",
                 "No aphelion in this file's span: the greatest distance is at its first record, "
                 "so the aphelion lies before the span."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Passages, OnlyRecordsLetThroughTakePart) {
    const ScanSettings settings = testing::betweenDates("2020-Jan-02", "2020-Jul-04");
    const ScanWithPassages scan = scanGenerated(kTwoYears, settings);
    // The perihelion lies between the records of 2020-Jan-02 and -03, the
    // first two let through, so items 1 and 2; the aphelion between the
    // records of Jul-03 and Jul-04, and Jul-04 stops the scan unread.
    ASSERT_EQ(scan.passages.size(), 1u);
    EXPECT_EQ(scan.passages[0].itemBefore, 1);
    EXPECT_EQ(scan.passages[0].itemAfter, 2);
    EXPECT_FALSE(scan.result.trueAphelion.passage);
    EXPECT_EQ(scan.result.trueAphelion.endWithoutPassage, SpanEnd::Last);
}

TEST(Passages, NoRecordLetThroughSaysNothing) {
    const ScanResult result = scanGenerated({"--records", "0"}).result;
    EXPECT_FALSE(result.truePerihelion.passage);
    EXPECT_EQ(result.truePerihelion.endWithoutPassage, SpanEnd::None);
    EXPECT_EQ(trueLine(result.truePerihelion, Extreme::Least, kInTdb), "");
}

TEST(Passages, UnreadableJulianDaysFallBackOnTheDateText) {
    std::string text = testing::generateEphemeris({"--records", "5"});
    // Spoil every Julian day of the records.
    for (std::size_t at = text.find("2458"); at != std::string::npos; at = text.find("2458", at)) {
        text.replace(at, 17, std::string(17, 'x'));
    }
    MemorySource source(text);
    PassageRecorder recorder;
    ScanSettings settings;
    EphemerisScanner().scan(source, settings, recorder);
    ASSERT_EQ(recorder.passages.size(), 1u);
    EXPECT_EQ(presentPassage(recorder.passages[0], kInTdb).time, "2020-Jan-03 00:00:00 TDB");
}

}  // namespace
}  // namespace vandrel
