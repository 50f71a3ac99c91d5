// Row functions of the colour-to-gray conversions, compiled once per
// target by the units the build generates (QRX_ISA names the target).
#include <cstdint>

#include "colormodels/gray/rows.h"
#include "frame/image.h"
#include "frame/simd.h"

namespace qrx {
inline namespace QRX_ISA {
namespace {

#include "colormodels/gray/kernels_inl.h"

template <int Channels, int Group>
void gray8u(const Qrx8u* src, Qrx8u* dst, int width, const GrayWeights12& w) {
    const int k0 = w.k[0], k1 = w.k[1], k2 = w.k[2];
    const int lead = width & ~(Group - 1);
    for (int x = grayLeadKernel<Channels>(src, dst, lead, w); x < lead; ++x) {
        const Qrx8u* p = src + x * Channels;
        dst[x] = sat8u((((p[0] * k0) >> 8) + ((p[1] * k1) >> 8) + ((p[2] * k2) >> 8) + 8) >> 4);
    }
    for (int x = lead; x < width; ++x) {
        const Qrx8u* p = src + x * Channels;
        dst[x] = sat8u((p[0] * k0 + p[1] * k1 + p[2] * k2 + 2048) >> 12);
    }
}

// How each sample type enters and leaves the float32 sum.
template <class T>
struct FloatIo;

template <>
struct FloatIo<Qrx32f> {
    static float in(Qrx32f v) { return v; }
    static Qrx32f out(float s) { return s; }
};

template <>
struct FloatIo<Qrx16u> {
    static float in(Qrx16u v) { return static_cast<float>(v); }
    // Low 16 bits of the sum truncated toward zero; beyond 2^62 every float
    // is a multiple of 2^39, so those bits are 0 (as for inf and NaN).
    static Qrx16u out(float s) {
        if (!(s > -0x1p62f && s < 0x1p62f)) return 0;
        return static_cast<Qrx16u>(static_cast<int64_t>(s));
    }
};

template <>
struct FloatIo<Qrx16s> {
    static float in(Qrx16s v) { return static_cast<float>(v + 32768); }
    // truncate(s) - 32768, saturated: anything below 1 gives -32768.
    static Qrx16s out(float s) {
        if (!(s >= 1.0f)) return -32768;
        if (s >= 65535.0f) return 32767;
        return static_cast<Qrx16s>(static_cast<int>(s) - 32768);
    }
};

template <class T, int Channels>
void grayFloat(const T* src, T* dst, int width, const Qrx32f* c) {
    using Io = FloatIo<T>;
    const float c0 = c[0], c1 = c[1], c2 = c[2];
    for (int x = 0; x < width; ++x) {
        const T* p = src + x * Channels;
        const float s01 = c0 * Io::in(p[0]) + c1 * Io::in(p[1]);
        dst[x] = Io::out(s01 + c2 * Io::in(p[2]));
    }
}

}  // namespace

extern const GrayRows kGrayRows;
const GrayRows kGrayRows{
    gray8u<3, 4>,         gray8u<4, 8>,         grayFloat<Qrx16u, 3>, grayFloat<Qrx16u, 4>,
    grayFloat<Qrx16s, 3>, grayFloat<Qrx16s, 4>, grayFloat<Qrx32f, 3>, grayFloat<Qrx32f, 4>,
};

}  // namespace QRX_ISA
}  // namespace qrx
