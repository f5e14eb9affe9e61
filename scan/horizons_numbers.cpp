#include "scan/horizons_numbers.h"

#include <bit>
#include <charconv>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "text/item_characters.h"
#include "text/number_text.h"

namespace vandrel {

namespace {

using detail::isDigit;

}  // namespace

namespace {

constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

constexpr double kNegativePowersOfTen[] = {1e0,   1e-1,  1e-2,  1e-3,  1e-4,  1e-5,  1e-6,  1e-7,
                                           1e-8,  1e-9,  1e-10, 1e-11, 1e-12, 1e-13, 1e-14, 1e-15,
                                           1e-16, 1e-17, 1e-18, 1e-19, 1e-20, 1e-21, 1e-22};

std::uint64_t loadEight(const char* text) {
    std::uint64_t bytes;
    std::memcpy(&bytes, text, sizeof bytes);
    return bytes;
}

// The value of eight digit characters, first character most significant.
std::uint64_t eightDigitsValue(std::uint64_t bytes) {
    bytes -= 0x3030303030303030;
    bytes = bytes * 10 + (bytes >> 8);
    return (((bytes & 0x000000FF000000FF) * 0x000F424000000064) +
            (((bytes >> 16) & 0x000000FF000000FF) * 0x0000271000000001)) >>
           32;
}

#if defined(__SSE2__)
// The digits among the 16 characters at `text`, as bits, lowest first.
unsigned digitBits(const char* text) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text));
    // '0' to '9' become the ten lowest signed bytes.
    const __m128i shifted = _mm_sub_epi8(bytes, _mm_set1_epi8(static_cast<char>('0' + 128)));
    return static_cast<unsigned>(
        _mm_movemask_epi8(_mm_cmplt_epi8(shifted, _mm_set1_epi8(static_cast<char>(-128 + 10)))));
}
#endif

// Horizons writes every distance as "d.dddddddddddddddE+dd" (21 characters).
// Every record passes here twice, so the digits are checked 16 at a time.
[[gnu::always_inline]] inline bool isHorizonsFormAt(const char* text) {
    if constexpr (std::endian::native != std::endian::little) {
        return false;  // the quick reading below takes eight digits at a time
    }
    const char exponentSign = text[18];
    const bool marks =
        (text[1] == '.') & (text[17] == 'E') & ((exponentSign == '+') | (exponentSign == '-'));
#if defined(__SSE2__)
    // Characters 0 to 15 are digits but for the point; 5 to 20 but for "E+".
    const unsigned misplaced = (digitBits(text) ^ 0xFFFDU) | (digitBits(text + 5) ^ 0xCFFFU);
    return marks && misplaced == 0;
#else
    bool digits = true;
    for (const int i : {0, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 19, 20}) {
        digits = digits && isDigit(text[i]);
    }
    return marks && digits;
#endif
}

// The exponent of a number in that form, "E-01" giving -1.
int horizonsExponent(const char* text) {
    const int exponent = (text[19] - '0') * 10 + (text[20] - '0');
    return text[18] == '-' ? -exponent : exponent;
}

bool isHorizonsForm(std::string_view text) {
    return text.size() == 21 && isHorizonsFormAt(text.data());
}

// The sixteen digits of a number in that form, as one whole number, read
// eight at a time.
std::uint64_t horizonsMantissa(const char* text) {
    const std::uint64_t high = loadEight(text + 2);  // digits 2 to 9
    const std::uint64_t low = loadEight(text + 9);   // digits 9 to 16
    return static_cast<std::uint64_t>(text[0] - '0') * 1'000'000'000'000'000 +
           eightDigitsValue(high) * 10'000'000 + eightDigitsValue(low) -
           static_cast<std::uint64_t>(text[9] - '0') * 10'000'000;
}

// That form, read eight digits at a time.
bool approximateHorizonsNumber(std::string_view text, double& value) {
    if (!isHorizonsForm(text)) {
        return false;
    }
    const std::uint64_t mantissa = horizonsMantissa(text.data());
    const int power = horizonsExponent(text.data()) - 15;
    if (power < -22 || power > 22) {
        return false;
    }
    // The reciprocal power adds a third rounding, well within the promise.
    value = static_cast<double>(mantissa) *
            (power < 0 ? kNegativePowersOfTen[-power] : kPowersOfTen[power]);
    return true;
}

}  // namespace

namespace {

// The digits of a number in Horizons' signed form, or null for any other
// text. (Inlined: the scan asks it of every record's rate.)
[[gnu::always_inline]] inline const char* horizonsDigits(std::string_view text) {
    // A CSV item has lost the blank before a positive value.
    const bool hasSign = text.size() == 22;
    if (!hasSign && text.size() != 21) {
        return nullptr;
    }
    const char first = hasSign ? text[0] : ' ';
    const char* const digits = text.data() + (hasSign ? 1 : 0);
    if (!(((first == '-') | (first == ' ') | (first == '+')) & isHorizonsFormAt(digits))) {
        return nullptr;
    }
    return digits;
}

}  // namespace

bool horizonsNumberSign(std::string_view text, int& sign) {
    const char* const digits = horizonsDigits(text);
    if (digits == nullptr) {
        return false;
    }
    const char first = text.size() == 22 ? text[0] : ' ';
    // A mantissa of zeros is 0 whatever its exponent; any other is not, since
    // a two-digit exponent can neither overflow nor underflow a double.
    constexpr std::uint64_t kEightZeros = 0x3030303030303030;
    const bool zero = digits[0] == '0' && loadEight(digits + 2) == kEightZeros &&
                      loadEight(digits + 9) == kEightZeros;
    sign = zero ? 0 : first == '-' ? -1 : 1;
    return true;
}

double horizonsNumberValue(std::string_view text) {
    const char* const digits = horizonsDigits(text);
    if (digits == nullptr) {
        return TextToNumber(text);
    }
    double value = 0;
    const std::uint64_t mantissa = horizonsMantissa(digits);
    const int power = horizonsExponent(digits) - 15;
    if (mantissa <= (std::uint64_t{1} << 53) && power >= -22 && power <= 22) {
        // Both the mantissa and the power of ten are doubles exactly, and a
        // product or quotient of two doubles is rounded correctly: the
        // value is exactly the text's (Clinger's quick path).
        const double whole = static_cast<double>(mantissa);
        value = power < 0 ? whole / kPowersOfTen[-power] : whole * kPowersOfTen[power];
    } else {
        // Two exponent digits: never out of range, so the reading cannot fail.
        std::from_chars(digits, text.data() + text.size(), value);
    }
    return text[0] == '-' ? -value : value;
}

bool horizonsNumberLead(std::string_view text, HorizonsLead& lead) {
    if (text.size() != 21 || text[0] == '0' || !isHorizonsFormAt(text.data())) {
        return false;
    }
    lead.exponent = horizonsExponent(text.data());
    lead.lead = __builtin_bswap64(loadEight(text.data()));
    return true;
}

namespace {

// Any other common form, digit by digit; kept apart so that the scanner's
// loop holds only the quick reading of Horizons' own form.
[[gnu::noinline]] bool approximateOtherNumber(std::string_view text, double& value) {
    const std::size_t size = text.size();
    std::size_t i = 0;
    const auto skipBlanks = [&] {
        while (i < size && detail::isBlank(text[i])) {
            ++i;
        }
    };
    skipBlanks();
    bool negative = false;
    if (i < size && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    std::uint64_t mantissa = 0;
    int digits = 0;
    int fractionDigits = 0;
    for (; i < size && isDigit(text[i]); ++i, ++digits) {
        mantissa = mantissa * 10 + static_cast<std::uint64_t>(text[i] - '0');
    }
    if (i < size && text[i] == '.') {
        for (++i; i < size && isDigit(text[i]); ++i, ++digits, ++fractionDigits) {
            mantissa = mantissa * 10 + static_cast<std::uint64_t>(text[i] - '0');
        }
    }
    if (digits == 0 || digits > 19) {
        return false;
    }
    int exponent = 0;
    if (i < size && (text[i] == 'E' || text[i] == 'e')) {
        ++i;
        bool exponentNegative = false;
        if (i < size && (text[i] == '+' || text[i] == '-')) {
            exponentNegative = text[i] == '-';
            ++i;
        }
        int exponentDigits = 0;
        for (; i < size && isDigit(text[i]) && exponentDigits < 4; ++i, ++exponentDigits) {
            exponent = exponent * 10 + (text[i] - '0');
        }
        if (exponentDigits == 0) {
            return false;
        }
        exponent = exponentNegative ? -exponent : exponent;
    }
    skipBlanks();
    const int power = exponent - fractionDigits;
    if (i != size || power < -22 || power > 22) {
        return false;
    }
    value = static_cast<double>(mantissa) *
            (power < 0 ? kNegativePowersOfTen[-power] : kPowersOfTen[power]);
    value = negative ? -value : value;
    return true;
}

}  // namespace

bool approximateNumber(std::string_view text, double& value) {
    return approximateHorizonsNumber(text, value) || approximateOtherNumber(text, value);
}

}  // namespace vandrel
