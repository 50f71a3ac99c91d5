// Vector kernels of the AHD row passes (AVX2 and AVX-512 units). Each takes
// a pass's columns [c0, c1) in whole vectors, the last one moved back to end
// at c1, and returns the column where the scalar loop of rows_inl.h goes on
// (c0 when the range is narrower than a vector). They compute with the
// reference arithmetic lane by lane: samples widened to 16-bit (8-bit
// images) or 32-bit integers, the same shifts and selects, and float
// operations in the same order with nothing fused, so every lane equals the
// scalar result.
#pragma once

#if QRX_SIMD

namespace qrx {
inline namespace QRX_ISA {
namespace {

namespace hn = simd::hn;

using DI = hn::ScalableTag<int32_t>;
using DF = hn::ScalableTag<float>;
using VI = hn::Vec<DI>;
using VF = hn::Vec<DF>;

template <class T>
using DT = hn::Rebind<T, DI>;  // one sample per 32-bit lane

template <class T>
inline VI loadI(const T* p) {
    return hn::PromoteTo(DI(), hn::LoadU(DT<T>(), p));
}

inline int lanes() { return static_cast<int>(hn::Lanes(DI())); }

// The integer passes compute in lanes twice as wide as a sample: 16 bits
// hold every sum of 8-bit samples (at most four of them, and differences),
// 32 bits those of 16-bit samples.
template <class T>
using Wide = std::conditional_t<sizeof(T) == 1, int16_t, int32_t>;
template <class T>
using DW = hn::ScalableTag<Wide<T>>;
template <class T>
using VW = hn::Vec<DW<T>>;
template <class T>
using DS = hn::Rebind<T, DW<T>>;  // the samples of one wide vector

template <class T>
inline VW<T> loadW(const T* p) {
    return hn::PromoteTo(DW<T>(), hn::LoadU(DS<T>(), p));
}

template <class T>
inline void storeW(VW<T> v, T* p) {  // v holds samples (0 .. max)
    hn::StoreU(hn::DemoteTo(DS<T>(), v), DS<T>(), p);
}

template <class T>
inline int wideLanes() {
    return static_cast<int>(hn::Lanes(DW<T>()));
}

// Lanes of columns c, c + 1, ... that hold green.
template <class T>
inline hn::Mask<DW<T>> greenLanes(int c, int greenParity) {
    const DW<T> dw;
    const VW<T> col = hn::Add(hn::Iota(dw, 0), hn::Set(dw, Wide<T>(c)));
    return hn::Eq(hn::And(hn::Xor(col, hn::Set(dw, Wide<T>(greenParity))), hn::Set(dw, 1)), hn::Zero(dw));
}

template <class V>
inline V directionalGreenV(V g1, V g2, V k, V k1, V k2) {
    const V avg = hn::ShiftRight<1>(hn::Add(g1, g2));
    const V v = hn::Add(avg, hn::ShiftRight<2>(hn::Add(hn::Sub(k, k1), hn::Sub(k, k2))));
    const V test = hn::Xor(hn::Sub(v, g1), hn::Sub(g2, v));
    return hn::IfThenElse(hn::Gt(test, hn::Zero(hn::DFromV<V>())), v, avg);
}

// Runs body(c) for whole vectors of n columns over [c0, c1): the first at
// c0, the others at columns kLabAligned + a multiple of n (where rows of
// floats are aligned), the last moved back to end at c1. Columns covered
// twice get the same values again. Returns where the scalar loop goes on:
// c1, or c0 when the range is narrower than one vector.
template <class Body>
inline int overlapping(int c0, int c1, int n, Body body) {
    if (c1 - c0 < n) return c0;
    body(c0);
    for (int c = ((c0 + n - kLabAligned) & -n) + kLabAligned; c < c1; c += n) body(c + n <= c1 ? c : c1 - n);
    return c1;
}

template <class T>
int greenKernel(const T* const* s, T* gh, T* gv, int c0, int c1, int greenParity) {
    const T *u2 = s[0], *u1 = s[1], *m = s[2], *d1 = s[3], *d2 = s[4];
    // The green columns of a vector starting on an even or an odd column.
    const hn::Mask<DW<T>> green[2] = {greenLanes<T>(0, greenParity), greenLanes<T>(1, greenParity)};
    return overlapping(c0, c1, wideLanes<T>(), [&](int c) {
        const VW<T> k = loadW(m + c);
        const VW<T> h = directionalGreenV(loadW(m + c - 1), loadW(m + c + 1), k, loadW(m + c - 2), loadW(m + c + 2));
        const VW<T> v = directionalGreenV(loadW(u1 + c), loadW(d1 + c), k, loadW(u2 + c), loadW(d2 + c));
        storeW(hn::IfThenElse(green[c & 1], k, h), gh + c);
        storeW(hn::IfThenElse(green[c & 1], k, v), gv + c);
    });
}

template <class T>
inline VW<T> clampW(VW<T> v) {
    const DW<T> dw;
    return hn::Min(hn::Max(v, hn::Zero(dw)), hn::Set(dw, Wide<T>(AhdScale<T>::kMax)));
}

// Both candidates' red and blue; s are the source rows k - 1 .. k + 1,
// g[d] the rows of candidate d's green.
template <class T>
int candidateKernel(const T* const* s, const T* const (&g)[2][3], T* const (&site)[2],
                    T* const (&cross)[2], int c0, int c1, int greenParity) {
    const T *s0 = s[0], *s1 = s[1], *s2 = s[2];
    const hn::Mask<DW<T>> green[2] = {greenLanes<T>(0, greenParity), greenLanes<T>(1, greenParity)};
    return overlapping(c0, c1, wideLanes<T>(), [&](int c) {
        const auto isGreen = green[c & 1];
        const VW<T> own = loadW(s1 + c);
        const VW<T> sL = loadW(s1 + c - 1), sR = loadW(s1 + c + 1), sU = loadW(s0 + c), sD = loadW(s2 + c);
        const VW<T> sumK = hn::Add(hn::Add(hn::Add(loadW(s0 + c - 1), loadW(s0 + c + 1)), loadW(s2 + c - 1)),
                                   loadW(s2 + c + 1));
        for (int d = 0; d < 2; ++d) {
            const T *g0 = g[d][0], *g1 = g[d][1], *g2 = g[d][2];
            const VW<T> centre = loadW(g1 + c);
            const VW<T> across =
                hn::ShiftRight<1>(hn::Add(hn::Sub(sL, loadW(g1 + c - 1)), hn::Sub(sR, loadW(g1 + c + 1))));
            const VW<T> along = hn::ShiftRight<1>(hn::Add(hn::Sub(sU, loadW(g0 + c)), hn::Sub(sD, loadW(g2 + c))));
            const VW<T> sumG = hn::Add(hn::Add(hn::Add(loadW(g0 + c - 1), loadW(g0 + c + 1)), loadW(g2 + c - 1)),
                                       loadW(g2 + c + 1));
            const VW<T> diagonal = hn::ShiftRight<2>(hn::Sub(sumK, sumG));
            storeW<T>(hn::IfThenElse(isGreen, clampW<T>(hn::Add(centre, across)), own), site[d] + c);
            storeW<T>(clampW<T>(hn::Add(centre, hn::IfThenElse(isGreen, along, diagonal))), cross[d] + c);
        }
    });
}

// One Halley step of the cube root of t from a, given 2t.
inline VF halleyV(VF t, VF t2, VF a) {
    const VF a3 = hn::Mul(hn::Mul(a, a), a);
    return hn::Mul(a, hn::Div(hn::Add(t2, a3), hn::Add(hn::Add(t, a3), a3)));
}

// Lab of both candidates. Each cube root is a chain of three dependent
// divisions; computed one pixel after another the chains leave the divider
// idle while they wait. So the row is done in two sweeps whose lanes are
// independent: the X, Y, Z values and the rational starts (one division
// per channel), then both Halley steps, the linear toe and L, a*, b*. The
// second sweep reads only what the first wrote, so a repeated last vector
// recomputes the same values.
template <class T>
int labKernel(const T* const (&rgb)[2][3], const LabRow (&out)[2], int c0, int c1) {
    const DF df;
    const int n = lanes();
    if (c1 - c0 < n) return c0;
    const float* k = AhdScale<T>::kXyz;
    // Per candidate and channel (X, Y, Z): t and the rational start, column
    // c at c + kLabPad like the Lab rows.
    alignas(64) float tRow[2][3][kLabRow], aRow[2][3][kLabRow];
    overlapping(c0, c1, n, [&](int c) {
        for (int d = 0; d < 2; ++d) {
            const VF R = hn::ConvertTo(df, loadI(rgb[d][0] + c));
            const VF G = hn::ConvertTo(df, loadI(rgb[d][1] + c));
            const VF B = hn::ConvertTo(df, loadI(rgb[d][2] + c));
            for (int i = 0; i < 3; ++i) {
                const VF t = hn::Add(hn::Add(hn::Mul(hn::Set(df, k[3 * i]), R), hn::Mul(hn::Set(df, k[3 * i + 1]), G)),
                                     hn::Mul(hn::Set(df, k[3 * i + 2]), B));
                hn::StoreU(t, df, tRow[d][i] + (c + kLabPad));
                hn::StoreU(hn::Div(hn::Add(hn::Mul(hn::Set(df, 0.6f), t), hn::Set(df, 0.0081f)),
                                   hn::Add(t, hn::Set(df, 0.054f))),
                           df, aRow[d][i] + (c + kLabPad));
            }
        }
    });
    overlapping(c0, c1, n, [&](int c) {
        for (int d = 0; d < 2; ++d) {
            VF t[3], t2[3], f[3];
            for (int i = 0; i < 3; ++i) {
                t[i] = hn::LoadU(df, tRow[d][i] + (c + kLabPad));
                t2[i] = hn::Add(t[i], t[i]);
                f[i] = halleyV(t[i], t2[i], hn::LoadU(df, aRow[d][i] + (c + kLabPad)));
            }
            for (int i = 0; i < 3; ++i) {
                f[i] = halleyV(t[i], t2[i], f[i]);
                const auto toe = hn::Lt(t[i], hn::Set(df, 0.008856f));
                if (!hn::AllFalse(df, toe))  // dark pixels only
                    f[i] = hn::IfThenElse(toe, hn::Add(hn::Mul(hn::Set(df, 7.787037f), t[i]), hn::Set(df, 0.13793103f)), f[i]);
            }
            hn::StoreU(hn::Sub(hn::Mul(hn::Set(df, 116.0f), f[1]), hn::Set(df, 16.0f)), df, out[d].L + c);
            hn::StoreU(hn::Mul(hn::Set(df, 500.0f), hn::Sub(f[0], f[1])), df, out[d].a + c);
            hn::StoreU(hn::Mul(hn::Set(df, 200.0f), hn::Sub(f[1], f[2])), df, out[d].b + c);
        }
    });
    return c1;
}

inline int diffKernel(LabRow p, LabRow q, DiffRow out, int c0, int c1) {
    const DF df;
    return overlapping(c0, c1, lanes(), [&](int c) {
        const VF da = hn::Sub(hn::LoadU(df, q.a + c), hn::LoadU(df, p.a + c));
        const VF db = hn::Sub(hn::LoadU(df, q.b + c), hn::LoadU(df, p.b + c));
        hn::StoreU(hn::Abs(hn::Sub(hn::LoadU(df, q.L + c), hn::LoadU(df, p.L + c))), df, out.L + c);
        hn::StoreU(hn::Add(hn::Mul(da, da), hn::Mul(db, db)), df, out.C + c);
    });
}

inline int homogeneityKernel(const DiffRow (&along)[2], const DiffRow (&up)[2], const DiffRow (&down)[2],
                             int8_t* m, int c0, int c1) {
    const DF df;
    const DI di;
    using D8 = hn::Rebind<int8_t, DI>;
    return overlapping(c0, c1, lanes(), [&](int c) {
        VF dL[2][4], dC[2][4];  // [candidate][left, right, up, down]
        for (int d = 0; d < 2; ++d) {
            dL[d][0] = hn::LoadU(df, along[d].L + c - 1), dC[d][0] = hn::LoadU(df, along[d].C + c - 1);
            dL[d][1] = hn::LoadU(df, along[d].L + c), dC[d][1] = hn::LoadU(df, along[d].C + c);
            dL[d][2] = hn::LoadU(df, up[d].L + c), dC[d][2] = hn::LoadU(df, up[d].C + c);
            dL[d][3] = hn::LoadU(df, down[d].L + c), dC[d][3] = hn::LoadU(df, down[d].C + c);
        }
        const VF epsL = hn::Min(hn::Max(dL[0][0], dL[0][1]), hn::Max(dL[1][2], dL[1][3]));
        const VF epsC = hn::Min(hn::Max(dC[0][0], dC[0][1]), hn::Max(dC[1][2], dC[1][3]));
        // Masks are -1 where true: the column candidate's minus the row
        // candidate's is count_H - count_V.
        VI count = hn::Zero(di);
        for (int i = 0; i < 4; ++i) {
            const auto hIn = hn::And(hn::Le(dL[0][i], epsL), hn::Le(dC[0][i], epsC));
            const auto vIn = hn::And(hn::Le(dL[1][i], epsL), hn::Le(dC[1][i], epsC));
            count = hn::Add(count, hn::BitCast(di, hn::VecFromMask(df, vIn)));
            count = hn::Sub(count, hn::BitCast(di, hn::VecFromMask(df, hIn)));
        }
        hn::StoreU(hn::DemoteTo(D8(), count), D8(), m + c);
    });
}

// The output row. The 3 x 3 sum of the map lies within -36 .. 36, so for
// 8-bit samples it is formed in 8-bit lanes, one per output pixel.
template <class T>
int selectKernel(const int8_t* const* m, const T* const* h, const T* const* v, T* dst, int width) {
    using D = hn::ScalableTag<T>;
    using DM = hn::ScalableTag<hwy::MakeSigned<T>>;
    const D d;
    const DM dm;
    const auto loadMap = [&](const int8_t* p) {
        if constexpr (sizeof(T) == 1)
            return hn::LoadU(dm, p);
        else
            return hn::PromoteTo(dm, hn::LoadU(hn::Rebind<int8_t, DM>(), p));
    };
    return overlapping(0, width, static_cast<int>(hn::Lanes(d)), [&](int c) {
        auto s = hn::Zero(dm);
        for (int j = 0; j < 3; ++j)
            s = hn::Add(s, hn::Add(hn::Add(loadMap(m[j] + c - 1), loadMap(m[j] + c)), loadMap(m[j] + c + 1)));
        const auto row = hn::RebindMask(d, hn::Gt(s, hn::Set(dm, -1)));  // s >= 0
        hn::StoreInterleaved3(hn::IfThenElse(row, hn::LoadU(d, h[0] + c), hn::LoadU(d, v[0] + c)),
                              hn::IfThenElse(row, hn::LoadU(d, h[1] + c), hn::LoadU(d, v[1] + c)),
                              hn::IfThenElse(row, hn::LoadU(d, h[2] + c), hn::LoadU(d, v[2] + c)), d,
                              dst + 3 * c);
    });
}

}  // namespace
}  // namespace QRX_ISA
}  // namespace qrx

#else

namespace qrx {
inline namespace QRX_ISA {
namespace {

template <class T>
int greenKernel(const T* const*, T*, T*, int c0, int, int) {
    return c0;
}
template <class T>
int candidateKernel(const T* const*, const T* const (&)[2][3], T* const (&)[2], T* const (&)[2], int c0, int, int) {
    return c0;
}
template <class T>
int labKernel(const T* const (&)[2][3], const LabRow (&)[2], int c0, int) {
    return c0;
}
inline int diffKernel(LabRow, LabRow, DiffRow, int c0, int) { return c0; }
inline int homogeneityKernel(const DiffRow (&)[2], const DiffRow (&)[2], const DiffRow (&)[2], int8_t*, int c0,
                             int) {
    return c0;
}
template <class T>
int selectKernel(const int8_t* const*, const T* const*, const T* const*, T*, int) {
    return 0;
}

}  // namespace
}  // namespace QRX_ISA
}  // namespace qrx

#endif
