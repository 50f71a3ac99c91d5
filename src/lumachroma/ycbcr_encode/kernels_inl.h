// Vector kernels of the subsampled YCbCr encoders for AVX-512BW and AVX2,
// included by rows_inl.h in the translation units built for them.
//
// Pixels are handled in groups of one dword per pixel (16 per AVX-512 vector,
// 8 per AVX2 vector), four groups per step. A loader turns a group of any
// source layout into two vectors whose dwords hold the 16-bit words
// (R, G + 4096) and (B, G): the constant 4096 (a marker byte 16 in the high
// byte of the green word) lets the multiplies add the offsets. Everything is
// exact integer arithmetic:
//   luma:   pmaddwd (R, G + 4096) x (16843, 264) + pmaddwd (B, G) x (6423,
//           32766) = 16843 R + 33030 G + 6423 B + 1081344 (264 x 4096).
//           33030 exceeds a signed word, so green enters twice; operands are
//           at most 4351 and the sum stays below 2^24, so its bits 16-23 are
//           the formula's luma.
//   chroma: word sums of the 2 or 4 pixels of a block (SG + n 4096 at most
//           17404), then pmaddwd (SR, SG + n 4096) x (wR, c) + pmaddwd
//           (SB, SG) x (wB, wG - c), where c n 4096 is the rounding bias plus
//           256 levels; |sum| < 2^28, arithmetic shift. The 256 levels make
//           the result 16..240 (packing never clamps) without changing its
//           low 8 bits, which are what the encoders store.
// Packing to bytes works within 128-bit lanes; one permute per step puts the
// lanes back into pixel order. A step never reads or writes past its own
// pixels; the last partial step of a row runs on copies in local buffers.
// GCC 12 reports its own AVX-512 intrinsics (which start from an undefined
// vector) as reading uninitialised values once they are inlined here.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wuninitialized"
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#include <immintrin.h>

#include <array>
#include <cstring>
#include <type_traits>

namespace qrx {
inline namespace QRX_ISA {
namespace {
namespace enc_vec {

// ---- the few operations that differ between the two widths -----------------

#if defined(__AVX512BW__)
using V = __m512i;
constexpr int kLanes = 4;

inline V loadu(const void* p) { return _mm512_loadu_si512(p); }
inline void storeu(void* p, V v) { _mm512_storeu_si512(p, v); }
inline V set1(int v) { return _mm512_set1_epi32(v); }
inline V lanes16(const std::array<Qrx8u, 16>& m) {
    return _mm512_broadcast_i32x4(_mm_loadu_si128(reinterpret_cast<const __m128i*>(m.data())));
}
inline V add16(V a, V b) { return _mm512_add_epi16(a, b); }
inline V add32(V a, V b) { return _mm512_add_epi32(a, b); }
inline V madd(V a, V b) { return _mm512_madd_epi16(a, b); }
inline V andv(V a, V b) { return _mm512_and_si512(a, b); }
inline V orv(V a, V b) { return _mm512_or_si512(a, b); }
template <int S>
V srai(V a) {
    return _mm512_srai_epi32(a, S);
}
template <int S>
V srli(V a) {
    return _mm512_srli_epi32(a, S);
}
template <int S>
V slli(V a) {
    return _mm512_slli_epi32(a, S);
}
inline V bytesInLanes(V a, V m) { return _mm512_shuffle_epi8(a, m); }
inline V dwordsAcross(V a, V idx) { return _mm512_permutexvar_epi32(idx, a); }
// Dwords of `a` picked by idx (16 + i), or dwords of `b` (0 + i).
constexpr int kSecondTable = 16;
inline V dwordsAcross(V a, V idx, V b) { return _mm512_permutex2var_epi32(b, idx, a); }
inline V evenDwords(V a, V b) {
    return _mm512_castps_si512(
        _mm512_shuffle_ps(_mm512_castsi512_ps(a), _mm512_castsi512_ps(b), 0x88));
}
inline V oddDwords(V a, V b) {
    return _mm512_castps_si512(
        _mm512_shuffle_ps(_mm512_castsi512_ps(a), _mm512_castsi512_ps(b), 0xDD));
}
inline V packus32(V a, V b) { return _mm512_packus_epi32(a, b); }
inline V packus16(V a, V b) { return _mm512_packus_epi16(a, b); }
inline V widenWords(const Qrx16u* p) {
    return _mm512_cvtepu16_epi32(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(p)));
}
inline V widenBytes(const Qrx8u* p) {
    return _mm512_cvtepu8_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)));
}
#else
using V = __m256i;
constexpr int kLanes = 2;

inline V loadu(const void* p) { return _mm256_loadu_si256(static_cast<const __m256i*>(p)); }
inline void storeu(void* p, V v) { _mm256_storeu_si256(static_cast<__m256i*>(p), v); }
inline V set1(int v) { return _mm256_set1_epi32(v); }
inline V lanes16(const std::array<Qrx8u, 16>& m) {
    return _mm256_broadcastsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(m.data())));
}
inline V add16(V a, V b) { return _mm256_add_epi16(a, b); }
inline V add32(V a, V b) { return _mm256_add_epi32(a, b); }
inline V madd(V a, V b) { return _mm256_madd_epi16(a, b); }
inline V andv(V a, V b) { return _mm256_and_si256(a, b); }
inline V orv(V a, V b) { return _mm256_or_si256(a, b); }
template <int S>
V srai(V a) {
    return _mm256_srai_epi32(a, S);
}
template <int S>
V srli(V a) {
    return _mm256_srli_epi32(a, S);
}
template <int S>
V slli(V a) {
    return _mm256_slli_epi32(a, S);
}
inline V bytesInLanes(V a, V m) { return _mm256_shuffle_epi8(a, m); }
inline V dwordsAcross(V a, V idx) { return _mm256_permutevar8x32_epi32(a, idx); }
// Dwords of `a` picked by idx, except that the last dword of each lane is b's.
constexpr int kSecondTable = 0;
inline V dwordsAcross(V a, V idx, V b) {
    return _mm256_blend_epi32(_mm256_permutevar8x32_epi32(a, idx), b, 0x88);
}
inline V evenDwords(V a, V b) {
    return _mm256_castps_si256(
        _mm256_shuffle_ps(_mm256_castsi256_ps(a), _mm256_castsi256_ps(b), 0x88));
}
inline V oddDwords(V a, V b) {
    return _mm256_castps_si256(
        _mm256_shuffle_ps(_mm256_castsi256_ps(a), _mm256_castsi256_ps(b), 0xDD));
}
inline V packus32(V a, V b) { return _mm256_packus_epi32(a, b); }
inline V packus16(V a, V b) { return _mm256_packus_epi16(a, b); }
inline V widenWords(const Qrx16u* p) {
    return _mm256_cvtepu16_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)));
}
inline V widenBytes(const Qrx8u* p) {
    return _mm256_cvtepu8_epi32(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(p)));
}
#endif

constexpr int kVecBytes = static_cast<int>(sizeof(V));
constexpr int kGroup = 4 * kLanes;  // pixels per dword vector
constexpr int kStep = 4 * kGroup;   // pixels per step

using Dwords = std::array<int, kGroup>;

inline V dwords(const Dwords& d) { return loadu(d.data()); }

// After packing four dword vectors within lanes, dword k of lane l holds the
// four pixels of group k's lane l; this index puts them in pixel order.
constexpr Dwords kQuadOrder = [] {
    Dwords d{};
    for (int q = 0; q < kGroup; ++q) d[q] = 4 * (q % kLanes) + q / kLanes;
    return d;
}();

#if defined(__AVX512BW__)
// Chroma after packing: 16-bit unit 8l + k holds the Cb of the two blocks
// of group k's lane l, unit 8l + 4 + k their Cr.
constexpr int chromaUnit(int quad, bool cr) { return 8 * (quad % 4) + (cr ? 4 : 0) + quad / 4; }

using Words = std::array<short, 32>;

// Cb of all 32 blocks, then Cr: one plane row each.
inline void storeChromaPlanes(V v, Qrx8u* cb, Qrx8u* cr) {
    static constexpr Words kOrder = [] {
        Words w{};
        for (int q = 0; q < 16; ++q) {
            w[q] = static_cast<short>(chromaUnit(q, false));
            w[16 + q] = static_cast<short>(chromaUnit(q, true));
        }
        return w;
    }();
    const V u = _mm512_permutexvar_epi16(loadu(kOrder.data()), v);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(cb), _mm512_castsi512_si256(u));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(cr), _mm512_extracti64x4_epi64(u, 1));
}

// The chroma bytes of 64 packed pixels in pixel order: Cb Cr Cb Cr ...
template <bool CrFirst>
V chromaInterleaved(V v) {
    static constexpr Words kOrder = [] {
        Words w{};
        for (int lane = 0; lane < 4; ++lane)
            for (int j = 0; j < 4; ++j) {
                w[8 * lane + j] = static_cast<short>(chromaUnit(4 * lane + j, false));
                w[8 * lane + 4 + j] = static_cast<short>(chromaUnit(4 * lane + j, true));
            }
        return w;
    }();
    static constexpr std::array<Qrx8u, 16> kZip = [] {
        std::array<Qrx8u, 16> m{};
        for (int i = 0; i < 8; ++i) {
            m[2 * i] = static_cast<Qrx8u>(CrFirst ? 8 + i : i);
            m[2 * i + 1] = static_cast<Qrx8u>(CrFirst ? i : 8 + i);
        }
        return m;
    }();
    return bytesInLanes(_mm512_permutexvar_epi16(loadu(kOrder.data()), v), lanes16(kZip));
}

// 64 luma and 64 chroma bytes, both in pixel order, as Y C Y C ...
inline void storeZipped(Qrx8u* d, V y, V c) {
    const V lo = _mm512_unpacklo_epi8(y, c), hi = _mm512_unpackhi_epi8(y, c);
    storeu(d, _mm512_permutex2var_epi64(lo, _mm512_setr_epi64(0, 1, 8, 9, 2, 3, 10, 11), hi));
    storeu(d + 64,
           _mm512_permutex2var_epi64(lo, _mm512_setr_epi64(4, 5, 12, 13, 6, 7, 14, 15), hi));
}

// The low byte of every dword, in order.
inline void storeDwordBytes(Qrx8u* d, V v) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d), _mm512_cvtepi32_epi8(v));
}
#else
// Chroma after packing: 16-bit unit k of lane l holds the Cb of the two
// blocks of group k's lane l, unit 4 + k their Cr; interleaving the units of
// the two lanes restores block order.
inline void chromaHalves(V v, __m128i& cb, __m128i& cr) {
    const V t = _mm256_permute2x128_si256(v, v, 1);
    cb = _mm256_castsi256_si128(_mm256_unpacklo_epi16(v, t));
    cr = _mm256_castsi256_si128(_mm256_unpackhi_epi16(v, t));
}

inline void storeChromaPlanes(V v, Qrx8u* cb, Qrx8u* cr) {
    __m128i b, r;
    chromaHalves(v, b, r);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(cb), b);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(cr), r);
}

template <bool CrFirst>
V chromaInterleaved(V v) {
    __m128i b, r;
    chromaHalves(v, b, r);
    const __m128i first = CrFirst ? r : b, second = CrFirst ? b : r;
    return _mm256_set_m128i(_mm_unpackhi_epi8(first, second), _mm_unpacklo_epi8(first, second));
}

inline void storeZipped(Qrx8u* d, V y, V c) {
    const V lo = _mm256_unpacklo_epi8(y, c), hi = _mm256_unpackhi_epi8(y, c);
    storeu(d, _mm256_permute2x128_si256(lo, hi, 0x20));
    storeu(d + 32, _mm256_permute2x128_si256(lo, hi, 0x31));
}

inline void storeDwordBytes(Qrx8u* d, V v) {
    V x = packus32(v, v);
    x = packus16(x, x);
    x = _mm256_permutevar8x32_epi32(x, _mm256_setr_epi32(0, 4, 0, 4, 0, 4, 0, 4));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(d), _mm256_castsi256_si128(x));
}
#endif

// ---- loaders: a group of pixels as (R, G) and (B, G) word pairs ----------

struct Px {
    V rg, bg;
};

// The loaders set the high byte of the green word of (R, G) to kMark, so
// that word is G + kMarkWord; its weights carry the luma offset and the
// chroma bias, which saves an addition per vector (see Weights, Chroma).
constexpr int kMark = 16, kMarkWord = kMark << 8;

// A lane's shuffle putting channels a and b of each of its four pixels (of
// `bytes` bytes, the first at byte 0) into the two words of a dword; the
// high byte of b's word comes from byte `high` of the lane (0x80: zero).
constexpr std::array<Qrx8u, 16> wordPairs(int bytes, int a, int b, int high = 0x80) {
    std::array<Qrx8u, 16> m{};
    for (int j = 0; j < 4; ++j) {
        m[4 * j] = static_cast<Qrx8u>(bytes * j + a);
        m[4 * j + 1] = 0x80;
        m[4 * j + 2] = static_cast<Qrx8u>(bytes * j + b);
        m[4 * j + 3] = static_cast<Qrx8u>(high);
    }
    return m;
}

constexpr int pairOf(int lo, int hi) {
    return static_cast<int>((static_cast<unsigned>(lo) & 0xFFFFu) |
                            (static_cast<unsigned>(hi) << 16));
}

// Interleaved 8-bit pixels of layout L (three or four bytes).
template <class L>
struct PackedLd {
    static constexpr int kPlanes = 1, kBytes = L::channels;
    const Qrx8u* p[1];
    // Three-byte pixels: each lane takes the 12 bytes of its four pixels by
    // a dword permute and the marker as its last dword. The last group of a
    // step loads from the step's last vector-sized span and picks its dwords
    // further in. Four-byte pixels get the marker by an OR.
    static constexpr int kLastShift = (3 * 3 * kGroup - (3 * kStep - kVecBytes)) / 4;
    static constexpr Dwords spread(int shift) {
        Dwords d{};
        for (int j = 0; j < kGroup; ++j)
            d[j] = j % 4 == 3 ? 0 : kSecondTable + shift + 3 * (j / 4) + j % 4;
        return d;
    }
    V spread0 = dwords(spread(0)), spreadLast = dwords(spread(kLastShift));
    V mark = set1(kBytes == 3 ? kMark * 0x01010101 : kMarkWord << 16);
    V rgMask = lanes16(wordPairs(kBytes, L::r, L::g, kBytes == 3 ? 12 : 0x80));
    V bgMask = lanes16(wordPairs(kBytes, L::b, L::g));

    explicit PackedLd(const Qrx8u* src) : p{src} {}

    template <int K>
    Px group(int x) const {
        if constexpr (kBytes == 4) {
            const V data = loadu(p[0] + 4 * (x + K * kGroup));
            return {orv(bytesInLanes(data, rgMask), mark), bytesInLanes(data, bgMask)};
        } else {
            const V data =
                K < 3 ? dwordsAcross(loadu(p[0] + 3 * (x + K * kGroup)), spread0, mark)
                      : dwordsAcross(loadu(p[0] + 3 * (x + kStep) - kVecBytes), spreadLast, mark);
            return {bytesInLanes(data, rgMask), bytesInLanes(data, bgMask)};
        }
    }
};

// 16-bit 5-5-5 (GreenBits 5) or 5-6-5 (GreenBits 6) words, blue in bits 0-4;
// fields widen by a left shift only.
template <int GreenBits>
struct WordLd {
    static constexpr int kPlanes = 1, kBytes = 2;
    const Qrx8u* p[1];
    V five = set1(0xF8), green = set1(((0xFF << (8 - GreenBits)) & 0xFF) << 16);
    V mark = set1(kMarkWord << 16);

    explicit WordLd(const Qrx16u* src) : p{reinterpret_cast<const Qrx8u*>(src)} {}

    template <int K>
    Px group(int x) const {
        const V w = widenWords(reinterpret_cast<const Qrx16u*>(p[0]) + x + K * kGroup);
        // Red sits at bit 5 + GreenBits, green at bit 5, blue at bit 0.
        const V r = andv(srli<GreenBits + 2>(w), five);
        const V g = andv(slli<19 - GreenBits>(w), green);
        const V b = andv(slli<3>(w), five);
        return {orv(orv(r, g), mark), orv(b, g)};
    }
};

// R, G and B planes.
struct PlanarLd {
    static constexpr int kPlanes = 3, kBytes = 1;
    const Qrx8u* p[3];
    V mark = set1(kMarkWord << 16);

    explicit PlanarLd(const PlanarSrc& s) : p{s.r, s.g, s.b} {}

    template <int K>
    Px group(int x) const {
        const int at = x + K * kGroup;
        const V g = slli<16>(widenBytes(p[1] + at));
        return {orv(orv(widenBytes(p[0] + at), g), mark), orv(widenBytes(p[2] + at), g)};
    }
};

template <class L>
PackedLd<L> loaderOf(const PackedSrc<L>& s) {
    return PackedLd<L>(s.p);
}
inline WordLd<5> loaderOf(const Bgr555Src& s) { return WordLd<5>(s.p); }
inline WordLd<6> loaderOf(const Bgr565Src& s) { return WordLd<6>(s.p); }
inline PlanarLd loaderOf(const PlanarSrc& s) { return PlanarLd(s); }

// One step: the four groups' (R, G) and (B, G) vectors.
struct StepPx {
    V rg[4], bg[4];
};

template <class Ld>
[[gnu::always_inline]] inline StepPx loadStep(const Ld& ld, int x) {
    const Px g0 = ld.template group<0>(x), g1 = ld.template group<1>(x),
             g2 = ld.template group<2>(x), g3 = ld.template group<3>(x);
    return {{g0.rg, g1.rg, g2.rg, g3.rg}, {g0.bg, g1.bg, g2.bg, g3.bg}};
}

// The pixels [x, x + n) of a loader's rows copied to the start of local rows
// (the rest zero), so that a partial step reads nothing outside the row.
template <class Ld>
struct Bounce {
    alignas(64) Qrx8u rows[Ld::kPlanes][kStep * Ld::kBytes] = {};
    Ld at(const Ld& ld, int x, int n) {
        Ld out = ld;
        for (int i = 0; i < Ld::kPlanes; ++i) {
            std::memcpy(rows[i], ld.p[i] + x * Ld::kBytes, static_cast<size_t>(n) * Ld::kBytes);
            out.p[i] = rows[i];
        }
        return out;
    }
};

// ---- arithmetic ----------------------------------------------------------

// Luma: (R, G + M) x (16843, a) + (B, G) x (6423, 33030 - a) with a M equal
// to the offset 1081344. Y lands in bits 16-23 of every dword.
struct Weights {
    static constexpr int kGreenMarked = bt601::kYOffset / kMarkWord;
    static_assert(kGreenMarked * kMarkWord == bt601::kYOffset &&
                  bt601::kYg - kGreenMarked <= 32767);
    V yRG = set1(pairOf(bt601::kYr, kGreenMarked)),
      yBG = set1(pairOf(bt601::kYb, bt601::kYg - kGreenMarked));
    V quadOrder = dwords(kQuadOrder);
};

[[gnu::always_inline]] inline V lumaSums(V rg, V bg, const Weights& w) {
    return add32(madd(rg, w.yRG), madd(bg, w.yBG));
}

// Chroma of sums of n = 2^(Shift-16) pixels: the marked green word is
// SG + n M; weight c on it and wG - c on the plain SG give wG SG + c n M,
// where c n M is the rounding bias plus 256 levels (the stored low 8 bits
// stay the same and the result lies in 16..240, so packing never clamps).
template <int Shift, int Bias>
struct Chroma {
    static constexpr int kUnits = kMarkWord << (Shift - 16);
    static constexpr int kBias = Bias + (256 << Shift);
    static constexpr int kC = kBias / kUnits;
    static_assert(kC * kUnits == kBias && kC <= 32767);
    static_assert(bt601::kCbG - kC >= -32768 && bt601::kCrG - kC >= -32768);
    V cbRG = set1(pairOf(bt601::kCbR, kC)), cbBG = set1(pairOf(bt601::kCbB, bt601::kCbG - kC));
    V crRG = set1(pairOf(bt601::kCrR, kC)), crBG = set1(pairOf(bt601::kCrB, bt601::kCrG - kC));
};

// Luma of a step's 4 x kGroup pixels, in pixel order.
[[gnu::always_inline]] inline V lumaBytes(const StepPx& s, const Weights& w) {
    const V y0 = lumaSums(s.rg[0], s.bg[0], w), y1 = lumaSums(s.rg[1], s.bg[1], w);
    const V y2 = lumaSums(s.rg[2], s.bg[2], w), y3 = lumaSums(s.rg[3], s.bg[3], w);
#if defined(__AVX512BW__)
    // The high words of two groups side by side, packed to bytes within
    // lanes: lane l holds pixels 8l.. of the first pair, then 32 + 8l..
    static constexpr Words kHigh = [] {
        Words h{};
        for (int j = 0; j < 32; ++j) h[j] = static_cast<short>(2 * j + 1);
        return h;
    }();
    const V high = loadu(kHigh.data());
    const V b =
        packus16(_mm512_permutex2var_epi16(y0, high, y1), _mm512_permutex2var_epi16(y2, high, y3));
    return _mm512_permutexvar_epi64(_mm512_setr_epi64(0, 2, 4, 6, 1, 3, 5, 7), b);
#else
    const V y01 = packus32(srli<16>(y0), srli<16>(y1)), y23 = packus32(srli<16>(y2), srli<16>(y3));
    return dwordsAcross(packus16(y01, y23), w.quadOrder);
#endif
}

// Sums of pixels 2i and 2i+1 of a and b: lane l holds a's two pairs of lane
// l, then b's.
[[gnu::always_inline]] inline V pairSums(V a, V b) {
    return add16(evenDwords(a, b), oddDwords(a, b));
}

template <int Shift>
[[gnu::always_inline]] inline V dot(V rg, V bg, V wRG, V wBG) {
    return srai<Shift>(add32(madd(rg, wRG), madd(bg, wBG)));
}

// Cb and Cr of the blocks of two pixels (rows already summed for 4:2:0),
// packed as described at chromaUnit / chromaHalves.
template <int Shift, int Bias>
[[gnu::always_inline]] inline V chromaOfPairs(const StepPx& s, const Chroma<Shift, Bias>& c) {
    const V rg01 = pairSums(s.rg[0], s.rg[1]), rg23 = pairSums(s.rg[2], s.rg[3]);
    const V bg01 = pairSums(s.bg[0], s.bg[1]), bg23 = pairSums(s.bg[2], s.bg[3]);
    const V cb =
        packus32(dot<Shift>(rg01, bg01, c.cbRG, c.cbBG), dot<Shift>(rg23, bg23, c.cbRG, c.cbBG));
    const V cr =
        packus32(dot<Shift>(rg01, bg01, c.crRG, c.crBG), dot<Shift>(rg23, bg23, c.crRG, c.crBG));
    return packus16(cb, cr);
}

// ---- row kernels: each converts the columns [0, end) and returns end ------

// An output row and its bytes per pixel, num / den.
struct Out {
    Qrx8u* p;
    int num, den;
};

// Runs step(loaders, x, outputs at x) over the whole steps of [0, end), then
// once on local copies for a partial last step and copies its bytes back.
template <size_t NL, class Ld, size_t M, class StepFn>
int eachStep(const std::array<Ld, NL>& lds, const std::array<Out, M>& outs, int end, StepFn step) {
    int x = 0;
    for (; x + kStep <= end; x += kStep) {
        std::array<Qrx8u*, M> o;
        for (size_t i = 0; i < M; ++i) o[i] = outs[i].p + x * outs[i].num / outs[i].den;
        step(lds, x, o);
    }
    if (x < end) {
        const int n = end - x;
        Bounce<Ld> bounce[NL];
        std::array<Ld, NL> local = lds;
        for (size_t i = 0; i < NL; ++i) local[i] = bounce[i].at(lds[i], x, n);
        alignas(64) Qrx8u buf[M][2 * kStep];
        std::array<Qrx8u*, M> o;
        for (size_t i = 0; i < M; ++i) o[i] = buf[i];
        step(local, 0, o);
        for (size_t i = 0; i < M; ++i)
            std::memcpy(outs[i].p + x * outs[i].num / outs[i].den, buf[i],
                        static_cast<size_t>(n * outs[i].num / outs[i].den));
    }
    return end;
}

template <int N, class Src>
int planes(const Src& src, Qrx8u* y, Qrx8u* cb, Qrx8u* cr, int end) {
    using ycbcr_enc::kBlockChroma;
    constexpr int shift = N == 2 ? 17 : 18;
    const Weights w;
    const Chroma<shift, N == 2 ? kBlockChroma.pair : kBlockChroma.quad> c;
    return eachStep(
        std::array{loaderOf(src)}, std::array{Out{y, 1, 1}, Out{cb, 1, N}, Out{cr, 1, N}}, end,
        [&](const auto& ld, int x, const auto& o) {
            const StepPx s = loadStep(ld[0], x);
            storeu(o[0], lumaBytes(s, w));
            if constexpr (N == 2) {
                storeChromaPlanes(chromaOfPairs(s, c), o[1], o[2]);
            } else {
                // Sums of four: lane l holds quad l of each group.
                const V rg = pairSums(pairSums(s.rg[0], s.rg[1]), pairSums(s.rg[2], s.rg[3]));
                const V bg = pairSums(pairSums(s.bg[0], s.bg[1]), pairSums(s.bg[2], s.bg[3]));
                storeDwordBytes(o[1],
                                dwordsAcross(dot<shift>(rg, bg, c.cbRG, c.cbBG), w.quadOrder));
                storeDwordBytes(o[2],
                                dwordsAcross(dot<shift>(rg, bg, c.crRG, c.crBG), w.quadOrder));
            }
        });
}

template <const ycbcr_enc::ChromaBias& Bias, bool CrFirst, class Src>
int packed(const Src& src, Qrx8u* d, int end) {
    const Weights w;
    const Chroma<17, Bias.pair> c;
    return eachStep(std::array{loaderOf(src)}, std::array{Out{d, 2, 1}}, end,
                    [&](const auto& ld, int x, const auto& o) {
                        const StepPx s = loadStep(ld[0], x);
                        storeZipped(o[0], lumaBytes(s, w),
                                    chromaInterleaved<CrFirst>(chromaOfPairs(s, c)));
                    });
}

template <const ycbcr_enc::ChromaBias& Bias, class Src>
int rowPair(const Src& s0, const Src& s1, Qrx8u* y0, Qrx8u* y1, Qrx8u* cb, Qrx8u* cr, int end) {
    const Weights w;
    const Chroma<18, Bias.quad> c;
    return eachStep(std::array{loaderOf(s0), loaderOf(s1)},
                    std::array{Out{y0, 1, 1}, Out{y1, 1, 1}, Out{cb, 1, 2}, Out{cr, 1, 2}}, end,
                    [&](const auto& ld, int x, const auto& o) {
                        StepPx a = loadStep(ld[0], x);
                        const StepPx b = loadStep(ld[1], x);
                        storeu(o[0], lumaBytes(a, w));
                        storeu(o[1], lumaBytes(b, w));
                        for (int k = 0; k < 4; ++k) {
                            a.rg[k] = add16(a.rg[k], b.rg[k]);
                            a.bg[k] = add16(a.bg[k], b.bg[k]);
                        }
                        storeChromaPlanes(chromaOfPairs(a, c), o[2], o[3]);
                    });
}

template <class Src>
int luma(const Src& src, Qrx8u* y, int end) {
    const Weights w;
    return eachStep(std::array{loaderOf(src)}, std::array{Out{y, 1, 1}}, end,
                    [&](const auto& ld, int x, const auto& o) {
                        storeu(o[0], lumaBytes(loadStep(ld[0], x), w));
                    });
}

}  // namespace enc_vec
}  // namespace
}  // namespace QRX_ISA
}  // namespace qrx

#pragma GCC diagnostic pop
