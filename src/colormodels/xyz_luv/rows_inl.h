// Row functions of RGB to and from XYZ and LUV, compiled once per target by
// the units the build generates (QRX_ISA names the target). Each formula is
// written once over lanes (colormodels/lanes.h): vector targets run it on
// whole vectors of pixels, every target runs it pixel by pixel on the rest.
#include <cstdint>
#include <type_traits>

#include "colormodels/cie.h"
#include "colormodels/lanes.h"
#include "colormodels/xyz_luv/luv_tables.h"
#include "colormodels/xyz_luv/rows.h"

namespace qrx {
inline namespace QRX_ISA {
namespace {

// ---- sample scales ---------------------------------------------------------
// Integer samples enter the float arithmetic on the 0..65535 (or 0..255)
// scale; 16s samples are the 16u value minus 32768.

template <class T>
constexpr float kMax = std::is_same_v<T, Qrx8u> ? 255.0f : 65535.0f;

template <class L, class T>
typename L::F toScale(LaneOf<L, T> v) {
    if constexpr (std::is_same_v<T, Qrx32f>) return v;
    else if constexpr (std::is_same_v<T, Qrx16s>) return L::toF(v + L::ki(32768));
    else return L::toF(v);
}

// A code on the 0..max scale as the destination's sample.
template <class L, class T>
typename L::I fromCode(typename L::I code) {
    if constexpr (std::is_same_v<T, Qrx16s>) return code - L::ki(32768);
    else return code;
}

template <class L>
void matrix(const float (&m)[3][3], const typename L::F in[3], typename L::F out[3]) {
    for (int i = 0; i < 3; ++i)
        out[i] = (L::k(m[i][0]) * in[0] + L::k(m[i][1]) * in[1]) + L::k(m[i][2]) * in[2];
}

// ---- XYZ -------------------------------------------------------------------

// 8-bit fixed point: the matrix scaled by 2^Shift, then an arithmetic shift;
// the store saturates to 0..255.
template <const int (&M)[3][3], int Shift>
struct IntMatrix {
    template <class L>
    static void px(const typename L::I in[3], typename L::I out[3]) {
        for (int i = 0; i < 3; ++i)
            out[i] = L::template shr<Shift>(L::ki(M[i][0]) * in[0] + L::ki(M[i][1]) * in[1] +
                                            L::ki(M[i][2]) * in[2]);
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
    static void px(const LaneOf<L, T> in[3], LaneOf<L, T> out[3]) {
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
    static void px(const typename L::F in[3], typename L::F out[3]) {
        using F = typename L::F;
        F xyz[3];
        matrix<L>(kRgbToXyz, in, xyz);
        const F x = xyz[0], y = xyz[1], z = xyz[2];
        const F cb = cbrtFromTable<L, 9>(kLuvCubeRoots, y, cubeRootIndex<L, 129>(y, 128.0f));
        const F l = L::sel(y > L::k(0.008856f), L::k(116.0f) * cb - L::k(16.0f), L::k(903.3f) * y);
        const F q = L::k(1.0f) / ((x + L::k(15.0f) * y) + L::k(3.0f) * z);
        const auto black = z == L::k(0.0f);
        const F up = L::sel(black, L::k(0.0f), (L::k(4.0f) * x) * q);
        const F vp = L::sel(black, L::k(0.0f), (L::k(9.0f) * y) * q);
        const F l13 = L::k(13.0f) * l;
        out[0] = l;
        out[1] = l13 * (up - L::k(kUn));
        out[2] = l13 * (vp - L::k(kVn));
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
    static void px(const typename L::I in[3], typename L::I out[3]) {
        using F = typename L::F;
        const F rgb[3] = {toScale<L, T>(in[0]), toScale<L, T>(in[1]), toScale<L, T>(in[2])};
        F xyz[3];
        matrix<L>(kRgbToXyz, rgb, xyz);
        const F x = xyz[0], y = xyz[1], z = xyz[2];
        const auto index = L::template shr<9>(code<L>(y));
        const F yn = y * L::k(1.5259022e-05f);
        const F cb = cbrtFromTable<L, 7>(kLuvCubeRoots, yn, index);
        const F l = L::sel(y > L::k(580.378f), L::k(116.0f) * cb - L::k(16.0f), yn * L::k(903.3f));
        const F d = (L::k(3.0f) * z + L::k(15.0f) * y) + x;
        const F q = L::k(1.0f) / d;
        const F l13 = L::k(13.0f) * l;
        const F u = ((L::k(4.0f) * x) * q - L::k(kUn)) * l13;
        const F v = ((L::k(9.0f) * y) * q - L::k(kVn)) * l13;
        const auto black = d == L::k(0.0f);
        out[0] = fromCode<L, T>(code<L>(l * L::k(655.35f)));
        out[1] = fromCode<L, T>(
            L::selI(black, L::ki(0), code<L>((u + L::k(134.0f)) * L::k(185.12712f))));
        out[2] = fromCode<L, T>(L::selI(
            black, L::ki(0), code<L>((v + L::k(140.0f)) * L::k(250.13359f) + L::k(0.5f))));
    }
};

// 8u: lightness from the tables, u and v by true division.
struct RgbToLuv8u {
    template <class L>
    static void px(const typename L::I in[3], typename L::I out[3]) {
        using F = typename L::F;
        const F rgb[3] = {L::toF(in[0]), L::toF(in[1]), L::toF(in[2])};
        F xyz[3];
        matrix<L>(kRgbToXyz, rgb, xyz);
        const typename L::I i = truncClamp<L>(xyz[1] + L::k(0.5f), 0.0f, 255.0f);
        const typename L::I j = truncClamp<L>(L::k(4.0f) * xyz[1] + L::k(0.5f), 0.0f, 127.0f);
        const typename L::I big = L::gatherI(kLuvLightness.big, i);
        const typename L::I small = L::gatherI(kLuvLightness.small, j);
        const auto dark = L::toF(i) < L::k(32.0f);
        const F lq = L::sel(dark, L::toF(small) * L::k(0.25f), L::toF(big));
        const auto zero = L::both(dark, L::toF(j) == L::k(0.0f));
        const F xn = xyz[0] / L::k(255.0f), yn = xyz[1] / L::k(255.0f), zn = xyz[2] / L::k(255.0f);
        const F d = (L::k(3.0f) * zn + xn) + L::k(15.0f) * yn;
        const F up = L::sel(zero, L::k(0.0f), (L::k(4.0f) * xn) / d);
        const F vp = L::sel(zero, L::k(0.0f), (L::k(9.0f) * yn) / d);
        out[0] = L::selI(dark, L::template shr<2>(small + L::ki(2)), big);
        out[1] = truncClamp<L>((L::k(3.6723163f) * lq) * (up - L::k(kUn)) + L::k(97.02543f), 0.0f,
                               255.0f);
        out[2] = truncClamp<L>((L::k(4.961832f) * lq) * (vp - L::k(kVn)) + L::k(136.75955f), 0.0f,
                               255.0f);
    }
};

// ---- LUV to RGB --------------------------------------------------------------

// X and Z from Y (on the output scale) and the chromaticities u', v'.
template <class L>
void xzFromChroma(typename L::F y, typename L::F up, typename L::F vp, typename L::F& x,
                  typename L::F& z) {
    const typename L::F t = y / vp;
    x = (L::k(2.25f) * t) * up;
    z = (L::k(3.0f) * t - L::k(5.0f) * y) - x / L::k(3.0f);
}

// Y from L, before scaling: the cube above the threshold, linear below.
template <class L>
typename L::F yFromLightness(typename L::F l) {
    const typename L::F a = (l + L::k(16.0f)) / L::k(116.0f);
    return L::sel(l >= L::k(7.9996247f), (a * a) * a, l / L::k(903.3f));
}

// 8u, 16u and 16s: decode, +0.5 and truncate, clamp to 0..max; blue's last
// product and sum in double precision. Black below L 9e-5.
template <class T>
struct LuvToRgbInt {
    template <class L>
    static void px(const typename L::I in[3], typename L::I out[3]) {
        using F = typename L::F;
        const F m = L::k(kMax<T>);
        const F l = (toScale<L, T>(in[0]) * L::k(100.0f)) / m;
        const F u = (toScale<L, T>(in[1]) * L::k(354.0f)) / m - L::k(134.0f);
        const F v = (toScale<L, T>(in[2]) * L::k(262.0f)) / m - L::k(140.0f);
        const F y = yFromLightness<L>(l) * m;
        const F l13 = L::k(13.0f) * l;
        const F up = u / l13 + L::k(0.19783941f);
        F vp = v / l13 + L::k(0.4683422f);
        if constexpr (!std::is_same_v<T, Qrx8u>)
            vp = L::sel(L::abs(vp) < L::k(1.1920929e-05f), vp + L::k(9e-5f), vp);
        F x, z;
        xzFromChroma<L>(y, up, vp, x, z);
        const typename L::I rgb[3] = {
            truncClamp<L>(((L::k(0.5f) - L::k(1.53715f) * y) + L::k(3.240479f) * x) -
                              L::k(0.498535f) * z,
                          0.0f, kMax<T>),
            truncClamp<L>(((L::k(1.875991f) * y + L::k(0.5f)) - L::k(0.969256f) * x) +
                              L::k(0.041556f) * z,
                          0.0f, kMax<T>),
            L::truncHalfPlusD(L::k(0.055648f) * x - L::k(0.204043f) * y, 1.057311, z, 0.0,
                              kMax<T>)};
        const auto black = l < L::k(9e-5f);
        for (const int c : {0, 1, 2}) out[c] = fromCode<L, T>(L::selI(black, L::ki(0), rgb[c]));
    }
};

// 32f: no decoding, the 32f white point, float matrix clamped to [0, 1].
struct LuvToRgb32f {
    template <class L>
    static void px(const typename L::F in[3], typename L::F out[3]) {
        using F = typename L::F;
        const F l = in[0];
        const F y = yFromLightness<L>(l);
        const F l13 = L::k(13.0f) * l;
        const F up = in[1] / l13 + L::k(kUn);
        F vp = in[2] / l13 + L::k(kVn);
        vp = L::sel(L::abs(vp) < L::k(1.1920929e-07f), vp + L::k(9e-5f), vp);
        F xyz[3], rgb[3];
        xyz[1] = y;
        xzFromChroma<L>(y, up, vp, xyz[0], xyz[2]);
        matrix<L>(kXyzToRgb, xyz, rgb);
        const auto black = l < L::k(9e-5f);
        for (int c = 0; c < 3; ++c)
            out[c] = L::sel(black, L::k(0.0f), clampF<L>(rgb[c], 0.0f, 1.0f));
    }
};

// ---- rows ------------------------------------------------------------------

// 8-bit XYZ: leading groups of 8 (three channels) or 4 (four channels)
// take the vector formula, the rest of the row the tail formula.
template <class Lead, class Tail, int Channels>
void xyz8Row(const Qrx8u* src, Qrx8u* dst, int width) {
    constexpr int group = Channels == 3 ? 8 : 4;
    convertRow<Lead, Tail, Qrx8u, Qrx8u, Channels>(src, dst, width, width / group * group);
}

template <class Formula, class T>
constexpr CieRowPair<T> pair() {
    return {formulaRow<Formula, T, T, 3>, formulaRow<Formula, T, T, 4>};
}

}  // namespace

extern const XyzLuvRows kXyzLuvRows;
const XyzLuvRows kXyzLuvRows{
    .rgbToXyz = {{xyz8Row<RgbToXyzLead8, RgbToXyzTail8, 3>, xyz8Row<RgbToXyzLead8, RgbToXyzTail8, 4>},
                 pair<FloatMatrix<Qrx16u, false>, Qrx16u>(),
                 pair<FloatMatrix<Qrx16s, false>, Qrx16s>(),
                 pair<FloatMatrix<Qrx32f, false>, Qrx32f>()},
    .xyzToRgb = {{xyz8Row<XyzToRgbLead8, XyzToRgbTail8, 3>, xyz8Row<XyzToRgbLead8, XyzToRgbTail8, 4>},
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
