#pragma once

#include <cstdint>
#include <limits>

#include "scan/scan_records.h"
#include "text/byte_source.h"

namespace vandrel {

// One pass over a Horizons table: the least and the greatest distance from
// the centre among the records between "$$SOE" and "$$EOE" (after "RG=", or
// |r| of a position, or an observer table's r; in AU, or taken from the
// Sun's file of the settings), with the start filter and the end stop of the
// settings, and every passage between the records. Runs in constant memory,
// whatever the size or content of the input.
class EphemerisScanner {
  public:
    static constexpr std::int32_t kMostRecords = std::numeric_limits<std::int32_t>::max();

    // `mostRecords` lowers the record limit, so tests can reach it.
    explicit EphemerisScanner(std::int32_t mostRecords = kMostRecords)
        : mostRecords_(mostRecords) {}

    // Opens settings.filePath and scans it (a file on disk read ahead on a
    // second thread).
    ScanOutcome scan(const ScanSettings& settings, ScanObserver& observer) const;
    // Scans an input that is already open, such as standard input; the
    // settings' file path is not used.
    ScanOutcome scan(ByteSource& input, const ScanSettings& settings, ScanObserver& observer) const;

  private:
    std::int32_t mostRecords_;
};

}  // namespace vandrel
