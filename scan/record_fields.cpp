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

constexpr std::string_view kRateTag = "RR=";  // characters 53 to 55

}  // namespace

RecordField plainRecordField(const Field& field) {
    RecordField kind;
    kind.isDate = hasTagAt(field.text, 19, kDateTag);
    if (kind.isDate) {
        kind.dateText = TextSlice(field.text, 26, kDateTextLength);
        kind.instantText = TextFirst(field.text, 17);
    }
    kind.isDistance =
        field.length == kDistanceFieldLength && hasTagAt(field.text, 27, kDistanceTag);
    if (kind.isDistance) {
        kind.distanceText = TextSlice(field.text, 31, 21);
        if (hasTagAt(field.text, 53, kRateTag)) {
            kind.rateText = TextSlice(field.text, 56, 22);
        }
    }
    return kind;
}

std::string_view plainTimeScale(std::string_view dateField) {
    std::string_view rest = TextSlice(dateField, 26 + kDateTextLength, dateField.size());
    rest.remove_prefix(std::min(rest.find_first_not_of(" \t"), rest.size()));
    return rest.substr(0, rest.find_first_of(" \t"));
}

void CsvRecordLine::HeldItem::assign(std::string_view from) {
    length = std::min(from.size(), kMostCharacters);
    std::copy_n(from.data(), length, text);  // an empty view may have no data
}

void CsvRecordLine::take(const Field& field) {
    if (field.startsLine) {
        column_ = 0;
        instant_.length = 0;
        rate_.length = 0;
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
