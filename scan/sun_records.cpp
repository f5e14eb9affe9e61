#include "scan/sun_records.h"

#include "scan/horizons_numbers.h"
#include "scan/scan_messages.h"
#include "text/number_text.h"

namespace vandrel {

std::optional<ScanFailure> SunRecords::open(const std::string& path, const EphemerisHeader& body,
                                            std::unique_ptr<SunRecords>& records) {
    std::string reason;
    auto source = FileSource::open(path, reason);
    if (!source) {
        return ScanFailure{ScanFailureKind::SunFileMismatch,
                           messages::sunFileUnreadable(path, reason)};
    }
    records.reset(new SunRecords(std::move(source)));
    Field field;
    while (records->reader_.next(field)) {
        if (field.text == "$$SOE" && field.length == 5) {
            const EphemerisHeader& sun = records->header_.finish();
            records->csv_ = sun.csv;
            if (std::optional<std::string> mismatch = messages::sunFileMismatch(sun, body)) {
                return ScanFailure{ScanFailureKind::SunFileMismatch, *mismatch};
            }
            return std::nullopt;
        }
        records->header_.take(field);
    }
    return ScanFailure{ScanFailureKind::SunFileMismatch, messages::sunFileWithoutRecords()};
}

bool SunRecords::next() {
    Field field;
    while (!ended_ && reader_.next(field)) {
        if (field.text == "$$EOE" && field.length == 5) {
            break;
        }
        if (csv_ ? takeCsvItem(field) : takePlainField(field)) {
            return true;
        }
    }
    // The last record ends with $$EOE or with the file.
    ended_ = true;
    if (!hasRecord_) {
        return false;
    }
    publish();
    return true;
}

void SunRecords::publish() {
    state_ = reading_;
    julianDay_ = readingJulianDay_;
    hasRecord_ = false;
    reading_ = {};
}

// True when the field ends a record, whose numbers are then given.
bool SunRecords::takePlainField(const Field& field) {
    const RecordField kind = plainRecordField(field);
    if (kind.isDate) {
        const bool ended = hasRecord_;
        if (ended) {
            publish();
        }
        readingJulianDay_ = TextToNumber(kind.instantText);
        hasRecord_ = true;
        return ended;
    }
    const bool position = isPlainPositionLine(field);
    if (position || isPlainVelocityLine(field)) {
        const VectorTexts numbers = plainVector(field.text);
        double* const into = position ? reading_.position : reading_.velocity;
        into[0] = horizonsNumberValue(numbers.x);
        into[1] = horizonsNumberValue(numbers.y);
        into[2] = horizonsNumberValue(numbers.z);
    }
    return false;
}

// A line of the CSV form is a record, ended by the next line.
bool SunRecords::takeCsvItem(const Field& field) {
    const CsvColumns& columns = header_.columns();
    bool ended = false;
    if (field.startsLine) {
        ended = hasRecord_;
        if (ended) {
            publish();
        }
        column_ = 0;
    } else {
        ++column_;
    }
    if (column_ == columns.julianDay && !field.text.empty()) {
        readingJulianDay_ = TextToNumber(field.text);
        hasRecord_ = true;
    }
    for (std::size_t axis = 0; axis < 3; ++axis) {
        if (column_ == columns.position[axis]) {
            reading_.position[axis] = horizonsNumberValue(field.text);
        }
        if (column_ == columns.velocity[axis]) {
            reading_.velocity[axis] = horizonsNumberValue(field.text);
        }
    }
    return ended;
}

}  // namespace vandrel
