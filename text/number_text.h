#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vandrel {

// The nearest decimal text of at most 15 significant digits, with "." as the
// separator, a minus for negatives, a zero before the point below 1, no
// trailing zeros, no point for whole values, no blank and never an exponent:
// 0.9836868025025924 gives "0.983686802502592", 0.00001234 "0.00001234".
std::string NumberToText(double value);
// A count, as its digits.
std::string NumberToText(std::int32_t count);

// A whole value as its digits after a blank (0 and up) or a minus sign.
std::string NumberToSignedText(double wholeValue);

// The longest decimal number at the start of the text: optional sign,
// digits, optional "." and fraction, optional exponent ("E" or "e", optional
// sign, digits). Blanks and tabs anywhere are ignored; no number gives 0.
// The conversion is correctly rounded and independent of the locale; a value
// beyond the range of a double gives infinity, one too small for it 0.
double TextToNumber(std::string_view text);

}  // namespace vandrel
