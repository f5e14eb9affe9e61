#include "scan/passage_texts.h"

#include <array>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdint>

namespace vandrel {
namespace {

constexpr double kKmPerAu = 149597870.7;
constexpr std::int64_t kSecondsPerDay = 86400;
// Days are counted from the midnight at Julian day 0.5; these are the counts
// of the days that open 1970-Jan-01, the Gregorian calendar (1582-Oct-15) and
// the Julian calendar's year 0 at March 1 (the leap day ends a year there).
constexpr std::int64_t kUnixEpochDay = 2440587;
constexpr std::int64_t kFirstGregorianDay = 2299160;
constexpr std::int64_t kJulianCalendarMarch0 = 1721117;
constexpr std::int64_t kDaysPerJulianCycle = 4 * 365 + 1;
// Beyond the years -9999 to 9999, yet within the years -32767 to 32767 that
// std::chrono::year holds (it keeps 16 bits, so a larger year would wrap).
constexpr double kLargestJulianDay = 1e7;

constexpr std::array<std::string_view, 12> kMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

std::string fixedText(double value, int decimals) {
    std::array<char, 400> buffer;
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed, decimals);
    return std::string(buffer.data(), result.ptr);
}

// A whole number with at least `width` digits, zeros in front.
void appendPadded(std::string& text, std::int64_t value, int width) {
    if (value < 0) {
        text += '-';
        value = -value;
    }
    std::array<char, 24> buffer;
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    const auto digits = result.ptr - buffer.data();
    text.append(digits < width ? width - digits : 0, '0');
    text.append(buffer.data(), result.ptr);
}

// A date of the Julian calendar, which <chrono> does not know: years of 365
// days from March, every fourth one ending with Feb 29 (one cycle of 1461
// days), with months of the same lengths as in the Gregorian calendar.
std::chrono::year_month_day julianCalendarDate(std::int64_t day) {
    const std::int64_t sinceMarch0 = day - kJulianCalendarMarch0;
    const std::int64_t cycle =
        (sinceMarch0 >= 0 ? sinceMarch0 : sinceMarch0 - (kDaysPerJulianCycle - 1)) /
        kDaysPerJulianCycle;
    const std::int64_t dayOfCycle = sinceMarch0 - cycle * kDaysPerJulianCycle;
    const std::int64_t yearOfCycle = (dayOfCycle - dayOfCycle / (kDaysPerJulianCycle - 1)) / 365;
    const std::int64_t dayOfYear = dayOfCycle - 365 * yearOfCycle;
    const std::int64_t monthFromMarch = (5 * dayOfYear + 2) / 153;
    const auto dayOfMonth = static_cast<unsigned>(dayOfYear - (153 * monthFromMarch + 2) / 5 + 1);
    const auto month =
        static_cast<unsigned>(monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9);
    const auto year = static_cast<int>(4 * cycle + yearOfCycle + (month <= 2 ? 1 : 0));
    return {std::chrono::year{year}, std::chrono::month{month}, std::chrono::day{dayOfMonth}};
}

std::chrono::year_month_day calendarDate(std::int64_t day, CalendarMode calendar) {
    if (calendar == CalendarMode::MixedJulianGregorian && day < kFirstGregorianDay) {
        return julianCalendarDate(day);
    }
    return std::chrono::year_month_day{
        std::chrono::sys_days{std::chrono::days{day - kUnixEpochDay}}};
}

}  // namespace

std::string passageTimeText(double julianDay, std::string_view timeScale, CalendarMode calendar) {
    if (!(std::abs(julianDay) < kLargestJulianDay)) {
        return {};
    }
    // Whole days and the second of the day are split before rounding, so the
    // day count stays exact and a rounding up to 86400 s carries into the
    // next day, and through it into the next month and year.
    const double daysFromMidnight = julianDay - 0.5;
    const double dayNumber = std::floor(daysFromMidnight);
    std::int64_t day = static_cast<std::int64_t>(dayNumber);
    std::int64_t second = std::llround((daysFromMidnight - dayNumber) * kSecondsPerDay);
    if (second == kSecondsPerDay) {
        ++day;
        second = 0;
    }
    const std::chrono::year_month_day civil = calendarDate(day, calendar);
    if (std::abs(static_cast<int>(civil.year())) > 9999) {
        return {};
    }
    std::string text;
    text.reserve(21 + timeScale.size());
    appendPadded(text, static_cast<int>(civil.year()), 4);
    text += '-';
    text += kMonthNames[static_cast<unsigned>(civil.month()) - 1];
    text += '-';
    appendPadded(text, static_cast<unsigned>(civil.day()), 2);
    text += ' ';
    appendPadded(text, second / 3600, 2);
    text += ':';
    appendPadded(text, second / 60 % 60, 2);
    text += ':';
    appendPadded(text, second % 60, 2);
    text += ' ';
    text += timeScale;
    return text;
}

std::string julianDayText(double julianDay) {
    return fixedText(julianDay, 6);
}

std::string auText(double au) {
    return fixedText(au, 9);
}

std::string kmText(double au) {
    return fixedText(std::round(au * kKmPerAu), 0);
}

}  // namespace vandrel
