#pragma once

#include <cstddef>
#include <string_view>

namespace vandrel {

// Character positions count from 1. A slice that reaches past the end of the
// text yields what is there; one that starts past it is empty.
constexpr std::string_view TextSlice(std::string_view text, std::size_t start, std::size_t length) {
    if (start < 1 || start > text.size()) {
        return {};
    }
    return text.substr(start - 1, length);
}

constexpr std::string_view TextFirst(std::string_view text, std::size_t count) {
    return text.substr(0, count);
}

constexpr std::string_view TextLast(std::string_view text, std::size_t count) {
    return count >= text.size() ? text : text.substr(text.size() - count);
}

// The text without the blanks and tabs before and after it.
constexpr std::string_view TextTrimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// Exact and case-sensitive.
constexpr bool TextEquals(std::string_view a, std::string_view b) {
    return a == b;
}

}  // namespace vandrel
