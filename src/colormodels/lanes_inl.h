// Per-pixel formulas written once for one pixel and for a vector of pixels.
//
// A colour-model formula is a template over a lane set L: with ScalarLanes
// every value is one float or int32, with VecLanes (AVX2 and AVX-512 units
// only) it is a Highway vector of float or int32 lanes, one pixel per lane.
// The formula spells out every operation in its order (no fused or
// reordered float arithmetic anywhere), so both sets give the same bits:
//  - select(m, a, b) takes a where m holds; both sides are computed;
//  - max(a, b) is a > b ? a : b and min(a, b) is a < b ? a : b, the x86
//    rule, so a NaN operand yields b on every target;
//  - truncI converts toward zero, roundI to nearest with ties to even;
//    callers pass only values inside the int32 range.
// Samples enter as int32 (8u, 16u, 16s) or float (32f) lanes and leave with
// saturation to their type: Raw<L, T> is the lane type of samples of type T.
//
// Included by the rows_inl.h of the colour-model families, so it is
// compiled once per target (see frame/isa.h).
#pragma once

#include <emmintrin.h>

#include <cstdint>
#include <type_traits>

#include "colormodels/row_ptrs.h"
#include "frame/image.h"
#include "frame/simd.h"
#include "qrxcc.h"

// Formulas, layouts and lane operations are always inlined into the row
// loop, where their constants stay in registers.
#define QRX_LANES_INLINE inline __attribute__((always_inline))

namespace qrx::lanes {
inline namespace QRX_ISA {

// ---- one pixel ----------------------------------------------------------------

struct ScalarLanes {
    static constexpr bool kVector = false;
    static constexpr int kLanes = 1;
    using F = float;
    using I = int32_t;
    using M = bool;

    static F f(float v) { return v; }
    static I i(int32_t v) { return v; }
    static F toF(I v) { return static_cast<float>(v); }
    static I truncI(F v) { return static_cast<int32_t>(v); }
    static I roundI(F v) { return _mm_cvtss_si32(_mm_set_ss(v)); }
    // Truncation of v times c taken in double precision.
    static I truncMulD(F v, double c) {
        return static_cast<int32_t>(static_cast<double>(v) * c);
    }
    static F select(M m, F a, F b) { return m ? a : b; }
    static I selectI(M m, I a, I b) { return m ? a : b; }
    static F max(F a, F b) { return a > b ? a : b; }
    static F min(F a, F b) { return a < b ? a : b; }
    static M either(M a, M b) { return a || b; }
    static M equalI(I a, I b) { return a == b; }
    template <int N>
    QRX_LANES_INLINE static I shr(I v) {
        return v >> N;
    }
    template <int N>
    QRX_LANES_INLINE static I shl(I v) {
        return v << N;
    }

    // Samples of a row: pixel x of p (one sample per plane, or interleaved).
    template <class T>
    static constexpr int batch = 1;
    template <class T>
    QRX_LANES_INLINE static auto load1(const T* p) {
        if constexpr (std::is_same_v<T, Qrx32f>) return F(*p);
        else return I(*p);
    }
    template <class T, int K, class X>
    QRX_LANES_INLINE static void load(const T* p, X* a) {
        a[0] = load1(p);
    }
    template <class T, int K, class X>
    QRX_LANES_INLINE static void load3(const T* p, X* a, X* b, X* c) {
        a[0] = load1(p), b[0] = load1(p + 1), c[0] = load1(p + 2);
    }
    template <class T, int K, class X>
    QRX_LANES_INLINE static void load4(const T* p, X* a, X* b, X* c, X* d) {
        load3<T, K>(p, a, b, c);
        d[0] = load1(p + 3);
    }
    QRX_LANES_INLINE static void store1(Qrx32f* p, F v) { *p = v; }
    QRX_LANES_INLINE static void store1(Qrx8u* p, I v) { *p = sat8u(v); }
    QRX_LANES_INLINE static void store1(Qrx16u* p, I v) { *p = sat16u(v); }
    QRX_LANES_INLINE static void store1(Qrx16s* p, I v) { *p = sat16s(v); }
    template <class T, int K, class X>
    QRX_LANES_INLINE static void store(T* p, const X* a) {
        store1(p, a[0]);
    }
    template <class T, int K, class X>
    QRX_LANES_INLINE static void store3(T* p, const X* a, const X* b, const X* c) {
        store1(p, a[0]), store1(p + 1, b[0]), store1(p + 2, c[0]);
    }
    template <class T, int K, class X>
    QRX_LANES_INLINE static void store4(T* p, const X* a, const X* b, const X* c, const X* d) {
        store3<T, K>(p, a, b, c);
        store1(p + 3, d[0]);
    }
};

// ---- a vector of pixels -----------------------------------------------------------

#if QRX_SIMD

namespace hn = hwy::HWY_NAMESPACE;
namespace simd = qrx::simd;

struct VecLanes {
    static constexpr bool kVector = true;
    using DF = hn::ScalableTag<float>;
    using DI = hn::RebindToSigned<DF>;
    static constexpr int kLanes = HWY_LANES(float);
    using F = hn::Vec<DF>;
    using I = hn::Vec<DI>;
    using M = hn::Mask<DF>;
    static F f(float v) { return hn::Set(DF(), v); }
    static I i(int32_t v) { return hn::Set(DI(), v); }
    static F toF(I v) { return hn::ConvertTo(DF(), v); }
    static I truncI(F v) { return simd::TruncToInt32(v); }
    static I roundI(F v) { return simd::RoundToInt32(v); }
    QRX_LANES_INLINE static I truncMulD(F v, double c) {
        const hn::Repartition<double, DF> dd;
        const hn::Half<DF> dh;
        const auto k = hn::Set(dd, c);
        const auto lo = simd::TruncToInt32(hn::PromoteTo(dd, hn::LowerHalf(dh, v)) * k);
        const auto hi = simd::TruncToInt32(hn::PromoteTo(dd, hn::UpperHalf(dh, v)) * k);
        return hn::Combine(DI(), hi, lo);
    }
    static F select(M m, F a, F b) { return hn::IfThenElse(m, a, b); }
    static I selectI(M m, I a, I b) { return hn::IfThenElse(hn::RebindMask(DI(), m), a, b); }
    static F max(F a, F b) { return hn::Max(a, b); }
    static F min(F a, F b) { return hn::Min(a, b); }
    static M either(M a, M b) { return hn::Or(a, b); }
    static M equalI(I a, I b) { return hn::RebindMask(DF(), a == b); }
    template <int N>
    QRX_LANES_INLINE static I shr(I v) {
        return hn::ShiftRight<N>(v);
    }
    template <int N>
    QRX_LANES_INLINE static I shl(I v) {
        return hn::ShiftLeft<N>(v);
    }

    // K float vectors of pixels: a vector of K x kLanes samples of type T.
    template <class T, int K>
    using DK = hn::Simd<T, K * HWY_LANES(float), 0>;
    // How many float vectors one whole vector of T feeds.
    template <class T>
    static constexpr int batch = static_cast<int>(sizeof(float) / sizeof(T));

    template <class T, int K, class X>
    QRX_LANES_INLINE static void split(hn::Vec<DK<T, K>> v, X* out) {
        if constexpr (std::is_same_v<T, Qrx32f>) {
            static_assert(K == 1);
            out[0] = v;
        } else if constexpr (K == 1) {
            out[0] = hn::PromoteTo(DI(), v);
        } else {
            const DK<T, K / 2> dh;
            split<T, K / 2>(hn::LowerHalf(dh, v), out);
            split<T, K / 2>(hn::UpperHalf(dh, v), out + K / 2);
        }
    }
    template <class T, int K, class X>
    QRX_LANES_INLINE static hn::Vec<DK<T, K>> join(const X* in) {
        if constexpr (std::is_same_v<T, Qrx32f>) return in[0];
        else if constexpr (K == 1) return hn::DemoteTo(DK<T, 1>(), in[0]);  // saturating
        else return hn::Combine(DK<T, K>(), join<T, K / 2>(in + K / 2), join<T, K / 2>(in));
    }

    template <class T, int K, class X>
    QRX_LANES_INLINE static void load(const T* p, X* a) {
        split<T, K>(hn::LoadU(DK<T, K>(), p), a);
    }
    template <class T, int K, class X>
    QRX_LANES_INLINE static void load3(const T* p, X* a, X* b, X* c) {
        hn::Vec<DK<T, K>> va, vb, vc;
        hn::LoadInterleaved3(DK<T, K>(), p, va, vb, vc);
        split<T, K>(va, a), split<T, K>(vb, b), split<T, K>(vc, c);
    }
    template <class T, int K, class X>
    QRX_LANES_INLINE static void load4(const T* p, X* a, X* b, X* c, X* d) {
        hn::Vec<DK<T, K>> va, vb, vc, vd;
        hn::LoadInterleaved4(DK<T, K>(), p, va, vb, vc, vd);
        split<T, K>(va, a), split<T, K>(vb, b), split<T, K>(vc, c), split<T, K>(vd, d);
    }
    template <class T, int K, class X>
    QRX_LANES_INLINE static void store(T* p, const X* a) {
        hn::StoreU(join<T, K>(a), DK<T, K>(), p);
    }
    template <class T, int K, class X>
    QRX_LANES_INLINE static void store3(T* p, const X* a, const X* b, const X* c) {
        hn::StoreInterleaved3(join<T, K>(a), join<T, K>(b), join<T, K>(c), DK<T, K>(), p);
    }
    template <class T, int K, class X>
    QRX_LANES_INLINE static void store4(T* p, const X* a, const X* b, const X* c, const X* d) {
        hn::StoreInterleaved4(join<T, K>(a), join<T, K>(b), join<T, K>(c), join<T, K>(d), DK<T, K>(), p);
    }
};

#endif  // QRX_SIMD

// The lane type of samples of type T.
template <class L, class T>
using Raw = std::conditional_t<std::is_same_v<T, Qrx32f>, typename L::F, typename L::I>;

// Three colour samples of a pixel and, where both sides have one, its alpha.
template <class X>
struct Px {
    X c[3];
    X a;
};

// ---- where the samples of pixel x sit ----------------------------------------------

enum class Form {
    C3,      // three interleaved channels
    AC4,     // four interleaved channels; the fourth is neither read nor written
    C4,      // four interleaved channels; the fourth carries alpha through
    P3,      // three planes
    AP4,     // four planes; the fourth carries alpha through
};

// Colour channels in the order of the formula (R, G, B on the RGB side, the
// model's own order on the other), or reversed (BGR) when Reverse is set.
// load and store move K lane sets of pixels from pixel x on.
template <class T, Form F, bool Reverse = false>
struct Layout {
    static constexpr bool kPlanar = F == Form::P3 || F == Form::AP4;
    static constexpr bool kAlpha = F == Form::C4 || F == Form::AP4;
    static constexpr int slot(int c) { return Reverse ? 2 - c : c; }

    template <class L, int K>
    QRX_LANES_INLINE static void load(const RowPtrs<const T>& s, int x, Px<Raw<L, T>>* v) {
        using X = Raw<L, T>;
        X c[3][K], a[K];
        if constexpr (kPlanar) {
            for (int i = 0; i < 3; ++i) L::template load<T, K>(s.p[i] + x, c[slot(i)]);
            if constexpr (kAlpha) L::template load<T, K>(s.p[3] + x, a);
        } else if constexpr (F == Form::C3) {
            L::template load3<T, K>(s.p[0] + 3 * x, c[slot(0)], c[slot(1)], c[slot(2)]);
        } else if constexpr (kAlpha || L::kVector) {
            L::template load4<T, K>(s.p[0] + 4 * x, c[slot(0)], c[slot(1)], c[slot(2)], a);
        } else {
            L::template load3<T, K>(s.p[0] + 4 * x, c[slot(0)], c[slot(1)], c[slot(2)]);
        }
        for (int k = 0; k < K; ++k) v[k] = {{c[0][k], c[1][k], c[2][k]}, kAlpha ? a[k] : X{}};
    }

    template <class L, int K>
    QRX_LANES_INLINE static void store(const RowPtrs<T>& d, int x, const Px<Raw<L, T>>* v) {
        using X = Raw<L, T>;
        X c[3][K], a[K];
        for (int k = 0; k < K; ++k) {
            for (int i = 0; i < 3; ++i) c[slot(i)][k] = v[k].c[i];
            a[k] = v[k].a;
        }
        if constexpr (kPlanar) {
            for (int i = 0; i < 3; ++i) L::template store<T, K>(d.p[i] + x, c[i]);
            if constexpr (kAlpha) L::template store<T, K>(d.p[3] + x, a);
        } else if constexpr (F == Form::C3) {
            L::template store3<T, K>(d.p[0] + 3 * x, c[0], c[1], c[2]);
        } else if constexpr (kAlpha) {
            L::template store4<T, K>(d.p[0] + 4 * x, c[0], c[1], c[2], a);
        } else if constexpr (L::kVector) {
            // No masked interleaved store: the fourth samples are read and
            // stored back unchanged with the converted ones.
            X old[3][K], keep[K];
            L::template load4<T, K>(d.p[0] + 4 * x, old[0], old[1], old[2], keep);
            L::template store4<T, K>(d.p[0] + 4 * x, c[0], c[1], c[2], keep);
        } else {
            L::template store3<T, K>(d.p[0] + 4 * x, c[0], c[1], c[2]);
        }
    }
};

// ---- a row ----------------------------------------------------------------------------

// K lane sets of pixels from x on, converted by Op (Group: the formula of
// the leading groups).
template <class L, int K, class T, class In, class Out, class Op, bool Group>
QRX_LANES_INLINE void convertPixels(const RowPtrs<const T>& s, const RowPtrs<T>& d, int x) {
    Px<Raw<L, T>> v[K];
    In::template load<L, K>(s, x, v);
    for (int k = 0; k < K; ++k) v[k] = Op::template apply<L, Group>(v[k]);
    Out::template store<L, K>(d, x, v);
}

// Converts `width` pixels with Op, whose apply<L, Group>() maps a pixel of
// In to a pixel of Out. Op::kGroup > 1 names a formula that differs in the
// leading width rounded down to a multiple of kGroup pixels (Group true)
// from the rest of the row (Group false); with kGroup 1 every pixel takes
// the same formula. Vector steps (a whole vector of samples, then single
// float vectors of pixels) never pass the end of their part of the row.
template <class T, class In, class Out, class Op>
void convertRow(RowPtrs<const T> s, RowPtrs<T> d, int width) {
    constexpr bool kSplit = Op::kGroup > 1;
    const int lead = kSplit ? width - width % Op::kGroup : width;
    int x = 0;
#if QRX_SIMD
    using V = VecLanes;
    constexpr int kWide = V::batch<T>;
    for (; x + kWide * V::kLanes <= lead; x += kWide * V::kLanes)
        convertPixels<V, kWide, T, In, Out, Op, kSplit>(s, d, x);
    for (; x + V::kLanes <= lead; x += V::kLanes) convertPixels<V, 1, T, In, Out, Op, kSplit>(s, d, x);
#endif
    for (; x < lead; ++x) convertPixels<ScalarLanes, 1, T, In, Out, Op, kSplit>(s, d, x);
    for (; x < width; ++x) convertPixels<ScalarLanes, 1, T, In, Out, Op, false>(s, d, x);
}

}  // namespace QRX_ISA
}  // namespace qrx::lanes
