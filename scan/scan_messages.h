#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vandrel::messages {

inline constexpr std::string_view kNoStartMarker =
    "This file holds no ephemeris records: no line reads $$SOE.";
inline constexpr std::string_view kEndMarkerMissing =
    "The file ends before $$EOE: it may have been cut short. The results cover the records read.";
inline constexpr std::string_view kTooManyRecords = "Too many records: more than 2147483647.";

inline std::string startDateNotUnderstood(std::string_view text) {
    return "Start date not understood: " + std::string(text) + ". Write it like 1900-Jan-01.";
}

inline std::string recordDateNotUnderstood(std::uint64_t record, std::string_view text) {
    return "Record date not understood at record " + std::to_string(record) + ": " +
           std::string(text) + ".";
}

inline std::string distanceOutOfRange(std::uint64_t record, std::string_view text) {
    return "Distance out of range at record " + std::to_string(record) + ": " + std::string(text) +
           ".";
}

inline std::string readFailed(std::string_view reason) {
    return "The file could not be read to its end: " + std::string(reason) + ".";
}

}  // namespace vandrel::messages
