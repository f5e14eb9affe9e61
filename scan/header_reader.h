#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "scan/scan_records.h"
#include "text/field_reader.h"

namespace vandrel {

// Where the columns of a file in CSV form stand, counted from 0 in each line;
// kNone where the line of column names has no such column.
struct CsvColumns {
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

    std::size_t julianDay = kNone;                    // "JDTDB", "JDUT" or "JDCT"
    std::size_t calendarDate = kNone;                 // "Calendar Date (TDB)"
    std::size_t range = kNone;                        // "RG"
    std::size_t rangeRate = kNone;                    // "RR"
    std::size_t position[3] = {kNone, kNone, kNone};  // "X", "Y", "Z"
    std::size_t velocity[3] = {kNone, kNone, kNone};  // "VX", "VY", "VZ"

    bool hasPosition() const {
        return position[0] != kNone && position[1] != kNone && position[2] != kNone;
    }
};

// Notes what the lines before "$$SOE" state: the labelled header lines, and
// a line of column names that puts the file in CSV form. Keeps at most
// EphemerisHeader::kMostCharacters of each text, whatever the input.
class HeaderReader {
  public:
    // Every field before "$$SOE", in order.
    void take(const Field& field);
    // The header as read up to "$$SOE".
    const EphemerisHeader& finish();
    const CsvColumns& columns() const { return columns_; }

  private:
    void takeLabelledLine(std::string_view line);
    void takeColumnName(std::string_view name);
    void finishLine();

    EphemerisHeader header_;
    CsvColumns columns_;
    CsvColumns lineColumns_;  // the columns named in the line being read
    std::size_t column_ = 0;
    std::string lineTimeScale_;  // from the line's "Calendar Date (...)"
};

}  // namespace vandrel
