// Kernels of the interleaved 8-bit RGB and RGBA rows: four whole pixels per
// 16-byte block. Part of kernels_inl.h, which includes it inside its
// namespace after the shared lane helpers; not a header of its own.
// ---- four whole pixels per 16-byte block ------------------------------------
// The kernels of the interleaved 8-bit rows below keep pixels where they
// are: a 16-byte block of an RGBA row holds four whole pixels, and an RGB row
// gets the same shape from the block-head loads (every 12-byte group of four
// pixels at the start of its own block; stored back the same way). Byte shuffles within
// each block then give 16-bit words or pairs in pixel order, the multiply-
// adds work on (R, B) and (G, G) word pairs, and results return to bytes with
// an in-block pack and one more shuffle. Packs across registers interleave
// their blocks; one fixed permutation puts the pixels back in order.

constexpr int kQuad = 4 * kBlocks;  // pixels per register
constexpr uint8_t Z = 0x80;          // shuffle index giving a zero byte
constexpr hn::ScalableTag<uint32_t> du32;
constexpr hn::ScalableTag<uint64_t> du64;

struct Quads {
    V8 q[4];
};

HWY_INLINE V8 bytes16(const uint8_t (&c)[16]) { return BlockBytes(c); }
template <class V>
HWY_INLINE V32 dw(V v) {
    return hn::BitCast(d32, v);
}
template <class V>
HWY_INLINE V16 w16(V v) {
    return hn::BitCast(d16, v);
}
template <class V>
HWY_INLINE V8 b8(V v) {
    return hn::BitCast(d8, v);
}

HWY_INLINE V8 shufb(V8 v, V8 c) { return hn::TableLookupBytes(v, c); }
HWY_INLINE V32 permd(V32 v, V32 i) { return PermuteLanes32(v, i); }

// Undoes the block interleave of two levels of packs over four registers
// (block j of register r ends up as dword r of block j).
HWY_INLINE V32 unpackOrder() {
    return LanesOf<[](int m) { return 4 * (m % kBlocks) + m / kBlocks; }>();
}

// RGB pixels p[0 .. kStep), 12 bytes at the start of each block.
struct RgbQuads {
    Quads load(const Qrx8u* p) const {
        Quads o;
        LoadBlockHeads12(p, o.q);
        return o;
    }
    void store(const Quads& o, Qrx8u* p) const { StoreBlockHeads12(o.q, p); }
};

// Both 16-bit halves of each dword set to its upper half.
HWY_INLINE V32 upperTwice(V32 v) {
    const V32 hi = hn::And(v, hn::Set(d32, int32_t(0xFFFF0000u)));
    return hn::Or(hi, dw(hn::ShiftRight<16>(hn::BitCast(du32, hi))));
}

// ---- RGB to YUV 4:2:0, exact -------------------------------------------------

// One row of a step: its luma bytes stored at y, and the (R - G, B - G) word
// pairs of its pixels returned for the chroma. A row is finished before the
// next is read, so only four vectors stay live across it.
HWY_INLINE void quadRow(const Qrx8u* src, Qrx8u* y, V32 order, V16 d[4]) {
    static constexpr uint8_t kRB[16] = {0, Z, 2, Z, 3, Z, 5, Z, 6, Z, 8, Z, 9, Z, 11, Z};
    static constexpr uint8_t kGG[16] = {1, Z, 1, Z, 4, Z, 4, Z, 7, Z, 7, Z, 10, Z, 10, Z};
    // kYr (R - G) + kYb (B - G) + 65536 G is the luma sum, as the three
    // weights add up to 65536; the G word of each pair, masked, is 65536 G.
    static_assert(kYr + kYg + kYb == 65536);
    Quads in;
    LoadBlockHeads12(src, in.q);
    const V8 crb = bytes16(kRB), cgg = bytes16(kGG);
    const V16 wrb = pairOf(kYr, kYb);
    const V32 high = hn::Set(d32, int32_t(0xFFFF0000u));
    V32 sum[4];
    for (int k = 0; k < 4; ++k) {
        const V16 rb = w16(shufb(in.q[k], crb)), gg = w16(shufb(in.q[k], cgg));
        d[k] = rb - gg;
        sum[k] = hn::ShiftRight<16>(madd(d[k], wrb) + hn::And(dw(gg), high));
    }
    hn::StoreU(b8(permd(dw(packus(packs(sum[0], sum[1]), packs(sum[2], sum[3]))), order)), d8, y);
}

// Chroma of the blocks of vectors first and first + 1 of two rows' (R - G,
// B - G) pairs: per dword the V and U words less 128, blocks in the order of
// the vectors' dword pairs.
HWY_INLINE V16 quadChroma(const V16 a[4], const V16 b[4], int first) {
    // Both rows, then the pixel pairs (adjacent dwords).
    const V32 d0 = dw(a[first] + b[first]), d1 = dw(a[first + 1] + b[first + 1]);
    const V16 s = w16(EvenLanesInBlocks(d0, d1)) + w16(OddLanesInBlocks(d0, d1));
    // floor((131071 - 19595 (R - G) - 7471 (B - G)) / 65536) added to both:
    // the upper word of each dword copied into its lower word.
    static constexpr uint8_t kUpper[16] = {2, 3, 2, 3, 6, 7, 6, 7, 10, 11, 10, 11, 14, 15, 14, 15};
    const V32 q = madd(s, pairOf(-kYr, -kYb)) + hn::Set(d32, 131071);
    const V16 drb = s + w16(shufb(b8(q), bytes16(kUpper)));
    const V16 m = hn::MulHigh(drb, pairOf(kV - 65536, kU)) + hn::And(drb, pairOf(-1, 0));
    return hn::ShiftRight<2>(m);
}

// V and U bytes of the 2 x kQuad blocks of a register pair (words less
// 128), stored in order: clamp(x + 128) is the signed clamp with the top bit
// flipped.
HWY_INLINE void storeQuadChroma(V16 lo, V16 hi, Qrx8u* u, Qrx8u* v) {
    static constexpr uint8_t kSplit[16] = {0, 2, 4, 6, 8, 10, 12, 14, 1, 3, 5, 7, 9, 11, 13, 15};
    const V8 packed = hn::Xor(b8(DemoteInBlocksI8(lo, hi)), hn::Set(d8, 0x80));
    const V8 t = TransposeBlockHalves(shufb(packed, bytes16(kSplit)));
    const hn::Half<decltype(d8)> dh;
    hn::StoreU(hn::LowerHalf(dh, t), dh, v);
    hn::StoreU(hn::UpperHalf(dh, t), dh, u);
}

int rgbToYuv420Quads(const Qrx8u* const* top, const Qrx8u* const* bottom, Qrx8u* yTop,
                     Qrx8u* yBottom, Qrx8u* u, Qrx8u* v, int n) {
    const V32 order = unpackOrder();
    int x = 0;
    for (; x + kStep <= n; x += kStep) {
        V16 a[4], b[4];
        quadRow(top[0] + 3 * x, yTop + x, order, a);
        quadRow(bottom[0] + 3 * x, yBottom + x, order, b);
        storeQuadChroma(quadChroma(a, b, 0), quadChroma(a, b, 2), u, v);
        u += kStep / 2;
        v += kStep / 2;
    }
    return x;
}

// ---- BGRA to YUV 4:2:0, 16-bit groups ----------------------------------------

// The floored products of each BGRA dword as words (fB + fG, fR), whose sum
// is twice the luma: B and R by one unsigned high multiply of the (B, R)
// words (weights times 4 stay below 2^16), G by one of the (4 G, 0) words.
HWY_INLINE V16 bgraProducts(V8 p, V16 br, V16 wbr, V16 wg) {
    const V16 g4 = MulAddBytePairs(p, hn::BitCast(Tag<int8_t>(), hn::Set(d32, 0x0400)));
    return w16(hn::MulHigh(hn::BitCast(du16, br), hn::BitCast(du16, wbr))) + hn::MulHigh(g4, wg);
}

// Per dword the U and V words less 128 of the blocks of two vectors of each
// row (given as row sums of their (B, R) words and product words), in the
// block order storeQuadChroma takes.
HWY_INLINE V16 bgraChroma(const V16 br[2], const V16 f[2]) {
    static constexpr uint8_t kSwap[16] = {2, 3, 0, 1, 6, 7, 4, 5, 10, 11, 8, 9, 14, 15, 12, 13};
    const auto pairs = [](V16 a, V16 b) { return w16(EvenLanesInBlocks(dw(a), dw(b))) + w16(OddLanesInBlocks(dw(a), dw(b))); };
    const V16 sb = pairs(br[0], br[1]), sf = pairs(f[0], f[1]);
    // floor(sum B / 2) and floor(sum R / 2), less floor(sum s / 4) in both words.
    const V16 t = w16(hn::ShiftRight<2>(hn::BitCast(du16, sf + w16(shufb(b8(sf), bytes16(kSwap))))));
    const V16 d = w16(hn::ShiftRight<1>(hn::BitCast(du16, sb))) - t;
    return hn::MulHigh(d, pairOf(kU15, kV15));
}

int bgraToYuv420Quads(const Qrx8u* const* top, const Qrx8u* const* bottom, Qrx8u* yTop,
                      Qrx8u* yBottom, Qrx8u* u, Qrx8u* v, int n) {
    const V32 order = unpackOrder(), lowBytes = hn::Set(d32, 0x00FF00FF);
    const V16 wbr = pairOf(4 * kY15b, 4 * kY15r), wg = pairOf(kY15g, 0);
    static_assert(4 * kY15r < 65536 && 4 * kY15b < 65536);
    // Luma: the word pairs of two vectors summed, in pack order, and halved.
    const auto lumaWords = [](V16 a, V16 b) { return hn::ShiftRight<1>(pairSums(a, b)); };
    int x = 0;
    for (; x + kStep <= n; x += kStep) {
        // Both rows vector by vector, so that few vectors stay live.
        V16 yA[2], yB[2], c[2];
        for (int h = 0; h < 2; ++h) {
            V16 br[2], f[2], fA[2], fB[2];
            for (int j = 0; j < 2; ++j) {
                const int at = 4 * x + (2 * h + j) * kStep;
                const V8 a = hn::LoadU(d8, top[0] + at), b = hn::LoadU(d8, bottom[0] + at);
                const V16 brA = w16(hn::And(dw(a), lowBytes)), brB = w16(hn::And(dw(b), lowBytes));
                fA[j] = bgraProducts(a, brA, wbr, wg);
                fB[j] = bgraProducts(b, brB, wbr, wg);
                br[j] = brA + brB;
                f[j] = fA[j] + fB[j];
            }
            yA[h] = lumaWords(fA[0], fA[1]);
            yB[h] = lumaWords(fB[0], fB[1]);
            c[h] = bgraChroma(br, f);
        }
        hn::StoreU(b8(permd(dw(packus(yA[0], yA[1])), order)), d8, yTop + x);
        hn::StoreU(b8(permd(dw(packus(yB[0], yB[1])), order)), d8, yBottom + x);
        // storeQuadChroma stores low words to its fourth argument: U here.
        storeQuadChroma(c[0], c[1], v, u);
        u += kStep / 2;
        v += kStep / 2;
    }
    return x;
}

// ---- RGBA <-> YUVA, exact; the destination's fourth bytes stay -------------

HWY_INLINE V32 keepFourth(V8 out, const Qrx8u* dst) {
    return hn::Or(dw(out), hn::And(dw(hn::LoadU(d8, dst)), hn::Set(d32, int32_t(0xFF000000u))));
}

int rgbaToYuvaQuads(const Qrx8u* const* src, Qrx8u* const* dst, int n) {
    static constexpr uint8_t kGG[16] = {1, Z, 1, Z, 5, Z, 5, Z, 9, Z, 9, Z, 13, Z, 13, Z};
    static constexpr uint8_t kOut[16] = {8, 1, 0, Z, 10, 3, 2, Z, 12, 5, 4, Z, 14, 7, 6, Z};
    const V8 cgg = bytes16(kGG), cout = bytes16(kOut);
    const V32 lowBytes = hn::Set(d32, 0x00FF00FF);
    const V16 w = pairOf(kYr, kYb), wvu = pairOf(kV - 65536, kU), lowWord = pairOf(-1, 0);
    int x = 0;
    for (; x + kQuad <= n; x += kQuad) {
        const V8 in = hn::LoadU(d8, src[0] + 4 * x);
        const V16 gg = w16(shufb(in, cgg));
        const V16 d = w16(hn::And(dw(in), lowBytes)) - gg;  // R - G, B - G
        const V32 e = madd(d, w);                            // Ysum - 65536 G
        // Low word Y (the high word G), and R - G, B - G less round(e / 65536).
        const V32 y = hn::ShiftRight<16>(e) + dw(gg);
        const V16 drb = d - w16(upperTwice(e + hn::Set(d32, 32768)));
        const V16 vu = hn::MulHigh(drb, wvu) + hn::And(drb, lowWord) + k(128);
        Qrx8u* q = dst[0] + 4 * x;
        hn::StoreU(b8(keepFourth(shufb(packus(vu, w16(y)), cout), q)), d8, q);
    }
    return x;
}

int yuvaToRgbaQuads(const Qrx8u* const* src, Qrx8u* const* dst, int n) {
    static constexpr uint8_t kUV[16] = {1, Z, 2, Z, 5, Z, 6, Z, 9, Z, 10, Z, 13, Z, 14, Z};
    static constexpr uint8_t kYY[16] = {0, Z, 0, Z, 4, Z, 4, Z, 8, Z, 8, Z, 12, Z, 12, Z};
    static constexpr uint8_t kOut[16] = {1, 8, 0, Z, 3, 10, 2, Z, 5, 12, 4, Z, 7, 14, 6, Z};
    constexpr InverseWeights W = kInverse;
    const V8 cuv = bytes16(kUV), cyy = bytes16(kYY), cout = bytes16(kOut);
    const V16 wg = pairOf(W.gu, W.gv + 65536), wbr = pairOf(W.bu - 131072, W.rv - 65536);
    const V16 lowWord = pairOf(-1, 0);
    const V32 highWord = hn::Set(d32, int32_t(0xFFFF0000u));
    int x = 0;
    for (; x + kQuad <= n; x += kQuad) {
        const V8 in = hn::LoadU(d8, src[0] + 4 * x);
        const V16 uv = w16(shufb(in, cuv)) - k(128), yy = w16(shufb(in, cyy));
        // G = Y - v + floor((gu u + (gv + 65536) v) / 65536), as a dword.
        const V32 g = hn::ShiftRight<16>(madd(uv, wg) + hn::And(dw(yy - uv), highWord));
        // B and R words: Y + 2u + floor(u (bu - 2^17) / 2^16), Y + v + ...
        const V16 br = yy + uv + hn::And(uv, lowWord) + hn::MulHigh(uv, wbr);
        Qrx8u* q = dst[0] + 4 * x;
        hn::StoreU(b8(keepFourth(shufb(packus(br, w16(g)), cout), q)), d8, q);
    }
    return x;
}

// ---- RGB to YUV 4:4:4, 16-bit groups, interleaved both ways ---------------

// Y (x 256, in the high byte of each word), and U and V bytes (signed
// saturated, top bit flipped: clamp(x + 128)) of quads k and k + 1, words
// of quad k in the lower half of each block.
struct GroupWords {
    V16 y;
    V8 uv;  // U bytes in the lower half of each block, V in the upper
};

HWY_INLINE GroupWords groupWords(const Quads& in, int k) {
    // R and G (then B) of a quad as words x 256; B of the second quad of the
    // pair goes to the upper half of each block.
    static constexpr uint8_t kRG[16] = {Z, 0, Z, 3, Z, 6, Z, 9, Z, 1, Z, 4, Z, 7, Z, 10};
    static constexpr uint8_t kB0[16] = {Z, 2, Z, 5, Z, 8, Z, 11, Z, Z, Z, Z, Z, Z, Z, Z};
    static constexpr uint8_t kB1[16] = {Z, Z, Z, Z, Z, Z, Z, Z, Z, 2, Z, 5, Z, 8, Z, 11};
    const auto hiU = [](V16 s, int c) {
        return w16(hn::MulHigh(hn::BitCast(du16, s), hn::Set(du16, uint16_t(c))));
    };
    const auto half = [](V16 s) { return w16(hn::ShiftRight<1>(hn::BitCast(du16, s))); };
    const V8 crg = bytes16(kRG);
    const auto a = hn::BitCast(du64, shufb(in.q[k], crg));
    const auto c = hn::BitCast(du64, shufb(in.q[k + 1], crg));
    const V16 r = w16(hn::InterleaveLower(du64, a, c)), g = w16(hn::InterleaveUpper(du64, a, c));
    const V16 b = w16(hn::Or(shufb(in.q[k], bytes16(kB0)), shufb(in.q[k + 1], bytes16(kB1))));
    const V16 r7 = half(r), g7 = half(g), b7 = half(b);
    const V16 u = mulHi(r7, kGroupUr) + mulHi(g7, kGroupUg) + mulHi(b7, kGroupUb);
    const V16 v = mulHi(r7, kGroupVr) + mulHi(g7, kGroupVg) + mulHi(b7, kGroupVb);
    return {hiU(r, kGroupYr) + hiU(g, kGroupYg) + hiU(b, kGroupYb),
            hn::Xor(b8(DemoteInBlocksI8(hn::ShiftRight<6>(u), hn::ShiftRight<6>(v))), hn::Set(d8, 0x80))};
}

int rgbToYuvQuads(const Qrx8u* const* src, Qrx8u* const* dst, int n) {
    // Y (high bytes of its words), and U, V bytes back into pixels.
    static constexpr uint8_t kY0[16] = {1, Z, Z, 3, Z, Z, 5, Z, Z, 7, Z, Z, Z, Z, Z, Z};
    static constexpr uint8_t kUV0[16] = {Z, 0, 8, Z, 1, 9, Z, 2, 10, Z, 3, 11, Z, Z, Z, Z};
    static constexpr uint8_t kY1[16] = {9, Z, Z, 11, Z, Z, 13, Z, Z, 15, Z, Z, Z, Z, Z, Z};
    static constexpr uint8_t kUV1[16] = {Z, 4, 12, Z, 5, 13, Z, 6, 14, Z, 7, 15, Z, Z, Z, Z};
    const V8 cy0 = bytes16(kY0), cuv0 = bytes16(kUV0), cy1 = bytes16(kY1), cuv1 = bytes16(kUV1);
    const RgbQuads rgb;
    int x = 0;
    for (; x + kStep <= n; x += kStep) {
        const Quads in = rgb.load(src[0] + 3 * x);
        Quads out;
        for (int k = 0; k < 4; k += 2) {
            const GroupWords w = groupWords(in, k);
            out.q[k] = hn::Or(shufb(b8(w.y), cy0), shufb(w.uv, cuv0));
            out.q[k + 1] = hn::Or(shufb(b8(w.y), cy1), shufb(w.uv, cuv1));
        }
        rgb.store(out, dst[0] + 3 * x);
    }
    return x;
}

int rgbToYuvPlanesQuads(const Qrx8u* const* src, Qrx8u* const* dst, int n) {
    const RgbQuads rgb;
    const V32 order = unpackOrder();
    const auto put = [&](V8 v, Qrx8u* p) { hn::StoreU(b8(permd(dw(v), order)), d8, p); };
    int x = 0;
    for (; x + kStep <= n; x += kStep) {
        const Quads in = rgb.load(src[0] + 3 * x);
        const GroupWords lo = groupWords(in, 0), hi = groupWords(in, 2);
        const auto y = [](V16 s) { return w16(hn::ShiftRight<8>(hn::BitCast(du16, s))); };
        put(packus(y(lo.y), y(hi.y)), dst[0] + x);
        // U of quads 0-3 in the low qwords, V in the high qwords.
        const auto q = [](V8 v) { return hn::BitCast(du64, v); };
        put(b8(hn::InterleaveLower(du64, q(lo.uv), q(hi.uv))), dst[1] + x);
        put(b8(hn::InterleaveUpper(du64, q(lo.uv), q(hi.uv))), dst[2] + x);
    }
    return x;
}

// ---- RGBA to four planes, 16-bit groups ------------------------------------

// Dwords R G B A of four registers become words R + 256 G and B + 256 A of
// two, by saturating packs of values that never saturate.
int rgbaToPlanesQuads(const Qrx8u* const* src, Qrx8u* const* dst, int n) {
    const V32 order = unpackOrder(), low = hn::Set(d32, 0xFFFF);
    const V16 lowByte = k(255);
    const auto put = [&](V16 a, V16 b, Qrx8u* p) { hn::StoreU(b8(permd(dw(packus(a, b)), order)), d8, p); };
    int x = 0;
    for (; x + kStep <= n; x += kStep) {
        V32 in[4];
        for (int i = 0; i < 4; ++i) in[i] = dw(hn::LoadU(d8, src[0] + 4 * x + i * kStep));
        Tri16 t[2];
        V16 alpha[2];
        for (int h = 0; h < 2; ++h) {
            const V32 *a = in + 2 * h, *b = a + 1;
            const V16 rg = w16(DemoteInBlocksU16(hn::And(*a, low), hn::And(*b, low)));
            const V16 ba = w16(DemoteInBlocksU16(dw(hn::ShiftRight<16>(hn::BitCast(du32, *a))),
                                                 dw(hn::ShiftRight<16>(hn::BitCast(du32, *b)))));
            const auto high = [](V16 v) { return w16(hn::ShiftRight<8>(hn::BitCast(du16, v))); };
            t[h] = fourPlaneForward(hn::And(rg, lowByte), high(rg), hn::And(ba, lowByte));
            alpha[h] = high(ba);
        }
        for (int c = 0; c < 3; ++c) put(t[0].c[c], t[1].c[c], dst[c] + x);
        put(alpha[0], alpha[1], dst[3] + x);
    }
    return x;
}
