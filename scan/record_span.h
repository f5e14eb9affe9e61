#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string_view>

#include "scan/scan_records.h"
#include "text/calendar.h"
#include "text/text_slice.h"

namespace vandrel {

// Which dated records a scan lets through, whatever form they come in: with
// the start filter on, those dated on or after the start day; with the end
// stop on, up to the first record dated on the end day, which is counted
// but whose distance is not read; and no more than the record limit. A
// record skipped before the start is neither counted nor tested against the
// end date.
class RecordSpan {
  public:
    enum class Verdict {
        Skip,               // before the start day
        Take,               // let through, and counted
        DateNotUnderstood,  // the start filter is on and the record's date is no date
        TooMany,            // one more than the record limit
    };

    // `startDay`: the start date of the settings, read; none with the
    // filter off. An empty end date stops the scan before any record.
    RecordSpan(const ScanSettings& settings, std::optional<DayNumber> startDay,
               std::int32_t mostRecords)
        : settings_(settings),
          startDay_(startDay),
          mostRecords_(mostRecords),
          endReached_(settings.endStopOn && settings.endDateText.empty()) {}

    // The next dated record, by its date text ("2020-Jan-05 00:00:00.0000",
    // "B.C. 0500-Jan-01 ..."), when `taken` records have been let through.
    Verdict admit(std::string_view dateText, std::int32_t taken) {
        const std::string_view day = dayOf(dateText);
        if (startDay_) {
            const auto recordDay = ParseDate(day);
            if (!recordDay) {
                return Verdict::DateNotUnderstood;
            }
            skipping_ = *recordDay < *startDay_;
            if (skipping_) {
                endReached_ = false;
                return Verdict::Skip;
            }
        }
        // The end date is compared as text, as the file writes its dates.
        endReached_ = settings_.endStopOn && TextEquals(day, settings_.endDateText);
        return taken == mostRecords_ ? Verdict::TooMany : Verdict::Take;
    }

    // The record last met lies before the start day.
    bool skipping() const { return skipping_; }
    // The record last let through is dated on the end day: the scan ends
    // with it.
    bool endReached() const { return endReached_; }

    // The date without its time: "2020-Jan-05" or "B.C. 0500-Jan-01".
    static std::string_view dayOf(std::string_view dateText) {
        return {dateText.data(), std::min(dateText.size(), dateLength(dateText))};
    }

  private:
    const ScanSettings& settings_;
    const std::optional<DayNumber> startDay_;
    const std::int32_t mostRecords_;
    bool skipping_ = false;
    bool endReached_;
};

}  // namespace vandrel
