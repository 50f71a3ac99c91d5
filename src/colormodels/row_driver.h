// The row driver of the interleaved colour-model members: pointers then size
// are checked, steps are not (they are rounded down to whole elements, and
// may be zero or negative), and rows run on the calling thread up to 4096
// pixels, in one parallel region above.
#pragma once

#include "colormodels/row_ptrs.h"
#include "frame/checks.h"
#include "frame/image.h"
#include "frame/threading.h"
#include "qrxcc.h"

namespace qrx {

// A row step in bytes rounded down to whole elements (an arithmetic shift).
template <class T>
inline int wholeElements(int step) {
    return step & ~(static_cast<int>(sizeof(T)) - 1);
}

template <class T, class Row>
QrxStatus convertInterleaved(const T* src, int srcStep, T* dst, int dstStep, QrxRoiSize roi,
                             Row row) {
    if (QrxStatus st = check::firstFailure(check::nulls(src, dst), check::size(roi))) return st;
    const int ss = wholeElements<T>(srcStep), ds = wholeElements<T>(dstStep);
    parallelRows(roi, RowSplit::AboveLimit, [&](int y) {
        row(RowPtrs<const T>{{rowPtr(src, ss, y)}}, RowPtrs<T>{{rowPtr(dst, ds, y)}}, roi.width);
    });
    return qrxOk;
}

}  // namespace qrx
