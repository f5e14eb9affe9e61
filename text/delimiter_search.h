#pragma once

#include <cstring>

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#elif defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vandrel::detail {

inline bool isItemEnd(char c) {
    return c == ',' || c == '\n' || c == '\r';
}
inline bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

#if defined(__x86_64__) && defined(__GNUC__)
// 32 bytes at a time, where the processor has AVX2 (nearly every x86-64
// machine since 2013); the build itself targets plain x86-64.
__attribute__((target("avx2"))) inline const char* findItemEndAvx2(const char* from,
                                                                   const char* to) {
    const __m256i comma = _mm256_set1_epi8(',');
    const __m256i lineFeed = _mm256_set1_epi8('\n');
    const __m256i carriageReturn = _mm256_set1_epi8('\r');
    while (to - from >= 32) {
        const __m256i bytes = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(from));
        const __m256i hits = _mm256_or_si256(
            _mm256_or_si256(_mm256_cmpeq_epi8(bytes, comma), _mm256_cmpeq_epi8(bytes, lineFeed)),
            _mm256_cmpeq_epi8(bytes, carriageReturn));
        const unsigned mask = static_cast<unsigned>(_mm256_movemask_epi8(hits));
        if (mask != 0) {
            return from + __builtin_ctz(mask);
        }
        from += 32;
    }
    while (from < to && !isItemEnd(*from)) {
        ++from;
    }
    return from;
}

inline bool processorHasAvx2() {
    static const bool hasAvx2 = __builtin_cpu_supports("avx2");
    return hasAvx2;
}
#endif

// The first comma, CR or LF in [from, to), or `to`, 16 bytes at a time
// where the processor can.
inline const char* findItemEndSse2(const char* from, const char* to) {
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

// The reader's innermost loop: the widest search the processor has.
inline const char* findItemEnd(const char* from, const char* to) {
#if defined(__x86_64__) && defined(__GNUC__)
    if (processorHasAvx2()) {
        return findItemEndAvx2(from, to);
    }
#endif
    return findItemEndSse2(from, to);
}

inline const char* findQuote(const char* from, const char* to) {
    const void* hit = std::memchr(from, '"', static_cast<std::size_t>(to - from));
    return hit != nullptr ? static_cast<const char*>(hit) : to;
}

}  // namespace vandrel::detail
