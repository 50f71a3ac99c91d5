#include "lumachroma/yuv_rows.h"

namespace qrx::yuv {

namespace isa_scalar { extern const YuvRows kYuvRows; }
namespace isa_sse2 { extern const YuvRows kYuvRows; }
namespace isa_avx2 { extern const YuvRows kYuvRows; }
namespace isa_avx512 { extern const YuvRows kYuvRows; }

constexpr TableSet<YuvRows> kTables{&isa_scalar::kYuvRows, &isa_sse2::kYuvRows,
                                    &isa_avx2::kYuvRows, &isa_avx512::kYuvRows};

const YuvRows* yuvRowsFor(Target t) { return kTables[static_cast<int>(t)]; }

const YuvRows& yuvRows() {
    static const YuvRows& table = widestTable(kTables);
    return table;
}

}  // namespace qrx::yuv
