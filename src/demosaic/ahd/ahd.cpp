// Adaptive homogeneity-directed demosaicing: entries and driver.
//
// The driver clips the region to the source, reconstructs the part at least
// five samples inside every source edge directly from the source (its
// windows never leave the image), and the strips along the edges from small
// tiles of mirrored samples, through the same row pipeline (rows_inl.h).
#include <algorithm>
#include <cstdint>

#include "demosaic/ahd/rows.h"
#include "demosaic/ahd/split.h"
#include "demosaic/bayer.h"
#include "frame/checks.h"
#include "frame/image.h"
#include "qrxcc.h"

namespace {

using namespace qrx;

// A reconstructed pixel reads source samples up to five rows and columns away.
constexpr int kReach = 5;
// Edge tiles: at most this many pixels each way, mirrored into a local copy.
constexpr int kTile = 64;

using Area = AhdArea;

template <class T>
struct Job {
    const T* src;
    int srcStep;
    int W, H, grid;
    int x0, y0;  // source position of the destination's first pixel
    T* dst;
    int dstStep;
    T* scratch;
    int scratchStep;
    AhdPipeline<T> pipeline;

    T* dstAt(int x, int y) const { return rowPtr(dst, dstStep, y - y0) + 3 * (x - x0); }
};

// An area whose pixels read only samples inside the source: column stripes
// straight from the source.
template <class T>
void interiorArea(const Job<T>& job, Area a) {
    for (int x = a.x; x < a.x + a.width; x += kAhdMaxStripe) {
        const int w = std::min(kAhdMaxStripe, a.x + a.width - x);
        job.pipeline({rowPtr(job.src, job.srcStep, a.y) + x, job.srcStep, w, a.height,
                      bayer::gridAt(job.grid, a.y, x), job.dstAt(x, a.y), job.dstStep,
                      job.scratch, job.scratchStep});
    }
}

// An area near the source edges, in tiles: each tile and the samples its
// windows reach are copied with mirrored addressing, which keeps every
// sample's filter colour, and reconstructed from the copy.
template <class T>
void edgeArea(const Job<T>& job, Area a) {
    constexpr int kSide = kTile + 2 * kReach;
    T tile[kSide * kSide];
    for (int y = a.y; y < a.y + a.height; y += kTile)
        for (int x = a.x; x < a.x + a.width; x += kTile) {
            const int w = std::min(kTile, a.x + a.width - x), h = std::min(kTile, a.y + a.height - y);
            const int side = w + 2 * kReach;
            // Columns [j0, j1) of the copy lie inside the source.
            const int j0 = std::clamp(kReach - x, 0, side), j1 = std::clamp(job.W - x + kReach, j0, side);
            for (int i = 0; i < h + 2 * kReach; ++i) {
                const T* row = rowPtr(job.src, job.srcStep, bayer::mirror(y - kReach + i, job.H));
                T* out = tile + i * side;
                for (int j = 0; j < j0; ++j) out[j] = row[bayer::mirror(x - kReach + j, job.W)];
                std::copy(row + x - kReach + j0, row + x - kReach + j1, out + j0);
                for (int j = j1; j < side; ++j) out[j] = row[bayer::mirror(x - kReach + j, job.W)];
            }
            const int step = side * static_cast<int>(sizeof(T));
            job.pipeline({tile + kReach * side + kReach, step, w, h, bayer::gridAt(job.grid, y, x),
                          job.dstAt(x, y), job.dstStep, job.scratch, job.scratchStep});
        }
}

template <class T>
void edgeAreaIfAny(const Job<T>& job, Area a) {
    if (a.width > 0 && a.height > 0) edgeArea(job, a);
}

template <class T>
QrxStatus demosaicAhd(const T* src, QrxRect roi, QrxRoiSize size, int srcStep, T* dst,
                      int dstStep, int grid, T* scratch, int scratchStep, AhdPipeline<T> pipeline) {
    if (QrxStatus st = check::firstFailure(check::nulls(src, dst), check::size(size, 5, 5),
                                           check::require(grid >= 0 && grid <= 3, qrxErrBadArg)))
        return st;
    // Scratch is not checked; without one there is nothing to work in.
    if (scratch == nullptr) return qrxOk;

    // A negative origin moves to 0 keeping the width; the far edges clip.
    const int64_t W = size.width, H = size.height;
    const int64_t x0 = std::max(roi.x, 0), y0 = std::max(roi.y, 0);
    const int64_t w = roi.width + std::min<int64_t>(W - x0 - roi.width, 0);
    const int64_t h = roi.height + std::min<int64_t>(H - y0 - roi.height, 0);
    if (w < 1 || h < 1) return qrxOk;

    const int step = -static_cast<int>(sizeof(T));  // 16-bit images: whole samples
    const Job<T> job{src,         srcStep & step, size.width, size.height, grid,
                     int(x0),     int(y0),        dst,        dstStep & step,
                     scratch,     scratchStep & step, pipeline};
    const int left = int(x0), top = int(y0), right = int(x0 + w), bottom = int(y0 + h);

    const AhdArea in = ahdInterior(grid, size, left, top, right, bottom);
    const int xi = in.x, yi = in.y, wi = in.width, hi = in.height;
    if (wi < 1 || hi < 1) {
        edgeArea(job, {left, top, right - left, bottom - top});
        return qrxOk;
    }
    interiorArea(job, in);
    edgeAreaIfAny(job, {left, top, right - left, yi - top});
    edgeAreaIfAny(job, {left, yi + hi, right - left, bottom - yi - hi});
    edgeAreaIfAny(job, {left, yi, xi - left, hi});
    edgeAreaIfAny(job, {xi + wi, yi, right - xi - wi, hi});
    return qrxOk;
}

}  // namespace

namespace qrx {

AhdArea ahdInterior(int grid, QrxRoiSize size, int left, int top, int right, int bottom) {
    // Five samples from every edge, starting on a red cell (R G / G B) and a
    // whole number of cells in size.
    int xi = std::max(left, kReach), yi = std::max(top, kReach);
    int wi = std::min(size.width - kReach, right) - xi;
    int hi = std::min(size.height - kReach, bottom) - yi;
    if (const int g = bayer::gridAt(grid, yi, xi); g == qrxGridBGGR || g == qrxGridGRBG) ++xi, --wi;
    if (bayer::gridAt(grid, yi, xi) == qrxGridGBRG) ++yi, --hi;
    wi &= ~1;
    hi &= ~1;
    // Strips along the left and right edges are made at least kAhdSideStrip
    // wide, taking whole cells from the interior: rows of only a few pixels
    // would leave every pass to its scalar loop.
    if (const int strip = xi - left; strip > 0 && strip < kAhdSideStrip) {
        const int move = std::min((kAhdSideStrip - strip + 1) & ~1, std::max(wi, 0));
        xi += move, wi -= move;
    }
    if (const int strip = right - xi - wi; strip > 0 && strip < kAhdSideStrip)
        wi -= std::min((kAhdSideStrip - strip + 1) & ~1, std::max(wi, 0));
    return {xi, yi, wi, hi};
}

}  // namespace qrx

QrxStatus qrxiDemosaicAHD_8u_C1C3R(const Qrx8u* pSrc, QrxRect srcRoi, QrxRoiSize srcSize,
                                   int srcStep, Qrx8u* pDst, int dstStep, QrxBayerGrid grid,
                                   Qrx8u* pBuffer, int bufferStep) {
    return demosaicAhd(pSrc, srcRoi, srcSize, srcStep, pDst, dstStep, grid, pBuffer, bufferStep,
                       ahdRows().block8u);
}

QrxStatus qrxiDemosaicAHD_16u_C1C3R(const Qrx16u* pSrc, QrxRect srcRoi, QrxRoiSize srcSize,
                                    int srcStep, Qrx16u* pDst, int dstStep, QrxBayerGrid grid,
                                    Qrx16u* pBuffer, int bufferStep) {
    return demosaicAhd(pSrc, srcRoi, srcSize, srcStep, pDst, dstStep, grid, pBuffer, bufferStep,
                       ahdRows().block16u);
}
