#pragma once

#include <cstdint>
#include <cstring>

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define VANDREL_RUNTIME_AVX2 1
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
inline const char* findItemEndSse2(const char* from, const char* to) {
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

#if defined(VANDREL_RUNTIME_AVX2)
// The same search 32 bytes at a time, chosen at run time where the processor
// has AVX2 (nearly every x86-64 machine since 2013), since the build targets
// plain x86-64. It halves the work on a plain table's lines.
__attribute__((target("avx2"))) inline std::uint32_t itemEndBitsAvx2(const char* from) {
    const __m256i bytes = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(from));
    const __m256i hits =
        _mm256_or_si256(_mm256_or_si256(_mm256_cmpeq_epi8(bytes, _mm256_set1_epi8(',')),
                                        _mm256_cmpeq_epi8(bytes, _mm256_set1_epi8('\n'))),
                        _mm256_cmpeq_epi8(bytes, _mm256_set1_epi8('\r')));
    return static_cast<std::uint32_t>(_mm256_movemask_epi8(hits));
}

__attribute__((target("avx2"))) inline const char* findItemEndAvx2(const char* from,
                                                                   const char* to) {
    if (to - from >= 96) {
        if (const std::uint32_t first = itemEndBitsAvx2(from); first != 0) {
            return from + __builtin_ctz(first);
        }
        const std::uint64_t next = std::uint64_t{itemEndBitsAvx2(from + 32)} |
                                   std::uint64_t{itemEndBitsAvx2(from + 64)} << 32;
        if (next != 0) {
            return from + 32 + __builtin_ctzll(next);
        }
        from += 96;
    }
    return findItemEndSse2(from, to);
}

inline bool processorHasAvx2() {
    static const bool hasAvx2 = __builtin_cpu_supports("avx2");
    return hasAvx2;
}
#endif

// A search for item ends, and the widest one the processor has: a reader
// chooses once, as it starts, rather than at every item.
using ItemEndSearch = const char* (*)(const char* from, const char* to);

inline ItemEndSearch widestItemEndSearch() {
#if defined(VANDREL_RUNTIME_AVX2)
    if (processorHasAvx2()) {
        return &findItemEndAvx2;
    }
#endif
    return &findItemEndSse2;
}

inline const char* findQuote(const char* from, const char* to) {
    const void* hit = std::memchr(from, '"', static_cast<std::size_t>(to - from));
    return hit != nullptr ? static_cast<const char*>(hit) : to;
}

}  // namespace vandrel::detail
