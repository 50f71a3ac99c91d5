/*
 * qrxcc.h - public interface of libqrxccm7, image colour-conversion primitives.
 *
 * Every image operation is a plain C function
 *
 *     QrxStatus qrxi<From>To<To>[<variant>]_<types>_<layout>(...)
 *
 * that checks its arguments, converts, and returns a status code: 0 is
 * success, negative values are errors (nothing was written), positive values
 * are warnings (the work was done).
 *
 * Argument order is always: source, destination, region size, then the
 * operation's own parameters.
 *   - Interleaved images (C1..C4, AC4) are a pointer plus a row step.
 *   - Planar images (P3, P4, AP4) are an array of plane pointers plus either
 *     one step shared by every plane (full-resolution planes) or an array of
 *     one step per plane (subsampled chroma planes).
 *   - Two-plane images (P2) are a Y plane and a plane of interleaved Cb, Cr
 *     pairs, each given as pointer plus step.
 *   - In-place forms (I) take one image that is both source and destination.
 *   - Row steps are signed byte counts from one row to the next, whatever the
 *     element type. Pointers address the first pixel of the region of interest.
 *   - Type codes name source then destination (16u8u: 16u in, 8u out).
 *
 * The library keeps no state between calls; any function may be called from
 * several threads at once as long as their destinations do not overlap.
 */
#ifndef QRXCC_H
#define QRXCC_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define QRXAPI __attribute__((visibility("default")))

/* ------------------------------------------------------------------------ */
/* Basic types                                                               */
/* ------------------------------------------------------------------------ */

typedef uint8_t  Qrx8u;
typedef int8_t   Qrx8s;
typedef uint16_t Qrx16u;
typedef int16_t  Qrx16s;
typedef int32_t  Qrx32s;
typedef uint32_t Qrx32u;
typedef float    Qrx32f;
typedef double   Qrx64f;

/* Result of every image operation. */
typedef int32_t QrxStatus;

enum {
    qrxOk                  = 0,   /* success */
    qrxWarnNothingDone     = 1,   /* tone mapping: statistic negative, destination untouched */
    qrxWarnSizeNotMultiple = 35,  /* region not a whole number of chroma blocks; whole blocks converted */
    qrxErrBadArg           = -5,  /* enumerated argument out of range (Bayer grid) */
    qrxErrSize             = -6,  /* region below the minimum size or not a required multiple */
    qrxErrNullPtr          = -8,  /* a required pointer is null */
    qrxErrMemAlloc         = -9,  /* scratch memory could not be obtained */
    qrxErrStep             = -14, /* a row step below 1 */
    qrxErrRange            = -49, /* vMax - vMin not positive */
    qrxErrLevelCount       = -54, /* ReduceBits level count out of range */
    qrxErrNoiseAmount      = -55  /* ReduceBits noise amount outside 0..100 */
};

/* Region size in pixels, passed by value. */
typedef struct {
    int32_t width;
    int32_t height;
} QrxRoiSize;

/* Rectangle in pixel coordinates of a larger image. */
typedef struct {
    int32_t x, y, width, height;
} QrxRect;

/* The enumerations are 32-bit integers. In C++ they get that fixed
 * underlying type, so that every value a C caller passes (grid 4, dither -1)
 * is a valid value of the type and the operation can reject it. */
#ifdef __cplusplus
#define QRX_ENUM_INT32 : int32_t
#else
#define QRX_ENUM_INT32
#endif

/* Colour order of the top-left 2x2 cell of a Bayer colour-filter array. */
typedef enum QRX_ENUM_INT32 {
    qrxGridBGGR = 0,
    qrxGridRGGB = 1,
    qrxGridGBRG = 2,
    qrxGridGRBG = 3
} QrxBayerGrid;

/* Treatment of the quantisation error in qrxiReduceBits_*. */
typedef enum QRX_ENUM_INT32 {
    qrxDitherNone              = 0,
    qrxDitherFloydSteinberg    = 1,
    qrxDitherJarvisJudiceNinke = 2,
    qrxDitherStucki            = 3,
    qrxDitherBayer4x4          = 4
} QrxDitherType;

/* Position of a slice within the frame, for the slice-wise 4:2:0 smoothing
 * filters (qrxiYCbCr420ToYCbCr422_Filter_8u_P2C2R,
 * qrxiYCbCr420ToYCrCb420_Filter_8u_P2P3R). Any other value converts nothing. */
enum {
    qrxSliceTop    = 1,  /* first slice of the frame */
    qrxSliceCenter = 4,  /* inner slice: reads one chroma and two luma rows above the region */
    qrxSliceBottom = 16, /* last slice */
    qrxSliceWhole  = qrxSliceTop | qrxSliceCenter | qrxSliceBottom /* whole frame in one call */
};

/* ------------------------------------------------------------------------ */
/* Version                                                                   */
/* ------------------------------------------------------------------------ */

typedef struct {
    int32_t     versionMajor;
    int32_t     versionMinor;
    int32_t     buildMajor;
    int32_t     buildNumber;
    char        cpuCode[4];     /* target-processor code, NUL padded */
    const char* libraryName;    /* library file name */
    const char* versionText;
    const char* buildDateText;
} QrxLibVersion;

/* Returns the library's constant version record; never null, never fails.
 * The record must not be modified or freed. */
QRXAPI const QrxLibVersion* qrxccGetLibVersion(void);

/* ------------------------------------------------------------------------ */
/* Image operations                                                          */
/* ------------------------------------------------------------------------ */

/* RGB <-> YUV (analogue television model, Y 0..255, U/V centred on 128).
 * 4:4:4, 4:2:2 and 4:2:0; interleaved, planar and 16-bit 565/555 sources.
 * The forms without the R suffix work on a whole dense image and derive
 * every row step from imgSize.width. */
QRXAPI QrxStatus qrxiRGBToYUV_8u_C3R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiRGBToYUV_8u_AC4R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiRGBToYUV_8u_C3P3R(const Qrx8u* pSrc, int srcStep, Qrx8u* const pDst[3], int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiRGBToYUV_8u_P3R(const Qrx8u* const pSrc[3], int srcStep,
    Qrx8u* const pDst[3], int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiRGBToYUV_8u_AC4P4R(const Qrx8u* pSrc, int srcStep, Qrx8u* const pDst[4], int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYUVToRGB_8u_C3R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYUVToRGB_8u_AC4R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYUVToRGB_8u_P3C3R(const Qrx8u* const pSrc[3], int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYUVToRGB_8u_P3R(const Qrx8u* const pSrc[3], int srcStep,
    Qrx8u* const pDst[3], int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiRGBToYUV422_8u_C3C2R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiRGBToYUV422_8u_C3P3R(const Qrx8u* pSrc, int srcStep,
    Qrx8u* const pDst[3], const int dstStep[3], QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiRGBToYUV422_8u_P3R(const Qrx8u* const pSrc[3], int srcStep,
    Qrx8u* const pDst[3], const int dstStep[3], QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiRGBToYUV422_8u_C3P3(const Qrx8u* pSrc, Qrx8u* const pDst[3], QrxRoiSize imgSize);
QRXAPI QrxStatus qrxiRGBToYUV422_8u_P3(const Qrx8u* const pSrc[3], Qrx8u* const pDst[3], QrxRoiSize imgSize);
QRXAPI QrxStatus qrxiYUV422ToRGB_8u_C2C3R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYUV422ToRGB_8u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx8u* pDst, int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYUV422ToRGB_8u_P3AC4R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx8u* pDst, int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYUV422ToRGB_8u_P3R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx8u* const pDst[3], int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYUV422ToRGB_8u_P3C3(const Qrx8u* const pSrc[3], Qrx8u* pDst, QrxRoiSize imgSize);
QRXAPI QrxStatus qrxiYUV422ToRGB_8u_P3(const Qrx8u* const pSrc[3], Qrx8u* const pDst[3], QrxRoiSize imgSize);
QRXAPI QrxStatus qrxiRGBToYUV420_8u_C3P3R(const Qrx8u* pSrc, int srcStep,
    Qrx8u* const pDst[3], const int dstStep[3], QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiRGBToYUV420_8u_P3R(const Qrx8u* const pSrc[3], int srcStep,
    Qrx8u* const pDst[3], const int dstStep[3], QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiRGBToYUV420_8u_C3P3(const Qrx8u* pSrc, Qrx8u* const pDst[3], QrxRoiSize imgSize);
QRXAPI QrxStatus qrxiRGBToYUV420_8u_P3(const Qrx8u* const pSrc[3], Qrx8u* const pDst[3], QrxRoiSize imgSize);
QRXAPI QrxStatus qrxiBGRToYUV420_8u_AC4P3R(const Qrx8u* pSrc, int srcStep,
    Qrx8u* const pDst[3], const int dstStep[3], QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiRGB565ToYUV420_16u8u_C3P3R(const Qrx16u* pSrc, int srcStep,
    Qrx8u* const pDst[3], const int dstStep[3], QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiBGR565ToYUV420_16u8u_C3P3R(const Qrx16u* pSrc, int srcStep,
    Qrx8u* const pDst[3], const int dstStep[3], QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiBGR555ToYUV420_16u8u_C3P3R(const Qrx16u* pSrc, int srcStep,
    Qrx8u* const pDst[3], const int dstStep[3], QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiRGB565ToYUV422_16u8u_C3P3R(const Qrx16u* pSrc, int srcStep,
    Qrx8u* const pDst[3], const int dstStep[3], QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYUV420ToRGB_8u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx8u* pDst, int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYUV420ToRGB_8u_P3AC4R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx8u* pDst, int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYUV420ToRGB_8u_P3R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx8u* const pDst[3], int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYUV420ToRGB_8u_P3C3(const Qrx8u* const pSrc[3], Qrx8u* pDst, QrxRoiSize imgSize);
QRXAPI QrxStatus qrxiYUV420ToRGB_8u_P3(const Qrx8u* const pSrc[3], Qrx8u* const pDst[3], QrxRoiSize imgSize);
QRXAPI QrxStatus qrxiYUV420ToBGR_8u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx8u* pDst, int dstStep, QrxRoiSize roiSize);

/* RGB <-> BT.601 studio-range YCbCr at full chroma resolution (4:4:4).
 * Planar 4:4:4 images share one row step between their three planes. */
QRXAPI QrxStatus qrxiRGBToYCbCr_8u_C3R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiRGBToYCbCr_8u_AC4R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiRGBToYCbCr_8u_C3P3R(const Qrx8u* pSrc, int srcStep, Qrx8u* const pDst[3], int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiRGBToYCbCr_8u_AC4P3R(const Qrx8u* pSrc, int srcStep, Qrx8u* const pDst[3], int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiRGBToYCbCr_8u_P3R(const Qrx8u* const pSrc[3], int srcStep,
    Qrx8u* const pDst[3], int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCrToRGB_8u_C3R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCrToRGB_8u_AC4R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCrToRGB_8u_P3C3R(const Qrx8u* const pSrc[3], int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCrToRGB_8u_P3C4R(const Qrx8u* const pSrc[3], int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize, Qrx8u alpha);
QRXAPI QrxStatus qrxiYCbCrToRGB_8u_P3R(const Qrx8u* const pSrc[3], int srcStep,
    Qrx8u* const pDst[3], int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCrToBGR_8u_P3C3R(const Qrx8u* const pSrc[3], int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCrToBGR_8u_P3C4R(const Qrx8u* const pSrc[3], int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize, Qrx8u alpha);

/* RGB/BGR and 16-bit BGR 555/565 -> subsampled BT.601 YCbCr / YCrCb
 * (4:2:2, 4:2:0, 4:1:1). Subsampled planes take one row step per plane. */
QRXAPI QrxStatus qrxiRGBToYCbCr420_8u_C3P3R(const Qrx8u* pSrc, int srcStep,
    Qrx8u* const pDst[3], const int dstStep[3], QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiRGBToYCbCr422_8u_C3C2R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiRGBToYCbCr422_8u_P3C2R(const Qrx8u* const pSrc[3], int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiRGBToYCrCb422_8u_C3C2R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiRGBToYCrCb422_8u_P3C2R(const Qrx8u* const pSrc[3], int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiRGBToYCbCr422_8u_C3P3R(const Qrx8u* pSrc, int srcStep,
    Qrx8u* const pDst[3], const int dstStep[3], QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiRGBToYCrCb420_8u_AC4P3R(const Qrx8u* pSrc, int srcStep,
    Qrx8u* const pDst[3], const int dstStep[3], QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiBGRToYCbCr411_8u_C3P3R(const Qrx8u* pSrc, int srcStep,
    Qrx8u* const pDst[3], const int dstStep[3], QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiBGRToYCbCr411_8u_AC4P3R(const Qrx8u* pSrc, int srcStep,
    Qrx8u* const pDst[3], const int dstStep[3], QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiBGRToYCbCr420_8u_C3P3R(const Qrx8u* pSrc, int srcStep,
    Qrx8u* const pDst[3], const int dstStep[3], QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiBGRToYCbCr420_8u_AC4P3R(const Qrx8u* pSrc, int srcStep,
    Qrx8u* const pDst[3], const int dstStep[3], QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiBGRToYCrCb420_8u_C3P3R(const Qrx8u* pSrc, int srcStep,
    Qrx8u* const pDst[3], const int dstStep[3], QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiBGRToYCrCb420_8u_AC4P3R(const Qrx8u* pSrc, int srcStep,
    Qrx8u* const pDst[3], const int dstStep[3], QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiBGRToYCbCr422_8u_C3C2R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiBGRToYCbCr422_8u_AC4C2R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiBGRToYCbCr422_8u_C3P3R(const Qrx8u* pSrc, int srcStep,
    Qrx8u* const pDst[3], const int dstStep[3], QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiBGRToYCbCr422_8u_AC4P3R(const Qrx8u* pSrc, int srcStep,
    Qrx8u* const pDst[3], const int dstStep[3], QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiBGR555ToYCbCr411_16u8u_C3P3R(const Qrx16u* pSrc, int srcStep,
    Qrx8u* const pDst[3], const int dstStep[3], QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiBGR565ToYCbCr411_16u8u_C3P3R(const Qrx16u* pSrc, int srcStep,
    Qrx8u* const pDst[3], const int dstStep[3], QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiBGR555ToYCbCr420_16u8u_C3P3R(const Qrx16u* pSrc, int srcStep,
    Qrx8u* const pDst[3], const int dstStep[3], QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiBGR565ToYCbCr420_16u8u_C3P3R(const Qrx16u* pSrc, int srcStep,
    Qrx8u* const pDst[3], const int dstStep[3], QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiBGR555ToYCrCb420_16u8u_C3P3R(const Qrx16u* pSrc, int srcStep,
    Qrx8u* const pDst[3], const int dstStep[3], QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiBGR565ToYCrCb420_16u8u_C3P3R(const Qrx16u* pSrc, int srcStep,
    Qrx8u* const pDst[3], const int dstStep[3], QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiBGR555ToYCbCr422_16u8u_C3C2R(const Qrx16u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiBGR565ToYCbCr422_16u8u_C3C2R(const Qrx16u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiBGR555ToYCbCr422_16u8u_C3P3R(const Qrx16u* pSrc, int srcStep,
    Qrx8u* const pDst[3], const int dstStep[3], QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiBGR565ToYCbCr422_16u8u_C3P3R(const Qrx16u* pSrc, int srcStep,
    Qrx8u* const pDst[3], const int dstStep[3], QrxRoiSize roiSize);

/* Subsampled BT.601 YCbCr / YCrCb (4:2:2, 4:2:0, 4:1:1) -> RGB/BGR.
 * Four-channel destinations write the low byte of alpha as the fourth byte. */
QRXAPI QrxStatus qrxiYCbCr422ToRGB_8u_C2C3R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr422ToRGB_8u_C2P3R(const Qrx8u* pSrc, int srcStep, Qrx8u* const pDst[3], int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCrCb422ToRGB_8u_C2C3R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCrCb422ToRGB_8u_C2P3R(const Qrx8u* pSrc, int srcStep, Qrx8u* const pDst[3], int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr422ToRGB_8u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx8u* pDst, int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr422ToBGR_8u_C2C3R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr422ToBGR_8u_C2C4R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize, int alpha);
QRXAPI QrxStatus qrxiYCbCr422ToBGR_8u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx8u* pDst, int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr420ToBGR_8u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx8u* pDst, int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr420ToBGR_8u_P3C4R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx8u* pDst, int dstStep, QrxRoiSize roiSize, int alpha);
QRXAPI QrxStatus qrxiYCbCr420ToRGB_8u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx8u* pDst, int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCrCb420ToRGB_8u_P3C4R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx8u* pDst, int dstStep, QrxRoiSize roiSize, int alpha);
QRXAPI QrxStatus qrxiYCrCb420ToBGR_Filter_8u_P3C4R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx8u* pDst, int dstStep, QrxRoiSize roiSize, int alpha);
QRXAPI QrxStatus qrxiYCbCr411ToBGR_8u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx8u* pDst, int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr411ToBGR_8u_P3C4R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx8u* pDst, int dstStep, QrxRoiSize roiSize, int alpha);

/* YCbCr / YUV -> packed 16-bit RGB/BGR 565, 555 and 444 words, truncated
 * or with 4x4 ordered dither, and plain 8-bit <-> 565 converters.
 * 16-bit images are addressed with byte steps. */
QRXAPI QrxStatus qrxiYCbCrToBGR565_8u16u_C3R(const Qrx8u* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr422ToBGR565_8u16u_C2C3R(const Qrx8u* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYUV420ToBGR565_8u16u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx16u* pDst, int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCrToBGR565_8u16u_P3C3R(const Qrx8u* const pSrc[3],
    const int srcStep[3], Qrx16u* pDst, int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr422ToBGR565_8u16u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx16u* pDst, int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr420ToBGR565_8u16u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx16u* pDst, int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr411ToBGR565_8u16u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx16u* pDst, int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCrToBGR565Dither_8u16u_C3R(const Qrx8u* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCrToBGR565Dither_8u16u_P3C3R(const Qrx8u* const pSrc[3],
    const int srcStep[3], Qrx16u* pDst, int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr422ToBGR565Dither_8u16u_C2C3R(const Qrx8u* pSrc, int srcStep,
    Qrx16u* pDst, int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr422ToBGR565Dither_8u16u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx16u* pDst, int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr420ToBGR565Dither_8u16u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx16u* pDst, int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYUV420ToBGR565Dither_8u16u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx16u* pDst, int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCrToBGR444_8u16u_C3R(const Qrx8u* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCrToBGR555_8u16u_C3R(const Qrx8u* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCrToRGB444_8u16u_C3R(const Qrx8u* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCrToRGB555_8u16u_C3R(const Qrx8u* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCrToRGB565_8u16u_C3R(const Qrx8u* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr422ToBGR444_8u16u_C2C3R(const Qrx8u* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr422ToBGR555_8u16u_C2C3R(const Qrx8u* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr422ToRGB444_8u16u_C2C3R(const Qrx8u* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr422ToRGB555_8u16u_C2C3R(const Qrx8u* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr422ToRGB565_8u16u_C2C3R(const Qrx8u* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYUV420ToBGR444_8u16u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx16u* pDst, int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYUV420ToBGR555_8u16u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx16u* pDst, int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYUV420ToRGB444_8u16u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx16u* pDst, int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYUV420ToRGB555_8u16u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx16u* pDst, int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYUV420ToRGB565_8u16u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx16u* pDst, int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCrToBGR444_8u16u_P3C3R(const Qrx8u* const pSrc[3],
    const int srcStep[3], Qrx16u* pDst, int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCrToBGR555_8u16u_P3C3R(const Qrx8u* const pSrc[3],
    const int srcStep[3], Qrx16u* pDst, int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCrToRGB444_8u16u_P3C3R(const Qrx8u* const pSrc[3],
    const int srcStep[3], Qrx16u* pDst, int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCrToRGB555_8u16u_P3C3R(const Qrx8u* const pSrc[3],
    const int srcStep[3], Qrx16u* pDst, int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCrToRGB565_8u16u_P3C3R(const Qrx8u* const pSrc[3],
    const int srcStep[3], Qrx16u* pDst, int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr422ToBGR444_8u16u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx16u* pDst, int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr422ToBGR555_8u16u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx16u* pDst, int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr422ToRGB444_8u16u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx16u* pDst, int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr422ToRGB555_8u16u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx16u* pDst, int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr422ToRGB565_8u16u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx16u* pDst, int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr420ToBGR444_8u16u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx16u* pDst, int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr420ToBGR555_8u16u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx16u* pDst, int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr420ToRGB444_8u16u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx16u* pDst, int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr420ToRGB555_8u16u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx16u* pDst, int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr420ToRGB565_8u16u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx16u* pDst, int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr411ToBGR555_8u16u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx16u* pDst, int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCrToBGR444Dither_8u16u_C3R(const Qrx8u* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCrToBGR555Dither_8u16u_C3R(const Qrx8u* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCrToRGB444Dither_8u16u_C3R(const Qrx8u* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCrToRGB555Dither_8u16u_C3R(const Qrx8u* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCrToRGB565Dither_8u16u_C3R(const Qrx8u* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCrToBGR444Dither_8u16u_P3C3R(const Qrx8u* const pSrc[3],
    const int srcStep[3], Qrx16u* pDst, int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCrToBGR555Dither_8u16u_P3C3R(const Qrx8u* const pSrc[3],
    const int srcStep[3], Qrx16u* pDst, int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCrToRGB444Dither_8u16u_P3C3R(const Qrx8u* const pSrc[3],
    const int srcStep[3], Qrx16u* pDst, int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCrToRGB555Dither_8u16u_P3C3R(const Qrx8u* const pSrc[3],
    const int srcStep[3], Qrx16u* pDst, int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCrToRGB565Dither_8u16u_P3C3R(const Qrx8u* const pSrc[3],
    const int srcStep[3], Qrx16u* pDst, int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr422ToBGR444Dither_8u16u_C2C3R(const Qrx8u* pSrc, int srcStep,
    Qrx16u* pDst, int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr422ToBGR555Dither_8u16u_C2C3R(const Qrx8u* pSrc, int srcStep,
    Qrx16u* pDst, int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr422ToRGB444Dither_8u16u_C2C3R(const Qrx8u* pSrc, int srcStep,
    Qrx16u* pDst, int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr422ToRGB555Dither_8u16u_C2C3R(const Qrx8u* pSrc, int srcStep,
    Qrx16u* pDst, int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr422ToRGB565Dither_8u16u_C2C3R(const Qrx8u* pSrc, int srcStep,
    Qrx16u* pDst, int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr422ToBGR444Dither_8u16u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx16u* pDst, int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr422ToBGR555Dither_8u16u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx16u* pDst, int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr422ToRGB444Dither_8u16u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx16u* pDst, int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr422ToRGB555Dither_8u16u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx16u* pDst, int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr422ToRGB565Dither_8u16u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx16u* pDst, int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr420ToBGR444Dither_8u16u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx16u* pDst, int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr420ToBGR555Dither_8u16u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx16u* pDst, int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr420ToRGB444Dither_8u16u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx16u* pDst, int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr420ToRGB555Dither_8u16u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx16u* pDst, int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr420ToRGB565Dither_8u16u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx16u* pDst, int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYUV420ToBGR444Dither_8u16u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx16u* pDst, int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYUV420ToBGR555Dither_8u16u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx16u* pDst, int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYUV420ToRGB444Dither_8u16u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx16u* pDst, int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYUV420ToRGB555Dither_8u16u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx16u* pDst, int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYUV420ToRGB565Dither_8u16u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx16u* pDst, int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiRGBToRGB565_8u16u_C3R(const Qrx8u* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiBGRToBGR565_8u16u_C3R(const Qrx8u* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiRGB565ToRGB_16u8u_C3R(const Qrx16u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiBGR565ToBGR_16u8u_C3R(const Qrx16u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize);

/* Chroma re-sampling and plane layout changes between YCbCr 4:2:2, 4:2:0,
 * 4:1:1 and 16:2:0, planar (P3), two-plane (P2: Y plane plus interleaved
 * CbCr plane) and packed (C2) forms. The two slice-wise smoothing filters
 * take a qrxSlice* position last. */
QRXAPI QrxStatus qrxiYCbCr422_8u_P3C2R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx8u* pDst, int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr422_8u_C2P3R(const Qrx8u* pSrc, int srcStep,
    Qrx8u* const pDst[3], const int dstStep[3], QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiCbYCr422ToYCbCr422_8u_C2R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr422ToCbYCr422_8u_C2R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr422ToYCrCb422_8u_C2R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr422ToYCrCb422_8u_P3C2R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx8u* pDst, int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiCbYCr422ToYCbCr422_8u_C2P3R(const Qrx8u* pSrc, int srcStep,
    Qrx8u* const pDst[3], const int dstStep[3], QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCrCb422ToYCbCr422_8u_C2P3R(const Qrx8u* pSrc, int srcStep,
    Qrx8u* const pDst[3], const int dstStep[3], QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr420_8u_P2P3R(const Qrx8u* pSrcY, int srcYStep,
    const Qrx8u* pSrcCbCr, int srcCbCrStep, Qrx8u* const pDst[3], const int dstStep[3], QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr420_8u_P3P2R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx8u* pDstY, int dstYStep, Qrx8u* pDstCbCr, int dstCbCrStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr420ToYCrCb420_8u_P2P3R(const Qrx8u* pSrcY, int srcYStep,
    const Qrx8u* pSrcCbCr, int srcCbCrStep, Qrx8u* const pDst[3], const int dstStep[3], QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCrCb420ToYCbCr420_8u_P3P2R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx8u* pDstY, int dstYStep, Qrx8u* pDstCbCr, int dstCbCrStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr411_8u_P2P3R(const Qrx8u* pSrcY, int srcYStep,
    const Qrx8u* pSrcCbCr, int srcCbCrStep, Qrx8u* const pDst[3], const int dstStep[3], QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr411_8u_P3P2R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx8u* pDstY, int dstYStep, Qrx8u* pDstCbCr, int dstCbCrStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiCbYCr422ToYCbCr420_8u_C2P2R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDstY, int dstYStep,
    Qrx8u* pDstCbCr, int dstCbCrStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiCbYCr422ToYCbCr420_8u_C2P3R(const Qrx8u* pSrc, int srcStep,
    Qrx8u* const pDst[3], const int dstStep[3], QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiCbYCr422ToYCrCb420_8u_C2P3R(const Qrx8u* pSrc, int srcStep,
    Qrx8u* const pDst[3], const int dstStep[3], QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr422ToYCbCr420_8u_C2P2R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDstY, int dstYStep,
    Qrx8u* pDstCbCr, int dstCbCrStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr422ToYCbCr420_8u_C2P3R(const Qrx8u* pSrc, int srcStep,
    Qrx8u* const pDst[3], const int dstStep[3], QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr422ToYCbCr420_8u_P3P2R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx8u* pDstY, int dstYStep, Qrx8u* pDstCbCr, int dstCbCrStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr422ToYCbCr420_8u_P3R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx8u* const pDst[3], const int dstStep[3], QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr422ToYCrCb420_8u_C2P3R(const Qrx8u* pSrc, int srcStep,
    Qrx8u* const pDst[3], const int dstStep[3], QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCrCb422ToYCbCr420_8u_C2P3R(const Qrx8u* pSrc, int srcStep,
    Qrx8u* const pDst[3], const int dstStep[3], QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr420ToYCbCr422_8u_P2C2R(const Qrx8u* pSrcY, int srcYStep,
    const Qrx8u* pSrcCbCr, int srcCbCrStep, Qrx8u* pDst, int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr420ToCbYCr422_8u_P2C2R(const Qrx8u* pSrcY, int srcYStep,
    const Qrx8u* pSrcCbCr, int srcCbCrStep, Qrx8u* pDst, int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr420ToYCbCr422_8u_P2P3R(const Qrx8u* pSrcY, int srcYStep,
    const Qrx8u* pSrcCbCr, int srcCbCrStep, Qrx8u* const pDst[3], const int dstStep[3], QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr420ToYCbCr422_8u_P3R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx8u* const pDst[3], const int dstStep[3], QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCrCb420ToYCbCr422_8u_P3R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx8u* const pDst[3], const int dstStep[3], QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCrCb420ToYCbCr422_8u_P3C2R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx8u* pDst, int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCrCb420ToCbYCr422_8u_P3C2R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx8u* pDst, int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiCbYCr422ToYCbCr411_8u_C2P3R(const Qrx8u* pSrc, int srcStep,
    Qrx8u* const pDst[3], const int dstStep[3], QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr422ToYCbCr411_8u_C2P2R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDstY, int dstYStep,
    Qrx8u* pDstCbCr, int dstCbCrStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr422ToYCbCr411_8u_C2P3R(const Qrx8u* pSrc, int srcStep,
    Qrx8u* const pDst[3], const int dstStep[3], QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr422ToYCbCr411_8u_P3P2R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx8u* pDstY, int dstYStep, Qrx8u* pDstCbCr, int dstCbCrStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr422ToYCbCr411_8u_P3R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx8u* const pDst[3], const int dstStep[3], QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCrCb422ToYCbCr411_8u_C2P3R(const Qrx8u* pSrc, int srcStep,
    Qrx8u* const pDst[3], const int dstStep[3], QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr411ToYCbCr422_8u_P2C2R(const Qrx8u* pSrcY, int srcYStep,
    const Qrx8u* pSrcCbCr, int srcCbCrStep, Qrx8u* pDst, int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr411ToYCbCr422_8u_P2P3R(const Qrx8u* pSrcY, int srcYStep,
    const Qrx8u* pSrcCbCr, int srcCbCrStep, Qrx8u* const pDst[3], const int dstStep[3], QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr411ToYCbCr422_8u_P3C2R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx8u* pDst, int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr411ToYCbCr422_8u_P3R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx8u* const pDst[3], const int dstStep[3], QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr411ToYCrCb422_8u_P3C2R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx8u* pDst, int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr411ToYCrCb422_8u_P3R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx8u* const pDst[3], const int dstStep[3], QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr411ToYCbCr420_8u_P2P3R(const Qrx8u* pSrcY, int srcYStep,
    const Qrx8u* pSrcCbCr, int srcCbCrStep, Qrx8u* const pDst[3], const int dstStep[3], QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr411ToYCbCr420_8u_P3P2R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx8u* pDstY, int dstYStep, Qrx8u* pDstCbCr, int dstCbCrStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr411ToYCbCr420_8u_P3R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx8u* const pDst[3], const int dstStep[3], QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr411ToYCrCb420_8u_P2P3R(const Qrx8u* pSrcY, int srcYStep,
    const Qrx8u* pSrcCbCr, int srcCbCrStep, Qrx8u* const pDst[3], const int dstStep[3], QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr420ToYCbCr411_8u_P2P3R(const Qrx8u* pSrcY, int srcYStep,
    const Qrx8u* pSrcCbCr, int srcCbCrStep, Qrx8u* const pDst[3], const int dstStep[3], QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr420ToYCbCr411_8u_P3P2R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx8u* pDstY, int dstYStep, Qrx8u* pDstCbCr, int dstCbCrStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCrCb420ToYCbCr411_8u_P3P2R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx8u* pDstY, int dstYStep, Qrx8u* pDstCbCr, int dstCbCrStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr420To1620_8u_P3R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx8u* const pDst[3], const int dstStep[3], QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr1620To420_8u_P3R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx8u* const pDst[3], const int dstStep[3], QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr411To420_8u_P3R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx8u* const pDst[3], const int dstStep[3], QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr420To411_8u_P3R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx8u* const pDst[3], const int dstStep[3], QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr420ToYCbCr422_Filter_8u_P2P3R(const Qrx8u* pSrcY, int srcYStep,
    const Qrx8u* pSrcCbCr, int srcCbCrStep, Qrx8u* const pDst[3], const int dstStep[3], QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr420ToYCbCr422_Filter_8u_P3R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx8u* const pDst[3], const int dstStep[3], QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCrCb420ToYCbCr422_Filter_8u_P3R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx8u* const pDst[3], const int dstStep[3], QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr420ToYCbCr422_Filter_8u_P2C2R(const Qrx8u* pSrcY, int srcYStep,
    const Qrx8u* pSrcCbCr, int srcCbCrStep, Qrx8u* pDst, int dstStep, QrxRoiSize roiSize, int slicePos);
QRXAPI QrxStatus qrxiYCbCr420ToYCrCb420_Filter_8u_P2P3R(const Qrx8u* pSrcY, int srcYStep,
    const Qrx8u* pSrcCbCr, int srcCbCrStep, Qrx8u* const pDst[3], const int dstStep[3],
    QrxRoiSize roiSize, int slicePos);

/* Interlaced 4:2:2 <-> 4:2:0: vertical chroma filtering that never mixes
 * the top and bottom fields. */
QRXAPI QrxStatus qrxiCbYCr422ToYCbCr420_Interlace_8u_C2P3R(const Qrx8u* pSrc, int srcStep,
    Qrx8u* const pDst[3], const int dstStep[3], QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr422To420_Interlace_8u_P3R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx8u* const pDst[3], const int dstStep[3], QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr420To422_Interlace_8u_P3R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx8u* const pDst[3], const int dstStep[3], QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr420ToCbYCr422_Interlace_8u_P3C2R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx8u* pDst, int dstStep, QrxRoiSize roiSize);

/* BT.709 conversions: studio-range 709CSC and full-range 709HDTV. */
QRXAPI QrxStatus qrxiBGRToYCbCr420_709CSC_8u_C3P3R(const Qrx8u* pSrc, int srcStep,
    Qrx8u* const pDst[3], const int dstStep[3], QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiBGRToYCbCr420_709CSC_8u_AC4P3R(const Qrx8u* pSrc, int srcStep,
    Qrx8u* const pDst[3], const int dstStep[3], QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiBGRToYCrCb420_709CSC_8u_C3P3R(const Qrx8u* pSrc, int srcStep,
    Qrx8u* const pDst[3], const int dstStep[3], QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiBGRToYCrCb420_709CSC_8u_AC4P3R(const Qrx8u* pSrc, int srcStep,
    Qrx8u* const pDst[3], const int dstStep[3], QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCr420ToBGR_709CSC_8u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx8u* pDst, int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCrToBGR_709CSC_8u_P3C3R(const Qrx8u* const pSrc[3], int srcStep,
    Qrx8u* pDst, int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCbCrToBGR_709CSC_8u_P3C4R(const Qrx8u* const pSrc[3], int srcStep,
    Qrx8u* pDst, int dstStep, QrxRoiSize roiSize, int alpha);
QRXAPI QrxStatus qrxiBGRToCbYCr422_709HDTV_8u_C3C2R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiBGRToCbYCr422_709HDTV_8u_AC4C2R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiBGRToYCbCr420_709HDTV_8u_AC4P3R(const Qrx8u* pSrc, int srcStep,
    Qrx8u* const pDst[3], const int dstStep[3], QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiCbYCr422ToBGR_709HDTV_8u_C2C3R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiCbYCr422ToBGR_709HDTV_8u_C2C4R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize, int alpha);
QRXAPI QrxStatus qrxiYCbCr420ToBGR_709HDTV_8u_P3C4R(const Qrx8u* const pSrc[3], const int srcStep[3],
    Qrx8u* pDst, int dstStep, QrxRoiSize roiSize, int alpha);

/* RGB/BGR <-> packed CbYCr 4:2:2 (Cb Y0 Cr Y1). */
QRXAPI QrxStatus qrxiBGRToCbYCr422_8u_AC4C2R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiRGBToCbYCr422_8u_C3C2R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiRGBToCbYCr422Gamma_8u_C3C2R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiCbYCr422ToRGB_8u_C2C3R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiCbYCr422ToBGR_8u_C2C4R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize, int alpha);

/* RGB/BGR <-> YCoCg, plain and reversible (_Rev) lifting forms. The three
 * YCoCg planes share one row step; alpha is written to C4 destinations. */
QRXAPI QrxStatus qrxiBGRToYCoCg_8u16s_C3P3R(const Qrx8u* pSrc, int srcStep,
    Qrx16s* const pDst[3], int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiBGRToYCoCg_8u16s_C4P3R(const Qrx8u* pSrc, int srcStep,
    Qrx16s* const pDst[3], int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiBGRToYCoCg_Rev_8u16s_C3P3R(const Qrx8u* pSrc, int srcStep,
    Qrx16s* const pDst[3], int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiBGRToYCoCg_Rev_8u16s_C4P3R(const Qrx8u* pSrc, int srcStep,
    Qrx16s* const pDst[3], int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiSBGRToYCoCg_16s_C3P3R(const Qrx16s* pSrc, int srcStep,
    Qrx16s* const pDst[3], int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiSBGRToYCoCg_16s_C4P3R(const Qrx16s* pSrc, int srcStep,
    Qrx16s* const pDst[3], int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiSBGRToYCoCg_Rev_16s_C3P3R(const Qrx16s* pSrc, int srcStep,
    Qrx16s* const pDst[3], int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiSBGRToYCoCg_Rev_16s_C4P3R(const Qrx16s* pSrc, int srcStep,
    Qrx16s* const pDst[3], int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiSBGRToYCoCg_16s32s_C3P3R(const Qrx16s* pSrc, int srcStep,
    Qrx32s* const pDst[3], int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiSBGRToYCoCg_16s32s_C4P3R(const Qrx16s* pSrc, int srcStep,
    Qrx32s* const pDst[3], int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiSBGRToYCoCg_Rev_16s32s_C3P3R(const Qrx16s* pSrc, int srcStep,
    Qrx32s* const pDst[3], int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiSBGRToYCoCg_Rev_16s32s_C4P3R(const Qrx16s* pSrc, int srcStep,
    Qrx32s* const pDst[3], int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCoCgToBGR_16s8u_P3C3R(const Qrx16s* const pSrc[3], int srcStep,
    Qrx8u* pDst, int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCoCgToBGR_16s8u_P3C4R(const Qrx16s* const pSrc[3], int srcStep,
    Qrx8u* pDst, int dstStep, QrxRoiSize roiSize, int alpha);
QRXAPI QrxStatus qrxiYCoCgToBGR_Rev_16s8u_P3C3R(const Qrx16s* const pSrc[3], int srcStep,
    Qrx8u* pDst, int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCoCgToBGR_Rev_16s8u_P3C4R(const Qrx16s* const pSrc[3], int srcStep,
    Qrx8u* pDst, int dstStep, QrxRoiSize roiSize, int alpha);
QRXAPI QrxStatus qrxiYCoCgToSBGR_16s_P3C3R(const Qrx16s* const pSrc[3], int srcStep,
    Qrx16s* pDst, int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCoCgToSBGR_16s_P3C4R(const Qrx16s* const pSrc[3], int srcStep,
    Qrx16s* pDst, int dstStep, QrxRoiSize roiSize, int alpha);
QRXAPI QrxStatus qrxiYCoCgToSBGR_Rev_16s_P3C3R(const Qrx16s* const pSrc[3], int srcStep,
    Qrx16s* pDst, int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCoCgToSBGR_Rev_16s_P3C4R(const Qrx16s* const pSrc[3], int srcStep,
    Qrx16s* pDst, int dstStep, QrxRoiSize roiSize, int alpha);
QRXAPI QrxStatus qrxiYCoCgToSBGR_32s16s_P3C3R(const Qrx32s* const pSrc[3], int srcStep,
    Qrx16s* pDst, int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCoCgToSBGR_32s16s_P3C4R(const Qrx32s* const pSrc[3], int srcStep,
    Qrx16s* pDst, int dstStep, QrxRoiSize roiSize, int alpha);
QRXAPI QrxStatus qrxiYCoCgToSBGR_Rev_32s16s_P3C3R(const Qrx32s* const pSrc[3], int srcStep,
    Qrx16s* pDst, int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCoCgToSBGR_Rev_32s16s_P3C4R(const Qrx32s* const pSrc[3], int srcStep,
    Qrx16s* pDst, int dstStep, QrxRoiSize roiSize, int alpha);
QRXAPI QrxStatus qrxiRGBToYCoCg_8u_C3P3R(const Qrx8u* pSrc, int srcStep, Qrx8u* const pDst[3], int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCoCgToRGB_8u_P3C3R(const Qrx8u* const pSrc[3], int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize);

/* RGB <-> CIE XYZ and CIE 1976 L*u*v*. */
QRXAPI QrxStatus qrxiRGBToXYZ_8u_C3R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiRGBToXYZ_8u_AC4R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiRGBToXYZ_16u_C3R(const Qrx16u* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiRGBToXYZ_16u_AC4R(const Qrx16u* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiRGBToXYZ_16s_C3R(const Qrx16s* pSrc, int srcStep, Qrx16s* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiRGBToXYZ_16s_AC4R(const Qrx16s* pSrc, int srcStep, Qrx16s* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiRGBToXYZ_32f_C3R(const Qrx32f* pSrc, int srcStep, Qrx32f* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiRGBToXYZ_32f_AC4R(const Qrx32f* pSrc, int srcStep, Qrx32f* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiXYZToRGB_8u_C3R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiXYZToRGB_8u_AC4R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiXYZToRGB_16u_C3R(const Qrx16u* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiXYZToRGB_16u_AC4R(const Qrx16u* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiXYZToRGB_16s_C3R(const Qrx16s* pSrc, int srcStep, Qrx16s* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiXYZToRGB_16s_AC4R(const Qrx16s* pSrc, int srcStep, Qrx16s* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiXYZToRGB_32f_C3R(const Qrx32f* pSrc, int srcStep, Qrx32f* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiXYZToRGB_32f_AC4R(const Qrx32f* pSrc, int srcStep, Qrx32f* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiRGBToLUV_8u_C3R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiRGBToLUV_8u_AC4R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiRGBToLUV_16u_C3R(const Qrx16u* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiRGBToLUV_16u_AC4R(const Qrx16u* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiRGBToLUV_16s_C3R(const Qrx16s* pSrc, int srcStep, Qrx16s* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiRGBToLUV_16s_AC4R(const Qrx16s* pSrc, int srcStep, Qrx16s* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiRGBToLUV_32f_C3R(const Qrx32f* pSrc, int srcStep, Qrx32f* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiRGBToLUV_32f_AC4R(const Qrx32f* pSrc, int srcStep, Qrx32f* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiLUVToRGB_8u_C3R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiLUVToRGB_8u_AC4R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiLUVToRGB_16u_C3R(const Qrx16u* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiLUVToRGB_16u_AC4R(const Qrx16u* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiLUVToRGB_16s_C3R(const Qrx16s* pSrc, int srcStep, Qrx16s* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiLUVToRGB_16s_AC4R(const Qrx16s* pSrc, int srcStep, Qrx16s* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiLUVToRGB_32f_C3R(const Qrx32f* pSrc, int srcStep, Qrx32f* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiLUVToRGB_32f_AC4R(const Qrx32f* pSrc, int srcStep, Qrx32f* pDst, int dstStep,
    QrxRoiSize roiSize);

/* BGR <-> CIE L*a*b* (D65), 8-bit and 16-bit Lab codes. */
QRXAPI QrxStatus qrxiBGRToLab_8u_C3R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiBGRToLab_8u16u_C3R(const Qrx8u* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiLabToBGR_8u_C3R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiLabToBGR_16u8u_C3R(const Qrx16u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize);

/* RGB/BGR <-> HLS and HSV. The planar BGR/HLS forms share one row step
 * between the planes of an image; AP4/AC4P4/AP4C4 copy alpha unchanged. */
QRXAPI QrxStatus qrxiRGBToHLS_8u_C3R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiRGBToHLS_8u_AC4R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiRGBToHLS_16u_C3R(const Qrx16u* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiRGBToHLS_16u_AC4R(const Qrx16u* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiRGBToHLS_16s_C3R(const Qrx16s* pSrc, int srcStep, Qrx16s* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiRGBToHLS_16s_AC4R(const Qrx16s* pSrc, int srcStep, Qrx16s* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiRGBToHLS_32f_C3R(const Qrx32f* pSrc, int srcStep, Qrx32f* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiRGBToHLS_32f_AC4R(const Qrx32f* pSrc, int srcStep, Qrx32f* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiHLSToRGB_8u_C3R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiHLSToRGB_8u_AC4R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiHLSToRGB_16u_C3R(const Qrx16u* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiHLSToRGB_16u_AC4R(const Qrx16u* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiHLSToRGB_16s_C3R(const Qrx16s* pSrc, int srcStep, Qrx16s* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiHLSToRGB_16s_AC4R(const Qrx16s* pSrc, int srcStep, Qrx16s* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiHLSToRGB_32f_C3R(const Qrx32f* pSrc, int srcStep, Qrx32f* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiHLSToRGB_32f_AC4R(const Qrx32f* pSrc, int srcStep, Qrx32f* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiRGBToHSV_8u_C3R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiRGBToHSV_8u_AC4R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiRGBToHSV_16u_C3R(const Qrx16u* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiRGBToHSV_16u_AC4R(const Qrx16u* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiHSVToRGB_8u_C3R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiHSVToRGB_8u_AC4R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiHSVToRGB_16u_C3R(const Qrx16u* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiHSVToRGB_16u_AC4R(const Qrx16u* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiBGRToHLS_8u_AC4R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiBGRToHLS_8u_C3P3R(const Qrx8u* pSrc, int srcStep, Qrx8u* const pDst[3], int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiBGRToHLS_8u_P3C3R(const Qrx8u* const pSrc[3], int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiBGRToHLS_8u_P3R(const Qrx8u* const pSrc[3], int srcStep,
    Qrx8u* const pDst[3], int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiBGRToHLS_8u_AC4P4R(const Qrx8u* pSrc, int srcStep, Qrx8u* const pDst[4], int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiBGRToHLS_8u_AP4C4R(const Qrx8u* const pSrc[4], int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiBGRToHLS_8u_AP4R(const Qrx8u* const pSrc[4], int srcStep,
    Qrx8u* const pDst[4], int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiHLSToBGR_8u_C3P3R(const Qrx8u* pSrc, int srcStep, Qrx8u* const pDst[3], int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiHLSToBGR_8u_P3C3R(const Qrx8u* const pSrc[3], int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiHLSToBGR_8u_P3R(const Qrx8u* const pSrc[3], int srcStep,
    Qrx8u* const pDst[3], int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiHLSToBGR_8u_AC4P4R(const Qrx8u* pSrc, int srcStep, Qrx8u* const pDst[4], int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiHLSToBGR_8u_AP4C4R(const Qrx8u* const pSrc[4], int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiHLSToBGR_8u_AP4R(const Qrx8u* const pSrc[4], int srcStep,
    Qrx8u* const pDst[4], int dstStep, QrxRoiSize roiSize);

/* RGB <-> YCC. */
QRXAPI QrxStatus qrxiRGBToYCC_8u_C3R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiRGBToYCC_8u_AC4R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiRGBToYCC_16u_C3R(const Qrx16u* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiRGBToYCC_16u_AC4R(const Qrx16u* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiRGBToYCC_16s_C3R(const Qrx16s* pSrc, int srcStep, Qrx16s* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiRGBToYCC_16s_AC4R(const Qrx16s* pSrc, int srcStep, Qrx16s* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiRGBToYCC_32f_C3R(const Qrx32f* pSrc, int srcStep, Qrx32f* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiRGBToYCC_32f_AC4R(const Qrx32f* pSrc, int srcStep, Qrx32f* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCCToRGB_8u_C3R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCCToRGB_8u_AC4R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCCToRGB_16u_C3R(const Qrx16u* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCCToRGB_16u_AC4R(const Qrx16u* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCCToRGB_16s_C3R(const Qrx16s* pSrc, int srcStep, Qrx16s* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCCToRGB_16s_AC4R(const Qrx16s* pSrc, int srcStep, Qrx16s* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCCToRGB_32f_C3R(const Qrx32f* pSrc, int srcStep, Qrx32f* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiYCCToRGB_32f_AC4R(const Qrx32f* pSrc, int srcStep, Qrx32f* pDst, int dstStep,
    QrxRoiSize roiSize);

/* Colour -> gray: fixed weights (RGBToGray) or caller weights (ColorToGray). */
QRXAPI QrxStatus qrxiRGBToGray_8u_C3C1R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiRGBToGray_8u_AC4C1R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiRGBToGray_16u_C3C1R(const Qrx16u* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiRGBToGray_16u_AC4C1R(const Qrx16u* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiRGBToGray_16s_C3C1R(const Qrx16s* pSrc, int srcStep, Qrx16s* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiRGBToGray_16s_AC4C1R(const Qrx16s* pSrc, int srcStep, Qrx16s* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiRGBToGray_32f_C3C1R(const Qrx32f* pSrc, int srcStep, Qrx32f* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiRGBToGray_32f_AC4C1R(const Qrx32f* pSrc, int srcStep, Qrx32f* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiColorToGray_8u_C3C1R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize, const Qrx32f coeffs[3]);
QRXAPI QrxStatus qrxiColorToGray_8u_AC4C1R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize, const Qrx32f coeffs[3]);
QRXAPI QrxStatus qrxiColorToGray_16u_C3C1R(const Qrx16u* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
    QrxRoiSize roiSize, const Qrx32f coeffs[3]);
QRXAPI QrxStatus qrxiColorToGray_16u_AC4C1R(const Qrx16u* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
    QrxRoiSize roiSize, const Qrx32f coeffs[3]);
QRXAPI QrxStatus qrxiColorToGray_16s_C3C1R(const Qrx16s* pSrc, int srcStep, Qrx16s* pDst, int dstStep,
    QrxRoiSize roiSize, const Qrx32f coeffs[3]);
QRXAPI QrxStatus qrxiColorToGray_16s_AC4C1R(const Qrx16s* pSrc, int srcStep, Qrx16s* pDst, int dstStep,
    QrxRoiSize roiSize, const Qrx32f coeffs[3]);
QRXAPI QrxStatus qrxiColorToGray_32f_C3C1R(const Qrx32f* pSrc, int srcStep, Qrx32f* pDst, int dstStep,
    QrxRoiSize roiSize, const Qrx32f coeffs[3]);
QRXAPI QrxStatus qrxiColorToGray_32f_AC4C1R(const Qrx32f* pSrc, int srcStep, Qrx32f* pDst, int dstStep,
    QrxRoiSize roiSize, const Qrx32f coeffs[3]);

/* Colour twist: out[k] = twist[k][0]*in[0] + twist[k][1]*in[1] + twist[k][2]*in[2] + twist[k][3].
 * The C4 form uses a 4x4 matrix and has no constant term. */
QRXAPI QrxStatus qrxiColorTwist32f_8u_C3R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize, const Qrx32f twist[3][4]);
QRXAPI QrxStatus qrxiColorTwist32f_8u_C3IR(Qrx8u* pSrcDst, int srcDstStep,
    QrxRoiSize roiSize, const Qrx32f twist[3][4]);
QRXAPI QrxStatus qrxiColorTwist32f_8u_AC4R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize, const Qrx32f twist[3][4]);
QRXAPI QrxStatus qrxiColorTwist32f_8u_AC4IR(Qrx8u* pSrcDst, int srcDstStep,
    QrxRoiSize roiSize, const Qrx32f twist[3][4]);
QRXAPI QrxStatus qrxiColorTwist32f_8u_P3R(const Qrx8u* const pSrc[3], int srcStep,
    Qrx8u* const pDst[3], int dstStep, QrxRoiSize roiSize, const Qrx32f twist[3][4]);
QRXAPI QrxStatus qrxiColorTwist32f_8u_IP3R(Qrx8u* const pSrcDst[3], int srcDstStep,
    QrxRoiSize roiSize, const Qrx32f twist[3][4]);
QRXAPI QrxStatus qrxiColorTwist32f_8s_C3R(const Qrx8s* pSrc, int srcStep, Qrx8s* pDst, int dstStep,
    QrxRoiSize roiSize, const Qrx32f twist[3][4]);
QRXAPI QrxStatus qrxiColorTwist32f_8s_C3IR(Qrx8s* pSrcDst, int srcDstStep,
    QrxRoiSize roiSize, const Qrx32f twist[3][4]);
QRXAPI QrxStatus qrxiColorTwist32f_8s_AC4R(const Qrx8s* pSrc, int srcStep, Qrx8s* pDst, int dstStep,
    QrxRoiSize roiSize, const Qrx32f twist[3][4]);
QRXAPI QrxStatus qrxiColorTwist32f_8s_AC4IR(Qrx8s* pSrcDst, int srcDstStep,
    QrxRoiSize roiSize, const Qrx32f twist[3][4]);
QRXAPI QrxStatus qrxiColorTwist32f_8s_P3R(const Qrx8s* const pSrc[3], int srcStep,
    Qrx8s* const pDst[3], int dstStep, QrxRoiSize roiSize, const Qrx32f twist[3][4]);
QRXAPI QrxStatus qrxiColorTwist32f_8s_IP3R(Qrx8s* const pSrcDst[3], int srcDstStep,
    QrxRoiSize roiSize, const Qrx32f twist[3][4]);
QRXAPI QrxStatus qrxiColorTwist32f_16u_C3R(const Qrx16u* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
    QrxRoiSize roiSize, const Qrx32f twist[3][4]);
QRXAPI QrxStatus qrxiColorTwist32f_16u_C3IR(Qrx16u* pSrcDst, int srcDstStep,
    QrxRoiSize roiSize, const Qrx32f twist[3][4]);
QRXAPI QrxStatus qrxiColorTwist32f_16u_AC4R(const Qrx16u* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
    QrxRoiSize roiSize, const Qrx32f twist[3][4]);
QRXAPI QrxStatus qrxiColorTwist32f_16u_AC4IR(Qrx16u* pSrcDst, int srcDstStep,
    QrxRoiSize roiSize, const Qrx32f twist[3][4]);
QRXAPI QrxStatus qrxiColorTwist32f_16u_P3R(const Qrx16u* const pSrc[3], int srcStep,
    Qrx16u* const pDst[3], int dstStep, QrxRoiSize roiSize, const Qrx32f twist[3][4]);
QRXAPI QrxStatus qrxiColorTwist32f_16u_IP3R(Qrx16u* const pSrcDst[3], int srcDstStep,
    QrxRoiSize roiSize, const Qrx32f twist[3][4]);
QRXAPI QrxStatus qrxiColorTwist32f_16s_C3R(const Qrx16s* pSrc, int srcStep, Qrx16s* pDst, int dstStep,
    QrxRoiSize roiSize, const Qrx32f twist[3][4]);
QRXAPI QrxStatus qrxiColorTwist32f_16s_C3IR(Qrx16s* pSrcDst, int srcDstStep,
    QrxRoiSize roiSize, const Qrx32f twist[3][4]);
QRXAPI QrxStatus qrxiColorTwist32f_16s_AC4R(const Qrx16s* pSrc, int srcStep, Qrx16s* pDst, int dstStep,
    QrxRoiSize roiSize, const Qrx32f twist[3][4]);
QRXAPI QrxStatus qrxiColorTwist32f_16s_AC4IR(Qrx16s* pSrcDst, int srcDstStep,
    QrxRoiSize roiSize, const Qrx32f twist[3][4]);
QRXAPI QrxStatus qrxiColorTwist32f_16s_P3R(const Qrx16s* const pSrc[3], int srcStep,
    Qrx16s* const pDst[3], int dstStep, QrxRoiSize roiSize, const Qrx32f twist[3][4]);
QRXAPI QrxStatus qrxiColorTwist32f_16s_IP3R(Qrx16s* const pSrcDst[3], int srcDstStep,
    QrxRoiSize roiSize, const Qrx32f twist[3][4]);
QRXAPI QrxStatus qrxiColorTwist_32f_C3R(const Qrx32f* pSrc, int srcStep, Qrx32f* pDst, int dstStep,
    QrxRoiSize roiSize, const Qrx32f twist[3][4]);
QRXAPI QrxStatus qrxiColorTwist_32f_C3IR(Qrx32f* pSrcDst, int srcDstStep,
    QrxRoiSize roiSize, const Qrx32f twist[3][4]);
QRXAPI QrxStatus qrxiColorTwist_32f_AC4R(const Qrx32f* pSrc, int srcStep, Qrx32f* pDst, int dstStep,
    QrxRoiSize roiSize, const Qrx32f twist[3][4]);
QRXAPI QrxStatus qrxiColorTwist_32f_AC4IR(Qrx32f* pSrcDst, int srcDstStep,
    QrxRoiSize roiSize, const Qrx32f twist[3][4]);
QRXAPI QrxStatus qrxiColorTwist_32f_P3R(const Qrx32f* const pSrc[3], int srcStep,
    Qrx32f* const pDst[3], int dstStep, QrxRoiSize roiSize, const Qrx32f twist[3][4]);
QRXAPI QrxStatus qrxiColorTwist_32f_IP3R(Qrx32f* const pSrcDst[3], int srcDstStep,
    QrxRoiSize roiSize, const Qrx32f twist[3][4]);
QRXAPI QrxStatus qrxiColorTwist_32f_C4R(const Qrx32f* pSrc, int srcStep, Qrx32f* pDst, int dstStep,
    QrxRoiSize roiSize, const Qrx32f twist[4][4]);

/* Forward and inverse gamma correction; the float forms take the data
 * range [vMin, vMax]. */
QRXAPI QrxStatus qrxiGammaFwd_8u_C3R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiGammaFwd_8u_C3IR(Qrx8u* pSrcDst, int srcDstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiGammaFwd_8u_AC4R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiGammaFwd_8u_AC4IR(Qrx8u* pSrcDst, int srcDstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiGammaFwd_8u_P3R(const Qrx8u* const pSrc[3], int srcStep,
    Qrx8u* const pDst[3], int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiGammaFwd_8u_IP3R(Qrx8u* const pSrcDst[3], int srcDstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiGammaInv_8u_C3R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiGammaInv_8u_C3IR(Qrx8u* pSrcDst, int srcDstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiGammaInv_8u_AC4R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiGammaInv_8u_AC4IR(Qrx8u* pSrcDst, int srcDstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiGammaInv_8u_P3R(const Qrx8u* const pSrc[3], int srcStep,
    Qrx8u* const pDst[3], int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiGammaInv_8u_IP3R(Qrx8u* const pSrcDst[3], int srcDstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiGammaFwd_16u_C3R(const Qrx16u* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiGammaFwd_16u_C3IR(Qrx16u* pSrcDst, int srcDstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiGammaFwd_16u_AC4R(const Qrx16u* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiGammaFwd_16u_AC4IR(Qrx16u* pSrcDst, int srcDstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiGammaFwd_16u_P3R(const Qrx16u* const pSrc[3], int srcStep,
    Qrx16u* const pDst[3], int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiGammaFwd_16u_IP3R(Qrx16u* const pSrcDst[3], int srcDstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiGammaInv_16u_C3R(const Qrx16u* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiGammaInv_16u_C3IR(Qrx16u* pSrcDst, int srcDstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiGammaInv_16u_AC4R(const Qrx16u* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiGammaInv_16u_AC4IR(Qrx16u* pSrcDst, int srcDstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiGammaInv_16u_P3R(const Qrx16u* const pSrc[3], int srcStep,
    Qrx16u* const pDst[3], int dstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiGammaInv_16u_IP3R(Qrx16u* const pSrcDst[3], int srcDstStep, QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiGammaFwd_32f_C3R(const Qrx32f* pSrc, int srcStep, Qrx32f* pDst, int dstStep,
    QrxRoiSize roiSize, Qrx32f vMin, Qrx32f vMax);
QRXAPI QrxStatus qrxiGammaFwd_32f_C3IR(Qrx32f* pSrcDst, int srcDstStep,
    QrxRoiSize roiSize, Qrx32f vMin, Qrx32f vMax);
QRXAPI QrxStatus qrxiGammaFwd_32f_AC4R(const Qrx32f* pSrc, int srcStep, Qrx32f* pDst, int dstStep,
    QrxRoiSize roiSize, Qrx32f vMin, Qrx32f vMax);
QRXAPI QrxStatus qrxiGammaFwd_32f_AC4IR(Qrx32f* pSrcDst, int srcDstStep,
    QrxRoiSize roiSize, Qrx32f vMin, Qrx32f vMax);
QRXAPI QrxStatus qrxiGammaFwd_32f_P3R(const Qrx32f* const pSrc[3], int srcStep,
    Qrx32f* const pDst[3], int dstStep, QrxRoiSize roiSize, Qrx32f vMin, Qrx32f vMax);
QRXAPI QrxStatus qrxiGammaFwd_32f_IP3R(Qrx32f* const pSrcDst[3], int srcDstStep,
    QrxRoiSize roiSize, Qrx32f vMin, Qrx32f vMax);
QRXAPI QrxStatus qrxiGammaInv_32f_C3R(const Qrx32f* pSrc, int srcStep, Qrx32f* pDst, int dstStep,
    QrxRoiSize roiSize, Qrx32f vMin, Qrx32f vMax);
QRXAPI QrxStatus qrxiGammaInv_32f_C3IR(Qrx32f* pSrcDst, int srcDstStep,
    QrxRoiSize roiSize, Qrx32f vMin, Qrx32f vMax);
QRXAPI QrxStatus qrxiGammaInv_32f_AC4R(const Qrx32f* pSrc, int srcStep, Qrx32f* pDst, int dstStep,
    QrxRoiSize roiSize, Qrx32f vMin, Qrx32f vMax);
QRXAPI QrxStatus qrxiGammaInv_32f_AC4IR(Qrx32f* pSrcDst, int srcDstStep,
    QrxRoiSize roiSize, Qrx32f vMin, Qrx32f vMax);
QRXAPI QrxStatus qrxiGammaInv_32f_P3R(const Qrx32f* const pSrc[3], int srcStep,
    Qrx32f* const pDst[3], int dstStep, QrxRoiSize roiSize, Qrx32f vMin, Qrx32f vMax);
QRXAPI QrxStatus qrxiGammaInv_32f_IP3R(Qrx32f* const pSrcDst[3], int srcDstStep,
    QrxRoiSize roiSize, Qrx32f vMin, Qrx32f vMax);

/* Tone mapping of a float plane to 8 bits by its maximum or its mean. */
QRXAPI QrxStatus qrxiToneMapLinear_32f8u_C1R(const Qrx32f* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize);
QRXAPI QrxStatus qrxiToneMapMean_32f8u_C1R(const Qrx32f* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize);

/* Bit-depth reduction to a given number of output levels, optionally dithered.
 * noise is 0..100; levels is 2..256 (2..65536 for 16u->16u and 16s->16s). */
QRXAPI QrxStatus qrxiReduceBits_8u_C1R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize, int noise, QrxDitherType ditherType, int levels);
QRXAPI QrxStatus qrxiReduceBits_16u_C1R(const Qrx16u* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
    QrxRoiSize roiSize, int noise, QrxDitherType ditherType, int levels);
QRXAPI QrxStatus qrxiReduceBits_16s_C1R(const Qrx16s* pSrc, int srcStep, Qrx16s* pDst, int dstStep,
    QrxRoiSize roiSize, int noise, QrxDitherType ditherType, int levels);
QRXAPI QrxStatus qrxiReduceBits_16u8u_C1R(const Qrx16u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize, int noise, QrxDitherType ditherType, int levels);
QRXAPI QrxStatus qrxiReduceBits_16s8u_C1R(const Qrx16s* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize, int noise, QrxDitherType ditherType, int levels);
QRXAPI QrxStatus qrxiReduceBits_32f8u_C1R(const Qrx32f* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize, int noise, QrxDitherType ditherType, int levels);
QRXAPI QrxStatus qrxiReduceBits_32f16u_C1R(const Qrx32f* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
    QrxRoiSize roiSize, int noise, QrxDitherType ditherType, int levels);
QRXAPI QrxStatus qrxiReduceBits_32f16s_C1R(const Qrx32f* pSrc, int srcStep, Qrx16s* pDst, int dstStep,
    QrxRoiSize roiSize, int noise, QrxDitherType ditherType, int levels);
QRXAPI QrxStatus qrxiReduceBits_16s8u_AC4R(const Qrx16s* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize, int noise, QrxDitherType ditherType, int levels);
QRXAPI QrxStatus qrxiReduceBits_16s8u_C3R(const Qrx16s* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize, int noise, QrxDitherType ditherType, int levels);
QRXAPI QrxStatus qrxiReduceBits_16s8u_C4R(const Qrx16s* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize, int noise, QrxDitherType ditherType, int levels);
QRXAPI QrxStatus qrxiReduceBits_16s_AC4R(const Qrx16s* pSrc, int srcStep, Qrx16s* pDst, int dstStep,
    QrxRoiSize roiSize, int noise, QrxDitherType ditherType, int levels);
QRXAPI QrxStatus qrxiReduceBits_16s_C3R(const Qrx16s* pSrc, int srcStep, Qrx16s* pDst, int dstStep,
    QrxRoiSize roiSize, int noise, QrxDitherType ditherType, int levels);
QRXAPI QrxStatus qrxiReduceBits_16s_C4R(const Qrx16s* pSrc, int srcStep, Qrx16s* pDst, int dstStep,
    QrxRoiSize roiSize, int noise, QrxDitherType ditherType, int levels);
QRXAPI QrxStatus qrxiReduceBits_16u8u_AC4R(const Qrx16u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize, int noise, QrxDitherType ditherType, int levels);
QRXAPI QrxStatus qrxiReduceBits_16u8u_C3R(const Qrx16u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize, int noise, QrxDitherType ditherType, int levels);
QRXAPI QrxStatus qrxiReduceBits_16u8u_C4R(const Qrx16u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize, int noise, QrxDitherType ditherType, int levels);
QRXAPI QrxStatus qrxiReduceBits_16u_AC4R(const Qrx16u* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
    QrxRoiSize roiSize, int noise, QrxDitherType ditherType, int levels);
QRXAPI QrxStatus qrxiReduceBits_16u_C3R(const Qrx16u* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
    QrxRoiSize roiSize, int noise, QrxDitherType ditherType, int levels);
QRXAPI QrxStatus qrxiReduceBits_16u_C4R(const Qrx16u* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
    QrxRoiSize roiSize, int noise, QrxDitherType ditherType, int levels);
QRXAPI QrxStatus qrxiReduceBits_32f16s_AC4R(const Qrx32f* pSrc, int srcStep, Qrx16s* pDst, int dstStep,
    QrxRoiSize roiSize, int noise, QrxDitherType ditherType, int levels);
QRXAPI QrxStatus qrxiReduceBits_32f16s_C3R(const Qrx32f* pSrc, int srcStep, Qrx16s* pDst, int dstStep,
    QrxRoiSize roiSize, int noise, QrxDitherType ditherType, int levels);
QRXAPI QrxStatus qrxiReduceBits_32f16s_C4R(const Qrx32f* pSrc, int srcStep, Qrx16s* pDst, int dstStep,
    QrxRoiSize roiSize, int noise, QrxDitherType ditherType, int levels);
QRXAPI QrxStatus qrxiReduceBits_32f16u_AC4R(const Qrx32f* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
    QrxRoiSize roiSize, int noise, QrxDitherType ditherType, int levels);
QRXAPI QrxStatus qrxiReduceBits_32f16u_C3R(const Qrx32f* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
    QrxRoiSize roiSize, int noise, QrxDitherType ditherType, int levels);
QRXAPI QrxStatus qrxiReduceBits_32f16u_C4R(const Qrx32f* pSrc, int srcStep, Qrx16u* pDst, int dstStep,
    QrxRoiSize roiSize, int noise, QrxDitherType ditherType, int levels);
QRXAPI QrxStatus qrxiReduceBits_32f8u_AC4R(const Qrx32f* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize, int noise, QrxDitherType ditherType, int levels);
QRXAPI QrxStatus qrxiReduceBits_32f8u_C3R(const Qrx32f* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize, int noise, QrxDitherType ditherType, int levels);
QRXAPI QrxStatus qrxiReduceBits_32f8u_C4R(const Qrx32f* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize, int noise, QrxDitherType ditherType, int levels);
QRXAPI QrxStatus qrxiReduceBits_8u_AC4R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize, int noise, QrxDitherType ditherType, int levels);
QRXAPI QrxStatus qrxiReduceBits_8u_C3R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize, int noise, QrxDitherType ditherType, int levels);
QRXAPI QrxStatus qrxiReduceBits_8u_C4R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
    QrxRoiSize roiSize, int noise, QrxDitherType ditherType, int levels);

/* Bayer CFA -> RGB by bilinear interpolation with gradient-directed green.
 * pSrc addresses the whole sensor image of srcSize; srcRoi selects the region
 * to convert and pDst addresses its top-left output pixel. */
QRXAPI QrxStatus qrxiCFAToRGB_8u_C1C3R(const Qrx8u* pSrc, QrxRect srcRoi, QrxRoiSize srcSize, int srcStep,
    Qrx8u* pDst, int dstStep, QrxBayerGrid grid);
QRXAPI QrxStatus qrxiCFAToRGB_16u_C1C3R(const Qrx16u* pSrc, QrxRect srcRoi, QrxRoiSize srcSize, int srcStep,
    Qrx16u* pDst, int dstStep, QrxBayerGrid grid);

/* Bayer CFA -> RGB by adaptive homogeneity-directed demosaicing.
 * pBuffer/bufferStep is caller scratch: 30 rows of at least srcRoi.width + 6
 * samples each, srcRoi.width being the width as passed (before clipping to
 * the source). The scratch arguments are not checked; a null pBuffer
 * converts nothing and returns qrxOk. */
QRXAPI QrxStatus qrxiDemosaicAHD_8u_C1C3R(const Qrx8u* pSrc, QrxRect srcRoi, QrxRoiSize srcSize, int srcStep,
    Qrx8u* pDst, int dstStep, QrxBayerGrid grid, Qrx8u* pBuffer, int bufferStep);
QRXAPI QrxStatus qrxiDemosaicAHD_16u_C1C3R(const Qrx16u* pSrc, QrxRect srcRoi, QrxRoiSize srcSize,
    int srcStep, Qrx16u* pDst, int dstStep, QrxBayerGrid grid, Qrx16u* pBuffer, int bufferStep);

#ifdef __cplusplus
}
#endif

#endif /* QRXCC_H */
