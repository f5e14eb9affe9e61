#pragma once

#include <string>
#include <string_view>

namespace vandrel {

// The texts that show a refined passage, alike in the window and on the
// command line. All are independent of the locale.

// The Julian day with 6 decimals, as "2458853.824931".
std::string julianDayText(double julianDay);

// The distance in AU with 9 decimals, as "0.983243565".
std::string auText(double au);

// The distance in whole km (149597870.7 km to the AU, rounded to the nearest,
// halves away from 0), as "147091144".
std::string kmText(double au);

}  // namespace vandrel
