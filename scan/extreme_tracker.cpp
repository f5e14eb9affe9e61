#include "scan/extreme_tracker.h"

#include <cmath>

#include "text/number_text.h"

namespace vandrel {

namespace {

constexpr double kKmPerAu = 149597870.7;

std::optional<HorizonsLead> leadOf(std::string_view distanceText) {
    if (HorizonsLead lead; horizonsNumberLead(distanceText, lead)) {
        return lead;
    }
    return std::nullopt;
}

}  // namespace

// Above the least and below the greatest distance read, as their texts
// tell; the first record let through is never so.
bool ExtremeTracker::surelyBetweenExtremes(const HorizonsLead& lead, std::int32_t item) const {
    const bool aboveLeast =
        !trackLeast_ || (item > 1 && leastLead_ && surelyGreater(lead, *leastLead_));
    const bool belowMost = !trackMost_ || (mostLead_ && surelyGreater(*mostLead_, lead));
    return aboveLeast && belowMost;
}

bool ExtremeTracker::cannotMatter(double estimate, std::int32_t item) const {
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

bool ExtremeTracker::read(std::string_view distanceText, std::int32_t item,
                          std::string_view dateText) {
    const double value = TextToNumber(distanceText);
    if (!std::isfinite(value * kKmPerAu)) {
        return false;
    }
    // The least starts at 0, which no distance beats, so the first record
    // let through always supplies it.
    if (trackLeast_ && (item == 1 || value < leastRead_)) {
        leastRead_ = value;
        leastLead_ = leadOf(distanceText);
        replace(least_, value, item, dateText);
        observer_.newMinimum(item);
    }
    if (trackMost_ && value > mostRead_) {
        mostRead_ = value;
        mostLead_ = leadOf(distanceText);
        replace(most_, value, item, dateText);
        observer_.newMaximum(item);
    }
    return true;
}

// The km value is cut to the 15 significant digits of its text form.
void ExtremeTracker::replace(DistanceExtreme& extreme, double value, std::int32_t item,
                             std::string_view dateText) const {
    const double km = inKm_ ? value : value * kKmPerAu;
    extreme.au = inKm_ ? value / kKmPerAu : value;
    extreme.km = TextToNumber(NumberToText(km));
    extreme.dateText = dateText;
    extreme.item = item;
}

}  // namespace vandrel
