// Real Horizons files saved by other people, kept beside the project in
// ../shared/ephemerides (see its PROVENANCE.md); read from there, never copied.
// Every extreme below was checked against the files with a separate script.

#include <gtest/gtest.h>

#include "scan/ephemeris_scanner.h"
#include "scan/presentation.h"
#include "tests/passage_recorder.h"
#include "tests/test_files.h"
#include "tests/test_rows.h"

namespace vandrel {
namespace {

const EphemerisHeader kInTdb{.timeScale = "TDB"};

constexpr const char* kBarycentre =
    "Distances in this file are from Solar System Barycenter (0), not from the Sun, so they are "
    "not perihelion and aphelion. In Horizons, set the coordinate centre to the Sun (@sun) and "
    "save the file again.";
constexpr const char* kNoHeliocentricRange =
    "This observer table has no heliocentric range: add quantity 19 (r and rdot) to the table, or "
    "choose the Vector Table ephemeris type, and save the file again.";
constexpr const char* kCutShort =
    "The file ends before $$EOE: it may have been cut short. The results cover the records read.";

constexpr const char* kNoPericentreBefore =
    "No pericentre in this file's span: the least distance is at its first record, so the "
    "pericentre lies before the span.";
constexpr const char* kNoPericentreAfter =
    "No pericentre in this file's span: the least distance is at its last record, so the "
    "pericentre lies after the span.";
constexpr const char* kNoApocentreBefore =
    "No apocentre in this file's span: the greatest distance is at its first record, so the "
    "apocentre lies before the span, if the orbit is closed (no velocity about the Sun was read to "
    "tell).";
constexpr const char* kNoApocentreAfter =
    "No apocentre in this file's span: the greatest distance is at its last record, so the "
    "apocentre lies after the span, if the orbit is closed (no velocity about the Sun was read to "
    "tell).";
constexpr const char* kNoAphelionAfter =
    "No aphelion in this file's span: the greatest distance is at its last record, so the "
    "aphelion lies after the span.";

struct ExtremeRow {
    const char* item;
    const char* dateText;
    const char* au;
    const char* km;
};

struct RealFile {
    const char* name;
    std::int32_t records;
    const char* target;
    const char* centre;
    const char* units;
    ExtremeRow least;
    ExtremeRow most;
    std::vector<std::string> warnings;
    const char* trueLeast;  // the true perihelion's line, or why there is none
    const char* trueMost;
    int outputFormat = 3;
};

class SharedEphemerides : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = testing::sharedEphemerides();
        if (folder_.empty()) {
            GTEST_SKIP()
                << "../shared/ephemerides is absent: the real Horizons files are not tested";
        }
    }
    ScanOutcome scan(const std::string& name, ScanSettings settings = {}) const {
        settings.filePath = (folder_ / name).string();
        settings.trackMinimum = true;
        settings.trackMaximum = true;
        ScanObserver observer;
        return EphemerisScanner().scan(settings, observer);
    }
    std::filesystem::path folder_;
};

class RealEphemerides : public SharedEphemerides, public ::testing::WithParamInterface<RealFile> {};

void expectExtreme(const DistanceExtreme& extreme, Extreme which, const ExtremeRow& expected) {
    const ExtremeTexts texts = presentExtreme(extreme, which);
    EXPECT_EQ(texts.item, expected.item);
    EXPECT_EQ(texts.dateText, expected.dateText);
    EXPECT_EQ(texts.au, expected.au);
    EXPECT_EQ(texts.km, expected.km);
}

TEST_P(RealEphemerides, GiveTheirExactExtremesAndWarnings) {
    const RealFile& file = GetParam();
    const ScanOutcome outcome = scan(file.name);
    ASSERT_TRUE(std::holds_alternative<ScanResult>(outcome))
        << std::get<ScanFailure>(outcome).message;
    const auto& result = std::get<ScanResult>(outcome);
    EXPECT_EQ(result.datedCount, file.records);
    EXPECT_EQ(result.header.target, file.target);
    EXPECT_EQ(result.header.centre, file.centre);
    EXPECT_EQ(result.header.units, file.units);
    EXPECT_EQ(result.header.outputFormat, file.outputFormat);
    EXPECT_EQ(result.header.timeScale, "TDB");
    expectExtreme(result.minimum, Extreme::Least, file.least);
    expectExtreme(result.maximum, Extreme::Most, file.most);
    std::vector<std::string> warnings;
    for (const ScanWarning& warning : result.warnings) {
        warnings.push_back(warning.message);
    }
    EXPECT_EQ(warnings, file.warnings);
    EXPECT_EQ(trueLine(result.truePerihelion, Extreme::Least, result.header), file.trueLeast);
    EXPECT_EQ(trueLine(result.trueAphelion, Extreme::Most, result.header), file.trueMost);
}

INSTANTIATE_TEST_SUITE_P(
    Files, RealEphemerides,
    ::testing::Values(
        RealFile{"vectors-earth-ssb-1d-2020-2030-crlf.txt",
                 3654,
                 "Earth (399)",
                 "Solar System Barycenter (0)",
                 "AU-D",
                 {"2185", "2025-Dec-24 00:00:00.0000", "0.978236564455803", "146342107.083471"},
                 {"2369", "2026-Jun-26 00:00:00.0000", "1.02163229994781", "152834016.710537"},
                 {kBarycentre, kCutShort},
                 "true  pericentre (from Solar System Barycenter (0))  2025-Dec-24 00:34:47 TDB ± "
                 "1 s (00:33:38 UTC)  0.978236563 AU  146342107 km  between items 2185 "
                 "and 2186",
                 "true  apocentre (from Solar System Barycenter (0))  2026-Jun-26 08:13:01 TDB ± 3 "
                 "s (08:11:51 UTC)  1.021632592 AU  152834060 km  between items 2369 "
                 "and 2370"},
        RealFile{"vectors-mercury-ssb-1d-2020-2030-crlf.txt",
                 3654,
                 "Mercury (199)",
                 "Solar System Barycenter (0)",
                 "AU-D",
                 {"1978", "2025-May-31 00:00:00.0000", "0.301210221606253", "45060407.7853706"},
                 {"2022", "2025-Jul-14 00:00:00.0000", "0.472956670374412", "70753310.8213738"},
                 {kBarycentre},
                 "true  pericentre (from Solar System Barycenter (0))  2025-May-31 00:10:23 TDB ± "
                 "1 s (00:09:14 UTC)  0.301210203 AU  45060405 km  between items 1978 "
                 "and 1979",
                 "true  apocentre (from Solar System Barycenter (0))  2025-Jul-14 00:39:01 TDB "
                 "(00:37:52 UTC)  0.472956778 AU  70753327 km  between items 2022 "
                 "and 2023"},
        RealFile{"vectors-pluto-ssb-1d-2020-2030-crlf.txt",
                 3654,
                 "Pluto (999)",
                 "Solar System Barycenter (0)",
                 "AU-D",
                 {"1", "2020-Jan-01 00:00:00.0000", "33.9422248436349", "5077684563.42842"},
                 {"3654", "2030-Jan-01 00:00:00.0000", "36.4448651485524", "5452074224.17207"},
                 {kBarycentre},
                 kNoPericentreBefore,
                 kNoApocentreAfter},
        RealFile{"vectors-sun-wrt-ssb-1d-2020-2030-crlf.txt",
                 3654,
                 "Sun (10)",
                 "Solar System Barycenter (0)",
                 "AU-D",
                 {"3654", "2030-Jan-01 00:00:00.0000", "0.000633820776156349", "94818.2385184111"},
                 {"780", "2022-Feb-18 00:00:00.0000", "0.00921268677232628", "1378198.32456607"},
                 {kBarycentre},
                 kNoPericentreAfter,
                 "true  apocentre (from Solar System Barycenter (0))  2022-Feb-17 13:33:10 TDB ± 5 "
                 "s (13:32:01 UTC)  0.009212687 AU  1378198 km  between items 779 "
                 "and 780"},
        RealFile{"vectors-earth-ssb-1d-2020oct-31rec-crlf.txt",
                 31,
                 "Earth (399)",
                 "Solar System Barycenter (0)",
                 "AU-D",
                 {"31", "2020-Nov-16 00:00:00.0000", "0.990301727188046", "148147029.737864"},
                 {"1", "2020-Oct-17 00:00:00.0000", "0.993663941287914", "148650009.808042"},
                 {kBarycentre},
                 kNoPericentreAfter,
                 kNoApocentreBefore},
        RealFile{"vectors-jupiter-ssb-1d-2017oct-31rec-lf.txt",
                 31,
                 "Jupiter (599)",
                 "Solar System Barycenter (0)",
                 "AU-D",
                 {"31", "2017-Nov-16 00:00:00.0000", "5.43363730657266", "812860571.219353"},
                 {"1", "2017-Oct-17 00:00:00.0000", "5.43742421892147", "813427085.243263"},
                 {kBarycentre},
                 kNoPericentreAfter,
                 kNoApocentreBefore},
        RealFile{"vectors-pluto-ssb-1d-2017oct-31rec-lf.txt",
                 31,
                 "Pluto (999)",
                 "Solar System Barycenter (0)",
                 "AU-D",
                 {"1", "2017-Oct-17 00:00:00.0000", "33.4222227585907", "4999893358.74624"},
                 {"31", "2017-Nov-16 00:00:00.0000", "33.4412513375053", "5002739993.63432"},
                 {kBarycentre},
                 kNoPericentreBefore,
                 kNoApocentreAfter},
        // Distances in km: the AU are the km divided by 149597870.7.
        RealFile{"vectors-kms-spitzer-ssb-1h-2017.txt",
                 8761,
                 "Spitzer Space Telescope (-79)",
                 "Solar System Barycenter (0)",
                 "KM-S",
                 {"4389", "2017-Jul-02 20:00:00.0000", "1.00154638059589", "149829205.944437"},
                 {"1", "2017-Jan-01 00:00:00.0000", "1.02783817971363", "153762403.109323"},
                 {kBarycentre},
                 "true  pericentre (from Solar System Barycenter (0))  2017-Jul-02 19:52:07 TDB "
                 "(19:50:58 UTC)  1.001546381 AU  149829206 km  between items 4388 "
                 "and 4389",
                 kNoApocentreBefore},
        // The one Sun-centred file: in CSV form.
        RealFile{"vectors-csv-earth-sun-au-1d-2010-2020.txt",
                 3653,
                 "Earth (399)",
                 "Sun (10)",
                 "AU-D",
                 {"1830", "2015-Jan-04 00:00:00.0000", "0.983277633744148", "147096240.315059"},
                 {"3473", "2019-Jul-05 00:00:00.0000", "1.01675432807618", "152104282.505206"},
                 {},
                 "true  2015-Jan-04 06:37:12 TDB ± 6 s (06:36:05 UTC)  0.983277390 AU  147096204 "
                 "km  between items 1830 "
                 "and 1831",
                 "true  2019-Jul-04 22:12:04 TDB ± 7 s (22:10:54 UTC)  1.016754345 AU  152104285 "
                 "km  between items 3472 "
                 "and 3473"},
        // Positions without ranges (output formats 1 and 2): the distance
        // is |r|, and with a velocity its rate r.v/|r|.
        RealFile{"vectors-format2-earth-ssb-120d-2023.txt",
                 4,
                 "Earth (399)",
                 "Solar System Barycenter (0)",
                 "AU-D",
                 {"4", "2023-Dec-27 00:00:00.0000", "0.9812666864193", "146795406.877172"},
                 {"2", "2023-May-01 00:00:00.0000", "1.01471344950183", "151798971.416125"},
                 {kBarycentre,
                  "2 passages are uncertain by more than a minute (the worst, 2023-Jun-04 "
                  "21:11:27 TDB, by about ±75 h): the records are too far apart there. Save the "
                  "file with a smaller step for a better answer."},
                 "true  pericentre (from Solar System Barycenter (0))  2023-Dec-12 13:18:45 TDB "
                 "± 55 h (13:17:36 UTC)  0.980585707 AU  146693534 km  between items 3 and 4",
                 "true  apocentre (from Solar System Barycenter (0))  2023-Jun-04 21:11:27 TDB ± "
                 "75 h (21:10:18 UTC)  1.017628514 AU  152235059 km  between items 2 and 3",
                 2},
        RealFile{"vectors-format2-csv-mercury-ssb-1d-2018oct.txt",
                 31,
                 "Mercury (199)",
                 "Solar System Barycenter (0)",
                 "AU-D",
                 {"31", "2018-Nov-06 00:00:00.0000", "0.40533448095408", "60637175.2720201"},
                 {"10", "2018-Oct-16 00:00:00.0000", "0.459695899993631", "68769527.8085673"},
                 {kBarycentre},
                 kNoPericentreAfter,
                 "true  apocentre (from Solar System Barycenter (0))  2018-Oct-16 01:34:05 TDB ± "
                 "1 s (01:32:56 UTC)  0.459696463 AU  68769612 km  between items 10 and 11",
                 2},
        RealFile{"vectors-format1-csv-kms-neowise-ssb-1mo-2020-2023.txt",
                 32,
                 "NEOWISE (C/2020 F3)",
                 "Solar System Barycenter (0)",
                 "KM-S",
                 {"1", "2020-Jul-01 00:00:00.0000", "0.30878583385331", "46193703.2467792"},
                 {"32", "2023-Feb-01 00:00:00.0000", "10.2611822940437", "1535051022.05347"},
                 {kBarycentre},
                 kNoPericentreBefore,
                 kNoApocentreAfter,
                 1},
        // Labels off: the legend above $$SOE names the numbers of each line.
        RealFile{"vectors-format1-labels-off-kms-roadster-ssb-12h-2022may.txt",
                 3,
                 "SpaceX Roadster (spacecraft) (-143205)",
                 "Solar System Barycenter (0)",
                 "KM-S",
                 {"3", "2022-May-23 00:00:00.0000", "1.26450464734096", "189167202.732462"},
                 {"1", "2022-May-22 00:00:00.0000", "1.26836003660443", "189743960.756997"},
                 {kBarycentre},
                 kNoPericentreAfter,
                 kNoApocentreBefore,
                 1},
        // Sun-centred, in 30-day steps, with lone CRs for line ends.
        RealFile{"vectors-no-lt-rg-rr-earth-sun-30d-2018-cr-only.txt",
                 134,
                 "Earth (399)",
                 "Sun (10)",
                 "AU-D",
                 {"62", "2023-Jan-05 00:00:00.0000", "0.983295898389856", "147098972.667166"},
                 {"68", "2023-Jul-04 00:00:00.0000", "1.01666658719462", "152091156.656152"},
                 {"22 passages are uncertain by more than a minute (the worst, 2024-Jul-04 "
                  "19:56:12 TDB, by about ±21 h): the records are too far apart there. Save the "
                  "file with a smaller step for a better answer."},
                 "true  2019-Jan-04 01:27:23 TDB ± 19 h (01:26:14 UTC)  0.983275409 AU  147095908 "
                 "km  between items 13 and 14",
                 "true  2020-Jul-04 12:36:39 TDB ± 2 h (12:35:30 UTC)  1.016752251 AU  152103972 "
                 "km  between items 31 and 32",
                 2}),
    [](const auto& info) {
        std::string name = info.param.name;
        name = name.substr(0, name.find(".txt"));
        for (char& c : name) {
            c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        }
        return name;
    });

struct UnfitFile {
    const char* name;
    ScanFailureKind kind;
    const char* message;
};

class UnfitEphemerides : public SharedEphemerides,
                         public ::testing::WithParamInterface<UnfitFile> {};

TEST_P(UnfitEphemerides, FailWithWhatToDoInstead) {
    const ScanOutcome outcome = scan(GetParam().name);
    ASSERT_TRUE(std::holds_alternative<ScanFailure>(outcome));
    EXPECT_EQ(std::get<ScanFailure>(outcome).kind, GetParam().kind);
    EXPECT_EQ(std::get<ScanFailure>(outcome).message, GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Files, UnfitEphemerides,
    ::testing::Values(UnfitFile{"observer-halley-geocentric-1d-2023.txt",
                                ScanFailureKind::NoHeliocentricRange, kNoHeliocentricRange},
                      UnfitFile{"observer-delta-deldot-sun-from-earth-topo-1d-2006-2015.txt",
                                ScanFailureKind::NoHeliocentricRange, kNoHeliocentricRange}),
    [](const auto& info) {
        return std::string(info.index == 0 ? "ObserverTableOfDelta" : "TopocentricObserverTable");
    });

TEST_F(SharedEphemerides, EndStopAndStartFilterWorkOnARealFile) {
    const ScanSettings settings = testing::betweenDates("2017-Oct-20", "2017-Oct-29");
    const auto result =
        std::get<ScanResult>(scan("vectors-jupiter-ssb-1d-2017oct-31rec-lf.txt", settings));
    EXPECT_EQ(result.datedCount, 10);
    EXPECT_EQ(result.maximum.dateText, "2017-Oct-20 00:00:00.0000");
    EXPECT_EQ(result.minimum.dateText, "2017-Oct-28 00:00:00.0000");
}

TEST_F(SharedEphemerides, CsvFileFiltersLikeAPlainTable) {
    const ScanSettings settings = testing::betweenDates("2019-Jan-01", "2019-Mar-01");
    const auto result =
        std::get<ScanResult>(scan("vectors-csv-earth-sun-au-1d-2010-2020.txt", settings));
    EXPECT_EQ(result.datedCount, 60);
    EXPECT_EQ(result.minimum.dateText, "2019-Jan-03 00:00:00.0000");
    EXPECT_EQ(result.maximum.dateText, "2019-Feb-28 00:00:00.0000");
    EXPECT_TRUE(result.warnings.empty());
}

using testing::PassageRecorder;

TEST_F(SharedEphemerides, EarthAroundTheSunPassesPerihelionEachJanuaryAndAphelionEachJuly) {
    ScanSettings settings;
    settings.filePath = (folder_ / "vectors-csv-earth-sun-au-1d-2010-2020.txt").string();
    PassageRecorder recorder;
    ASSERT_TRUE(std::holds_alternative<ScanResult>(EphemerisScanner().scan(settings, recorder)));
    ASSERT_EQ(recorder.passages.size(), 20u);
    int year = 2010;
    for (std::size_t i = 0; i < recorder.passages.size(); i += 2) {
        const auto perihelion = presentPassage(recorder.passages[i], kInTdb);
        const auto aphelion = presentPassage(recorder.passages[i + 1], kInTdb);
        EXPECT_EQ(perihelion.kind, "perihelion");
        EXPECT_EQ(perihelion.time.substr(0, 8), std::to_string(year) + "-Jan");
        EXPECT_EQ(aphelion.kind, "aphelion");
        EXPECT_EQ(aphelion.time.substr(0, 8), std::to_string(year) + "-Jul");
        ++year;
    }
    // Published: 2010 January 3, 00:09 UT, about 66 s before TDB.
    EXPECT_EQ(presentPassage(recorder.passages[0], kInTdb).time, "2010-Jan-03 00:10:21 TDB");
}

// The U.S. Naval Observatory's minutes (UT) of the Earth's perihelia and
// aphelia, 2010 to 2019, in the order of the file's passages.
TEST_F(SharedEphemerides, EarthPassagesInUtcMatchThePublishedMinutes) {
    const char* const published[] = {
        "2010-Jan-03 00:09", "2010-Jul-06 11:30", "2011-Jan-03 18:32", "2011-Jul-04 14:54",
        "2012-Jan-05 00:32", "2012-Jul-05 03:32", "2013-Jan-02 04:38", "2013-Jul-05 14:44",
        "2014-Jan-04 11:59", "2014-Jul-04 00:13", "2015-Jan-04 06:36", "2015-Jul-06 19:40",
        "2016-Jan-02 22:49", "2016-Jul-04 16:24", "2017-Jan-04 14:18", "2017-Jul-03 20:11",
        "2018-Jan-03 05:35", "2018-Jul-06 16:47", "2019-Jan-03 05:20", "2019-Jul-04 22:11"};
    ScanSettings settings;
    settings.filePath = (folder_ / "vectors-csv-earth-sun-au-1d-2010-2020.txt").string();
    PassageRecorder recorder;
    ASSERT_TRUE(std::holds_alternative<ScanResult>(EphemerisScanner().scan(settings, recorder)));
    ASSERT_EQ(recorder.passages.size(), std::size(published));
    for (std::size_t i = 0; i < recorder.passages.size(); ++i) {
        const std::string utc = presentPassage(recorder.passages[i], kInTdb).utc;
        ASSERT_EQ(utc.substr(0, 11), std::string(published[i]).substr(0, 11));
        const auto minutes = [](const std::string& text) {
            return std::stoi(text.substr(12, 2)) * 60 + std::stoi(text.substr(15, 2)) +
                   (text.size() > 17 ? std::stoi(text.substr(18, 2)) / 60.0 : 0);
        };
        EXPECT_LE(std::abs(minutes(utc) - minutes(published[i])), 0.75) << utc;
    }
}

// Its centre is the barycentre: every answer says so, and the warning comes
// before the first passage, so that a reader who stops there has it.
TEST_F(SharedEphemerides, BarycentricPassagesNameTheirCentre) {
    const std::string file = (folder_ / "vectors-mercury-ssb-1d-2020-2030-crlf.txt").string();
    const auto json = testing::runCommand("{ " + std::string(VANDREL_SCAN_PROGRAM) +
                                          " --passages --json '" + file + "' | head -1; }");
    EXPECT_EQ(json.out, "{\"file\":\"" + file +
                            "\",\"passage\":\"pericentre\",\"jd\":2458890.658497,\"time\":"
                            "\"2020-Feb-11 03:48:14 TDB\",\"utc\":\"2020-Feb-11 03:47:05 UTC\","
                            "\"au\":\"0.313469926\",\"km\":\"46894433\",\"between\":[42,43],"
                            "\"uncertainty\":{\"seconds\":9.9,\"au\":6.4e-09},\"center\":"
                            "\"Solar System Barycenter (0)\"}\n");
    EXPECT_EQ(json.err, "vandrel-scan: " + file + ": " + kBarycentre + "\n");
    const auto plain = testing::runCommand("{ " + std::string(VANDREL_SCAN_PROGRAM) +
                                           " --passages '" + file + "' 2>/dev/null | head -2; }");
    EXPECT_EQ(plain.out, file +
                             "  pericentre (from Solar System Barycenter (0))  2020-Feb-11 "
                             "03:48:14 TDB ± 10 s (03:47:05 UTC)  0.313469926 AU  46894433 km  "
                             "between items 42 and 43\n" +
                             file +
                             "  apocentre (from Solar System Barycenter (0))  2020-Mar-26 "
                             "03:07:56 TDB ± 1 s (03:06:47 UTC)  0.460837468 AU  68940304 km  "
                             "between items 86 and 87\n");
    const auto report =
        testing::runCommand(std::string(VANDREL_SCAN_PROGRAM) + " '" + file + "' 2>/dev/null");
    EXPECT_EQ(report.out.substr(0, report.out.find("  records")),
              file + "\n  warning  " + kBarycentre + "\n");
}

// Quantity 19 of an observer table: r from the Sun and its rate, whoever
// observes; dated in UT, as seen from the Earth.
TEST_F(SharedEphemerides, ObserverTableOfMarsGivesItsDistanceFromTheSun) {
    const auto result =
        std::get<ScanResult>(scan("observer-r-rdot-mars-geocentric-2d-2010-2030.txt"));
    EXPECT_EQ(result.datedCount, 3653);
    EXPECT_EQ(result.header.target, "Mars (499)");
    EXPECT_EQ(result.header.centre, "Sun (10)");
    EXPECT_EQ(result.header.timeScale, "UT");
    expectExtreme(result.minimum, Extreme::Least,
                  {"3309", "2028-Feb-12 00:00", "1.381162405699", "206618954.98346"});
    expectExtreme(result.maximum, Extreme::Most,
                  {"3137", "2027-Mar-05 00:00", "1.666100915287", "249245149.298256"});
    ASSERT_EQ(result.warnings.size(), 1u);
    EXPECT_EQ(result.warnings[0].kind, ScanWarningKind::SeenFromTheObserver);
    EXPECT_EQ(trueLine(result.truePerihelion, Extreme::Least, result.header),
              "true  2028-Feb-11 12:32:09 UT ± 1 s  1.381160750 AU  206618707 km  between items "
              "3308 and 3309");
    EXPECT_EQ(trueLine(result.trueAphelion, Extreme::Most, result.header),
              "true  2027-Mar-04 23:12:04 UT  1.666100921 AU  249245150 km  between items 3136 "
              "and 3137");
}

// The Earth and the Sun, both from the Solar System Barycenter: the Earth's
// distance from the Sun, record by record.
TEST_F(SharedEphemerides, BarycentricEarthLessTheSunGivesItsPerihelia) {
    const std::string earth = (folder_ / "vectors-earth-ssb-1d-2020-2030-crlf.txt").string();
    const std::string sun = (folder_ / "vectors-sun-wrt-ssb-1d-2020-2030-crlf.txt").string();
    const auto output =
        testing::runCommand(std::string(VANDREL_SCAN_PROGRAM) + " --passages --json --sun '" + sun +
                            "' '" + earth + "'");
    EXPECT_EQ(output.status, 0) << output.err;
    int perihelia = 0;
    int aphelia = 0;
    for (std::size_t at = 0; (at = output.out.find("\"passage\":\"", at)) != std::string::npos;
         ++at) {
        perihelia += output.out.compare(at + 11, 11, "perihelion\"") == 0;
        aphelia += output.out.compare(at + 11, 9, "aphelion\"") == 0;
    }
    EXPECT_EQ(perihelia, 10);
    EXPECT_EQ(aphelia, 10);
    EXPECT_EQ(output.out.substr(0, output.out.find('\n')),
              "{\"file\":\"" + earth +
                  "\",\"passage\":\"perihelion\",\"jd\":2458853.825733,\"time\":\"2020-Jan-05 "
                  "07:49:03 TDB\",\"utc\":\"2020-Jan-05 07:47:54 UTC\",\"au\":\"0.983243564\","
                  "\"km\":\"147091144\",\"between\":[5,6],\"uncertainty\":{\"seconds\":0.5,"
                  "\"au\":3.8e-12}}");
    EXPECT_NE(
        output.out.find(",\"center\":\"Sun (10)\",\"units\":\"AU-D\",\"sunFile\":\"" + sun + "\""),
        std::string::npos);
    EXPECT_EQ(output.err, "vandrel-scan: " + earth + ": " + kCutShort + "\n");
}

TEST_F(SharedEphemerides, MercuryPassesPerihelionEvery88Days) {
    ScanSettings settings;
    settings.filePath = (folder_ / "vectors-mercury-ssb-1d-2020-2030-crlf.txt").string();
    PassageRecorder recorder;
    const auto result = std::get<ScanResult>(EphemerisScanner().scan(settings, recorder));
    EXPECT_EQ(result.warnings.at(0).kind, ScanWarningKind::NotFromTheSun);
    std::vector<double> perihelia;
    for (const TruePassage& passage : recorder.passages) {
        if (passage.kind == PassageKind::Perihelion) {
            perihelia.push_back(passage.julianDay);
        }
    }
    ASSERT_EQ(perihelia.size(), 42u);
    for (std::size_t i = 1; i < perihelia.size(); ++i) {
        EXPECT_NEAR(perihelia[i] - perihelia[i - 1], 87.97, 0.6);
    }
    EXPECT_EQ(presentPassage(recorder.passages[0], kInTdb).time, "2020-Feb-11 03:48:14 TDB");
}

TEST_F(SharedEphemerides, ScanProgramExitsByWhatEachFileGives) {
    std::string files;
    for (const char* name : {"vectors-csv-earth-sun-au-1d-2010-2020.txt",
                             "vectors-earth-ssb-1d-2020oct-31rec-crlf.txt"}) {
        files += " '" + (folder_ / name).string() + "'";
    }
    const auto good = testing::runCommand(std::string(VANDREL_SCAN_PROGRAM) + files);
    EXPECT_EQ(good.status, 0);
    EXPECT_EQ(good.err, "vandrel-scan: " +
                            (folder_ / "vectors-earth-ssb-1d-2020oct-31rec-crlf.txt").string() +
                            ": " + kBarycentre + "\n");
    const auto observer = testing::runCommand(
        std::string(VANDREL_SCAN_PROGRAM) + " '" +
        (folder_ / "observer-halley-geocentric-1d-2023.txt").string() + "'" + files);
    EXPECT_EQ(observer.status, 3);
}

}  // namespace
}  // namespace vandrel
