#include "lumachroma/ycbcr444_rows.h"

namespace qrx {

QRX_TARGET_TABLES(Ycbcr444Rows, kYcbcr444Rows);

const Ycbcr444Rows* ycbcr444RowsFor(Target t) { return tableFor(kYcbcr444RowsSet, t); }

const Ycbcr444Rows& ycbcr444Rows() { return dispatchedTable(kYcbcr444RowsSet); }

}  // namespace qrx
