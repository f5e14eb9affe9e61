#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "scan/record_fields.h"
#include "scan/record_stream.h"
#include "scan/scan_messages.h"
#include "scan/unlabelled_record.h"
#include "text/field_reader.h"

namespace vandrel {

// The records of a plain table, one line an item. A date line begins each
// record ("... = A.D. 2020-Jan-01 ..." or "... = B.C. ..."), and its
// distance is on its "LT= RG= RR=" line. A table without ranges (output
// format 1 or 2, or one beside the Sun's file) gives each record the
// distance of its "X = Y = Z =" line, rated by its "VX= VY= VZ=" line; one
// saved with labels off, those of its lines of numbers, placed by the
// legend.
//
// `Stream` is the RecordStream that takes the records. It is a template
// parameter, so that the path that every line of a table takes is compiled
// inline, calls into the scan included.
template <class Stream>
class PlainRecords {
  public:
    // The time scale of the first date line goes into `timeScale`, where the
    // header named none.
    PlainRecords(Stream& stream, std::string& timeScale) : stream_(stream), timeScale_(timeScale) {}

    // A table that does not say it has ranges: positions are read until a
    // range shows.
    void readPositions() { readsPositions_ = true; }
    // Beside the Sun's file: every distance is that of the position from
    // the Sun's, whose state the caller keeps at the current record.
    void measureFrom(const RangeFromPosition::Origin* sun) {
        besideSun_ = true;
        readsPositions_ = true;
        fromPosition_.setOrigin(sun);
    }
    // A table saved with labels off, whose lines of numbers the legend places.
    void placeBy(const Legend& legend) { unlabelled_.emplace(legend); }

    // One line after "$$SOE"; false when the scan fails.
    bool take(const Field& field) {
        const RecordField kind = plainRecordField(field);
        if (!kind.isDate && !kind.isDistance) {
            return takeOtherLine(field);
        }
        if (kind.isDistance && besideSun_ && !kind.isDate) {
            return true;  // beside the Sun's file, the positions give the distances
        }
        if (kind.isDistance && readsPositions_) {
            recordHasRange_ = true;
            readsPositions_ = false;  // the file gives its ranges
        }
        if (kind.isDate) {
            if (timeScale_.empty()) {
                timeScale_ = std::string(
                    plainTimeScale(field.text).substr(0, EphemerisHeader::kMostCharacters));
            }
            if (!endRecord()) {
                return false;
            }
        }
        return stream_.take(kind);
    }

    // At the end of the records: the last record's distance, where it comes
    // from its position or its lines of numbers.
    bool finish() { return endRecord(); }

    // The velocity of a record counted from 1, while it is held: a record's
    // velocity is held until the record after it ends.
    VectorTexts velocityOf(std::uint64_t record) const {
        const std::size_t slot = record & 1;
        // A table with a legend may still be labelled: only a record of
        // numbers alone holds its velocity here.
        if (const HeldVelocity& held = unlabelledVelocities_[slot]; held.record == record) {
            return {held.axes[0].view(), held.axes[1].view(), held.axes[2].view()};
        }
        return velocityRecord_[slot] == record ? plainVector(velocityLines_[slot].view())
                                               : VectorTexts{};
    }

  private:
    // The record being read, counted from 1 by its date line; 0 before the first.
    std::uint64_t record() const { return stream_.datesMet(); }

    // A line of the record that is neither its date nor its range.
    bool takeOtherLine(const Field& field) {
        if (isPlainVelocityLine(field)) {
            // Held for the record, beside the record before it.
            const std::size_t slot = record() & 1;
            velocityLines_[slot].assign(field.text);
            velocityRecord_[slot] = record();
        } else if (readsPositions_ && isPlainPositionLine(field)) {
            positionLine_.assign(field.text);
            positionRecord_ = record();
        } else if (unlabelled_ && UnlabelledRecord::isNumbersLine(field.text)) {
            return takeNumbersLine(field);
        }
        return true;
    }

    // A record ends: where it showed no range, the distance of its position
    // (with a velocity, its rate too), or of its lines of numbers.
    bool endRecord() {
        if (!readsPositions_ && !recordHasNumbers_) {
            return true;  // the file gives its ranges
        }
        return rangeOfRecord();
    }

    // A line of numbers only, placed by the legend.
    [[gnu::noinline]] bool takeNumbersLine(const Field& field) {
        if (record() == 0) {
            return true;  // no record yet
        }
        if (const std::string misfit = unlabelled_->take(field.text); !misfit.empty()) {
            return stream_.fail(ScanFailureKind::RecordNotFitLegend,
                                messages::recordNotFitLegend(record(), misfit));
        }
        recordHasNumbers_ = true;
        return true;
    }

    [[gnu::noinline]] bool rangeOfRecord() {
        const bool hasRange = recordHasRange_;
        recordHasRange_ = false;
        if (recordHasNumbers_) {
            recordHasNumbers_ = false;
            RecordField range;
            const bool hasDistance = !hasRange && unlabelled_->range(range);
            keepUnlabelledVelocity();
            unlabelled_->begin();
            return !hasDistance || stream_.take(range);
        }
        if (!readsPositions_ || hasRange || record() == 0 || positionRecord_ != record()) {
            return true;
        }
        return stream_.take(measuredDistance(
            fromPosition_.compute(plainVector(positionLine_.view()), velocityOf(record()))));
    }

    // A labels-off record's velocity, for the open-orbit test of its first
    // and last record.
    void keepUnlabelledVelocity() {
        const VectorTexts velocity = unlabelled_->velocity();
        HeldVelocity& held = unlabelledVelocities_[record() & 1];
        held.record = velocity.x.empty() ? 0 : record();
        held.axes[0].assign(velocity.x);
        held.axes[1].assign(velocity.y);
        held.axes[2].assign(velocity.z);
    }

    Stream& stream_;
    std::string& timeScale_;
    bool besideSun_ = false;
    // Positions are read: the table has shown no range yet.
    bool readsPositions_ = false;
    bool recordHasRange_ = false;
    HeldText<kKeptCharacters, kPlainLineLength>
        velocityLines_[2];                      // of records of odd and even number
    std::uint64_t velocityRecord_[2] = {0, 0};  // which record each belongs to
    // The same for a table saved with labels off: the velocity of records of
    // odd and even number, held once their record's numbers are read.
    struct HeldVelocity {
        HeldText<kKeptCharacters, kSignedNumberWidth> axes[3];
        std::uint64_t record = 0;
    };
    HeldVelocity unlabelledVelocities_[2];
    HeldText<kKeptCharacters, kPlainLineLength> positionLine_;
    std::uint64_t positionRecord_ = 0;
    RangeFromPosition fromPosition_;
    std::optional<UnlabelledRecord> unlabelled_;
    bool recordHasNumbers_ = false;  // the record has lines of numbers only
};

}  // namespace vandrel
