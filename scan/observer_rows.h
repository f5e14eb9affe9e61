#pragma once

#include <cstddef>
#include <string_view>

#include "scan/header_reader.h"
#include "scan/record_fields.h"
#include "scan/record_stream.h"
#include "text/field_reader.h"
#include "text/held_text.h"

namespace vandrel {

// The rows of an observer table, plain or in CSV form: each row is a record
// dated as written, less the light time where the table gives it, with its
// r (the distance from the Sun, in AU) and rdot (in km/s). A plain row's
// values are found by their places under the column names.
class ObserverRows {
  public:
    explicit ObserverRows(const ObserverColumns& columns) : columns_(columns) {}

    // One line (plain) or item (CSV) after "$$SOE"; false when the scan fails.
    bool take(const Field& field, RecordStream& stream);
    // At the end of the records: a table in CSV form still holds its last row.
    bool finish(RecordStream& stream);

  private:
    bool takeItem(const Field& field, RecordStream& stream);
    bool takeHeldRow(RecordStream& stream);
    bool takeRow(std::string_view dateText, std::string_view range, std::string_view rate,
                 std::string_view lightTime, RecordStream& stream);

    const ObserverColumns& columns_;
    ShortestNumberText instant_;  // a row's Julian day, less the light time
    struct HeldRow {              // a row of a table in CSV form, while its items come
        bool hasDate = false;
        HeldText<kLongestDateText> date;
        HeldText<kKeptCharacters> range;
        HeldText<kKeptCharacters> rate;
        HeldText<kKeptCharacters> lightTime;
    } row_;
    std::size_t column_ = 0;
};

}  // namespace vandrel
