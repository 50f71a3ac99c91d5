// Vector kernels of the colour twist for the AVX2 and AVX-512 builds of
// rows_inl.h; other builds get kernels that do nothing and run the scalar
// rows alone.
//
// A kernel transforms the leading whole vectors of a row (one full vector
// of the sample type per channel: 32 or 64 pixels of 8-bit samples, 16 or
// 32 of 16-bit ones, 8 or 16 of floats) and returns how many pixels it did.
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

template <class T, Pack P>
int twistLeadKernel(const T* const* src, T* const* dst, int width, const TwistColumns& m) {
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
                hn::BlendedStore(hn::Load(dt, buf + i * n), colourLanes<T>(), dt,
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
