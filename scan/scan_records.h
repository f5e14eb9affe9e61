#pragma once

#include <cstdint>
#include <string>
#include <variant>

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

struct ScanResult {
    DistanceExtreme minimum;
    DistanceExtreme maximum;
    std::int32_t datedCount = 0;
    // The input ended after the start marker but before "$$EOE": the results
    // cover what was read, and the caller warns that the file may be cut short.
    bool endMarkerMissing = false;
};

enum class ScanFailureKind {
    OpenFailed,  // message: the system's reason
    NoStartMarker,
    StartDateNotUnderstood,
    RecordDateNotUnderstood,
    TooManyRecords,
    DistanceOutOfRange,
    ReadFailed,
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
