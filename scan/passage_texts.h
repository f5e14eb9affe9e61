#pragma once

#include <string>
#include <string_view>

namespace vandrel {

// The texts that show a refined passage, alike in the window and on the
// command line. All are independent of the locale.

// The calendars a Horizons table can write its dates in ("Calendar mode" in
// its header): by default the Julian calendar before 1582-Oct-15 and the
// Gregorian one from then on, or the Gregorian one throughout.
enum class CalendarMode { MixedJulianGregorian, Gregorian };

// The instant as calendar date and time, rounded to the nearest second, then
// a blank and the time scale's name: Julian day 2458853.82493 with "TDB" gives
// "2020-Jan-05 07:47:54 TDB". Years before 1 are written astronomically (0,
// -1, ...). Empty for an instant that is not finite or does not fall in the
// years -9999 to 9999.
std::string passageTimeText(double julianDay, std::string_view timeScale,
                            CalendarMode calendar = CalendarMode::MixedJulianGregorian);

// The Julian day with 6 decimals, as "2458853.824931".
std::string julianDayText(double julianDay);

// The distance in AU with 9 decimals, as "0.983243565".
std::string auText(double au);

// The distance in whole km (149597870.7 km to the AU, rounded to the nearest,
// halves away from 0), as "147091144".
std::string kmText(double au);

}  // namespace vandrel
