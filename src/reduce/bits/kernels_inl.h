// Vector kernels of the plain and ordered rows (Highway, AVX2 and AVX-512
// units). Each converts the leading whole vectors of a row with the same
// single-precision operations as the scalar rule, lane by lane, and returns
// how many pixels (or elements) it did; the row finishes with the scalar
// code. The nudged noise forms, which go through double, stay scalar.
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>

#include "frame/simd.h"
#include "reduce/bits/byte_plan.h"
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

// truncToInt per lane. Integer sources keep every product inside the int32
// range, so the processor's conversion is exact for them; float sources
// also turn the lanes at or above 2^31 into INT32_MAX (NaN and the lanes
// below -2^31 already give INT32_MIN).
template <class P>
inline VI truncLanes(VF v) {
    const DI di;
    const VI r = simd::TruncToInt32(v);
    if constexpr (P::kFloatSrc) {
        const VF top = hn::Set(DF(), 2147483648.0f);
        return hn::IfThenElse(hn::RebindMask(di, hn::Ge(v, top)), hn::Set(di, INT32_MAX), r);
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

// Mask of the lanes of d that are not the fourth of a pixel.
template <class D>
inline auto firstThreeOfFour(D d) {
    const hn::RebindToUnsigned<D> du;
    const auto three = hn::Set(du, 3);
    return hn::RebindMask(d, hn::Ne(hn::And(hn::Iota(du, 0), three), three));
}

// Stores the levels of four vectors (4 x Lanes elements) at p: every
// element, or (AC4) all but each fourth. Bytes are packed from all four
// vectors at once.
template <class P, bool SkipFourth>
inline void storeLevels4(const VI (&n)[4], typename P::Dst* p) {
    using D = typename P::Dst;
    const DI di;
    if constexpr (sizeof(D) == 1) {
        const hn::Repartition<uint8_t, DI> d8;
        const auto bytes = simd::DemoteToU8x4(n[0], n[1], n[2], n[3]);
        if constexpr (SkipFourth) {
            hn::BlendedStore(bytes, firstThreeOfFour(d8), d8, p);
        } else {
            hn::StoreU(bytes, d8, p);
        }
    } else {
        const DT<D> dd;
        const size_t lanes = hn::Lanes(di);
        for (size_t k = 0; k < 4; ++k) {
            const auto v = fromLevelLanes<P>(n[k]);
            if constexpr (SkipFourth) {
                hn::BlendedStore(v, firstThreeOfFour(dd), dd, p + k * lanes);
            } else {
                hn::StoreU(v, dd, p + k * lanes);
            }
        }
    }
}

// The plain rule in 0..1: k = trunc(x lf), q = k r, plus r when x - q > h;
// the level is trunc(q x 255 or 65535).
template <class P>
inline VI plainLevels(const typename P::Src* src, const PlainLevels& lv) {
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
    return truncLanes<P>(hn::Mul(q, hn::Set(df, P::kLevelScale)));
}

// Elements in groups of four vectors; SkipFourth leaves each fourth
// destination element unwritten. Returns the elements done.
template <class P, bool SkipFourth>
int plainGroups(const typename P::Src* src, typename P::Dst* dst, int count, const PlainLevels& lv) {
    const int n = static_cast<int>(hn::Lanes(DF()));
    int i = 0;
    for (; i <= count - 4 * n; i += 4 * n) {
        const VI levels[4] = {plainLevels<P>(src + i, lv), plainLevels<P>(src + i + n, lv),
                              plainLevels<P>(src + i + 2 * n, lv),
                              plainLevels<P>(src + i + 3 * n, lv)};
        storeLevels4<P, SkipFourth>(levels, dst + i);
    }
    return i;
}

template <class P>
int plainLead(const typename P::Src* src, typename P::Dst* dst, int count, const PlainLevels& lv) {
    return plainGroups<P, false>(src, dst, count, lv);
}

// count four-element pixels; returns the pixels done.
template <class P>
int plainLeadAC4(const typename P::Src* src, typename P::Dst* dst, int count,
                 const PlainLevels& lv) {
    return plainGroups<P, true>(src, dst, 4 * count, lv) / 4;
}

// The ordered rule: k = trunc(v recip), q = k step, plus step when
// v - q > t; the level is trunc(q) (float sources: of q x 255 or 65535),
// 16-bit levels stored to bytes shifted right by 8.
template <class P>
inline VI orderedLevels(const typename P::Src* src, VF t, VF step, VF recip) {
    const DF df;
    const VF v = loadWorking<P>(src);
    const VF q0 = hn::Mul(hn::ConvertTo(df, truncLanes<P>(hn::Mul(v, recip))), step);
    VF q = hn::IfThenElse(hn::Gt(hn::Sub(v, q0), t), hn::Add(step, q0), q0);
    if constexpr (P::kFloatSrc) q = hn::Mul(q, hn::Set(df, P::kLevelScale));
    return hn::ShiftRight<P::kShift>(truncLanes<P>(q));
}

// 8-bit to 8-bit without noise through the checked fixed-point form
// (byte_plan.h). Byte i of vector G of a span of Channels vectors belongs
// to pixel (G kVecBytes + i) / Channels; a span holds kVecBytes pixels, a
// multiple of 4, so every span of a row has the same constants.
template <int Channels, int G>
constexpr int spanColumn(int i) {
    return ((G * simd::kVecBytes + i) / Channels) & 3;
}

// Byte lookups into a row's 16-byte factor block (mul of columns 0..3,
// then their add): the 16-bit lane l of block k of the low (Half 0) or high
// (Half 1) widening of vector G takes the factor of its element's column.
template <int Channels, int G, int Half, int Part>
HWY_INLINE simd::VU8 factorIndices() {
    return simd::LanesOf<[](int i) {
        const int lane = 16 * (i / 16) + 8 * Half + (i % 16) / 2;
        return 8 * Part + 2 * spanColumn<Channels, G>(lane) + i % 2;
    }, uint8_t>();
}

template <int Channels, int G>
HWY_INLINE simd::VU8 topIndices() {
    return simd::LanesOf<[](int i) { return spanColumn<Channels, G>(i); }, uint8_t>();
}

struct ByteFactors {
    simd::VU16 mul[2], add[2];  // [half]
    simd::VU8 top;
};

template <int Channels, int G>
HWY_INLINE ByteFactors byteFactors(simd::VU8 row, simd::VU8 top) {
    const hn::Repartition<uint16_t, DF> d16;
    const auto words = [&](simd::VU8 idx) { return hn::BitCast(d16, hn::TableLookupBytes(row, idx)); };
    return {{words(factorIndices<Channels, G, 0, 0>()), words(factorIndices<Channels, G, 1, 0>())},
            {words(factorIndices<Channels, G, 0, 1>()), words(factorIndices<Channels, G, 1, 1>())},
            hn::TableLookupBytes(top, topIndices<Channels, G>())};
}

// idx = (((256 s) x mul) >> 16) + add, masked to whole levels, then
// ((idx x scale) >> 16) >> valueShift.
HWY_INLINE simd::VI16 byteLevelValues(simd::VU16 u, simd::VU16 mul, simd::VU16 add, simd::VU16 mask,
                                   simd::VU16 scale, int valueShift) {
    const hn::Repartition<int16_t, DF> di16;
    const simd::VU16 idx = hn::And(hn::Add(hn::MulHigh(u, mul), add), mask);
    return hn::BitCast(di16, hn::ShiftRightSame(hn::MulHigh(idx, scale), valueShift));
}

template <int Channels, int G, bool SkipFourth>
HWY_INLINE void byteVector(const uint8_t* src, uint8_t* dst, const ByteFactors& f,
                           simd::VU16 mask, simd::VU16 scale, int valueShift) {
    const hn::Repartition<uint8_t, DF> d8;
    const hn::Repartition<uint16_t, DF> d16;
    const simd::VU8 v = hn::LoadU(d8, src);
    const simd::VU8 zero = hn::Zero(d8);
    const simd::VU16 lo = hn::BitCast(d16, hn::InterleaveLower(d8, zero, v));  // 256 s
    const simd::VU16 hi = hn::BitCast(d16, hn::InterleaveUpper(d8, zero, v));
    simd::VU8 out = simd::DemoteInBlocksU8(
        byteLevelValues(lo, f.mul[0], f.add[0], mask, scale, valueShift),
        byteLevelValues(hi, f.mul[1], f.add[1], mask, scale, valueShift));
    out = hn::IfThenElse(hn::Eq(v, hn::Set(d8, uint8_t{255})), f.top, out);
    if constexpr (SkipFourth) {
        simd::StoreKeepingFourthBytes(out, dst);
    } else {
        hn::StoreU(out, d8, dst);
    }
}

// Returns the pixels done: whole spans of kVecBytes pixels.
template <int Channels, bool SkipFourth, int... G>
int byteSpans(const uint8_t* src, uint8_t* dst, int width, int y, const BytePlan& b,
              std::integer_sequence<int, G...>) {
    const hn::Repartition<uint8_t, DF> d8;
    const hn::Repartition<uint16_t, DF> d16;
    const simd::VU8 row = hn::LoadDup128(d8, b.rowFactors[y & 3]);
    const simd::VU8 top = hn::LoadDup128(d8, b.rowTop[y & 3]);
    const ByteFactors f[] = {byteFactors<Channels, G>(row, top)...};
    const simd::VU16 mask = hn::Set(d16, b.mask), scale = hn::Set(d16, b.scale);
    const int n = simd::kVecBytes;
    int x = 0;
    for (; x <= width - n; x += n) {
        const std::ptrdiff_t e = static_cast<std::ptrdiff_t>(x) * Channels;
        (byteVector<Channels, G, SkipFourth>(src + e + G * n, dst + e + G * n, f[G], mask, scale,
                                             b.valueShift),
         ...);
    }
    return x;
}

// Blocks of 4 x Lanes pixels, Channels groups of four vectors each. A block
// starts at a multiple of 4 pixels, so without noise every block of a row
// has the same thresholds.
template <class P, int Channels, int Reduced, bool Noise, bool Nudged>
int orderedLead(const typename P::Src* src, typename P::Dst* dst, int width, int y,
                const OrderedArgs& a) {
    if constexpr (Nudged) {
        return 0;
    } else {
        constexpr bool kSkipFourth = Channels == 4 && Reduced == 3;
        const DF df;
        const int n = static_cast<int>(hn::Lanes(df));
        const VF step = hn::Set(df, a.s.step), recip = hn::Set(df, a.s.recip);
        int x = 0;
        if constexpr (P::kByteSrc && sizeof(typename P::Dst) == 1 && !Noise) {
            if (a.bytes != nullptr) {
                x = byteSpans<Channels, kSkipFourth>(src, dst, width, y, *a.bytes,
                                                     std::make_integer_sequence<int, Channels>());
            }
        }
        if (x > width - 4 * n) return x;  // no float block left: skip its thresholds
        const float* const m = kBayer4x4[y & 3];
        HWY_ALIGN float thr[4 * Channels * hn::MaxLanes(df)];  // one block's elements
        for (int i = 0; i < 4 * n; ++i)
            for (int c = 0; c < Channels; ++c) thr[i * Channels + c] = m[i & 3] * a.s.step;
        for (; x <= width - 4 * n; x += 4 * n) {
            if constexpr (Noise) {
                for (int i = 0; i < 4 * n; ++i) {
                    const float t = (m[i & 3] + noiseValue(a.noise, x + i, y)) * a.s.step;
                    for (int c = 0; c < Channels; ++c) thr[i * Channels + c] = t;
                }
            }
            for (int g = 0; g < Channels; ++g) {
                const std::ptrdiff_t e = static_cast<std::ptrdiff_t>(x) * Channels + 4 * g * n;
                const float* t = thr + 4 * g * n;
                const VI levels[4] = {
                    orderedLevels<P>(src + e, hn::Load(df, t), step, recip),
                    orderedLevels<P>(src + e + n, hn::Load(df, t + n), step, recip),
                    orderedLevels<P>(src + e + 2 * n, hn::Load(df, t + 2 * n), step, recip),
                    orderedLevels<P>(src + e + 3 * n, hn::Load(df, t + 3 * n), step, recip)};
                storeLevels4<P, kSkipFourth>(levels, dst + e);
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
