#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "scan/scan_records.h"

namespace vandrel::testing {

// Scans `input` twice, with EphemerisScanner and with a model of the scan
// written apart from it in stages over whole lists, and describes the first
// difference in what they return or tell their observers; empty when none.
std::string differenceFromModel(std::string_view input, const ScanSettings& settings,
                                std::int32_t mostRecords);

}  // namespace vandrel::testing
