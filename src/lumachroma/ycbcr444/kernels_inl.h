// Vector kernels of the YCbCr 4:4:4 rows for AVX-512BW and AVX2, included by
// rows_inl.h inside its namespaces in the translation units built for
// them. One body serves both widths; only the few operations below differ.
//
// A kernel takes 16 pixels per 128-bit lane at a time (64 per AVX-512 step,
// 32 per AVX2 step) as 16-bit words, 8 per lane. A block is one vector of
// four-byte pixels (4 per lane); each lane of a word vector holds four pixels
// of one block in its low words and the same four of the next block in its
// high words. Every reader and writer uses that order, so the arithmetic
// never needs to know it.

// ---- the operations that differ between the two widths ---------------------

#if defined(__AVX512BW__)
using V = __m512i;
constexpr int kLanes = 4;

inline V loadu(const void* p) { return _mm512_loadu_si512(p); }
inline void storeu(void* p, V v) { _mm512_storeu_si512(p, v); }
inline V set32(int v) { return _mm512_set1_epi32(v); }
inline V set16(int v) { return _mm512_set1_epi16(static_cast<short>(v)); }
inline V zero() { return _mm512_setzero_si512(); }
inline V lanes(long long lo, long long hi) { return _mm512_set_epi64(hi, lo, hi, lo, hi, lo, hi, lo); }
inline V add16(V a, V b) { return _mm512_add_epi16(a, b); }
inline V sub16(V a, V b) { return _mm512_sub_epi16(a, b); }
inline V add32(V a, V b) { return _mm512_add_epi32(a, b); }
inline V mulhiU16(V a, V b) { return _mm512_mulhi_epu16(a, b); }
inline V mulhiS16(V a, V b) { return _mm512_mulhi_epi16(a, b); }
inline V madd(V a, V b) { return _mm512_madd_epi16(a, b); }
inline V maddubs(V a, V b) { return _mm512_maddubs_epi16(a, b); }
inline V xorv(V a, V b) { return _mm512_xor_si512(a, b); }
inline V orv(V a, V b) { return _mm512_or_si512(a, b); }
template <int S> V slli16(V a) { return _mm512_slli_epi16(a, S); }
template <int S> V srai16(V a) { return _mm512_srai_epi16(a, S); }
template <int S> V srli16(V a) { return _mm512_srli_epi16(a, S); }
template <int S> V slli32(V a) { return _mm512_slli_epi32(a, S); }
template <int S> V srai32(V a) { return _mm512_srai_epi32(a, S); }
inline V unpacklo8(V a, V b) { return _mm512_unpacklo_epi8(a, b); }
inline V unpackhi8(V a, V b) { return _mm512_unpackhi_epi8(a, b); }
inline V unpacklo16(V a, V b) { return _mm512_unpacklo_epi16(a, b); }
inline V unpackhi16(V a, V b) { return _mm512_unpackhi_epi16(a, b); }
inline V packus16(V a, V b) { return _mm512_packus_epi16(a, b); }
inline V shuffle8(V a, V pattern) { return _mm512_shuffle_epi8(a, pattern); }
inline V permute32(V idx, V v) { return _mm512_maskz_permutexvar_epi32(__mmask16(0xFFFF), idx, v); }
// Even words of a, odd words of b.
inline V evenOddWords(V a, V b) { return _mm512_mask_blend_epi16(__mmask32(0xAAAAAAAAu), a, b); }
// Bytes 0-7 of each lane shuffled from a, bytes 8-15 from b.
inline V shuffleHalves(V a, V b, V pattern) {
    return _mm512_mask_shuffle_epi8(_mm512_shuffle_epi8(a, pattern), 0xFF00FF00FF00FF00ull, b, pattern);
}
// Every pixel's fourth byte left as it is in memory.
inline void storeKeepingAlpha(Qrx8u* p, V v) { _mm512_mask_storeu_epi8(p, 0x7777777777777777ull, v); }
// Four blocks of three-byte pixels, each lane holding its four pixels in
// twelve bytes and a zero dword, joined into three full vectors.
inline void storeTriples(Qrx8u* p, const V sq[4]) {
    const V join[3] = {_mm512_set_epi32(20, 18, 17, 16, 14, 13, 12, 10, 9, 8, 6, 5, 4, 2, 1, 0),
                       _mm512_set_epi32(25, 24, 22, 21, 20, 18, 17, 16, 14, 13, 12, 10, 9, 8, 6, 5),
                       _mm512_set_epi32(30, 29, 28, 26, 25, 24, 22, 21, 20, 18, 17, 16, 14, 13, 12, 10)};
    for (int j = 0; j < 3; ++j) storeu(p + 64 * j, _mm512_permutex2var_epi32(sq[j], join[j], sq[j + 1]));
}
#else
using V = __m256i;
constexpr int kLanes = 2;

inline V loadu(const void* p) { return _mm256_loadu_si256(static_cast<const __m256i*>(p)); }
inline void storeu(void* p, V v) { _mm256_storeu_si256(static_cast<__m256i*>(p), v); }
inline V set32(int v) { return _mm256_set1_epi32(v); }
inline V set16(int v) { return _mm256_set1_epi16(static_cast<short>(v)); }
inline V zero() { return _mm256_setzero_si256(); }
inline V lanes(long long lo, long long hi) { return _mm256_set_epi64x(hi, lo, hi, lo); }
inline V add16(V a, V b) { return _mm256_add_epi16(a, b); }
inline V sub16(V a, V b) { return _mm256_sub_epi16(a, b); }
inline V add32(V a, V b) { return _mm256_add_epi32(a, b); }
inline V mulhiU16(V a, V b) { return _mm256_mulhi_epu16(a, b); }
inline V mulhiS16(V a, V b) { return _mm256_mulhi_epi16(a, b); }
inline V madd(V a, V b) { return _mm256_madd_epi16(a, b); }
inline V maddubs(V a, V b) { return _mm256_maddubs_epi16(a, b); }
inline V xorv(V a, V b) { return _mm256_xor_si256(a, b); }
inline V orv(V a, V b) { return _mm256_or_si256(a, b); }
template <int S> V slli16(V a) { return _mm256_slli_epi16(a, S); }
template <int S> V srai16(V a) { return _mm256_srai_epi16(a, S); }
template <int S> V srli16(V a) { return _mm256_srli_epi16(a, S); }
template <int S> V slli32(V a) { return _mm256_slli_epi32(a, S); }
template <int S> V srai32(V a) { return _mm256_srai_epi32(a, S); }
inline V unpacklo8(V a, V b) { return _mm256_unpacklo_epi8(a, b); }
inline V unpackhi8(V a, V b) { return _mm256_unpackhi_epi8(a, b); }
inline V unpacklo16(V a, V b) { return _mm256_unpacklo_epi16(a, b); }
inline V unpackhi16(V a, V b) { return _mm256_unpackhi_epi16(a, b); }
inline V packus16(V a, V b) { return _mm256_packus_epi16(a, b); }
inline V shuffle8(V a, V pattern) { return _mm256_shuffle_epi8(a, pattern); }
inline V permute32(V idx, V v) { return _mm256_permutevar8x32_epi32(v, idx); }
inline V evenOddWords(V a, V b) { return _mm256_blend_epi16(a, b, 0xAA); }
inline V shuffleHalves(V a, V b, V pattern) {
    return _mm256_blend_epi32(_mm256_shuffle_epi8(a, pattern), _mm256_shuffle_epi8(b, pattern), 0xCC);
}
// No byte-masked store: the fourth bytes are read and written back as they
// were.
inline void storeKeepingAlpha(Qrx8u* p, V v) {
    storeu(p, _mm256_blendv_epi8(v, loadu(p), set32(static_cast<int>(0xFF000000u))));
}
// Each block's 24 bytes gathered to the front and stored in order, each
// store's last 8 bytes overwritten by the next; the last block goes 8 bytes
// early behind the end of the third so nothing passes the step's end.
inline void storeTriples(Qrx8u* p, const V sq[4]) {
    const V front = _mm256_setr_epi32(0, 1, 2, 4, 5, 6, 3, 7);
    for (int j = 0; j < 3; ++j) storeu(p + 24 * j, permute32(front, sq[j]));
    const V back = _mm256_blend_epi32(permute32(_mm256_setr_epi32(0, 1, 0, 1, 2, 4, 5, 6), sq[3]),
                                      permute32(_mm256_setr_epi32(5, 6, 5, 6, 5, 6, 5, 6), sq[2]), 0x03);
    storeu(p + 64, back);
}
#endif

constexpr int kVecBytes = static_cast<int>(sizeof(V));
constexpr int kStep = 16 * kLanes;  // pixels per kernel step

// A dword permute index: dword n takes dword f(n).
template <class F>
V dwordIndex(F f) {
    alignas(64) int idx[4 * kLanes];
    for (int n = 0; n < 4 * kLanes; ++n) idx[n] = f(n);
    return loadu(idx);
}

struct Block {
    V w[3][2];  // channel, half (pixels 0 to kStep/2 - 1 and the rest)
};

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
    return lanes(half[0], half[1]);
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

// A step of an interleaved row as four blocks, each lane holding four
// pixels from its low byte.
template <class L>
struct PackedBlocks {
    V blk[4];
    // A lane pattern over half h: blocks 2h and 2h + 1, the second giving
    // bytes 8-15 of each lane.
    [[gnu::always_inline]] V pick(int h, V pattern) const {
        return shuffleHalves(blk[2 * h], blk[2 * h + 1], pattern);
    }
};

template <class L>
[[gnu::always_inline]] inline PackedBlocks<L> fetch(const VecPackedSrc<L>& s, int x) {
    const Qrx8u* p = s.p + x * L::channels;
    PackedBlocks<L> out;
    if constexpr (L::channels == 4) {
        for (int i = 0; i < 4; ++i) out.blk[i] = loadu(p + kVecBytes * i);
    } else {
        // Twelve bytes per lane; the last block loads one dword per lane
        // early so no load passes the step's end.
        const V spread = dwordIndex([](int n) { return n / 4 * 3 + (n % 4 < 2 ? n % 4 : 2); });
        for (int i = 0; i < 3; ++i) out.blk[i] = permute32(spread, loadu(p + 12 * kLanes * i));
        out.blk[3] = permute32(add32(spread, set32(kLanes)), loadu(p + 32 * kLanes));
    }
    return out;
}

template <bool High, class L>
[[gnu::always_inline]] inline void channels(const PackedBlocks<L>& in, int h, V out[3]) {
    const int offsets[3] = {L::r, L::g, L::b};
    for (int c = 0; c < 3; ++c) out[c] = in.pick(h, channelWords<L::channels, High>(offsets[c]));
}

// Plane bytes in pixel order to lane order (lane l holds pixels 4l..4l+3 of
// every block), and back.
inline V toLanes(V v) {
    return permute32(dwordIndex([](int n) { return n % 4 * kLanes + n / 4; }), v);
}
inline V toPixels(V v) {
    return permute32(dwordIndex([](int n) { return n % kLanes * 4 + n / kLanes; }), v);
}

// A step of three planes, each in lane order.
struct PlanarBlocks {
    V t[3];
};

[[gnu::always_inline]] inline PlanarBlocks fetch(const VecPlanarSrc& s, int x) {
    return {{toLanes(loadu(s.p[0] + x)), toLanes(loadu(s.p[1] + x)), toLanes(loadu(s.p[2] + x))}};
}

template <bool High>
[[gnu::always_inline]] inline void channels(const PlanarBlocks& in, int h, V out[3]) {
    for (int c = 0; c < 3; ++c) {
        const V a = High ? zero() : in.t[c], b = High ? in.t[c] : zero();
        out[c] = h ? unpackhi8(a, b) : unpacklo8(a, b);
    }
}

// Bytes of channel c, clamped to 0..255, in lane order.
inline V packChannel(const Block& b, int c) {
    return packus16(b.w[c][0], b.w[c][1]);
}

inline void store(const VecPlanarDst& d, int x, const Block& b) {
    for (int c = 0; c < 3; ++c) storeu(d.p[c] + x, toPixels(packChannel(b, c)));
}

template <class L, Alpha A>
[[gnu::always_inline]] inline void store(const VecPackedDst<L, A>& d, int x, const Block& b) {
    V bytes[4];
    bytes[L::r] = packChannel(b, 0);
    bytes[L::g] = packChannel(b, 1);
    bytes[L::b] = packChannel(b, 2);
    bytes[3] = set16(d.alpha * 0x101);
    const V lo01 = unpacklo8(bytes[0], bytes[1]), hi01 = unpackhi8(bytes[0], bytes[1]);
    const V lo23 = unpacklo8(bytes[2], bytes[3]), hi23 = unpackhi8(bytes[2], bytes[3]);
    // Block j holds its pixels in order as four bytes each.
    const V blk[4] = {unpacklo16(lo01, lo23), unpackhi16(lo01, lo23), unpacklo16(hi01, hi23),
                      unpackhi16(hi01, hi23)};
    Qrx8u* p = d.p + x * L::channels;
    if constexpr (A == Alpha::None) {
        // Drop every fourth byte (12 bytes per lane), then join the blocks.
        const V squeeze = lanes(0x0908060504020100ll, static_cast<long long>(0xFFFFFFFF0E0D0C0Aull));
        V sq[4];
        for (int j = 0; j < 4; ++j) sq[j] = shuffle8(blk[j], squeeze);
        storeTriples(p, sq);
        return;
    }
    for (int j = 0; j < 4; ++j) {
        if constexpr (A == Alpha::Set)
            storeu(p + kVecBytes * j, blk[j]);
        else
            storeKeepingAlpha(p + kVecBytes * j, blk[j]);
    }
}

// Words again from exact 32-bit sums over word pairs (plus a bias), each
// floored at 2^Shift: the even results from the low half, the odd ones
// from the high half of their dwords.
template <int Shift>
V floorSum(const V a[2], V ka, V bias) {
    const V even = add32(madd(a[0], ka), bias);
    const V odd = add32(madd(a[1], ka), bias);
    return evenOddWords(srai32<Shift>(even), slli32<16 - Shift>(odd));
}
template <int Shift>
V floorSum(const V a[2], V ka, const V b[2], V kb, V bias) {
    const V even = add32(madd(a[0], ka), madd(b[0], kb));
    const V odd = add32(madd(a[1], ka), madd(b[1], kb));
    return evenOddWords(srai32<Shift>(add32(even, bias)), slli32<16 - Shift>(add32(odd, bias)));
}

template <class L>
[[gnu::always_inline]] inline void convert(Halved, const PackedBlocks<L>& in, int h, V out[3]) {
    using namespace bt601;
    constexpr int C = L::channels;
    const V rg[2] = {in.pick(h, pairDwords<C>(L::r, L::g, 0)), in.pick(h, pairDwords<C>(L::r, L::g, 1))};
    // A high multiply of b << 5 by k gives floor(b k / 2048).
    const V b5 = slli16<5>(in.pick(h, channelWords<C, false>(L::b)));
    const int w[3][4] = {{kHalfYr, kHalfYg, kHalfYb, kHalfYOffset},
                         {kHalfCbR, kHalfCbG, kHalfCbB, kHalfCOffset},
                         {kHalfCrR, kHalfCrG, kHalfCrB, kHalfCOffset}};
    for (int o = 0; o < 3; ++o) {
        const V sum = floorSum<11>(rg, pair(w[o][0], w[o][1]), zero());
        const V s = add16(sum, mulhiS16(b5, set16(w[o][2])));
        out[o] = srai16<4>(add16(s, set16(w[o][3])));
    }
}

inline void apply(Truncated, const V in[3], V out[3]) {
    using namespace bt601;
    // x << 8 and x << 7 under a high multiply give floor(x k / 256) and
    // floor(x k / 512). Luma sums stay below 2^16 unsigned; chroma sums
    // stay within +-14330, so the offset 128 x 128 keeps them positive.
    V sum = set16(kTruncYRound + (16 << 8));
    const int ky[3] = {kYr, kYg, kYb};
    for (int c = 0; c < 3; ++c) sum = add16(sum, mulhiU16(slli16<8>(in[c]), set16(ky[c])));
    out[0] = srli16<16 - kTruncYShift>(sum);
    const int kc[2][3] = {{kCbR, kCbG, kCbB}, {kCrR, kCrG, kCrB}};
    for (int o = 0; o < 2; ++o) {
        V s = set16(kTruncCRound + (128 << 7));
        for (int c = 0; c < 3; ++c) s = add16(s, mulhiS16(slli16<7>(in[c]), set16(kc[o][c])));
        out[o + 1] = srai16<16 - kTruncCShift>(s);
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
    const V b1[2] = {orv(in.pick(h, pairDwords<C>(L::b, -1, 0)), with512),
                     orv(in.pick(h, pairDwords<C>(L::b, -1, 1)), with512)};
    const V g = in.pick(h, channelWords<C, false>(L::g));
    out[0] = add16(g, floorSum<16>(rg, pair(kYr, kYg - 65536), b1, pair(kYb, kYOffset / 512), zero()));
    out[1] = floorSum<16>(rg, pair(kCbR, kCbG), b1, pair(kCbB, kCOffset / 512), zero());
    out[2] = floorSum<16>(rg, pair(kCrR, kCrG), b1, pair(kCrB, kCOffset / 512), zero());
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
    out[0] = add16(r, maddubs(yrBytes, oneTwo));
    out[1] = add16(g, maddubs(yrBytes, oneMinusOne));
    out[2] = add16(b, maddubs(ybBytes, oneTwo));
}

inline void apply(InverseGroups, const V in[3], V out[3]) {
    // Samples x 256 (chroma centred by flipping the top bit) under high
    // multiplies; the sums stay within +-2^15.
    const V flip = set16(0x8000);
    const V cb = xorv(in[1], flip), cr = xorv(in[2], flip);
    const V y = sub16(mulhiU16(in[0], set16(kGroupY)), set16(kGroupYOffset));
    const V r = add16(y, mulhiS16(cr, set16(kGroupRCr)));
    const V g = add16(add16(y, mulhiS16(cb, set16(kGroupGCb))), mulhiS16(cr, set16(kGroupGCr)));
    const V b = add16(y, mulhiS16(cb, set16(kGroupBCb)));
    out[0] = srai16<kGroupShift>(r);
    out[1] = srai16<kGroupShift>(g);
    out[2] = srai16<kGroupShift>(b);
}

// The other arithmetics take channel words.
template <class Arith, class In>
[[gnu::always_inline]] inline void convert(Arith a, const In& in, int h, V out[3]) {
    V samples[3];
    channels<Arith::kHigh>(in, h, samples);
    apply(a, samples, out);
}

// Converts the first n pixels, kStep at a time, the last step overlapping
// the one before; returns n, or 0 when n is below kStep.
template <class Arith, class Src, class Dst>
int vectorLead(Src src, Dst dst, int n) {
    if (n < kStep) return 0;
    for (int x = 0;; x += kStep) {
        if (x > n - kStep) x = n - kStep;
        const auto in = fetch(src, x);
        Block out;
        for (int h = 0; h < 2; ++h) {
            V r[3];
            convert(Arith{}, in, h, r);
            for (int c = 0; c < 3; ++c) out.w[c][h] = r[c];
        }
        store(dst, x, out);
        if (x == n - kStep) return n;
    }
}
