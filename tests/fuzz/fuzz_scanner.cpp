#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "scan/ephemeris_scanner.h"

// Any bytes as an ephemeris file, with settings taken from the first byte;
// its top bits put a header or a CSV line of column names before the bytes,
// so that the header's labels and the CSV form are reached at once.
namespace {

constexpr std::string_view kHeaders[] = {
    "",
    "Center body name: Mars (499) {source: x}\nOutput units    : KM-S\n",
    "JDTDB, Calendar Date (TDB), X, RG, RR,\n",
    "RG, Calendar Date (UT), JDUT,\nOutput units    : furlongs\n",
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::uint8_t flags = data[0];
    vandrel::ScanSettings settings;
    settings.startFilterOn = (flags & 1) != 0;
    settings.startDateText = "2020-Jan-02";
    settings.endStopOn = (flags & 2) != 0;
    settings.endDateText = (flags & 4) != 0 ? "" : "2020-Jan-03";
    settings.trackMinimum = (flags & 8) != 0;
    settings.trackMaximum = (flags & 16) != 0;
    const std::string input = std::string(kHeaders[flags >> 6]) +
                              std::string(reinterpret_cast<const char*>(data + 1), size - 1);
    vandrel::MemorySource source(input);
    vandrel::ScanObserver observer;
    const auto outcome = vandrel::EphemerisScanner(1000).scan(source, settings, observer);
    if (const auto* result = std::get_if<vandrel::ScanResult>(&outcome)) {
        if (result->datedCount < 0 || result->minimum.item > result->datedCount ||
            result->maximum.item > result->datedCount || result->minimum.dateText.size() > 25 ||
            result->maximum.dateText.size() > 25 || result->warnings.size() > 5 ||
            result->header.target.size() > 80 || result->header.centre.size() > 80 ||
            result->header.units.size() > 80 || result->header.timeScale.size() > 80) {
            __builtin_trap();
        }
    }
    return 0;
}
