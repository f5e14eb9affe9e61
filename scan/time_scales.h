#pragma once

#include <string>
#include <string_view>

namespace vandrel {

// The UTC of an instant given in TDB, TT or CT (Horizons' names for the
// dynamical time scales) from 1960-Jan-01 on, rounded to the second:
// Julian day 2458853.82493 TDB gives "2020-Jan-05 07:46:45 UTC". Empty for
// an instant in any other scale (a file in UT needs no conversion), before
// 1960, when UTC did not exist, or beyond A.D. 9999. After the last leap
// second that the ERFA library knows, none is assumed to have been added.
std::string utcText(double julianDay, std::string_view timeScale);

}  // namespace vandrel
