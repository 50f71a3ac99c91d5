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

// The sum of output k from its products p_j = c_j t_j.
template <class T>
HWY_INLINE VF sumOf(const Weights& w, VF p0, VF p1, VF p2) {
    if constexpr (std::is_same_v<T, Qrx8s>) return hn::Add(hn::Add(hn::Add(p0, p1), p2), w.t[3]);
    return hn::Add(hn::Add(w.t[3], p0), hn::Add(p1, p2));
}

template <class T>
HWY_INLINE VF sum(const Weights& w, VF c0, VF c1, VF c2) {
    return sumOf<T>(w, hn::Mul(c0, w.t[0]), hn::Mul(c1, w.t[1]), hn::Mul(c2, w.t[2]));
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
// Each 128-bit block takes four pixels. Three-channel pixels are read
// without passing the last pixel of the row: AVX2 loads bytes 0..15 of the
// eight pixels into the low block and bytes 8..23 into the high one (its
// pixels start at byte 4), AVX-512 moves the 48 bytes' words to 12 bytes a
// block; four-channel pixels are loaded as they are. A byte shuffle takes
// each channel into the low byte of a pixel's lane (8u) or the high byte,
// shifted down with its sign (8s). The results go back the reverse way: one
// byte shuffle from the packed bytes to the pixels' bytes, then (for three
// channels) the first 12 bytes of every block moved together. Nothing
// outside the pixels is read or written, except AC4 rows on AVX2, which
// rewrite the fourth bytes with the values just read from the destination.

constexpr hn::ScalableTag<uint32_t> kDu;
constexpr hn::ScalableTag<uint8_t> kD8;
using VU = hn::Vec<decltype(kDu)>;
using V8 = hn::Vec<decltype(kD8)>;

constexpr int kBlocks = static_cast<int>(HWY_MAX_BYTES / 16);

// Where pixel j of a block starts in its block: 3j or 4j, except in the
// high block of three-channel AVX2 loads (3j + 4).
template <Pack P>
constexpr int pixelByte(int block, int j, bool loaded) {
    if constexpr (P != Pack::C3) return 4 * j;
#if HWY_TARGET != HWY_AVX3
    if (loaded) return 3 * j + 4 * block;
#endif
    (void)block, (void)loaded;
    return 3 * j;
}

// A byte shuffle over the whole vector built from byteFor(block, byte),
// which gives a source byte of the same block or 0x80 for a zero byte.
template <class F>
HWY_INLINE V8 shufflePattern(F byteFor) {
    alignas(64) uint8_t pattern[16 * kBlocks];
    for (size_t i = 0; i < std::size(pattern); ++i)
        pattern[i] = static_cast<uint8_t>(byteFor(static_cast<int>(i / 16), static_cast<int>(i % 16)));
    return hn::Load(kD8, pattern);
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

// True when every weight of channels 1 and 2 divided by 256 and by 65536
// stays exact: zero, or at least 2^-100 in magnitude, far above the
// smallest normal float.
inline bool scalesExactly(const TwistColumns& m) {
    for (int k = 0; k < 3; ++k)
        for (int j = 1; j < 3; ++j) {
            const float t = std::fabs(m.col[j][k]);
            if (t != 0.0f && !(t >= 0x1p-100f)) return false;
        }
    return true;
}

// The n three-byte pixels at p, four to a block (see above).
HWY_INLINE V8 loadTriples(const uint8_t* p, bool fullLoadFits) {
#if HWY_TARGET == HWY_AVX3
    // Word j of a block from word 3 (j / 4) + j % 4 of the row (its last
    // word is not used).
    alignas(64) int32_t spreadIdx[16];
    for (size_t j = 0; j < std::size(spreadIdx); ++j) spreadIdx[j] = static_cast<int32_t>(3 * (j / 4) + std::min<size_t>(j % 4, 2));
    const uint32_t* w = reinterpret_cast<const uint32_t*>(p);
    const VU words = fullLoadFits ? hn::LoadU(kDu, w) : hn::MaskedLoad(hn::FirstN(kDu, 12), kDu, w);
    return hn::BitCast(kD8, hn::TableLookupLanes(words, hn::SetTableIndices(kDu, spreadIdx)));
#else
    // Two block loads, joined by a dword blend.
    (void)fullLoadFits;
    return hn::ConcatUpperLower(kD8, hn::LoadDup128(kD8, p + 8), hn::LoadDup128(kD8, p));
#endif
}

// Stores the first 12 bytes of every block, one after the other.
HWY_INLINE void storeTriples(V8 v, uint8_t* p) {
    // Words 0..2 of each block packed to the front (the lanes after them
    // take any word).
    alignas(64) int32_t packIdx[hn::MaxLanes(kDu)] = {};
    const int n = static_cast<int>(hn::Lanes(kDu));
    for (int j = 0; j < n; ++j) packIdx[j] = std::min(4 * (j / 3) + j % 3, n - 1);
    const VU words = hn::TableLookupLanes(hn::BitCast(kDu, v), hn::SetTableIndices(kDu, packIdx));
    uint32_t* w = reinterpret_cast<uint32_t*>(p);
#if HWY_TARGET == HWY_AVX3
    hn::BlendedStore(words, hn::FirstN(kDu, 12), kDu, w);
#else
    const hn::Full128<uint32_t> d4;
    const hn::Full64<uint32_t> d2;
    hn::StoreU(hn::LowerHalf(d4, words), d4, w);
    hn::StoreU(hn::LowerHalf(d2, hn::UpperHalf(d4, words)), d2, w + 4);
#endif
}

// Stores the first three bytes of every four; the fourth bytes of v are
// zero. Built once per row.
struct ColourStore {
#if HWY_TARGET == HWY_AVX3
    hn::Mask<decltype(kD8)> keep = hn::Ne(hn::And(hn::Iota(kD8, 0), hn::Set(kD8, 3)), hn::Set(kD8, 3));
    HWY_INLINE void operator()(V8 v, uint8_t* p) const { hn::BlendedStore(v, keep, kD8, p); }
#else
    // No byte-masked store: the destination's fourth bytes are read and
    // written back.
    V8 fourth = hn::BitCast(kD8, hn::Set(kDu, 0xFF000000u));
    HWY_INLINE void operator()(V8 v, uint8_t* p) const { hn::StoreU(hn::Or(v, hn::And(hn::LoadU(kD8, p), fourth)), kD8, p); }
#endif
};

// Sums bounded for 8-bit pixels (boundedFor8Bit) are rounded and clamped by
// saturating packs; others take min then max in float first.
//
// Scaled (8u AC4, bounded, weights that scale exactly): channel c is not
// moved down but read where it stands in its pixel's lane, as 256^c times
// its value, and its weights are divided by 256^c. Both factors are exact,
// so every product is the same real number as the scalar one, rounded
// once: the same float. It saves the three shuffles of the channels.
template <class T, Pack P, bool Bounded, bool Scaled = false>
HWY_INLINE int twistBytesRun(const T* src, T* dst, int width, const TwistColumns& m) {
    constexpr bool kSigned = std::is_same_v<T, Qrx8s>;
    static_assert(!Scaled || (Bounded && !kSigned && P == Pack::AC4), "scaled channels: 8u AC4, bounded sums");
    const int n = static_cast<int>(hn::Lanes(kDu));
    Weights w[3];
    for (int k = 0; k < 3; ++k)
        for (int j = 0; j < 4; ++j)
            w[k].t[j] = hn::Set(kDf, Scaled && (j == 1 || j == 2) ? m.col[j][k] / (j == 1 ? 256.0f : 65536.0f)
                                                                  : m.col[j][k]);
    // Channel c of each pixel to byte 0 (8u) or 3 (8s) of its lane.
    V8 pick[3];
    for (int c = 0; c < 3; ++c)
        pick[c] = shufflePattern([c](int b, int i) {
            return i % 4 == (kSigned ? 3 : 0) ? pixelByte<P>(b, i / 4, true) + c : 0x80;
        });
    // The results to the pixels' bytes: from the packed a0..a3 b0..b3 c0..c3
    // of each block when bounded, else from one pixel per lane (r g b 0).
    const V8 place = shufflePattern([](int b, int i) {
        for (int j = 0; j < 4; ++j)
            for (int c = 0; c < 3; ++c)
                if (i == pixelByte<P>(b, j, false) + c) return Bounded ? 4 * c + j : 4 * j + c;
        return 0x80;
    });
    const VF lo = hn::Set(kDf, kSigned ? -128.0f : 0.0f), hi = hn::Set(kDf, kSigned ? 127.0f : 255.0f);
    const auto byteMask = hn::Set(kDi, 0xFF);
    const ColourStore storeColour;
    const uint8_t* s = reinterpret_cast<const uint8_t*>(src);
    uint8_t* d = reinterpret_cast<uint8_t*>(dst);
    // The products of the pixels at x (load, channels to lanes, convert,
    // multiply).
    VF p[3][3];
    auto products = [&](int x) {
        V8 px;
        if constexpr (P == Pack::C3) {
            // A full AVX-512 load is 4n bytes: n / 3 pixels more than the step.
            px = loadTriples(s + 3 * x, 3 * x + 4 * n <= 3 * width);
        } else {
            px = hn::LoadU(kD8, s + 4 * x);
        }
        for (int ch = 0; ch < 3; ++ch) {
            VF c;
            if constexpr (Scaled) {
                c = hn::ConvertTo(kDf, hn::And(hn::BitCast(kDi, px), hn::Set(kDi, 0xFF << (8 * ch))));
            } else {
                const auto lane = hn::BitCast(kDi, simd::LookupBytesOr0(px, pick[ch]));
                c = hn::ConvertTo(kDf, kSigned ? hn::ShiftRight<24>(lane) : lane);
            }
            for (size_t k = 0; k < std::size(p); ++k) p[k][ch] = hn::Mul(c, w[k].t[ch]);
        }
    };
    // The loop is software-pipelined: the next step's products are issued
    // before this step's sums are rounded, packed and stored, which keeps
    // the long chain from load to store from filling the processor's
    // queues. The next step's pixels are all read before this step's are
    // written, and they do not overlap, so in-place rows stay safe.
    int x = 0;
    if (n <= width) products(0);
    for (; x + n <= width; x += n) {
        hn::Vec<decltype(kDi)> o[3];
        for (size_t k = 0; k < std::size(o); ++k) {
            const VF sk = sumOf<T>(w[k], p[k][0], p[k][1], p[k][2]);
            if constexpr (Bounded) {
                // Sums within the int32 range: rounding then saturating
                // packs clamp as min-then-max would.
                o[k] = simd::RoundToInt32(sk);
            } else {
                // min then max, as the scalar code: a NaN sum takes the top.
                // Within the type's range the rounding cannot overflow.
                o[k] = simd::RoundToInt32(hn::Max(hn::Min(sk, hi), lo));
                if constexpr (kSigned) o[k] = hn::And(o[k], byteMask);
            }
        }
        if (x + 2 * n <= width) products(x + n);
        V8 packed;
        if constexpr (Bounded) {
            // Unsigned bytes go through signed 16 bits, so that a sum above
            // 32767 saturates to 255 (an unsigned 16-bit step would make it 0).
            packed = kSigned ? simd::PackBlocksI8(o[0], o[1], o[2], o[2])
                             : simd::DemoteInBlocksU8(simd::DemoteInBlocksI16(o[0], o[1]),
                                                      simd::DemoteInBlocksI16(o[2], o[2]));
        } else {
            packed = hn::BitCast(kD8, hn::Or3(o[0], hn::ShiftLeft<8>(o[1]), hn::ShiftLeft<16>(o[2])));
        }
        const V8 bytes = simd::LookupBytesOr0(packed, place);
        if constexpr (P == Pack::C3) {
            storeTriples(bytes, d + 3 * x);
        } else {
            storeColour(bytes, d + 4 * x);
        }
    }
    return x;
}

template <class T, Pack P>
int twistBytesKernel(const T* src, T* dst, int width, const TwistColumns& m) {
    if (!boundedFor8Bit(m)) return twistBytesRun<T, P, false>(src, dst, width, m);
    if constexpr (std::is_same_v<T, Qrx8u> && P == Pack::AC4)
        if (scalesExactly(m)) return twistBytesRun<T, P, true, true>(src, dst, width, m);
    return twistBytesRun<T, P, true>(src, dst, width, m);
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
