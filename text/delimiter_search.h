#pragma once

#include <cstdint>
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

#if defined(__SSE2__)
// The comma, CR and LF bytes among the 16 at `from`, as bits, lowest first.
inline unsigned itemEndBits(const char* from) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
    const __m128i hits = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(',')),
                                                   _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\n'))),
                                      _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\r')));
    return static_cast<unsigned>(_mm_movemask_epi8(hits));
}
#endif

// The first comma, CR or LF in [from, to), or `to`. This is the reader's
// innermost loop, so it looks at 16 bytes at a time where the processor can.
// Its exit is what costs most: a short item (a CSV column) ends within the
// first 16 bytes, and a line of a plain table within the next 64, so those
// two are tested without a loop, which the processor then predicts well.
inline const char* findItemEnd(const char* from, const char* to) {
#if defined(__SSE2__)
    if (to - from >= 80) {
        if (const unsigned first = itemEndBits(from); first != 0) {
            return from + __builtin_ctz(first);
        }
        const std::uint64_t next = std::uint64_t{itemEndBits(from + 16)} |
                                   std::uint64_t{itemEndBits(from + 32)} << 16 |
                                   std::uint64_t{itemEndBits(from + 48)} << 32 |
                                   std::uint64_t{itemEndBits(from + 64)} << 48;
        if (next != 0) {
            return from + 16 + __builtin_ctzll(next);
        }
        from += 80;
    }
    while (to - from >= 16) {
        if (const unsigned bits = itemEndBits(from); bits != 0) {
            return from + __builtin_ctz(bits);
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
