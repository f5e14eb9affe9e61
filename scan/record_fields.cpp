#include "scan/record_fields.h"

#include <algorithm>
#include <cstring>

#include "text/text_slice.h"

namespace vandrel {

namespace {

constexpr std::string_view kDateTag = "= A.D.";  // characters 19 to 24
// Before A.D. 1, the date follows "= B.C. ", which stands wherever the Julian
// day ends: it has fewer digits before 1976 B.C.
constexpr std::string_view kBeforeChristTag = " = B.C. ";
constexpr std::string_view kDistanceTag = "RG=";  // characters 27 to 29
constexpr std::uint64_t kDistanceFieldLength = 77;
constexpr std::uint64_t kDistanceWithoutRateLength = 51;
constexpr std::size_t kDateTextLength = 25;        // characters 26 to 50 of a date field
constexpr std::string_view kCsvDateTag = "A.D. ";  // opens a CSV record's calendar date
constexpr std::string_view kCsvBeforeChristTag = "B.C. ";

constexpr std::string_view kRateTag = "RR=";  // characters 53 to 55
constexpr std::string_view kVelocityTags[3] = {"VX=", "VY=", "VZ="};  // at 1, 27 and 53

bool hasTagAt(std::string_view text, std::size_t position, std::string_view tag) {
    return text.size() >= position - 1 + tag.size() &&
           std::memcmp(text.data() + position - 1, tag.data(), tag.size()) == 0;
}

// "2268923.500000000 = B.C. 0500-Jan-01 00:00:00.0000 TDB": the date text
// keeps its "B.C. ".
[[gnu::noinline]] RecordField beforeChristDateField(std::string_view text) {
    RecordField kind;
    const std::size_t tag = text.substr(0, 32).find(kBeforeChristTag);
    if (tag == std::string_view::npos || tag == 0) {
        return kind;
    }
    kind.isDate = true;
    kind.instantText = text.substr(0, tag);
    kind.dateText = text.substr(tag + 3, kLongestDateText);
    return kind;
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
    if (field.length == kDistanceFieldLength) {
        if (hasTagAt(text, 27, kDistanceTag)) {
            // The field is whole and 77 characters long.
            kind.isDistance = true;
            kind.distanceText = {text.data() + 30, 21};
            if (hasTagAt(text, 53, kRateTag)) {
                kind.rateText = {text.data() + 55, 22};
            }
        } else if (hasTagAt(text, 1, kVelocityTags[0]) && hasTagAt(text, 27, kVelocityTags[1]) &&
                   hasTagAt(text, 53, kVelocityTags[2])) {
            kind.velocity = {{text.data() + 3, 22}, {text.data() + 29, 22}, {text.data() + 55, 22}};
        }
        return kind;
    }
    if (field.length == kDistanceWithoutRateLength && hasTagAt(text, 27, kDistanceTag)) {
        kind.isDistance = true;
        kind.distanceText = {text.data() + 30, 21};
        return kind;
    }
    return kind.isDate ? kind : beforeChristDateField(text);
}

std::string_view plainTimeScale(std::string_view dateField) {
    const std::size_t beforeChrist = dateField.substr(0, 32).find(kBeforeChristTag);
    const std::size_t dateEnd = hasTagAt(dateField, 19, kDateTag) ? 25 + kDateTextLength
                                                                  : beforeChrist + 3 + kLongestDateText;
    const std::string_view rest = TextTrimmed(TextSlice(dateField, dateEnd + 1, dateField.size()));
    return rest.substr(0, rest.find_first_of(" \t"));
}

void CsvRecordLine::take(const Field& field) {
    if (field.startsLine) {
        column_ = 0;
        instant_.clear();
        rate_.clear();
        for (auto& component : velocity_) {
            component.clear();
        }
    } else {
        ++column_;
    }
    if (column_ == columns_.calendarDate) {
        if (field.text.starts_with(kCsvDateTag)) {
            hasDate_ = true;
            date_.assign(TextSlice(field.text, kCsvDateTag.size() + 1, kDateTextLength));
        } else if (field.text.starts_with(kCsvBeforeChristTag)) {
            hasDate_ = true;
            date_.assign(TextFirst(field.text, kLongestDateText));
        }
    } else if (column_ == columns_.range) {
        hasRange_ = true;
        range_.assign(field.text);
    } else if (column_ == columns_.julianDay) {
        instant_.assign(field.text);
    } else if (column_ == columns_.rangeRate) {
        rate_.assign(field.text);
    } else {
        for (std::size_t axis = 0; axis < 3; ++axis) {
            if (column_ == columns_.velocity[axis]) {
                velocity_[axis].assign(field.text);
            }
        }
    }
}

RecordField CsvRecordLine::takeRecord() {
    const RecordField record{
        hasDate_,      date_.view(),  instant_.view(),
        hasRange_,     range_.view(), rate_.view(),
        {velocity_[0].view(), velocity_[1].view(), velocity_[2].view()}};
    hasDate_ = false;
    hasRange_ = false;
    return record;
}

}  // namespace vandrel
