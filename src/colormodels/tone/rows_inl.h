// Row function of tone mapping, compiled once per target by the units the
// build generates (QRX_ISA names the target). The comparisons below are
// written so that the compiler vectorises them in the vector builds without
// changing a value: each lane does the same single multiply and the same
// tests as the scalar build.
#include "colormodels/tone/rows.h"
#include "frame/image.h"

namespace qrx {
inline namespace QRX_ISA {
namespace {

inline Qrx8u toneByte(float p) {
    if (p >= 255.0f) return 255;
    // NaN fails both tests; everything below 1 truncates to 0 or is clamped there.
    return p >= 1.0f ? static_cast<Qrx8u>(static_cast<int>(p)) : 0;
}

void toneScale(const Qrx32f* src, Qrx8u* dst, int width, float s) {
    for (int x = 0; x < width; ++x) dst[x] = toneByte(src[x] * s);
}

}  // namespace

extern const ToneRows kToneRows;
const ToneRows kToneRows{toneScale};

}  // namespace QRX_ISA
}  // namespace qrx
