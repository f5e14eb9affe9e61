#pragma once

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vandrel::detail {

inline bool isItemEnd(char c) {
    return c == ',' || c == '\n' || c == '\r';
}
inline bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// The first comma, CR or LF in [from, to), or `to`. This is the reader's
// innermost loop, so it looks at 16 bytes at a time where the processor can.
inline const char* findItemEnd(const char* from, const char* to) {
#if defined(__SSE2__)
    const __m128i comma = _mm_set1_epi8(',');
    const __m128i lineFeed = _mm_set1_epi8('\n');
    const __m128i carriageReturn = _mm_set1_epi8('\r');
    while (to - from >= 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
        const __m128i hits = _mm_or_si128(
            _mm_or_si128(_mm_cmpeq_epi8(bytes, comma), _mm_cmpeq_epi8(bytes, lineFeed)),
            _mm_cmpeq_epi8(bytes, carriageReturn));
        const int mask = _mm_movemask_epi8(hits);
        if (mask != 0) {
            return from + __builtin_ctz(static_cast<unsigned>(mask));
        }
        from += 16;
    }
#endif
    while (from < to && !isItemEnd(*from)) {
        ++from;
    }
    return from;
}

inline const char* findQuote(const char* from, const char* to) {
    const void* hit = std::memchr(from, '"', static_cast<std::size_t>(to - from));
    return hit != nullptr ? static_cast<const char*>(hit) : to;
}

}  // namespace vandrel::detail
