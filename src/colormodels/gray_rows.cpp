#include "colormodels/gray_rows.h"

#include <cstdint>

namespace qrx {

QRX_TARGET_TABLES(GrayRows, kGrayRows);

const GrayRows* grayRowsFor(Target t) { return tableFor(kGrayRowsSet, t); }

const GrayRows& grayRows() { return dispatchedTable(kGrayRowsSet); }

GrayWeights12 grayWeights12(const Qrx32f c[3]) {
    GrayWeights12 w{};
    for (int i = 0; i < 3; ++i) {
        const double v = static_cast<double>(c[i]) * 4096.0 + 0.5;
        // Out of the 32-bit range (or NaN) the conversion yields 0x80000000,
        // whose low 16 bits are 0.
        const bool inRange = v > -2147483649.0 && v < 2147483648.0;
        w.k[i] = static_cast<Qrx16u>(inRange ? static_cast<int64_t>(v) : INT32_MIN);
    }
    return w;
}

}  // namespace qrx
