// Per-pixel arithmetic written once for one pixel and for a vector of pixels.
//
// The float colour models (XYZ, LUV, Lab) state their results as sequences
// of single-precision operations. A pixel formula is a template over a lane
// set L: ScalarLanes computes one pixel with plain floats and ints (the
// reference, and every row's tail), VecLanes a whole vector of pixels with
// Highway. Both perform the same IEEE operations in the same order, so every
// target gives the reference's bytes. Formulas use the ordinary operators
// (+ - * / < > ==, which Highway overloads too) and the helpers below for
// constants, selection, conversion and table look-ups.
//
// Conversions to integers go through truncClamp/roundClamp, which clamp in
// float before converting: NaN takes the lower bound, infinities the nearest
// bound, and no conversion ever sees a value outside the int32 range.
#pragma once

#include <cmath>
#include <cstdint>
#include <type_traits>

#include "frame/image.h"
#include "frame/simd.h"
#include "qrxcc.h"

namespace qrx {
inline namespace QRX_ISA {

struct ScalarLanes {
    using F = float;
    using I = int32_t;
    using MF = bool;  // a float comparison's result

    static F k(float v) { return v; }
    static I ki(int32_t v) { return v; }
    static F sel(MF m, F a, F b) { return m ? a : b; }
    static I selI(MF m, I a, I b) { return m ? a : b; }
    static MF both(MF a, MF b) { return a && b; }
    // Max(a, b) and Min(a, b) with the x86 rule: a NaN in either gives b.
    static F max(F a, F b) { return a > b ? a : b; }
    static F min(F a, F b) { return a < b ? a : b; }
    static F abs(F a) { return std::fabs(a); }
    static F toF(I v) { return static_cast<F>(v); }
    static I trunc(F v) { return static_cast<I>(v); }
    // Round to nearest, ties to even (the default rounding mode).
    static I nearest(F v) { return static_cast<I>(std::nearbyint(v)); }
    template <int S>
    static I shr(I v) { return v >> S; }
    static F gather(const float* t, I i) { return t[i]; }
    static I gatherI(const int32_t* t, I i) { return t[i]; }
    // trunc(clamp(double(a) + 0.5 + c double(z), lo, hi)) in double precision.
    static I truncHalfPlusD(F a, double c, F z, double lo, double hi) {
        double s = (static_cast<double>(a) + 0.5) + c * static_cast<double>(z);
        s = s > lo ? s : lo;
        s = s < hi ? s : hi;
        return static_cast<I>(s);
    }
};

// A value clamped to [lo, hi] and truncated toward zero.
template <class L>
typename L::I truncClamp(typename L::F v, float lo, float hi) {
    return L::trunc(L::min(L::max(v, L::k(lo)), L::k(hi)));
}

// A value clamped to [lo, hi] and rounded to nearest, ties to even.
template <class L>
typename L::I roundClamp(typename L::F v, float lo, float hi) {
    return L::nearest(L::min(L::max(v, L::k(lo)), L::k(hi)));
}

// A value clamped to [lo, hi], staying float.
template <class L>
typename L::F clampF(typename L::F v, float lo, float hi) {
    return L::min(L::max(v, L::k(lo)), L::k(hi));
}

// The lane type a sample of type T travels in: integers as I, floats as F.
template <class L, class T>
using LaneOf = std::conditional_t<std::is_same_v<T, Qrx32f>, typename L::F, typename L::I>;

// Scalar pixel access: channels 0..2 of pixel p.
template <class T>
void loadPixel(const T* p, LaneOf<ScalarLanes, T> v[3]) {
    for (int c = 0; c < 3; ++c) v[c] = p[c];
}

template <class T>
T storeSample(LaneOf<ScalarLanes, T> v) {
    if constexpr (std::is_same_v<T, Qrx8u>) return sat8u(v);
    else if constexpr (std::is_same_v<T, Qrx16u>) return sat16u(v);
    else if constexpr (std::is_same_v<T, Qrx16s>) return sat16s(v);
    else return v;
}

template <class T>
void storePixel(T* p, const LaneOf<ScalarLanes, T> v[3]) {
    for (int c = 0; c < 3; ++c) p[c] = storeSample<T>(v[c]);
}

#if QRX_SIMD

namespace hn = simd::hn;

template <class DF>
struct VecLanes {
    using DI = hn::RebindToSigned<DF>;
    using F = hn::Vec<DF>;
    using I = hn::Vec<DI>;
    using MF = hn::Mask<DF>;

    static F k(float v) { return hn::Set(DF(), v); }
    static I ki(int32_t v) { return hn::Set(DI(), v); }
    static F sel(MF m, F a, F b) { return hn::IfThenElse(m, a, b); }
    static I selI(MF m, I a, I b) { return hn::IfThenElse(hn::RebindMask(DI(), m), a, b); }
    static MF both(MF a, MF b) { return hn::And(a, b); }
    static F max(F a, F b) { return hn::Max(a, b); }
    static F min(F a, F b) { return hn::Min(a, b); }
    static F abs(F a) { return hn::Abs(a); }
    static F toF(I v) { return hn::ConvertTo(DF(), v); }
    static I trunc(F v) { return hn::ConvertTo(DI(), v); }
    static I nearest(F v) { return hn::NearestInt(v); }
    template <int S>
    static I shr(I v) { return hn::ShiftRight<S>(v); }
    static F gather(const float* t, I i) { return hn::GatherIndex(DF(), t, i); }
    static I gatherI(const int32_t* t, I i) { return hn::GatherIndex(DI(), t, i); }
    static I truncHalfPlusD(F a, double c, F z, double lo, double hi) {
        const hn::Half<DF> dh;
        const hn::Rebind<double, decltype(dh)> dd;
        const hn::Rebind<int32_t, decltype(dd)> di;
        auto half = [&](hn::Vec<decltype(dh)> ah, hn::Vec<decltype(dh)> zh) {
            auto s = hn::Add(hn::Add(hn::PromoteTo(dd, ah), hn::Set(dd, 0.5)),
                             hn::Mul(hn::Set(dd, c), hn::PromoteTo(dd, zh)));
            s = hn::Min(hn::Max(s, hn::Set(dd, lo)), hn::Set(dd, hi));
            return hn::DemoteTo(di, s);
        };
        return hn::Combine(DI(), half(hn::UpperHalf(dh, a), hn::UpperHalf(dh, z)),
                           half(hn::LowerHalf(dh, a), hn::LowerHalf(dh, z)));
    }
};

using VF = hn::ScalableTag<float>;
using VL = VecLanes<VF>;

// Vector pixel access: channels 0..2 of Lanes(VF) pixels starting at p. The
// fourth channel of a four-channel destination is loaded and stored back
// unchanged.
template <class T>
using VecSampleTag = hn::Rebind<T, VF>;

template <class T>
LaneOf<VL, T> widen(hn::Vec<VecSampleTag<T>> v) {
    if constexpr (std::is_same_v<T, Qrx32f>) return v;
    else return hn::PromoteTo(VL::DI(), v);
}

template <class T>
hn::Vec<VecSampleTag<T>> narrow(LaneOf<VL, T> v) {
    if constexpr (std::is_same_v<T, Qrx32f>) return v;
    else return hn::DemoteTo(VecSampleTag<T>(), v);  // saturating
}

template <class T, int Channels>
void loadPixels(const T* p, LaneOf<VL, T> v[3]) {
    const VecSampleTag<T> d;
    hn::Vec<decltype(d)> a, b, c, alpha;
    if constexpr (Channels == 3) hn::LoadInterleaved3(d, p, a, b, c);
    else hn::LoadInterleaved4(d, p, a, b, c, alpha);
    v[0] = widen<T>(a);
    v[1] = widen<T>(b);
    v[2] = widen<T>(c);
}

template <class T, int Channels>
void storePixels(T* p, const LaneOf<VL, T> v[3]) {
    const VecSampleTag<T> d;
    if constexpr (Channels == 3) {
        hn::StoreInterleaved3(narrow<T>(v[0]), narrow<T>(v[1]), narrow<T>(v[2]), d, p);
    } else {
        hn::Vec<decltype(d)> a, b, c, alpha;
        hn::LoadInterleaved4(d, p, a, b, c, alpha);
        hn::StoreInterleaved4(narrow<T>(v[0]), narrow<T>(v[1]), narrow<T>(v[2]), alpha, d, p);
    }
}

#endif  // QRX_SIMD

// One row of `width` pixels: columns below `lead` by Lead's formula, the
// rest by Tail's. A formula is a struct with
//   template <class L> static void px(const LaneOf<L, S> in[3], LaneOf<L, D> out[3]);
// Vector targets run whole vectors of the lead columns; the remainder and
// the tail go pixel by pixel with the scalar lanes.
template <class Lead, class Tail, class S, class D, int Channels>
void convertRow(const S* src, D* dst, int width, int lead) {
    int x = 0;
#if QRX_SIMD
    const int n = static_cast<int>(hn::Lanes(VF()));
    for (; x + n <= lead; x += n) {
        LaneOf<VL, S> in[3];
        LaneOf<VL, D> out[3];
        loadPixels<S, Channels>(src + x * Channels, in);
        Lead::template px<VL>(in, out);
        storePixels<D, Channels>(dst + x * Channels, out);
    }
#endif
    for (; x < width; ++x) {
        LaneOf<ScalarLanes, S> in[3];
        LaneOf<ScalarLanes, D> out[3];
        loadPixel<S>(src + x * Channels, in);
        if (x < lead) Lead::template px<ScalarLanes>(in, out);
        else Tail::template px<ScalarLanes>(in, out);
        storePixel<D>(dst + x * Channels, out);
    }
}

// Rows whose every pixel takes one formula.
template <class Formula, class S, class D, int Channels>
void formulaRow(const S* src, D* dst, int width) {
    convertRow<Formula, Formula, S, D, Channels>(src, dst, width, width);
}

}  // namespace QRX_ISA
}  // namespace qrx
