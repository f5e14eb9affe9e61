#include "text/parse_date.h"

#include <array>
#include <cctype>
#include <chrono>

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

// The English names, not strptime's %b, whose names follow the locale.
std::optional<std::chrono::month> monthNamed(std::string_view name) {
    for (std::size_t index = 0; index < kMonths.size(); ++index) {
        bool same = true;
        for (std::size_t i = 0; i < 3; ++i) {
            same = same && std::tolower(static_cast<unsigned char>(name[i])) == kMonths[index][i];
        }
        if (same) {
            return std::chrono::month{static_cast<unsigned>(index) + 1};
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

}  // namespace

std::optional<DayNumber> ParseDate(std::string_view text) {
    text = trimBlanks(text);
    if (text.size() != 11 || text[4] != '-' || text[8] != '-') {
        return std::nullopt;
    }
    const auto year = digitsValue(text.substr(0, 4));
    const auto month = monthNamed(text.substr(5, 3));
    const auto day = digitsValue(text.substr(9, 2));
    if (!year || !month || !day || *year < 1) {
        return std::nullopt;
    }
    // ok() rejects day 0 and days past the month's end, with leap years.
    const std::chrono::year_month_day date{std::chrono::year{*year}, *month,
                                           std::chrono::day{static_cast<unsigned>(*day)}};
    if (!date.ok()) {
        return std::nullopt;
    }
    return DayNumber{std::chrono::sys_days{date}.time_since_epoch().count()};
}

}  // namespace vandrel
