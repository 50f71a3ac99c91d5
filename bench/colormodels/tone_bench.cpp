// Benchmark cases of tone mapping (no peer library offers the same two
// operations; memcpy of the float source is the reference).
#include "operations.h"
#include "qrxcc.h"

namespace qrxbench {
namespace {

const Family kTone{"Tone mapping", {
    {OP(qrxiToneMapLinear_32f8u_C1R), &k32fC1, &kGray8, ""},
    {OP(qrxiToneMapMean_32f8u_C1R), &k32fC1, &kGray8, ""},
}};

}  // namespace
}  // namespace qrxbench
