// The BT.601 studio-range matrices shared by the YCbCr families
// (Y 16..235, Cb and Cr 16..240 with 128 as zero).
#pragma once

#include "frame/isa.h"

#include "frame/image.h"
#include "lumachroma/pixels.h"

namespace qrx {
inline namespace QRX_ISA {
namespace bt601 {

// Forward weights, scaled by 65536.
constexpr int kYr = 16843, kYg = 33030, kYb = 6423;
constexpr int kCbR = -9699, kCbG = -19071, kCbB = 28770;
constexpr int kCrR = 28770, kCrG = -24117, kCrB = -4653;
constexpr int kYOffset = 1081344;   // 16.5 x 65536: offset plus rounding
constexpr int kCOffset = 8421376;   // 128.5 x 65536

// Inverse weights, scaled by 65536; no rounding term.
constexpr int kInvY = 76284, kInvYOffset = 1220544;  // 76284 x 16
constexpr int kInvRCr = 104595, kInvGCb = -25690, kInvGCr = -53281, kInvBCb = 132186;

// Leading groups of the interleaved 4:4:4 encoder: the forward weights halved
// (scaled by 32768), R and G products summed before the first truncation at
// 2^11, then the offset (16.5 or 128.5, times 16) and a truncation at 2^4.
constexpr int kHalfYr = 8421, kHalfYg = 16515, kHalfYb = 3211;
constexpr int kHalfCbR = -4850, kHalfCbG = -9535, kHalfCbB = 14385;
constexpr int kHalfCrR = 14385, kHalfCrG = -12059, kHalfCrB = -2327;
constexpr int kHalfYOffset = 264, kHalfCOffset = 2056;

// Leading groups of the planar 4:4:4 encoders: the forward weights, each
// product truncated first (Y at 2^8, Cb and Cr at 2^9), then rounded at 2^8
// (Y) or 2^7 (Cb, Cr) before the offset is added.
constexpr int kTruncYShift = 8, kTruncYRound = 128;
constexpr int kTruncCShift = 9, kTruncCRound = 64;

struct Ycc {
    int y, cb, cr;
};

// Forward matrix; the results need no clamping for 8-bit inputs.
inline Ycc forward(Rgb p) {
    return {(kYr * p.r + kYg * p.g + kYb * p.b + kYOffset) >> 16,
            (kCbR * p.r + kCbG * p.g + kCbB * p.b + kCOffset) >> 16,
            (kCrR * p.r + kCrG * p.g + kCrB * p.b + kCOffset) >> 16};
}

struct Rgb8 {
    Qrx8u r, g, b;
};

// Inverse matrix.
inline Rgb8 inverse(int Y, int Cb, int Cr) {
    const int y = kInvY * Y - kInvYOffset;
    const int b = Cb - 128, r = Cr - 128;
    return {sat8u((y + kInvRCr * r) >> 16), sat8u((y + kInvGCb * b + kInvGCr * r) >> 16),
            sat8u((y + kInvBCb * b) >> 16)};
}

}  // namespace bt601
}  // namespace QRX_ISA
}  // namespace qrx
