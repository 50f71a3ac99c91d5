// Rows of the RGB <-> YCC conversions, compiled once per target by the units
// the build generates (QRX_ISA names the target). Each conversion is one
// per-pixel formula over a lane set (colormodels/lanes_inl.h): the vector
// units run it on whole vectors of pixels, every unit on the rest of a row,
// so the leading pixels of a row give exactly the values of the rest.
//
// 8-bit members are integer (arithmetic shifts floor); the others compute
// in single precision, each sum taken left to right as written.
#include <cstdint>

#include "colormodels/lanes_inl.h"
#include "colormodels/ycc/rows.h"

namespace qrx {
inline namespace QRX_ISA {
namespace {

using lanes::Form;
using lanes::Layout;
using lanes::Px;

// Rounding term of the float-based integer members.
constexpr float kNearHalf = 0.49999f;

template <class T>
struct RgbToYcc;

// Luma weights 0.299, 0.587, 0.114 at 2^14; Y scaled by 1/1.402 and the
// colour differences by their factors at 2^16, offsets 156 and 137.
template <>
struct RgbToYcc<Qrx8u> {
    static constexpr int kGroup = 1;
    template <class L, bool>
    QRX_LANES_INLINE static Px<typename L::I> apply(const Px<typename L::I>& p) {
        using I = typename L::I;
        const I r = p.c[0], g = p.c[1], b = p.c[2];
        const I s = r * L::i(4898) + g * L::i(9617) + b * L::i(1867);
        const I y = L::template shr<16>(L::template shr<10>(s) * L::i(2921));
        const I c1 = L::template shr<16>(L::template shr<10>(L::template shl<14>(b) - s) * L::i(1789));
        const I c2 = L::template shr<16>(L::template shr<10>(L::template shl<14>(r) - s) * L::i(2178));
        return {{y, c1 + L::i(156), c2 + L::i(137)}, p.a};
    }
};

// Folded coefficients on the 0..65535 scale, offsets 156 and 137 times 257.
template <>
struct RgbToYcc<Qrx16u> {
    static constexpr int kGroup = 1;
    template <class L, bool>
    QRX_LANES_INLINE static Px<typename L::I> apply(const Px<typename L::I>& p) {
        using F = typename L::F;
        const F r = L::toF(p.c[0]), g = L::toF(p.c[1]), b = L::toF(p.c[2]);
        const F half = L::f(kNearHalf);
        const F y = L::f(0.213267f) * r + L::f(0.418688f) * g + L::f(0.0813124f) * b + half;
        const F c1 = L::f(-0.130621f) * r - L::f(0.256437f) * g + L::f(0.387058f) * b +
                     L::f(40092) + half;
        const F c2 = L::f(0.372876f) * r - L::f(0.312237f) * g - L::f(0.0606389f) * b +
                     L::f(35209) + half;
        return {{L::truncI(y), L::truncI(c1), L::truncI(c2)}, p.a};
    }
};

// On the 16u scale (sample + 32768), luma first, then the scaled differences.
template <>
struct RgbToYcc<Qrx16s> {
    static constexpr int kGroup = 1;
    template <class L, bool>
    QRX_LANES_INLINE static Px<typename L::I> apply(const Px<typename L::I>& p) {
        using F = typename L::F;
        using I = typename L::I;
        const I off = L::i(32768);
        const F r = L::toF(p.c[0] + off), g = L::toF(p.c[1] + off), b = L::toF(p.c[2] + off);
        const F half = L::f(kNearHalf);
        const F yl = L::f(0.299f) * r + L::f(0.587f) * g + L::f(0.114f) * b;
        const F y = yl * L::f(0.7132668f) + half;
        const F c1 = (b - yl) * L::f(0.4368627f) + L::f(40092) + half;
        const F c2 = (r - yl) * L::f(0.5319216f) + L::f(35209) + half;
        return {{L::truncI(y) - off, L::truncI(c1) - off, L::truncI(c2) - off}, p.a};
    }
};

template <>
struct RgbToYcc<Qrx32f> {
    static constexpr int kGroup = 1;
    template <class L, bool>
    QRX_LANES_INLINE static Px<typename L::F> apply(const Px<typename L::F>& p) {
        using F = typename L::F;
        const F r = p.c[0], g = p.c[1], b = p.c[2];
        const F y = L::f(0.299f) * r + L::f(0.587f) * g + L::f(0.114f) * b;
        return {{y * L::f(0.7132668f), (b - y) * L::f(0.4368627f) + L::f(0.6117647f),
                 (r - y) * L::f(0.53192f) + L::f(0.5372549f)},
                p.a};
    }
};

template <class T>
struct YccToRgb;

// Luma 1.3584 at 2^12, colour differences 2.2179 and 1.8215 with their
// offsets folded in; green from the differences at 2^8 and weights at 2^16.
template <>
struct YccToRgb<Qrx8u> {
    static constexpr int kGroup = 1;
    template <class L, bool>
    QRX_LANES_INLINE static Px<typename L::I> apply(const Px<typename L::I>& p) {
        using I = typename L::I;
        const I ly = p.c[0] * L::i(5564);
        const I pc1 = p.c[1] * L::i(9084) - L::i(1417104);
        const I pc2 = p.c[2] * L::i(7460) - L::i(1022020);
        const I g = L::template shr<8>(pc1) * L::i(-794) + L::template shl<4>(ly) +
                    L::template shr<8>(pc2) * L::i(-2084);
        return {{L::template shr<12>(pc2 + ly), L::template shr<16>(g), L::template shr<12>(pc1 + ly)},
                p.a};
    }
};

template <>
struct YccToRgb<Qrx16u> {
    static constexpr int kGroup = 1;
    template <class L, bool>
    QRX_LANES_INLINE static Px<typename L::I> apply(const Px<typename L::I>& p) {
        using F = typename L::F;
        const F l = L::toF(p.c[0]) * L::f(1.3584f);
        const F d1 = L::toF(p.c[1] - L::i(40092)), d2 = L::toF(p.c[2] - L::i(35209));
        const F half = L::f(kNearHalf);
        const F r = l + L::f(1.8215f) * d2 + half;
        const F g = l - L::f(0.4302726f) * d1 - L::f(0.92714345f) * d2 + half;
        const F b = l + L::f(2.2179f) * d1 + half;
        return {{L::truncI(r), L::truncI(g), L::truncI(b)}, p.a};
    }
};

// No rounding term: the 16s inverse truncates.
template <>
struct YccToRgb<Qrx16s> {
    static constexpr int kGroup = 1;
    template <class L, bool>
    QRX_LANES_INLINE static Px<typename L::I> apply(const Px<typename L::I>& p) {
        using F = typename L::F;
        using I = typename L::I;
        const I off = L::i(32768);
        const F l = L::toF(p.c[0] + off) * L::f(1.3584f);
        const F d1 = L::toF(p.c[1] - L::i(7324)) * L::f(2.2179f);
        const F d2 = L::toF(p.c[2] - L::i(2441)) * L::f(1.8215f);
        const F g = l - L::f(0.194f) * d1 - L::f(0.509f) * d2;
        return {{L::truncI(l + d2) - off, L::truncI(g) - off, L::truncI(l + d1) - off}, p.a};
    }
};

template <>
struct YccToRgb<Qrx32f> {
    static constexpr int kGroup = 1;
    template <class L, bool>
    QRX_LANES_INLINE static Px<typename L::F> apply(const Px<typename L::F>& p) {
        using F = typename L::F;
        const F l = p.c[0] * L::f(1.3584f);
        const F d1 = (p.c[1] - L::f(0.6117647f)) * L::f(2.2179f);
        const F d2 = (p.c[2] - L::f(0.5372549f)) * L::f(1.8215f);
        const F g = l - L::f(0.194f) * d1 - L::f(0.509f) * d2;
        // Maximum with 0 first: NaN gives 0.
        const auto clamp = [](F v) { return L::min(L::max(v, L::f(0)), L::f(1)); };
        return {{clamp(l + d2), clamp(g), clamp(l + d1)}, p.a};
    }
};

template <class T, Form Pixels, template <class> class Op>
void row(RowPtrs<const T> s, RowPtrs<T> d, int width) {
    lanes::convertRow<T, Layout<T, Pixels>, Layout<T, Pixels>, Op<T>>(s, d, width);
}

template <class T, template <class> class Op>
constexpr YccRow<T> c3 = row<T, Form::C3, Op>;
template <class T, template <class> class Op>
constexpr YccRow<T> ac4 = row<T, Form::AC4, Op>;

}  // namespace

extern const YccRows kYccRows;
const YccRows kYccRows{
    {c3<Qrx8u, RgbToYcc>, ac4<Qrx8u, RgbToYcc>},   {c3<Qrx8u, YccToRgb>, ac4<Qrx8u, YccToRgb>},
    {c3<Qrx16u, RgbToYcc>, ac4<Qrx16u, RgbToYcc>}, {c3<Qrx16u, YccToRgb>, ac4<Qrx16u, YccToRgb>},
    {c3<Qrx16s, RgbToYcc>, ac4<Qrx16s, RgbToYcc>}, {c3<Qrx16s, YccToRgb>, ac4<Qrx16s, YccToRgb>},
    {c3<Qrx32f, RgbToYcc>, ac4<Qrx32f, RgbToYcc>}, {c3<Qrx32f, YccToRgb>, ac4<Qrx32f, YccToRgb>},
};

}  // namespace QRX_ISA
}  // namespace qrx
