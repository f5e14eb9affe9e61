#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "scan/passage_refinement.h"

namespace vandrel {

// The astronomical unit in km, as Horizons and the IAU define it.
inline constexpr double kKmPerAu = 149597870.7;

// What one scan reads and looks for; fixed for the whole scan.
struct ScanSettings {
    std::string filePath;
    bool startFilterOn = false;  // records dated before startDateText are skipped
    std::string startDateText;   // read by ParseDate, such as "1900-Jan-01"
    bool endStopOn = false;      // stop at the first record whose date text is endDateText
    std::string endDateText;     // compared as text only
    bool trackMinimum = false;
    bool trackMaximum = false;
    // A vector table of the Sun from the same centre and instants: the
    // distances are then taken from the Sun's position at each record.
    std::string sunFilePath;
};

struct DistanceExtreme {
    double au = 0;
    double km = 0;  // au in km; its text (and the summary's) is cut to 15 significant digits
    // The record's date and time: 25 characters, fewer if its line was
    // shorter, and 30 for a date B.C., which begins "B.C. ".
    std::string dateText;
    std::int32_t item = 0;  // the record's item number among the records let through
};

// What a file's header says about its records. Each text holds at most
// kMostCharacters characters; an empty text (or format 0) means the header
// does not say.
struct EphemerisHeader {
    static constexpr std::size_t kMostCharacters = 80;

    std::string target;     // "Earth (399)"
    std::string centre;     // "Sun (10)", "Solar System Barycenter (0)"
    std::string units;      // "AU-D", "KM-S" or "KM-D"
    int outputFormat = 0;   // 3: position, velocity, LT, range and range-rate
    std::string timeScale;  // of the records' dates: "TDB", "UT" or "CT"
    bool csv = false;       // one record per line, in named columns
    bool observer = false;  // an observer table: its rows carry r, the distance from the Sun

    // Distances from the Sun: the header names it, or names no centre.
    bool fromSun() const { return centre.empty() || centre == "Sun (10)"; }
};

enum class ScanWarningKind {
    NotFromTheSun,
    UnknownUnits,
    EndMarkerMissing,
    StartDateAfterEveryRecord,
    EndDateNeverMet,
    UncertainPassages,
    EndBeforeStart,
    SeenFromTheObserver,  // an observer table without the light time
};

// Something the user must know about a result that is still given.
struct ScanWarning {
    ScanWarningKind kind;
    std::string message;  // one line, for the user
};

// How far a refined passage may be from the truth: the difference between
// two refinements of it.
struct PassageUncertainty {
    double seconds = 0;
    double au = 0;
};

// A perihelion or aphelion refined between two records let through.
struct TruePassage {
    PassageKind kind = PassageKind::Perihelion;
    double julianDay = 0;  // in the time scale of the file's dates
    double au = 0;
    std::int32_t itemBefore = 0;  // the items of the records it lies between
    std::int32_t itemAfter = 0;
    std::optional<PassageUncertainty> uncertainty;  // none where it cannot be estimated
};

// Whether a body's orbit about the Sun returns it.
enum class OrbitBound { Unknown, Closed, Open };

// Where the least (or greatest) distance of a span without a passage of that
// kind lies.
enum class SpanEnd { None, First, Last };

// The true perihelion (or aphelion) of the span: the passage of that kind
// with the least (greatest) refined distance, or, when the span holds none,
// the end of the span where its least (greatest) distance lies. Both are
// empty when no record with a distance was let through.
struct TrueExtreme {
    std::optional<TruePassage> passage;
    SpanEnd endWithoutPassage = SpanEnd::None;
    // For the greatest distance at an end, what the record there tells of
    // the orbit: Open when the body moves faster than the Sun's escape speed
    // there, so that no aphelion lies beyond the span either; Unknown when
    // no velocity about the Sun was read to tell.
    OrbitBound orbit = OrbitBound::Unknown;
};

struct ScanResult {
    DistanceExtreme minimum;
    DistanceExtreme maximum;
    std::int32_t datedCount = 0;
    EphemerisHeader header;
    std::vector<ScanWarning> warnings;  // in the order they were met
    TrueExtreme truePerihelion;
    TrueExtreme trueAphelion;
};

enum class ScanFailureKind {
    OpenFailed,  // message: the system's reason
    NoStartMarker,
    StartDateNotUnderstood,
    RecordDateNotUnderstood,
    TooManyRecords,
    DistanceOutOfRange,
    ReadFailed,
    NoDistances,          // records, but not one distance: no "RG=" and no position
    NoRecords,            // something between the markers, but not one dated record
    RecordNotFitLegend,   // a line of numbers that the legend does not name
    NoHeliocentricRange,  // an observer table without quantity 19
    SunFileMismatch,      // the Sun's file cannot serve beside the body's
};

struct ScanFailure {
    ScanFailureKind kind;
    std::string message;  // one line, for the user
};

using ScanOutcome = std::variant<ScanResult, ScanFailure>;

// Told of the scan's progress, synchronously, on the caller's thread.
class ScanObserver {
  public:
    virtual ~ScanObserver() = default;
    // Once the file is open, before anything is read.
    virtual void fileOpened() {}
    // At "$$SOE", with what the header says and the warnings that it decides
    // (a centre other than the Sun, unknown units), before any passage.
    virtual void recordsBegin(const EphemerisHeader& header,
                              const std::vector<ScanWarning>& warnings) {
        (void)header;
        (void)warnings;
    }
    // After the minimum (maximum) has been replaced, with its new item number.
    virtual void newMinimum(std::int32_t item) { (void)item; }
    virtual void newMaximum(std::int32_t item) { (void)item; }
    // Asked once, before the file is read: true to be told of every record
    // let through, which slows the scan.
    virtual bool wantsEveryRecord() const { return false; }
    // Each record let through with a readable instant (in the time scale of
    // the file's dates) and a positive distance in AU, in order, read to
    // within a relative 1e-15: for drawing, not for comparing.
    virtual void recordRead(std::int32_t item, double julianDay, double au) {
        (void)item;
        (void)julianDay;
        (void)au;
    }
    // Each perihelion and aphelion passage of the span, in order, as it is
    // found; the header says in which time scale its instant is.
    virtual void newPassage(const TruePassage& passage, const EphemerisHeader& header) {
        (void)passage;
        (void)header;
    }
};

}  // namespace vandrel
