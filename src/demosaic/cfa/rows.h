// Row functions of the CFA interpolation (bilinear red and blue, green along
// the smaller same-colour gradient).
#pragma once

#include "frame/dispatch.h"
#include "qrxcc.h"

namespace qrx {

// One interior row: output columns c0 .. c0 + n - 1 of source row r, every
// one at least two samples away from each source edge. rows[k] points at
// column 0 of source row r - 2 + k (k = 0..4); dst receives n RGB pixels.
// Green sits on the columns whose parity is `greenParity`; the other sites
// carry the colour whose output channel is `siteChannel` (0 red, 2 blue).
template <class T>
using CfaRow = void (*)(const T* const* rows, T* dst, int c0, int n, int greenParity,
                        int siteChannel);

struct CfaRows {
    CfaRow<Qrx8u> interior8u;
    CfaRow<Qrx16u> interior16u;
};

// The active table (cfaRows()) and each target's (cfaRowsFor(t)).
QRX_FAMILY_TABLES(CfaRows, kCfaRows, cfaRows)

}  // namespace qrx
