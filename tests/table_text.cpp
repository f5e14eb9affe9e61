#include "tests/table_text.h"

#include <cstdio>

namespace vandrel::testing {

std::string record(std::string_view date, std::string_view rg, std::string_view time,
                   std::string_view lineEnd) {
    char line[256];
    std::snprintf(line, sizeof line, "2458849.500000000 = A.D. %.*s %.*s:00.0000 TDB %.*s",
                  static_cast<int>(date.size()), date.data(), static_cast<int>(time.size()),
                  time.data(), static_cast<int>(lineEnd.size()), lineEnd.data());
    std::string text = line;
    // The distance text sits at characters 31 to 51 of a 77-character line;
    // character 30 is the sign's place.
    std::snprintf(
        line, sizeof line, " LT= 5.680996067794166E-03 RG=%22.*s RR=-1.730156260918764E-07%.*s",
        static_cast<int>(rg.size()), rg.data(), static_cast<int>(lineEnd.size()), lineEnd.data());
    return text + line;
}

}  // namespace vandrel::testing
