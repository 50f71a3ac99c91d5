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

#include "frame/image.h"
#include "colormodels/row_ptrs.h"
#include "frame/simd.h"
#include "qrxcc.h"

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
    static I truncMulD(F v, double c) { return static_cast<int32_t>(static_cast<double>(v) * c); }
    static F select(M m, F a, F b) { return m ? a : b; }
    static I selectI(M m, I a, I b) { return m ? a : b; }
    static F max(F a, F b) { return a > b ? a : b; }
    static F min(F a, F b) { return a < b ? a : b; }
    static M both(M a, M b) { return a && b; }
    static M either(M a, M b) { return a || b; }
    static M equalI(I a, I b) { return a == b; }
    template <int N>
    static I shr(I v) {
        return v >> N;
    }
    template <int N>
    static I shl(I v) {
        return v << N;
    }

    // Samples of a row: element x of p (and its neighbours for interleaved pixels).
    template <class T>
    static auto load(const T* p) {
        if constexpr (std::is_same_v<T, Qrx32f>) return F(*p);
        else return I(*p);
    }
    template <class T, class X>
    static void load3(const T* p, X& a, X& b, X& c) {
        a = load(p), b = load(p + 1), c = load(p + 2);
    }
    template <class T, class X>
    static void load4(const T* p, X& a, X& b, X& c, X& d) {
        a = load(p), b = load(p + 1), c = load(p + 2), d = load(p + 3);
    }
    static void store(Qrx32f* p, F v) { *p = v; }
    static void store(Qrx8u* p, I v) { *p = sat8u(v); }
    static void store(Qrx16u* p, I v) { *p = sat16u(v); }
    static void store(Qrx16s* p, I v) { *p = sat16s(v); }
    template <class T, class X>
    static void store3(T* p, X a, X b, X c) {
        store(p, a), store(p + 1, b), store(p + 2, c);
    }
    template <class T, class X>
    static void store4(T* p, X a, X b, X c, X d) {
        store(p, a), store(p + 1, b), store(p + 2, c), store(p + 3, d);
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
    // A vector of samples of type T, one per float lane.
    template <class T>
    using DT = hn::Rebind<T, DF>;

    static F f(float v) { return hn::Set(DF(), v); }
    static I i(int32_t v) { return hn::Set(DI(), v); }
    static F toF(I v) { return hn::ConvertTo(DF(), v); }
    static I truncI(F v) { return simd::TruncToInt32(v); }
    static I roundI(F v) { return simd::RoundToInt32(v); }
    static I truncMulD(F v, double c) {
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
    static M both(M a, M b) { return hn::And(a, b); }
    static M either(M a, M b) { return hn::Or(a, b); }
    static M equalI(I a, I b) { return hn::RebindMask(DF(), a == b); }
    template <int N>
    static I shr(I v) {
        return hn::ShiftRight<N>(v);
    }
    template <int N>
    static I shl(I v) {
        return hn::ShiftLeft<N>(v);
    }

    template <class T>
    static auto widen(hn::Vec<DT<T>> v) {
        if constexpr (std::is_same_v<T, Qrx32f>) return v;
        else return hn::PromoteTo(DI(), v);
    }
    template <class T>
    static auto narrow(hn::Vec<DF> v) {
        return v;
    }
    template <class T>
    static auto narrow(I v) {
        return hn::DemoteTo(DT<T>(), v);  // saturating
    }

    template <class T>
    static auto load(const T* p) {
        return widen<T>(hn::LoadU(DT<T>(), p));
    }
    template <class T, class X>
    static void load3(const T* p, X& a, X& b, X& c) {
        hn::Vec<DT<T>> va, vb, vc;
        hn::LoadInterleaved3(DT<T>(), p, va, vb, vc);
        a = widen<T>(va), b = widen<T>(vb), c = widen<T>(vc);
    }
    template <class T, class X>
    static void load4(const T* p, X& a, X& b, X& c, X& d) {
        hn::Vec<DT<T>> va, vb, vc, vd;
        hn::LoadInterleaved4(DT<T>(), p, va, vb, vc, vd);
        a = widen<T>(va), b = widen<T>(vb), c = widen<T>(vc), d = widen<T>(vd);
    }
    template <class T, class X>
    static void store(T* p, X v) {
        hn::StoreU(narrow<T>(v), DT<T>(), p);
    }
    template <class T, class X>
    static void store3(T* p, X a, X b, X c) {
        hn::StoreInterleaved3(narrow<T>(a), narrow<T>(b), narrow<T>(c), DT<T>(), p);
    }
    template <class T, class X>
    static void store4(T* p, X a, X b, X c, X d) {
        hn::StoreInterleaved4(narrow<T>(a), narrow<T>(b), narrow<T>(c), narrow<T>(d), DT<T>(), p);
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
template <class T, Form F, bool Reverse = false>
struct Layout {
    static constexpr int kChannels = F == Form::C3 ? 3 : 4;
    static constexpr bool kPlanar = F == Form::P3 || F == Form::AP4;
    static constexpr bool kAlpha = F == Form::C4 || F == Form::AP4;
    static constexpr int slot(int c) { return Reverse ? 2 - c : c; }

    template <class L>
    static Px<Raw<L, T>> load(const RowPtrs<const T>& s, int x) {
        Px<Raw<L, T>> v{};
        if constexpr (kPlanar) {
            for (int c = 0; c < 3; ++c) v.c[slot(c)] = L::load(s.p[c] + x);
            if constexpr (kAlpha) v.a = L::load(s.p[3] + x);
        } else if constexpr (F == Form::C3) {
            L::load3(s.p[0] + 3 * x, v.c[slot(0)], v.c[slot(1)], v.c[slot(2)]);
        } else if constexpr (L::kVector) {
            L::load4(s.p[0] + 4 * x, v.c[slot(0)], v.c[slot(1)], v.c[slot(2)], v.a);
        } else {
            L::load3(s.p[0] + 4 * x, v.c[slot(0)], v.c[slot(1)], v.c[slot(2)]);
            if constexpr (kAlpha) v.a = L::load(s.p[0] + 4 * x + 3);
        }
        return v;
    }

    template <class L>
    static void store(const RowPtrs<T>& d, int x, const Px<Raw<L, T>>& v) {
        if constexpr (kPlanar) {
            for (int c = 0; c < 3; ++c) L::store(d.p[c] + x, v.c[slot(c)]);
            if constexpr (kAlpha) L::store(d.p[3] + x, v.a);
        } else if constexpr (F == Form::C3) {
            L::store3(d.p[0] + 3 * x, v.c[slot(0)], v.c[slot(1)], v.c[slot(2)]);
        } else if constexpr (kAlpha) {
            L::store4(d.p[0] + 4 * x, v.c[slot(0)], v.c[slot(1)], v.c[slot(2)], v.a);
        } else if constexpr (L::kVector) {
            // No masked interleaved store: the fourth samples are read and
            // stored back unchanged with the converted ones.
            Raw<L, T> c0, c1, c2, keep;
            L::load4(d.p[0] + 4 * x, c0, c1, c2, keep);
            L::store4(d.p[0] + 4 * x, v.c[slot(0)], v.c[slot(1)], v.c[slot(2)], keep);
        } else {
            L::store3(d.p[0] + 4 * x, v.c[slot(0)], v.c[slot(1)], v.c[slot(2)]);
        }
    }
};

// ---- a row ----------------------------------------------------------------------------

// Converts `width` pixels with Op, whose apply<L, Group>() maps a pixel of
// In to a pixel of Out. Op::kGroup > 1 names a formula that differs in the
// leading width rounded down to a multiple of kGroup pixels (Group true)
// from the rest of the row (Group false); with kGroup 1 every pixel takes
// the same formula. Vector steps never pass the end of their part of the row.
template <class T, class In, class Out, class Op>
void convertRow(RowPtrs<const T> s, RowPtrs<T> d, int width) {
    constexpr bool kSplit = Op::kGroup > 1;
    const int lead = kSplit ? width - width % Op::kGroup : width;
    int x = 0;
#if QRX_SIMD
    for (; x + VecLanes::kLanes <= lead; x += VecLanes::kLanes)
        Out::template store<VecLanes>(
            d, x, Op::template apply<VecLanes, kSplit>(In::template load<VecLanes>(s, x)));
#endif
    for (; x < lead; ++x)
        Out::template store<ScalarLanes>(
            d, x, Op::template apply<ScalarLanes, kSplit>(In::template load<ScalarLanes>(s, x)));
    for (; x < width; ++x)
        Out::template store<ScalarLanes>(
            d, x, Op::template apply<ScalarLanes, false>(In::template load<ScalarLanes>(s, x)));
}

}  // namespace QRX_ISA
}  // namespace qrx::lanes
