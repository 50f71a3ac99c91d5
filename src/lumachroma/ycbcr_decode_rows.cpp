#include "lumachroma/ycbcr_decode_rows.h"

namespace qrx {

namespace isa_scalar { extern const YcbcrDecodeRows kYcbcrDecodeRows; }
namespace isa_sse2 { extern const YcbcrDecodeRows kYcbcrDecodeRows; }
namespace isa_avx2 { extern const YcbcrDecodeRows kYcbcrDecodeRows; }
namespace isa_avx512 { extern const YcbcrDecodeRows kYcbcrDecodeRows; }

constexpr TableSet<YcbcrDecodeRows> kTables{
    &isa_scalar::kYcbcrDecodeRows, &isa_sse2::kYcbcrDecodeRows, &isa_avx2::kYcbcrDecodeRows,
    &isa_avx512::kYcbcrDecodeRows};

const YcbcrDecodeRows* ycbcrDecodeRowsFor(Target t) { return kTables[static_cast<int>(t)]; }

const YcbcrDecodeRows& ycbcrDecodeRows() {
    static const YcbcrDecodeRows& table = widestTable(kTables);
    return table;
}

}  // namespace qrx
