// Vector kernels of the 8-bit gamma rows for the AVX2 and AVX-512 builds of
// rows_inl.h; other builds get a kernel that does nothing.
//
// A 256-entry byte table is sixteen 16-byte pieces, each broadcast to every
// 128-bit block. A vector of samples is looked up in all sixteen by its low
// four bits; the high four bits then choose among the sixteen results with
// a tree of blends, one level per bit, each taking the bit's value from the
// sign of the sample shifted left. The kernel does whole vectors only and
// returns how many samples (or AC4 pixels) it did; the scalar row finishes.
#if QRX_SIMD

namespace qrx {
inline namespace QRX_ISA {
namespace {

namespace hn = simd::hn;

constexpr hn::ScalableTag<uint8_t> kD8;
constexpr hn::ScalableTag<int8_t> kDs8;
constexpr hn::ScalableTag<uint16_t> kD16;
using V8 = hn::Vec<decltype(kD8)>;
using VS8 = hn::Vec<decltype(kDs8)>;

struct ByteTable {
    V8 piece[16];
    explicit ByteTable(const Qrx8u* table) {
        for (int i = 0; i < 16; ++i) piece[i] = hn::LoadDup128(kD8, table + 16 * i);
    }
};

// Bit `Bit` (4..7) of every byte of v moved to the byte's sign bit.
template <int Bit>
HWY_INLINE VS8 bitAsSign(V8 v) {
    if constexpr (Bit == 7) return hn::BitCast(kDs8, v);
    // Bits shifted in from the byte below land under bit 7 and do not matter.
    return hn::BitCast(kDs8, hn::ShiftLeft<7 - Bit>(hn::BitCast(kD16, v)));
}

HWY_INLINE V8 lookup(const ByteTable& t, V8 v) {
    const V8 low = hn::And(v, hn::Set(kD8, 0x0F));
    VS8 level[16];
    for (int i = 0; i < 16; ++i) level[i] = hn::BitCast(kDs8, hn::TableLookupBytes(t.piece[i], low));
    const VS8 b4 = bitAsSign<4>(v), b5 = bitAsSign<5>(v), b6 = bitAsSign<6>(v), b7 = bitAsSign<7>(v);
    for (int i = 0; i < 8; ++i) level[i] = hn::IfNegativeThenElse(b4, level[2 * i + 1], level[2 * i]);
    for (int i = 0; i < 4; ++i) level[i] = hn::IfNegativeThenElse(b5, level[2 * i + 1], level[2 * i]);
    for (int i = 0; i < 2; ++i) level[i] = hn::IfNegativeThenElse(b6, level[2 * i + 1], level[2 * i]);
    return hn::BitCast(kD8, hn::IfNegativeThenElse(b7, level[1], level[0]));
}

// Lanes of the first three bytes of every four.
HWY_INLINE hn::Mask<decltype(kD8)> colourBytes() {
    const V8 three = hn::Set(kD8, 3);
    return hn::Ne(hn::And(hn::Iota(kD8, 0), three), three);
}

template <Pack P>
int lutLeadKernel(const Qrx8u* src, Qrx8u* dst, int count, const Qrx8u* table) {
    const ByteTable t(table);
    const int n = static_cast<int>(hn::Lanes(kD8));
    if constexpr (P == Pack::Run) {
        int i = 0;
        for (; i + n <= count; i += n) hn::StoreU(lookup(t, hn::LoadU(kD8, src + i)), kD8, dst + i);
        return i;
    } else {
        // n bytes are n / 4 pixels; the fourth byte of each is not stored.
        const auto keep = colourBytes();
        const int pixels = n / 4;
        int x = 0;
        for (; x + pixels <= count; x += pixels)
            hn::BlendedStore(lookup(t, hn::LoadU(kD8, src + 4 * x)), keep, kD8, dst + 4 * x);
        return x;
    }
}

}  // namespace
}  // namespace QRX_ISA
}  // namespace qrx

#else

namespace qrx {
inline namespace QRX_ISA {
namespace {

template <Pack P>
int lutLeadKernel(const Qrx8u*, Qrx8u*, int, const Qrx8u*) {
    return 0;
}

}  // namespace
}  // namespace QRX_ISA
}  // namespace qrx

#endif
