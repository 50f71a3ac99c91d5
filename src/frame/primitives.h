// Internal primitives: plane copy and fill, float statistics, typed scratch
// allocation and a uniform random generator. None of these is exported.
#pragma once

#include <cstdint>

#include "qrxcc.h"

// Internal status: a generator record of the other kind was passed.
constexpr QrxStatus qrxErrContext = -17;

// Generator record; the tag tells the 16s kind (36) from the 32f kind (37).
struct QrxRandState {
    int32_t tag;
    uint32_t seed;
    union {
        struct { Qrx16s low, high; } s16;
        struct { Qrx32f low, high; } f32;
    } bounds;
    double mean;
    double scale;
    uint32_t lcg;
    uint32_t x1, x2, x3;
    int32_t carry;
};

QrxStatus qrxiCopy_8u_C1R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
                          QrxRoiSize roiSize);
QrxStatus qrxiSet_8u_C1R(Qrx8u value, Qrx8u* pDst, int dstStep, QrxRoiSize roiSize);
QrxStatus qrxiMax_32f_C1R(const Qrx32f* pSrc, int srcStep, QrxRoiSize roiSize, Qrx32f* pMax);
// hint 2: exact float64 accumulation; any other hint: float32 row lanes.
QrxStatus qrxiSum_32f_C1R(const Qrx32f* pSrc, int srcStep, QrxRoiSize roiSize, Qrx64f* pSum,
                          int hint);
QrxStatus qrxiMean_32f_C1R(const Qrx32f* pSrc, int srcStep, QrxRoiSize roiSize, Qrx64f* pMean,
                           int hint);

Qrx16s* qrxsMalloc_16s(int count);
Qrx16u* qrxsMalloc_16u(int count);
Qrx32f* qrxsMalloc_32f(int count);
void qrxsFree(void* ptr);

QrxStatus qrxsRandUniformInitAlloc_16s(QrxRandState** ppState, Qrx16s low, Qrx16s high,
                                       uint32_t seed);
QrxStatus qrxsRandUniformInitAlloc_32f(QrxRandState** ppState, Qrx32f low, Qrx32f high,
                                       uint32_t seed);
QrxStatus qrxsRandUniform_16s(Qrx16s* pDst, int len, QrxRandState* pState);
QrxStatus qrxsRandUniform_32f(Qrx32f* pDst, int len, QrxRandState* pState);
QrxStatus qrxsRandUniformFree_16s(QrxRandState* pState);
QrxStatus qrxsRandUniformFree_32f(QrxRandState* pState);
