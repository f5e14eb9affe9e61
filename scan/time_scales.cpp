#include "scan/time_scales.h"

#include <erfa.h>

#include <array>
#include <cmath>
#include <cstdio>

namespace vandrel {

namespace {

constexpr double kJulianDayOf1960 = 2436934.5;
constexpr double kJulianDayOf10000 = 5373484.5;
constexpr std::array<const char*, 12> kMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                     "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

}  // namespace

std::string utcText(double julianDay, std::string_view timeScale) {
    const bool dynamical = timeScale == "TDB" || timeScale == "CT";
    if ((!dynamical && timeScale != "TT") ||
        !(julianDay >= kJulianDayOf1960 && julianDay < kJulianDayOf10000)) {
        return {};
    }
    // Whole day and fraction apart, so that no precision is lost.
    const double whole = std::floor(julianDay);
    const double fraction = julianDay - whole;
    double tt1 = whole;
    double tt2 = fraction;
    if (dynamical) {
        // TDB - TT for an observer at the geocentre; the time of day in UT
        // matters only for an observer away from it.
        const double tdbMinusTt = eraDtdb(whole, fraction, fraction + 0.5, 0, 0, 0);
        eraTdbtt(whole, fraction, tdbMinusTt, &tt1, &tt2);
    }
    double tai1 = 0;
    double tai2 = 0;
    double utc1 = 0;
    double utc2 = 0;
    eraTttai(tt1, tt2, &tai1, &tai2);
    // Status 1, a year past ERFA's table of leap seconds, still gives UTC
    // with no leap second added since.
    if (eraTaiutc(tai1, tai2, &utc1, &utc2) < 0) {
        return {};
    }
    int year = 0;
    int month = 0;
    int day = 0;
    std::array<int, 4> hmsf{};
    if (eraD2dtf("UTC", 0, utc1, utc2, &year, &month, &day, hmsf.data()) < 0) {
        return {};
    }
    std::array<char, 40> text{};
    std::snprintf(text.data(), text.size(), "%04d-%s-%02d %02d:%02d:%02d UTC", year,
                  kMonthNames[static_cast<std::size_t>(month - 1)], day, hmsf[0], hmsf[1], hmsf[2]);
    return text.data();
}

}  // namespace vandrel
