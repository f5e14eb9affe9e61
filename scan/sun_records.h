#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "scan/header_reader.h"
#include "scan/record_fields.h"
#include "scan/scan_records.h"
#include "text/byte_source.h"
#include "text/field_reader.h"

namespace vandrel {

// The records of a vector table of the Sun, read one at a time beside the
// table of a body from the same centre, so that the body's distance can be
// taken from the Sun: plain (X and VX lines) or CSV (X, Y, Z, VX, VY, VZ
// columns). Holds one record at a time.
class SunRecords {
  public:
    // Opens the file and reads its header; the failure says why it cannot
    // serve beside a table with this header.
    static std::optional<ScanFailure> open(const std::string& path, const EphemerisHeader& body,
                                           std::unique_ptr<SunRecords>& records);

    // The next record; false at the end of its records.
    bool next();
    // The record's Julian day, and its position and velocity in the file's units.
    double julianDay() const { return julianDay_; }
    const RangeFromPosition::Origin& state() const { return state_; }
    // The read failed: the system's reason; empty when it did not.
    std::string error() const { return reader_.error(); }

  private:
    explicit SunRecords(std::unique_ptr<ByteSource> source)
        : source_(std::move(source)), reader_(*source_, kLineCharacters) {}

    bool takePlainField(const Field& field);
    bool takeCsvItem(const Field& field);
    void publish();  // the record read is complete

    std::unique_ptr<ByteSource> source_;
    FieldReader reader_;
    HeaderReader header_;
    bool csv_ = false;
    bool ended_ = false;
    std::size_t column_ = 0;
    // The record being read, and the last one complete.
    bool hasRecord_ = false;
    double readingJulianDay_ = 0;
    double julianDay_ = 0;
    RangeFromPosition::Origin state_;
    RangeFromPosition::Origin reading_;
};

}  // namespace vandrel
