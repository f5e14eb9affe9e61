#pragma once

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "scan/scan_records.h"

namespace vandrel::messages {

inline constexpr std::string_view kNoStartMarker =
    "This file holds no ephemeris records: no line reads $$SOE.";
inline constexpr std::string_view kEndMarkerMissing =
    "The file ends before $$EOE: it may have been cut short. The results cover the records read.";
inline constexpr std::string_view kTooManyRecords = "Too many records: more than 2147483647.";
inline constexpr std::string_view kNoDistances =
    "No distances in this file: its records have no RG= value and no position (X, Y, Z). In "
    "Horizons, choose a vector table with positions or ranges (output format 1, 2, 3, 4 or 6), "
    "with labels on, and save the file again.";
inline constexpr std::string_view kEndBeforeStart = "$$EOE comes before $$SOE: no record was read.";
inline constexpr std::string_view kNoHeliocentricRange =
    "This observer table has no heliocentric range: add quantity 19 (r and rdot) to the table, "
    "or choose the Vector Table ephemeris type, and save the file again.";
inline constexpr std::string_view kSeenFromTheObserver =
    "Observer table: each instant is when the passage is seen from the observer, later than the "
    "passage itself by the light time. Add quantity 21 (light time) to the table to correct it.";
inline constexpr std::string_view kNoRecords =
    "No records in this file: no line between $$SOE and $$EOE carries a date (= A.D.). In "
    "Horizons, choose the Vector Table ephemeris type and save the file again.";

inline std::string notFromTheSun(std::string_view centre) {
    return "Distances in this file are from " + std::string(centre) +
           ", not from the Sun, so they are not perihelion and aphelion. In Horizons, set the "
           "coordinate centre to the Sun (@sun) and save the file again.";
}

inline std::string unknownUnits(std::string_view units) {
    return "Unknown distance units " + std::string(units) + ": the distances are read as AU.";
}

inline std::string endDateNeverMet(std::string_view endDate) {
    return "No record is dated " + std::string(endDate) + ": the scan ran to the last record.";
}

inline std::string startDateAfterEveryRecord(std::string_view startDate) {
    return "No record is dated on or after " + std::string(startDate) + ".";
}

inline std::string startDateNotUnderstood(std::string_view text) {
    return "Start date not understood: " + std::string(text) + ". Write it like 1900-Jan-01.";
}

inline std::string endDateNotUnderstood(std::string_view text) {
    return "End date not understood: " + std::string(text) + ". Write it like 1900-Jan-01.";
}

// An empty date is quoted, so that the sentence does not end in ": .".
inline std::string recordDateNotUnderstood(std::uint64_t record, std::string_view text) {
    return "Record date not understood at record " + std::to_string(record) + ": " +
           (text.empty() ? std::string("\"\"") : std::string(text)) + ".";
}

// `record` counts the date lines read so far; 0 is before the first of them.
inline std::string distanceOutOfRange(std::uint64_t record, std::string_view text) {
    const std::string where =
        record == 0 ? "before the first record" : "at record " + std::to_string(record);
    return "Distance out of range " + where + ": " + std::string(text) + ".";
}

// Said of a span that holds no passage of the kind asked for: "perihelion",
// "aphelion", or "pericentre" and "apocentre" for another centre.
// `ifClosed`: the file cannot tell whether the orbit returns the body.
inline std::string noPassage(const std::string& kind, bool least, bool atFirstRecord,
                             bool ifClosed) {
    return "No " + kind + " in this file's span: the " + (least ? "least" : "greatest") +
           " distance is at its " + (atFirstRecord ? "first" : "last") + " record, so the " + kind +
           " lies " + (atFirstRecord ? "before" : "after") + " the span" +
           (ifClosed ? ", if the orbit is closed (no velocity about the Sun was read to tell)."
                     : ".");
}

inline constexpr std::string_view kOpenOrbit =
    "No aphelion: the body is on an open orbit about the Sun (faster than the escape speed), so "
    "it never returns.";

// "12 s", "28 min" or "3 h": how far a passage may be off.
inline std::string durationText(double seconds) {
    if (seconds < 59.5) {
        return std::to_string(std::lround(seconds)) + " s";
    }
    if (seconds < 3570) {
        return std::to_string(std::lround(seconds / 60)) + " min";
    }
    return std::to_string(std::lround(seconds / 3600)) + " h";
}

inline std::string uncertainPassages(std::uint64_t count, std::string_view worstTime,
                                     double worstSeconds) {
    return std::to_string(count) +
           (count == 1 ? " passage is uncertain" : " passages are uncertain") +
           " by more than a minute (the worst, " + std::string(worstTime) + ", by about ±" +
           durationText(worstSeconds) +
           "): the records are too far apart there. Save the file with a smaller step for a "
           "better answer.";
}

inline std::string itemTooLong(std::uint64_t record, std::size_t most) {
    return "Distance out of range at record " + std::to_string(record) +
           ": its range or range-rate item is longer than " + std::to_string(most) + " characters.";
}

inline std::string recordNotFitLegend(std::uint64_t record, std::string_view misfit) {
    return "Record " + std::to_string(record) +
           " does not fit the legend above $$SOE: " + std::string(misfit) +
           ". Save the file again from Horizons.";
}

// The Sun's file of --sun beside the file of a body.
// The Sun's file of --sun could not be opened, or read to its end.
inline std::string sunFileUnreadable(std::string_view path, std::string_view reason) {
    return "The Sun's file " + std::string(path) + " cannot be read: " + std::string(reason) + ".";
}

inline std::string sunFileWithoutRecords() {
    return "The Sun's file holds no ephemeris records: no line reads $$SOE.";
}

// Nothing when the Sun's file can serve beside the body's.
inline std::optional<std::string> sunFileMismatch(const EphemerisHeader& sun,
                                                  const EphemerisHeader& body) {
    if (sun.target != "Sun (10)") {
        return "The Sun's file is a table of " +
               (sun.target.empty() ? "an unnamed body" : sun.target) +
               ", not of the Sun (10): save the Sun's vector table from Horizons.";
    }
    if (sun.centre != body.centre) {
        return "The Sun's file is centred on " + sun.centre + ", the file on " + body.centre +
               ": save both from the same centre.";
    }
    if (sun.units != body.units) {
        return "The Sun's file is in " + sun.units + ", the file in " + body.units +
               ": save both in the same units.";
    }
    return std::nullopt;
}

inline std::string sunWithoutPositions() {
    return "The file has no X, Y and Z columns to take the Sun's position from: save it with "
           "output format 1, 2, 3 or 4.";
}

inline std::string sunRecordMissing(double julianDay, bool inSunFile, std::string_view file) {
    char day[32];
    std::snprintf(day, sizeof day, "%.6f", julianDay);
    const std::string name = file.empty() ? "the file" : std::string(file);
    return inSunFile ? "The Sun's file has no record at JD " + std::string(day) + ", where " +
                           name + " has one."
                     : name + " has no record at JD " + std::string(day) +
                           ", where the Sun's file has one.";
}

inline std::string readFailed(std::string_view reason) {
    return "The file could not be read to its end: " + std::string(reason) + ".";
}

}  // namespace vandrel::messages
