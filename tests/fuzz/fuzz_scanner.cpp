#include <algorithm>
#include <cmath>
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

// Every passage lies between two records let through, at a finite instant and distance.
class PassageChecker final : public vandrel::ScanObserver {
  public:
    void newPassage(const vandrel::TruePassage& passage, const vandrel::EphemerisHeader&) override {
        if (passage.itemBefore < 1 || passage.itemAfter <= passage.itemBefore ||
            !std::isfinite(passage.julianDay) || !std::isfinite(passage.au)) {
            __builtin_trap();
        }
        lastItem = passage.itemAfter;
        if (passage.kind == vandrel::PassageKind::Perihelion) {
            leastAu = std::min(leastAu, passage.au);
        } else {
            greatestAu = std::max(greatestAu, passage.au);
        }
    }
    std::int32_t lastItem = 0;
    double leastAu = HUGE_VAL;
    double greatestAu = -HUGE_VAL;
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
    PassageChecker observer;
    const auto outcome = vandrel::EphemerisScanner(1000).scan(source, settings, observer);
    if (const auto* result = std::get_if<vandrel::ScanResult>(&outcome)) {
        if (result->datedCount < 0 || result->minimum.item > result->datedCount ||
            result->maximum.item > result->datedCount || result->minimum.dateText.size() > 25 ||
            result->maximum.dateText.size() > 25 || result->warnings.size() > 5 ||
            result->header.target.size() > 80 || result->header.centre.size() > 80 ||
            result->header.units.size() > 80 || result->header.timeScale.size() > 80 ||
            observer.lastItem > result->datedCount) {
            __builtin_trap();
        }
        // The true extremes are the least perihelion and the greatest aphelion found.
        const auto& perihelion = result->truePerihelion.passage;
        const auto& aphelion = result->trueAphelion.passage;
        if ((perihelion && perihelion->au != observer.leastAu) ||
            (aphelion && aphelion->au != observer.greatestAu)) {
            __builtin_trap();
        }
    }
    return 0;
}
