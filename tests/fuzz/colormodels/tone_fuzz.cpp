// Fuzz table of tone mapping: a float plane (NaN, infinities, negative and
// huge values among its samples) to bytes. The source is checked by the
// statistic (null, size); a negative maximum or mean returns +1 and writes
// nothing, before the destination pointer is looked at.
#include "harness/table.h"

namespace qrxfuzz {
namespace {

constexpr Rules kRows{.dataStatus = qrxWarnNothingDone, .dataBeforeDestination = true};

const Family kTone{"colormodels/tone", {
    {QRX_FUZZ_ENTRY(qrxiToneMapLinear_32f8u_C1R), {kC1, kC1}, kRows},
    {QRX_FUZZ_ENTRY(qrxiToneMapMean_32f8u_C1R), {kC1, kC1}, kRows},
}};

}  // namespace
}  // namespace qrxfuzz
