#pragma once

#include <cstdint>
#include <string_view>

namespace vandrel {

// Quick readers of the fixed number form that Horizons writes its tables
// in, "9.836868025025924E-01" or "-1.730156260918764E-07": each agrees with
// TextToNumber (text/number_text.h), the one full and correctly rounded
// reading, within the bound it states, and says false where it cannot tell.

// A quick reading of the common forms ("9.836868025025924E-01", "0.5",
// "-12"), within a relative 1e-15 of TextToNumber's value; false for any
// other form (blanks inside, more than 19 digits, a large exponent, trailing
// characters). Lets a caller pass over numbers that cannot matter without
// the full, correctly rounded conversion. (A plain bool and out-value: the
// scanner calls it millions of times a second.)
bool approximateNumber(std::string_view text, double& value);

// The sign of a number as Horizons writes a signed value, "-1.730156260918764E-07"
// or " 1.730156260918764E-07" (22 characters), or a positive one without its
// blank, as a CSV item holds it (21): -1, 0 or 1, the sign of TextToNumber's
// value, told from the characters alone. False for any other form. (The
// scanner asks it of every record's range rate.)
bool horizonsNumberSign(std::string_view text, int& sign);

// TextToNumber's value, read at once where the text is in Horizons' signed
// form (as horizonsNumberSign takes it), which holds no blank to ignore: for
// numbers read by the million, such as the positions of a table without
// ranges.
double horizonsNumberValue(std::string_view text);

// A number in Horizons' distance form with a first digit of 1 to 9,
// "9.836868025025924E-01", by its exponent and its first eight characters,
// which tell two such numbers apart without reading them wherever those differ.
struct HorizonsLead {
    int exponent = 0;
    std::uint64_t lead = 0;  // "9.836868" as a number, its first character highest
};

// False for any other text, and for a first digit of 0.
bool horizonsNumberLead(std::string_view text, HorizonsLead& lead);

// True where the value of `a` is surely greater than that of `b`; false where
// it is less or equal, or where their first eight characters cannot tell.
inline bool surelyGreater(const HorizonsLead& a, const HorizonsLead& b) {
    return a.exponent > b.exponent || (a.exponent == b.exponent && a.lead > b.lead);
}

}  // namespace vandrel
