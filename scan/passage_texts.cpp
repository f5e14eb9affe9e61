#include "scan/passage_texts.h"

#include <array>
#include <charconv>
#include <cmath>

#include "scan/scan_records.h"

namespace vandrel {
namespace {

std::string fixedText(double value, int decimals) {
    std::array<char, 400> buffer;
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed, decimals);
    return std::string(buffer.data(), result.ptr);
}

}  // namespace

std::string julianDayText(double julianDay) {
    return fixedText(julianDay, 6);
}

std::string auText(double au) {
    return fixedText(au, 9);
}

std::string kmText(double au) {
    return fixedText(std::round(au * kKmPerAu), 0);
}

}  // namespace vandrel
