// Vector kernels of the subsampled YCbCr encoders, included by rows_inl.h
// in the AVX2 and AVX-512 units; one body serves both widths.
//
// Pixels are handled in groups of one 32-bit lane per pixel (kGroup per
// vector), four groups per step. A loader turns a group of any source layout
// into two vectors whose 32-bit lanes hold the 16-bit words (R, G + 4096)
// and (B, G): the constant 4096 (a marker byte 16 in the high byte of the
// green word) lets the multiplies add the offsets. Everything is exact
// integer arithmetic:
//   luma:   (R, G + 4096) x (16843, 264) + (B, G) x (6423, 32766), pairwise
//           multiply-adds = 16843 R + 33030 G + 6423 B + 1081344 (264 x 4096).
//           33030 exceeds a signed word, so green enters twice; operands are
//           at most 4351 and the sum stays below 2^24, so its bits 16-23 are
//           the formula's luma.
//   chroma: word sums of the 2 or 4 pixels of a block (SG + n 4096 at most
//           17404), then (SR, SG + n 4096) x (wR, c) + (SB, SG) x (wB, wG - c),
//           where c n 4096 is the rounding bias plus 256 levels; |sum| < 2^28,
//           arithmetic shift. The 256 levels make the result 16..240 (packing
//           never clamps) without changing its low 8 bits, which are what the
//           encoders store.
// Packing to bytes works within 128-bit blocks; one permute per step puts the
// blocks back into pixel order. A step never reads or writes past its own
// pixels; the last partial step of a row runs on copies in local buffers.
#include <array>
#include <cstring>
#include <type_traits>

namespace qrx {
inline namespace QRX_ISA {
namespace {
namespace enc_vec {

using namespace simd;

constexpr Tag<uint8_t> d8;
constexpr Tag<int16_t> d16;
constexpr Tag<int32_t> d32;
constexpr hn::Half<Tag<uint8_t>> dh8;
constexpr int kGroup = 4 * kBlocks;  // pixels per 32-bit lane vector
constexpr int kStep = 4 * kGroup;    // pixels per step

HWY_INLINE VI32 set1(int v) { return hn::Set(d32, v); }
HWY_INLINE VI16 words(VI32 v) { return hn::BitCast(d16, v); }
HWY_INLINE VI16 words(VU8 v) { return hn::BitCast(d16, v); }
HWY_INLINE VI32 dwords(VI16 v) { return hn::BitCast(d32, v); }
HWY_INLINE VI32 dwords(VU8 v) { return hn::BitCast(d32, v); }

// After packing four 32-bit lane vectors within blocks, dword k of block l
// holds the four pixels of group k's block l; this index puts them in pixel
// order.
HWY_INLINE VI32 quadOrder() { return LanesOf<[](int q) { return 4 * (q % kBlocks) + q / kBlocks; }>(); }

// Chroma after packing: 16-bit unit 8l + k holds the Cb of the two blocks of
// group k's block l, unit 8l + 4 + k their Cr.
// Cb of all blocks, then Cr: one plane row each.
HWY_INLINE void storeChromaPlanes(VU8 v, Qrx8u* cb, Qrx8u* cr) {
    const VU8 t = TransposeBlockHalves(v);
    hn::StoreU(hn::LowerHalf(dh8, t), dh8, cb);
    hn::StoreU(hn::UpperHalf(dh8, t), dh8, cr);
}

// The chroma bytes of the step's pixels in pixel order: Cb Cr Cb Cr ...
template <bool CrFirst>
HWY_INLINE VU8 chromaInterleaved(VU8 v) {
    alignas(16) uint8_t zip[16];
    for (int i = 0; i < 8; ++i) {
        zip[2 * i] = static_cast<uint8_t>(CrFirst ? 8 + i : i);
        zip[2 * i + 1] = static_cast<uint8_t>(CrFirst ? i : 8 + i);
    }
    return hn::TableLookupBytes(TransposeBlockHalves<true>(v), BlockBytes(zip));
}

// ---- loaders: a group of pixels as (R, G) and (B, G) word pairs ----------

struct Px {
    VI16 rg, bg;
};

// The loaders set the high byte of the green word of (R, G) to kMark, so
// that word is G + kMarkWord; its weights carry the luma offset and the
// chroma bias, which saves an addition per vector (see Weights, Chroma).
constexpr int kMark = 16, kMarkWord = kMark << 8;

// A block shuffle putting channels a and b of each of its four pixels (of
// `bytes` bytes, the first at byte 0) into the two words of a 32-bit lane;
// the high byte of b's word comes from byte `high` of the block (0x80: zero).
HWY_INLINE VU8 wordPairs(int bytes, int a, int b, int high = 0x80) {
    alignas(16) uint8_t m[16];
    for (int j = 0; j < 4; ++j) {
        m[4 * j] = static_cast<uint8_t>(bytes * j + a);
        m[4 * j + 1] = 0x80;
        m[4 * j + 2] = static_cast<uint8_t>(bytes * j + b);
        m[4 * j + 3] = static_cast<uint8_t>(high);
    }
    return BlockBytes(m);
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
    // Three-byte pixels: each block takes the 12 bytes of its four pixels
    // and the marker as its last 32-bit lane. Four-byte pixels get the
    // marker by an OR.
    VI32 mark = set1(kBytes == 3 ? kMark * 0x01010101 : kMarkWord << 16);
    VU8 rgMask = wordPairs(kBytes, L::r, L::g, kBytes == 3 ? 12 : 0x80);
    VU8 bgMask = wordPairs(kBytes, L::b, L::g);

    explicit PackedLd(const Qrx8u* src) : p{src} {}

    // The four groups of the step at x.
    HWY_INLINE void step(int x, Px g[4]) const {
        VU8 data[4];
        if constexpr (kBytes == 4) {
            for (int k = 0; k < 4; ++k) data[k] = hn::LoadU(d8, p[0] + 4 * (x + k * kGroup));
            for (int k = 0; k < 4; ++k)
                g[k] = {words(hn::TableLookupBytes(data[k], rgMask)) | words(mark),
                        words(hn::TableLookupBytes(data[k], bgMask))};
        } else {
            LoadBlockHeads12(p[0] + 3 * x, mark, data);
            for (int k = 0; k < 4; ++k)
                g[k] = {words(hn::TableLookupBytes(data[k], rgMask)), words(hn::TableLookupBytes(data[k], bgMask))};
        }
    }
};

// 16-bit 5-5-5 (GreenBits 5) or 5-6-5 (GreenBits 6) words, blue in bits 0-4;
// fields widen by a left shift only.
template <int GreenBits>
struct WordLd {
    static constexpr int kPlanes = 1, kBytes = 2;
    const Qrx8u* p[1];
    VI32 five = set1(0xF8), green = set1(((0xFF << (8 - GreenBits)) & 0xFF) << 16);
    VI32 mark = set1(kMarkWord << 16);

    explicit WordLd(const Qrx16u* src) : p{reinterpret_cast<const Qrx8u*>(src)} {}

    HWY_INLINE void step(int x, Px g[4]) const {
        const hn::Rebind<uint16_t, decltype(d32)> dw16;
        for (int k = 0; k < 4; ++k) {
            const VI32 w = hn::PromoteTo(d32, hn::LoadU(dw16, reinterpret_cast<const Qrx16u*>(p[0]) + x + k * kGroup));
            // Red sits at bit 5 + GreenBits, green at bit 5, blue at bit 0.
            const VI32 r = hn::ShiftRight<GreenBits + 2>(w) & five;
            const VI32 gr = hn::ShiftLeft<19 - GreenBits>(w) & green;
            const VI32 b = hn::ShiftLeft<3>(w) & five;
            g[k] = {words(r | gr | mark), words(b | gr)};
        }
    }
};

// R, G and B planes.
struct PlanarLd {
    static constexpr int kPlanes = 3, kBytes = 1;
    const Qrx8u* p[3];
    VI32 mark = set1(kMarkWord << 16);

    explicit PlanarLd(const PlanarSrc& s) : p{s.r, s.g, s.b} {}

    HWY_INLINE void step(int x, Px g[4]) const {
        const hn::Rebind<uint8_t, decltype(d32)> dw8;
        for (int k = 0; k < 4; ++k) {
            const int at = x + k * kGroup;
            const auto widen = [&](int i) { return hn::PromoteTo(d32, hn::LoadU(dw8, p[i] + at)); };
            const VI32 gr = hn::ShiftLeft<16>(widen(1));
            g[k] = {words(widen(0) | gr | mark), words(widen(2) | gr)};
        }
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
    VI16 rg[4], bg[4];
};

template <class Ld>
[[gnu::always_inline]] inline StepPx loadStep(const Ld& ld, int x) {
    Px g[4];
    ld.step(x, g);
    return {{g[0].rg, g[1].rg, g[2].rg, g[3].rg}, {g[0].bg, g[1].bg, g[2].bg, g[3].bg}};
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
// to the offset 1081344. Y lands in bits 16-23 of every 32-bit lane.
struct Weights {
    static constexpr int kGreenMarked = bt601::kYOffset / kMarkWord;
    static_assert(kGreenMarked * kMarkWord == bt601::kYOffset &&
                  bt601::kYg - kGreenMarked <= 32767);
    VI16 yRG = words(set1(pairOf(bt601::kYr, kGreenMarked))),
         yBG = words(set1(pairOf(bt601::kYb, bt601::kYg - kGreenMarked)));
    VI32 order = quadOrder();
};

[[gnu::always_inline]] inline VI32 lumaSums(VI16 rg, VI16 bg, const Weights& w) {
    return MulAddPairs(rg, w.yRG) + MulAddPairs(bg, w.yBG);
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
    VI16 cbRG = words(set1(pairOf(bt601::kCbR, kC))), cbBG = words(set1(pairOf(bt601::kCbB, bt601::kCbG - kC)));
    VI16 crRG = words(set1(pairOf(bt601::kCrR, kC))), crBG = words(set1(pairOf(bt601::kCrB, bt601::kCrG - kC)));
};

// Luma of a step's 4 x kGroup pixels, in pixel order.
[[gnu::always_inline]] inline VU8 lumaBytes(const StepPx& s, const Weights& w) {
    VI32 y[4];
    for (int k = 0; k < 4; ++k) y[k] = lumaSums(s.rg[k], s.bg[k], w);
    const VI16 y01 = hn::BitCast(d16, UpperHalvesInBlocks(y[0], y[1]));
    const VI16 y23 = hn::BitCast(d16, UpperHalvesInBlocks(y[2], y[3]));
    return hn::BitCast(d8, PermuteLanes32(dwords(DemoteInBlocksU8(y01, y23)), w.order));
}

// Sums of pixels 2i and 2i+1 of a and b: block l holds a's two pairs of
// block l, then b's.
[[gnu::always_inline]] inline VI16 pairSums(VI16 a, VI16 b) {
    return words(EvenLanesInBlocks(dwords(a), dwords(b))) + words(OddLanesInBlocks(dwords(a), dwords(b)));
}

template <int Shift>
[[gnu::always_inline]] inline VI32 dot(VI16 rg, VI16 bg, VI16 wRG, VI16 wBG) {
    return hn::ShiftRight<Shift>(MulAddPairs(rg, wRG) + MulAddPairs(bg, wBG));
}

// Cb and Cr of the blocks of two pixels (rows already summed for 4:2:0),
// packed as described at storeChromaPlanes.
template <int Shift, int Bias>
[[gnu::always_inline]] inline VU8 chromaOfPairs(const StepPx& s, const Chroma<Shift, Bias>& c) {
    const VI16 rg01 = pairSums(s.rg[0], s.rg[1]), rg23 = pairSums(s.rg[2], s.rg[3]);
    const VI16 bg01 = pairSums(s.bg[0], s.bg[1]), bg23 = pairSums(s.bg[2], s.bg[3]);
    const VU16 cb = DemoteInBlocksU16(dot<Shift>(rg01, bg01, c.cbRG, c.cbBG), dot<Shift>(rg23, bg23, c.cbRG, c.cbBG));
    const VU16 cr = DemoteInBlocksU16(dot<Shift>(rg01, bg01, c.crRG, c.crBG), dot<Shift>(rg23, bg23, c.crRG, c.crBG));
    return DemoteInBlocksU8(hn::BitCast(d16, cb), hn::BitCast(d16, cr));
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
        [&](const auto& ld, int x, const auto& o) __attribute__((always_inline)) {
            const StepPx s = loadStep(ld[0], x);
            hn::StoreU(lumaBytes(s, w), d8, o[0]);
            if constexpr (N == 2) {
                storeChromaPlanes(chromaOfPairs(s, c), o[1], o[2]);
            } else {
                // Sums of four: block l holds quad l of each group.
                const VI16 rg = pairSums(pairSums(s.rg[0], s.rg[1]), pairSums(s.rg[2], s.rg[3]));
                const VI16 bg = pairSums(pairSums(s.bg[0], s.bg[1]), pairSums(s.bg[2], s.bg[3]));
                StoreLanesAsBytes(PermuteLanes32(dot<shift>(rg, bg, c.cbRG, c.cbBG), w.order), o[1]);
                StoreLanesAsBytes(PermuteLanes32(dot<shift>(rg, bg, c.crRG, c.crBG), w.order), o[2]);
            }
        });
}

template <const ycbcr_enc::ChromaBias& Bias, bool CrFirst, class Src>
int packed(const Src& src, Qrx8u* d, int end) {
    const Weights w;
    const Chroma<17, Bias.pair> c;
    return eachStep(std::array{loaderOf(src)}, std::array{Out{d, 2, 1}}, end,
                    [&](const auto& ld, int x, const auto& o) __attribute__((always_inline)) {
                        const StepPx s = loadStep(ld[0], x);
                        StoreZipped(lumaBytes(s, w), chromaInterleaved<CrFirst>(chromaOfPairs(s, c)), o[0]);
                    });
}

// ---- three-byte rows to 4:2:0: the colour differences -------------------
//
// The chroma weights of each row add up to zero, so chroma is a function of
// the summed (R - G, B - G) word pairs alone: one multiply-add per output
// instead of two, and half the words to sum. Luma takes the same pairs:
//   kYr (R - G) + kYb (B - G) + (G, G) x (h, h) with 2h = kYr + kYg + kYb.
struct DiffWeights {
    static constexpr int kHalfSum = (bt601::kYr + bt601::kYg + bt601::kYb) / 2;
    static_assert(2 * kHalfSum == bt601::kYr + bt601::kYg + bt601::kYb && kHalfSum <= 32767);
    static_assert(bt601::kCbR + bt601::kCbG + bt601::kCbB == 0 && bt601::kCrR + bt601::kCrG + bt601::kCrB == 0);
    VI16 yD = words(set1(pairOf(bt601::kYr, bt601::kYb))), yG = words(set1(pairOf(kHalfSum, kHalfSum)));
    VI32 yOffset = set1(bt601::kYOffset);
    VI16 cb = words(set1(pairOf(bt601::kCbR, bt601::kCbB))), cr = words(set1(pairOf(bt601::kCrR, bt601::kCrB)));
    VI32 order = quadOrder();
};

// One row of a step: its luma stored at y, the (R - G, B - G) word pairs of
// its four groups returned in d.
template <class L>
[[gnu::always_inline]] inline void diffRow(const Qrx8u* p, Qrx8u* y, const DiffWeights& w, VI16 d[4]) {
    VU8 data[4];
    LoadBlockHeads12(p, data);
    const VU8 rbMask = wordPairs(3, L::r, L::b), ggMask = wordPairs(3, L::g, L::g);
    VI32 sum[4];
    for (int k = 0; k < 4; ++k) {
        const VI16 gg = words(hn::TableLookupBytes(data[k], ggMask));
        d[k] = words(hn::TableLookupBytes(data[k], rbMask)) - gg;
        sum[k] = MulAddPairs(d[k], w.yD) + MulAddPairs(gg, w.yG) + w.yOffset;
    }
    const VI16 y01 = hn::BitCast(d16, UpperHalvesInBlocks(sum[0], sum[1]));
    const VI16 y23 = hn::BitCast(d16, UpperHalvesInBlocks(sum[2], sum[3]));
    hn::StoreU(hn::BitCast(d8, PermuteLanes32(dwords(DemoteInBlocksU8(y01, y23)), w.order)), d8, y);
}

template <class S>
struct ThreeBytes : std::false_type {};
template <class L>
struct ThreeBytes<PackedSrc<L>> : std::bool_constant<L::channels == 3> {};

template <int Bias, class L>
int diffRowPair(const PackedLd<L>& s0, const PackedLd<L>& s1, Qrx8u* y0, Qrx8u* y1, Qrx8u* cb, Qrx8u* cr, int end) {
    const DiffWeights w;
    const VI32 bias = set1(Bias + (256 << 18));  // 256 levels more: see Chroma
    return eachStep(std::array{s0, s1}, std::array{Out{y0, 1, 1}, Out{y1, 1, 1}, Out{cb, 1, 2}, Out{cr, 1, 2}}, end,
                    [&](const auto& ld, int x, const auto& o) __attribute__((always_inline)) {
                        VI16 a[4], b[4];
                        diffRow<L>(ld[0].p[0] + 3 * x, o[0], w, a);
                        diffRow<L>(ld[1].p[0] + 3 * x, o[1], w, b);
                        const VI16 s01 = pairSums(a[0] + b[0], a[1] + b[1]), s23 = pairSums(a[2] + b[2], a[3] + b[3]);
                        const auto dot = [&](VI16 v, VI16 k) { return hn::ShiftRight<18>(MulAddPairs(v, k) + bias); };
                        const VU16 vcb = DemoteInBlocksU16(dot(s01, w.cb), dot(s23, w.cb));
                        const VU16 vcr = DemoteInBlocksU16(dot(s01, w.cr), dot(s23, w.cr));
                        storeChromaPlanes(DemoteInBlocksU8(hn::BitCast(d16, vcb), hn::BitCast(d16, vcr)), o[2], o[3]);
                    });
}

template <const ycbcr_enc::ChromaBias& Bias, class Src>
int rowPair(const Src& s0, const Src& s1, Qrx8u* y0, Qrx8u* y1, Qrx8u* cb, Qrx8u* cr, int end) {
    if constexpr (ThreeBytes<Src>::value) return diffRowPair<Bias.quad>(loaderOf(s0), loaderOf(s1), y0, y1, cb, cr, end);
    const Weights w;
    const Chroma<18, Bias.quad> c;
    return eachStep(std::array{loaderOf(s0), loaderOf(s1)},
                    std::array{Out{y0, 1, 1}, Out{y1, 1, 1}, Out{cb, 1, 2}, Out{cr, 1, 2}}, end,
                    [&](const auto& ld, int x, const auto& o) __attribute__((always_inline)) {
                        StepPx a = loadStep(ld[0], x);
                        const StepPx b = loadStep(ld[1], x);
                        hn::StoreU(lumaBytes(a, w), d8, o[0]);
                        hn::StoreU(lumaBytes(b, w), d8, o[1]);
                        for (int k = 0; k < 4; ++k) {
                            a.rg[k] = a.rg[k] + b.rg[k];
                            a.bg[k] = a.bg[k] + b.bg[k];
                        }
                        storeChromaPlanes(chromaOfPairs(a, c), o[2], o[3]);
                    });
}

template <class Src>
int luma(const Src& src, Qrx8u* y, int end) {
    const Weights w;
    return eachStep(std::array{loaderOf(src)}, std::array{Out{y, 1, 1}}, end,
                    [&](const auto& ld, int x, const auto& o) __attribute__((always_inline)) {
                        hn::StoreU(lumaBytes(loadStep(ld[0], x), w), d8, o[0]);
                    });
}

}  // namespace enc_vec
}  // namespace
}  // namespace QRX_ISA
}  // namespace qrx
