// Vector kernels of the plain and ordered rows (Highway, AVX2 and AVX-512
// units). Each converts the leading whole vectors of a row with the same
// single-precision operations as the scalar rule, lane by lane, and returns
// how many pixels (or elements) it did; the row finishes with the scalar
// code. The nudged noise forms, which go through double, stay scalar.
#pragma once

#include "frame/simd.h"
#include "reduce/bits/levels.h"
#include "reduce/bits/rows.h"

namespace qrx {
inline namespace QRX_ISA {
namespace {

#if QRX_SIMD

namespace hn = simd::hn;
using DF = hn::ScalableTag<float>;
using DI = hn::Rebind<int32_t, DF>;
using VF = hn::Vec<DF>;
using VI = hn::Vec<DI>;
template <class T>
using DT = hn::Rebind<T, DF>;  // as many lanes of T as there are floats

// Source elements in the pair's working domain (0..255, 0..65535, or the
// float as it is).
template <class P>
inline VF loadWorking(const typename P::Src* p) {
    using S = typename P::Src;
    const DF df;
    const DI di;
    if constexpr (P::kFloatSrc) {
        return hn::LoadU(df, p);
    } else if constexpr (P::kSignedSrc) {
        const VI v = hn::PromoteTo(di, hn::LoadU(DT<S>(), p));
        return hn::ConvertTo(df, hn::Add(v, hn::Set(di, 32768)));
    } else {
        return hn::ConvertTo(df, hn::PromoteTo(di, hn::LoadU(DT<S>(), p)));
    }
}

// truncToInt per lane: saturating; a NaN (which only float sources bring)
// gives INT32_MIN.
template <class P>
inline VI truncLanes(VF v) {
    const DI di;
    const VI r = hn::ConvertTo(di, v);
    if constexpr (P::kFloatSrc) {
        return hn::IfThenElse(hn::RebindMask(di, hn::IsNaN(v)), hn::Set(di, INT32_MIN), r);
    } else {
        return r;
    }
}

// fromLevel per lane: n saturated to the destination's range, 16s offset.
template <class P>
inline auto fromLevelLanes(VI n) {
    using D = typename P::Dst;
    const DI di;
    if constexpr (P::kSignedDst) {
        return hn::DemoteTo(DT<D>(), hn::Sub(hn::Max(n, hn::Zero(di)), hn::Set(di, 32768)));
    } else {
        return hn::DemoteTo(DT<D>(), n);
    }
}

// Stores every lane, or (AC4) every lane but each fourth.
template <class P, bool SkipFourth>
inline void storeLanes(VI n, typename P::Dst* p) {
    using D = typename P::Dst;
    const DT<D> dd;
    const auto v = fromLevelLanes<P>(n);
    if constexpr (SkipFourth) {
        const auto three = hn::Set(hn::RebindToUnsigned<DT<D>>(), 3);
        const auto lane = hn::And(hn::Iota(hn::RebindToUnsigned<DT<D>>(), 0), three);
        hn::BlendedStore(v, hn::RebindMask(dd, hn::Ne(lane, three)), dd, p);
    } else {
        hn::StoreU(v, dd, p);
    }
}

// The level rule of the plain rows in 0..1: k = trunc(x lf), q = k r, plus
// r when x - q > h, then trunc(q x 255 or 65535).
template <class P, bool SkipFourth>
inline void plainLanes(const typename P::Src* src, typename P::Dst* dst, const PlainLevels& lv) {
    const DF df;
    VF x = loadWorking<P>(src);
    if constexpr (P::kByteSrc) {
        x = hn::Mul(x, hn::Set(df, 0.003921568859368563f));
    } else if constexpr (!P::kFloatSrc) {
        x = hn::Mul(x, hn::Set(df, 1.5259021893143654e-05f));
    }
    const VF r = hn::Set(df, lv.r);
    const VF q0 = hn::Mul(hn::ConvertTo(df, truncLanes<P>(hn::Mul(x, hn::Set(df, lv.lf)))), r);
    const VF q = hn::IfThenElse(hn::Gt(hn::Sub(x, q0), hn::Set(df, lv.h)), hn::Add(q0, r), q0);
    storeLanes<P, SkipFourth>(truncLanes<P>(hn::Mul(q, hn::Set(df, P::kLevelScale))), dst);
}

template <class P>
int plainLead(const typename P::Src* src, typename P::Dst* dst, int count, const PlainLevels& lv) {
    const int n = static_cast<int>(hn::Lanes(DF()));
    int i = 0;
    for (; i + n <= count; i += n) plainLanes<P, false>(src + i, dst + i, lv);
    return i;
}

// count four-element pixels; returns the pixels done.
template <class P>
int plainLeadAC4(const typename P::Src* src, typename P::Dst* dst, int count,
                 const PlainLevels& lv) {
    const int n = static_cast<int>(hn::Lanes(DF()));
    int e = 0;
    for (; e + n <= 4 * count; e += n) plainLanes<P, true>(src + e, dst + e, lv);
    return e / 4;
}

// The ordered rule: k = trunc(v recip), q = k step, plus step when
// v - q > t, stored as the pair stores a level.
template <class P, bool SkipFourth>
inline void orderedLanes(const typename P::Src* src, typename P::Dst* dst, VF t,
                         const LevelSteps& s) {
    const DF df;
    const VF v = loadWorking<P>(src);
    const VF step = hn::Set(df, s.step);
    const VF q0 = hn::Mul(hn::ConvertTo(df, truncLanes<P>(hn::Mul(v, hn::Set(df, s.recip)))), step);
    VF q = hn::IfThenElse(hn::Gt(hn::Sub(v, q0), t), hn::Add(step, q0), q0);
    if constexpr (P::kFloatSrc) q = hn::Mul(q, hn::Set(df, P::kLevelScale));
    storeLanes<P, SkipFourth>(hn::ShiftRight<P::kShift>(truncLanes<P>(q)), dst);
}

// Blocks of one vector's worth of pixels (Channels vectors of elements);
// a block starts at a multiple of 4 pixels, so without noise the
// thresholds of its vectors are the same in every block of the row.
template <class P, int Channels, int Reduced, bool Noise, bool Nudged>
int orderedLead(const typename P::Src* src, typename P::Dst* dst, int width, int y,
                const OrderedArgs& a) {
    if constexpr (Nudged) {
        return 0;
    } else {
        constexpr bool kSkipFourth = Channels == 4 && Reduced == 3;
        const DF df;
        const int n = static_cast<int>(hn::Lanes(df));
        const float* const m = kBayer4x4[y & 3];
        HWY_ALIGN float thr[4 * hn::MaxLanes(df)];
        for (int i = 0; i < n; ++i)
            for (int c = 0; c < Channels; ++c) thr[i * Channels + c] = m[i & 3] * a.s.step;
        int x = 0;
        for (; x + n <= width; x += n) {
            if constexpr (Noise) {
                for (int i = 0; i < n; ++i) {
                    const float t = (m[i & 3] + noiseValue(a.noise, x + i, y)) * a.s.step;
                    for (int c = 0; c < Channels; ++c) thr[i * Channels + c] = t;
                }
            }
            for (int v = 0; v < Channels; ++v) {
                const int e = x * Channels + v * n;
                orderedLanes<P, kSkipFourth>(src + e, dst + e, hn::Load(df, thr + v * n), a.s);
            }
        }
        return x;
    }
}

#else

template <class P>
int plainLead(const typename P::Src*, typename P::Dst*, int, const PlainLevels&) {
    return 0;
}

template <class P>
int plainLeadAC4(const typename P::Src*, typename P::Dst*, int, const PlainLevels&) {
    return 0;
}

template <class P, int Channels, int Reduced, bool Noise, bool Nudged>
int orderedLead(const typename P::Src*, typename P::Dst*, int, int, const OrderedArgs&) {
    return 0;
}

#endif

}  // namespace
}  // namespace QRX_ISA
}  // namespace qrx
