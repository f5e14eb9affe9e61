#include "text/calendar.h"

#include <array>
#include <cctype>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdint>

#include "text/item_characters.h"

namespace vandrel {

namespace {

constexpr std::array<std::string_view, 12> kMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
constexpr std::string_view kBeforeChrist = "B.C. ";
constexpr int kFirstYear = -9998;  // 9999 B.C.
constexpr int kLastYear = 9999;
constexpr std::int64_t kSecondsPerDay = 86400;
constexpr double kJulianDayOf1970 = 2440587.5;
// 1582-Oct-15, the first day of the Gregorian calendar.
constexpr DayNumber kFirstGregorianDay = -141427;
// The Julian calendar counted from March 1 of its year 0, so that a leap day
// ends a year: that day's number, and the days of a four-year cycle.
constexpr DayNumber kJulianMarch1OfYear0 = -719470;
constexpr DayNumber kDaysPerJulianCycle = 4 * 365 + 1;

DayNumber floorDivide(DayNumber a, DayNumber b) {
    return a / b - (a % b != 0 && (a < 0) != (b < 0));
}

// Months from March, so that February, with the leap day, comes last.
unsigned monthFromMarch(unsigned month) {
    return month > 2 ? month - 3 : month + 9;
}

// <chrono> knows only the Gregorian calendar; the Julian one has its months
// and every fourth year a leap year.
bool isJulianDate(const CalendarDate& date) {
    static constexpr std::array<unsigned, 12> kDays = {31, 28, 31, 30, 31, 30,
                                                       31, 31, 30, 31, 30, 31};
    const bool leap = date.year % 4 == 0;
    const unsigned last = kDays[date.month - 1] + (date.month == 2 && leap ? 1 : 0);
    return date.day >= 1 && date.day <= last;
}

DayNumber julianDayNumber(const CalendarDate& date) {
    const DayNumber yearFromMarch = date.year - (date.month <= 2 ? 1 : 0);
    const DayNumber dayOfYear = (153 * monthFromMarch(date.month) + 2) / 5 + date.day - 1;
    return kJulianMarch1OfYear0 + 365 * yearFromMarch + floorDivide(yearFromMarch, 4) + dayOfYear;
}

CalendarDate julianCalendarDate(DayNumber day) {
    const DayNumber sinceMarch1 = day - kJulianMarch1OfYear0;
    const DayNumber cycle = floorDivide(sinceMarch1, kDaysPerJulianCycle);
    const DayNumber dayOfCycle = sinceMarch1 - cycle * kDaysPerJulianCycle;
    // The leap day is the cycle's last day, in its fourth year.
    const DayNumber yearOfCycle = (dayOfCycle - dayOfCycle / (kDaysPerJulianCycle - 1)) / 365;
    const DayNumber dayOfYear = dayOfCycle - 365 * yearOfCycle;
    const DayNumber month = (5 * dayOfYear + 2) / 153;
    const auto dayOfMonth = static_cast<unsigned>(dayOfYear - (153 * month + 2) / 5 + 1);
    const auto civilMonth = static_cast<unsigned>(month < 10 ? month + 3 : month - 9);
    const auto year = static_cast<int>(4 * cycle + yearOfCycle + (civilMonth <= 2 ? 1 : 0));
    return {year, civilMonth, dayOfMonth};
}

std::optional<unsigned> digitsValue(std::string_view digits) {
    unsigned value = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    return value;
}

// The English names, not strptime's %b, whose names follow the locale.
std::optional<unsigned> monthNamed(std::string_view name) {
    for (std::size_t index = 0; index < kMonthNames.size(); ++index) {
        bool same = true;
        for (std::size_t i = 0; i < 3; ++i) {
            same = same && std::tolower(static_cast<unsigned char>(name[i])) ==
                               std::tolower(static_cast<unsigned char>(kMonthNames[index][i]));
        }
        if (same) {
            return static_cast<unsigned>(index) + 1;
        }
    }
    return std::nullopt;
}

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && detail::isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && detail::isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// A whole number with at least `width` digits, zeros in front.
void appendPadded(std::string& text, std::int64_t value, int width) {
    std::array<char, 24> buffer;
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    const auto digits = result.ptr - buffer.data();
    text.append(digits < width ? static_cast<std::size_t>(width - digits) : 0, '0');
    text.append(buffer.data(), result.ptr);
}

using detail::isDigit;

// The seconds of "07:47:54.0000" or "07:47": two digits, a colon, two
// digits, and then a colon and a number of seconds, where it has them.
std::optional<double> secondsOfDay(std::string_view time) {
    if (time.size() < 5 || time[2] != ':' || !isDigit(time[0]) || !isDigit(time[1]) ||
        !isDigit(time[3]) || !isDigit(time[4])) {
        return std::nullopt;
    }
    const double hoursAndMinutes = ((time[0] - '0') * 10 + (time[1] - '0')) * 3600.0 +
                                   ((time[3] - '0') * 10 + (time[4] - '0')) * 60.0;
    if (time.size() == 5 || time[5] == ' ' || time[5] == '\t') {
        return hoursAndMinutes;
    }
    if (time.size() < 8 || time[5] != ':') {
        return std::nullopt;
    }
    std::string_view seconds = time.substr(6);
    const auto end = seconds.find_first_of(" \t");
    seconds = seconds.substr(0, end);
    double value = 0;
    const auto result = std::from_chars(seconds.data(), seconds.data() + seconds.size(), value,
                                        std::chars_format::fixed);
    if (result.ec != std::errc() || result.ptr != seconds.data() + seconds.size() ||
        !isDigit(seconds[0])) {
        return std::nullopt;
    }
    return hoursAndMinutes + value;
}

}  // namespace

std::optional<DayNumber> dayNumberOf(const CalendarDate& date) {
    if (date.year < kFirstYear || date.year > kLastYear || date.month < 1 || date.month > 12) {
        return std::nullopt;
    }
    const std::chrono::year_month_day gregorian{
        std::chrono::year{date.year}, std::chrono::month{date.month}, std::chrono::day{date.day}};
    const DayNumber gregorianDay = std::chrono::sys_days{gregorian}.time_since_epoch().count();
    if (gregorian.ok() && gregorianDay >= kFirstGregorianDay) {
        return gregorianDay;
    }
    if (!isJulianDate(date)) {
        return std::nullopt;
    }
    // 1582-Oct-05 to Oct-14 fall on or after the Gregorian calendar's first day.
    const DayNumber day = julianDayNumber(date);
    return day < kFirstGregorianDay ? std::optional(day) : std::nullopt;
}

CalendarDate calendarDateOf(DayNumber day) {
    if (day < kFirstGregorianDay) {
        return julianCalendarDate(day);
    }
    const std::chrono::year_month_day date{std::chrono::sys_days{std::chrono::days{day}}};
    return {static_cast<int>(date.year()), static_cast<unsigned>(date.month()),
            static_cast<unsigned>(date.day())};
}

std::optional<DayNumber> ParseDate(std::string_view text) {
    text = trimBlanks(text);
    bool beforeChrist = false;
    if (text.starts_with(kBeforeChrist)) {
        beforeChrist = true;
        text.remove_prefix(kBeforeChrist.size());
    }
    if (text.size() != 11 || text[4] != '-' || text[8] != '-') {
        return std::nullopt;
    }
    const auto year = digitsValue(text.substr(0, 4));
    const auto month = monthNamed(text.substr(5, 3));
    const auto day = digitsValue(text.substr(9, 2));
    if (!year || !month || !day || *year < 1) {
        return std::nullopt;
    }
    const int astronomicalYear =
        beforeChrist ? 1 - static_cast<int>(*year) : static_cast<int>(*year);
    return dayNumberOf({astronomicalYear, *month, *day});
}

std::optional<double> julianDayOfDateText(std::string_view dateText) {
    const std::size_t length = dateLength(dateText);
    const auto day = ParseDate(dateText.substr(0, length));
    if (!day || dateText.size() < length + 1 || dateText[length] != ' ') {
        return std::nullopt;
    }
    const auto seconds = secondsOfDay(dateText.substr(length + 1));
    if (!seconds) {
        return std::nullopt;
    }
    return kJulianDayOf1970 + static_cast<double>(*day) + *seconds / kSecondsPerDay;
}

std::string instantText(double julianDay, std::string_view timeScale) {
    // Beyond the calendar's years, and small enough for a whole day count.
    if (!(std::abs(julianDay - kJulianDayOf1970) < 5e6)) {
        return {};
    }
    // Whole days and the second of the day are split before rounding, so the
    // day count stays exact and a rounding up to 86400 s carries into the
    // next day, and through it into the next month and year.
    const double daysSince1970 = julianDay - kJulianDayOf1970;
    const double dayStart = std::floor(daysSince1970);
    auto day = static_cast<DayNumber>(dayStart);
    std::int64_t second = std::llround((daysSince1970 - dayStart) * kSecondsPerDay);
    if (second == kSecondsPerDay) {
        ++day;
        second = 0;
    }
    const CalendarDate date = calendarDateOf(day);
    if (date.year < kFirstYear || date.year > kLastYear) {
        return {};
    }
    std::string text;
    if (date.year < 1) {
        text += kBeforeChrist;
    }
    appendPadded(text, date.year < 1 ? 1 - date.year : date.year, 4);
    text += '-';
    text += kMonthNames[date.month - 1];
    text += '-';
    appendPadded(text, date.day, 2);
    text += ' ';
    appendPadded(text, second / 3600, 2);
    text += ':';
    appendPadded(text, second / 60 % 60, 2);
    text += ':';
    appendPadded(text, second % 60, 2);
    if (!timeScale.empty()) {
        text += ' ';
        text += timeScale;
    }
    return text;
}

}  // namespace vandrel
