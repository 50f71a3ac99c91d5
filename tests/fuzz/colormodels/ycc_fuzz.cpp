// Fuzz table of RGB <-> YCC: rows in parallel above 4096 pixels.
#include "harness/table.h"

namespace qrxfuzz {
namespace {

constexpr Rules kRows{.threaded = aboveTile};

const Family kYcc{"colormodels/ycc", {
    {QRX_FUZZ_ENTRY(qrxiRGBToYCC_8u_C3R), {kC3, kC3}, kRows},
    {QRX_FUZZ_ENTRY(qrxiRGBToYCC_8u_AC4R), {kAC4Read, kAC4}, kRows},
    {QRX_FUZZ_ENTRY(qrxiRGBToYCC_16u_C3R), {kC3, kC3}, kRows},
    {QRX_FUZZ_ENTRY(qrxiRGBToYCC_16u_AC4R), {kAC4Read, kAC4}, kRows},
    {QRX_FUZZ_ENTRY(qrxiRGBToYCC_16s_C3R), {kC3, kC3}, kRows},
    {QRX_FUZZ_ENTRY(qrxiRGBToYCC_16s_AC4R), {kAC4Read, kAC4}, kRows},
    {QRX_FUZZ_ENTRY(qrxiRGBToYCC_32f_C3R), {kC3, kC3}, kRows},
    {QRX_FUZZ_ENTRY(qrxiRGBToYCC_32f_AC4R), {kAC4Read, kAC4}, kRows},
    {QRX_FUZZ_ENTRY(qrxiYCCToRGB_8u_C3R), {kC3, kC3}, kRows},
    {QRX_FUZZ_ENTRY(qrxiYCCToRGB_8u_AC4R), {kAC4Read, kAC4}, kRows},
    {QRX_FUZZ_ENTRY(qrxiYCCToRGB_16u_C3R), {kC3, kC3}, kRows},
    {QRX_FUZZ_ENTRY(qrxiYCCToRGB_16u_AC4R), {kAC4Read, kAC4}, kRows},
    {QRX_FUZZ_ENTRY(qrxiYCCToRGB_16s_C3R), {kC3, kC3}, kRows},
    {QRX_FUZZ_ENTRY(qrxiYCCToRGB_16s_AC4R), {kAC4Read, kAC4}, kRows},
    {QRX_FUZZ_ENTRY(qrxiYCCToRGB_32f_C3R), {kC3, kC3}, kRows},
    {QRX_FUZZ_ENTRY(qrxiYCCToRGB_32f_AC4R), {kAC4Read, kAC4}, kRows},
}};

}  // namespace
}  // namespace qrxfuzz
