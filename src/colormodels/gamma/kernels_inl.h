// Vector kernels of the 8-bit gamma rows for the AVX2 and AVX-512 builds of
// rows_inl.h; other builds get a kernel that does nothing. A kernel does
// whole vectors only and returns how many samples (or AC4 pixels) it did;
// the scalar row finishes.
//
// AVX-512 holds the 256-entry table as 128 words in four registers and
// looks the low and the high byte of every word up with two-register word
// permutes. AVX2 holds it as sixteen 16-byte pieces, each broadcast to both
// 128-bit blocks, looks every sample up in all sixteen by its low four bits
// and lets the high four bits choose among the results with a tree of byte
// blends, one level per bit.
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

#if HWY_TARGET != HWY_AVX3
struct ByteTable {
    V8 piece[16];
    explicit ByteTable(const Qrx8u* table) {
        for (int i = 0; i < 16; ++i) piece[i] = hn::LoadDup128(kD8, table + 16 * i);
    }
};
#endif

#if HWY_TARGET == HWY_AVX3

using V16 = hn::Vec<decltype(kD16)>;

// AVX-512: the table as 128 words, word j holding entries 2j and 2j + 1,
// in four registers, looked up with two-register word permutes. The bytes
// of a vector are taken as the low and the high bytes of its words.
struct Table {
    V16 words[4];
    explicit Table(const Qrx8u* table) {
        for (int i = 0; i < 4; ++i) words[i] = hn::LoadU(kD16, reinterpret_cast<const uint16_t*>(table) + 32 * i);
    }
};

// Entry e (0..255 in each word) in the low byte of each word.
HWY_INLINE V16 entry(const Table& t, V16 e) {
    const V16 pairIndex = hn::ShiftRight<1>(e);
    const V16 low = simd::TwoTablesLookupWords(t.words[0], t.words[1], pairIndex);
    const V16 high = simd::TwoTablesLookupWords(t.words[2], t.words[3], pairIndex);
    const V16 pair = hn::IfThenElse(hn::TestBit(e, hn::Set(kD16, 0x80)), high, low);
    // Odd entries are the pair's high byte.
    return hn::Shr(pair, hn::ShiftLeft<3>(hn::And(e, hn::Set(kD16, 1))));
}

HWY_INLINE V8 lookup(const Table& t, V8 v) {
    const V16 w = hn::BitCast(kD16, v);
    const V16 lowBytes = hn::And(entry(t, hn::And(w, hn::Set(kD16, 0xFF))), hn::Set(kD16, 0xFF));
    const V16 highBytes = hn::ShiftLeft<8>(entry(t, hn::ShiftRight<8>(w)));
    return hn::BitCast(kD8, hn::Or(lowBytes, highBytes));
}

#else

// Bit `Bit` (4..7) of every byte of v moved to the byte's sign bit, which
// is what a byte blend looks at.
template <int Bit>
HWY_INLINE VS8 bitAsSign(V8 v) {
    if constexpr (Bit == 7) return hn::BitCast(kDs8, v);
    // Bits shifted in from the byte below land under bit 7 and do not matter.
    return hn::BitCast(kDs8, hn::ShiftLeft<7 - Bit>(hn::BitCast(kD16, v)));
}

using Table = ByteTable;

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

#endif

// Lanes of the first three bytes of every four.
HWY_INLINE hn::Mask<decltype(kD8)> colourBytes() {
    const V8 three = hn::Set(kD8, 3);
    return hn::Ne(hn::And(hn::Iota(kD8, 0), three), three);
}

template <Pack P>
int lutLeadKernel(const Qrx8u* src, Qrx8u* dst, int count, const Qrx8u* table) {
    const Table t(table);
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
            simd::StoreSelected(lookup(t, hn::LoadU(kD8, src + 4 * x)), keep, kD8, dst + 4 * x);
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
