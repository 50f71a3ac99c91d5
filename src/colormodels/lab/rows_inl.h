// Row functions of BGR to and from Lab, compiled once per target by the
// units the build generates (QRX_ISA names the target). Each formula is
// written once over lane sets (colormodels/lanes_inl.h).
#include <type_traits>

#include "colormodels/cie.h"
#include "colormodels/lab/rows.h"
#include "colormodels/lanes_inl.h"

namespace qrx {
inline namespace QRX_ISA {
namespace {

using lanes::Form;
using lanes::Layout;
using lanes::Px;
using lanes::roundClamp;

// White normalisation of X, Y and Z from 0..255 RGB: 1/(255 Xn), 1/255,
// 1/(255 Zn) with Xn 0.950456 and Zn 1.088754.
constexpr float kWhiteScale[3] = {0.0041259914f, 0.003921569f, 0.0036018905f};
constexpr float kLinear = 0.008856f;

// f(t) of the Lab definition: cube root above the threshold, 7.787 t + 16/116
// below. Terms picks the length of the cube-root series.
template <class L, int Terms>
QRX_LANES_INLINE typename L::F labF(typename L::F t, typename L::F& cbrt) {
    cbrt = lanes::cbrtFromTable<L, Terms>(kLabCubeRoots, t, lanes::cubeRootIndex<L, 128>(t, 127.99805f));
    return L::select(t <= L::f(kLinear), L::f(7.787f) * t + L::f(0.13793103f), cbrt);
}

// Channel order B, G, R in; L, a, b codes out, rounded to nearest (ties to
// even) and saturated.
template <class D>
struct BgrToLab {
    static constexpr int kGroup = 1;
    static constexpr bool k16 = std::is_same_v<D, Qrx16u>;

    template <class L, bool>
    QRX_LANES_INLINE static Px<typename L::I> apply(const Px<typename L::I>& p) {
        using F = typename L::F;
        const F rgb[3] = {L::toF(p.c[2]), L::toF(p.c[1]), L::toF(p.c[0])};
        F t[3], f[3], cb[3];
        for (int i = 0; i < 3; ++i) {
            t[i] = ((L::f(kRgbToXyz[i][0]) * rgb[0] + L::f(kRgbToXyz[i][1]) * rgb[1]) +
                    L::f(kRgbToXyz[i][2]) * rgb[2]) *
                   L::f(kWhiteScale[i]);
            f[i] = labF<L, k16 ? 9 : 7>(t[i], cb[i]);
        }
        const F l = L::select(t[1] > L::f(kLinear), L::f(116.0f) * cb[1] - L::f(16.0f),
                              L::f(903.3f) * t[1]);
        const F a = L::f(500.0f) * (f[0] - f[1]);
        const F b = L::f(200.0f) * (f[1] - f[2]);
        if constexpr (k16) {
            return {{roundClamp<L>(l * L::f(655.35f), 0.0f, 65535.0f),
                     roundClamp<L>((a + L::f(128.0f)) * L::f(255.0f), 0.0f, 65535.0f),
                     roundClamp<L>((b + L::f(128.0f)) * L::f(255.0f), 0.0f, 65535.0f)},
                    p.a};
        } else {
            return {{roundClamp<L>(l * L::f(2.55f), 0.0f, 255.0f),
                     roundClamp<L>(a + L::f(128.0f), 0.0f, 255.0f),
                     roundClamp<L>(b + L::f(128.0f), 0.0f, 255.0f)},
                    p.a};
        }
    }
};

// L, a, b codes in; B, G, R out. No linear segment: the cube serves every L.
template <class S>
struct LabToBgr {
    static constexpr int kGroup = 1;

    template <class L, bool>
    QRX_LANES_INLINE static Px<typename L::I> apply(const Px<typename L::I>& p) {
        using F = typename L::F;
        F l, a, b;
        if constexpr (std::is_same_v<S, Qrx16u>) {
            l = L::toF(p.c[0]) * L::f(0.0015259022f);
            a = L::toF(p.c[1]) * L::f(0.003921569f) - L::f(128.0f);
            b = L::toF(p.c[2]) * L::f(0.003921569f) - L::f(128.0f);
        } else {
            l = L::toF(p.c[0]) * L::f(0.39215687f);
            a = L::toF(p.c[1] - L::i(128));
            b = L::toF(p.c[2] - L::i(128));
        }
        const F fy = (l + L::f(16.0f)) * L::f(0.00862069f);
        const F fx = fy + a * L::f(0.002f);
        const F fz = fy - b * L::f(0.005f);
        const F xyz[3] = {((fx * fx) * fx) * L::f(242.366f), ((fy * fy) * fy) * L::f(255.0f),
                          ((fz * fz) * fz) * L::f(277.632f)};
        typename L::I out[3];
        for (int i = 0; i < 3; ++i) {
            const F v = (L::f(kXyzToRgb[i][0]) * xyz[0] + L::f(kXyzToRgb[i][1]) * xyz[1]) +
                        L::f(kXyzToRgb[i][2]) * xyz[2];
            out[2 - i] = roundClamp<L>(v, 0.0f, 255.0f);
        }
        return {{out[0], out[1], out[2]}, p.a};
    }
};

template <class S, class D, class Op>
void row(const S* src, D* dst, int width) {
    lanes::convertRow<S, D, Layout<S, Form::C3>, Layout<D, Form::C3>, Op>(RowPtrs<const S>{{src}},
                                                                        RowPtrs<D>{{dst}}, width);
}

}  // namespace

extern const LabRows kLabRows;
const LabRows kLabRows{
    row<Qrx8u, Qrx8u, BgrToLab<Qrx8u>>,
    row<Qrx8u, Qrx16u, BgrToLab<Qrx16u>>,
    row<Qrx8u, Qrx8u, LabToBgr<Qrx8u>>,
    row<Qrx16u, Qrx8u, LabToBgr<Qrx16u>>,
};

}  // namespace QRX_ISA
}  // namespace qrx
