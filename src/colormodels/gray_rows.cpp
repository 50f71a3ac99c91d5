#include "colormodels/gray_rows.h"

#include <cstdint>

namespace qrx {

namespace isa_scalar { extern const GrayRows kGrayRows; }
namespace isa_sse2 { extern const GrayRows kGrayRows; }
namespace isa_avx2 { extern const GrayRows kGrayRows; }
namespace isa_avx512 { extern const GrayRows kGrayRows; }

constexpr TableSet<GrayRows> kTables{&isa_scalar::kGrayRows, &isa_sse2::kGrayRows,
                                     &isa_avx2::kGrayRows, &isa_avx512::kGrayRows};

const GrayRows* grayRowsFor(Target t) { return kTables[static_cast<int>(t)]; }

const GrayRows& grayRows() {
    static const GrayRows& table = widestTable(kTables);
    return table;
}

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
