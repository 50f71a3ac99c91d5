// Row functions of BGR to and from Lab, compiled once per target by the
// units the build generates (QRX_ISA names the target). Each formula is
// written once over lanes (colormodels/lanes.h).
#include <type_traits>

#include "colormodels/cie.h"
#include "colormodels/lab/rows.h"
#include "colormodels/lanes.h"

namespace qrx {
inline namespace QRX_ISA {
namespace {

// White normalisation of X, Y and Z from 0..255 RGB: 1/(255 Xn), 1/255,
// 1/(255 Zn) with Xn 0.950456 and Zn 1.088754.
constexpr float kWhiteScale[3] = {0.0041259914f, 0.003921569f, 0.0036018905f};
constexpr float kLinear = 0.008856f;

// f(t) of the Lab definition: cube root above the threshold, 7.787 t + 16/116
// below. Terms picks the length of the cube-root series.
template <class L, int Terms>
typename L::F labF(typename L::F t, typename L::F& cbrt) {
    cbrt = cbrtFromTable<L, Terms>(kLabCubeRoots, t, cubeRootIndex<L, 128>(t, 127.99805f));
    return L::sel(t <= L::k(kLinear), L::k(7.787f) * t + L::k(0.13793103f), cbrt);
}

// Channel order B, G, R in; L, a, b codes out, rounded to nearest (ties to
// even) and saturated.
template <class D>
struct BgrToLab {
    static constexpr bool k16 = std::is_same_v<D, Qrx16u>;

    template <class L>
    static void px(const typename L::I in[3], typename L::I out[3]) {
        using F = typename L::F;
        const F rgb[3] = {L::toF(in[2]), L::toF(in[1]), L::toF(in[0])};
        F t[3], f[3], cb[3];
        for (int i = 0; i < 3; ++i) {
            t[i] = ((L::k(kRgbToXyz[i][0]) * rgb[0] + L::k(kRgbToXyz[i][1]) * rgb[1]) +
                    L::k(kRgbToXyz[i][2]) * rgb[2]) *
                   L::k(kWhiteScale[i]);
            f[i] = labF<L, k16 ? 9 : 7>(t[i], cb[i]);
        }
        const F l = L::sel(t[1] > L::k(kLinear), L::k(116.0f) * cb[1] - L::k(16.0f),
                           L::k(903.3f) * t[1]);
        const F a = L::k(500.0f) * (f[0] - f[1]);
        const F b = L::k(200.0f) * (f[1] - f[2]);
        if constexpr (k16) {
            out[0] = roundClamp<L>(l * L::k(655.35f), 0.0f, 65535.0f);
            out[1] = roundClamp<L>((a + L::k(128.0f)) * L::k(255.0f), 0.0f, 65535.0f);
            out[2] = roundClamp<L>((b + L::k(128.0f)) * L::k(255.0f), 0.0f, 65535.0f);
        } else {
            out[0] = roundClamp<L>(l * L::k(2.55f), 0.0f, 255.0f);
            out[1] = roundClamp<L>(a + L::k(128.0f), 0.0f, 255.0f);
            out[2] = roundClamp<L>(b + L::k(128.0f), 0.0f, 255.0f);
        }
    }
};

// L, a, b codes in; B, G, R out. No linear segment: the cube serves every L.
template <class S>
struct LabToBgr {
    template <class L>
    static void px(const typename L::I in[3], typename L::I out[3]) {
        using F = typename L::F;
        F l, a, b;
        if constexpr (std::is_same_v<S, Qrx16u>) {
            l = L::toF(in[0]) * L::k(0.0015259022f);
            a = L::toF(in[1]) * L::k(0.003921569f) - L::k(128.0f);
            b = L::toF(in[2]) * L::k(0.003921569f) - L::k(128.0f);
        } else {
            l = L::toF(in[0]) * L::k(0.39215687f);
            a = L::toF(in[1] - L::ki(128));
            b = L::toF(in[2] - L::ki(128));
        }
        const F fy = (l + L::k(16.0f)) * L::k(0.00862069f);
        const F fx = fy + a * L::k(0.002f);
        const F fz = fy - b * L::k(0.005f);
        const F xyz[3] = {((fx * fx) * fx) * L::k(242.366f), ((fy * fy) * fy) * L::k(255.0f),
                          ((fz * fz) * fz) * L::k(277.632f)};
        for (int i = 0; i < 3; ++i) {
            const F v = (L::k(kXyzToRgb[i][0]) * xyz[0] + L::k(kXyzToRgb[i][1]) * xyz[1]) +
                        L::k(kXyzToRgb[i][2]) * xyz[2];
            out[2 - i] = roundClamp<L>(v, 0.0f, 255.0f);
        }
    }
};

}  // namespace

extern const LabRows kLabRows;
const LabRows kLabRows{
    formulaRow<BgrToLab<Qrx8u>, Qrx8u, Qrx8u, 3>,
    formulaRow<BgrToLab<Qrx16u>, Qrx8u, Qrx16u, 3>,
    formulaRow<LabToBgr<Qrx8u>, Qrx8u, Qrx8u, 3>,
    formulaRow<LabToBgr<Qrx16u>, Qrx16u, Qrx8u, 3>,
};

}  // namespace QRX_ISA
}  // namespace qrx
