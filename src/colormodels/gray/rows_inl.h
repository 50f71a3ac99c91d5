// Row functions of the colour-to-gray conversions, compiled once per
// target by the units the build generates (QRX_ISA names the target).
#include <cstdint>

#include "colormodels/gray/rows.h"
#include "frame/image.h"

#if defined(__AVX2__)
// Some compilers flag the intrinsics' deliberately undefined pass-through
// operands as uninitialised once inlined; those reports are false.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wuninitialized"
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#include <immintrin.h>
#pragma GCC diagnostic pop
#endif

namespace qrx {
inline namespace QRX_ISA {
namespace {

// Hand kernels for the leading groups of the 8-bit rows. Each 128-bit lane
// gathers four pixels of two blocks (one block fills the low words, the
// other the high words) as x << 8 in 16-bit words, so an unsigned high
// multiply by k gives floor(x k / 256) exactly for any 16-bit weight. The
// three products and the rounding term are summed with unsigned
// saturation: a sum that saturates is already far above 255 x 16, so the
// final clamp gives 255 either way.
#if defined(__AVX512BW__) || defined(__AVX2__)

// Lane shuffle placing channel c of pixel j (j = 0..3) in the high byte of
// words j and j + 4, zero in the low bytes.
template <int Channels>
constexpr long long grayPick(int c, int half) {
    unsigned long long m = 0;
    for (int b = 0; b < 8; ++b) {
        const int word = half * 4 + b / 2, j = word & 3;
        const unsigned long long v = (b & 1) ? unsigned(j * Channels + c) : 0x80u;
        m |= v << (8 * b);
    }
    return static_cast<long long>(m);
}

#endif

#if defined(__AVX512BW__)

// Whole-register dword permutation (the unmasked intrinsic trips a false
// uninitialised-value warning in some compilers).
inline __m512i permute32(__m512i idx, __m512i v) {
    return _mm512_maskz_permutexvar_epi32(__mmask16(0xFFFF), idx, v);
}

template <int Channels>
__m512i grayPickVec(int c) {
    const long long lo = grayPick<Channels>(c, 0), hi = grayPick<Channels>(c, 1);
    return _mm512_set_epi64(hi, lo, hi, lo, hi, lo, hi, lo);
}

// Gray of blocks a and b (four pixels per lane each), as 16-bit words.
template <int Channels>
__m512i graySum(__m512i a, __m512i b, const __m512i pick[3], const __m512i k[3]) {
    constexpr __mmask64 kHigh = 0xFF00FF00FF00FF00ull;
    __m512i sum = _mm512_set1_epi16(8);
    for (int c = 0; c < 3; ++c) {
        const __m512i x = _mm512_mask_shuffle_epi8(_mm512_shuffle_epi8(a, pick[c]), kHigh, b, pick[c]);
        sum = _mm512_adds_epu16(sum, _mm512_mulhi_epu16(x, k[c]));
    }
    return _mm512_srli_epi16(sum, 4);
}

// Converts the first width rounded down to 64 pixels; returns that count.
template <int Channels>
int grayLeadKernel(const Qrx8u* src, Qrx8u* dst, int width, const GrayWeights12& w) {
    const __m512i pick[3] = {grayPickVec<Channels>(0), grayPickVec<Channels>(1),
                             grayPickVec<Channels>(2)};
    const __m512i k[3] = {_mm512_set1_epi16(short(w.k[0])), _mm512_set1_epi16(short(w.k[1])),
                          _mm512_set1_epi16(short(w.k[2]))};
    // Twelve-byte groups of three-channel pixels spread one per lane; the
    // last block is loaded 16 bytes early so no load passes its end.
    const __m512i spread = _mm512_set_epi32(11, 11, 10, 9, 8, 8, 7, 6, 5, 5, 4, 3, 2, 2, 1, 0);
    const __m512i spreadLast = _mm512_add_epi32(spread, _mm512_set1_epi32(4));
    // Packed words hold pixel groups in the order (lane, block): put them back.
    const __m512i order = _mm512_set_epi32(15, 11, 7, 3, 14, 10, 6, 2, 13, 9, 5, 1, 12, 8, 4, 0);
    const int n = width & ~63;
    for (int x = 0; x < n; x += 64) {
        const Qrx8u* p = src + x * Channels;
        __m512i blk[4];
        for (int i = 0; i < 4; ++i) {
            if constexpr (Channels == 4) {
                blk[i] = _mm512_loadu_si512(p + 64 * i);
            } else if (i < 3) {
                blk[i] = permute32(spread, _mm512_loadu_si512(p + 48 * i));
            } else {
                blk[i] = permute32(spreadLast, _mm512_loadu_si512(p + 128));
            }
        }
        const __m512i lo = graySum<Channels>(blk[0], blk[1], pick, k);
        const __m512i hi = graySum<Channels>(blk[2], blk[3], pick, k);
        _mm512_storeu_si512(dst + x, permute32(order, _mm512_packus_epi16(lo, hi)));
    }
    return n;
}

#elif defined(__AVX2__)

template <int Channels>
__m256i grayPickVec(int c) {
    const __m128i lane = _mm_set_epi64x(grayPick<Channels>(c, 1), grayPick<Channels>(c, 0));
    return _mm256_broadcastsi128_si256(lane);
}

template <int Channels>
__m256i graySum(__m256i a, __m256i b, const __m256i pick[3], const __m256i k[3]) {
    __m256i sum = _mm256_set1_epi16(8);
    for (int c = 0; c < 3; ++c) {
        const __m256i x = _mm256_blend_epi32(_mm256_shuffle_epi8(a, pick[c]),
                                             _mm256_shuffle_epi8(b, pick[c]), 0xCC);
        sum = _mm256_adds_epu16(sum, _mm256_mulhi_epu16(x, k[c]));
    }
    return _mm256_srli_epi16(sum, 4);
}

// Converts the first width rounded down to 32 pixels; returns that count.
template <int Channels>
int grayLeadKernel(const Qrx8u* src, Qrx8u* dst, int width, const GrayWeights12& w) {
    const __m256i pick[3] = {grayPickVec<Channels>(0), grayPickVec<Channels>(1),
                             grayPickVec<Channels>(2)};
    const __m256i k[3] = {_mm256_set1_epi16(short(w.k[0])), _mm256_set1_epi16(short(w.k[1])),
                          _mm256_set1_epi16(short(w.k[2]))};
    const __m256i spread = _mm256_set_epi32(5, 5, 4, 3, 2, 2, 1, 0);
    const __m256i spreadLast = _mm256_set_epi32(7, 7, 6, 5, 4, 4, 3, 2);
    const __m256i order = _mm256_set_epi32(7, 3, 6, 2, 5, 1, 4, 0);
    const int n = width & ~31;
    for (int x = 0; x < n; x += 32) {
        const Qrx8u* p = src + x * Channels;
        __m256i blk[4];
        for (int i = 0; i < 4; ++i) {
            if constexpr (Channels == 4) {
                blk[i] = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + 32 * i));
            } else {
                const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + (i < 3 ? 24 * i : 64)));
                blk[i] = _mm256_permutevar8x32_epi32(v, i < 3 ? spread : spreadLast);
            }
        }
        const __m256i lo = graySum<Channels>(blk[0], blk[1], pick, k);
        const __m256i hi = graySum<Channels>(blk[2], blk[3], pick, k);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + x),
                            _mm256_permutevar8x32_epi32(_mm256_packus_epi16(lo, hi), order));
    }
    return n;
}

#else

template <int Channels>
int grayLeadKernel(const Qrx8u*, Qrx8u*, int, const GrayWeights12&) {
    return 0;
}

#endif

template <int Channels, int Group>
void gray8u(const Qrx8u* src, Qrx8u* dst, int width, const GrayWeights12& w) {
    const int k0 = w.k[0], k1 = w.k[1], k2 = w.k[2];
    const int lead = width & ~(Group - 1);
    for (int x = grayLeadKernel<Channels>(src, dst, lead, w); x < lead; ++x) {
        const Qrx8u* p = src + x * Channels;
        dst[x] = sat8u((((p[0] * k0) >> 8) + ((p[1] * k1) >> 8) + ((p[2] * k2) >> 8) + 8) >> 4);
    }
    for (int x = lead; x < width; ++x) {
        const Qrx8u* p = src + x * Channels;
        dst[x] = sat8u((p[0] * k0 + p[1] * k1 + p[2] * k2 + 2048) >> 12);
    }
}

// How each sample type enters and leaves the float32 sum.
template <class T>
struct FloatIo;

template <>
struct FloatIo<Qrx32f> {
    static float in(Qrx32f v) { return v; }
    static Qrx32f out(float s) { return s; }
};

template <>
struct FloatIo<Qrx16u> {
    static float in(Qrx16u v) { return static_cast<float>(v); }
    // Low 16 bits of the sum truncated toward zero; beyond 2^62 every float
    // is a multiple of 2^39, so those bits are 0 (as for inf and NaN).
    static Qrx16u out(float s) {
        if (!(s > -0x1p62f && s < 0x1p62f)) return 0;
        return static_cast<Qrx16u>(static_cast<int64_t>(s));
    }
};

template <>
struct FloatIo<Qrx16s> {
    static float in(Qrx16s v) { return static_cast<float>(v + 32768); }
    // truncate(s) - 32768, saturated: anything below 1 gives -32768.
    static Qrx16s out(float s) {
        if (!(s >= 1.0f)) return -32768;
        if (s >= 65535.0f) return 32767;
        return static_cast<Qrx16s>(static_cast<int>(s) - 32768);
    }
};

template <class T, int Channels>
void grayFloat(const T* src, T* dst, int width, const Qrx32f* c) {
    using Io = FloatIo<T>;
    const float c0 = c[0], c1 = c[1], c2 = c[2];
    for (int x = 0; x < width; ++x) {
        const T* p = src + x * Channels;
        const float s01 = c0 * Io::in(p[0]) + c1 * Io::in(p[1]);
        dst[x] = Io::out(s01 + c2 * Io::in(p[2]));
    }
}

}  // namespace

extern const GrayRows kGrayRows;
const GrayRows kGrayRows{
    gray8u<3, 4>,         gray8u<4, 8>,         grayFloat<Qrx16u, 3>, grayFloat<Qrx16u, 4>,
    grayFloat<Qrx16s, 3>, grayFloat<Qrx16s, 4>, grayFloat<Qrx32f, 3>, grayFloat<Qrx32f, 4>,
};

}  // namespace QRX_ISA
}  // namespace qrx
