#include "scan/extreme_tracker.h"

#include <cmath>

#include "text/number_text.h"

namespace vandrel {

namespace {

std::optional<HorizonsLead> leadOf(std::string_view distanceText) {
    if (HorizonsLead lead; horizonsNumberLead(distanceText, lead)) {
        return lead;
    }
    return std::nullopt;
}

}  // namespace

bool ExtremeTracker::read(std::string_view distanceText, std::int32_t item,
                          std::string_view dateText) {
    return compare(TextToNumber(distanceText), distanceText, item, dateText);
}

bool ExtremeTracker::compare(double value, std::string_view distanceText, std::int32_t item,
                             std::string_view dateText) {
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

void ExtremeTracker::replace(DistanceExtreme& extreme, double value, std::int32_t item,
                             std::string_view dateText) const {
    extreme.au = inKm_ ? value / kKmPerAu : value;
    extreme.km = inKm_ ? value : value * kKmPerAu;
    extreme.dateText = dateText;
    extreme.item = item;
}

}  // namespace vandrel
