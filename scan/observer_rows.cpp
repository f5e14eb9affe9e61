#include "scan/observer_rows.h"

#include "scan/unlabelled_record.h"
#include "text/calendar.h"
#include "text/number_text.h"
#include "text/text_slice.h"

namespace vandrel {

namespace {

bool startsWithDigit(std::string_view text) {
    return !text.empty() && text[0] >= '0' && text[0] <= '9';
}

}  // namespace

bool ObserverRows::take(const Field& field, RecordStream& stream) {
    if (columns_.csv) {
        return takeItem(field, stream);
    }
    const std::string_view row = field.text;
    if (row.size() < columns_.dateWidth || !startsWithDigit(row)) {
        return true;  // no row
    }
    return takeRow(TextTrimmed(row.substr(0, columns_.dateWidth)),
                   ObserverColumns::valueAt(row, columns_.rangeEnd),
                   ObserverColumns::valueAt(row, columns_.rateEnd),
                   ObserverColumns::valueAt(row, columns_.lightTimeEnd), stream);
}

bool ObserverRows::finish(RecordStream& stream) {
    return !columns_.csv || takeHeldRow(stream);
}

// An item of a table in CSV form: a row is taken whole when the next one
// begins.
bool ObserverRows::takeItem(const Field& field, RecordStream& stream) {
    if (field.startsLine) {
        if (!takeHeldRow(stream)) {
            return false;
        }
        column_ = 0;
        row_.hasDate = startsWithDigit(field.text);
        row_.date.assign(field.text);
        for (auto* text : {&row_.range, &row_.rate, &row_.lightTime}) {
            text->clear();
        }
        return true;
    }
    ++column_;
    if (column_ == columns_.rangeColumn) {
        row_.range.assign(field.text);
    } else if (column_ == columns_.rateColumn) {
        row_.rate.assign(field.text);
    } else if (column_ == columns_.lightTimeColumn) {
        row_.lightTime.assign(field.text);
    }
    return true;
}

bool ObserverRows::takeHeldRow(RecordStream& stream) {
    if (!row_.hasDate) {
        return true;
    }
    row_.hasDate = false;
    return takeRow(row_.date.view(), row_.range.view(), row_.rate.view(), row_.lightTime.view(),
                   stream);
}

// One row's record: its date as written, its r and rdot, and the light time
// by which the passage happens earlier than it is seen.
bool ObserverRows::takeRow(std::string_view dateText, std::string_view range, std::string_view rate,
                           std::string_view lightTime, RecordStream& stream) {
    RecordField date;
    date.isDate = true;
    date.dateText = dateText;
    if (const auto seen = julianDayOfDateText(date.dateText)) {
        const double minutes = lightTime.empty() ? 0 : TextToNumber(lightTime);
        instant_.write(*seen - minutes / 1440);
        date.instantText = instant_.view();
    }
    if (!stream.take(date)) {
        return false;
    }
    if (!UnlabelledRecord::isNumbersLine(range)) {
        return true;  // "n.a." or blank: no distance at this row
    }
    RecordField distance;
    distance.isDistance = true;
    distance.distanceText = range;
    distance.rateText = UnlabelledRecord::isNumbersLine(rate) ? rate : std::string_view();
    return stream.take(distance);
}

}  // namespace vandrel
