#include "lumachroma/ycbcr_encode_rows.h"

namespace qrx {

namespace isa_scalar { extern const YcbcrEncodeRows kYcbcrEncodeRows; }
namespace isa_sse2 { extern const YcbcrEncodeRows kYcbcrEncodeRows; }
namespace isa_avx2 { extern const YcbcrEncodeRows kYcbcrEncodeRows; }
namespace isa_avx512 { extern const YcbcrEncodeRows kYcbcrEncodeRows; }

constexpr TableSet<YcbcrEncodeRows> kTables{
    &isa_scalar::kYcbcrEncodeRows, &isa_sse2::kYcbcrEncodeRows, &isa_avx2::kYcbcrEncodeRows,
    &isa_avx512::kYcbcrEncodeRows};

const YcbcrEncodeRows* ycbcrEncodeRowsFor(Target t) { return kTables[static_cast<int>(t)]; }

const YcbcrEncodeRows& ycbcrEncodeRows() {
    static const YcbcrEncodeRows& table = widestTable(kTables);
    return table;
}

}  // namespace qrx
