#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "scan/scan_records.h"

namespace vandrel::fuzzing {

// A fuzzer's bytes as a scan: the first byte chooses the settings and, in its
// top two bits, a header put before the other bytes, so that the header's
// labels, the km units and the CSV form are reached at once.
struct FuzzInput {
    ScanSettings settings;
    std::string text;
    std::uint8_t flags = 0;
};

inline FuzzInput fuzzInput(const std::uint8_t* data, std::size_t size) {
    static constexpr std::string_view kHeaders[] = {
        "",
        "Center body name: Mars (499) {source: x}\nOutput units    : KM-S\n",
        "Output units    : KM-D\nJDTDB, Calendar Date (TDB), X, RG, RR,\n",
        "RG, Calendar Date (UT), JDUT,\nOutput units    : furlongs\n",
    };
    FuzzInput input;
    input.flags = data[0];
    input.settings.startFilterOn = (input.flags & 1) != 0;
    input.settings.startDateText = "2020-Jan-02";
    input.settings.endStopOn = (input.flags & 2) != 0;
    input.settings.endDateText = (input.flags & 4) != 0 ? "" : "2020-Jan-03";
    input.settings.trackMinimum = (input.flags & 8) != 0;
    input.settings.trackMaximum = (input.flags & 16) != 0;
    input.text = std::string(kHeaders[input.flags >> 6]) +
                 std::string(reinterpret_cast<const char*>(data + 1), size - 1);
    return input;
}

}  // namespace vandrel::fuzzing
