#pragma once

#include <string>
#include <vector>

namespace vandrel {

struct DateTick {
    double julianDay = 0;
    std::string label;  // "2020", "2020-Jan", "2020-Jan-05" or "2020-Jan-05 06:00"
};

// Marks for a date axis from `firstDay` to `lastDay` (Julian days): at most
// `most` of them, at whole hours, days, months or years of the calendar the
// file's dates are written in (Julian before 1582-Oct-15, years B.C. as
// "B.C. yyyy"), each labelled no finer than its step needs.
std::vector<DateTick> dateTicks(double firstDay, double lastDay, int most);

}  // namespace vandrel
