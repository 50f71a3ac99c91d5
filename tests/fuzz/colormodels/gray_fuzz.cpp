// Fuzz table of colour to gray. The caller's weights (NaN, infinities, huge
// and negative values among them) are not tested for null: never passed null.
#include "harness/table.h"

namespace qrxfuzz {
namespace {

const Family kGray{"colormodels/gray", {
    {QRX_FUZZ_ENTRY(qrxiRGBToGray_8u_C3C1R), {kC3, kC1}},
    {QRX_FUZZ_ENTRY(qrxiRGBToGray_8u_AC4C1R), {kAC4Read, kC1}},
    {QRX_FUZZ_ENTRY(qrxiRGBToGray_16u_C3C1R), {kC3, kC1}},
    {QRX_FUZZ_ENTRY(qrxiRGBToGray_16u_AC4C1R), {kAC4Read, kC1}},
    {QRX_FUZZ_ENTRY(qrxiRGBToGray_16s_C3C1R), {kC3, kC1}},
    {QRX_FUZZ_ENTRY(qrxiRGBToGray_16s_AC4C1R), {kAC4Read, kC1}},
    {QRX_FUZZ_ENTRY(qrxiRGBToGray_32f_C3C1R), {kC3, kC1}},
    {QRX_FUZZ_ENTRY(qrxiRGBToGray_32f_AC4C1R), {kAC4Read, kC1}},
    {QRX_FUZZ_ENTRY(qrxiColorToGray_8u_C3C1R), {kC3, kC1}},
    {QRX_FUZZ_ENTRY(qrxiColorToGray_8u_AC4C1R), {kAC4Read, kC1}},
    {QRX_FUZZ_ENTRY(qrxiColorToGray_16u_C3C1R), {kC3, kC1}},
    {QRX_FUZZ_ENTRY(qrxiColorToGray_16u_AC4C1R), {kAC4Read, kC1}},
    {QRX_FUZZ_ENTRY(qrxiColorToGray_16s_C3C1R), {kC3, kC1}},
    {QRX_FUZZ_ENTRY(qrxiColorToGray_16s_AC4C1R), {kAC4Read, kC1}},
    {QRX_FUZZ_ENTRY(qrxiColorToGray_32f_C3C1R), {kC3, kC1}},
    {QRX_FUZZ_ENTRY(qrxiColorToGray_32f_AC4C1R), {kAC4Read, kC1}},
}};

}  // namespace
}  // namespace qrxfuzz
