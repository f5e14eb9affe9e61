#pragma once

#include <algorithm>
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

// The next word of the text at or after `at`: a run of characters other than
// blanks and tabs, or an empty view at the end. `at` moves past it; the
// word's place in the text is word.data() - text.data().
constexpr std::string_view NextWord(std::string_view text, std::size_t& at) {
    const std::size_t start = text.find_first_not_of(" \t", at);
    if (start == std::string_view::npos) {
        at = text.size();
        return {};
    }
    const std::size_t end = std::min(text.find_first_of(" \t", start), text.size());
    at = end;
    return text.substr(start, end - start);
}

// Exact and case-sensitive.
constexpr bool TextEquals(std::string_view a, std::string_view b) {
    return a == b;
}

}  // namespace vandrel
