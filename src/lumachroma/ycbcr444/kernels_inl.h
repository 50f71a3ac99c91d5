// Vector kernels of the YCbCr 4:4:4 rows, included by rows_inl.h inside its
// namespaces in the AVX2 and AVX-512 units; one body serves both widths.
//
// A kernel takes 16 pixels per 128-bit block at a time (kStep per step) as
// 16-bit words, 8 per block. A source block is one vector of four-byte
// pixels (4 per 128-bit block); each block of a word vector holds four
// pixels of one source block in its low words and the same four of the next
// source block in its high words. Every reader and writer uses that order,
// so the arithmetic never needs to know it.

using namespace simd;

constexpr Tag<uint8_t> d8;
constexpr Tag<int16_t> d16;
constexpr Tag<uint16_t> du16;
constexpr Tag<int32_t> d32;
constexpr int kStep = 16 * kBlocks;  // pixels per kernel step

struct Block {
    VI16 w[3][2];  // channel, half (pixels 0 to kStep/2 - 1 and the rest)
};

HWY_INLINE VI16 set16(int v) { return hn::Set(d16, static_cast<int16_t>(v)); }
HWY_INLINE VI32 set32(int v) { return hn::Set(d32, v); }
HWY_INLINE VI16 words(VU8 v) { return hn::BitCast(d16, v); }
HWY_INLINE VI16 words(VI32 v) { return hn::BitCast(d16, v); }
HWY_INLINE VU8 bytes(VI16 v) { return hn::BitCast(d8, v); }

// A pair of 16-bit weights for a pairwise multiply-add: `lo` multiplies the
// first word.
HWY_INLINE VI16 pair(int lo, int hi) {
    return words(set32(static_cast<int>((static_cast<unsigned>(hi) << 16) | (lo & 0xFFFF))));
}

// A block shuffle from its sixteen bytes: byteOf(i) names the byte of the
// block's four pixels (pixel x Channels + channel offset) for byte i, or -1
// for zero.
template <class F>
VU8 blockPattern(F byteOf) {
    alignas(16) uint8_t m[16];
    for (int i = 0; i < 16; ++i) {
        const int b = byteOf(i);
        m[i] = b < 0 ? 0x80 : static_cast<uint8_t>(b);
    }
    return BlockBytes(m);
}

// Word j of a block takes pixel j % 4 (of the first source block for j < 4,
// of the second after): channel `offset` in its low (or high) byte.
template <int Channels, bool High>
VU8 channelWords(int offset) {
    return blockPattern([=](int i) { return (i & 1) != High ? -1 : (i / 2 & 3) * Channels + offset; });
}
// Dword k of a block takes the pixel of word 2k (2k + 1 for the odd ones) as
// two words, channels a and b (zero for -1), for a pairwise multiply-add.
template <int Channels>
VU8 pairDwords(int a, int b, int odd) {
    return blockPattern([=](int i) {
        const int c = (i & 2) ? b : a;
        return (i & 1) || c < 0 ? -1 : ((i / 4 * 2 + odd) & 3) * Channels + c;
    });
}
// Dword k of a block takes pixel k of the same source block as two words,
// channels a and b, for a pairwise multiply-add.
template <int Channels>
VU8 pixelDwords(int a, int b) {
    return blockPattern([=](int i) { return (i & 1) ? -1 : (i / 4) * Channels + ((i & 2) ? b : a); });
}
// Word j of a block takes the pixel of word j as two bytes, channels a and
// b, for a byte-pair multiply-add.
template <int Channels>
VU8 bytePairs(int a, int b) {
    return blockPattern([=](int i) { return (i / 2 & 3) * Channels + ((i & 1) ? b : a); });
}

// A step of an interleaved row as four source blocks, each 128-bit block
// holding four pixels from its low byte.
template <class L>
struct PackedBlocks {
    VU8 blk[4];
    // A block pattern over half h: source blocks 2h and 2h + 1, the second
    // giving bytes 8-15 of each block.
    [[gnu::always_inline]] VI16 pick(int h, VU8 pattern) const {
        return hn::BitCast(d16, TableLookupBytesHalves(blk[2 * h], blk[2 * h + 1], pattern));
    }
};

template <class L>
[[gnu::always_inline]] inline PackedBlocks<L> fetch(const VecPackedSrc<L>& s, int x) {
    const Qrx8u* p = s.p + x * L::channels;
    PackedBlocks<L> out;
    if constexpr (L::channels == 4) {
        for (int i = 0; i < 4; ++i) out.blk[i] = hn::LoadU(d8, p + kVecBytes * i);
    } else {
        LoadBlockHeads12(p, out.blk);
    }
    return out;
}

// Channel words in the order of channelWords. AVX-512 picks each channel
// with one masked shuffle pair; on AVX2 a pick costs two shuffles and a
// blend, so there one shuffle per source block gives two channels of its
// four pixels (one per 64-bit half), another the third, and 64-bit
// interleaves join the two source blocks.
template <bool High, class L>
[[gnu::always_inline]] inline void channels(const PackedBlocks<L>& in, int h, VI16 out[3]) {
    constexpr int C = L::channels;
#if HWY_TARGET == HWY_AVX3
    const int offsets[3] = {L::r, L::g, L::b};
    for (int c = 0; c < 3; ++c) out[c] = in.pick(h, channelWords<C, High>(offsets[c]));
#else
    const auto word = [](int i, int offset) { return (i & 1) != High ? -1 : (i / 2 & 3) * C + offset; };
    const VU8 first = blockPattern([&](int i) { return word(i, i < 8 ? L::r : L::g); });
    const VU8 third = blockPattern([&](int i) { return i < 8 ? word(i, L::b) : -1; });
    const hn::Repartition<uint64_t, decltype(d8)> d64;
    const auto q = [&](VU8 v) { return hn::BitCast(d64, v); };
    const auto a = q(hn::TableLookupBytes(in.blk[2 * h], first)), b = q(hn::TableLookupBytes(in.blk[2 * h + 1], first));
    out[0] = hn::BitCast(d16, hn::InterleaveLower(d64, a, b));
    out[1] = hn::BitCast(d16, hn::InterleaveUpper(d64, a, b));
    out[2] = hn::BitCast(d16, hn::InterleaveLower(d64, q(hn::TableLookupBytes(in.blk[2 * h], third)),
                                                  q(hn::TableLookupBytes(in.blk[2 * h + 1], third))));
#endif
}

// Plane bytes in pixel order to block order (block l holds pixels 4l..4l+3
// of every source block), and back.
HWY_INLINE VU8 toBlocks(VU8 v) {
    const VI32 order = LanesOf<[](int n) { return n % 4 * kBlocks + n / 4; }>();
    return hn::BitCast(d8, PermuteLanes32(hn::BitCast(d32, v), order));
}
HWY_INLINE VU8 toPixels(VU8 v) {
    const VI32 order = LanesOf<[](int n) { return n % kBlocks * 4 + n / kBlocks; }>();
    return hn::BitCast(d8, PermuteLanes32(hn::BitCast(d32, v), order));
}

// A step of three planes, each in block order.
struct PlanarBlocks {
    VU8 t[3];
};

[[gnu::always_inline]] inline PlanarBlocks fetch(const VecPlanarSrc& s, int x) {
    return {{toBlocks(hn::LoadU(d8, s.p[0] + x)), toBlocks(hn::LoadU(d8, s.p[1] + x)),
             toBlocks(hn::LoadU(d8, s.p[2] + x))}};
}

template <bool High>
[[gnu::always_inline]] inline void channels(const PlanarBlocks& in, int h, VI16 out[3]) {
    const VU8 zero = hn::Zero(d8);
    for (int c = 0; c < 3; ++c) {
        const VU8 a = High ? zero : in.t[c], b = High ? in.t[c] : zero;
        out[c] = words(h ? hn::InterleaveUpper(d8, a, b) : hn::InterleaveLower(d8, a, b));
    }
}

// Bytes of channel c, clamped to 0..255, in block order.
HWY_INLINE VU8 packChannel(const Block& b, int c) { return DemoteInBlocksU8(b.w[c][0], b.w[c][1]); }

inline void store(const VecPlanarDst& d, int x, const Block& b) {
    for (int c = 0; c < 3; ++c) hn::StoreU(toPixels(packChannel(b, c)), d8, d.p[c] + x);
}

template <class L, Alpha A>
[[gnu::always_inline]] inline void store(const VecPackedDst<L, A>& d, int x, const Block& b) {
    VU8 ch[4];
    ch[L::r] = packChannel(b, 0);
    ch[L::g] = packChannel(b, 1);
    ch[L::b] = packChannel(b, 2);
    ch[3] = hn::Set(d8, d.alpha);
    const VI16 lo01 = words(hn::InterleaveLower(d8, ch[0], ch[1])), hi01 = words(hn::InterleaveUpper(d8, ch[0], ch[1]));
    const VI16 lo23 = words(hn::InterleaveLower(d8, ch[2], ch[3])), hi23 = words(hn::InterleaveUpper(d8, ch[2], ch[3]));
    // Source block j holds its pixels in order as four bytes each.
    const VU8 blk[4] = {bytes(hn::InterleaveLower(d16, lo01, lo23)), bytes(hn::InterleaveUpper(d16, lo01, lo23)),
                        bytes(hn::InterleaveLower(d16, hi01, hi23)), bytes(hn::InterleaveUpper(d16, hi01, hi23))};
    Qrx8u* p = d.p + x * L::channels;
    if constexpr (A == Alpha::None) {
        // Drop every fourth byte (12 bytes per block), then join the blocks.
        static constexpr uint8_t kSqueeze[16] = {0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, 0x80, 0x80, 0x80, 0x80};
        VU8 sq[4];
        for (int j = 0; j < 4; ++j) sq[j] = hn::TableLookupBytes(blk[j], BlockBytes(kSqueeze));
        StoreBlockHeads12(sq, p);
    } else if constexpr (A == Alpha::Set) {
        for (int j = 0; j < 4; ++j) hn::StoreU(blk[j], d8, p + kVecBytes * j);
    } else {
        // Every pixel's fourth byte left as it is in memory.
        for (int j = 0; j < 4; ++j) StoreKeepingFourthBytes(blk[j], p + kVecBytes * j);
    }
}

// Words again from exact 32-bit sums over word pairs (plus a bias), each
// floored at 2^Shift: the even results from the low half, the odd ones
// from the high half of their dwords.
template <int Shift>
HWY_INLINE VI16 evenOdd(VI32 even, VI32 odd) {
    return hn::OddEven(words(hn::ShiftLeft<16 - Shift>(odd)), words(hn::ShiftRight<Shift>(even)));
}
template <int Shift>
HWY_INLINE VI16 floorSum(const VI16 a[2], VI16 ka, VI32 bias) {
    return evenOdd<Shift>(MulAddPairs(a[0], ka) + bias, MulAddPairs(a[1], ka) + bias);
}
template <int Shift>
HWY_INLINE VI16 floorSum(const VI16 a[2], VI16 ka, const VI16 b[2], VI16 kb, VI32 bias) {
    const VI32 even = MulAddPairs(a[0], ka) + MulAddPairs(b[0], kb);
    const VI32 odd = MulAddPairs(a[1], ka) + MulAddPairs(b[1], kb);
    return evenOdd<Shift>(even + bias, odd + bias);
}

template <class L>
[[gnu::always_inline]] inline void convert(Halved, const PackedBlocks<L>& in, int h, VI16 out[3]) {
    using namespace bt601;
    constexpr int C = L::channels;
    // (R, G) word pairs of each source block's pixels in their own order: the
    // floored sums of the two blocks pack straight into the word order.
    const VU8 pattern = pixelDwords<C>(L::r, L::g);
    const VI16 rg[2] = {words(hn::TableLookupBytes(in.blk[2 * h], pattern)),
                        words(hn::TableLookupBytes(in.blk[2 * h + 1], pattern))};
    // A high multiply of b << 5 by k gives floor(b k / 2048).
    const VI16 b5 = hn::ShiftLeft<5>(in.pick(h, channelWords<C, false>(L::b)));
    const int w[3][4] = {{kHalfYr, kHalfYg, kHalfYb, kHalfYOffset},
                         {kHalfCbR, kHalfCbG, kHalfCbB, kHalfCOffset},
                         {kHalfCrR, kHalfCrG, kHalfCrB, kHalfCOffset}};
    for (int o = 0; o < 3; ++o) {
        const VI16 k = pair(w[o][0], w[o][1]);
        const VI16 sum = DemoteInBlocksI16(hn::ShiftRight<11>(MulAddPairs(rg[0], k)),
                                           hn::ShiftRight<11>(MulAddPairs(rg[1], k)));
        const VI16 s = sum + hn::MulHigh(b5, set16(w[o][2]));
        out[o] = hn::ShiftRight<4>(s + set16(w[o][3]));
    }
}

inline void apply(Truncated, const VI16 in[3], VI16 out[3]) {
    using namespace bt601;
    // x << 8 and x << 7 under a high multiply give floor(x k / 256) and
    // floor(x k / 512). Luma sums stay below 2^16 unsigned; chroma sums
    // stay within +-14330, so the offset 128 x 128 keeps them positive.
    const auto u = [](VI16 v) { return hn::BitCast(du16, v); };
    VU16 sum = u(set16(kTruncYRound + (16 << 8)));
    const int ky[3] = {kYr, kYg, kYb};
    for (int c = 0; c < 3; ++c) sum = sum + hn::MulHigh(u(hn::ShiftLeft<8>(in[c])), u(set16(ky[c])));
    out[0] = hn::BitCast(d16, hn::ShiftRight<16 - kTruncYShift>(sum));
    const int kc[2][3] = {{kCbR, kCbG, kCbB}, {kCrR, kCrG, kCrB}};
    for (int o = 0; o < 2; ++o) {
        VI16 s = set16(kTruncCRound + (128 << 7));
        for (int c = 0; c < 3; ++c) s = s + hn::MulHigh(hn::ShiftLeft<7>(in[c]), set16(kc[o][c]));
        out[o + 1] = hn::ShiftRight<16 - kTruncCShift>(s);
    }
}

template <class L>
[[gnu::always_inline]] inline void convert(Forward, const PackedBlocks<L>& in, int h, VI16 out[3]) {
    using namespace bt601;
    // The offsets ride on a constant 512 paired with B; G's luma weight
    // above 2^15 is taken as (kYg - 65536) plus G itself after the shift.
    static_assert(kYOffset % 512 == 0 && kCOffset % 512 == 0, "offsets ride on 512");
    constexpr int C = L::channels;
    const VI16 rg[2] = {in.pick(h, pairDwords<C>(L::r, L::g, 0)), in.pick(h, pairDwords<C>(L::r, L::g, 1))};
    const VI16 with512 = pair(0, 512);
    const VI16 b1[2] = {in.pick(h, pairDwords<C>(L::b, -1, 0)) | with512,
                        in.pick(h, pairDwords<C>(L::b, -1, 1)) | with512};
    const VI16 g = in.pick(h, channelWords<C, false>(L::g));
    const VI32 zero = hn::Zero(d32);
    out[0] = g + floorSum<16>(rg, pair(kYr, kYg - 65536), b1, pair(kYb, kYOffset / 512), zero);
    out[1] = floorSum<16>(rg, pair(kCbR, kCbG), b1, pair(kCbB, kCOffset / 512), zero);
    out[2] = floorSum<16>(rg, pair(kCrR, kCrG), b1, pair(kCrB, kCOffset / 512), zero);
}

template <class L>
[[gnu::always_inline]] inline void convert(Inverse, const PackedBlocks<L>& in, int h, VI16 out[3]) {
    using namespace bt601;
    // 76284 = 65536 + 10748, 104595 = 131072 - 26477, -53281 = -65536 +
    // 12255, 132186 = 131072 + 1114: the rest is summed exactly in 32 bits
    // and floored, then the multiples of 65536 are added as Y + 2 Cr, Y - Cr
    // and Y + 2 Cb from byte pairs. Y is read at L::r, Cb at L::g, Cr at L::b.
    constexpr int C = L::channels;
    const VI16 yr[2] = {in.pick(h, pairDwords<C>(L::r, L::b, 0)), in.pick(h, pairDwords<C>(L::r, L::b, 1))};
    const VI16 yb[2] = {in.pick(h, pairDwords<C>(L::r, L::g, 0)), in.pick(h, pairDwords<C>(L::r, L::g, 1))};
    constexpr int kY = kInvY - 65536;
    const VI16 r = floorSum<16>(yr, pair(kY, kInvRCr - 131072), set32(-kInvYOffset - 128 * kInvRCr));
    const VI16 g = floorSum<16>(yb, pair(kY, kInvGCb), yr, pair(0, kInvGCr + 65536),
                                set32(-kInvYOffset - 128 * (kInvGCb + kInvGCr)));
    const VI16 b = floorSum<16>(yb, pair(kY, kInvBCb - 131072), set32(-kInvYOffset - 128 * kInvBCb));
    const VU8 yrBytes = hn::BitCast(d8, in.pick(h, bytePairs<C>(L::r, L::b)));
    const VU8 ybBytes = hn::BitCast(d8, in.pick(h, bytePairs<C>(L::r, L::g)));
    const Tag<int8_t> di8;
    const VI8 oneTwo = hn::BitCast(di8, set16(0x0201)), oneMinusOne = hn::BitCast(di8, set16(0xFF01));
    out[0] = r + MulAddBytePairs(yrBytes, oneTwo);
    out[1] = g + MulAddBytePairs(yrBytes, oneMinusOne);
    out[2] = b + MulAddBytePairs(ybBytes, oneTwo);
}

inline void apply(InverseGroups, const VI16 in[3], VI16 out[3]) {
    // Samples x 256 (chroma centred by flipping the top bit) under high
    // multiplies; the sums stay within +-2^15.
    const VI16 flip = set16(0x8000);
    const VI16 cb = in[1] ^ flip, cr = in[2] ^ flip;
    const VI16 y = hn::BitCast(d16, hn::MulHigh(hn::BitCast(du16, in[0]), hn::Set(du16, kGroupY))) -
                   set16(kGroupYOffset);
    const VI16 r = y + hn::MulHigh(cr, set16(kGroupRCr));
    const VI16 g = y + hn::MulHigh(cb, set16(kGroupGCb)) + hn::MulHigh(cr, set16(kGroupGCr));
    const VI16 b = y + hn::MulHigh(cb, set16(kGroupBCb));
    out[0] = hn::ShiftRight<kGroupShift>(r);
    out[1] = hn::ShiftRight<kGroupShift>(g);
    out[2] = hn::ShiftRight<kGroupShift>(b);
}

// The other arithmetics take channel words.
template <class Arith, class In>
[[gnu::always_inline]] inline void convert(Arith a, const In& in, int h, VI16 out[3]) {
    VI16 samples[3];
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
            VI16 r[3];
            convert(Arith{}, in, h, r);
            for (int c = 0; c < 3; ++c) out.w[c][h] = r[c];
        }
        store(dst, x, out);
        if (x == n - kStep) return n;
    }
}
