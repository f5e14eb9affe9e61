#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vandrel {

// Dates as Horizons writes them: the Julian calendar before 1582-Oct-15 and
// the Gregorian one from then on (1582-Oct-05 to 1582-Oct-14 do not exist),
// and years before A.D. 1 as "B.C. yyyy", 1 B.C. being the year before A.D. 1.
// Years run from 9999 B.C. to A.D. 9999.

// A day number that orders dates in time: days since 1970-Jan-01, counted on
// across the calendar reform and into the years B.C.
using DayNumber = long;

struct CalendarDate {
    int year = 1970;  // astronomical: 0 is 1 B.C., -1 is 2 B.C.
    unsigned month = 1;
    unsigned day = 1;
};

// Nothing for a date that its calendar does not have (2021-Feb-29,
// 1582-Oct-10) or a year out of range.
std::optional<DayNumber> dayNumberOf(const CalendarDate& date);
CalendarDate calendarDateOf(DayNumber day);

// Reads "yyyy-Mon-dd" or "B.C. yyyy-Mon-dd": a four-digit year from 1 to
// 9999, the English three-letter month in any letter case, a two-digit day
// that exists in that month of that calendar (1000-Feb-29 is a date,
// 2021-Feb-29 is not). Blanks and tabs around it are ignored. Anything else
// gives no value.
std::optional<DayNumber> ParseDate(std::string_view text);

// How many characters of a record's date text are its date: 11, or 16 after
// "B.C. ". (Inline: the scan asks it of every record.)
inline std::size_t dateLength(std::string_view dateText) {
    return !dateText.empty() && dateText[0] == 'B' && dateText.starts_with("B.C. ") ? 16 : 11;
}

// A record's date and time, "2020-Jan-05 07:47:54.0000" or, as an observer
// table writes it, "2020-Jan-05 07:47" (either with "B.C. " before it), as a
// Julian day; nothing when it is no date and time.
std::optional<double> julianDayOfDateText(std::string_view dateText);

// The instant as date and time rounded to the nearest second, then a blank
// and the time scale's name: Julian day 2458853.82493 with "TDB" gives
// "2020-Jan-05 07:47:54 TDB" (without a scale, no blank after the time).
// Empty for an instant that is not finite
// or lies outside the calendar's years.
std::string instantText(double julianDay, std::string_view timeScale);

}  // namespace vandrel
