// RGB <-> YUV entries: argument checks, one row driver, then the warning.
#include <cstdint>
#include <utility>

#include "frame/checks.h"
#include "frame/image.h"
#include "lumachroma/yuv/rows.h"
#include "qrxcc.h"

namespace {

using namespace qrx::check;
using qrx::rowPtr;
using qrx::yuv::RowFn;
using qrx::yuv::RowPairFn;
using qrx::yuv::yuvRows;

// Up to four planes of one image, each with its own step; the chroma planes
// of a 4:2:0 image advance every second row (row shift 1).
template <class T>
struct Planes {
    T* plane[4];
    int step[4];
    int rowShift[4];
    int count;
};

template <class T>
struct Rows {
    T* p[4];
};

template <class T>
Rows<T> rowsAt(const Planes<T>& im, int y) {
    Rows<T> r{};
    for (int i = 0; i < im.count; ++i)
        r.p[i] = rowPtr(im.plane[i], im.step[i], y >> im.rowShift[i]);
    return r;
}

// The same image starting `rows` rows further on.
template <class T>
Planes<T> advanced(Planes<T> im, int rows) {
    for (int i = 0; i < im.count; ++i) im.plane[i] = rowPtr(im.plane[i], im.step[i], rows);
    return im;
}

template <class T>
Planes<T> interleaved(T* p, int step) {
    return {{p}, {step}, {}, 1};
}

// 16-bit rows are addressed in whole words.
Planes<const Qrx16u> interleaved(const Qrx16u* p, int step) { return {{p}, {step & ~1}, {}, 1}; }

// `count` full-resolution planes sharing one step.
template <class T>
Planes<T> shared(T* const* p, int count, int step) {
    Planes<T> im{{}, {}, {}, count};
    for (int i = 0; i < count; ++i) {
        im.plane[i] = p[i];
        im.step[i] = step;
    }
    return im;
}

// Y, U, V planes with a step each.
template <class T>
Planes<T> subsampled(T* const* p, const int* steps, int chromaRowShift) {
    const int s = chromaRowShift;
    return {{p[0], p[1], p[2]}, {steps[0], steps[1], steps[2]}, {0, s, s}, 3};
}

// Dense planes of whole images: 4:2:2 chroma rows hold width / 2 rounded up
// samples, 4:2:0 chroma rows width / 2 rounded down.
template <class T>
Planes<T> dense422(T* const* p, int width) {
    const int c = (width + 1) / 2, steps[3] = {width, c, c};
    return subsampled(p, steps, 0);
}
template <class T>
Planes<T> dense420(T* const* p, int width) {
    const int c = width / 2, steps[3] = {width, c, c};
    return subsampled(p, steps, 1);
}

template <class S>
void eachRow(RowFn<S> fn, const Planes<const S>& src, const Planes<Qrx8u>& dst, QrxRoiSize roi) {
    for (int y = 0; y < roi.height; ++y) fn(rowsAt(src, y).p, rowsAt(dst, y).p, roi.width);
}

// 4:2:0 encoders: whole 2x2 blocks, one row pair at a time.
template <class S>
void eachRowPair(RowPairFn<S> fn, const Planes<const S>& src, const Planes<Qrx8u>& dst,
                 QrxRoiSize roi) {
    for (int j = 0; j < roi.height / 2; ++j) {
        const Rows<Qrx8u> top = rowsAt(dst, 2 * j), bottom = rowsAt(dst, 2 * j + 1);
        fn(rowsAt(src, 2 * j).p, rowsAt(src, 2 * j + 1).p, top.p[0], bottom.p[0], top.p[1],
           top.p[2], roi.width);
    }
}

// 4:2:0 decoders: whole 2x2 blocks; each row reads the chroma row of its pair.
void eachBlockRow(RowFn<Qrx8u> fn, const Planes<const Qrx8u>& src, const Planes<Qrx8u>& dst,
                  QrxRoiSize roi) {
    eachRow(fn, src, dst, {roi.width & ~1, roi.height & ~1});
}

// Dense 4:2:2 images given only their size; `layout(width)` gives the source
// and destination planes of dense rows of `width` pixels. An even-width image
// of at least 256 pixels is converted as one long row, so the leading groups
// count from the image start; the long row is cut into rows of whole 16-pixel
// groups to keep widths in range.
template <class Layout>
void wholeImage422(RowFn<Qrx8u> fn, QrxRoiSize size, Layout layout) {
    const int64_t pixels = int64_t(size.width) * size.height;
    if (pixels < 256 || size.width % 2 != 0) {
        const auto [src, dst] = layout(size.width);
        return eachRow(fn, src, dst, size);
    }
    constexpr int kPiece = 1 << 16;
    const auto [src, dst] = layout(kPiece);
    const int pieces = int(pixels / kPiece), rest = int(pixels % kPiece);
    eachRow(fn, src, dst, {kPiece, pieces});
    eachRow(fn, advanced(src, pieces), advanced(dst, pieces), {rest, 1});
}

bool odd(QrxRoiSize roi) { return ((roi.width | roi.height) & 1) != 0; }

// ---- entry shapes shared by several operations ------------------------------------

// Interleaved rows to interleaved rows.
QrxStatus packedToPacked(RowFn<Qrx8u> fn, const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
                         QrxRoiSize roi) {
    if (QrxStatus st = firstFailure(nulls(pSrc, pDst), size(roi))) return st;
    eachRow(fn, interleaved(pSrc, srcStep), interleaved(pDst, dstStep), roi);
    return qrxOk;
}

// Full-resolution planes to full-resolution planes.
QrxStatus planesToPlanes(RowFn<Qrx8u> fn, const Qrx8u* const pSrc[3], int srcStep,
                         Qrx8u* const pDst[3], int dstStep, QrxRoiSize roi) {
    if (QrxStatus st = firstFailure(nulls(pSrc, pDst), size(roi), planes(pSrc, 3), planes(pDst, 3)))
        return st;
    eachRow(fn, shared(pSrc, 3, srcStep), shared(pDst, 3, dstStep), roi);
    return qrxOk;
}

// 4:2:2 planes to interleaved rows.
QrxStatus planes422ToPacked(RowFn<Qrx8u> fn, const Qrx8u* const pSrc[3], const int srcStep[3],
                            Qrx8u* pDst, int dstStep, QrxRoiSize roi) {
    if (QrxStatus st = firstFailure(nulls(pSrc, pDst), size(roi), planes(pSrc, 3))) return st;
    eachRow(fn, subsampled(pSrc, srcStep, 0), interleaved(pDst, dstStep), roi);
    return qrxOk;
}

// 4:2:0 planes to interleaved rows.
QrxStatus planes420ToPacked(RowFn<Qrx8u> fn, const Qrx8u* const pSrc[3], const int srcStep[3],
                            Qrx8u* pDst, int dstStep, QrxRoiSize roi, int minSize) {
    if (QrxStatus st =
            firstFailure(nulls(pSrc, pDst), size(roi, minSize, minSize), planes(pSrc, 3)))
        return st;
    eachBlockRow(fn, subsampled(pSrc, srcStep, 1), interleaved(pDst, dstStep), roi);
    return warnIf(odd(roi));
}

// Interleaved 8-bit or 16-bit rows to 4:2:0 planes.
template <class S>
QrxStatus packedTo420(RowPairFn<S> fn, const S* pSrc, int srcStep, Qrx8u* const pDst[3],
                      const int dstStep[3], QrxRoiSize roi) {
    if (QrxStatus st = firstFailure(nulls(pSrc, pDst), size(roi), planes(pDst, 3))) return st;
    eachRowPair(fn, interleaved(pSrc, srcStep), subsampled(pDst, dstStep, 1), roi);
    return warnIf(odd(roi));
}

// The BGR 565 and 555 encoders test their planes before the size and need a
// whole 2x2 block.
QrxStatus bgrWordsTo420(RowPairFn<Qrx16u> fn, const Qrx16u* pSrc, int srcStep, Qrx8u* const pDst[3],
                        const int dstStep[3], QrxRoiSize roi) {
    if (QrxStatus st = firstFailure(nulls(pSrc, pDst), planes(pDst, 3), size(roi, 2, 2))) return st;
    eachRowPair(fn, interleaved(pSrc, srcStep), subsampled(pDst, dstStep, 1), roi);
    return warnIf(odd(roi));
}

}  // namespace

// ---- 4:4:4 ------------------------------------------------------------------------

QrxStatus qrxiRGBToYUV_8u_C3R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
                              QrxRoiSize roiSize) {
    return packedToPacked(yuvRows().rgbToYuvC3, pSrc, srcStep, pDst, dstStep, roiSize);
}

QrxStatus qrxiRGBToYUV_8u_AC4R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
                               QrxRoiSize roiSize) {
    return packedToPacked(yuvRows().rgbToYuvAC4, pSrc, srcStep, pDst, dstStep, roiSize);
}

QrxStatus qrxiRGBToYUV_8u_C3P3R(const Qrx8u* pSrc, int srcStep, Qrx8u* const pDst[3], int dstStep,
                                QrxRoiSize roiSize) {
    if (QrxStatus st = firstFailure(nulls(pSrc, pDst), size(roiSize), planes(pDst, 3))) return st;
    eachRow(yuvRows().rgbToYuvC3P3, interleaved(pSrc, srcStep), shared(pDst, 3, dstStep), roiSize);
    return qrxOk;
}

QrxStatus qrxiRGBToYUV_8u_P3R(const Qrx8u* const pSrc[3], int srcStep, Qrx8u* const pDst[3],
                              int dstStep, QrxRoiSize roiSize) {
    return planesToPlanes(yuvRows().rgbToYuvP3, pSrc, srcStep, pDst, dstStep, roiSize);
}

QrxStatus qrxiRGBToYUV_8u_AC4P4R(const Qrx8u* pSrc, int srcStep, Qrx8u* const pDst[4], int dstStep,
                                 QrxRoiSize roiSize) {
    if (QrxStatus st = firstFailure(nulls(pSrc, pDst), size(roiSize), planes(pDst, 4))) return st;
    eachRow(yuvRows().rgbToYuvAC4P4, interleaved(pSrc, srcStep), shared(pDst, 4, dstStep), roiSize);
    return qrxOk;
}

QrxStatus qrxiYUVToRGB_8u_C3R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
                              QrxRoiSize roiSize) {
    return packedToPacked(yuvRows().yuvToRgbC3, pSrc, srcStep, pDst, dstStep, roiSize);
}

QrxStatus qrxiYUVToRGB_8u_AC4R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
                               QrxRoiSize roiSize) {
    return packedToPacked(yuvRows().yuvToRgbAC4, pSrc, srcStep, pDst, dstStep, roiSize);
}

QrxStatus qrxiYUVToRGB_8u_P3C3R(const Qrx8u* const pSrc[3], int srcStep, Qrx8u* pDst, int dstStep,
                                QrxRoiSize roiSize) {
    if (QrxStatus st = firstFailure(nulls(pSrc, pDst), size(roiSize), planes(pSrc, 3))) return st;
    eachRow(yuvRows().yuvToRgbP3C3, shared(pSrc, 3, srcStep), interleaved(pDst, dstStep), roiSize);
    return qrxOk;
}

QrxStatus qrxiYUVToRGB_8u_P3R(const Qrx8u* const pSrc[3], int srcStep, Qrx8u* const pDst[3],
                              int dstStep, QrxRoiSize roiSize) {
    return planesToPlanes(yuvRows().yuvToRgbP3, pSrc, srcStep, pDst, dstStep, roiSize);
}

// ---- 4:2:2 ------------------------------------------------------------------------

QrxStatus qrxiRGBToYUV422_8u_C3C2R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
                                   QrxRoiSize roiSize) {
    return packedToPacked(yuvRows().rgbToYuv422C3C2, pSrc, srcStep, pDst, dstStep, roiSize);
}

QrxStatus qrxiRGBToYUV422_8u_C3P3R(const Qrx8u* pSrc, int srcStep, Qrx8u* const pDst[3],
                                   const int dstStep[3], QrxRoiSize roiSize) {
    if (QrxStatus st = firstFailure(nulls(pSrc, pDst), size(roiSize), planes(pDst, 3))) return st;
    eachRow(yuvRows().rgbToYuv422C3P3, interleaved(pSrc, srcStep), subsampled(pDst, dstStep, 0),
            roiSize);
    return qrxOk;
}

QrxStatus qrxiRGBToYUV422_8u_P3R(const Qrx8u* const pSrc[3], int srcStep, Qrx8u* const pDst[3],
                                 const int dstStep[3], QrxRoiSize roiSize) {
    if (QrxStatus st =
            firstFailure(nulls(pSrc, pDst), size(roiSize), planes(pSrc, 3), planes(pDst, 3)))
        return st;
    eachRow(yuvRows().rgbToYuv422P3, shared(pSrc, 3, srcStep), subsampled(pDst, dstStep, 0),
            roiSize);
    return qrxOk;
}

QrxStatus qrxiRGBToYUV422_8u_C3P3(const Qrx8u* pSrc, Qrx8u* const pDst[3], QrxRoiSize imgSize) {
    if (QrxStatus st = firstFailure(nulls(pSrc, pDst), size(imgSize), planes(pDst, 3))) return st;
    wholeImage422(yuvRows().rgbToYuv422C3P3, imgSize, [&](int w) {
        return std::pair{interleaved(pSrc, 3 * w), dense422(pDst, w)};
    });
    return qrxOk;
}

QrxStatus qrxiRGBToYUV422_8u_P3(const Qrx8u* const pSrc[3], Qrx8u* const pDst[3],
                                QrxRoiSize imgSize) {
    if (QrxStatus st =
            firstFailure(nulls(pSrc, pDst), size(imgSize), planes(pSrc, 3), planes(pDst, 3)))
        return st;
    wholeImage422(yuvRows().rgbToYuv422P3, imgSize, [&](int w) {
        return std::pair{shared(pSrc, 3, w), dense422(pDst, w)};
    });
    return qrxOk;
}

QrxStatus qrxiRGB565ToYUV422_16u8u_C3P3R(const Qrx16u* pSrc, int srcStep, Qrx8u* const pDst[3],
                                         const int dstStep[3], QrxRoiSize roiSize) {
    if (QrxStatus st = firstFailure(nulls(pSrc, pDst), size(roiSize), planes(pDst, 3))) return st;
    eachRow(yuvRows().rgb565ToYuv422, interleaved(pSrc, srcStep), subsampled(pDst, dstStep, 0),
            roiSize);
    return warnIf(roiSize.width % 2 != 0);
}

QrxStatus qrxiYUV422ToRGB_8u_C2C3R(const Qrx8u* pSrc, int srcStep, Qrx8u* pDst, int dstStep,
                                   QrxRoiSize roiSize) {
    return packedToPacked(yuvRows().yuv422ToRgbC2C3, pSrc, srcStep, pDst, dstStep, roiSize);
}

QrxStatus qrxiYUV422ToRGB_8u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3], Qrx8u* pDst,
                                   int dstStep, QrxRoiSize roiSize) {
    return planes422ToPacked(yuvRows().yuv422ToRgbP3C3, pSrc, srcStep, pDst, dstStep, roiSize);
}

QrxStatus qrxiYUV422ToRGB_8u_P3AC4R(const Qrx8u* const pSrc[3], const int srcStep[3], Qrx8u* pDst,
                                    int dstStep, QrxRoiSize roiSize) {
    return planes422ToPacked(yuvRows().yuv422ToRgbP3AC4, pSrc, srcStep, pDst, dstStep, roiSize);
}

QrxStatus qrxiYUV422ToRGB_8u_P3R(const Qrx8u* const pSrc[3], const int srcStep[3],
                                 Qrx8u* const pDst[3], int dstStep, QrxRoiSize roiSize) {
    if (QrxStatus st =
            firstFailure(nulls(pSrc, pDst), size(roiSize), planes(pSrc, 3), planes(pDst, 3)))
        return st;
    eachRow(yuvRows().yuv422ToRgbP3, subsampled(pSrc, srcStep, 0), shared(pDst, 3, dstStep),
            roiSize);
    return qrxOk;
}

QrxStatus qrxiYUV422ToRGB_8u_P3C3(const Qrx8u* const pSrc[3], Qrx8u* pDst, QrxRoiSize imgSize) {
    if (QrxStatus st = firstFailure(nulls(pSrc, pDst), size(imgSize), planes(pSrc, 3))) return st;
    wholeImage422(yuvRows().yuv422ToRgbP3C3, imgSize, [&](int w) {
        return std::pair{dense422(pSrc, w), interleaved(pDst, 3 * w)};
    });
    return qrxOk;
}

QrxStatus qrxiYUV422ToRGB_8u_P3(const Qrx8u* const pSrc[3], Qrx8u* const pDst[3],
                                QrxRoiSize imgSize) {
    if (QrxStatus st =
            firstFailure(nulls(pSrc, pDst), size(imgSize), planes(pSrc, 3), planes(pDst, 3)))
        return st;
    wholeImage422(yuvRows().yuv422ToRgbP3, imgSize, [&](int w) {
        return std::pair{dense422(pSrc, w), shared(pDst, 3, w)};
    });
    return qrxOk;
}

// ---- 4:2:0 encoders ------------------------------------------------------------------

QrxStatus qrxiRGBToYUV420_8u_C3P3R(const Qrx8u* pSrc, int srcStep, Qrx8u* const pDst[3],
                                   const int dstStep[3], QrxRoiSize roiSize) {
    return packedTo420(yuvRows().rgbToYuv420C3, pSrc, srcStep, pDst, dstStep, roiSize);
}

QrxStatus qrxiRGBToYUV420_8u_P3R(const Qrx8u* const pSrc[3], int srcStep, Qrx8u* const pDst[3],
                                 const int dstStep[3], QrxRoiSize roiSize) {
    if (QrxStatus st =
            firstFailure(nulls(pSrc, pDst), size(roiSize), planes(pSrc, 3), planes(pDst, 3)))
        return st;
    eachRowPair(yuvRows().rgbToYuv420P3, shared(pSrc, 3, srcStep), subsampled(pDst, dstStep, 1),
                roiSize);
    return warnIf(odd(roiSize));
}

QrxStatus qrxiRGBToYUV420_8u_C3P3(const Qrx8u* pSrc, Qrx8u* const pDst[3], QrxRoiSize imgSize) {
    if (QrxStatus st = firstFailure(nulls(pSrc, pDst), size(imgSize), planes(pDst, 3))) return st;
    eachRowPair(yuvRows().rgbToYuv420C3, interleaved(pSrc, 3 * imgSize.width),
                dense420(pDst, imgSize.width), imgSize);
    return warnIf(odd(imgSize));
}

QrxStatus qrxiRGBToYUV420_8u_P3(const Qrx8u* const pSrc[3], Qrx8u* const pDst[3],
                                QrxRoiSize imgSize) {
    if (QrxStatus st =
            firstFailure(nulls(pSrc, pDst), size(imgSize), planes(pSrc, 3), planes(pDst, 3)))
        return st;
    eachRowPair(yuvRows().rgbToYuv420P3, shared(pSrc, 3, imgSize.width),
                dense420(pDst, imgSize.width), imgSize);
    return warnIf(odd(imgSize));
}

QrxStatus qrxiBGRToYUV420_8u_AC4P3R(const Qrx8u* pSrc, int srcStep, Qrx8u* const pDst[3],
                                    const int dstStep[3], QrxRoiSize roiSize) {
    return packedTo420(yuvRows().bgrToYuv420AC4, pSrc, srcStep, pDst, dstStep, roiSize);
}

QrxStatus qrxiRGB565ToYUV420_16u8u_C3P3R(const Qrx16u* pSrc, int srcStep, Qrx8u* const pDst[3],
                                         const int dstStep[3], QrxRoiSize roiSize) {
    return packedTo420(yuvRows().rgb565ToYuv420, pSrc, srcStep, pDst, dstStep, roiSize);
}

QrxStatus qrxiBGR565ToYUV420_16u8u_C3P3R(const Qrx16u* pSrc, int srcStep, Qrx8u* const pDst[3],
                                         const int dstStep[3], QrxRoiSize roiSize) {
    return bgrWordsTo420(yuvRows().bgr565ToYuv420, pSrc, srcStep, pDst, dstStep, roiSize);
}

QrxStatus qrxiBGR555ToYUV420_16u8u_C3P3R(const Qrx16u* pSrc, int srcStep, Qrx8u* const pDst[3],
                                         const int dstStep[3], QrxRoiSize roiSize) {
    return bgrWordsTo420(yuvRows().bgr555ToYuv420, pSrc, srcStep, pDst, dstStep, roiSize);
}

// ---- 4:2:0 decoders ------------------------------------------------------------------

QrxStatus qrxiYUV420ToRGB_8u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3], Qrx8u* pDst,
                                   int dstStep, QrxRoiSize roiSize) {
    return planes420ToPacked(yuvRows().yuv420ToRgbP3C3, pSrc, srcStep, pDst, dstStep, roiSize, 1);
}

QrxStatus qrxiYUV420ToRGB_8u_P3AC4R(const Qrx8u* const pSrc[3], const int srcStep[3], Qrx8u* pDst,
                                    int dstStep, QrxRoiSize roiSize) {
    return planes420ToPacked(yuvRows().yuv420ToRgbP3AC4, pSrc, srcStep, pDst, dstStep, roiSize, 1);
}

QrxStatus qrxiYUV420ToRGB_8u_P3R(const Qrx8u* const pSrc[3], const int srcStep[3],
                                 Qrx8u* const pDst[3], int dstStep, QrxRoiSize roiSize) {
    if (QrxStatus st =
            firstFailure(nulls(pSrc, pDst), size(roiSize), planes(pSrc, 3), planes(pDst, 3)))
        return st;
    eachBlockRow(yuvRows().yuv420ToRgbP3, subsampled(pSrc, srcStep, 1), shared(pDst, 3, dstStep),
                 roiSize);
    return warnIf(odd(roiSize));
}

QrxStatus qrxiYUV420ToRGB_8u_P3C3(const Qrx8u* const pSrc[3], Qrx8u* pDst, QrxRoiSize imgSize) {
    if (QrxStatus st = firstFailure(nulls(pSrc, pDst), size(imgSize), planes(pSrc, 3))) return st;
    eachBlockRow(yuvRows().yuv420ToRgbP3C3, dense420(pSrc, imgSize.width),
                 interleaved(pDst, 3 * imgSize.width), imgSize);
    return warnIf(odd(imgSize));
}

QrxStatus qrxiYUV420ToRGB_8u_P3(const Qrx8u* const pSrc[3], Qrx8u* const pDst[3],
                                QrxRoiSize imgSize) {
    if (QrxStatus st =
            firstFailure(nulls(pSrc, pDst), size(imgSize), planes(pSrc, 3), planes(pDst, 3)))
        return st;
    eachBlockRow(yuvRows().yuv420ToRgbP3, dense420(pSrc, imgSize.width),
                 shared(pDst, 3, imgSize.width), imgSize);
    return warnIf(odd(imgSize));
}

QrxStatus qrxiYUV420ToBGR_8u_P3C3R(const Qrx8u* const pSrc[3], const int srcStep[3], Qrx8u* pDst,
                                   int dstStep, QrxRoiSize roiSize) {
    return planes420ToPacked(yuvRows().yuv420ToBgrP3C3, pSrc, srcStep, pDst, dstStep, roiSize, 2);
}
