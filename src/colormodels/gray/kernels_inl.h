// Vector kernel of the 8-bit gray rows, included by rows_inl.h inside its
// namespaces; the scalar and SSE2 builds get a kernel that converts nothing.
//
// Each 128-bit block gathers four pixels of two source blocks (one fills
// the low words, the other the high words) as x << 8 in 16-bit words, so an
// unsigned high multiply by k gives floor(x k / 256) exactly for any 16-bit
// weight. The three products and the rounding term are summed with
// unsigned saturation: a sum that saturates is already far above 255 x 16,
// so the final clamp gives 255 either way.
#if QRX_SIMD

namespace gray_vec {

using namespace simd;

// Block shuffle placing channel c of pixel j (j = 0..3) in the high byte of
// words j and j + 4, zero in the low bytes.
template <int Channels>
VU8 grayPick(int c) {
    alignas(16) uint8_t m[16];
    for (int b = 0; b < 16; ++b) m[b] = (b & 1) ? uint8_t((b / 2 & 3) * Channels + c) : 0x80;
    return BlockBytes(m);
}

// Gray of blocks a and b (four pixels per block each), as 16-bit words.
HWY_INLINE VU16 graySum(VU8 a, VU8 b, const VU8 pick[3], const VU16 k[3]) {
    const Tag<uint16_t> d16;
    VU16 sum = hn::Set(d16, 8);
    for (int c = 0; c < 3; ++c) {
        // Low half of each block from a, high half from b.
        const VU16 x = hn::BitCast(d16, TableLookupBytesHalves(a, b, pick[c]));
        sum = hn::SaturatedAdd(sum, hn::MulHigh(x, k[c]));
    }
    return hn::ShiftRight<4>(sum);
}

}  // namespace gray_vec

// Converts the first width rounded down to a whole number of vectors (four
// vectors of source pixels); returns that count.
template <int Channels>
int grayLeadKernel(const Qrx8u* src, Qrx8u* dst, int width, const GrayWeights12& w) {
    using namespace simd;
    using namespace gray_vec;
    const Tag<uint8_t> d8;
    const Tag<uint16_t> d16;
    const Tag<int16_t> di16;
    const VU8 pick[3] = {grayPick<Channels>(0), grayPick<Channels>(1), grayPick<Channels>(2)};
    const VU16 k[3] = {hn::Set(d16, w.k[0]), hn::Set(d16, w.k[1]), hn::Set(d16, w.k[2])};
    // Packed words hold pixel groups in the order (block, source block): put
    // them back.
    const VI32 order = LanesOf<[](int i) { return 4 * (i % kBlocks) + i / kBlocks; }>();
    const int n = width & -kVecBytes;
    for (int x = 0; x < n; x += kVecBytes) {
        const Qrx8u* p = src + x * Channels;
        VU8 blk[4];
        if constexpr (Channels == 4) {
            for (int i = 0; i < 4; ++i) blk[i] = hn::LoadU(d8, p + kVecBytes * i);
        } else {
            LoadBlockHeads12(p, blk);
        }
        const VI16 lo = hn::BitCast(di16, graySum(blk[0], blk[1], pick, k));
        const VI16 hi = hn::BitCast(di16, graySum(blk[2], blk[3], pick, k));
        const VI32 packed = hn::BitCast(Tag<int32_t>(), DemoteInBlocksU8(lo, hi));
        hn::StoreU(hn::BitCast(d8, PermuteLanes32(packed, order)), d8, dst + x);
    }
    return n;
}

#else

template <int Channels>
int grayLeadKernel(const Qrx8u*, Qrx8u*, int, const GrayWeights12&) {
    return 0;
}

#endif
