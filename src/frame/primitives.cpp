#include "frame/primitives.h"

#include <emmintrin.h>

#include <cmath>
#include <cstring>

#include "frame/checks.h"
#include "frame/image.h"
#include "qrxcore.h"

namespace {

using qrx::rowPtr;

constexpr int64_t kCopyStreamLimit = 1048576;  // bytes; larger copies bypass the cache
constexpr int64_t kFillCacheQuery = 524288;    // fills above this ask for the cache size

// Stores that bypass the cache: unaligned head, 16-byte streaming body,
// unaligned tail. The fence makes the stores visible before returning.
void streamCopy(Qrx8u* dst, const Qrx8u* src, size_t n) {
    size_t head = (16 - (reinterpret_cast<uintptr_t>(dst) & 15)) & 15;
    if (head > n) head = n;
    std::memcpy(dst, src, head);
    size_t i = head;
    for (; i + 16 <= n; i += 16) {
        __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i));
        _mm_stream_si128(reinterpret_cast<__m128i*>(dst + i), v);
    }
    std::memcpy(dst + i, src + i, n - i);
}

void streamFill(Qrx8u* dst, Qrx8u value, size_t n) {
    size_t head = (16 - (reinterpret_cast<uintptr_t>(dst) & 15)) & 15;
    if (head > n) head = n;
    std::memset(dst, value, head);
    const __m128i v = _mm_set1_epi8(static_cast<char>(value));
    size_t i = head;
    for (; i + 16 <= n; i += 16) _mm_stream_si128(reinterpret_cast<__m128i*>(dst + i), v);
    std::memset(dst + i, value, n - i);
}

QrxStatus initRand(QrxRandState** ppState, int32_t tag, uint32_t seed, double mean,
                   double scale) {
    if (!ppState) return qrxErrNullPtr;
    auto* st = static_cast<QrxRandState*>(qrxMalloc(sizeof(QrxRandState)));
    if (!st) return qrxErrMemAlloc;
    st->tag = tag;
    st->seed = seed;
    st->mean = mean;
    st->scale = scale;
    st->lcg = 1131199209u;
    st->x1 = seed;
    st->x2 = seed * 69069u + 1013904243u;
    st->x3 = st->x2 * 69069u + 1013904243u;
    st->carry = -1;
    *ppState = st;
    return qrxOk;
}

// One step of the generator: a lagged subtract-with-borrow sequence mixed
// with a linear congruential one, scaled into [low, high).
inline double nextUniform(QrxRandState* st) {
    st->lcg = st->lcg * 69069u + 1013904243u;
    uint32_t t = st->x2 - st->x3 + static_cast<uint32_t>(st->carry);
    uint32_t x;
    if (static_cast<int32_t>(t) < 0) {
        st->carry = -1;
        x = t - 18u;
    } else {
        st->carry = 0;
        x = t;
    }
    st->x3 = st->x2;
    st->x2 = st->x1;
    st->x1 = x;
    const int32_t u = static_cast<int32_t>(x + st->lcg);
    return static_cast<double>(u) * st->scale + st->mean;
}

QrxStatus checkRand(const void* pDst, int len, const QrxRandState* st, int32_t tag) {
    if (!pDst || !st) return qrxErrNullPtr;
    if (len < 1) return qrxErrSize;
    if (st->tag != tag) return qrxErrContext;
    return qrxOk;
}

QrxStatus freeRand(QrxRandState* st, int32_t tag) {
    if (!st) return qrxErrNullPtr;
    if (st->tag != tag) return qrxErrContext;
    qrxFree(st);
    return qrxOk;
}

template <class T>
T* typedMalloc(int count) {
    if (count < 1) return nullptr;
    return static_cast<T*>(qrxMalloc(static_cast<uint64_t>(count) * sizeof(T)));
}

}  // namespace

QrxStatus qrxiCopy_8u_C1R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
                          QrxRoiSize roi) {
    using namespace qrx::check;
    if (QrxStatus st = firstFailure(nulls(pSrc, pDst), size(roi))) return st;
    const int64_t total = static_cast<int64_t>(roi.width) * roi.height;
    const bool stream = total > kCopyStreamLimit;
    auto copy = stream ? streamCopy
                       : [](Qrx8u* d, const Qrx8u* s, size_t n) { std::memcpy(d, s, n); };
    if (srcStep == dstStep && srcStep == roi.width) {
        copy(pDst, pSrc, static_cast<size_t>(total));
    } else {
        for (int y = 0; y < roi.height; ++y)
            copy(rowPtr(pDst, dstStep, y), rowPtr(pSrc, srcStep, y),
                 static_cast<size_t>(roi.width));
    }
    if (stream) _mm_sfence();
    return qrxOk;
}

QrxStatus qrxiSet_8u_C1R(Qrx8u value, Qrx8u* pDst, int dstStep, QrxRoiSize roi) {
    using namespace qrx::check;
    if (QrxStatus st = firstFailure(nulls(pDst), size(roi))) return st;
    const int64_t total = static_cast<int64_t>(roi.width) * roi.height;
    bool stream = false;
    if (total > kFillCacheQuery) {
        int32_t cache = 0;
        stream = qrxGetMaxCacheSizeB(&cache) == 0 && total >= cache;
    }
    auto fill = stream ? streamFill
                       : [](Qrx8u* d, Qrx8u v, size_t n) { std::memset(d, v, n); };
    if (dstStep == roi.width) {
        fill(pDst, value, static_cast<size_t>(total));
    } else {
        for (int y = 0; y < roi.height; ++y)
            fill(rowPtr(pDst, dstStep, y), value, static_cast<size_t>(roi.width));
    }
    if (stream) _mm_sfence();
    return qrxOk;
}

QrxStatus qrxiMax_32f_C1R(const Qrx32f* pSrc, int srcStep, QrxRoiSize roi, Qrx32f* pMax) {
    using namespace qrx::check;
    if (QrxStatus st = firstFailure(nulls(pSrc, pMax), size(roi))) return st;
    Qrx32f best = pSrc[0];
    for (int y = 0; y < roi.height; ++y) {
        const Qrx32f* row = rowPtr(pSrc, srcStep, y);
        for (int x = 0; x < roi.width; ++x)
            if (row[x] > best) best = row[x];
    }
    *pMax = best;
    return qrxOk;
}

QrxStatus qrxiSum_32f_C1R(const Qrx32f* pSrc, int srcStep, QrxRoiSize roi, Qrx64f* pSum,
                          int hint) {
    using namespace qrx::check;
    if (QrxStatus st = firstFailure(nulls(pSrc, pSum), size(roi))) return st;
    if (hint == 2) {
        double even = 0.0, odd = 0.0;
        for (int y = 0; y < roi.height; ++y) {
            const Qrx32f* row = rowPtr(pSrc, srcStep, y);
            int x = 0;
            for (; x + 1 < roi.width; x += 2) {
                even += row[x];
                odd += row[x + 1];
            }
            if (x < roi.width) even += row[x];
        }
        *pSum = odd + even;
        return qrxOk;
    }
    // Fast path: four float32 lanes per row, lane x % 4 takes column x; the
    // lanes fold as (l0 + l1) + (l2 + l3) and each row sum joins a float64 total.
    double total = 0.0;
    for (int y = 0; y < roi.height; ++y) {
        const Qrx32f* row = rowPtr(pSrc, srcStep, y);
        float lane[4] = {0.f, 0.f, 0.f, 0.f};
        for (int x = 0; x < roi.width; ++x) lane[x & 3] += row[x];
        total += static_cast<double>((lane[0] + lane[1]) + (lane[2] + lane[3]));
    }
    *pSum = total;
    return qrxOk;
}

QrxStatus qrxiMean_32f_C1R(const Qrx32f* pSrc, int srcStep, QrxRoiSize roi, Qrx64f* pMean,
                           int hint) {
    if (!pMean) return qrxErrNullPtr;
    double sum = 0.0;
    if (QrxStatus st = qrxiSum_32f_C1R(pSrc, srcStep, roi, &sum, hint)) return st;
    // The pixel count is an int32 product, as callers of this primitive expect.
    const int32_t count = static_cast<int32_t>(static_cast<uint32_t>(roi.width) *
                                               static_cast<uint32_t>(roi.height));
    *pMean = sum / static_cast<double>(count);
    return qrxOk;
}

Qrx16s* qrxsMalloc_16s(int count) { return typedMalloc<Qrx16s>(count); }
Qrx16u* qrxsMalloc_16u(int count) { return typedMalloc<Qrx16u>(count); }
Qrx32f* qrxsMalloc_32f(int count) { return typedMalloc<Qrx32f>(count); }
void qrxsFree(void* ptr) { qrxFree(ptr); }

QrxStatus qrxsRandUniformInitAlloc_16s(QrxRandState** ppState, Qrx16s low, Qrx16s high,
                                       uint32_t seed) {
    const double mean = static_cast<double>(static_cast<int>(low) + high) * 0.5;
    const double scale = static_cast<double>(static_cast<int>(high) - low) * 2.3283064365387e-10;
    QrxStatus st = initRand(ppState, 36, seed, mean, scale);
    if (st == qrxOk) {
        (*ppState)->bounds.s16.low = low;
        (*ppState)->bounds.s16.high = high;
    }
    return st;
}

QrxStatus qrxsRandUniformInitAlloc_32f(QrxRandState** ppState, Qrx32f low, Qrx32f high,
                                       uint32_t seed) {
    const float sum = low + high;
    const float diff = high - low;
    const double mean = static_cast<double>(sum) * 0.5;
    const double scale = static_cast<double>(diff) * 2.3283064365387e-10;
    QrxStatus st = initRand(ppState, 37, seed, mean, scale);
    if (st == qrxOk) {
        (*ppState)->bounds.f32.low = low;
        (*ppState)->bounds.f32.high = high;
    }
    return st;
}

QrxStatus qrxsRandUniform_16s(Qrx16s* pDst, int len, QrxRandState* pState) {
    if (QrxStatus st = checkRand(pDst, len, pState, 36)) return st;
    // Round to nearest, ties to even (the default floating-point mode).
    for (int i = 0; i < len; ++i)
        pDst[i] = static_cast<Qrx16s>(std::nearbyint(nextUniform(pState)));
    return qrxOk;
}

QrxStatus qrxsRandUniform_32f(Qrx32f* pDst, int len, QrxRandState* pState) {
    if (QrxStatus st = checkRand(pDst, len, pState, 37)) return st;
    for (int i = 0; i < len; ++i) pDst[i] = static_cast<Qrx32f>(nextUniform(pState));
    return qrxOk;
}

QrxStatus qrxsRandUniformFree_16s(QrxRandState* pState) { return freeRand(pState, 36); }
QrxStatus qrxsRandUniformFree_32f(QrxRandState* pState) { return freeRand(pState, 37); }
