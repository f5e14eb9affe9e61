#pragma once

#include <string>
#include <string_view>

namespace vandrel {

// A JSON string literal, quotes included. Texts from ephemeris files are
// bytes, not always UTF-8: valid UTF-8 passes as it is, and every byte that is
// not part of a valid sequence becomes U+FFFD, so the output is always valid
// JSON (jsonFileKeys keeps a file name's exact bytes beside it).
std::string jsonString(std::string_view bytes);

bool isValidUtf8(std::string_view bytes);

// The standard base64 form of the bytes, with "=" padding.
std::string base64(std::string_view bytes);

// "file":"NAME", and when NAME is not valid UTF-8, also its exact bytes as
// "fileBytes":"BASE64", so that two different files never print the same.
std::string jsonFileKeys(std::string_view file);

}  // namespace vandrel
