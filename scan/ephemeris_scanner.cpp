#include "scan/ephemeris_scanner.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "scan/extreme_tracker.h"
#include "scan/header_reader.h"
#include "scan/observer_rows.h"
#include "scan/passage_finder.h"
#include "scan/plain_records.h"
#include "scan/record_span.h"
#include "scan/scan_messages.h"
#include "scan/sun_records.h"
#include "text/calendar.h"
#include "text/field_reader.h"
#include "text/number_text.h"
#include "text/read_ahead_source.h"
#include "text/text_slice.h"

namespace vandrel {

namespace {

constexpr std::string_view kStartMarker = "$$SOE";
constexpr std::string_view kEndMarker = "$$EOE";

// The scan of one input: the markers, the header, and the records that its
// source delivers, which it lets through the span to the extreme tracker
// and the passage finder.
class ScanRun final : PassageSink, RecordStream {
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
    friend class PlainRecords<ScanRun>;  // delivers to take() and fail()

    std::uint64_t datesMet() const override { return dateFieldsMet_; }

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
            if (!takeField(field)) {
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
            if (sun_) {
                csvLine_->measureFrom(&sunState_);
            }
        } else {
            beginPlainRecords(header);
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

    void beginPlainRecords(const EphemerisHeader& header) {
        // Output formats 1 and 2 give positions without a range; a table
        // that does not say reads them until it shows a range. Beside the
        // Sun's file, every table is read by its positions.
        if (sun_) {
            plain_.measureFrom(&sunState_);
        } else if (header.outputFormat >= 0 && header.outputFormat <= 2) {
            plain_.readPositions();
        }
        if (header_.legend().lines > 0) {
            plain_.placeBy(header_.legend());
        }
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
        observerRows_.emplace(header_.observerColumns());
        result_.header.centre = "Sun (10)";
        passages_.setScale({1, 86400 / kKmPerAu});
        if (!header_.observerColumns().hasLightTime()) {
            warn(ScanWarningKind::SeenFromTheObserver, std::string(messages::kSeenFromTheObserver));
        }
        observer_.recordsBegin(result_.header, result_.warnings);
    }

    // At "$$EOE" or at the end of the input, after "$$SOE".
    ScanOutcome endOfRecords(bool endMarkerMet) {
        if (!(observerRows_ ? observerRows_->finish(*this) : plain_.finish())) {
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
    [[gnu::noinline, gnu::cold]] bool fail(ScanFailureKind kind, std::string message) override {
        ScanFailure& failure = failure_.emplace();
        failure.kind = kind;
        failure.message = std::move(message);
        return false;
    }

    // One field after the start marker, for the records' source; false when
    // the scan fails.
    bool takeField(const Field& field) {
        contentMet_ = contentMet_ || field.length > 0;
        if (observerRows_) {
            return observerRows_->take(field, *this);
        }
        if (csvLine_) {
            return takeCsvItem(field);
        }
        return plain_.take(field);
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
        return take(csvLine_->takeRecord());
    }

    // A record's date, or one of its distances, from the source.
    bool take(const RecordField& record) override {
        if (record.isDate && !takeDate(record.dateText, record.instantText)) {
            return false;
        }
        return !record.isDistance || takeDistanceField(record);
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
        return takeDistance(kind);
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
                        kind.distanceText, kind.rateText, kind.measured,
                        first ? &velocity : nullptr});
    }

    // The velocity of a record, where it is still held: a CSV line holds its
    // own, the plain source keeps a record's while the one after it is read.
    VectorTexts velocityOf(std::uint64_t point) const {
        if (point == 0) {
            return {};
        }
        if (csvLine_) {
            return csvLine_->holdsVelocityOf(point) ? csvLine_->velocityOf(point) : VectorTexts{};
        }
        return plain_.velocityOf(point);
    }

    // Compared by the extreme tracker; a distance out of range fails the scan.
    bool takeDistance(const RecordField& kind) {
        if (kind.measured
                ? extremes_.takeMeasured(kind.measured->range, result_.datedCount, currentDate())
                : extremes_.take(kind.distanceText, result_.datedCount, currentDate())) {
            return true;
        }
        ShortestNumberText measured;
        if (kind.measured) {
            measured.write(kind.measured->range);
        }
        return fail(
            ScanFailureKind::DistanceOutOfRange,
            messages::distanceOutOfRange(
                dateFieldsMet_, kind.measured ? measured.view() : TextTrimmed(kind.distanceText)));
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
    std::uint64_t lastPoint_ = 0;         // the record (or CSV line) the passages took last
    bool endBeforeStart_ = false;         // "$$EOE" came before any "$$SOE"
    std::unique_ptr<SunRecords> sun_;     // the Sun's file, where one is given
    RangeFromPosition::Origin sunState_;  // at the current record
    bool sunEnded_ = false;
    PlainRecords<ScanRun> plain_{*this, result_.header.timeScale};
    std::optional<ObserverRows> observerRows_;  // for an observer table
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
    const auto input = openReadAhead(settings.filePath, reason);
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
