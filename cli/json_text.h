#pragma once

#include <string>
#include <string_view>

namespace vandrel {

// A JSON string literal, quotes included. Texts from ephemeris files are
// bytes, not always UTF-8: valid UTF-8 passes as it is, and every byte that is
// not part of a valid sequence is written as the character of that code
// (\u00XX), so the output is always valid JSON and no byte is lost.
std::string jsonString(std::string_view bytes);

}  // namespace vandrel
