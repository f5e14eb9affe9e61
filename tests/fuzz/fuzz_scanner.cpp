#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "scan/ephemeris_scanner.h"
#include "scan/record_fields.h"
#include "tests/fuzz/fuzz_input.h"

namespace {

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

// Any bytes as an ephemeris file: the scan ends in order, and what it
// returns holds together.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const vandrel::fuzzing::FuzzInput input = vandrel::fuzzing::fuzzInput(data, size);
    const vandrel::ScanSettings& settings = input.settings;
    vandrel::MemorySource source(input.text);
    PassageChecker observer;
    const auto outcome = vandrel::EphemerisScanner(1000).scan(source, settings, observer);
    if (const auto* result = std::get_if<vandrel::ScanResult>(&outcome)) {
        if (result->datedCount < 0 || result->minimum.item > result->datedCount ||
            result->maximum.item > result->datedCount ||
            result->minimum.dateText.size() > vandrel::kLongestDateText ||
            result->maximum.dateText.size() > vandrel::kLongestDateText ||
            result->warnings.size() > 8 || result->header.target.size() > 80 ||
            result->header.centre.size() > 80 || result->header.units.size() > 80 ||
            result->header.timeScale.size() > 80 || observer.lastItem > result->datedCount) {
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
