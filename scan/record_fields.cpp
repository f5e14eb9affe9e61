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

bool hasTagAt(std::string_view text, std::size_t position, std::string_view tag) {
    return text.size() >= position - 1 + tag.size() &&
           std::memcmp(text.data() + position - 1, tag.data(), tag.size()) == 0;
}

std::size_t copyKept(std::string_view text, char* into) {
    const std::size_t length = std::min(text.size(), CsvRecordLine::kMostCharacters);
    std::memcpy(into, text.data(), length);
    return length;
}

}  // namespace

RecordField plainRecordField(const Field& field) {
    RecordField kind;
    kind.isDate = hasTagAt(field.text, 19, kDateTag);
    if (kind.isDate) {
        kind.dateText = TextSlice(field.text, 26, kDateTextLength);
    }
    kind.isDistance =
        field.length == kDistanceFieldLength && hasTagAt(field.text, 27, kDistanceTag);
    if (kind.isDistance) {
        kind.distanceText = TextSlice(field.text, 31, 21);
    }
    return kind;
}

std::string_view plainTimeScale(std::string_view dateField) {
    std::string_view rest = TextSlice(dateField, 26 + kDateTextLength, dateField.size());
    rest.remove_prefix(std::min(rest.find_first_not_of(" \t"), rest.size()));
    return rest.substr(0, rest.find_first_of(" \t"));
}

void CsvRecordLine::take(const Field& field) {
    column_ = field.startsLine ? 0 : column_ + 1;
    if (column_ == columns_.calendarDate && field.text.starts_with(kCsvDateTag)) {
        hasDate_ = true;
        dateLength_ =
            copyKept(TextSlice(field.text, kCsvDateTag.size() + 1, kDateTextLength), date_);
    } else if (column_ == columns_.range) {
        hasRange_ = true;
        rangeLength_ = copyKept(field.text, range_);
    }
}

RecordField CsvRecordLine::takeRecord() {
    RecordField record{hasDate_, {date_, dateLength_}, hasRange_, {range_, rangeLength_}};
    hasDate_ = false;
    hasRange_ = false;
    return record;
}

}  // namespace vandrel
