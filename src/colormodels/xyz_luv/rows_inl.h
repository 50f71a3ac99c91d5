// Row functions of RGB to and from XYZ and LUV, compiled once per target by
// the units the build generates (QRX_ISA names the target). Each formula is
// written once over lane sets (colormodels/lanes_inl.h): vector targets run
// it on whole vectors of pixels, every target runs it pixel by pixel on the
// rest.
#include <cstdint>
#include <type_traits>

#include "colormodels/cie.h"
#include "colormodels/lanes_inl.h"
#include "colormodels/xyz_luv/luv_tables.h"
#include "colormodels/xyz_luv/rows.h"

namespace qrx {
inline namespace QRX_ISA {
namespace {

using lanes::clampF;
using lanes::Form;
using lanes::Layout;
using lanes::Px;
using lanes::Raw;
using lanes::roundClamp;
using lanes::truncClamp;

// ---- sample scales ---------------------------------------------------------
// Integer samples enter the float arithmetic on the 0..65535 (or 0..255)
// scale; 16s samples are the 16u value minus 32768.

template <class T>
constexpr float kMax = std::is_same_v<T, Qrx8u> ? 255.0f : 65535.0f;

template <class L, class T>
QRX_LANES_INLINE typename L::F toScale(Raw<L, T> v) {
    if constexpr (std::is_same_v<T, Qrx32f>) return v;
    else if constexpr (std::is_same_v<T, Qrx16s>) return L::toF(v + L::i(32768));
    else return L::toF(v);
}

// A code on the 0..max scale as the destination's sample.
template <class L, class T>
QRX_LANES_INLINE typename L::I fromCode(typename L::I code) {
    if constexpr (std::is_same_v<T, Qrx16s>) return code - L::i(32768);
    else return code;
}

template <class L>
QRX_LANES_INLINE void matrix(const float (&m)[3][3], const typename L::F in[3], typename L::F out[3]) {
    for (int i = 0; i < 3; ++i)
        out[i] = (L::f(m[i][0]) * in[0] + L::f(m[i][1]) * in[1]) + L::f(m[i][2]) * in[2];
}

// ---- XYZ -------------------------------------------------------------------

// 8-bit fixed point: the matrix scaled by 2^Shift, then an arithmetic shift;
// the store saturates to 0..255.
template <const int (&M)[3][3], int Shift>
struct IntMatrix {
    template <class L>
    QRX_LANES_INLINE static void px(const typename L::I in[3], typename L::I out[3]) {
        for (int i = 0; i < 3; ++i)
            out[i] = L::template shr<Shift>(L::i(M[i][0]) * in[0] + L::i(M[i][1]) * in[1] +
                                            L::i(M[i][2]) * in[2]);
    }
};

// Leading groups: the matrix x 32768 rounded (>> 15); tail: x 65536
// truncated (>> 16). White gives 242, 255, 255 and 242, 254, 255.
constexpr int kXyzLead[3][3] = {{13515, 11717, 5912}, {6969, 23434, 2365}, {634, 3906, 31137}};
constexpr int kXyzTail[3][3] = {{27030, 23434, 11824}, {13937, 46868, 4729}, {1267, 7811, 62274}};
// Inverse: leading groups x 8192 (>> 13), tail x 65536 truncated toward zero.
constexpr int kRgbLead[3][3] = {{26546, -12591, -4083}, {-7939, 15368, 340}, {456, -1671, 8661}};
constexpr int kRgbTail[3][3] = {
    {212368, -100738, -32671}, {-63521, 122944, 2723}, {3646, -13372, 69291}};

using RgbToXyzLead8 = IntMatrix<kXyzLead, 15>;
using RgbToXyzTail8 = IntMatrix<kXyzTail, 16>;
using XyzToRgbLead8 = IntMatrix<kRgbLead, 13>;
using XyzToRgbTail8 = IntMatrix<kRgbTail, 16>;

// 16u, 16s and 32f: the float matrix. Integer results are truncated and
// clamped to 0..65535 (then offset for 16s). Float results: the forward
// direction clamps only Z, the inverse all three, to [0, 1].
template <class T, bool Inverse>
struct FloatMatrix {
    template <class L>
    QRX_LANES_INLINE static void px(const Raw<L, T> in[3], Raw<L, T> out[3]) {
        typename L::F v[3], s[3];
        for (int c = 0; c < 3; ++c) v[c] = toScale<L, T>(in[c]);
        matrix<L>(Inverse ? kXyzToRgb : kRgbToXyz, v, s);
        for (int c = 0; c < 3; ++c) {
            if constexpr (std::is_same_v<T, Qrx32f>)
                out[c] = Inverse || c == 2 ? clampF<L>(s[c], 0.0f, 1.0f) : s[c];
            else
                out[c] = fromCode<L, T>(truncClamp<L>(s[c], 0.0f, 65535.0f));
        }
    }
};

// ---- RGB to LUV --------------------------------------------------------------

constexpr float kUn = 0.197839f, kVn = 0.468342f;

// 32f: unscaled L, u, v; 9-term cube-root series.
struct RgbToLuv32f {
    template <class L>
    QRX_LANES_INLINE static void px(const typename L::F in[3], typename L::F out[3]) {
        using F = typename L::F;
        F xyz[3];
        matrix<L>(kRgbToXyz, in, xyz);
        const F x = xyz[0], y = xyz[1], z = xyz[2];
        const F cb = lanes::cbrtFromTable<L, 9>(kLuvCubeRoots, y, lanes::cubeRootIndex<L, 129>(y, 128.0f));
        const F l = L::select(y > L::f(0.008856f), L::f(116.0f) * cb - L::f(16.0f), L::f(903.3f) * y);
        const F q = L::f(1.0f) / ((x + L::f(15.0f) * y) + L::f(3.0f) * z);
        const auto black = z == L::f(0.0f);
        const F up = L::select(black, L::f(0.0f), (L::f(4.0f) * x) * q);
        const F vp = L::select(black, L::f(0.0f), (L::f(9.0f) * y) * q);
        const F l13 = L::f(13.0f) * l;
        out[0] = l;
        out[1] = l13 * (up - L::f(kUn));
        out[2] = l13 * (vp - L::f(kVn));
    }
};

// 16u (truncating) and 16s (rounding to nearest): 7-term series.
template <class T>
struct RgbToLuv16 {
    static constexpr bool kSigned = std::is_same_v<T, Qrx16s>;

    template <class L>
    static typename L::I code(typename L::F v) {
        if constexpr (kSigned) return roundClamp<L>(v, 0.0f, 65535.0f);
        else return truncClamp<L>(v, 0.0f, 65535.0f);
    }

    template <class L>
    QRX_LANES_INLINE static void px(const typename L::I in[3], typename L::I out[3]) {
        using F = typename L::F;
        const F rgb[3] = {toScale<L, T>(in[0]), toScale<L, T>(in[1]), toScale<L, T>(in[2])};
        F xyz[3];
        matrix<L>(kRgbToXyz, rgb, xyz);
        const F x = xyz[0], y = xyz[1], z = xyz[2];
        const auto index = L::template shr<9>(code<L>(y));
        const F yn = y * L::f(1.5259022e-05f);
        const F cb = lanes::cbrtFromTable<L, 7>(kLuvCubeRoots, yn, index);
        const F l = L::select(y > L::f(580.378f), L::f(116.0f) * cb - L::f(16.0f), yn * L::f(903.3f));
        const F d = (L::f(3.0f) * z + L::f(15.0f) * y) + x;
        const F q = L::f(1.0f) / d;
        const F l13 = L::f(13.0f) * l;
        const F u = ((L::f(4.0f) * x) * q - L::f(kUn)) * l13;
        const F v = ((L::f(9.0f) * y) * q - L::f(kVn)) * l13;
        const auto black = d == L::f(0.0f);
        out[0] = fromCode<L, T>(code<L>(l * L::f(655.35f)));
        out[1] = fromCode<L, T>(
            L::selectI(black, L::i(0), code<L>((u + L::f(134.0f)) * L::f(185.12712f))));
        out[2] = fromCode<L, T>(L::selectI(
            black, L::i(0), code<L>((v + L::f(140.0f)) * L::f(250.13359f) + L::f(0.5f))));
    }
};

// 8u: lightness from the tables, u and v by true division.
struct RgbToLuv8u {
    template <class L>
    QRX_LANES_INLINE static void px(const typename L::I in[3], typename L::I out[3]) {
        using F = typename L::F;
        const F rgb[3] = {L::toF(in[0]), L::toF(in[1]), L::toF(in[2])};
        F xyz[3];
        matrix<L>(kRgbToXyz, rgb, xyz);
        const typename L::I i = truncClamp<L>(xyz[1] + L::f(0.5f), 0.0f, 255.0f);
        const typename L::I j = truncClamp<L>(L::f(4.0f) * xyz[1] + L::f(0.5f), 0.0f, 127.0f);
        const typename L::I big = L::gatherI(kLuvLightness.big, i);
        const typename L::I small = L::gatherI(kLuvLightness.small, j);
        const auto dark = L::toF(i) < L::f(32.0f);
        const F lq = L::select(dark, L::toF(small) * L::f(0.25f), L::toF(big));
        const auto zero = L::both(dark, L::toF(j) == L::f(0.0f));
        const F xn = xyz[0] / L::f(255.0f), yn = xyz[1] / L::f(255.0f), zn = xyz[2] / L::f(255.0f);
        const F d = (L::f(3.0f) * zn + xn) + L::f(15.0f) * yn;
        const F up = L::select(zero, L::f(0.0f), (L::f(4.0f) * xn) / d);
        const F vp = L::select(zero, L::f(0.0f), (L::f(9.0f) * yn) / d);
        out[0] = L::selectI(dark, L::template shr<2>(small + L::i(2)), big);
        out[1] = truncClamp<L>((L::f(3.6723163f) * lq) * (up - L::f(kUn)) + L::f(97.02543f), 0.0f,
                               255.0f);
        out[2] = truncClamp<L>((L::f(4.961832f) * lq) * (vp - L::f(kVn)) + L::f(136.75955f), 0.0f,
                               255.0f);
    }
};

// ---- LUV to RGB --------------------------------------------------------------

// X and Z from Y (on the output scale) and the chromaticities u', v'.
template <class L>
QRX_LANES_INLINE void xzFromChroma(typename L::F y, typename L::F up, typename L::F vp, typename L::F& x,
                  typename L::F& z) {
    const typename L::F t = y / vp;
    x = (L::f(2.25f) * t) * up;
    z = (L::f(3.0f) * t - L::f(5.0f) * y) - x / L::f(3.0f);
}

// Y from L, before scaling: the cube above the threshold, linear below.
template <class L>
QRX_LANES_INLINE typename L::F yFromLightness(typename L::F l) {
    const typename L::F a = (l + L::f(16.0f)) / L::f(116.0f);
    return L::select(l >= L::f(7.9996247f), (a * a) * a, l / L::f(903.3f));
}

// 8u, 16u and 16s: decode, +0.5 and truncate, clamp to 0..max; blue's last
// product and sum in double precision. Black below L 9e-5.
template <class T>
struct LuvToRgbInt {
    template <class L>
    QRX_LANES_INLINE static void px(const typename L::I in[3], typename L::I out[3]) {
        using F = typename L::F;
        const F m = L::f(kMax<T>);
        const F l = (toScale<L, T>(in[0]) * L::f(100.0f)) / m;
        const F u = (toScale<L, T>(in[1]) * L::f(354.0f)) / m - L::f(134.0f);
        const F v = (toScale<L, T>(in[2]) * L::f(262.0f)) / m - L::f(140.0f);
        const F y = yFromLightness<L>(l) * m;
        const F l13 = L::f(13.0f) * l;
        const F up = u / l13 + L::f(0.19783941f);
        F vp = v / l13 + L::f(0.4683422f);
        if constexpr (!std::is_same_v<T, Qrx8u>)
            vp = L::select(L::abs(vp) < L::f(1.1920929e-05f), vp + L::f(9e-5f), vp);
        F x, z;
        xzFromChroma<L>(y, up, vp, x, z);
        const typename L::I rgb[3] = {
            truncClamp<L>(((L::f(0.5f) - L::f(1.53715f) * y) + L::f(3.240479f) * x) -
                              L::f(0.498535f) * z,
                          0.0f, kMax<T>),
            truncClamp<L>(((L::f(1.875991f) * y + L::f(0.5f)) - L::f(0.969256f) * x) +
                              L::f(0.041556f) * z,
                          0.0f, kMax<T>),
            L::truncHalfPlusD(L::f(0.055648f) * x - L::f(0.204043f) * y, 1.057311, z, 0.0,
                              kMax<T>)};
        const auto black = l < L::f(9e-5f);
        for (const int c : {0, 1, 2}) out[c] = fromCode<L, T>(L::selectI(black, L::i(0), rgb[c]));
    }
};

// 32f: no decoding, the 32f white point, float matrix clamped to [0, 1].
struct LuvToRgb32f {
    template <class L>
    QRX_LANES_INLINE static void px(const typename L::F in[3], typename L::F out[3]) {
        using F = typename L::F;
        const F l = in[0];
        const F y = yFromLightness<L>(l);
        const F l13 = L::f(13.0f) * l;
        const F up = in[1] / l13 + L::f(kUn);
        F vp = in[2] / l13 + L::f(kVn);
        vp = L::select(L::abs(vp) < L::f(1.1920929e-07f), vp + L::f(9e-5f), vp);
        F xyz[3], rgb[3];
        xyz[1] = y;
        xzFromChroma<L>(y, up, vp, xyz[0], xyz[2]);
        matrix<L>(kXyzToRgb, xyz, rgb);
        const auto black = l < L::f(9e-5f);
        for (int c = 0; c < 3; ++c)
            out[c] = L::select(black, L::f(0.0f), clampF<L>(rgb[c], 0.0f, 1.0f));
    }
};

// ---- rows ------------------------------------------------------------------

// A formula px(in, out) on the three samples of a pixel as a row operation;
// with Tail, the columns from the leading width rounded down to a multiple
// of Group take Tail's formula instead.
template <class Formula, class Tail = Formula, int Group = 1>
struct PerPixel {
    static constexpr int kGroup = Group;
    template <class L, bool Lead, class X>
    QRX_LANES_INLINE static Px<X> apply(const Px<X>& p) {
        Px<X> out{{}, p.a};
        if constexpr (Lead || Group == 1) Formula::template px<L>(p.c, out.c);
        else Tail::template px<L>(p.c, out.c);
        return out;
    }
};

template <class T, int Channels, class Op>
void row(const T* src, T* dst, int width) {
    constexpr Form kForm = Channels == 3 ? Form::C3 : Form::AC4;
    lanes::convertRow<T, T, Layout<T, kForm>, Layout<T, kForm>, Op>(RowPtrs<const T>{{src}},
                                                                    RowPtrs<T>{{dst}}, width);
}

// 8-bit XYZ: leading groups of 8 (three channels) or 4 (four channels)
// take the vector formula, the rest of the row the tail formula.
template <class Lead, class Tail>
constexpr CieRowPair<Qrx8u> xyz8 = {row<Qrx8u, 3, PerPixel<Lead, Tail, 8>>,
                                    row<Qrx8u, 4, PerPixel<Lead, Tail, 4>>};

template <class Formula, class T>
constexpr CieRowPair<T> pair() {
    return {row<T, 3, PerPixel<Formula>>, row<T, 4, PerPixel<Formula>>};
}

}  // namespace

extern const XyzLuvRows kXyzLuvRows;
const XyzLuvRows kXyzLuvRows{
    .rgbToXyz = {xyz8<RgbToXyzLead8, RgbToXyzTail8>,
                 pair<FloatMatrix<Qrx16u, false>, Qrx16u>(),
                 pair<FloatMatrix<Qrx16s, false>, Qrx16s>(),
                 pair<FloatMatrix<Qrx32f, false>, Qrx32f>()},
    .xyzToRgb = {xyz8<XyzToRgbLead8, XyzToRgbTail8>,
                 pair<FloatMatrix<Qrx16u, true>, Qrx16u>(),
                 pair<FloatMatrix<Qrx16s, true>, Qrx16s>(),
                 pair<FloatMatrix<Qrx32f, true>, Qrx32f>()},
    .rgbToLuv = {pair<RgbToLuv8u, Qrx8u>(), pair<RgbToLuv16<Qrx16u>, Qrx16u>(),
                 pair<RgbToLuv16<Qrx16s>, Qrx16s>(), pair<RgbToLuv32f, Qrx32f>()},
    .luvToRgb = {pair<LuvToRgbInt<Qrx8u>, Qrx8u>(), pair<LuvToRgbInt<Qrx16u>, Qrx16u>(),
                 pair<LuvToRgbInt<Qrx16s>, Qrx16s>(), pair<LuvToRgb32f, Qrx32f>()},
};

}  // namespace QRX_ISA
}  // namespace qrx
