#pragma once

#include <optional>

namespace vandrel {

enum class PassageKind { Perihelion, Aphelion };

// One refined passage: the instant of least (perihelion) or greatest
// (aphelion) distance from the Sun, and that distance.
struct Passage {
    PassageKind kind;
    double julianDay;
    double au;
};

// One record as the refinement reads it.
struct RangeRecord {
    double julianDay;
    double au;        // range from the Sun (RG)
    double auPerDay;  // its rate of change (RR)
};

// The passage, if any, that lies between two consecutive records by the signs
// of their range rates: perihelion when earlier < 0 <= later, aphelion when
// earlier > 0 >= later. A rate of exactly 0 thus belongs to the pair that it
// ends, so a passage on a record is found once, not twice.
std::optional<PassageKind> passageKindBetween(double earlierRate, double laterRate);

// The passage between two consecutive records, refined on the cubic Hermite
// polynomial of the range over [earlier, later] built from both ranges and
// both rates: its least (perihelion) or greatest (aphelion) value on the
// interval, which lies at a root of its derivative, inside the interval or,
// when the later rate is 0, possibly at the later record. The instant always
// lies within the interval. Nothing when the rates' signs show no passage
// (passageKindBetween), when a value is not finite or so large that the cubic
// overflows, or when the later instant does not come after the earlier one (a
// repeated or out-of-order instant); the caller can then fall back to
// refineAcrossThreeRecords on record indices.
std::optional<Passage> refineBetweenRecords(const RangeRecord& earlier, const RangeRecord& later);
// The same for a passage of the kind that the rates' written signs show,
// which their values may no longer show (a rate that underflows to 0 in
// AU/day).
std::optional<Passage> refineBetweenRecords(PassageKind kind, const RangeRecord& earlier,
                                            const RangeRecord& later);

// A point for the three-point refinement. `time` is the record's Julian day,
// or its index where instants cannot be read; the result comes back on the
// same axis.
struct RangePoint {
    double time;
    double au;
};

// Where the refined instant lies relative to the middle record, so that the
// caller can name the pair of records it falls between.
enum class VertexSide { BeforeMiddle, AtMiddle, AfterMiddle };

struct ParabolaPassage {
    PassageKind kind;
    double time;  // on the axis of the input points
    double au;
    VertexSide side;
};

// The passage at the middle of three consecutive records without rates:
// perihelion when before > middle <= after, aphelion when before < middle >=
// after, refined to the vertex of the parabola through the three points
// (steps may differ). The vertex always lies between the midpoints of the two
// steps. Nothing when the distances show no passage, a value is not finite,
// or the times do not increase strictly.
std::optional<ParabolaPassage> refineAcrossThreeRecords(const RangePoint& before,
                                                        const RangePoint& middle,
                                                        const RangePoint& after);

// The second refinements, whose difference from the first estimates the
// error of a passage. Each gives the least (or greatest) value of a
// polynomial of higher degree over the records around the passage, and
// nothing where a value is not finite or the instants do not differ.
// - The quintic Hermite polynomial through three records' ranges and rates:
//   the passage's two records and a neighbour on either side.
std::optional<Passage> refineOnQuintic(PassageKind kind, const RangeRecord& earlier,
                                       const RangeRecord& later, const RangeRecord& neighbour);
// - The cubic through four ranges: the three of a passage without rates and
//   a neighbour; between the first and the last of the three.
std::optional<Passage> refineOnFourRanges(PassageKind kind, const RangePoint (&three)[3],
                                          const RangePoint& neighbour);

}  // namespace vandrel
