#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
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

// Where the columns of an observer table stand, found by their names in its
// column header (" Date__(UT)__HR:MN ... r  rdot ... 1-way_down_LT"). Its
// numbers stand right-aligned under their names, and flag columns that may
// be blank follow the time, so a value is the run of characters that holds
// the last character of its name's place, never a count of blank-separated
// words.
struct ObserverColumns {
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

    std::size_t dateWidth = 0;         // of "Date__(UT)__HR:MN": the date and time
    std::size_t rangeEnd = kNone;      // one past the last character of "r" (au)
    std::size_t rateEnd = kNone;       // of "rdot" (km/s)
    std::size_t lightTimeEnd = kNone;  // of "1-way_down_LT" (minutes)
    // In CSV form, the columns of the same names, counted from 0.
    bool csv = false;
    std::size_t rangeColumn = kNone;
    std::size_t rateColumn = kNone;
    std::size_t lightTimeColumn = kNone;

    bool hasRange() const { return rangeEnd != kNone || rangeColumn != kNone; }
    bool hasLightTime() const { return lightTimeEnd != kNone || lightTimeColumn != kNone; }

    // The value under a name that ends before `end`; empty where it is blank.
    static std::string_view valueAt(std::string_view row, std::size_t end);
};

// What each number of a record's lines is in a table saved with labels off,
// as the legend above "$$SOE" names them line by line: "JDTDB", then
// "X     Y     Z", "VX    VY    VZ", "LT    RG    RR".
struct Legend {
    enum class Name : std::uint8_t { Other, X, Y, Z, VX, VY, VZ, RG, RR };
    static constexpr std::size_t kMostLines = 8;
    static constexpr std::size_t kMostNames = 8;

    std::array<std::array<Name, kMostNames>, kMostLines> names{};
    std::array<std::size_t, kMostLines> counts{};  // names on each line
    std::size_t lines = 0;
    std::array<std::string, kMostLines> text;  // each line as written, for messages

    // Adds a line of names; false for a line that is no legend line.
    bool addLine(std::string_view line);
};

// Notes what the lines before "$$SOE" state: the labelled header lines, a
// line of column names that puts the file in CSV form, and the legend. Keeps at most
// EphemerisHeader::kMostCharacters of each text, whatever the input.
class HeaderReader {
  public:
    // Every field before "$$SOE", in order.
    void take(const Field& field);
    // The header as read up to "$$SOE".
    const EphemerisHeader& finish();
    const CsvColumns& columns() const { return columns_; }
    const Legend& legend() const { return legend_; }
    const ObserverColumns& observerColumns() const { return observerColumns_; }

  private:
    void takeLabelledLine(std::string_view line);
    void takeColumnName(std::string_view name);
    void finishLine();

    EphemerisHeader header_;
    CsvColumns columns_;
    CsvColumns lineColumns_;  // the columns named in the line being read
    std::size_t column_ = 0;
    std::string lineTimeScale_;  // from the line's "Calendar Date (...)"
    void takeObserverHeader(std::string_view line);
    void takeObserverColumn(std::string_view name);

    Legend legend_;
    ObserverColumns observerColumns_;
    bool inLegend_ = false;          // the lines after a line of "JDTDB" alone
    bool inObserverHeader_ = false;  // the line of an observer table's column names
};

}  // namespace vandrel
