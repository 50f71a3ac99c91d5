// Fuzz table of BGR <-> Lab: always one parallel region, however small the
// image.
#include "harness/table.h"

namespace qrxfuzz {
namespace {

constexpr Rules kRows{.threaded = always};

const Family kLab{"colormodels/lab", {
    {QRX_FUZZ_ENTRY(qrxiBGRToLab_8u_C3R), {kC3, kC3}, kRows},
    {QRX_FUZZ_ENTRY(qrxiBGRToLab_8u16u_C3R), {kC3, kC3}, kRows},
    {QRX_FUZZ_ENTRY(qrxiLabToBGR_8u_C3R), {kC3, kC3}, kRows},
    {QRX_FUZZ_ENTRY(qrxiLabToBGR_16u8u_C3R), {kC3, kC3}, kRows},
}};

}  // namespace
}  // namespace qrxfuzz
