// Rows of the HLS and HSV conversions, compiled once per target by the units
// the build generates (QRX_ISA names the target). Each conversion is one
// per-pixel formula over a lane set (colormodels/lanes_inl.h): the vector
// units run it on whole vectors of pixels, every unit on the rest of a row.
//
// Integer members compute in single precision on their codes (16s samples
// are first moved to the 16u scale). Reciprocals are exact: 1/x is the
// correctly rounded quotient, then multiplied where the formula multiplies.
#include <cstdint>

#include "colormodels/hls_hsv/rows.h"
#include "colormodels/lanes_inl.h"

namespace qrx {
inline namespace QRX_ISA {
namespace {

using lanes::Form;
using lanes::Layout;
using lanes::Px;

// Code scales of the integer types.
template <class T>
struct Codes {
    static constexpr int kOffset = 0;        // sample = code - kOffset
    static constexpr int kMax = 255;         // largest code
    static constexpr float kFull = 255.0f;
    static constexpr float kHalfFull = 127.5f;
    static constexpr float kTwiceFull = 510.0f;
    static constexpr double kHlsHue = 0.7083333;    // degrees to H (255 / 360)
    static constexpr float kHueIn = 1.4117647f;      // H to degrees (360 / 255)
    static constexpr float kUnit = 0.003921569f;     // 1 / 255
    static constexpr float kHsvHue = 42.5f;          // sixths of a turn to H
    static constexpr bool kDivide60 = false;         // HLS inverse: x / 60 or x (1/60)
};

template <>
struct Codes<Qrx16u> {
    static constexpr int kOffset = 0;
    static constexpr int kMax = 65535;
    static constexpr float kFull = 65535.0f;
    static constexpr float kHalfFull = 32767.5f;
    static constexpr float kTwiceFull = 131070.0f;
    static constexpr double kHlsHue = 182.04167;
    static constexpr float kHueIn = 0.0054932479f;
    static constexpr float kUnit = 1.5259022e-05f;
    static constexpr float kHsvHue = 10922.5f;
    static constexpr bool kDivide60 = false;
};

template <>
struct Codes<Qrx16s> : Codes<Qrx16u> {
    static constexpr int kOffset = 32768;
    static constexpr bool kDivide60 = true;
};

constexpr float kSixtieth = 0.016666668f;

// A sample as a float code on the 0..max scale, and back.
template <class L, class T>
QRX_LANES_INLINE typename L::F codeIn(typename L::I v) {
    if constexpr (Codes<T>::kOffset != 0) v = v + L::i(Codes<T>::kOffset);
    return L::toF(v);
}
template <class L, class T>
QRX_LANES_INLINE typename L::I codeOut(typename L::I v) {
    if constexpr (Codes<T>::kOffset != 0) v = v - L::i(Codes<T>::kOffset);
    return v;
}

// Hue in degrees from the channel that is the maximum; the first test
// that holds wins. q is 1/d, or d itself when Divide. Each lane picks its
// difference and offset before the one product (or quotient).
template <class L, bool Divide>
QRX_LANES_INLINE typename L::F hueDegrees(typename L::F r, typename L::F g, typename L::F b,
                                          typename L::F mx, typename L::F q) {
    using F = typename L::F;
    const auto isR = mx == r, isG = mx == g;
    const F diff = L::select(isR, g - b, L::select(isG, b - r, r - g));
    const F scaled = diff * L::f(60);
    F h;
    if constexpr (Divide) h = scaled / q;
    else h = scaled * q;
    h = L::select(isR, h, h + L::select(isG, L::f(120), L::f(240)));
    return L::select(h < L::f(0), h + L::f(360), h);
}

// The HLS inverse's channel value at hue x (degrees) between m1 and m2.
template <class L, bool Divide>
QRX_LANES_INLINE typename L::F hlsValue(typename L::F x, typename L::F m1, typename L::F m2) {
    using F = typename L::F;
    const auto ramp = [&](F t) {
        const F slope = (m2 - m1) * t;
        if constexpr (Divide) return m1 + slope / L::f(60);
        else return m1 + slope * L::f(kSixtieth);
    };
    return L::select(x < L::f(60), ramp(x),
                     L::select(x < L::f(180), m2,
                               L::select(x < L::f(240), ramp(L::f(240) - x), m1)));
}

// m1 and m2 of the HLS inverse, and the hues of R and B from that of G.
template <class L>
struct HlsSpan {
    typename L::F m1, m2, xr, xb;
};
template <class L>
QRX_LANES_INLINE HlsSpan<L> hlsSpan(typename L::F h, typename L::F l, typename L::F s) {
    using F = typename L::F;
    const F m2 = L::select(l <= L::f(0.5f), l * (L::f(1) + s), (l + s) - l * s);
    const F m1 = L::f(2) * l - m2;
    const F xr = h + L::f(120), xb = h - L::f(120);
    return {m1, m2, L::select(xr > L::f(360), xr - L::f(360), xr),
            L::select(xb < L::f(0), xb + L::f(360), xb)};
}

// ---- RGB to HLS ----------------------------------------------------------------

template <class T>
struct RgbToHls {
    static constexpr int kGroup = 1;
    template <class L, bool>
    QRX_LANES_INLINE static Px<typename L::I> apply(const Px<typename L::I>& p) {
        using C = Codes<T>;
        using F = typename L::F;
        const F r = codeIn<L, T>(p.c[0]), g = codeIn<L, T>(p.c[1]), b = codeIn<L, T>(p.c[2]);
        const F mx = L::max(L::max(r, g), b), mn = L::min(L::min(r, g), b);
        const F d = mx - mn, sum = mx + mn, half = sum * L::f(0.5f);
        const auto grey = d == L::f(0);
        const F base = L::select(half > L::f(C::kHalfFull), L::f(C::kTwiceFull) - sum, sum);
        const F one = L::f(1);
        const F rd = one / L::select(grey, one, d);
        const F rs = one / L::select(grey, one, base);
        const F sat = L::select(grey, L::f(0), d * rs * L::f(C::kFull));
        const F h = L::select(grey, L::f(0), hueDegrees<L, false>(r, g, b, mx, rd));
        return {{codeOut<L, T>(L::truncMulD(h, C::kHlsHue)), codeOut<L, T>(L::truncI(half)),
                 codeOut<L, T>(L::truncI(sat))},
                p.a};
    }
};

template <>
struct RgbToHls<Qrx32f> {
    static constexpr int kGroup = 1;
    template <class L, bool>
    QRX_LANES_INLINE static Px<typename L::F> apply(const Px<typename L::F>& p) {
        using F = typename L::F;
        const F r = p.c[0], g = p.c[1], b = p.c[2];
        const F mx = L::max(L::max(r, g), b), mn = L::min(L::min(r, g), b);
        const F d = mx - mn, sum = mx + mn, l = L::f(0.5f) * sum;
        const auto grey = d <= L::f(1.1920929e-07f);
        const F one = L::f(1), zero = L::f(0);
        const F dd = L::select(grey, one, d);
        const F base = L::select(grey, one, L::select(l <= L::f(0.5f), sum, L::f(2) - sum));
        const F h = hueDegrees<L, true>(r, g, b, mx, dd) / L::f(360);
        return {{L::select(grey, zero, h), l, L::select(grey, zero, d / base)}, p.a};
    }
};

// ---- HLS to RGB ----------------------------------------------------------------

template <class T>
struct HlsToRgb {
    static constexpr int kGroup = 1;
    template <class L, bool>
    QRX_LANES_INLINE static Px<typename L::I> apply(const Px<typename L::I>& p) {
        using C = Codes<T>;
        using F = typename L::F;
        const F h = codeIn<L, T>(p.c[0]) * L::f(C::kHueIn);
        const F l = codeIn<L, T>(p.c[1]) * L::f(C::kUnit);
        const F s = codeIn<L, T>(p.c[2]) * L::f(C::kUnit);
        const auto grey = s == L::f(0);
        const HlsSpan<L> sp = hlsSpan<L>(h, l, s);
        const auto channel = [&](F x) {
            const F v = hlsValue<L, C::kDivide60>(x, sp.m1, sp.m2) * L::f(C::kFull);
            // Grey copies the lightness sample itself.
            return L::selectI(grey, p.c[1], codeOut<L, T>(L::truncI(v)));
        };
        return {{channel(sp.xr), channel(h), channel(sp.xb)}, p.a};
    }
};

template <>
struct HlsToRgb<Qrx32f> {
    static constexpr int kGroup = 1;
    template <class L, bool>
    QRX_LANES_INLINE static Px<typename L::F> apply(const Px<typename L::F>& p) {
        using F = typename L::F;
        const F h = p.c[0] * L::f(360), l = p.c[1], s = p.c[2];
        const auto grey = s == L::f(0);
        const HlsSpan<L> sp = hlsSpan<L>(h, l, s);
        const auto channel = [&](F x) { return L::select(grey, l, hlsValue<L, false>(x, sp.m1, sp.m2)); };
        return {{channel(sp.xr), channel(h), channel(sp.xb)}, p.a};
    }
};

// ---- RGB to HSV ----------------------------------------------------------------

// 8-bit rows truncate S and H in their leading groups of four pixels and
// round in the rest; 16-bit rows round everywhere.
template <class L, bool Truncate>
QRX_LANES_INLINE typename L::I toCode(typename L::F v) {
    if constexpr (Truncate) return L::truncI(v);
    else return L::roundI(v);
}

template <class T>
struct RgbToHsv {
    static constexpr int kGroup = sizeof(T) == 1 ? 4 : 1;
    template <class L, bool Group>
    QRX_LANES_INLINE static Px<typename L::I> apply(const Px<typename L::I>& p) {
        using C = Codes<T>;
        using F = typename L::F;
        const F r = L::toF(p.c[0]), g = L::toF(p.c[1]), b = L::toF(p.c[2]);
        const F mx = L::max(L::max(r, g), b), mn = L::min(L::min(r, g), b);
        const F d = mx - mn, zero = L::f(0), one = L::f(1);
        const auto none = L::either(mx == zero, d == zero);
        const F rm = one / L::select(none, one, mx), rd = one / L::select(none, one, d);
        const F sat = L::select(none, zero, d * rm * L::f(C::kFull));
        const F rc = (mx - r) * rd, gc = (mx - g) * rd, bc = (mx - b) * rd;
        F h = bc - gc;
        h = L::select(mx == g, L::f(2) + rc - bc, h);  // a later test overrides
        h = L::select(mx == b, L::f(4) + gc - rc, h);
        F hue = h * L::f(C::kHsvHue);
        hue = L::select(none, zero, L::select(hue < zero, hue + L::f(C::kFull), hue));
        return {{toCode<L, Group>(hue), toCode<L, Group>(sat), L::truncI(mx)}, p.a};
    }
};

// ---- HSV to RGB ----------------------------------------------------------------

template <class T>
struct HsvToRgb {
    static constexpr int kGroup = sizeof(T) == 1 ? 4 : 1;
    template <class L, bool Group>
    QRX_LANES_INLINE static Px<typename L::I> apply(const Px<typename L::I>& p) {
        using C = Codes<T>;
        using F = typename L::F;
        using I = typename L::I;
        const I vc = p.c[2];
        const F v = L::toF(vc);
        const F hue = L::toF(p.c[0]) * L::f(C::kHueIn) * L::f(kSixtieth);
        const F h = L::select(L::equalI(p.c[0], L::i(C::kMax)), L::f(0), hue);
        const I sector = L::truncI(h);
        const F f = h - L::toF(sector);
        const F q = v * (L::toF(p.c[1]) * L::f(C::kUnit));
        const I rise = toCode<L, Group>(v - q + f * q);  // V - q + f q
        const I fall = toCode<L, Group>(v - f * q);
        const I low = toCode<L, Group>(v - q);
        const auto in = [&](int k) { return L::equalI(sector, L::i(k)); };
        const I r = L::selectI(in(0), vc, L::selectI(in(1), fall,
                    L::selectI(L::either(in(2), in(3)), low, L::selectI(in(4), rise, vc))));
        const I g = L::selectI(in(0), rise, L::selectI(L::either(in(1), in(2)), vc,
                    L::selectI(in(3), fall, low)));
        const I b = L::selectI(L::either(in(0), in(1)), low, L::selectI(in(2), rise,
                    L::selectI(L::either(in(3), in(4)), vc, fall)));
        const auto grey = L::equalI(p.c[1], L::i(0));
        return {{L::selectI(grey, vc, r), L::selectI(grey, vc, g), L::selectI(grey, vc, b)}, p.a};
    }
};

// ---- rows ----------------------------------------------------------------------

template <class T, Form In, Form Out, template <class> class Op, bool BgrIn = false,
          bool BgrOut = false>
void row(RowPtrs<const T> s, RowPtrs<T> d, int width) {
    lanes::convertRow<T, Layout<T, In, BgrIn>, Layout<T, Out, BgrOut>, Op<T>>(s, d, width);
}

// The RGB members, three channels and four with the fourth left alone.
template <class T, template <class> class Op>
constexpr HlsRow<T> c3 = row<T, Form::C3, Form::C3, Op>;
template <class T, template <class> class Op>
constexpr HlsRow<T> ac4 = row<T, Form::AC4, Form::AC4, Op>;

}  // namespace

extern const HlsHsvRows kHlsHsvRows;
const HlsHsvRows kHlsHsvRows{
    {c3<Qrx8u, RgbToHls>, ac4<Qrx8u, RgbToHls>},   {c3<Qrx8u, HlsToRgb>, ac4<Qrx8u, HlsToRgb>},
    {c3<Qrx8u, RgbToHsv>, ac4<Qrx8u, RgbToHsv>},   {c3<Qrx8u, HsvToRgb>, ac4<Qrx8u, HsvToRgb>},
    {c3<Qrx16u, RgbToHls>, ac4<Qrx16u, RgbToHls>},  {c3<Qrx16u, HlsToRgb>, ac4<Qrx16u, HlsToRgb>},
    {c3<Qrx16u, RgbToHsv>, ac4<Qrx16u, RgbToHsv>},  {c3<Qrx16u, HsvToRgb>, ac4<Qrx16u, HsvToRgb>},
    {c3<Qrx16s, RgbToHls>, ac4<Qrx16s, RgbToHls>},  {c3<Qrx16s, HlsToRgb>, ac4<Qrx16s, HlsToRgb>},
    {c3<Qrx32f, RgbToHls>, ac4<Qrx32f, RgbToHls>},  {c3<Qrx32f, HlsToRgb>, ac4<Qrx32f, HlsToRgb>},
    row<Qrx8u, Form::AC4, Form::AC4, RgbToHls, true>,
    {
        row<Qrx8u, Form::C3, Form::P3, RgbToHls, true>,
        row<Qrx8u, Form::P3, Form::C3, RgbToHls, true>,
        row<Qrx8u, Form::P3, Form::P3, RgbToHls, true>,
        row<Qrx8u, Form::C4, Form::AP4, RgbToHls, true>,
        row<Qrx8u, Form::AP4, Form::C4, RgbToHls, true>,
        row<Qrx8u, Form::AP4, Form::AP4, RgbToHls, true>,
    },
    {
        row<Qrx8u, Form::C3, Form::P3, HlsToRgb, false, true>,
        row<Qrx8u, Form::P3, Form::C3, HlsToRgb, false, true>,
        row<Qrx8u, Form::P3, Form::P3, HlsToRgb, false, true>,
        row<Qrx8u, Form::C4, Form::AP4, HlsToRgb, false, true>,
        row<Qrx8u, Form::AP4, Form::C4, HlsToRgb, false, true>,
        row<Qrx8u, Form::AP4, Form::AP4, HlsToRgb, false, true>,
    },
};

}  // namespace QRX_ISA
}  // namespace qrx
