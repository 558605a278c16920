// SHA-256 with the x86 SHA extensions (SHA256RNDS2, SHA256MSG1, SHA256MSG2), which work on
// the state as the halves ABEF and CDGH, two rounds per instruction.

#include <cpuid.h>
#include <immintrin.h>

#include "common/removal/Sha256Blocks.h"

namespace qv::removal {

namespace {

// SHA (leaf 7, EBX bit 29), SSSE3 and SSE4.1 (leaf 1, ECX bits 9 and 19).
bool processorHasShaExtensions() {
    unsigned a, b, c, d;
    if (!__get_cpuid(1, &a, &b, &c, &d) || !(c & (1u << 9)) || !(c & (1u << 19))) return false;
    return __get_cpuid_count(7, 0, &a, &b, &c, &d) && (b & (1u << 29));
}

__attribute__((target("sha,sse4.1,ssse3"))) void compressBlocks(Sha256State& state,
                                                                const std::uint8_t* blocks,
                                                                std::size_t count) {
    // Each 32-bit word of the block is big-endian.
    const __m128i byteSwap = _mm_set_epi64x(0x0c0d0e0f08090a0bULL, 0x0405060700010203ULL);
    // The halves ABEF and CDGH (A and C in the highest lane) from the words A..H. Names of
    // the steps give the lanes from the lowest up.
    __m128i badc = _mm_shuffle_epi32(_mm_loadu_si128(reinterpret_cast<__m128i*>(&state[0])), 0xB1);
    __m128i hgfe = _mm_shuffle_epi32(_mm_loadu_si128(reinterpret_cast<__m128i*>(&state[4])), 0x1B);
    __m128i abef = _mm_alignr_epi8(badc, hgfe, 8);     // lanes F E B A
    __m128i cdgh = _mm_blend_epi16(hgfe, badc, 0xF0);  // lanes H G D C

    for (; count > 0; --count, blocks += 64) {
        const __m128i savedAbef = abef, savedCdgh = cdgh;
        // The message schedule, four words at a time.
        __m128i w[16];
        for (int i = 0; i < 4; ++i) {
            w[i] = _mm_shuffle_epi8(
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(blocks + 16 * i)), byteSwap);
        }
        for (int i = 4; i < 16; ++i) {
            __m128i sum = _mm_add_epi32(_mm_sha256msg1_epu32(w[i - 4], w[i - 3]),
                                        _mm_alignr_epi8(w[i - 1], w[i - 2], 4));
            w[i] = _mm_sha256msg2_epu32(sum, w[i - 1]);
        }
        // Four rounds per group: two, then the next two with the halves swapped.
        for (int i = 0; i < 16; ++i) {
            __m128i wk = _mm_add_epi32(
                w[i], _mm_load_si128(reinterpret_cast<const __m128i*>(&kSha256Round[4 * i])));
            cdgh = _mm_sha256rnds2_epu32(cdgh, abef, wk);
            abef = _mm_sha256rnds2_epu32(abef, cdgh, _mm_shuffle_epi32(wk, 0x0E));
        }
        abef = _mm_add_epi32(abef, savedAbef);
        cdgh = _mm_add_epi32(cdgh, savedCdgh);
    }

    // Back to the words A..H.
    __m128i abef1 = _mm_shuffle_epi32(abef, 0x1B);  // lanes A B E F
    __m128i ghcd = _mm_shuffle_epi32(cdgh, 0xB1);   // lanes G H C D
    _mm_storeu_si128(reinterpret_cast<__m128i*>(&state[0]), _mm_blend_epi16(abef1, ghcd, 0xF0));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(&state[4]), _mm_alignr_epi8(ghcd, abef1, 8));
}

}  // namespace

bool compressWithShaExtensions(Sha256State& state, const std::uint8_t* blocks, std::size_t count) {
    static const bool available = processorHasShaExtensions();
    if (!available) return false;
    compressBlocks(state, blocks, count);
    return true;
}

}  // namespace qv::removal
