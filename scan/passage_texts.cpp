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
// The Julian day number whose midnight (JD n + 0.5) opens 1970-01-01.
constexpr std::int64_t kUnixEpochDayNumber = 2440587;
// Beyond these Julian days the year has more than four digits.
constexpr double kFirstJulianDay = -1930999.5;  // -9999-Jan-01 00:00
constexpr double kEndJulianDay = 5373484.5;     // 10000-Jan-01 00:00

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

}  // namespace

std::string passageTimeText(double julianDay, std::string_view timeScale) {
    if (!(julianDay >= kFirstJulianDay && julianDay < kEndJulianDay)) {
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
    const std::chrono::sys_days date{std::chrono::days{day - kUnixEpochDayNumber}};
    const std::chrono::year_month_day civil{date};
    if (static_cast<int>(civil.year()) > 9999) {
        return {};  // the last second of 9999 rounded into 10000
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
