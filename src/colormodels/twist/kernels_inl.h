// Vector kernels of the colour twist for the AVX2 and AVX-512 builds of
// rows_inl.h; other builds get kernels that do nothing and run the scalar
// rows alone.
//
// A kernel transforms the leading whole steps of a row and returns how many
// pixels it did: interleaved 8-bit rows one pixel per 32-bit lane (8 or 16
// pixels a step), the others one full vector of the sample type per channel
// (32 or 64 pixels of planar 8-bit samples, 16 or 32 of 16-bit ones, 8 or 16
// of floats).
// Each float lane performs the scalar formula's operations in the same
// order (separate multiplies and adds, never fused), the min and max take
// the bound when the sum is NaN as the scalar comparisons do, and the
// conversion to integers rounds in the current mode, so every value equals
// the scalar one. The whole vector is read before any of it is written, so
// in-place rows are safe.
#if QRX_SIMD

namespace qrx {
inline namespace QRX_ISA {
namespace {

namespace hn = simd::hn;

constexpr hn::ScalableTag<float> kDf;
constexpr hn::ScalableTag<int32_t> kDi;
using VF = hn::Vec<decltype(kDf)>;

template <class T>
using DT = hn::ScalableTag<T>;
template <class T>
using VT = hn::Vec<DT<T>>;

// Float vectors per full vector of T.
template <class T>
constexpr int kParts = static_cast<int>(sizeof(float) / sizeof(T));

// The 32-bit lanes of a vector of T's samples widened from `v` (a half or
// quarter vector), as floats.
template <class T, class V>
HWY_INLINE VF widenToFloat(V v) {
    using W = std::conditional_t<std::is_signed_v<T>, int32_t, uint32_t>;
    const hn::Rebind<W, decltype(kDf)> dw;
    return hn::ConvertTo(kDf, hn::BitCast(kDi, hn::PromoteTo(dw, v)));
}

template <class T>
HWY_INLINE void toFloat(VT<T> v, VF* f) {
    if constexpr (sizeof(T) == 4) {
        f[0] = v;
    } else {
        const hn::Half<DT<T>> dh;
        const auto lo = hn::LowerHalf(dh, v), hi = hn::UpperHalf(dh, v);
        if constexpr (sizeof(T) == 2) {
            f[0] = widenToFloat<T>(lo);
            f[1] = widenToFloat<T>(hi);
        } else {
            const hn::Half<decltype(dh)> dq;
            f[0] = widenToFloat<T>(hn::LowerHalf(dq, lo));
            f[1] = widenToFloat<T>(hn::UpperHalf(dq, lo));
            f[2] = widenToFloat<T>(hn::LowerHalf(dq, hi));
            f[3] = widenToFloat<T>(hn::UpperHalf(dq, hi));
        }
    }
}

// Clamped (or, for 8s, capped) sums back to samples: nearest integer in the
// current mode, then a saturating narrowing.
template <class T>
HWY_INLINE VT<T> fromFloat(const VF* f) {
    if constexpr (sizeof(T) == 4) {
        return f[0];
    } else {
        const hn::Rebind<T, decltype(kDi)> dn;
        const hn::Half<DT<T>> dh;
        if constexpr (sizeof(T) == 2) {
            return hn::Combine(DT<T>(), hn::DemoteTo(dn, hn::NearestInt(f[1])),
                               hn::DemoteTo(dn, hn::NearestInt(f[0])));
        } else {
            const auto lo = hn::Combine(dh, hn::DemoteTo(dn, hn::NearestInt(f[1])),
                                        hn::DemoteTo(dn, hn::NearestInt(f[0])));
            const auto hi = hn::Combine(dh, hn::DemoteTo(dn, hn::NearestInt(f[3])),
                                        hn::DemoteTo(dn, hn::NearestInt(f[2])));
            return hn::Combine(DT<T>(), hi, lo);
        }
    }
}

// The scalar twistOut's bounds. x86 min and max return their second operand
// when either is NaN, so min(s, top) of a NaN sum is top, as in the scalar.
template <class T>
HWY_INLINE VF bound(VF s) {
    if constexpr (std::is_same_v<T, Qrx32f>) {
        return s;
    } else if constexpr (std::is_same_v<T, Qrx8s>) {
        return hn::Min(s, hn::Set(kDf, 127.0f));
    } else {
        return hn::Max(hn::Min(s, hn::Set(kDf, TwistType<T>::kTop)),
                       hn::Set(kDf, TwistType<T>::kBottom));
    }
}

// Output channel k's weights, broadcast.
struct Weights {
    VF t[4];
};

template <class T>
HWY_INLINE VF sum(const Weights& w, VF c0, VF c1, VF c2) {
    const VF p0 = hn::Mul(c0, w.t[0]), p1 = hn::Mul(c1, w.t[1]), p2 = hn::Mul(c2, w.t[2]);
    if constexpr (std::is_same_v<T, Qrx8s>) return hn::Add(hn::Add(hn::Add(p0, p1), p2), w.t[3]);
    return hn::Add(hn::Add(w.t[3], p0), hn::Add(p1, p2));
}

// Mask of the first three elements of every four (the elements an AC4 row
// writes).
template <class T>
HWY_INLINE hn::Mask<DT<T>> colourLanes() {
    const hn::RebindToUnsigned<DT<T>> du;
    using U = hn::TFromD<decltype(du)>;
    const auto three = hn::Set(du, U(3));
    return hn::RebindMask(DT<T>(), hn::Ne(hn::And(hn::Iota(du, 0), three), three));
}

// ---- 8-bit interleaved rows: one pixel per 32-bit lane ------------------------
//
// Three-channel pixels are spread four to a 128-bit block (12 bytes each,
// read without passing the last pixel of the row), four-channel
// pixels are loaded as they are. A byte shuffle takes each channel into the
// low byte of its lane (8u) or the high byte, shifted down with its sign
// (8s). The clamped results are rounded, joined into one word per pixel and
// stored back by the reverse path; nothing outside the pixels is read or
// written, except AC4 rows on AVX2 (see simd::StoreSelected).

constexpr hn::ScalableTag<uint32_t> kDu;
constexpr hn::ScalableTag<uint8_t> kD8;
using VU = hn::Vec<decltype(kDu)>;

// Byte pattern of one 128-bit block, repeated over the vector; indices of
// 0x80 give zero bytes.
HWY_INLINE hn::Vec<decltype(kD8)> blockPattern(const uint8_t* block) { return hn::LoadDup128(kD8, block); }

// The shuffle taking channel c of the four pixels of each block (3 or 4
// bytes apart) to byte `at` of their lanes.
inline void channelPattern(uint8_t* pattern, int bytesPerPixel, int c, int at) {
    for (int i = 0; i < 16; ++i) pattern[i] = 0x80;
    for (int j = 0; j < 4; ++j) pattern[4 * j + at] = static_cast<uint8_t>(bytesPerPixel * j + c);
}

// True when no 8-bit pixel can give a NaN sum or one outside the int32
// range: every element finite and |t3| + 256 (|t0| + |t1| + |t2|) <= 2^30.
inline bool boundedFor8Bit(const TwistColumns& m) {
    for (int k = 0; k < 3; ++k) {
        double bound = std::fabs(m.col[3][k]);
        for (int j = 0; j < 3; ++j) bound += 256.0 * std::fabs(m.col[j][k]);
        if (!(bound <= 1073741824.0)) return false;  // also false for inf and NaN
    }
    return true;
}

// The 32-bit words of n three-byte pixels (3n / 4 words: 12 with AVX-512,
// 6 with AVX2) into the low lanes of a vector, and back. AVX-512 uses a full
// load where the row goes on far enough and masked ones otherwise; AVX2,
// whose masked moves are slow on some processors, moves 16 + 8 bytes.
HWY_INLINE VU loadTriples(const void* p, bool fullLoadFits) {
    const uint32_t* w = static_cast<const uint32_t*>(p);
#if HWY_TARGET == HWY_AVX3
    if (fullLoadFits) return hn::LoadU(kDu, w);
    return hn::MaskedLoad(hn::FirstN(kDu, 12), kDu, w);
#else
    (void)fullLoadFits;
    const hn::Full128<uint32_t> d4;
    const hn::Full64<uint32_t> d2;
    return hn::Combine(kDu, hn::ZeroExtendVector(d4, hn::LoadU(d2, w + 4)), hn::LoadU(d4, w));
#endif
}

HWY_INLINE void storeTriples(VU v, void* p) {
    uint32_t* w = static_cast<uint32_t*>(p);
#if HWY_TARGET == HWY_AVX3
    hn::BlendedStore(v, hn::FirstN(kDu, 12), kDu, w);
#else
    const hn::Full128<uint32_t> d4;
    const hn::Full64<uint32_t> d2;
    hn::StoreU(hn::LowerHalf(d4, v), d4, w);
    hn::StoreU(hn::LowerHalf(d2, hn::UpperHalf(d4, v)), d2, w + 4);
#endif
}

template <class T, Pack P>
int twistBytesKernel(const T* src, T* dst, int width, const TwistColumns& m) {
    constexpr bool kSigned = std::is_same_v<T, Qrx8s>;
    constexpr int kBytes = P == Pack::C3 ? 3 : 4;
    const int n = static_cast<int>(hn::Lanes(kDu));
    Weights w[3];
    for (int k = 0; k < 3; ++k)
        for (int j = 0; j < 4; ++j) w[k].t[j] = hn::Set(kDf, m.col[j][k]);
    hn::Vec<decltype(kD8)> pick[3];
    for (int c = 0; c < 3; ++c) {
        alignas(16) uint8_t pattern[16];
        channelPattern(pattern, kBytes, c, kSigned ? 3 : 0);
        pick[c] = blockPattern(pattern);
    }
    // Three-byte pixels: word j of a block from word 3 (j / 4) + min(j % 4, 2)
    // of the row, and back: the first three words of each block packed (the
    // lanes after the 3n / 4 stored ones take any word).
    alignas(64) int32_t spreadIdx[16], packIdx[16];
    alignas(16) uint8_t compact[16];
    for (int j = 0; j < 16; ++j) {
        spreadIdx[j] = 3 * (j / 4) + std::min(j % 4, 2);
        packIdx[j] = std::min(4 * (j / 3) + j % 3, n - 1);
        compact[j] = j < 12 ? static_cast<uint8_t>(4 * (j / 3) + j % 3) : 0x80;
    }
    const auto spread = hn::SetTableIndices(kDu, spreadIdx);
    const auto pack = hn::SetTableIndices(kDu, packIdx);
    const auto squeeze = blockPattern(compact);
    const VF lo = hn::Set(kDf, kSigned ? -128.0f : 0.0f), hi = hn::Set(kDf, kSigned ? 127.0f : 255.0f);
    const auto byteMask = hn::Set(kDi, 0xFF);
    // Packed bytes a0..a3 b0..b3 c0..c3 of a block back to pixel order.
    alignas(16) uint8_t order[16];
    for (int j = 0; j < 16; ++j) order[j] = static_cast<uint8_t>(4 * (j % 4) + j / 4);
    const auto channelMajor = blockPattern(order);
    const bool bounded = boundedFor8Bit(m);
    int x = 0;
    for (; x + n <= width; x += n) {
        VU px;
        if constexpr (P == Pack::C3) {
            // A full vector is 4n bytes: n / 3 pixels more than the step.
            px = hn::TableLookupLanes(loadTriples(src + 3 * x, 3 * x + 4 * n <= 3 * width), spread);
        } else {
            px = hn::LoadU(kDu, reinterpret_cast<const uint32_t*>(src + 4 * x));
        }
        VF c[3];
        for (int ch = 0; ch < 3; ++ch) {
            const auto lane = hn::BitCast(kDi, hn::TableLookupBytesOr0(px, hn::BitCast(kDu, pick[ch])));
            c[ch] = hn::ConvertTo(kDf, kSigned ? hn::ShiftRight<24>(lane) : lane);
        }
        VU quads;  // pixel-major bytes, one pixel per lane (the fourth byte unused)
        hn::Vec<decltype(kDi)> o[3];
        if (bounded) {
            // Sums within the int32 range: rounding then saturating packs
            // clamp as min-then-max would. Unsigned bytes go through signed
            // 16 bits, so that a sum above 32767 saturates to 255 (an
            // unsigned 16-bit step would turn it into 0).
            for (int k = 0; k < 3; ++k) o[k] = simd::RoundToInt32(sum<T>(w[k], c[0], c[1], c[2]));
            const auto bytes = kSigned ? simd::PackBlocksI8(o[0], o[1], o[2], o[2])
                                       : simd::DemoteInBlocksU8(simd::DemoteInBlocksI16(o[0], o[1]),
                                                                simd::DemoteInBlocksI16(o[2], o[2]));
            quads = hn::BitCast(kDu, hn::TableLookupBytes(bytes, channelMajor));
        } else {
            // min then max, as the scalar code: a NaN sum takes the top.
            // Within the type's range the rounding cannot overflow.
            for (int k = 0; k < 3; ++k) {
                o[k] = simd::RoundToInt32(hn::Max(hn::Min(sum<T>(w[k], c[0], c[1], c[2]), hi), lo));
                if constexpr (kSigned) o[k] = hn::And(o[k], byteMask);
            }
            quads = hn::BitCast(kDu, hn::Or3(o[0], hn::ShiftLeft<8>(o[1]), hn::ShiftLeft<16>(o[2])));
        }
        if constexpr (P == Pack::C3) {
            const VU packed = hn::TableLookupLanes(hn::TableLookupBytes(quads, hn::BitCast(kDu, squeeze)), pack);
            storeTriples(packed, dst + 3 * x);
        } else {
            const auto three = hn::Set(kD8, 3);
            simd::StoreSelected(hn::BitCast(kD8, quads), hn::Ne(hn::And(hn::Iota(kD8, 0), three), three), kD8,
                                reinterpret_cast<uint8_t*>(dst + 4 * x));
        }
    }
    return x;
}

template <class T, Pack P>
int twistLeadKernel(const T* const* src, T* const* dst, int width, const TwistColumns& m) {
    if constexpr (sizeof(T) == 1 && P != Pack::P3) return twistBytesKernel<T, P>(src[0], dst[0], width, m);
    const DT<T> dt;
    const int n = static_cast<int>(hn::Lanes(dt));
    Weights w[3];
    for (int k = 0; k < 3; ++k)
        for (int j = 0; j < 4; ++j) w[k].t[j] = hn::Set(kDf, m.col[j][k]);
    int x = 0;
    for (; x + n <= width; x += n) {
        VT<T> in[3];
        if constexpr (P == Pack::C3) {
            hn::LoadInterleaved3(dt, src[0] + 3 * x, in[0], in[1], in[2]);
        } else if constexpr (P == Pack::AC4) {
            VT<T> alpha;
            hn::LoadInterleaved4(dt, src[0] + 4 * x, in[0], in[1], in[2], alpha);
        } else {
            for (int c = 0; c < 3; ++c) in[c] = hn::LoadU(dt, src[c] + x);
        }
        VF f[3][kParts<T>];
        for (int c = 0; c < 3; ++c) toFloat<T>(in[c], f[c]);
        VT<T> out[3];
        for (int k = 0; k < 3; ++k) {
            VF o[kParts<T>];
            for (int q = 0; q < kParts<T>; ++q) o[q] = bound<T>(sum<T>(w[k], f[0][q], f[1][q], f[2][q]));
            out[k] = fromFloat<T>(o);
        }
        if constexpr (P == Pack::C3) {
            hn::StoreInterleaved3(out[0], out[1], out[2], dt, dst[0] + 3 * x);
        } else if constexpr (P == Pack::AC4) {
            // Interleave in a buffer, then store the three colour elements of
            // every pixel and leave the fourth alone.
            alignas(64) T buf[4 * 64 / sizeof(T)];
            hn::StoreInterleaved4(out[0], out[1], out[2], hn::Zero(dt), dt, buf);
            for (int i = 0; i < 4; ++i)
                simd::StoreSelected(hn::Load(dt, buf + i * n), colourLanes<T>(), dt,
                                    dst[0] + 4 * x + i * n);
        } else {
            for (int c = 0; c < 3; ++c) hn::StoreU(out[c], dt, dst[c] + x);
        }
    }
    return x;
}

int twistC4LeadKernel(const Qrx32f* src, Qrx32f* dst, int width, const TwistColumns& m) {
    const int n = static_cast<int>(hn::Lanes(kDf));
    VF t[4][4];
    for (int j = 0; j < 4; ++j)
        for (int k = 0; k < 4; ++k) t[j][k] = hn::Set(kDf, m.col[j][k]);
    int x = 0;
    for (; x + n <= width; x += n) {
        VF c[4], o[4];
        hn::LoadInterleaved4(kDf, src + 4 * x, c[0], c[1], c[2], c[3]);
        for (int k = 0; k < 4; ++k)
            o[k] = hn::Add(hn::Add(hn::Add(hn::Mul(c[0], t[0][k]), hn::Mul(c[1], t[1][k])),
                                   hn::Mul(c[2], t[2][k])),
                           hn::Mul(c[3], t[3][k]));
        hn::StoreInterleaved4(o[0], o[1], o[2], o[3], kDf, dst + 4 * x);
    }
    return x;
}

}  // namespace
}  // namespace QRX_ISA
}  // namespace qrx

#else

namespace qrx {
inline namespace QRX_ISA {
namespace {

template <class T, Pack P>
int twistLeadKernel(const T* const*, T* const*, int, const TwistColumns&) {
    return 0;
}
int twistC4LeadKernel(const Qrx32f*, Qrx32f*, int, const TwistColumns&) { return 0; }

}  // namespace
}  // namespace QRX_ISA
}  // namespace qrx

#endif
