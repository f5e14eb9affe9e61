#include "scan/passage_refinement.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <numbers>
#include <optional>
#include <vector>

#include "tests/test_rows.h"

namespace vandrel {
namespace {

constexpr double kSecondsPerDay = 86400;

// An orbit about the Sun whose passages are known exactly: perihelion at
// mean anomaly 0, aphelion at 180 degrees.
struct KeplerOrbit {
    double semiMajorAxis;  // AU
    double eccentricity;
    double perihelionDay;  // one perihelion's Julian day

    double meanMotion() const {
        constexpr double kGaussianGravity = 0.01720209895;  // rad/day at 1 AU
        return kGaussianGravity / std::pow(semiMajorAxis, 1.5);
    }
    double period() const { return 2 * std::numbers::pi / meanMotion(); }

    RangeRecord recordAt(double julianDay) const {
        const double meanAnomaly =
            std::remainder(meanMotion() * (julianDay - perihelionDay), 2 * std::numbers::pi);
        double eccentricAnomaly = meanAnomaly;
        for (int i = 0; i < 50; ++i) {
            eccentricAnomaly -=
                (eccentricAnomaly - eccentricity * std::sin(eccentricAnomaly) - meanAnomaly) /
                (1 - eccentricity * std::cos(eccentricAnomaly));
        }
        const double denominator = 1 - eccentricity * std::cos(eccentricAnomaly);
        return {
            julianDay, semiMajorAxis * denominator,
            semiMajorAxis * eccentricity * std::sin(eccentricAnomaly) * meanMotion() / denominator};
    }

    // The exact passage of this kind nearest to a Julian day, and its distance.
    Passage nearestPassage(PassageKind kind, double julianDay) const {
        const double phase = kind == PassageKind::Perihelion ? 0.0 : 0.5;
        const double cycles = std::round((julianDay - perihelionDay) / period() - phase);
        const double au = kind == PassageKind::Perihelion ? semiMajorAxis * (1 - eccentricity)
                                                          : semiMajorAxis * (1 + eccentricity);
        return {kind, perihelionDay + (cycles + phase) * period(), au};
    }
};

// The records of an orbit from a first day on, the steps taken in turn from
// a repeating pattern.
std::vector<RangeRecord> recordsOf(const KeplerOrbit& orbit, double firstDay, double spanDays,
                                   const std::vector<double>& stepPattern) {
    std::vector<RangeRecord> records;
    double day = firstDay;
    for (std::size_t i = 0; day <= firstDay + spanDays; ++i) {
        records.push_back(orbit.recordAt(day));
        day += stepPattern[i % stepPattern.size()];
    }
    return records;
}

struct Errors {
    int perihelia = 0;
    int aphelia = 0;
    double worstSeconds = 0;
    double worstAu = 0;
    bool allBetweenTheirRecords = true;

    void add(const KeplerOrbit& orbit, const Passage& found) {
        (found.kind == PassageKind::Perihelion ? perihelia : aphelia) += 1;
        const Passage exact = orbit.nearestPassage(found.kind, found.julianDay);
        worstSeconds =
            std::max(worstSeconds, std::abs(found.julianDay - exact.julianDay) * kSecondsPerDay);
        worstAu = std::max(worstAu, std::abs(found.au - exact.au));
    }
};

Errors hermiteErrors(const KeplerOrbit& orbit, const std::vector<RangeRecord>& records) {
    Errors errors;
    for (std::size_t i = 1; i < records.size(); ++i) {
        if (const auto passage = refineBetweenRecords(records[i - 1], records[i])) {
            errors.add(orbit, *passage);
            errors.allBetweenTheirRecords &= passage->julianDay >= records[i - 1].julianDay &&
                                             passage->julianDay <= records[i].julianDay;
        }
    }
    return errors;
}

// With `onIndices` the parabola is laid through record indices, as where
// instants cannot be read, and its vertex is turned back into a Julian day
// with the first record's instant and the (equal) step.
Errors threePointErrors(const KeplerOrbit& orbit, const std::vector<RangeRecord>& records,
                        bool onIndices) {
    const double step = records[1].julianDay - records[0].julianDay;
    const auto point = [&](std::size_t i) {
        return RangePoint{onIndices ? static_cast<double>(i) : records[i].julianDay, records[i].au};
    };
    Errors errors;
    for (std::size_t i = 1; i + 1 < records.size(); ++i) {
        const auto passage = refineAcrossThreeRecords(point(i - 1), point(i), point(i + 1));
        if (passage) {
            const double julianDay =
                onIndices ? records[0].julianDay + passage->time * step : passage->time;
            errors.add(orbit, {passage->kind, julianDay, passage->au});
            const bool before = passage->side == VertexSide::BeforeMiddle;
            errors.allBetweenTheirRecords &= julianDay >= records[before ? i - 1 : i].julianDay &&
                                             julianDay <= records[before ? i : i + 1].julianDay;
        }
    }
    return errors;
}

enum class Method { Hermite, ThreePoint, ThreePointOnIndices };

struct OrbitCase {
    const char* name;
    double eccentricity;
    double spanDays;
    std::vector<double> stepPattern;
    Method method;
    int passagesOfEachKind;
    // The worst errors measured on this machine; every run must stay within
    // the bound, and within 1 % of the measured figure where that figure is
    // far above the rounding of a Julian day (40 microseconds).
    double boundSeconds;
    double measuredSeconds;
    double boundAu;
    double measuredAu;
};

class GeneratedOrbits : public ::testing::TestWithParam<OrbitCase> {};

TEST_P(GeneratedOrbits, PassagesMatchTheExactInstantsAndDistances) {
    const OrbitCase& row = GetParam();
    const KeplerOrbit orbit{1.00000011, row.eccentricity, 2458853.82493};
    const auto records = recordsOf(orbit, 2458800.5, row.spanDays, row.stepPattern);
    const Errors errors =
        row.method == Method::Hermite
            ? hermiteErrors(orbit, records)
            : threePointErrors(orbit, records, row.method == Method::ThreePointOnIndices);
    std::printf("[ measured ] %s: %d perihelia, %d aphelia, worst %.6g s, %.3g AU\n", row.name,
                errors.perihelia, errors.aphelia, errors.worstSeconds, errors.worstAu);
    EXPECT_EQ(errors.perihelia, row.passagesOfEachKind);
    EXPECT_EQ(errors.aphelia, row.passagesOfEachKind);
    EXPECT_TRUE(errors.allBetweenTheirRecords);
    EXPECT_LE(errors.worstSeconds, row.boundSeconds);
    EXPECT_LE(errors.worstAu, row.boundAu);
    if (row.measuredSeconds > 0) {
        EXPECT_NEAR(errors.worstSeconds, row.measuredSeconds, 0.01 * row.measuredSeconds);
    }
    if (row.measuredAu > 0) {
        EXPECT_NEAR(errors.worstAu, row.measuredAu, 0.01 * row.measuredAu);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, GeneratedOrbits,
    ::testing::Values(
        OrbitCase{"EarthLikeDaily",
                  0.0167,
                  4 * 365.25,
                  {1.0},
                  Method::Hermite,
                  4,
                  60,
                  0.215609,
                  1e-9,
                  4.12e-12},
        // Below a Julian day's rounding: only the bounds hold.
        OrbitCase{
            "EarthLikeHourly", 0.0167, 4 * 365.25, {1.0 / 24}, Method::Hermite, 4, 1, 0, 1e-15, 0},
        OrbitCase{"EarthLikeUnequalSteps",
                  0.0167,
                  4 * 365.25,
                  {0.5, 1.25, 0.75, 1.5},
                  Method::Hermite,
                  4,
                  60,
                  0.616573,
                  1e-9,
                  1.06e-11},
        OrbitCase{"EccentricTenDays",
                  0.2,
                  20 * 365.25,
                  {10.0},
                  Method::Hermite,
                  20,
                  700,
                  631.787,
                  3e-6,
                  2.21e-6},
        OrbitCase{"ThreePointDaily",
                  0.0167,
                  4 * 365.25,
                  {1.0},
                  Method::ThreePoint,
                  4,
                  60,
                  0.44172,
                  1e-9,
                  3.01e-11},
        OrbitCase{"ThreePointDailyOnIndices",
                  0.0167,
                  4 * 365.25,
                  {1.0},
                  Method::ThreePointOnIndices,
                  4,
                  60,
                  0.44172,
                  1e-9,
                  3.01e-11},
        OrbitCase{"ThreePointUnequalSteps",
                  0.0167,
                  4 * 365.25,
                  {0.5, 1.25, 0.75, 1.5},
                  Method::ThreePoint,
                  4,
                  60,
                  0.8422,
                  1e-9,
                  3.08e-11},
        OrbitCase{"ThreePointEccentricTenDays",
                  0.2,
                  20 * 365.25,
                  {10.0},
                  Method::ThreePoint,
                  20,
                  1400,
                  1261.7,
                  2e-5,
                  1.89e-5}),
    [](const auto& info) { return std::string(info.param.name); });

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kDay = 2458849.5;

struct HermiteCase {
    const char* name;
    RangeRecord earlier;
    RangeRecord later;
    std::optional<Passage> expected;
};

class HermiteEdges : public ::testing::TestWithParam<HermiteCase> {};

TEST_P(HermiteEdges, GiveTheExtremeOfTheCubicOrNothing) {
    const HermiteCase& row = GetParam();
    const std::optional<Passage> found = refineBetweenRecords(row.earlier, row.later);
    ASSERT_EQ(found.has_value(), row.expected.has_value());
    if (found) {
        EXPECT_EQ(found->kind, row.expected->kind);
        EXPECT_EQ(found->julianDay, row.expected->julianDay);
        EXPECT_NEAR(found->au, row.expected->au, 1e-15);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, HermiteEdges,
    ::testing::Values(
        // r = 1.0167 + 0.001 (t - t0) - 0.0005 (t - t0)^2: no cubic term at all.
        HermiteCase{"ZeroLeadingCoefficient",
                    {kDay, 1.0167, 0.001},
                    {kDay + 2, 1.0167, -0.001},
                    Passage{PassageKind::Aphelion, kDay + 1, 1.0172}},
        // r = 1 + 0.001 t - 0.0005 t^2 + 1e-12 t^3: the textbook root formula
        // cancels to t = 1 exactly, 3e-9 days (six last bits) early.
        HermiteCase{"CubicTermTinyBesideTheQuadratic",
                    {kDay, 1.0, 0.001},
                    {kDay + 2, 1.0 + 8e-12, -0.001 + 12e-12},
                    Passage{PassageKind::Aphelion, kDay + 1.000000003, 1.0005 + 1e-12}},
        HermiteCase{"RateZeroAtTheLaterRecord",
                    {kDay, 1.0, -0.01},
                    {kDay + 1, 0.995, 0.0},
                    Passage{PassageKind::Perihelion, kDay + 1, 0.995}},
        // p'(s) = -0.01 (3 s - 1) (s - 1): a least value at s = 1/3, then a
        // greatest at the later record; the least one is the perihelion.
        HermiteCase{"RateZeroAtTheEndButLeastInside",
                    {kDay, 1.0, -0.01},
                    {kDay + 1, 1.0, 0.0},
                    Passage{PassageKind::Perihelion, kDay + 1.0 / 3, 1 - 0.04 / 27}},
        HermiteCase{"RateZeroAtTheEarlierRecordBelongsToTheEarlierPair",
                    {kDay, 0.995, 0.0},
                    {kDay + 1, 1.0, 0.01},
                    std::nullopt},
        HermiteCase{"BothRatesZero", {kDay, 1.0, 0.0}, {kDay + 1, 1.0, 0.0}, std::nullopt},
        HermiteCase{"NegativeZeroIsZero", {kDay, 1.0, -0.0}, {kDay + 1, 1.0, 0.01}, std::nullopt},
        HermiteCase{"NoSignChange", {kDay, 1.0, -0.01}, {kDay + 1, 0.99, -0.001}, std::nullopt},
        // A step of two last bits of the Julian day (2^-30 days): the instant
        // is the one between them, which only local arithmetic finds.
        HermiteCase{"TinyInterval",
                    {kDay, 1.0, -1e-3},
                    {kDay + 0x1p-30, 1.0, 1e-3},
                    Passage{PassageKind::Perihelion, kDay + 0x1p-31, 1.0 - 0.25e-3 * 0x1p-30}},
        HermiteCase{"SameInstant", {kDay, 1.0, -0.01}, {kDay, 1.0, 0.01}, std::nullopt},
        HermiteCase{"InstantsOutOfOrder", {kDay + 1, 1.0, -0.01}, {kDay, 1.0, 0.01}, std::nullopt},
        HermiteCase{"RangeNotANumber", {kDay, kNaN, -0.01}, {kDay + 1, 1.0, 0.01}, std::nullopt},
        HermiteCase{"InstantNotANumber", {kDay, 1.0, -0.01}, {kNaN, 1.0, 0.01}, std::nullopt},
        HermiteCase{"RateInfinite",
                    {kDay, 1.0, -std::numeric_limits<double>::infinity()},
                    {kDay + 1, 1.0, 0.01},
                    std::nullopt},
        HermiteCase{"CubicOverflows", {kDay, 1.0, -1e308}, {kDay + 10, 1.0, 1e308}, std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

struct ThreePointCase {
    const char* name;
    RangePoint before, middle, after;
    std::optional<ParabolaPassage> expected;
};

class ThreePointEdges : public ::testing::TestWithParam<ThreePointCase> {};

TEST_P(ThreePointEdges, GiveTheVertexAndItsSideOrNothing) {
    const ThreePointCase& row = GetParam();
    const auto found = refineAcrossThreeRecords(row.before, row.middle, row.after);
    ASSERT_EQ(found.has_value(), row.expected.has_value());
    if (found) {
        EXPECT_EQ(found->kind, row.expected->kind);
        EXPECT_NEAR(found->time, row.expected->time, 1e-12);
        EXPECT_NEAR(found->au, row.expected->au, 1e-15);
        EXPECT_EQ(found->side, row.expected->side);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ThreePointEdges,
    ::testing::Values(
        ThreePointCase{"Symmetric",
                       {-1, 2},
                       {0, 1},
                       {1, 2},
                       ParabolaPassage{PassageKind::Perihelion, 0, 1, VertexSide::AtMiddle}},
        // (t - 2)^2 through t = 0, 1, 3.
        ThreePointCase{"UnequalStepsAfterMiddle",
                       {0, 4},
                       {1, 1},
                       {3, 1},
                       ParabolaPassage{PassageKind::Perihelion, 2, 0, VertexSide::AfterMiddle}},
        // 0.98 + (t - 0.3)^2 through t = -1, 0, 2.
        ThreePointCase{
            "UnequalStepsOffCentre",
            {-1, 2.67},
            {0, 1.07},
            {2, 3.87},
            ParabolaPassage{PassageKind::Perihelion, 0.3, 0.98, VertexSide::AfterMiddle}},
        // 1.0167 - (t - 5.6)^2 through record indices 5, 6, 7.
        ThreePointCase{
            "AphelionOnIndicesBeforeMiddle",
            {5, 1.0167 - 0.36},
            {6, 1.0167 - 0.16},
            {7, 1.0167 - 1.96},
            ParabolaPassage{PassageKind::Aphelion, 5.6, 1.0167, VertexSide::BeforeMiddle}},
        ThreePointCase{
            "FlatAfterMiddle",
            {0, 2},
            {1, 1},
            {2, 1},
            ParabolaPassage{PassageKind::Perihelion, 1.5, 0.875, VertexSide::AfterMiddle}},
        ThreePointCase{"FlatBeforeMiddleIsNoPassage", {0, 1}, {1, 1}, {2, 2}, std::nullopt},
        ThreePointCase{"AllEqual", {0, 1}, {1, 1}, {2, 1}, std::nullopt},
        ThreePointCase{"Monotone", {0, 3}, {1, 2}, {2, 1}, std::nullopt},
        ThreePointCase{"RepeatedTime", {0, 2}, {0, 1}, {2, 2}, std::nullopt},
        ThreePointCase{"TimesOutOfOrder", {2, 2}, {1, 1}, {0, 2}, std::nullopt},
        ThreePointCase{"DistanceNotANumber", {0, 2}, {1, 1}, {2, kNaN}, std::nullopt},
        ThreePointCase{"Overflow", {0, 1e308}, {1e-300, -1e308}, {1, 1e308}, std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vandrel
