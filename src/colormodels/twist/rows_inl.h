// Row functions of the colour twist, compiled once per target by the units
// the build generates (QRX_ISA names the target). The scalar code below is
// the reference; the AVX2 and AVX-512 builds add vector kernels
// (kernels_inl.h) for the leading whole vectors of a row and finish the
// row with the same scalar code.
#include <xmmintrin.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <type_traits>

#include "colormodels/twist/rows.h"
#include "frame/image.h"
#include "frame/simd.h"

namespace qrx {
inline namespace QRX_ISA {
namespace {

// How a row's pixels are stored.
enum class Pack { C3, AC4, P3 };

template <Pack P>
constexpr int kStride = P == Pack::AC4 ? 4 : (P == Pack::C3 ? 3 : 1);

// Channel c of pixel x.
template <Pack P, class T>
inline T& channel(T* const* planes, int x, int c) {
    return P == Pack::P3 ? planes[c][x] : planes[0][x * kStride<P> + c];
}
template <Pack P, class T>
inline T channel(const T* const* planes, int x, int c) {
    return P == Pack::P3 ? planes[c][x] : planes[0][x * kStride<P> + c];
}

// Round to an integer in the current rounding mode; a value outside the
// 32-bit range gives the most negative 32-bit integer.
inline int roundCurrent(float v) { return _mm_cvtss_si32(_mm_set_ss(v)); }

// The clamp bounds of each integer type, and how its sum is grouped.
template <class T>
struct TwistType;
template <>
struct TwistType<Qrx8u> {
    static constexpr float kTop = 255.0f, kBottom = 0.0f;
};
template <>
struct TwistType<Qrx16u> {
    static constexpr float kTop = 65535.0f, kBottom = 0.0f;
};
template <>
struct TwistType<Qrx16s> {
    static constexpr float kTop = 32767.0f, kBottom = -32768.0f;
};

// Output k of one pixel, before conversion to the destination type.
template <class T>
inline float twistSum(const TwistColumns& m, int k, float c0, float c1, float c2) {
    const float p0 = c0 * m.col[0][k], p1 = c1 * m.col[1][k], p2 = c2 * m.col[2][k];
    if constexpr (std::is_same_v<T, Qrx8s>) return ((p0 + p1) + p2) + m.col[3][k];
    return (m.col[3][k] + p0) + (p1 + p2);
}

template <class T>
inline T twistOut(float s) {
    if constexpr (std::is_same_v<T, Qrx32f>) {
        return s;
    } else if constexpr (std::is_same_v<T, Qrx8s>) {
        // min with 127 (NaN gives 127), round, saturate.
        return static_cast<Qrx8s>(std::clamp(roundCurrent(s < 127.0f ? s : 127.0f), -128, 127));
    } else {
        // Upper bound first: a NaN sum fails the comparison and takes it.
        float v = s < TwistType<T>::kTop ? s : TwistType<T>::kTop;
        v = v > TwistType<T>::kBottom ? v : TwistType<T>::kBottom;
        return static_cast<T>(roundCurrent(v));
    }
}

}  // namespace
}  // namespace QRX_ISA
}  // namespace qrx

#include "colormodels/twist/kernels_inl.h"

namespace qrx {
inline namespace QRX_ISA {
namespace {

template <class T, Pack P>
void twistRow(const T* const* src, T* const* dst, int width, const TwistColumns& m) {
    for (int x = twistLeadKernel<T, P>(src, dst, width, m); x < width; ++x) {
        const float c0 = static_cast<float>(channel<P>(src, x, 0));
        const float c1 = static_cast<float>(channel<P>(src, x, 1));
        const float c2 = static_cast<float>(channel<P>(src, x, 2));
        // All three inputs are read before the first output is written.
        const T o0 = twistOut<T>(twistSum<T>(m, 0, c0, c1, c2));
        const T o1 = twistOut<T>(twistSum<T>(m, 1, c0, c1, c2));
        const T o2 = twistOut<T>(twistSum<T>(m, 2, c0, c1, c2));
        channel<P>(dst, x, 0) = o0;
        channel<P>(dst, x, 1) = o1;
        channel<P>(dst, x, 2) = o2;
    }
}

void twistRow4x4(const Qrx32f* const* src, Qrx32f* const* dst, int width, const TwistColumns& m) {
    const Qrx32f* s = src[0];
    Qrx32f* d = dst[0];
    for (int x = twistC4LeadKernel(s, d, width, m); x < width; ++x) {
        const float c[4] = {s[4 * x], s[4 * x + 1], s[4 * x + 2], s[4 * x + 3]};
        float o[4];
        for (int k = 0; k < 4; ++k)
            o[k] = ((c[0] * m.col[0][k] + c[1] * m.col[1][k]) + c[2] * m.col[2][k]) +
                   c[3] * m.col[3][k];
        for (int k = 0; k < 4; ++k) d[4 * x + k] = o[k];
    }
}

}  // namespace

extern const TwistRows kTwistRows;
const TwistRows kTwistRows{
    twistRow<Qrx8u, Pack::C3>,   twistRow<Qrx8u, Pack::AC4>,  twistRow<Qrx8u, Pack::P3>,
    twistRow<Qrx8s, Pack::C3>,   twistRow<Qrx8s, Pack::AC4>,  twistRow<Qrx8s, Pack::P3>,
    twistRow<Qrx16u, Pack::C3>,  twistRow<Qrx16u, Pack::AC4>, twistRow<Qrx16u, Pack::P3>,
    twistRow<Qrx16s, Pack::C3>,  twistRow<Qrx16s, Pack::AC4>, twistRow<Qrx16s, Pack::P3>,
    twistRow<Qrx32f, Pack::C3>,  twistRow<Qrx32f, Pack::AC4>, twistRow<Qrx32f, Pack::P3>,
    twistRow4x4,
};

}  // namespace QRX_ISA
}  // namespace qrx
