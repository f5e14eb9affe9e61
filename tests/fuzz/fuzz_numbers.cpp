#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "scan/horizons_numbers.h"
#include "text/number_text.h"

// Any text as a number: the quick readings and the sign told from the
// characters agree with the exact reading (the exact quick one to the bit), and the 15-digit text
// of a value reads back to the same text.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const double exact = vandrel::TextToNumber(text);
    double quick = 0;
    if (vandrel::approximateNumber(text, quick) && std::isfinite(exact) &&
        std::fabs(quick - exact) > 1e-15 * std::fabs(exact)) {
        __builtin_trap();
    }
    if (const double value = vandrel::horizonsNumberValue(text);
        std::memcmp(&value, &exact, sizeof value) != 0 &&
        !(std::isnan(value) && std::isnan(exact))) {
        __builtin_trap();
    }
    if (int sign = 0;
        vandrel::horizonsNumberSign(text, sign) && sign != (exact > 0) - (exact < 0)) {
        __builtin_trap();
    }
    // Normal doubles hold 15 significant digits; subnormal ones and those
    // that round up past the largest double need not.
    const double magnitude = std::fabs(exact);
    if (exact == 0 || (magnitude >= 2.2250738585072014e-308 && magnitude < 1e308)) {
        const std::string written = vandrel::NumberToText(exact);
        if (vandrel::NumberToText(vandrel::TextToNumber(written)) != written) {
            __builtin_trap();
        }
    }
    return 0;
}
