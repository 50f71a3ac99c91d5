// Bit-depth reduction: the 32 entries, their checks and dispatch, the
// no-dither driver and the noise tables the dithering drivers share.
#include <cstddef>
#include <cstring>

#include "frame/checks.h"
#include "frame/primitives.h"
#include "qrxcc.h"
#include "reduce/bits/drivers.h"
#include "reduce/bits/levels.h"

namespace qrx {

template <class S, class D>
QrxStatus reducePlain(const S* src, int srcStep, D* dst, int dstStep, QrxRoiSize roi, int L,
                      int layout) {
    const float lf = static_cast<float>(L);
    const PlainLevels lv{lf, 1.0f / lf, 0.5f / lf};
    const PairRows<S, D>& rows = pairRows<S, D>(bitsRows());
    // C1, C3 and C4 rows are one run of elements; AC4 rows count pixels and
    // skip every fourth element.
    const PlainRow<S, D> row = layout == 4 ? rows.plainAC4 : rows.plain;
    const int stride = layoutStride(layout);
    const int unit = layout == 4 ? 1 : stride;
    // Rows too long for an int count of elements go in pieces of whole pixels.
    constexpr int kPiece = 1 << 28;
    for (int y = 0; y < roi.height; ++y)
        for (int x = 0; x < roi.width; x += kPiece) {
            const int pixels = roi.width - x < kPiece ? roi.width - x : kPiece;
            const std::ptrdiff_t at = static_cast<std::ptrdiff_t>(x) * stride;
            row(elementRow(src, srcStep, y) + at, elementRow(dst, dstStep, y) + at, pixels * unit,
                lv);
        }
    return qrxOk;
}

NoiseScratch::~NoiseScratch() {
    qrxsFree(idx_);
    qrxsFree(values_);
}

QrxStatus NoiseScratch::make(Qrx32f low, Qrx32f high) {
    values_ = qrxsMalloc_32f(kNoiseTableSize);
    if (!values_) return qrxErrMemAlloc;
    idx_ = qrxsMalloc_16s(kNoiseTableSize);
    if (!idx_) return qrxErrMemAlloc;
    QrxRandState* gen = nullptr;
    if (qrxsRandUniformInitAlloc_16s(&gen, 0, kNoiseTableSize, 0) != qrxOk) return qrxErrMemAlloc;
    qrxsRandUniform_16s(idx_, kNoiseTableSize, gen);
    qrxsRandUniformFree_16s(gen);
    if (qrxsRandUniformInitAlloc_32f(&gen, low, high, 0) != qrxOk) return qrxErrMemAlloc;
    qrxsRandUniform_32f(values_, kNoiseTableSize, gen);
    qrxsRandUniformFree_32f(gen);
    return qrxOk;
}

}  // namespace qrx

namespace {

using namespace qrx;

template <class S, class D, int Layout>
QrxStatus reduceBits(const S* src, int srcStep, D* dst, int dstStep, QrxRoiSize roi, int noise,
                     QrxDitherType ditherType, int levels) {
    // 16-bit to the same 16-bit type may keep every level; the rest at most 256.
    constexpr int kMaxLevels = sizeof(S) == 2 && sizeof(D) == 2 ? 65536 : 256;
    if (QrxStatus st = check::firstFailure(
            check::nulls(src, dst), check::size(roi),
            check::require(noise >= 0 && noise <= 100, qrxErrNoiseAmount),
            check::require(levels >= 2 && levels <= kMaxLevels, qrxErrLevelCount)))
        return st;
    // The method is read as raw bits: callers may pass values outside the enumeration.
    int method;
    std::memcpy(&method, &ditherType, sizeof method);
    const int L = levels - 1;
    switch (method) {
        case qrxDitherNone:
            return reducePlain(src, srcStep, dst, dstStep, roi, L, Layout);
        case qrxDitherFloydSteinberg:
        case qrxDitherJarvisJudiceNinke:
        case qrxDitherStucki:
            return reduceDiffused(src, srcStep, dst, dstStep, roi, L, noise, Layout,
                                  static_cast<QrxDitherType>(method));
        case qrxDitherBayer4x4:
            return reduceOrdered(src, srcStep, dst, dstStep, roi, L, noise, Layout);
        default:
            return qrxOk;  // an unknown method converts nothing
    }
}

// Layout codes: 1 C1, 3 C3, 4 AC4 (alpha never written), 5 C4.
constexpr int kC1 = 1, kC3 = 3, kAC4 = 4, kC4 = 5;

}  // namespace

QrxStatus qrxiReduceBits_8u_C1R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roi, int noise, QrxDitherType ditherType, int levels) {
    return reduceBits<Qrx8u, Qrx8u, kC1>(pSrc, srcStep, pDst, dstStep, roi, noise, ditherType, levels);
}

QrxStatus qrxiReduceBits_8u_C3R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roi, int noise, QrxDitherType ditherType, int levels) {
    return reduceBits<Qrx8u, Qrx8u, kC3>(pSrc, srcStep, pDst, dstStep, roi, noise, ditherType, levels);
}

QrxStatus qrxiReduceBits_8u_C4R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roi, int noise, QrxDitherType ditherType, int levels) {
    return reduceBits<Qrx8u, Qrx8u, kC4>(pSrc, srcStep, pDst, dstStep, roi, noise, ditherType, levels);
}

QrxStatus qrxiReduceBits_8u_AC4R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roi, int noise, QrxDitherType ditherType, int levels) {
    return reduceBits<Qrx8u, Qrx8u, kAC4>(pSrc, srcStep, pDst, dstStep, roi, noise, ditherType, levels);
}

QrxStatus qrxiReduceBits_16u_C1R(const Qrx16u* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
    QrxRoiSize roi, int noise, QrxDitherType ditherType, int levels) {
    return reduceBits<Qrx16u, Qrx16u, kC1>(pSrc, srcStep, pDst, dstStep, roi, noise, ditherType, levels);
}

QrxStatus qrxiReduceBits_16u_C3R(const Qrx16u* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
    QrxRoiSize roi, int noise, QrxDitherType ditherType, int levels) {
    return reduceBits<Qrx16u, Qrx16u, kC3>(pSrc, srcStep, pDst, dstStep, roi, noise, ditherType, levels);
}

QrxStatus qrxiReduceBits_16u_C4R(const Qrx16u* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
    QrxRoiSize roi, int noise, QrxDitherType ditherType, int levels) {
    return reduceBits<Qrx16u, Qrx16u, kC4>(pSrc, srcStep, pDst, dstStep, roi, noise, ditherType, levels);
}

QrxStatus qrxiReduceBits_16u_AC4R(const Qrx16u* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
    QrxRoiSize roi, int noise, QrxDitherType ditherType, int levels) {
    return reduceBits<Qrx16u, Qrx16u, kAC4>(pSrc, srcStep, pDst, dstStep, roi, noise, ditherType, levels);
}

QrxStatus qrxiReduceBits_16s_C1R(const Qrx16s* pSrc, int srcStep, Qrx16s* pDst, int dstStep,
    QrxRoiSize roi, int noise, QrxDitherType ditherType, int levels) {
    return reduceBits<Qrx16s, Qrx16s, kC1>(pSrc, srcStep, pDst, dstStep, roi, noise, ditherType, levels);
}

QrxStatus qrxiReduceBits_16s_C3R(const Qrx16s* pSrc, int srcStep, Qrx16s* pDst, int dstStep,
    QrxRoiSize roi, int noise, QrxDitherType ditherType, int levels) {
    return reduceBits<Qrx16s, Qrx16s, kC3>(pSrc, srcStep, pDst, dstStep, roi, noise, ditherType, levels);
}

QrxStatus qrxiReduceBits_16s_C4R(const Qrx16s* pSrc, int srcStep, Qrx16s* pDst, int dstStep,
    QrxRoiSize roi, int noise, QrxDitherType ditherType, int levels) {
    return reduceBits<Qrx16s, Qrx16s, kC4>(pSrc, srcStep, pDst, dstStep, roi, noise, ditherType, levels);
}

QrxStatus qrxiReduceBits_16s_AC4R(const Qrx16s* pSrc, int srcStep, Qrx16s* pDst, int dstStep,
    QrxRoiSize roi, int noise, QrxDitherType ditherType, int levels) {
    return reduceBits<Qrx16s, Qrx16s, kAC4>(pSrc, srcStep, pDst, dstStep, roi, noise, ditherType, levels);
}

QrxStatus qrxiReduceBits_16u8u_C1R(const Qrx16u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roi, int noise, QrxDitherType ditherType, int levels) {
    return reduceBits<Qrx16u, Qrx8u, kC1>(pSrc, srcStep, pDst, dstStep, roi, noise, ditherType, levels);
}

QrxStatus qrxiReduceBits_16u8u_C3R(const Qrx16u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roi, int noise, QrxDitherType ditherType, int levels) {
    return reduceBits<Qrx16u, Qrx8u, kC3>(pSrc, srcStep, pDst, dstStep, roi, noise, ditherType, levels);
}

QrxStatus qrxiReduceBits_16u8u_C4R(const Qrx16u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roi, int noise, QrxDitherType ditherType, int levels) {
    return reduceBits<Qrx16u, Qrx8u, kC4>(pSrc, srcStep, pDst, dstStep, roi, noise, ditherType, levels);
}

QrxStatus qrxiReduceBits_16u8u_AC4R(const Qrx16u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roi, int noise, QrxDitherType ditherType, int levels) {
    return reduceBits<Qrx16u, Qrx8u, kAC4>(pSrc, srcStep, pDst, dstStep, roi, noise, ditherType, levels);
}

QrxStatus qrxiReduceBits_16s8u_C1R(const Qrx16s* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roi, int noise, QrxDitherType ditherType, int levels) {
    return reduceBits<Qrx16s, Qrx8u, kC1>(pSrc, srcStep, pDst, dstStep, roi, noise, ditherType, levels);
}

QrxStatus qrxiReduceBits_16s8u_C3R(const Qrx16s* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roi, int noise, QrxDitherType ditherType, int levels) {
    return reduceBits<Qrx16s, Qrx8u, kC3>(pSrc, srcStep, pDst, dstStep, roi, noise, ditherType, levels);
}

QrxStatus qrxiReduceBits_16s8u_C4R(const Qrx16s* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roi, int noise, QrxDitherType ditherType, int levels) {
    return reduceBits<Qrx16s, Qrx8u, kC4>(pSrc, srcStep, pDst, dstStep, roi, noise, ditherType, levels);
}

QrxStatus qrxiReduceBits_16s8u_AC4R(const Qrx16s* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roi, int noise, QrxDitherType ditherType, int levels) {
    return reduceBits<Qrx16s, Qrx8u, kAC4>(pSrc, srcStep, pDst, dstStep, roi, noise, ditherType, levels);
}

QrxStatus qrxiReduceBits_32f8u_C1R(const Qrx32f* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roi, int noise, QrxDitherType ditherType, int levels) {
    return reduceBits<Qrx32f, Qrx8u, kC1>(pSrc, srcStep, pDst, dstStep, roi, noise, ditherType, levels);
}

QrxStatus qrxiReduceBits_32f8u_C3R(const Qrx32f* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roi, int noise, QrxDitherType ditherType, int levels) {
    return reduceBits<Qrx32f, Qrx8u, kC3>(pSrc, srcStep, pDst, dstStep, roi, noise, ditherType, levels);
}

QrxStatus qrxiReduceBits_32f8u_C4R(const Qrx32f* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roi, int noise, QrxDitherType ditherType, int levels) {
    return reduceBits<Qrx32f, Qrx8u, kC4>(pSrc, srcStep, pDst, dstStep, roi, noise, ditherType, levels);
}

QrxStatus qrxiReduceBits_32f8u_AC4R(const Qrx32f* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roi, int noise, QrxDitherType ditherType, int levels) {
    return reduceBits<Qrx32f, Qrx8u, kAC4>(pSrc, srcStep, pDst, dstStep, roi, noise, ditherType, levels);
}

QrxStatus qrxiReduceBits_32f16u_C1R(const Qrx32f* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
    QrxRoiSize roi, int noise, QrxDitherType ditherType, int levels) {
    return reduceBits<Qrx32f, Qrx16u, kC1>(pSrc, srcStep, pDst, dstStep, roi, noise, ditherType, levels);
}

QrxStatus qrxiReduceBits_32f16u_C3R(const Qrx32f* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
    QrxRoiSize roi, int noise, QrxDitherType ditherType, int levels) {
    return reduceBits<Qrx32f, Qrx16u, kC3>(pSrc, srcStep, pDst, dstStep, roi, noise, ditherType, levels);
}

QrxStatus qrxiReduceBits_32f16u_C4R(const Qrx32f* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
    QrxRoiSize roi, int noise, QrxDitherType ditherType, int levels) {
    return reduceBits<Qrx32f, Qrx16u, kC4>(pSrc, srcStep, pDst, dstStep, roi, noise, ditherType, levels);
}

QrxStatus qrxiReduceBits_32f16u_AC4R(const Qrx32f* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
    QrxRoiSize roi, int noise, QrxDitherType ditherType, int levels) {
    return reduceBits<Qrx32f, Qrx16u, kAC4>(pSrc, srcStep, pDst, dstStep, roi, noise, ditherType, levels);
}

QrxStatus qrxiReduceBits_32f16s_C1R(const Qrx32f* pSrc, int srcStep, Qrx16s* pDst, int dstStep,
    QrxRoiSize roi, int noise, QrxDitherType ditherType, int levels) {
    return reduceBits<Qrx32f, Qrx16s, kC1>(pSrc, srcStep, pDst, dstStep, roi, noise, ditherType, levels);
}

QrxStatus qrxiReduceBits_32f16s_C3R(const Qrx32f* pSrc, int srcStep, Qrx16s* pDst, int dstStep,
    QrxRoiSize roi, int noise, QrxDitherType ditherType, int levels) {
    return reduceBits<Qrx32f, Qrx16s, kC3>(pSrc, srcStep, pDst, dstStep, roi, noise, ditherType, levels);
}

QrxStatus qrxiReduceBits_32f16s_C4R(const Qrx32f* pSrc, int srcStep, Qrx16s* pDst, int dstStep,
    QrxRoiSize roi, int noise, QrxDitherType ditherType, int levels) {
    return reduceBits<Qrx32f, Qrx16s, kC4>(pSrc, srcStep, pDst, dstStep, roi, noise, ditherType, levels);
}

QrxStatus qrxiReduceBits_32f16s_AC4R(const Qrx32f* pSrc, int srcStep, Qrx16s* pDst, int dstStep,
    QrxRoiSize roi, int noise, QrxDitherType ditherType, int levels) {
    return reduceBits<Qrx32f, Qrx16s, kAC4>(pSrc, srcStep, pDst, dstStep, roi, noise, ditherType, levels);
}
