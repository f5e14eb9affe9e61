#pragma once

#include <cstddef>
#include <cstdint>

namespace vandrel::detail {

// The bytes that end an item, and the blanks around one, as the field
// reader and the number rules read them. Free of the processor's vector
// instructions, which only delimiter_search.h, included by .cpp files,
// brings in.
inline bool isItemEnd(char c) {
    return c == ',' || c == '\n' || c == '\r';
}
inline bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
inline bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// Maps the item ends among `size` bytes to bits, 64 to a word.
using ItemEndMapping = void (*)(const char* data, std::size_t size, std::uint64_t* words);

}  // namespace vandrel::detail
