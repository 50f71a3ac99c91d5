// Vector kernels of the AHD row passes (AVX2 and AVX-512 units). Each takes
// the leading whole vectors of a pass's columns [c0, c1) and returns the
// column where the scalar loop of rows_inl.h goes on. They compute with the
// reference arithmetic lane by lane: samples widened to 32-bit integers,
// the same shifts and selects, and float operations in the same order with
// nothing fused, so every lane equals the scalar result.
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

template <class T>
inline void storeT(VI v, T* p) {
    hn::StoreU(hn::DemoteTo(DT<T>(), v), DT<T>(), p);
}

inline int lanes() { return static_cast<int>(hn::Lanes(DI())); }

// Lanes of columns c, c + 1, ... that hold green (the parity of a column
// pattern repeats every vector, whose lane count is even).
inline hn::Mask<DI> greenLanes(int c, int greenParity) {
    const DI di;
    const VI col = hn::Add(hn::Iota(di, 0), hn::Set(di, c));
    return hn::Eq(hn::And(hn::Xor(col, hn::Set(di, greenParity)), hn::Set(di, 1)), hn::Zero(di));
}

inline VI directionalGreenV(VI g1, VI g2, VI k, VI k1, VI k2) {
    const VI avg = hn::ShiftRight<1>(hn::Add(g1, g2));
    const VI v = hn::Add(avg, hn::ShiftRight<2>(hn::Add(hn::Sub(k, k1), hn::Sub(k, k2))));
    const VI test = hn::Xor(hn::Sub(v, g1), hn::Sub(g2, v));
    return hn::IfThenElse(hn::Gt(test, hn::Zero(DI())), v, avg);
}

template <class T>
int greenKernel(const T* const* s, T* gh, T* gv, int c0, int c1, int greenParity) {
    const T *u2 = s[0], *u1 = s[1], *m = s[2], *d1 = s[3], *d2 = s[4];
    const int n = lanes();
    const auto green = greenLanes(c0, greenParity);
    int c = c0;
    for (; c + n <= c1; c += n) {
        const VI k = loadI(m + c);
        const VI h = directionalGreenV(loadI(m + c - 1), loadI(m + c + 1), k, loadI(m + c - 2),
                                       loadI(m + c + 2));
        const VI v = directionalGreenV(loadI(u1 + c), loadI(d1 + c), k, loadI(u2 + c), loadI(d2 + c));
        storeT(hn::IfThenElse(green, k, h), gh + c);
        storeT(hn::IfThenElse(green, k, v), gv + c);
    }
    return c;
}

template <class T>
inline VI clampV(VI v) {
    const DI di;
    return hn::Min(hn::Max(v, hn::Zero(di)), hn::Set(di, AhdScale<T>::kMax));
}

template <class T>
int candidateKernel(const T* const* s, const T* const* g, T* site, T* cross, int c0, int c1,
                    int greenParity) {
    const T *s0 = s[0], *s1 = s[1], *s2 = s[2], *g0 = g[0], *g1 = g[1], *g2 = g[2];
    const int n = lanes();
    const auto green = greenLanes(c0, greenParity);
    int c = c0;
    for (; c + n <= c1; c += n) {
        const VI centre = loadI(g1 + c);
        const VI across = hn::ShiftRight<1>(hn::Add(hn::Sub(loadI(s1 + c - 1), loadI(g1 + c - 1)),
                                                    hn::Sub(loadI(s1 + c + 1), loadI(g1 + c + 1))));
        const VI along = hn::ShiftRight<1>(
            hn::Add(hn::Sub(loadI(s0 + c), loadI(g0 + c)), hn::Sub(loadI(s2 + c), loadI(g2 + c))));
        const VI sumK = hn::Add(hn::Add(hn::Add(loadI(s0 + c - 1), loadI(s0 + c + 1)), loadI(s2 + c - 1)),
                                loadI(s2 + c + 1));
        const VI sumG = hn::Add(hn::Add(hn::Add(loadI(g0 + c - 1), loadI(g0 + c + 1)), loadI(g2 + c - 1)),
                                loadI(g2 + c + 1));
        const VI diagonal = hn::ShiftRight<2>(hn::Sub(sumK, sumG));
        storeT(hn::IfThenElse(green, clampV<T>(hn::Add(centre, across)), loadI(s1 + c)), site + c);
        storeT(clampV<T>(hn::Add(centre, hn::IfThenElse(green, along, diagonal))), cross + c);
    }
    return c;
}

inline VF labFV(VF t) {
    const DF df;
    const VF toe = hn::Add(hn::Mul(hn::Set(df, 7.787037f), t), hn::Set(df, 0.13793103f));
    VF a = hn::Div(hn::Add(hn::Mul(hn::Set(df, 0.6f), t), hn::Set(df, 0.0081f)),
                   hn::Add(t, hn::Set(df, 0.054f)));
    for (int i = 0; i < 2; ++i) {
        const VF a3 = hn::Mul(hn::Mul(a, a), a);
        a = hn::Mul(a, hn::Div(hn::Add(hn::Add(t, t), a3), hn::Add(hn::Add(t, a3), a3)));
    }
    return hn::IfThenElse(hn::Lt(t, hn::Set(df, 0.008856f)), toe, a);
}

template <class T>
int labKernel(const T* r, const T* g, const T* b, LabRow out, int c0, int c1) {
    const DF df;
    const float* k = AhdScale<T>::kXyz;
    VF kv[9];
    for (int i = 0; i < 9; ++i) kv[i] = hn::Set(df, k[i]);
    const int n = lanes();
    int c = c0;
    for (; c + n <= c1; c += n) {
        const VF R = hn::ConvertTo(df, loadI(r + c)), G = hn::ConvertTo(df, loadI(g + c)),
                 B = hn::ConvertTo(df, loadI(b + c));
        const auto xyz = [&](int i) {
            return hn::Add(hn::Add(hn::Mul(kv[i], R), hn::Mul(kv[i + 1], G)), hn::Mul(kv[i + 2], B));
        };
        const VF fx = labFV(xyz(0)), fy = labFV(xyz(3)), fz = labFV(xyz(6));
        hn::StoreU(hn::Sub(hn::Mul(hn::Set(df, 116.0f), fy), hn::Set(df, 16.0f)), df, out.L + c);
        hn::StoreU(hn::Mul(hn::Set(df, 500.0f), hn::Sub(fx, fy)), df, out.a + c);
        hn::StoreU(hn::Mul(hn::Set(df, 200.0f), hn::Sub(fy, fz)), df, out.b + c);
    }
    return c;
}

inline int homogeneityKernel(const LabRow* h, const LabRow* v, int8_t* m, int c0, int c1) {
    const DF df;
    const DI di;
    const int n = lanes();
    // Offsets of the neighbours left, right, up, down: (row of the window, column).
    const int nr[4] = {1, 1, 0, 2}, nc[4] = {-1, 1, 0, 0};
    int c = c0;
    for (; c + n <= c1; c += n) {
        VF dL[2][4], dC[2][4];
        for (int d = 0; d < 2; ++d) {
            const LabRow* w = d == 0 ? h : v;
            const VF L = hn::LoadU(df, w[1].L + c), A = hn::LoadU(df, w[1].a + c),
                     B = hn::LoadU(df, w[1].b + c);
            for (int i = 0; i < 4; ++i) {
                const LabRow& q = w[nr[i]];
                dL[d][i] = hn::Abs(hn::Sub(hn::LoadU(df, q.L + c + nc[i]), L));
                const VF da = hn::Sub(hn::LoadU(df, q.a + c + nc[i]), A);
                const VF db = hn::Sub(hn::LoadU(df, q.b + c + nc[i]), B);
                dC[d][i] = hn::Add(hn::Mul(da, da), hn::Mul(db, db));
            }
        }
        const VF epsL = hn::Min(hn::Max(dL[0][0], dL[0][1]), hn::Max(dL[1][2], dL[1][3]));
        const VF epsC = hn::Min(hn::Max(dC[0][0], dC[0][1]), hn::Max(dC[1][2], dC[1][3]));
        VI count = hn::Zero(di);
        const VI one = hn::Set(di, 1);
        for (int i = 0; i < 4; ++i) {
            const auto hIn = hn::And(hn::Le(dL[0][i], epsL), hn::Le(dC[0][i], epsC));
            const auto vIn = hn::And(hn::Le(dL[1][i], epsL), hn::Le(dC[1][i], epsC));
            count = hn::Add(count, hn::IfThenElseZero(hn::RebindMask(di, hIn), one));
            count = hn::Sub(count, hn::IfThenElseZero(hn::RebindMask(di, vIn), one));
        }
        storeT(count, m + c);
    }
    return c;
}

template <class T>
int selectKernel(const int8_t* const* m, const T* const* h, const T* const* v, T* dst, int width) {
    const DI di;
    const int n = lanes();
    int c = 0;
    for (; c + n <= width; c += n) {
        VI s = hn::Zero(di);
        for (int j = 0; j < 3; ++j)
            s = hn::Add(s, hn::Add(hn::Add(loadI(m[j] + c - 1), loadI(m[j] + c)), loadI(m[j] + c + 1)));
        const auto row = hn::Gt(s, hn::Set(di, -1));  // s >= 0
        hn::Vec<DT<T>> out[3];
        for (int ch = 0; ch < 3; ++ch)
            out[ch] = hn::DemoteTo(DT<T>(), hn::IfThenElse(row, loadI(h[ch] + c), loadI(v[ch] + c)));
        hn::StoreInterleaved3(out[0], out[1], out[2], DT<T>(), dst + 3 * c);
    }
    return c;
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
int candidateKernel(const T* const*, const T* const*, T*, T*, int c0, int, int) {
    return c0;
}
template <class T>
int labKernel(const T*, const T*, const T*, LabRow, int c0, int) {
    return c0;
}
inline int homogeneityKernel(const LabRow*, const LabRow*, int8_t*, int c0, int) { return c0; }
template <class T>
int selectKernel(const int8_t* const*, const T* const*, const T* const*, T*, int) {
    return 0;
}

}  // namespace
}  // namespace QRX_ISA
}  // namespace qrx

#endif
