#include "scan/ephemeris_scanner.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "scan/extreme_tracker.h"
#include "scan/header_reader.h"
#include "scan/horizons_numbers.h"
#include "scan/passage_finder.h"
#include "scan/record_fields.h"
#include "scan/record_span.h"
#include "scan/scan_messages.h"
#include "scan/sun_records.h"
#include "scan/unlabelled_record.h"
#include "text/calendar.h"
#include "text/field_reader.h"
#include "text/number_text.h"
#include "text/text_slice.h"

namespace vandrel {

namespace {

constexpr std::string_view kStartMarker = "$$SOE";
constexpr std::string_view kEndMarker = "$$EOE";

class ScanRun final : PassageSink {
  public:
    ScanRun(const ScanSettings& settings, ScanObserver& observer, std::optional<DayNumber> startDay,
            std::int32_t mostRecords)
        : settings_(settings), observer_(observer), span_(settings, startDay, mostRecords) {
        if (observer.wantsEveryRecord()) {
            passages_.tellRecords();
        }
    }

    ScanOutcome run(ByteSource& input) {
        ScanOutcome outcome = scanFields(input);
        if (auto* result = std::get_if<ScanResult>(&outcome)) {
            // Beside the Sun's file, the velocities are not the Sun's: no test
            // of an open orbit.
            passages_.finish(result->truePerihelion, result->trueAphelion,
                             result->header.fromSun() && !sun_, velocityOf(lastPoint_));
            warnOfUncertainPassages(*result);
        }
        return outcome;
    }

  private:
    void passageFound(const TruePassage& passage) override {
        observer_.newPassage(passage, result_.header);
    }
    void recordTaken(std::int32_t item, double julianDay, double au) override {
        observer_.recordRead(item, julianDay, au);
    }

    void warnOfUncertainPassages(ScanResult& result) const {
        if (const auto& worst = passages_.mostUncertain()) {
            ScanWarning& warning = result.warnings.emplace_back();
            warning.kind = ScanWarningKind::UncertainPassages;
            warning.message = messages::uncertainPassages(
                passages_.uncertainCount(), instantText(worst->julianDay, result.header.timeScale),
                worst->uncertainty->seconds);
        }
    }

    ScanOutcome scanFields(ByteSource& input) {
        observer_.fileOpened();
        FieldReader reader(input, kLineCharacters);
        Field field;
        while (reader.next(field)) {
            if (field.length == kStartMarker.size()) {
                if (field.text == kEndMarker) {
                    if (!started_) {
                        // Only a $$SOE after it tells a misplaced end marker
                        // from a file without records.
                        endBeforeStart_ = true;
                        continue;
                    }
                    return endOfRecords(true);
                }
                if (!started_ && field.text == kStartMarker) {
                    beginRecords();
                    if (result_.header.observer && !header_.observerColumns().hasRange()) {
                        return ScanFailure{ScanFailureKind::NoHeliocentricRange,
                                           std::string(messages::kNoHeliocentricRange)};
                    }
                    if (failure_) {
                        return *failure_;  // the Sun's file cannot serve
                    }
                    if (endBeforeStart_) {
                        warn(ScanWarningKind::EndBeforeStart,
                             std::string(messages::kEndBeforeStart));
                        return result_;
                    }
                    if (span_.endReached()) {
                        return result_;
                    }
                    continue;
                }
            }
            if (!started_) {
                header_.take(field);
                continue;
            }
            if (!take(field)) {
                return *failure_;
            }
            if (span_.endReached()) {
                return result_;
            }
        }
        if (const std::string error = reader.error(); !error.empty()) {
            return ScanFailure{ScanFailureKind::ReadFailed, messages::readFailed(error)};
        }
        if (!started_) {
            return ScanFailure{ScanFailureKind::NoStartMarker,
                               std::string(messages::kNoStartMarker)};
        }
        return endOfRecords(false);
    }

    // At "$$SOE": the header has said all it will say.
    void beginRecords() {
        started_ = true;
        result_.header = header_.finish();
        if (result_.header.observer) {
            beginObserverRows();
            return;
        }
        if (!settings_.sunFilePath.empty() && !openSunFile()) {
            return;
        }
        const EphemerisHeader& header = result_.header;
        if (!header.centre.empty() && header.centre != "Sun (10)") {
            warn(ScanWarningKind::NotFromTheSun, messages::notFromTheSun(header.centre));
        }
        if (header.csv) {
            csvLine_.emplace(header_.columns());
        }
        // Output formats 1 and 2 give positions without a range; a table
        // that does not say reads them until it shows a range. Beside the
        // Sun's file, every table is read by its positions.
        readsPositions_ = !header.csv && (sun_ || header.outputFormat == 0 ||
                                          header.outputFormat == 1 || header.outputFormat == 2);
        if (sun_) {
            fromPosition_.setOrigin(&sunState_);
            if (csvLine_) {
                csvLine_->measureFrom(&sunState_);
            }
        }
        if (!header.csv && header_.legend().lines > 0) {
            unlabelled_.emplace(header_.legend());
        }
        if (header.units == "KM-S" || header.units == "KM-D") {
            extremes_.readInKm();
            // Range rates in km/s or km/day.
            const double secondsPerRateUnit = header.units == "KM-S" ? 86400 : 1;
            passages_.setScale({1 / kKmPerAu, secondsPerRateUnit / kKmPerAu});
        } else if (!header.units.empty() && header.units != "AU-D") {
            warn(ScanWarningKind::UnknownUnits, messages::unknownUnits(header.units));
        }
        observer_.recordsBegin(header, result_.warnings);
    }

    // The Sun's file of the same centre: the distances are taken from the
    // Sun, so that they are from the Sun (10).
    [[gnu::noinline]] bool openSunFile() {
        if (auto failure = SunRecords::open(settings_.sunFilePath, result_.header, sun_)) {
            failure_ = std::move(failure);
            sun_.reset();
            return false;
        }
        if (result_.header.csv && !header_.columns().hasPosition()) {
            sun_.reset();
            return fail(ScanFailureKind::SunFileMismatch, messages::sunWithoutPositions());
        }
        result_.header.centre = "Sun (10)";
        return true;
    }

    // The Sun's next record, for the record that begins.
    void advanceSun() {
        sunEnded_ = sunEnded_ || !sun_->next();
        if (!sunEnded_) {
            sunState_ = sun_->state();
        }
    }

    // The Sun's record has the record's instant.
    [[gnu::noinline]] bool sunIsInStep(std::string_view instantText, std::string_view dateText) {
        std::optional<double> julianDay;
        if (!instantText.empty() && UnlabelledRecord::isNumbersLine(instantText)) {
            julianDay = TextToNumber(instantText);
        } else {
            julianDay = julianDayOfDateText(dateText);
        }
        if (!julianDay) {
            return true;  // no instant to compare; the record's date fails elsewhere
        }
        if (sunEnded_ && !sun_->error().empty()) {
            return fail(ScanFailureKind::ReadFailed,
                        messages::sunFileUnreadable(settings_.sunFilePath, sun_->error()));
        }
        if (sunEnded_ || sun_->julianDay() > *julianDay + 1e-6) {
            return fail(ScanFailureKind::SunFileMismatch,
                        messages::sunRecordMissing(*julianDay, true, settings_.filePath));
        }
        if (sun_->julianDay() < *julianDay - 1e-6) {
            return fail(ScanFailureKind::SunFileMismatch,
                        messages::sunRecordMissing(sun_->julianDay(), false, settings_.filePath));
        }
        return true;
    }

    // An observer table's r is the distance from the Sun, whatever the
    // observer; rdot is in km/s, whatever the output units.
    void beginObserverRows() {
        if (!header_.observerColumns().hasRange()) {
            return;  // the scan fails: the table has no r
        }
        result_.header.centre = "Sun (10)";
        passages_.setScale({1, 86400 / kKmPerAu});
        if (!header_.observerColumns().hasLightTime()) {
            warn(ScanWarningKind::SeenFromTheObserver, std::string(messages::kSeenFromTheObserver));
        }
        observer_.recordsBegin(result_.header, result_.warnings);
    }

    // A row of an observer table: its date and time, then its columns.
    [[gnu::noinline]] bool takeObserverRow(const Field& field) {
        contentMet_ = contentMet_ || field.length > 0;
        const ObserverColumns& columns = header_.observerColumns();
        if (columns.csv) {
            return takeObserverItem(field);
        }
        const std::string_view row = field.text;
        if (row.size() < columns.dateWidth || !startsWithDigit(row)) {
            return true;  // no row
        }
        return takeObserverRecord(TextTrimmed(row.substr(0, columns.dateWidth)),
                                  ObserverColumns::valueAt(row, columns.rangeEnd),
                                  ObserverColumns::valueAt(row, columns.rateEnd),
                                  ObserverColumns::valueAt(row, columns.lightTimeEnd));
    }

    static bool startsWithDigit(std::string_view text) {
        return !text.empty() && text[0] >= '0' && text[0] <= '9';
    }

    // An item of an observer table in CSV form: a row is taken whole when
    // the next one begins.
    bool takeObserverItem(const Field& field) {
        const ObserverColumns& columns = header_.observerColumns();
        if (field.startsLine) {
            if (!takeObserverLine()) {
                return false;
            }
            observerColumn_ = 0;
            observerLine_.hasDate = startsWithDigit(field.text);
            observerLine_.date.assign(field.text);
            for (auto* text :
                 {&observerLine_.range, &observerLine_.rate, &observerLine_.lightTime}) {
                text->clear();
            }
            return true;
        }
        ++observerColumn_;
        if (observerColumn_ == columns.rangeColumn) {
            observerLine_.range.assign(field.text);
        } else if (observerColumn_ == columns.rateColumn) {
            observerLine_.rate.assign(field.text);
        } else if (observerColumn_ == columns.lightTimeColumn) {
            observerLine_.lightTime.assign(field.text);
        }
        return true;
    }

    bool takeObserverLine() {
        if (!observerLine_.hasDate) {
            return true;
        }
        observerLine_.hasDate = false;
        return takeObserverRecord(observerLine_.date.view(), observerLine_.range.view(),
                                  observerLine_.rate.view(), observerLine_.lightTime.view());
    }

    // One row's record: its date as written, its r and rdot, and the light
    // time that the passage happens earlier than it is seen.
    bool takeObserverRecord(std::string_view dateText, std::string_view range,
                            std::string_view rate, std::string_view lightTime) {
        RecordField date;
        date.isDate = true;
        date.dateText = dateText;
        if (const auto seen = julianDayOfDateText(date.dateText)) {
            const double minutes = lightTime.empty() ? 0 : TextToNumber(lightTime);
            const double julianDay = *seen - minutes / 1440;
            observerInstant_.write(julianDay);
            date.instantText = observerInstant_.view();
        }
        if (!takeRecordField(date)) {
            return false;
        }
        if (!UnlabelledRecord::isNumbersLine(range)) {
            return true;  // "n.a." or blank: no distance at this row
        }
        RecordField distance;
        distance.isDistance = true;
        distance.distanceText = range;
        distance.rateText = UnlabelledRecord::isNumbersLine(rate) ? rate : std::string_view();
        return takeRecordField(distance);
    }

    // At "$$EOE" or at the end of the input, after "$$SOE".
    ScanOutcome endOfRecords(bool endMarkerMet) {
        if (!takeRecordEnd() || (result_.header.observer && !takeObserverLine())) {
            return *failure_;
        }
        if (span_.endReached()) {
            return result_;
        }
        if (csvLine_ && !csvLine_->empty()) {
            if (!takeCsvLine()) {
                return *failure_;
            }
            if (span_.endReached()) {
                return result_;
            }
        }
        return finishRecords(endMarkerMet);
    }

    // The records have ended without meeting the end stop.
    ScanOutcome finishRecords(bool endMarkerMet) {
        if (sun_ && !sunEnded_ && sun_->next()) {
            return ScanFailure{
                ScanFailureKind::SunFileMismatch,
                messages::sunRecordMissing(sun_->julianDay(), false, settings_.filePath)};
        }
        if (dateFieldsMet_ > 0 && distanceFieldsMet_ == 0) {
            return ScanFailure{ScanFailureKind::NoDistances, std::string(messages::kNoDistances)};
        }
        if (dateFieldsMet_ == 0 && contentMet_) {
            return ScanFailure{ScanFailureKind::NoRecords, std::string(messages::kNoRecords)};
        }
        if (!endMarkerMet) {
            warn(ScanWarningKind::EndMarkerMissing, std::string(messages::kEndMarkerMissing));
        }
        if (settings_.startFilterOn && dateFieldsMet_ > 0 && result_.datedCount == 0) {
            warn(ScanWarningKind::StartDateAfterEveryRecord,
                 messages::startDateAfterEveryRecord(settings_.startDateText));
        }
        if (settings_.endStopOn) {
            warn(ScanWarningKind::EndDateNeverMet,
                 messages::endDateNeverMet(settings_.endDateText));
        }
        return result_;
    }

    void warn(ScanWarningKind kind, std::string message) {
        // Filled in place: GCC 12 with link-time optimisation warns wrongly
        // about moving a brace-built warning into the vector.
        ScanWarning& warning = result_.warnings.emplace_back();
        warning.kind = kind;
        warning.message = std::move(message);
    }

    // The scan stops with this failure; false, so that callers can pass it on.
    [[gnu::noinline, gnu::cold]] bool fail(ScanFailureKind kind, std::string message) {
        ScanFailure& failure = failure_.emplace();
        failure.kind = kind;
        failure.message = std::move(message);
        return false;
    }

    // One field after the start marker; false when the scan fails.
    bool take(const Field& field) {
        if (result_.header.observer) {
            return takeObserverRow(field);
        }
        if (csvLine_) {
            contentMet_ = contentMet_ || field.length > 0;
            return takeCsvItem(field);
        }
        const RecordField kind = plainRecordField(field);
        if (!kind.isDate && !kind.isDistance) {
            // Most fields of a table: nothing to take, but they tell an
            // empty span from one without a single date.
            contentMet_ = contentMet_ || field.length > 0;
            if (isPlainVelocityLine(field)) {
                // Held for the record, beside the record before it.
                const std::size_t slot = dateFieldsMet_ & 1;
                velocityLines_[slot].assign(field.text);
                velocityRecord_[slot] = dateFieldsMet_;
            } else if (readsPositions_ && isPlainPositionLine(field)) {
                positionLine_.assign(field.text);
                positionRecord_ = dateFieldsMet_;
            } else if (unlabelled_ && UnlabelledRecord::isNumbersLine(field.text)) {
                return takeNumbersLine(field);
            }
            return true;
        }
        if (kind.isDistance && sun_ && !kind.isDate) {
            return true;  // beside the Sun's file, the positions give the distances
        }
        if (kind.isDistance && readsPositions_) {
            recordHasRange_ = true;
            readsPositions_ = false;  // the file gives its ranges
        }
        contentMet_ = true;  // a date or distance field is never empty
        if (kind.isDate && result_.header.timeScale.empty()) {
            result_.header.timeScale =
                std::string(plainTimeScale(field.text).substr(0, EphemerisHeader::kMostCharacters));
        }
        return takeRecordField(kind);
    }

    // A line of a file in CSV form is one record, taken whole when the next
    // line begins, whatever the order of its columns.
    bool takeCsvItem(const Field& field) {
        if (field.startsLine && !csvLine_->empty()) {
            if (!takeCsvLine()) {
                return false;
            }
            if (span_.endReached()) {
                return true;  // the scan ends before this item
            }
        }
        csvLine_->take(field);
        return true;
    }

    // The line read is a record; the Sun's record beside it is read first,
    // so that its range is taken from it.
    bool takeCsvLine() {
        if (sun_ && csvLine_->hasDate()) {
            advanceSun();
        }
        return takeRecordField(csvLine_->takeRecord());
    }

    bool takeRecordField(const RecordField& kind) {
        if (kind.isDate && (!takeRecordEnd() || !takeDate(kind.dateText, kind.instantText))) {
            return false;
        }
        return !kind.isDistance || takeDistanceField(kind);
    }

    bool takeDistanceField(const RecordField& kind) {
        ++distanceFieldsMet_;
        // A record before the start date is skipped whole; the record that
        // meets the end date is counted, but its distance is never read, even
        // where it shares the date's line.
        if (span_.skipping() || span_.endReached()) {
            return true;
        }
        if (kind.cut) {
            return fail(ScanFailureKind::DistanceOutOfRange,
                        messages::itemTooLong(dateFieldsMet_, kKeptCharacters));
        }
        takePassagePoint(kind);
        return takeDistance(kind.distanceText);
    }

    // At the end of a plain record: a record without a range, but with a
    // position, has the position's distance (and with a velocity, its rate);
    // a record of numbers only, those that the legend names.
    bool takeRecordEnd() {
        if (!readsPositions_ && !recordHasNumbers_) {
            return true;  // the file gives its ranges
        }
        return takeRangeOfRecord();
    }

    // A line of numbers only, placed by the legend.
    [[gnu::noinline]] bool takeNumbersLine(const Field& field) {
        if (dateFieldsMet_ == 0) {
            return true;  // no record yet
        }
        if (const std::string misfit = unlabelled_->take(field.text); !misfit.empty()) {
            return fail(ScanFailureKind::RecordNotFitLegend,
                        messages::recordNotFitLegend(dateFieldsMet_, misfit));
        }
        recordHasNumbers_ = true;
        return true;
    }

    [[gnu::noinline]] bool takeRangeOfRecord() {
        const std::uint64_t record = dateFieldsMet_;
        const bool hasRange = recordHasRange_;
        recordHasRange_ = false;
        if (recordHasNumbers_) {
            recordHasNumbers_ = false;
            RecordField range;
            const bool hasDistance = !hasRange && unlabelled_->range(range);
            keepUnlabelledVelocity(record);
            unlabelled_->begin();
            return !hasDistance || takeDistanceField(range);
        }
        if (!readsPositions_ || hasRange || record == 0 || positionRecord_ != record) {
            return true;
        }
        fromPosition_.compute(plainVector(positionLine_.view()), velocityOf(record));
        RecordField range;
        range.isDistance = true;
        range.distanceText = fromPosition_.range();
        range.rateText = fromPosition_.rate();
        return takeDistanceField(range);
    }

    // A labels-off record's velocity, for the open-orbit test of its first
    // and last record.
    void keepUnlabelledVelocity(std::uint64_t record) {
        const VectorTexts velocity = unlabelled_->velocity();
        HeldVelocity& held = unlabelledVelocities_[record & 1];
        held.record = velocity.x.empty() ? 0 : record;
        held.axes[0].assign(velocity.x);
        held.axes[1].assign(velocity.y);
        held.axes[2].assign(velocity.z);
    }

    bool takeDate(std::string_view dateText, std::string_view instantText) {
        if (sun_) {
            if (!csvLine_) {
                advanceSun();
            }
            if (!sunIsInStep(instantText, dateText)) {
                return false;
            }
        }
        currentDate_.assign(dateText);
        currentInstant_.assign(instantText);
        ++dateFieldsMet_;
        switch (span_.admit(currentDate(), result_.datedCount)) {
            case RecordSpan::Verdict::Skip:
                return true;
            case RecordSpan::Verdict::Take:
                ++result_.datedCount;
                return true;
            case RecordSpan::Verdict::DateNotUnderstood:
                return fail(ScanFailureKind::RecordDateNotUnderstood,
                            messages::recordDateNotUnderstood(
                                dateFieldsMet_, TextTrimmed(RecordSpan::dayOf(currentDate()))));
            case RecordSpan::Verdict::TooMany:
                return fail(ScanFailureKind::TooManyRecords,
                            std::string(messages::kTooManyRecords));
        }
        return true;
    }

    // Records before the first date carry no instant and take no part.
    void takePassagePoint(const RecordField& kind) {
        if (result_.datedCount == 0) {
            return;
        }
        // Only the first record's velocity is read at once; the last one's at the end.
        const bool first = lastPoint_ == 0;
        lastPoint_ = csvLine_ ? csvLine_->line() : dateFieldsMet_;
        const VectorTexts velocity = first ? velocityOf(lastPoint_) : VectorTexts{};
        passages_.take({result_.datedCount, currentInstant_.view(), currentDate(),
                        kind.distanceText, kind.rateText, first ? &velocity : nullptr});
    }

    // The velocity of a record, where it is still held: a CSV line holds its
    // own; a plain record had it on a line of its own, held while the record
    // and the one after it are read.
    VectorTexts velocityOf(std::uint64_t point) const {
        if (point == 0) {
            return {};
        }
        if (csvLine_) {
            return csvLine_->holdsVelocityOf(point) ? csvLine_->velocityOf(point) : VectorTexts{};
        }
        const std::size_t slot = point & 1;
        // A table with a legend may still be labelled: only a record of
        // numbers alone holds its velocity here.
        if (const HeldVelocity& held = unlabelledVelocities_[slot]; held.record == point) {
            return {held.axes[0].view(), held.axes[1].view(), held.axes[2].view()};
        }
        return velocityRecord_[slot] == point ? plainVector(velocityLines_[slot].view())
                                              : VectorTexts{};
    }

    // Compared by the extreme tracker; a distance out of range fails the scan.
    bool takeDistance(std::string_view distanceText) {
        if (extremes_.take(distanceText, result_.datedCount, currentDate())) {
            return true;
        }
        return fail(ScanFailureKind::DistanceOutOfRange,
                    messages::distanceOutOfRange(dateFieldsMet_, TextTrimmed(distanceText)));
    }

    std::string_view currentDate() const { return currentDate_.view(); }

    const ScanSettings& settings_;
    ScanObserver& observer_;
    ScanResult result_;
    std::optional<ScanFailure> failure_;
    HeaderReader header_;
    bool started_ = false;
    ExtremeTracker extremes_{settings_, observer_, result_.minimum, result_.maximum};
    HeldText<kLongestDateText, kDateTextLength> currentDate_;
    // The current record's Julian day, as written.
    HeldText<kKeptCharacters, kJulianDayWidth> currentInstant_;
    HeldText<kKeptCharacters, kPlainLineLength>
        velocityLines_[2];                      // of plain records of odd and even number
    std::uint64_t velocityRecord_[2] = {0, 0};  // which record each belongs to
    // The same for a table saved with labels off: the velocity of records of
    // odd and even number, held once their record's numbers are read.
    struct HeldVelocity {
        HeldText<kKeptCharacters, kSignedNumberWidth> axes[3];
        std::uint64_t record = 0;
    };
    HeldVelocity unlabelledVelocities_[2];
    std::uint64_t lastPoint_ = 0;  // the record (or CSV line) the passages took last
    // A plain table without ranges: each record's position line, and its range.
    bool readsPositions_ = false;
    bool recordHasRange_ = false;
    HeldText<kKeptCharacters, kPlainLineLength> positionLine_;
    std::uint64_t positionRecord_ = 0;
    RangeFromPosition fromPosition_;
    bool endBeforeStart_ = false;                 // "$$EOE" came before any "$$SOE"
    std::optional<UnlabelledRecord> unlabelled_;  // for a plain table with a legend
    std::unique_ptr<SunRecords> sun_;             // the Sun's file, where one is given
    RangeFromPosition::Origin sunState_;          // at the current record
    bool sunEnded_ = false;
    ShortestNumberText observerInstant_;  // an observer row's Julian day, less the light time
    struct ObserverLine {                 // a row of an observer table in CSV form
        bool hasDate = false;
        HeldText<kLongestDateText> date;
        HeldText<kKeptCharacters> range;
        HeldText<kKeptCharacters> rate;
        HeldText<kKeptCharacters> lightTime;
    } observerLine_;
    std::size_t observerColumn_ = 0;
    bool recordHasNumbers_ = false;  // the record has lines of numbers only
    PassageFinder passages_{*this};
    RecordSpan span_;                       // the start filter, the end stop and the record limit
    std::optional<CsvRecordLine> csvLine_;  // for a file in CSV form
    // Whatever the start filter skipped, for messages and for telling a
    // file without distances or records.
    std::uint64_t dateFieldsMet_ = 0;
    std::uint64_t distanceFieldsMet_ = 0;
    bool contentMet_ = false;
};

// The start date is read once, before the file is touched.
std::optional<ScanFailure> readStartDay(const ScanSettings& settings,
                                        std::optional<DayNumber>& startDay) {
    if (!settings.startFilterOn) {
        return std::nullopt;
    }
    startDay = ParseDate(settings.startDateText);
    if (!startDay) {
        return ScanFailure{ScanFailureKind::StartDateNotUnderstood,
                           messages::startDateNotUnderstood(settings.startDateText)};
    }
    return std::nullopt;
}

}  // namespace

ScanOutcome EphemerisScanner::scan(const ScanSettings& settings, ScanObserver& observer) const {
    std::optional<DayNumber> startDay;
    if (auto failure = readStartDay(settings, startDay)) {
        return *failure;
    }
    std::string reason;
    const auto input = FileSource::open(settings.filePath, reason);
    if (!input) {
        return ScanFailure{ScanFailureKind::OpenFailed, reason};
    }
    return ScanRun(settings, observer, startDay, mostRecords_).run(*input);
}

ScanOutcome EphemerisScanner::scan(ByteSource& input, const ScanSettings& settings,
                                   ScanObserver& observer) const {
    std::optional<DayNumber> startDay;
    if (auto failure = readStartDay(settings, startDay)) {
        return *failure;
    }
    return ScanRun(settings, observer, startDay, mostRecords_).run(input);
}

}  // namespace vandrel
