// Bayer CFA to RGB: bilinear red and blue, green along the smaller
// same-colour gradient. Entries, row driver and the edge pixels.
#include <algorithm>

#include "demosaic/bayer.h"
#include "demosaic/cfa/rows.h"
#include "frame/checks.h"
#include "frame/image.h"
#include "qrxcc.h"

namespace {

using namespace qrx;
using bayer::kGreen;
using bayer::mirror;

inline int avg2(int a, int b) { return (a + b + 1) >> 1; }
inline int avg4(int a, int b, int c, int d) { return (a + b + c + d + 2) >> 2; }

// Pixels within two samples of a source edge: neighbours are read at
// mirrored columns (the rows are mirrored already) and green is the plain
// average of the four nearest greens, with no gradient test.
template <class T>
void edgePixels(const T* const* rows, T* out, int cBegin, int cEnd, int sourceWidth, int grid,
                int r) {
    const T *up = rows[1], *s = rows[2], *down = rows[3];
    for (int c = cBegin; c < cEnd; ++c, out += 3) {
        const int l = mirror(c - 1, sourceWidth), rt = mirror(c + 1, sourceWidth);
        const int own = bayer::colourAt(grid, r, c);
        if (own == kGreen) {
            const int across = bayer::colourAt(grid, r, c + 1);  // red or blue, in this row
            out[1] = s[c];
            out[across] = static_cast<T>(avg2(s[l], s[rt]));
            out[2 - across] = static_cast<T>(avg2(up[c], down[c]));
        } else {
            out[own] = s[c];
            out[2 - own] = static_cast<T>(avg4(up[l], up[rt], down[l], down[rt]));
            out[1] = static_cast<T>(avg4(up[c], s[l], s[rt], down[c]));
        }
    }
}

template <class T>
QrxStatus cfaToRgb(const T* src, QrxRect roi, QrxRoiSize size, int srcStep, T* dst, int dstStep,
                   int grid, CfaRow<T> interior) {
    if (QrxStatus st = check::firstFailure(check::nulls(src, dst), check::size(size, 2, 2),
                                           check::require(grid >= 0 && grid <= 3, qrxErrBadArg)))
        return st;
    // A region must start inside the source and hold a pixel; it is clipped
    // at the source's right and bottom edges.
    if (roi.x < 0 || roi.y < 0 || roi.x >= size.width || roi.y >= size.height || roi.width < 1 ||
        roi.height < 1)
        return qrxErrSize;
    // 16-bit images address whole samples: odd steps round down.
    srcStep &= -static_cast<int>(sizeof(T));
    dstStep &= -static_cast<int>(sizeof(T));
    const int W = size.width, H = size.height;
    const int x = roi.x, w = std::min(roi.width, W - x), end = x + w;
    const int h = std::min(roi.height, H - roi.y);
    for (int i = 0; i < h; ++i) {
        const int r = roi.y + i;
        const T* rows[5];
        for (int k = 0; k < 5; ++k) rows[k] = rowPtr(src, srcStep, mirror(r - 2 + k, H));
        T* out = rowPtr(dst, dstStep, i);
        // Interior columns [cl, cr): two samples from every edge.
        int cl = end, cr = end;
        if (r >= 2 && r < H - 2) {
            cl = std::clamp(2, x, end);
            cr = std::max(cl, std::min(W - 2, end));
        }
        edgePixels(rows, out, x, cl, W, grid, r);
        if (cr > cl) {
            const int greenParity = bayer::colourAt(grid, r, 0) == kGreen ? 0 : 1;
            interior(rows, out + 3 * (cl - x), cl, cr - cl, greenParity,
                     bayer::colourAt(grid, r, greenParity ^ 1));
        }
        edgePixels(rows, out + 3 * (cr - x), cr, end, W, grid, r);
    }
    return qrxOk;
}

}  // namespace

QrxStatus qrxiCFAToRGB_8u_C1C3R(const Qrx8u* pSrc, QrxRect srcRoi, QrxRoiSize srcSize, int srcStep,
                                Qrx8u* pDst, int dstStep, QrxBayerGrid grid) {
    return cfaToRgb(pSrc, srcRoi, srcSize, srcStep, pDst, dstStep, grid, cfaRows().interior8u);
}

QrxStatus qrxiCFAToRGB_16u_C1C3R(const Qrx16u* pSrc, QrxRect srcRoi, QrxRoiSize srcSize,
                                 int srcStep, Qrx16u* pDst, int dstStep, QrxBayerGrid grid) {
    return cfaToRgb(pSrc, srcRoi, srcSize, srcStep, pDst, dstStep, grid, cfaRows().interior16u);
}
