#include "scan/record_fields.h"

#include <algorithm>
#include <cstring>

#include "text/text_slice.h"

namespace vandrel {

namespace {

constexpr std::string_view kDateTag = "= A.D.";   // characters 19 to 24
constexpr std::string_view kDistanceTag = "RG=";  // characters 27 to 29
constexpr std::uint64_t kDistanceFieldLength = 77;
constexpr std::size_t kDateTextLength = 25;        // characters 26 to 50 of a date field
constexpr std::string_view kCsvDateTag = "A.D. ";  // opens a CSV record's calendar date

constexpr std::string_view kRateTag = "RR=";  // characters 53 to 55

bool hasTagAt(std::string_view text, std::size_t position, std::string_view tag) {
    return text.size() >= position - 1 + tag.size() &&
           std::memcmp(text.data() + position - 1, tag.data(), tag.size()) == 0;
}

}  // namespace

// Every field of a table passes here, so the slices are cut without the
// bounds checks of substr once the field's length is known.
RecordField plainRecordField(const Field& field) {
    const std::string_view text = field.text;
    RecordField kind;
    kind.isDate = hasTagAt(text, 19, kDateTag);
    if (kind.isDate) {
        // At least 24 characters: the date begins at 26, the Julian day ends at 17.
        const std::size_t dateStart = std::min<std::size_t>(25, text.size());
        kind.dateText = {text.data() + dateStart,
                         std::min(kDateTextLength, text.size() - dateStart)};
        kind.instantText = {text.data(), 17};
    }
    kind.isDistance = field.length == kDistanceFieldLength && hasTagAt(text, 27, kDistanceTag);
    if (kind.isDistance) {
        // The field is whole and 77 characters long.
        kind.distanceText = {text.data() + 30, 21};
        if (hasTagAt(text, 53, kRateTag)) {
            kind.rateText = {text.data() + 55, 22};
        }
    }
    return kind;
}

std::string_view plainTimeScale(std::string_view dateField) {
    const std::string_view rest =
        TextTrimmed(TextSlice(dateField, 26 + kDateTextLength, dateField.size()));
    return rest.substr(0, rest.find_first_of(" \t"));
}

void CsvRecordLine::take(const Field& field) {
    if (field.startsLine) {
        column_ = 0;
        instant_.clear();
        rate_.clear();
    } else {
        ++column_;
    }
    if (column_ == columns_.calendarDate && field.text.starts_with(kCsvDateTag)) {
        hasDate_ = true;
        date_.assign(TextSlice(field.text, kCsvDateTag.size() + 1, kDateTextLength));
    } else if (column_ == columns_.range) {
        hasRange_ = true;
        range_.assign(field.text);
    } else if (column_ == columns_.julianDay) {
        instant_.assign(field.text);
    } else if (column_ == columns_.rangeRate) {
        rate_.assign(field.text);
    }
}

RecordField CsvRecordLine::takeRecord() {
    const RecordField record{hasDate_,  date_.view(),  instant_.view(),
                             hasRange_, range_.view(), rate_.view()};
    hasDate_ = false;
    hasRange_ = false;
    return record;
}

}  // namespace vandrel
