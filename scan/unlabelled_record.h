#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "scan/header_reader.h"
#include "scan/record_fields.h"
#include "text/held_text.h"

namespace vandrel {

// One record of a plain table saved with labels off: after its date line,
// lines of numbers only, each number placed by its line and place in the
// legend. Holds a fixed number of characters.
class UnlabelledRecord {
  public:
    explicit UnlabelledRecord(const Legend& legend) : legend_(legend) {}

    // Whether a line of a record holds numbers only: its first character
    // opens a number.
    static bool isNumbersLine(std::string_view line) {
        return !line.empty() && ((line[0] >= '0' && line[0] <= '9') || line[0] == '-' ||
                                 line[0] == '+' || line[0] == '.');
    }

    // A new record begins.
    void begin();
    // The record's next line of numbers; empty when it fits the legend, or
    // else why it does not, for the message that names the record.
    std::string take(std::string_view line);
    // The record's range and rate: RG and RR where the legend has them, or
    // else those of its position X, Y, Z (and velocity). False when it has
    // neither.
    bool range(RecordField& field);
    // The record's velocity, VX, VY, VZ as written, where the record holds
    // all three; empty texts otherwise. Valid until the next record begins.
    VectorTexts velocity() const;

  private:
    static constexpr std::size_t kNames = 9;  // the names of Legend::Name

    const Legend& legend_;
    std::size_t lines_ = 0;
    HeldText<kKeptCharacters, kRangeWidth> values_[kNames];
    bool has_[kNames] = {};
    RangeFromPosition fromPosition_;
};

}  // namespace vandrel
