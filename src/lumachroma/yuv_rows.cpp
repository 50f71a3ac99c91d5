#include "lumachroma/yuv_rows.h"

namespace qrx::yuv {

QRX_TARGET_TABLES(YuvRows, kYuvRows);

const YuvRows* yuvRowsFor(Target t) { return tableFor(kYuvRowsSet, t); }

const YuvRows& yuvRows() { return dispatchedTable(kYuvRowsSet); }

}  // namespace qrx::yuv
