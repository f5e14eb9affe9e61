#pragma once

#include <string>
#include <string_view>

namespace vandrel::testing {

// The one builder of the tests' small Horizons tables, for the core's tests
// and the window's alike; larger tables come from the generator library.

// One record of a plain vector table: its date line and its LT/RG/RR line
// of 77 characters, with `rg` as the distance text; each line ends with
// `lineEnd`.
std::string record(std::string_view date, std::string_view rg, std::string_view time = "00:00",
                   std::string_view lineEnd = "\n");

}  // namespace vandrel::testing
