#pragma once

#include <optional>
#include <string_view>

namespace vandrel {

// A day number that orders dates in time (days since 1970-Jan-01).
using DayNumber = long;

// Reads "yyyy-Mon-dd": a four-digit year from 1 to 9999, the English
// three-letter month in any letter case, a two-digit day that exists in that
// month (2021-Feb-29 is no date). Blanks and tabs around it are ignored.
// Anything else gives no value.
std::optional<DayNumber> ParseDate(std::string_view text);

}  // namespace vandrel
