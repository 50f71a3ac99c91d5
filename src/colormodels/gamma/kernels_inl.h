// Vector kernels of the 8-bit gamma rows for the AVX2 and AVX-512 builds of
// rows_inl.h; other builds get a kernel that does nothing. A kernel does
// whole vectors only and returns how many samples (or AC4 pixels) it did;
// the scalar row finishes.
//
// AVX-512 holds the 256-entry table as 128 words in four registers and
// looks the low and the high byte of every word up with two-register word
// permutes. AVX2 holds it as sixteen 16-byte pieces, each broadcast to both
// 128-bit blocks, and looks every sample up in all sixteen by its low four
// bits. A byte shuffle gives zero where the index byte has its top bit set,
// so piece k (for samples below 128) and piece k + 8 (for samples from 128,
// looked up with the top bit flipped) are joined by an OR; three levels of
// byte blends on bits 4, 5 and 6 then pick one of the eight joined pieces.
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

// AVX2: entries 16k..16k + 15 in piece k, in both blocks.
struct Table {
    V8 piece[16];
    explicit Table(const Qrx8u* table) {
        for (int i = 0; i < 16; ++i) piece[i] = hn::LoadDup128(kD8, table + 16 * i);
    }
};

HWY_INLINE V8 lookup(const Table& t, V8 v) {
    // Pieces k and k + 8 joined: one of the two shuffles gives zero.
    const V8 flipped = hn::Xor(v, hn::Set(kD8, 0x80));
    VS8 level[8];
    for (size_t k = 0; k < std::size(level); ++k)
        level[k] = hn::BitCast(kDs8, hn::Or(simd::LookupBytesOr0(t.piece[k], v),
                                            simd::LookupBytesOr0(t.piece[k + 8], flipped)));
    // Bits 6, 5 and 4 moved to the sign bit by doubling each byte.
    const V8 b6 = hn::Add(v, v), b5 = hn::Add(b6, b6), b4 = hn::Add(b5, b5);
    const VS8 s4 = hn::BitCast(kDs8, b4), s5 = hn::BitCast(kDs8, b5), s6 = hn::BitCast(kDs8, b6);
    for (int i = 0; i < 4; ++i) level[i] = hn::IfNegativeThenElse(s4, level[2 * i + 1], level[2 * i]);
    for (int i = 0; i < 2; ++i) level[i] = hn::IfNegativeThenElse(s5, level[2 * i + 1], level[2 * i]);
    return hn::BitCast(kD8, hn::IfNegativeThenElse(s6, level[1], level[0]));
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
