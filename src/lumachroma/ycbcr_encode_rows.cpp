#include "lumachroma/ycbcr_encode_rows.h"

namespace qrx {

QRX_TARGET_TABLES(YcbcrEncodeRows, kYcbcrEncodeRows);

const YcbcrEncodeRows* ycbcrEncodeRowsFor(Target t) { return tableFor(kYcbcrEncodeRowsSet, t); }

const YcbcrEncodeRows& ycbcrEncodeRows() { return dispatchedTable(kYcbcrEncodeRowsSet); }

}  // namespace qrx
