// Row functions of the RGB <-> YCbCr 4:4:4 conversions, compiled once per
// instruction set by ycbcr444_rows_<target>.cpp (QRX_ISA names the set).
#include "frame/image.h"
#include "lumachroma/bt601.h"
#include "lumachroma/pixels.h"
#include "lumachroma/ycbcr444_rows.h"

#if defined(__AVX512BW__)
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

using bt601::Ycc;

// Interleaved encoder groups: halved weights, two truncations.
Ycc halvedWeights(Rgb p) {
    using namespace bt601;
    const int y = ((kHalfYr * p.r + kHalfYg * p.g) >> 11) + ((kHalfYb * p.b) >> 11);
    const int cb = ((kHalfCbR * p.r + kHalfCbG * p.g) >> 11) + ((kHalfCbB * p.b) >> 11);
    const int cr = ((kHalfCrR * p.r + kHalfCrG * p.g) >> 11) + ((kHalfCrB * p.b) >> 11);
    return {sat8u((y + kHalfYOffset) >> 4), sat8u((cb + kHalfCOffset) >> 4),
            sat8u((cr + kHalfCOffset) >> 4)};
}

// Planar encoder groups: every product truncated before the sum.
Ycc truncatedProducts(Rgb p) {
    using namespace bt601;
    const int y = ((kYr * p.r) >> kTruncYShift) + ((kYg * p.g) >> kTruncYShift) +
                  ((kYb * p.b) >> kTruncYShift);
    const int cb = ((kCbR * p.r) >> kTruncCShift) + ((kCbG * p.g) >> kTruncCShift) +
                   ((kCbB * p.b) >> kTruncCShift);
    const int cr = ((kCrR * p.r) >> kTruncCShift) + ((kCrG * p.g) >> kTruncCShift) +
                   ((kCrB * p.b) >> kTruncCShift);
    constexpr int yShift = 16 - kTruncYShift, cShift = 16 - kTruncCShift;
    return {((y + kTruncYRound) >> yShift) + 16, sat8u(((cb + kTruncCRound) >> cShift) + 128),
            sat8u(((cr + kTruncCRound) >> cShift) + 128)};
}

// Pixels [0, lead) by the group formula, the rest by the forward matrix.
template <Ycc (*Lead)(Rgb), class Src, class Dst>
void encode(Src src, Dst dst, int width, int lead, int from) {
    for (int x = from; x < width; ++x) {
        const Ycc c = x < lead ? Lead(src(x)) : bt601::forward(src(x));
        dst(x, Qrx8u(c.y), Qrx8u(c.cb), Qrx8u(c.cr));
    }
}

// Decoder groups: 16-bit arithmetic that a vector does with one high
// multiply per product. The weights are the inverse matrix's divided by 8
// (truncated toward zero), each product of a sample (centred for chroma)
// floored at 2^8, and the sum, in units of 1/32, floored once more. Within
// one of the matrix for every input (tested over all of them); black stays
// black.
constexpr int kGroupY = 9535, kGroupYOffset = 595;  // 76284 / 8; 16 x 76284 / 2048 - 1
constexpr int kGroupRCr = 13074, kGroupGCb = -3211, kGroupGCr = -6660, kGroupBCb = 16523;
constexpr int kGroupShift = 5;

bt601::Rgb8 inverseGroups(int Y, int Cb, int Cr) {
    const int y = ((Y * kGroupY) >> 8) - kGroupYOffset, b = Cb - 128, r = Cr - 128;
    return {sat8u((y + ((r * kGroupRCr) >> 8)) >> kGroupShift),
            sat8u((y + ((b * kGroupGCb) >> 8) + ((r * kGroupGCr) >> 8)) >> kGroupShift),
            sat8u((y + ((b * kGroupBCb) >> 8)) >> kGroupShift)};
}

// Pixels [from, lead) by the group formula, the rest of the row by the
// inverse matrix. YCbCr sources are read with the RGB readers: channel 0 is
// Y, 1 Cb, 2 Cr.
template <class Src, class Dst>
void decode(Src src, Dst dst, int width, int lead, int from) {
    for (int x = from; x < lead; ++x) {
        const Rgb ycc = src(x);
        const bt601::Rgb8 c = inverseGroups(ycc.r, ycc.g, ycc.b);
        dst(x, c.r, c.g, c.b);
    }
    for (int x = from > lead ? from : lead; x < width; ++x) {
        const Rgb ycc = src(x);
        const bt601::Rgb8 c = bt601::inverse(ycc.r, ycc.g, ycc.b);
        dst(x, c.r, c.g, c.b);
    }
}

// A four-channel destination whose fourth byte is set to a constant.
template <class L>
struct FilledAlphaDst {
    PackedDst<L> dst;
    Qrx8u alpha;
    void operator()(int x, Qrx8u r, Qrx8u g, Qrx8u b) const {
        dst(x, r, g, b);
        dst.alpha(x, alpha);
    }
};

PlanarSrc planes(const Qrx8u* const p[3]) {
    return {p[0], p[1], p[2]};
}
PlanarDst planes(Qrx8u* const p[3]) {
    return {p[0], p[1], p[2]};
}

// Pointer holders for the vector kernels, defined on every target so the
// row functions read the same everywhere; only AVX-512 builds give them
// kernels (elsewhere vectorLead converts nothing and the generic loops,
// auto-vectorised per target, take the whole row).
template <class L>
struct VecPackedSrc {
    const Qrx8u* p;
};
struct VecPlanarSrc {
    const Qrx8u* const* p;
};
enum class Alpha { None, Keep, Set };
template <class L, Alpha A>
struct VecPackedDst {
    Qrx8u* p;
    Qrx8u alpha;
};
struct VecPlanarDst {
    Qrx8u* const* p;
};

// The arithmetic of a vector group. Those that take channel words say by
// kHigh whether they want the samples in the high bytes (x 256) or the low
// bytes; the others take word pairs straight from an interleaved source.
struct Halved {};   // interleaved encoder groups
struct Forward {};  // forward matrix, exact
struct Inverse {};  // inverse matrix, exact
struct Truncated {  // planar encoder groups
    static constexpr bool kHigh = false;
};
struct InverseGroups {  // decoder groups
    static constexpr bool kHigh = true;
};

#if defined(__AVX512BW__)

// Kernels take 64 pixels at a time as 16-bit words, 32 per register. Each
// 128-bit lane holds four pixels of one 16-pixel block in its low words and
// the same four of the next block in its high words; every reader and
// writer uses that order, so the arithmetic never needs to know it.
using V = __m512i;
struct Block {
    V w[3][2];  // channel, half (pixels 0-31 and 32-63 of the group)
};

inline V permute32(V idx, V v) {
    return _mm512_maskz_permutexvar_epi32(__mmask16(0xFFFF), idx, v);
}
inline V loadu(const Qrx8u* p) {
    return _mm512_loadu_si512(p);
}
inline V set32(int v) {
    return _mm512_set1_epi32(v);
}
inline V set16(int v) {
    return _mm512_set1_epi16(static_cast<short>(v));
}
// A pair of 16-bit weights for vpmaddwd: `lo` multiplies the first word.
inline V pair(int lo, int hi) {
    return set32(static_cast<int>((static_cast<unsigned>(hi) << 16) | (lo & 0xFFFF)));
}

// A lane shuffle from its sixteen bytes: byteOf(i) names the byte of the
// lane's four pixels (pixel x Channels + channel offset) for byte i, or -1
// for zero.
template <class F>
V lanePattern(F byteOf) {
    long long half[2] = {0, 0};
    for (int i = 0; i < 16; ++i) {
        const int b = byteOf(i);
        const unsigned long long v = b < 0 ? 0x80u : unsigned(b);
        half[i / 8] |= static_cast<long long>(v << (8 * (i % 8)));
    }
    return _mm512_set_epi64(half[1], half[0], half[1], half[0], half[1], half[0], half[1], half[0]);
}

// Word j of a lane takes pixel j % 4 (of the first block for j < 4, of the
// second after): channel `offset` in its low (or high) byte.
template <int Channels, bool High>
V channelWords(int offset) {
    return lanePattern([=](int i) { return (i & 1) != High ? -1 : (i / 2 & 3) * Channels + offset; });
}
// Dword k of a lane takes the pixel of word 2k (2k + 1 for the odd ones) as
// two words, channels a and b (zero for -1), for vpmaddwd.
template <int Channels>
V pairDwords(int a, int b, int odd) {
    return lanePattern([=](int i) {
        const int c = (i & 2) ? b : a;
        return (i & 1) || c < 0 ? -1 : ((i / 4 * 2 + odd) & 3) * Channels + c;
    });
}
// Word j of a lane takes the pixel of word j as two bytes, channels a and
// b, for vpmaddubsw.
template <int Channels>
V bytePairs(int a, int b) {
    return lanePattern([=](int i) { return (i / 2 & 3) * Channels + ((i & 1) ? b : a); });
}

// 64 pixels of an interleaved row as four blocks of 16, each lane holding
// four pixels from its low byte.
template <class L>
struct PackedBlocks {
    V blk[4];
    // A lane pattern over half h: blocks 2h and 2h + 1, the second giving
    // bytes 8-15 of each lane.
    [[gnu::always_inline]] V pick(int h, V pattern) const {
        constexpr __mmask64 kSecond = 0xFF00FF00FF00FF00ull;
        return _mm512_mask_shuffle_epi8(_mm512_shuffle_epi8(blk[2 * h], pattern), kSecond,
                                        blk[2 * h + 1], pattern);
    }
};

template <class L>
[[gnu::always_inline]] inline PackedBlocks<L> fetch(const VecPackedSrc<L>& s, int x) {
    const Qrx8u* p = s.p + x * L::channels;
    PackedBlocks<L> out;
    if constexpr (L::channels == 4) {
        for (int i = 0; i < 4; ++i) out.blk[i] = loadu(p + 64 * i);
    } else {
        // Twelve bytes per lane; the last block loads 16 bytes early so no
        // load passes the group's end.
        const V spread = _mm512_set_epi32(11, 11, 10, 9, 8, 8, 7, 6, 5, 5, 4, 3, 2, 2, 1, 0);
        for (int i = 0; i < 3; ++i) out.blk[i] = permute32(spread, loadu(p + 48 * i));
        out.blk[3] = permute32(_mm512_add_epi32(spread, set32(4)), loadu(p + 128));
    }
    return out;
}

template <bool High, class L>
[[gnu::always_inline]] inline void channels(const PackedBlocks<L>& in, int h, V out[3]) {
    const int offsets[3] = {L::r, L::g, L::b};
    for (int c = 0; c < 3; ++c) out[c] = in.pick(h, channelWords<L::channels, High>(offsets[c]));
}

// Dword j of lane i to dword i of lane j: pixels 4i..4i+3 of every block in
// lane i, and back.
inline V transposeDwords(V v) {
    return permute32(_mm512_set_epi32(15, 11, 7, 3, 14, 10, 6, 2, 13, 9, 5, 1, 12, 8, 4, 0), v);
}

// 64 pixels of three planes, each plane's dwords transposed.
struct PlanarBlocks {
    V t[3];
};

[[gnu::always_inline]] inline PlanarBlocks fetch(const VecPlanarSrc& s, int x) {
    return {{transposeDwords(loadu(s.p[0] + x)), transposeDwords(loadu(s.p[1] + x)),
             transposeDwords(loadu(s.p[2] + x))}};
}

template <bool High>
[[gnu::always_inline]] inline void channels(const PlanarBlocks& in, int h, V out[3]) {
    const V zero = _mm512_setzero_si512();
    for (int c = 0; c < 3; ++c) {
        const V a = High ? zero : in.t[c], b = High ? in.t[c] : zero;
        out[c] = h ? _mm512_unpackhi_epi8(a, b) : _mm512_unpacklo_epi8(a, b);
    }
}

// Bytes of channel c, clamped to 0..255; in lane order (four pixels of
// each of the four blocks per lane) unless put back in pixel order.
inline V packChannel(const Block& b, int c) {
    return _mm512_packus_epi16(b.w[c][0], b.w[c][1]);
}

inline void store(const VecPlanarDst& d, int x, const Block& b) {
    for (int c = 0; c < 3; ++c) _mm512_storeu_si512(d.p[c] + x, transposeDwords(packChannel(b, c)));
}

template <class L, Alpha A>
[[gnu::always_inline]] inline void store(const VecPackedDst<L, A>& d, int x, const Block& b) {
    V bytes[4];
    bytes[L::r] = packChannel(b, 0);
    bytes[L::g] = packChannel(b, 1);
    bytes[L::b] = packChannel(b, 2);
    bytes[3] = set16(d.alpha * 0x101);
    const V lo01 = _mm512_unpacklo_epi8(bytes[0], bytes[1]), hi01 = _mm512_unpackhi_epi8(bytes[0], bytes[1]);
    const V lo23 = _mm512_unpacklo_epi8(bytes[2], bytes[3]), hi23 = _mm512_unpackhi_epi8(bytes[2], bytes[3]);
    // Block j holds pixels 16j..16j+15 as four bytes each.
    const V blk[4] = {_mm512_unpacklo_epi16(lo01, lo23), _mm512_unpackhi_epi16(lo01, lo23),
                      _mm512_unpacklo_epi16(hi01, hi23), _mm512_unpackhi_epi16(hi01, hi23)};
    Qrx8u* p = d.p + x * L::channels;
    if constexpr (A == Alpha::None) {
        // Drop every fourth byte (12 bytes per lane), then join the twelve
        // dwords of each block into three full vectors.
        const long long lo = 0x0908060504020100ll, hi = static_cast<long long>(0xFFFFFFFF0E0D0C0Aull);
        const V squeeze = _mm512_set_epi64(hi, lo, hi, lo, hi, lo, hi, lo);
        V sq[4];
        for (int j = 0; j < 4; ++j) sq[j] = _mm512_shuffle_epi8(blk[j], squeeze);
        const V join[3] = {_mm512_set_epi32(20, 18, 17, 16, 14, 13, 12, 10, 9, 8, 6, 5, 4, 2, 1, 0),
                           _mm512_set_epi32(25, 24, 22, 21, 20, 18, 17, 16, 14, 13, 12, 10, 9, 8, 6, 5),
                           _mm512_set_epi32(30, 29, 28, 26, 25, 24, 22, 21, 20, 18, 17, 16, 14, 13, 12, 10)};
        for (int j = 0; j < 3; ++j)
            _mm512_storeu_si512(p + 64 * j, _mm512_permutex2var_epi32(sq[j], join[j], sq[j + 1]));
        return;
    }
    for (int j = 0; j < 4; ++j) {
        if constexpr (A == Alpha::Set)
            _mm512_storeu_si512(p + 64 * j, blk[j]);
        else
            _mm512_mask_storeu_epi8(p + 64 * j, 0x7777777777777777ull, blk[j]);
    }
}

constexpr __mmask32 kOddWords = 0xAAAAAAAAu;

// Words again from exact 32-bit sums over word pairs (plus a bias), each
// floored at 2^Shift: the even results from the low half, the odd ones
// from the high half of their dwords.
template <int Shift>
V floorSum(const V a[2], V ka, V bias) {
    const V even = _mm512_add_epi32(_mm512_madd_epi16(a[0], ka), bias);
    const V odd = _mm512_add_epi32(_mm512_madd_epi16(a[1], ka), bias);
    return _mm512_mask_blend_epi16(kOddWords, _mm512_srai_epi32(even, Shift),
                                   _mm512_slli_epi32(odd, 16 - Shift));
}
template <int Shift>
V floorSum(const V a[2], V ka, const V b[2], V kb, V bias) {
    const V even = _mm512_add_epi32(_mm512_madd_epi16(a[0], ka), _mm512_madd_epi16(b[0], kb));
    const V odd = _mm512_add_epi32(_mm512_madd_epi16(a[1], ka), _mm512_madd_epi16(b[1], kb));
    const V withBias[2] = {_mm512_add_epi32(even, bias), _mm512_add_epi32(odd, bias)};
    return _mm512_mask_blend_epi16(kOddWords, _mm512_srai_epi32(withBias[0], Shift),
                                   _mm512_slli_epi32(withBias[1], 16 - Shift));
}

template <class L>
[[gnu::always_inline]] inline void convert(Halved, const PackedBlocks<L>& in, int h, V out[3]) {
    using namespace bt601;
    constexpr int C = L::channels;
    const V rg[2] = {in.pick(h, pairDwords<C>(L::r, L::g, 0)), in.pick(h, pairDwords<C>(L::r, L::g, 1))};
    // A high multiply of b << 5 by k gives floor(b k / 2048).
    const V b5 = _mm512_slli_epi16(in.pick(h, channelWords<C, false>(L::b)), 5);
    const int w[3][4] = {{kHalfYr, kHalfYg, kHalfYb, kHalfYOffset},
                         {kHalfCbR, kHalfCbG, kHalfCbB, kHalfCOffset},
                         {kHalfCrR, kHalfCrG, kHalfCrB, kHalfCOffset}};
    for (int o = 0; o < 3; ++o) {
        const V sum = floorSum<11>(rg, pair(w[o][0], w[o][1]), _mm512_setzero_si512());
        const V s = _mm512_add_epi16(sum, _mm512_mulhi_epi16(b5, set16(w[o][2])));
        out[o] = _mm512_srai_epi16(_mm512_add_epi16(s, set16(w[o][3])), 4);
    }
}

inline void apply(Truncated, const V in[3], V out[3]) {
    using namespace bt601;
    // x << 8 and x << 7 under a high multiply give floor(x k / 256) and
    // floor(x k / 512). Luma sums stay below 2^16 unsigned; chroma sums
    // stay within +-14330, so the offset 128 x 128 keeps them positive.
    V sum = set16(kTruncYRound + (16 << 8));
    const int ky[3] = {kYr, kYg, kYb};
    for (int c = 0; c < 3; ++c)
        sum = _mm512_add_epi16(sum, _mm512_mulhi_epu16(_mm512_slli_epi16(in[c], 8), set16(ky[c])));
    out[0] = _mm512_srli_epi16(sum, 16 - kTruncYShift);
    const int kc[2][3] = {{kCbR, kCbG, kCbB}, {kCrR, kCrG, kCrB}};
    for (int o = 0; o < 2; ++o) {
        V s = set16(kTruncCRound + (128 << 7));
        for (int c = 0; c < 3; ++c)
            s = _mm512_add_epi16(s, _mm512_mulhi_epi16(_mm512_slli_epi16(in[c], 7), set16(kc[o][c])));
        out[o + 1] = _mm512_srai_epi16(s, 16 - kTruncCShift);
    }
}

template <class L>
[[gnu::always_inline]] inline void convert(Forward, const PackedBlocks<L>& in, int h, V out[3]) {
    using namespace bt601;
    // The offsets ride on a constant 512 paired with B; G's luma weight
    // above 2^15 is taken as (kYg - 65536) plus G itself after the shift.
    static_assert(kYOffset % 512 == 0 && kCOffset % 512 == 0, "offsets ride on 512");
    constexpr int C = L::channels;
    const V rg[2] = {in.pick(h, pairDwords<C>(L::r, L::g, 0)), in.pick(h, pairDwords<C>(L::r, L::g, 1))};
    const V with512 = pair(0, 512);
    const V b1[2] = {_mm512_or_si512(in.pick(h, pairDwords<C>(L::b, -1, 0)), with512),
                     _mm512_or_si512(in.pick(h, pairDwords<C>(L::b, -1, 1)), with512)};
    const V g = in.pick(h, channelWords<C, false>(L::g));
    const V zero = _mm512_setzero_si512();
    out[0] = _mm512_add_epi16(g, floorSum<16>(rg, pair(kYr, kYg - 65536), b1, pair(kYb, kYOffset / 512), zero));
    out[1] = floorSum<16>(rg, pair(kCbR, kCbG), b1, pair(kCbB, kCOffset / 512), zero);
    out[2] = floorSum<16>(rg, pair(kCrR, kCrG), b1, pair(kCrB, kCOffset / 512), zero);
}

template <class L>
[[gnu::always_inline]] inline void convert(Inverse, const PackedBlocks<L>& in, int h, V out[3]) {
    using namespace bt601;
    // 76284 = 65536 + 10748, 104595 = 131072 - 26477, -53281 = -65536 +
    // 12255, 132186 = 131072 + 1114: the rest is summed exactly in 32 bits
    // and floored, then the multiples of 65536 are added as Y + 2 Cr, Y - Cr
    // and Y + 2 Cb from byte pairs. Y is read at L::r, Cb at L::g, Cr at L::b.
    constexpr int C = L::channels;
    const V yr[2] = {in.pick(h, pairDwords<C>(L::r, L::b, 0)), in.pick(h, pairDwords<C>(L::r, L::b, 1))};
    const V yb[2] = {in.pick(h, pairDwords<C>(L::r, L::g, 0)), in.pick(h, pairDwords<C>(L::r, L::g, 1))};
    constexpr int kY = kInvY - 65536;
    const V r = floorSum<16>(yr, pair(kY, kInvRCr - 131072), set32(-kInvYOffset - 128 * kInvRCr));
    const V g = floorSum<16>(yb, pair(kY, kInvGCb), yr, pair(0, kInvGCr + 65536),
                             set32(-kInvYOffset - 128 * (kInvGCb + kInvGCr)));
    const V b = floorSum<16>(yb, pair(kY, kInvBCb - 131072), set32(-kInvYOffset - 128 * kInvBCb));
    const V yrBytes = in.pick(h, bytePairs<C>(L::r, L::b)), ybBytes = in.pick(h, bytePairs<C>(L::r, L::g));
    const V oneTwo = set16(0x0201), oneMinusOne = set16(0xFF01);
    out[0] = _mm512_add_epi16(r, _mm512_maddubs_epi16(yrBytes, oneTwo));
    out[1] = _mm512_add_epi16(g, _mm512_maddubs_epi16(yrBytes, oneMinusOne));
    out[2] = _mm512_add_epi16(b, _mm512_maddubs_epi16(ybBytes, oneTwo));
}

inline void apply(InverseGroups, const V in[3], V out[3]) {
    // Samples x 256 (chroma centred by flipping the top bit) under high
    // multiplies; the sums stay within +-2^15.
    const V flip = set16(0x8000);
    const V cb = _mm512_xor_si512(in[1], flip), cr = _mm512_xor_si512(in[2], flip);
    const V y = _mm512_sub_epi16(_mm512_mulhi_epu16(in[0], set16(kGroupY)), set16(kGroupYOffset));
    const V r = _mm512_add_epi16(y, _mm512_mulhi_epi16(cr, set16(kGroupRCr)));
    const V g = _mm512_add_epi16(_mm512_add_epi16(y, _mm512_mulhi_epi16(cb, set16(kGroupGCb))),
                                 _mm512_mulhi_epi16(cr, set16(kGroupGCr)));
    const V b = _mm512_add_epi16(y, _mm512_mulhi_epi16(cb, set16(kGroupBCb)));
    out[0] = _mm512_srai_epi16(r, kGroupShift);
    out[1] = _mm512_srai_epi16(g, kGroupShift);
    out[2] = _mm512_srai_epi16(b, kGroupShift);
}

// The other arithmetics take channel words.
template <class Arith, class In>
[[gnu::always_inline]] inline void convert(Arith a, const In& in, int h, V out[3]) {
    V samples[3];
    channels<Arith::kHigh>(in, h, samples);
    apply(a, samples, out);
}

// Converts the first n pixels, 64 at a time, the last step overlapping the
// one before; returns n, or 0 when n is below 64.
template <class Arith, class Src, class Dst>
int vectorLead(Src src, Dst dst, int n) {
    if (n < 64) return 0;
    for (int x = 0;; x += 64) {
        if (x > n - 64) x = n - 64;
        const auto in = fetch(src, x);
        Block out;
        for (int h = 0; h < 2; ++h) {
            V r[3];
            convert(Arith{}, in, h, r);
            for (int c = 0; c < 3; ++c) out.w[c][h] = r[c];
        }
        store(dst, x, out);
        if (x == n - 64) return n;
    }
}

#else

template <class Arith, class Src, class Dst>
int vectorLead(Src, Dst, int) {
    return 0;
}

#endif

void rgbToYcbcrC3(const Qrx8u* src, Qrx8u* dst, int width) {
    const int lead = width & ~7;
    const int done = vectorLead<Halved>(VecPackedSrc<RGB>{src}, VecPackedDst<RGB, Alpha::None>{dst, 0}, lead);
    encode<halvedWeights>(PackedSrc<RGB>{src}, PackedDst<RGB>{dst}, width, lead, done);
}
void rgbToYcbcrAC4(const Qrx8u* src, Qrx8u* dst, int width) {
    const int done = vectorLead<Forward>(VecPackedSrc<RGBA>{src}, VecPackedDst<RGBA, Alpha::Keep>{dst, 0}, width);
    encode<bt601::forward>(PackedSrc<RGBA>{src}, PackedDst<RGBA>{dst}, width, width, done);
}
template <class L>
void rgbToYcbcrToPlanes(const Qrx8u* src, Qrx8u* const dst[3], int width) {
    const int lead = width & ~7;
    const int done = vectorLead<Truncated>(VecPackedSrc<L>{src}, VecPlanarDst{dst}, lead);
    encode<truncatedProducts>(PackedSrc<L>{src}, planes(dst), width, lead, done);
}
void rgbToYcbcrP3(const Qrx8u* const src[3], Qrx8u* const dst[3], int width) {
    const int lead = width & ~15;
    const int done = vectorLead<Truncated>(VecPlanarSrc{src}, VecPlanarDst{dst}, lead);
    encode<truncatedProducts>(planes(src), planes(dst), width, lead, done);
}

// Decoders: groups of 8 pixels lead each row; the alpha-filling forms take
// the group formula for every pixel, the AC4 form none.
void ycbcrToRgbC3(const Qrx8u* src, Qrx8u* dst, int width) {
    const int lead = width & ~7;
    const int done = vectorLead<InverseGroups>(VecPackedSrc<RGB>{src}, VecPackedDst<RGB, Alpha::None>{dst, 0}, lead);
    decode(PackedSrc<RGB>{src}, PackedDst<RGB>{dst}, width, lead, done);
}
void ycbcrToRgbAC4(const Qrx8u* src, Qrx8u* dst, int width) {
    const int done = vectorLead<Inverse>(VecPackedSrc<RGBA>{src}, VecPackedDst<RGBA, Alpha::Keep>{dst, 0}, width);
    decode(PackedSrc<RGBA>{src}, PackedDst<RGBA>{dst}, width, 0, done);
}
template <class L>
void ycbcrPlanesToPacked(const Qrx8u* const src[3], Qrx8u* dst, int width) {
    const int lead = width & ~7;
    const int done = vectorLead<InverseGroups>(VecPlanarSrc{src}, VecPackedDst<L, Alpha::None>{dst, 0}, lead);
    decode(planes(src), PackedDst<L>{dst}, width, lead, done);
}
template <class L>
void ycbcrPlanesToPackedAlpha(const Qrx8u* const src[3], Qrx8u* dst, int width, Qrx8u alpha) {
    const int done = vectorLead<InverseGroups>(VecPlanarSrc{src}, VecPackedDst<L, Alpha::Set>{dst, alpha}, width);
    decode(planes(src), FilledAlphaDst<L>{{dst}, alpha}, width, width, done);
}
void ycbcrToRgbP3(const Qrx8u* const src[3], Qrx8u* const dst[3], int width) {
    const int lead = width & ~7;
    const int done = vectorLead<InverseGroups>(VecPlanarSrc{src}, VecPlanarDst{dst}, lead);
    decode(planes(src), planes(dst), width, lead, done);
}

}  // namespace

extern const Ycbcr444Rows kYcbcr444Rows;
const Ycbcr444Rows kYcbcr444Rows{
    rgbToYcbcrC3,
    rgbToYcbcrAC4,
    rgbToYcbcrToPlanes<RGB>,
    rgbToYcbcrToPlanes<RGBA>,
    rgbToYcbcrP3,
    ycbcrToRgbC3,
    ycbcrToRgbAC4,
    ycbcrPlanesToPacked<RGB>,
    ycbcrPlanesToPackedAlpha<RGBA>,
    ycbcrToRgbP3,
    ycbcrPlanesToPacked<BGR>,
    ycbcrPlanesToPackedAlpha<BGRA>,
};

}  // namespace QRX_ISA
}  // namespace qrx
