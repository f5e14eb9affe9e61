#pragma once

#include <cmath>
#include <cstdint>
#include <optional>
#include <string_view>

#include "scan/horizons_numbers.h"
#include "scan/scan_records.h"

namespace vandrel {

// The least and the greatest distance among the records let through, as
// the file writes them, in its own unit: a record replaces the least when
// its distance is smaller (the first record always supplies it), the
// greatest when larger, so that of equal distances the earliest stays.
// Most distances change nothing, and are passed over without their full
// reading: by their first eight characters where those tell, or by a quick
// reading where that tells.
class ExtremeTracker {
  public:
    // Writes the extremes into `least` and `most`, and tells `observer` of
    // each replacement.
    ExtremeTracker(const ScanSettings& settings, ScanObserver& observer, DistanceExtreme& least,
                   DistanceExtreme& most)
        : trackLeast_(settings.trackMinimum),
          trackMost_(settings.trackMaximum),
          observer_(observer),
          least_(least),
          most_(most) {}

    // The file's distances are in km rather than AU.
    void readInKm() { inKm_ = true; }

    // The distance of the record with item number `item` (1 for the first
    // let through) and date text `dateText`. False for a distance whose
    // value is out of range, which the caller reports.
    bool take(std::string_view distanceText, std::int32_t item, std::string_view dateText) {
        if (HorizonsLead lead;
            horizonsNumberLead(distanceText, lead) && surelyBetweenExtremes(lead, item)) {
            return true;
        }
        if (double estimate = 0;
            approximateNumber(distanceText, estimate) && cannotMatter(estimate, item)) {
            return true;
        }
        return read(distanceText, item, dateText);
    }

    // A distance worked out from a position, in the file's unit: compared
    // as it is.
    bool takeMeasured(double distance, std::int32_t item, std::string_view dateText) {
        return compare(distance, {}, item, dateText);
    }

  private:
    // Above the least and below the greatest distance read, as their texts
    // tell; the first record let through is never so. (Inline, with the
    // next, on the path that every record takes.)
    bool surelyBetweenExtremes(const HorizonsLead& lead, std::int32_t item) const {
        const bool aboveLeast =
            !trackLeast_ || (item > 1 && leastLead_ && surelyGreater(lead, *leastLead_));
        const bool belowMost = !trackMost_ || (mostLead_ && surelyGreater(*mostLead_, lead));
        return aboveLeast && belowMost;
    }

    bool cannotMatter(double estimate, std::int32_t item) const {
        // approximateNumber promises a reading within a relative 1e-15 of the
        // full one; 1e-13 leaves a hundredfold margin.
        const double tolerance = 1e-13 * std::fabs(estimate);
        if (!(std::fabs(estimate) < 1e300)) {
            return false;
        }
        if (trackLeast_ && (item == 1 || !(estimate > leastRead_ + tolerance))) {
            return false;
        }
        return !trackMost_ || estimate < mostRead_ - tolerance;
    }

    // Kept out of the inline path that passes most distances over.
    [[gnu::noinline]] bool read(std::string_view distanceText, std::int32_t item,
                                std::string_view dateText);
    // The distance `value`, written `distanceText` (empty where it was
    // worked out).
    bool compare(double value, std::string_view distanceText, std::int32_t item,
                 std::string_view dateText);
    void replace(DistanceExtreme& extreme, double value, std::int32_t item,
                 std::string_view dateText) const;

    const bool trackLeast_;
    const bool trackMost_;
    ScanObserver& observer_;
    DistanceExtreme& least_;
    DistanceExtreme& most_;
    bool inKm_ = false;
    double leastRead_ = 0;  // the extremes as read, in the file's unit
    double mostRead_ = 0;
    std::optional<HorizonsLead> leastLead_;  // their texts' leads, where in Horizons' form
    std::optional<HorizonsLead> mostLead_;
};

}  // namespace vandrel
