// Fuzz table of the colour twist: a 3 x 4 matrix (4 x 4 for 32f C4) whose
// elements come from the interesting floats (NaN, infinities, denormals, huge
// and negative values) or any bit pattern; every step must be at least 1;
// the in-place forms read and write one image.
#include "harness/table.h"

namespace qrxfuzz {
namespace {

constexpr Rules kRows{.stepsChecked = true};

const Family kTwist{"colormodels/twist", {
    {QRX_FUZZ_ENTRY(qrxiColorTwist32f_8u_C3R), {kC3, kC3}, kRows},
    {QRX_FUZZ_ENTRY(qrxiColorTwist32f_8u_C3IR), {kC3}, kRows},
    {QRX_FUZZ_ENTRY(qrxiColorTwist32f_8u_AC4R), {kAC4Read, kAC4}, kRows},
    {QRX_FUZZ_ENTRY(qrxiColorTwist32f_8u_AC4IR), {kAC4}, kRows},
    {QRX_FUZZ_ENTRY(qrxiColorTwist32f_8u_P3R), {kP3, kP3}, kRows},
    {QRX_FUZZ_ENTRY(qrxiColorTwist32f_8u_IP3R), {kP3}, kRows},
    {QRX_FUZZ_ENTRY(qrxiColorTwist32f_8s_C3R), {kC3, kC3}, kRows},
    {QRX_FUZZ_ENTRY(qrxiColorTwist32f_8s_C3IR), {kC3}, kRows},
    {QRX_FUZZ_ENTRY(qrxiColorTwist32f_8s_AC4R), {kAC4Read, kAC4}, kRows},
    {QRX_FUZZ_ENTRY(qrxiColorTwist32f_8s_AC4IR), {kAC4}, kRows},
    {QRX_FUZZ_ENTRY(qrxiColorTwist32f_8s_P3R), {kP3, kP3}, kRows},
    {QRX_FUZZ_ENTRY(qrxiColorTwist32f_8s_IP3R), {kP3}, kRows},
    {QRX_FUZZ_ENTRY(qrxiColorTwist32f_16u_C3R), {kC3, kC3}, kRows},
    {QRX_FUZZ_ENTRY(qrxiColorTwist32f_16u_C3IR), {kC3}, kRows},
    {QRX_FUZZ_ENTRY(qrxiColorTwist32f_16u_AC4R), {kAC4Read, kAC4}, kRows},
    {QRX_FUZZ_ENTRY(qrxiColorTwist32f_16u_AC4IR), {kAC4}, kRows},
    {QRX_FUZZ_ENTRY(qrxiColorTwist32f_16u_P3R), {kP3, kP3}, kRows},
    {QRX_FUZZ_ENTRY(qrxiColorTwist32f_16u_IP3R), {kP3}, kRows},
    {QRX_FUZZ_ENTRY(qrxiColorTwist32f_16s_C3R), {kC3, kC3}, kRows},
    {QRX_FUZZ_ENTRY(qrxiColorTwist32f_16s_C3IR), {kC3}, kRows},
    {QRX_FUZZ_ENTRY(qrxiColorTwist32f_16s_AC4R), {kAC4Read, kAC4}, kRows},
    {QRX_FUZZ_ENTRY(qrxiColorTwist32f_16s_AC4IR), {kAC4}, kRows},
    {QRX_FUZZ_ENTRY(qrxiColorTwist32f_16s_P3R), {kP3, kP3}, kRows},
    {QRX_FUZZ_ENTRY(qrxiColorTwist32f_16s_IP3R), {kP3}, kRows},
    {QRX_FUZZ_ENTRY(qrxiColorTwist_32f_C3R), {kC3, kC3}, kRows},
    {QRX_FUZZ_ENTRY(qrxiColorTwist_32f_C3IR), {kC3}, kRows},
    {QRX_FUZZ_ENTRY(qrxiColorTwist_32f_AC4R), {kAC4Read, kAC4}, kRows},
    {QRX_FUZZ_ENTRY(qrxiColorTwist_32f_AC4IR), {kAC4}, kRows},
    {QRX_FUZZ_ENTRY(qrxiColorTwist_32f_P3R), {kP3, kP3}, kRows},
    {QRX_FUZZ_ENTRY(qrxiColorTwist_32f_IP3R), {kP3}, kRows},
    {QRX_FUZZ_ENTRY(qrxiColorTwist_32f_C4R), {kC4, kC4}, kRows},
}};

}  // namespace
}  // namespace qrxfuzz
