#pragma once

#include <string>
#include <string_view>

#include "scan/scan_records.h"

namespace vandrel {

// Which extremes a report shows: those the scan tracked.
struct ReportedExtremes {
    bool least = true;
    bool most = true;
};

// A few lines for people: the count of records, then per extreme its item
// number, date/time, AU and km, and below them the summary line.
std::string plainReport(std::string_view file, const ScanResult& result, ReportedExtremes shown);

// One JSON object on one line, with the keys file, datedCount, minimum and/or
// maximum (item, dateText, au, km, summary), then target, center and units
// where the file's header names them, and warnings when there are any.
std::string jsonReport(std::string_view file, const ScanResult& result, ReportedExtremes shown);

}  // namespace vandrel
