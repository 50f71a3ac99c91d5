// Row functions of gamma correction, compiled once per target by the units
// the build generates (QRX_ISA names the target). The curves call the
// system library's pow, so those rows are the same on every target; the
// 8-bit table rows have vector kernels in the AVX2 and AVX-512 builds.
#include <cmath>
#include <iterator>

#include "colormodels/gamma/rows.h"
#include "frame/image.h"
#include "frame/simd.h"

namespace qrx {
inline namespace QRX_ISA {
namespace {

// A run of samples, or the first three of every four.
enum class Pack { Run, AC4 };

// Calls f(i) for the index of every sample the row converts.
template <Pack P, class F>
inline void forSamples(int count, int done, F&& f) {
    if constexpr (P == Pack::Run) {
        for (int i = done; i < count; ++i) f(i);
    } else {
        for (int x = done; x < count; ++x)
            for (int c = 0; c < 3; ++c) f(4 * x + c);
    }
}

}  // namespace
}  // namespace QRX_ISA
}  // namespace qrx

#include "colormodels/gamma/kernels_inl.h"

namespace qrx {
inline namespace QRX_ISA {
namespace {

template <Pack P>
void lut8u(const Qrx8u* src, Qrx8u* dst, int count, const Qrx8u* table) {
    const int done = lutLeadKernel<P>(src, dst, count, table);
    forSamples<P>(count, done, [&](int i) { dst[i] = table[src[i]]; });
}

template <Pack P>
void lut16u(const Qrx16u* src, Qrx16u* dst, int count, const Qrx16u* table) {
    forSamples<P>(count, 0, [&](int i) { dst[i] = table[src[i]]; });
}

template <bool Forward, Pack P>
void curve16u(const Qrx16u* src, Qrx16u* dst, int count) {
    forSamples<P>(count, 0, [&](int i) { dst[i] = gamma16u<Forward>(src[i]); });
}

// One float sample: the offset from vMin is taken in float, then everything
// is double until the result is rounded to float. Nothing is clamped.
template <bool Forward>
inline float gamma32f(float s, const GammaRange& r) {
    const double d = static_cast<double>(s - r.vMin);
    const double x = d * r.inv;
    const double vMin = r.vMin, range = r.range;
    double y;
    if constexpr (Forward) {
        y = x < kGammaFwdKnee
                ? d * kGammaSlope + vMin
                : (std::pow(x, kGammaExponent) * kGammaScale - kGammaOffset) * range + vMin;
    } else {
        y = x < kGammaInvKnee
                ? d * kGammaInvSlope + vMin
                : std::pow((x + kGammaOffset) * kGammaInvScale, kGammaInvExponent) * range + vMin;
    }
    return static_cast<float>(y);
}

template <bool Forward, Pack P>
void curve32f(const Qrx32f* src, Qrx32f* dst, int count, const GammaRange& r) {
    forSamples<P>(count, 0, [&](int i) { dst[i] = gamma32f<Forward>(src[i], r); });
}

}  // namespace

extern const GammaRows kGammaRows;
const GammaRows kGammaRows{
    lut8u<Pack::Run>,
    lut8u<Pack::AC4>,
    lut16u<Pack::Run>,
    lut16u<Pack::AC4>,
    curve16u<true, Pack::Run>,
    curve16u<true, Pack::AC4>,
    curve16u<false, Pack::Run>,
    curve16u<false, Pack::AC4>,
    curve32f<true, Pack::Run>,
    curve32f<true, Pack::AC4>,
    curve32f<false, Pack::Run>,
    curve32f<false, Pack::AC4>,
};

}  // namespace QRX_ISA
}  // namespace qrx
