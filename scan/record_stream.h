#pragma once

#include <cstdint>
#include <string>

#include "scan/record_fields.h"
#include "scan/scan_records.h"

namespace vandrel {

// Where a source of records delivers them, in file order: each record's
// date (a RecordField with isDate) and each of its distances (with
// isDistance; a plain line may carry both). The scan behind it applies the
// start filter, the end stop and the record limit, and hands the records it
// lets through to the extreme tracker and the passage finder.
class RecordStream {
  public:
    // False when the scan fails.
    virtual bool take(const RecordField& record) = 0;
    // The source found a record it cannot read: the scan fails with this.
    // Returns false, so that the source can pass it on.
    virtual bool fail(ScanFailureKind kind, std::string message) = 0;
    // The dates taken so far, let through by the span or not.
    virtual std::uint64_t datesMet() const = 0;

  protected:
    ~RecordStream() = default;
};

}  // namespace vandrel
