#include "text/parse_date.h"

#include <array>
#include <cctype>

#include "text/delimiter_search.h"

namespace vandrel {

namespace {

constexpr std::array<std::string_view, 12> kMonths = {"jan", "feb", "mar", "apr", "may", "jun",
                                                      "jul", "aug", "sep", "oct", "nov", "dec"};

std::optional<int> digitsValue(std::string_view digits) {
    int value = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    return value;
}

std::optional<int> monthNumber(std::string_view name) {
    for (std::size_t index = 0; index < kMonths.size(); ++index) {
        bool same = true;
        for (std::size_t i = 0; i < 3; ++i) {
            same = same && std::tolower(static_cast<unsigned char>(name[i])) == kMonths[index][i];
        }
        if (same) {
            return static_cast<int>(index) + 1;
        }
    }
    return std::nullopt;
}

bool isLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
    constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : kDays[static_cast<std::size_t>(month - 1)];
}

// Days from 1970-01-01 in the proleptic Gregorian calendar.
DayNumber daysFromCivil(int year, int month, int day) {
    const long y = year - (month <= 2 ? 1 : 0);
    const long era = (y >= 0 ? y : y - 399) / 400;
    const long yearOfEra = y - era * 400;
    const long dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
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

}  // namespace

std::optional<DayNumber> ParseDate(std::string_view text) {
    text = trimBlanks(text);
    if (text.size() != 11 || text[4] != '-' || text[8] != '-') {
        return std::nullopt;
    }
    const auto year = digitsValue(text.substr(0, 4));
    const auto month = monthNumber(text.substr(5, 3));
    const auto day = digitsValue(text.substr(9, 2));
    if (!year || !month || !day || *year < 1 || *day < 1 || *day > daysInMonth(*year, *month)) {
        return std::nullopt;
    }
    return daysFromCivil(*year, *month, *day);
}

}  // namespace vandrel
