#include "lumachroma/ycbcr444_rows.h"

namespace qrx {

namespace isa_scalar { extern const Ycbcr444Rows kYcbcr444Rows; }
namespace isa_sse2 { extern const Ycbcr444Rows kYcbcr444Rows; }
namespace isa_avx2 { extern const Ycbcr444Rows kYcbcr444Rows; }
namespace isa_avx512 { extern const Ycbcr444Rows kYcbcr444Rows; }

constexpr TableSet<Ycbcr444Rows> kTables{&isa_scalar::kYcbcr444Rows, &isa_sse2::kYcbcr444Rows,
                                         &isa_avx2::kYcbcr444Rows, &isa_avx512::kYcbcr444Rows};

const Ycbcr444Rows* ycbcr444RowsFor(Target t) { return kTables[static_cast<int>(t)]; }

const Ycbcr444Rows& ycbcr444Rows() {
    static const Ycbcr444Rows& table = widestTable(kTables);
    return table;
}

}  // namespace qrx
