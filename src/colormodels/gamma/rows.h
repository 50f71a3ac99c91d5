// Row functions of gamma correction and their kernel table.
//
// The curve on a normalised value x, in double precision:
//   forward  x < 0.018:  4.5 x;      else pow(x, 0.45) * 1.099 - 0.099
//   inverse  x < 0.0812: x / 4.5;    else pow((x + 0.099) / 1.099, 1 / 0.45)
// with the reciprocals below as stored (the inverse multiplies by them) and
// the system library's pow. 8-bit images use two constant 256-entry tables;
// 16-bit and float images evaluate the curve per sample (16-bit images of
// more than 65536 samples through a table filled per call).
//
// Row functions take a run of samples: a whole three-channel row (3 x width
// samples), one plane's row, or, for the AC4 forms, the first three samples
// of each of `count` four-sample pixels (the fourth keeps its value; only
// the AVX2 8-bit kernel stores it back, unchanged).
#pragma once

#include <cmath>

#include "frame/dispatch.h"
#include "qrxcc.h"

namespace qrx {

inline constexpr double kGammaFwdKnee = 0.018, kGammaInvKnee = 0.0812;
inline constexpr double kGammaSlope = 4.5, kGammaExponent = 0.45;
inline constexpr double kGammaScale = 1.099, kGammaOffset = 0.099;
// 1 / 4.5, 1 / 0.45 and, for 1 / 1.099, the double one unit in the last
// place below the correctly rounded reciprocal (bits 0x3FED1E0C942633B6).
inline constexpr double kGammaInvSlope = 0.2222222222222222;
inline constexpr double kGammaInvExponent = 2.2222222222222223;
inline constexpr double kGammaInvScale = 0.9099181073703366;
// 1 / 65535, the normalisation of 16-bit samples.
inline constexpr double kGamma16uNorm = 1.5259021896696422e-05;

// 16-bit images with more samples than this go through a per-call table.
inline constexpr long long kGamma16uDirectLimit = 65536;

// The 8-bit tables: the curves on v / 255, linear parts 4.5 v and v / 4.5,
// rounded half to even.
extern const Qrx8u kGammaFwd8u[256];
extern const Qrx8u kGammaInv8u[256];

// The curve of one 16-bit sample. The result y is rounded half to even
// after conversion to single precision: f = float(y + 0.5), n = trunc(f),
// and n - 1 when n is odd and equals f.
template <bool Forward>
inline Qrx16u gamma16u(Qrx16u v) {
    const double x = kGamma16uNorm * static_cast<double>(v);
    double y;
    if constexpr (Forward) {
        y = x < kGammaFwdKnee ? static_cast<double>(v) * kGammaSlope
                              : (std::pow(x, kGammaExponent) * kGammaScale - kGammaOffset) * 65535.0;
    } else {
        y = x < kGammaInvKnee
                ? static_cast<double>(v) * kGammaInvSlope
                : std::pow((x + kGammaOffset) * kGammaInvScale, kGammaInvExponent) * 65535.0;
    }
    const float f = static_cast<float>(y + 0.5);
    int n = static_cast<int>(f);
    if ((n & 1) != 0 && f == static_cast<float>(n)) n -= 1;
    return static_cast<Qrx16u>(n);
}

// The range of float data: samples are mapped from [vMin, vMax] to [0, 1].
struct GammaRange {
    float vMin;
    float range;  // vMax - vMin, in float
    double inv;   // 1 / range
};

template <class T, class Param>
using GammaRow = void (*)(const T* src, T* dst, int count, Param p);
template <class T>
using GammaCurveRow = void (*)(const T* src, T* dst, int count);

struct GammaRows {
    // 8u: every sample through a 256-entry table.
    GammaRow<Qrx8u, const Qrx8u*> lut8u, lut8uAc4;
    // 16u through the per-call table.
    GammaRow<Qrx16u, const Qrx16u*> lut16u, lut16uAc4;
    // 16u, the curve per sample.
    GammaCurveRow<Qrx16u> fwd16u, fwd16uAc4, inv16u, inv16uAc4;
    // 32f, the curve per sample over the caller's range.
    GammaRow<Qrx32f, const GammaRange&> fwd32f, fwd32fAc4, inv32f, inv32fAc4;
};

// The active table (gammaRows()) and each target's (gammaRowsFor(t)).
QRX_FAMILY_TABLES(GammaRows, kGammaRows, gammaRows)

}  // namespace qrx
