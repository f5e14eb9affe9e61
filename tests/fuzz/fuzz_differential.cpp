#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "tests/scan_model.h"

// Any bytes as an ephemeris file, scanned by the scanner and by the
// step-by-step model, which must agree. The first byte chooses the settings
// and, in its top bits, a header that puts the file in km or in CSV form.
namespace {

constexpr std::string_view kHeaders[] = {
    "",
    "Center body name: Mars (499) {source: x}\nOutput units    : KM-S\n",
    "JDTDB, Calendar Date (TDB), X, RG, RR,\n",
    "RG, Calendar Date (UT), JDUT,\nOutput units    : KM-D\n",
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
    const std::int32_t mostRecords = (flags & 32) != 0 ? 3 : 1000;
    const std::string input = std::string(kHeaders[flags >> 6]) +
                              std::string(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::string difference =
        vandrel::testing::differenceFromModel(input, settings, mostRecords);
    if (!difference.empty()) {
        std::fprintf(stderr, "%s", difference.c_str());
        __builtin_trap();
    }
    return 0;
}
