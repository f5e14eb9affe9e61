#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace vandrel {

// What one scan reads and looks for; fixed for the whole scan.
struct ScanSettings {
    std::string filePath;
    bool startFilterOn = false;  // records dated before startDateText are skipped
    std::string startDateText;   // read by ParseDate, such as "1900-Jan-01"
    bool endStopOn = false;      // stop at the first record whose date text is endDateText
    std::string endDateText;     // compared as text only
    bool trackMinimum = false;
    bool trackMaximum = false;
};

struct DistanceExtreme {
    double au = 0;
    double km = 0;  // au in km, cut to 15 significant digits
    std::string
        dateText;  // the record's date and time: 25 characters, fewer if its line was shorter
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
};

enum class ScanWarningKind {
    NotFromTheSun,
    UnknownUnits,
    EndMarkerMissing,
    StartDateAfterEveryRecord,
    EndDateNeverMet,
};

// Something the user must know about a result that is still given.
struct ScanWarning {
    ScanWarningKind kind;
    std::string message;  // one line, for the user
};

struct ScanResult {
    DistanceExtreme minimum;
    DistanceExtreme maximum;
    std::int32_t datedCount = 0;
    EphemerisHeader header;
    std::vector<ScanWarning> warnings;  // in the order they were met
};

enum class ScanFailureKind {
    OpenFailed,  // message: the system's reason
    NoStartMarker,
    StartDateNotUnderstood,
    RecordDateNotUnderstood,
    TooManyRecords,
    DistanceOutOfRange,
    ReadFailed,
    NoDistances,  // records, but not one "RG=" distance
    NoRecords,    // something between the markers, but not one dated record
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
    // After the minimum (maximum) has been replaced, with its new item number.
    virtual void newMinimum(std::int32_t item) { (void)item; }
    virtual void newMaximum(std::int32_t item) { (void)item; }
};

}  // namespace vandrel
