#include "scan/record_fields.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

#include "scan/horizons_numbers.h"
#include "text/number_text.h"
#include "text/text_slice.h"

namespace vandrel {

namespace {

// Before A.D. 1, the date follows "= B.C. ", which stands wherever the Julian
// day ends: it has fewer digits before 1976 B.C.
constexpr std::string_view kBeforeChristTag = " = B.C. ";
using detail::hasShortTagAt;
using detail::kDateTag;
using detail::kDistanceFieldLength;
constexpr char kCsvDateTag[] = "A.D. ";  // opens a CSV record's calendar date
constexpr char kCsvBeforeChristTag[] = "B.C. ";

// The text opens with the tag, told character by character: the compiler
// unrolls it, where it would call memcmp for every CSV line.
template <std::size_t N>
bool opensWith(std::string_view text, const char (&tag)[N]) {
    if (text.size() < N - 1) {
        return false;
    }
    for (std::size_t i = 0; i + 1 < N; ++i) {
        if (text[i] != tag[i]) {
            return false;
        }
    }
    return true;
}

}  // namespace

// "2268923.500000000 = B.C. 0500-Jan-01 00:00:00.0000 TDB": the date text
// keeps its "B.C. ".
void detail::takeBeforeChristDate(std::string_view text, RecordField& kind) {
    const std::size_t tag = text.substr(0, 32).find(kBeforeChristTag);
    if (tag == std::string_view::npos || tag == 0) {
        return;
    }
    kind.isDate = true;
    kind.instantText = text.substr(0, tag);
    kind.dateText = text.substr(tag + 3, kLongestDateText);
}

std::string_view plainTimeScale(std::string_view dateField) {
    const std::size_t beforeChrist = dateField.substr(0, 32).find(kBeforeChristTag);
    const std::size_t dateEnd = TextSlice(dateField, 19, kDateTag.size()) == kDateTag
                                    ? 25 + kDateTextLength
                                    : beforeChrist + 3 + kLongestDateText;
    const std::string_view rest = TextTrimmed(TextSlice(dateField, dateEnd + 1, dateField.size()));
    return rest.substr(0, rest.find_first_of(" \t"));
}

bool isPlainPositionLine(const Field& field) {
    return field.length == kDistanceFieldLength && hasShortTagAt(field.text, 1, "X =") &&
           hasShortTagAt(field.text, 27, "Y =") && hasShortTagAt(field.text, 53, "Z =");
}

bool isPlainVelocityLine(const Field& field) {
    return field.length == kDistanceFieldLength && hasShortTagAt(field.text, 1, "VX=") &&
           hasShortTagAt(field.text, 27, "VY=") && hasShortTagAt(field.text, 53, "VZ=");
}

VectorTexts plainVector(std::string_view line) {
    if (line.size() != kDistanceFieldLength) {
        return {};
    }
    return {line.substr(3, kSignedNumberWidth), line.substr(29, kSignedNumberWidth),
            line.substr(detail::kRateStart, kSignedNumberWidth)};
}

void ShortestNumberText::write(double value) {
    length_ =
        static_cast<std::size_t>(std::to_chars(text_, text_ + sizeof text_, value).ptr - text_);
}

[[gnu::noinline]] const MeasuredRange& RangeFromPosition::compute(const VectorTexts& position,
                                                                  const VectorTexts& velocity) {
    const Origin none;
    const Origin& origin = origin_ != nullptr ? *origin_ : none;
    const double x = horizonsNumberValue(position.x) - origin.position[0];
    const double y = horizonsNumberValue(position.y) - origin.position[1];
    const double z = horizonsNumberValue(position.z) - origin.position[2];
    const double range = std::hypot(x, y, z);
    measured_.range = range;
    measured_.hasRate =
        !velocity.x.empty() && !velocity.y.empty() && !velocity.z.empty() && range > 0;
    if (measured_.hasRate) {
        measured_.rate = (x * (horizonsNumberValue(velocity.x) - origin.velocity[0]) +
                          y * (horizonsNumberValue(velocity.y) - origin.velocity[1]) +
                          z * (horizonsNumberValue(velocity.z) - origin.velocity[2])) /
                         range;
    }
    return measured_;
}

void CsvRecordLine::take(const Field& field) {
    if (field.startsLine) {
        column_ = 0;
        ++line_;
        instant_.clear();
        rate_.clear();
        cut_ = false;
        positionItems_ = 0;
        for (auto& component : velocity_[line_ & 1]) {
            component.clear();
        }
    } else {
        ++column_;
    }
    if (column_ == columns_.calendarDate) {
        if (opensWith(field.text, kCsvDateTag)) {
            hasDate_ = true;
            date_.assign(TextSlice(field.text, sizeof kCsvDateTag, kDateTextLength));
        } else if (opensWith(field.text, kCsvBeforeChristTag)) {
            hasDate_ = true;
            date_.assign(TextFirst(field.text, kLongestDateText));
        }
    } else if (column_ == columns_.range) {
        hasRange_ = true;
        cut_ = cut_ || field.length > kKeptCharacters;
        range_.assign(field.text);
    } else if (column_ == columns_.julianDay) {
        instant_.assign(field.text);
    } else if (column_ == columns_.rangeRate) {
        cut_ = cut_ || field.length > kKeptCharacters;
        rate_.assign(field.text);
    } else if (column_ >= firstVectorColumn_ && column_ <= lastVectorColumn_) {
        takeVector(field);
    }
}

CsvRecordLine::CsvRecordLine(const CsvColumns& columns)
    : columns_(columns),
      readsPositions_(columns.range == CsvColumns::kNone && columns.hasPosition()) {
    for (std::size_t axis = 0; axis < 3; ++axis) {
        for (const std::size_t column :
             {columns.velocity[axis],
              readsPositions_ ? columns.position[axis] : CsvColumns::kNone}) {
            if (column != CsvColumns::kNone) {
                firstVectorColumn_ = std::min(firstVectorColumn_, column);
                lastVectorColumn_ = std::max(lastVectorColumn_, column);
            }
        }
    }
}

void CsvRecordLine::takeVector(const Field& field) {
    for (std::size_t axis = 0; axis < 3; ++axis) {
        if (column_ == columns_.velocity[axis]) {
            velocity_[line_ & 1][axis].assign(field.text);
        }
        if (readsPositions_ && column_ == columns_.position[axis]) {
            position_[axis].assign(field.text);
            ++positionItems_;
        }
    }
}

RecordField CsvRecordLine::takeRecord() {
    RecordField record;
    record.isDate = hasDate_;
    record.dateText = date_.view();
    record.instantText = instant_.view();
    record.isDistance = hasRange_;
    record.cut = cut_;
    record.distanceText = range_.view();
    record.rateText = rate_.view();
    if (positionItems_ == 3) {
        record.isDistance = true;
        record.measured = &fromPosition_.compute(
            {position_[0].view(), position_[1].view(), position_[2].view()}, velocityOf(line_));
        positionItems_ = 0;
    }
    hasDate_ = false;
    hasRange_ = false;
    return record;
}

}  // namespace vandrel
