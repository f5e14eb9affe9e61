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
#include "text/calendar.h"

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

namespace vandrel {
namespace {

// Orbits of every shape and size, sampled at steps of an hour to a month:
// each passage's stated uncertainty must cover its real error.
TEST(PassageUncertainty, CoversTheRealErrorOnNearlyEveryOrbit) {
    int passages = 0;
    int covered = 0;
    int withoutEstimate = 0;
    double worstRatio = 0;
    for (const double e : {0.01, 0.2, 0.6, 0.9, 0.99, 0.999}) {
        for (const double q : {0.005, 0.05, 0.3, 1.0, 5.0, 30.0}) {
            const Orbit orbit{q / (1 - e), e};
            for (const double stepHours : {1.0, 6.0, 24.0, 120.0, 720.0}) {
                // Steps too long for the orbit say nothing of a passage.
                if (stepHours / 24 > orbit.period() / 20) {
                    continue;
                }
                // Two periods, or 600 records around a perihelion.
                const double span = std::min(2 * orbit.period(), 600 * stepHours / 24);
                const ScanWithPassages scan = scanGenerated(
                    {"--records", std::to_string(static_cast<int>(span / (stepHours / 24))),
                     "--step-hours", std::to_string(stepHours), "--eccentricity", std::to_string(e),
                     "--perihelion-distance", std::to_string(q), "--start-jd",
                     std::to_string(kPerihelionJd - span / 2 + 0.123)});
                for (const TruePassage& passage : scan.passages) {
                    ++passages;
                    if (!passage.uncertainty) {
                        ++withoutEstimate;
                        continue;
                    }
                    const double realSeconds =
                        std::fabs(passage.julianDay - orbit.nearestInstant(passage)) * 86400;
                    worstRatio = std::max(
                        worstRatio, realSeconds / std::max(passage.uncertainty->seconds, 1.0));
                    if (realSeconds <= std::max(3 * passage.uncertainty->seconds, 1.0)) {
                        ++covered;
                    } else {
                        std::printf("      e %g q %g step %g h: %.0f s off, %.1f s stated\n", e, q,
                                    stepHours, realSeconds, passage.uncertainty->seconds);
                    }
                }
            }
        }
    }
    std::printf(
        "      %d passages, %d covered, %d without an estimate, real error at most %.2f "
        "times the stated one\n",
        passages, covered, withoutEstimate, worstRatio);
    EXPECT_GE(covered, 0.95 * (passages - withoutEstimate));
}

}  // namespace
}  // namespace vandrel

namespace vandrel {
namespace {

std::string warningsOf(const ScanResult& result) {
    std::string text;
    for (const ScanWarning& warning : result.warnings) {
        text += warning.message + "\n";
    }
    return text;
}

// A sungrazer (q = 0.005 AU, e = 0.999) in daily steps: the cubic puts its
// perihelion 54 minutes early at six times its distance, and says so.
TEST(PassageUncertainty, WarnsWhereTheRecordsAreTooFarApart) {
    const ScanWithPassages scan =
        scanGenerated({"--records", "400", "--eccentricity", "0.999", "--perihelion-distance",
                       "0.005", "--start-jd", "2458651.2"});
    EXPECT_EQ(warningsOf(scan.result),
              "1 passage is uncertain by more than a minute (the worst, 2020-Jan-02 23:05:50 TDB, "
              "by about ±2 h): the records are too far apart there. Save the file with a smaller "
              "step for a better answer.\n");
    EXPECT_EQ(trueLine(scan.result.truePerihelion, Extreme::Least, scan.result.header),
              "true  2020-Jan-02 23:05:50 TDB ± 2 h (23:04:41 UTC)  0.031520681 AU  4715427 km  "
              "between items 201 and 202");
    // Records five minutes apart pin it to the second, and stay silent.
    const ScanWithPassages fine =
        scanGenerated({"--records", "400", "--step-hours", "0.0833333333333", "--eccentricity",
                       "0.999", "--perihelion-distance", "0.005", "--start-jd", "2458850.81"});
    EXPECT_EQ(warningsOf(fine.result), "");
    ASSERT_EQ(fine.passages.size(), 1u);
    EXPECT_NEAR(fine.passages[0].julianDay, kPerihelionJd, 1.0 / 86400);
}

// A hyperbola (e = 1.5, q = 1 AU) every ten days, its perihelion the 11th record.
const std::vector<std::string> kHyperbola = {
    "--records",    "40",  "--eccentricity", "1.5",      "--perihelion-distance", "1",
    "--step-hours", "240", "--start-jd",     "2458751.5"};

struct EndCase {
    const char* name;
    std::vector<std::string> options;
    const char* least;
    const char* most;
};

class PassagesAtTheEnds : public ::testing::TestWithParam<EndCase> {};

TEST_P(PassagesAtTheEnds, AreToldAsTheyAre) {
    const ScanWithPassages scan = scanGenerated(GetParam().options);
    EXPECT_EQ(trueLine(scan.result.truePerihelion, Extreme::Least, scan.result.header),
              GetParam().least);
    EXPECT_EQ(trueLine(scan.result.trueAphelion, Extreme::Most, scan.result.header),
              GetParam().most);
}

INSTANTIATE_TEST_SUITE_P(
    Spans, PassagesAtTheEnds,
    ::testing::Values(
        // A hyperbola (e = 1.5) leaving the Sun: its greatest distance is the
        // last record's, and it never comes back.
        EndCase{"OpenOrbitOutbound", kHyperbola,
                "true  2020-Jan-03 00:00:00 TDB (2020-Jan-02 23:58:51 UTC)  1.000000000 AU  "
                "149597871 km  between items 10 and 11",
                "No aphelion: the body is on an open orbit about the Sun (faster than the escape "
                "speed), so it never returns."},
        EndCase{"OpenOrbitInboundInCsv",
                {"--records", "8", "--eccentricity", "1.5", "--perihelion-distance", "1",
                 "--step-hours", "240", "--start-jd", "2458751.5", "--csv"},
                "No perihelion in this file's span: the least distance is at its last record, so "
                "the perihelion lies after the span.",
                "No aphelion: the body is on an open orbit about the Sun (faster than the escape "
                "speed), so it never returns."},
        // The same hyperbola saved with labels off: its velocities tell.
        EndCase{"OpenOrbitLabelsOff", with(kHyperbola, {"--labels", "off"}),
                "true  2020-Jan-03 00:00:00 TDB (2020-Jan-02 23:58:51 UTC)  1.000000000 AU  "
                "149597871 km  between items 10 and 11",
                "No aphelion: the body is on an open orbit about the Sun (faster than the escape "
                "speed), so it never returns."},
        // The same hyperbola seen in an observer table: r and rdot cannot tell
        // an open orbit from a closed one, so the sentence says what it assumes.
        EndCase{"OpenOrbitInAnObserverTable", with(kHyperbola, {"--observer", "--light-time"}),
                // Light time takes each row back: the passage falls a row later.
                "true  2020-Jan-03 00:00:00 UT  1.000000000 AU  149597871 km  "
                "between items 11 and 12",
                "No aphelion in this file's span: the greatest distance is at its last record, so "
                "the aphelion lies after the span, if the orbit is closed (no velocity about the "
                "Sun was read to tell)."},
        // A rate of exactly 0 at the first record: the perihelion is that record.
        EndCase{"PerihelionOnTheFirstRecord",
                {"--records", "30", "--start-jd", "2458851.5", "--rate-zero-first"},
                "true  2020-Jan-03 00:00:00 TDB (2020-Jan-02 23:58:51 UTC)  0.983289888 AU  "
                "147098074 km  between items 1 and 2",
                "No aphelion in this file's span: the greatest distance is at its last record, so "
                "the aphelion lies after the span."}),
    [](const auto& info) { return std::string(info.param.name); });

// Without RR on its line, a record keeps its distance; the passages come
// from three ranges.
TEST(Passages, RecordsWithoutRatesKeepTheirDistances) {
    const ScanWithPassages withRates = scanGenerated(kTwoYears);
    const ScanWithPassages without = scanGenerated(with(kTwoYears, {"--no-rate"}));
    EXPECT_EQ(without.result.datedCount, 800);
    EXPECT_EQ(presentExtreme(without.result.minimum, Extreme::Least).summary,
              presentExtreme(withRates.result.minimum, Extreme::Least).summary);
    EXPECT_EQ(without.result.maximum.item, withRates.result.maximum.item);
    ASSERT_EQ(without.passages.size(), withRates.passages.size());
    for (std::size_t i = 0; i < without.passages.size(); ++i) {
        EXPECT_NEAR(without.passages[i].julianDay, withRates.passages[i].julianDay, 0.01);
    }
}

// The generator's dates come from the Julian day by an algorithm of its
// own; the scanner's calendar must give each record's Julian day back.
TEST(Passages, DatesAcrossTheYearZeroAndTheReformReadAsTheirJulianDays) {
    for (const char* start : {"1721400.5", "2299140.5", "2086330.25"}) {
        const std::string text =
            testing::generateEphemeris({"--records", "60", "--start-jd", start});
        int dates = 0;
        for (std::size_t at = text.find("0 = "); at != std::string::npos;
             at = text.find("0 = ", at + 1)) {
            ++at;
            const std::size_t lineStart = text.rfind('\n', at) + 1;
            const double julianDay = std::stod(text.substr(lineStart, at - lineStart));
            const std::string date = text.substr(at + 3, 30);
            const auto read = julianDayOfDateText(date.starts_with("B.C.") ? date : date.substr(5));
            ASSERT_TRUE(read) << date;
            EXPECT_EQ(*read, julianDay) << date;
            ++dates;
        }
        EXPECT_EQ(dates, 60);
    }
    // The start date and the end stop in years B.C.
    ScanSettings settings = testing::betweenDates("B.C. 0001-Dec-31", "0001-Jan-02");
    const ScanResult result =
        scanGenerated({"--records", "10", "--start-jd", "1721421.5"}, settings).result;
    EXPECT_EQ(result.datedCount, 3);
    EXPECT_EQ(result.minimum.dateText, "B.C. 0001-Dec-31 00:00:00.0000");
    EXPECT_EQ(presentExtreme(result.minimum, Extreme::Least).summary,
              " 147310008  km    min    on    B.C. 0001-Dec-31");
    EXPECT_EQ(result.maximum.dateText, "0001-Jan-01 00:00:00.0000");
    // 1000-Feb-29 is a day of the Julian calendar, so a start before it reads it.
    settings = testing::betweenDates("1000-Feb-28", "1000-Mar-01");
    EXPECT_EQ(
        scanGenerated({"--records", "10", "--start-jd", "2086360.5"}, settings).result.datedCount,
        3);
}

}  // namespace
}  // namespace vandrel

namespace vandrel {
namespace {

struct UntrustedCase {
    const char* name;
    std::string table;
    const char* least;
    const char* most;
};

class UntrustedNumbers : public ::testing::TestWithParam<UntrustedCase> {};

// Where the cubic cannot be trusted, the passage falls back on the nearer
// record, with no estimate of its error: never outside its records, never
// a negative distance, never lost.
TEST_P(UntrustedNumbers, GiveAPassageTheRecordsAllow) {
    MemorySource source(GetParam().table);
    PassageRecorder recorder;
    ScanSettings settings;
    settings.trackMinimum = true;
    settings.trackMaximum = true;
    const auto result = std::get<ScanResult>(EphemerisScanner().scan(source, settings, recorder));
    EXPECT_EQ(trueLine(result.truePerihelion, Extreme::Least, result.header), GetParam().least);
    EXPECT_EQ(trueLine(result.trueAphelion, Extreme::Most, result.header), GetParam().most);
    ASSERT_EQ(recorder.passages.size(), 1u);
    EXPECT_FALSE(recorder.passages[0].uncertainty);
}

std::string plainRecord(const char* day, const char* range, const char* rate) {
    return std::to_string(2458848 + (*day - '0')) + ".500000000 = A.D. 2020-Jan-0" +
           std::string(day) + " 00:00:00.0000 TDB\n LT= 5.680996067794166E-03 RG=" + range +
           " RR=" + rate + "\n";
}

INSTANTIATE_TEST_SUITE_P(
    Reproducers, UntrustedNumbers,
    ::testing::Values(
        UntrustedCase{
            "RateThatOverflowsTheCubic",
            "$$SOE\n" + plainRecord("1", " 1.000000000000000E+00", "-1.000000000000000E-02") +
                plainRecord("2", " 9.900000000000000E-01", " 1.50000000000000E+308") + "$$EOE\n",
            "true  2020-Jan-02 00:00:00 TDB (2020-Jan-01 23:58:51 UTC)  0.990000000 AU  "
            "148101892 km  between items 1 and 2",
            "No aphelion in this file's span: the greatest distance is at its first "
            "record, so the aphelion lies before the span, if the orbit is closed (no velocity "
            "about the Sun was read to tell)."},
        UntrustedCase{
            "RangeFarFromItsNeighbour",
            "$$SOE\n" + plainRecord("1", " 4.500000000000000E+15", "-1.000000000000000E-02") +
                plainRecord("2", " 1.800000000000000E-02", " 1.000000000000000E-02") + "$$EOE\n",
            "true  2020-Jan-02 00:00:00 TDB (2020-Jan-01 23:58:51 UTC)  0.018000000 AU  "
            "2692762 km  between items 1 and 2",
            "No aphelion in this file's span: the greatest distance is at its first "
            "record, so the aphelion lies before the span, if the orbit is closed (no velocity "
            "about the Sun was read to tell)."},
        // A positive rate that is 0 once in AU/day still tells an aphelion.
        UntrustedCase{"RateThatUnderflowsInAuPerDay",
                      "Output units    : KM-D\nJDTDB, Calendar Date (TDB), RG, RR,\n$$SOE\n"
                      "2458849.5, A.D. 2020-Jan-01 00:00:00.0000, 1.4E+08, 4.9E-324,\n"
                      "2458850.5, A.D. 2020-Jan-02 00:00:00.0000, 1.3E+08, -1.0E+05,\n$$EOE\n",
                      "No perihelion in this file's span: the least distance is at its last "
                      "record, so the perihelion lies after the span.",
                      "true  2020-Jan-01 00:00:00 TDB (2019-Dec-31 23:58:51 UTC)  0.935842197 AU  "
                      "140000000 km  between items 1 and 2"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vandrel

namespace vandrel {
namespace {

// Found by fuzzing: a CSV line whose date cannot be read gives its distance
// to the record before, whose instant it shares; no passage lies within one
// instant, not even where the rates turn.
TEST(Passages, NoneWithinOneInstant) {
    MemorySource source(
        "JDTDB, Calendar Date (TDB), RG, RR,\n$$SOE\n"
        "2455197.5, A.D. 2010-Jan-01 00:00:00.0000, 9.833029493991273E-01, -1.3E-05,\n"
        "2455198.5, ??? 2010-Jan-02 00:00:00.0000, 9.8E-01, 1.3E-05,\n$$EOE\n");
    PassageRecorder recorder;
    ScanSettings settings;
    settings.trackMinimum = true;
    const auto result = std::get<ScanResult>(EphemerisScanner().scan(source, settings, recorder));
    EXPECT_EQ(result.datedCount, 1);
    EXPECT_TRUE(recorder.passages.empty());
}

}  // namespace
}  // namespace vandrel
