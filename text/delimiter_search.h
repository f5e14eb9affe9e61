#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define VANDREL_RUNTIME_AVX2 1
#elif defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "text/item_characters.h"

namespace vandrel::detail {

// The mapping of item ends: the commas, CRs and LFs among `size` bytes as
// bits, 64 to a word and lowest first, in words[0, (size + 63) / 64), with
// the bits past the end 0. A reader maps each block of input once, so that
// finding an item's end is a bit scan that need not wait on the bytes of the
// item before it.

// From the word that holds byte `from`, a multiple of 64, one byte at a time.
inline void mapItemEndsFrom(const char* data, std::size_t from, std::size_t size,
                            std::uint64_t* words) {
    for (std::size_t word = from / 64; word * 64 < size; ++word) {
        std::uint64_t bits = 0;
        for (std::size_t i = word * 64; i < std::min(size, word * 64 + 64); ++i) {
            bits |= std::uint64_t{isItemEnd(data[i])} << (i % 64);
        }
        words[word] = bits;
    }
}

#if defined(__SSE2__)
inline unsigned itemEndBits16(const char* from) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
    const __m128i hits = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(',')),
                                                   _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\n'))),
                                      _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\r')));
    return static_cast<unsigned>(_mm_movemask_epi8(hits));
}
#endif

inline void mapItemEndsSse2(const char* data, std::size_t size, std::uint64_t* words) {
    std::size_t word = 0;
#if defined(__SSE2__)
    for (; word * 64 + 64 <= size; ++word) {
        const char* const from = data + word * 64;
        words[word] = std::uint64_t{itemEndBits16(from)} |
                      std::uint64_t{itemEndBits16(from + 16)} << 16 |
                      std::uint64_t{itemEndBits16(from + 32)} << 32 |
                      std::uint64_t{itemEndBits16(from + 48)} << 48;
    }
#endif
    mapItemEndsFrom(data, word * 64, size, words);
}

#if defined(VANDREL_RUNTIME_AVX2)
// The same 32 bytes at a time, where the processor has AVX2 (nearly every
// x86-64 machine since 2013); the build targets plain x86-64, so the reader
// chooses it at run time.
// Each byte is looked up by its low four bits in a table that holds ',' at
// 0xC, LF at 0xA and CR at 0xD; a byte is an item end where it equals its
// entry. The other entries never equal a byte with their low bits (0 stands
// where the low bits are not 0, and 1 where they are), and a byte with its
// high bit set looks up 0.
__attribute__((target("avx2"))) inline std::uint64_t itemEndBits32(const char* from) {
    const __m256i table = _mm256_setr_epi8(1, 0, 0, 0, 0, 0, 0, 0, 0, 0, '\n', 0, ',', '\r', 0, 0,
                                           1, 0, 0, 0, 0, 0, 0, 0, 0, 0, '\n', 0, ',', '\r', 0, 0);
    const __m256i bytes = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(from));
    const __m256i hits = _mm256_cmpeq_epi8(bytes, _mm256_shuffle_epi8(table, bytes));
    return static_cast<std::uint32_t>(_mm256_movemask_epi8(hits));
}

__attribute__((target("avx2"))) inline void mapItemEndsAvx2(const char* data, std::size_t size,
                                                            std::uint64_t* words) {
    std::size_t word = 0;
    for (; word * 64 + 64 <= size; ++word) {
        const char* const from = data + word * 64;
        words[word] = itemEndBits32(from) | itemEndBits32(from + 32) << 32;
    }
    mapItemEndsFrom(data, word * 64, size, words);
}

inline bool processorHasAvx2() {
    static const bool hasAvx2 = __builtin_cpu_supports("avx2");
    return hasAvx2;
}
#endif

// The widest mapping the processor has.
inline ItemEndMapping widestItemEndMapping() {
#if defined(VANDREL_RUNTIME_AVX2)
    if (processorHasAvx2()) {
        return &mapItemEndsAvx2;
    }
#endif
    return &mapItemEndsSse2;
}

inline const char* findQuote(const char* from, const char* to) {
    const void* hit = std::memchr(from, '"', static_cast<std::size_t>(to - from));
    return hit != nullptr ? static_cast<const char*>(hit) : to;
}

}  // namespace vandrel::detail
