#include "lumachroma/ycbcr_decode_rows.h"

namespace qrx {

QRX_TARGET_TABLES(YcbcrDecodeRows, kYcbcrDecodeRows);

const YcbcrDecodeRows* ycbcrDecodeRowsFor(Target t) { return tableFor(kYcbcrDecodeRowsSet, t); }

const YcbcrDecodeRows& ycbcrDecodeRows() { return dispatchedTable(kYcbcrDecodeRowsSet); }

}  // namespace qrx
