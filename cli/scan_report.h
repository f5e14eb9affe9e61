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

// A few lines for people: the file's warnings, the count of records, then per extreme its item
// number, date/time, AU and km, below them the summary line, and then the
// true perihelion or aphelion refined between records (or why there is none).
std::string plainReport(std::string_view file, const ScanResult& result, ReportedExtremes shown);

// One JSON object on one line, with the keys file, datedCount, minimum and/or
// maximum (item, dateText, au, km, summary, true), then target, center and
// units where the file's header names them, and warnings when there are any
// (with the sentence of a span without a true extreme).
// With `sunFile`, the Sun's file that the distances were taken from, under "sunFile".
std::string jsonReport(std::string_view file, const ScanResult& result, ReportedExtremes shown,
                       std::string_view sunFile = {});

// One passage of --passages, as one line of text or one JSON object.
std::string plainPassage(std::string_view file, const TruePassage& passage,
                         const EphemerisHeader& header);
std::string jsonPassage(std::string_view file, const TruePassage& passage,
                        const EphemerisHeader& header);

}  // namespace vandrel
