// The threading patterns shared by the threaded families. Each opens at most
// one OpenMP region with the core library's thread count; rows are
// independent, so results never depend on the number of threads.
#pragma once

#include <omp.h>

#include <cstdint>

#include "qrxcc.h"
#include "qrxcore.h"

namespace qrx {

// Images of at most this many pixels run on the calling thread.
constexpr int64_t kSerialPixelLimit = 4096;

enum class RowSplit {
    AboveLimit,  // serial for small images, parallel above kSerialPixelLimit
    Always,      // always one parallel region
};

// Calls row(y) for y in 0 .. roi.height-1, in contiguous static blocks.
template <class RowFn>
void parallelRows(QrxRoiSize roi, RowSplit split, RowFn&& row) {
    const int height = roi.height;
    if (split == RowSplit::AboveLimit &&
        static_cast<int64_t>(roi.width) * roi.height <= kSerialPixelLimit) {
        for (int y = 0; y < height; ++y) row(y);
        return;
    }
    const int threads = ownGetNumThreads();
#pragma omp parallel for schedule(static) num_threads(threads)
    for (int y = 0; y < height; ++y) row(y);
}

// Interlaced material: the ROI is cut to an even width and a height that is
// a multiple of 4, then split into bands of a multiple of 4 rows, the last
// thread also taking the remainder. band(firstRow, rowCount) converts rows
// of the cut ROI. Small images and single-thread runs make one call.
template <class BandFn>
void interlacedBands(QrxRoiSize roi, BandFn&& band) {
    const int width = roi.width & ~1;
    const int height = roi.height & ~3;
    const int threads = ownGetNumThreads();
    if (threads < 2 || width < 128 || height <= 128) {
        band(0, height);
        return;
    }
    int bandRows = 0, remainder = 0;
#pragma omp parallel num_threads(threads)
    {
#pragma omp master
        {
            const int n = omp_get_num_threads();
            bandRows = ((height / 4) / n) * 4;
            remainder = height - n * bandRows;
        }
#pragma omp barrier
        const int t = omp_get_thread_num();
        const int n = omp_get_num_threads();
        const int rows = bandRows + (t == n - 1 ? remainder : 0);
        if (rows > 0) band(t * bandRows, rows);
    }
}

}  // namespace qrx
