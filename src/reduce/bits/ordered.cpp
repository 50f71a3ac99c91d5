// Ordered dithering driver: the 4 x 4 matrix (and the noise tables) shared
// by rows in contiguous blocks, one block per thread. Rows are independent,
// so the result does not depend on the thread count.
#include <type_traits>

#include "frame/threading.h"
#include "reduce/bits/byte_plan.h"
#include "reduce/bits/drivers.h"
#include "reduce/bits/levels.h"

namespace qrx {

template <class S, class D>
QrxStatus reduceOrdered(const S* src, int srcStep, D* dst, int dstStep, QrxRoiSize roi, int L,
                        int noise, int layout) {
    const int kind = layout == 1 ? kOrderedC1
                     : layout == 3 ? kOrderedC3
                     : layout == 4 ? kOrderedAC4
                                   : kOrderedC4;
    const OrderedRow<S, D> row = pairRows<S, D>(bitsRows()).ordered[kind][noise > 0];
    OrderedArgs args{Pair<S, D>::steps(L), {}};
    if constexpr (std::is_same_v<S, Qrx8u> && std::is_same_v<D, Qrx8u>) {
        // Without noise an 8-bit result depends on the sample and the matrix
        // position alone; the vector rows use the level count's fixed-point
        // form when it reproduces the float rule for every pair.
        if (noise == 0) {
            const BytePlan& plan = bytePlan(L);
            if (plan.exact) args.bytes = &plan;
        }
    }
    NoiseScratch scratch;
    if (noise > 0) {
        // Offsets of the matrix entries, in (-noise/100, noise/100).
        const QrxStatus st = scratch.make(static_cast<float>(-noise) / 100.0f,
                                          static_cast<float>(noise) / 100.0f);
        if (st != qrxOk) return st;
        args.noise = scratch.tables();
    }
    parallelRows(roi, RowSplit::Always, [&](int y) {
        row(elementRow(src, srcStep, y), elementRow(dst, dstStep, y), roi.width, y, args);
    });
    return qrxOk;
}

template QrxStatus reduceOrdered(const Qrx8u*, int, Qrx8u*, int, QrxRoiSize, int, int, int);
template QrxStatus reduceOrdered(const Qrx16u*, int, Qrx16u*, int, QrxRoiSize, int, int, int);
template QrxStatus reduceOrdered(const Qrx16s*, int, Qrx16s*, int, QrxRoiSize, int, int, int);
template QrxStatus reduceOrdered(const Qrx16u*, int, Qrx8u*, int, QrxRoiSize, int, int, int);
template QrxStatus reduceOrdered(const Qrx16s*, int, Qrx8u*, int, QrxRoiSize, int, int, int);
template QrxStatus reduceOrdered(const Qrx32f*, int, Qrx8u*, int, QrxRoiSize, int, int, int);
template QrxStatus reduceOrdered(const Qrx32f*, int, Qrx16u*, int, QrxRoiSize, int, int, int);
template QrxStatus reduceOrdered(const Qrx32f*, int, Qrx16s*, int, QrxRoiSize, int, int, int);

}  // namespace qrx
