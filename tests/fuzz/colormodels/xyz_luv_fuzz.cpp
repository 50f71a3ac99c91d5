// Fuzz table of RGB <-> XYZ and LUV: three channels or four with the fourth
// left alone; rows in parallel above 4096 pixels. Float sources reach the
// cube-root table and the divisions with NaN, infinities and huge values.
#include "harness/table.h"

namespace qrxfuzz {
namespace {

constexpr Rules kRows{.threaded = aboveTile};

const Family kXyzLuv{"colormodels/xyz_luv", {
    {QRX_FUZZ_ENTRY(qrxiRGBToXYZ_8u_C3R), {kC3, kC3}, kRows},
    {QRX_FUZZ_ENTRY(qrxiRGBToXYZ_8u_AC4R), {kAC4Read, kAC4}, kRows},
    {QRX_FUZZ_ENTRY(qrxiRGBToXYZ_16u_C3R), {kC3, kC3}, kRows},
    {QRX_FUZZ_ENTRY(qrxiRGBToXYZ_16u_AC4R), {kAC4Read, kAC4}, kRows},
    {QRX_FUZZ_ENTRY(qrxiRGBToXYZ_16s_C3R), {kC3, kC3}, kRows},
    {QRX_FUZZ_ENTRY(qrxiRGBToXYZ_16s_AC4R), {kAC4Read, kAC4}, kRows},
    {QRX_FUZZ_ENTRY(qrxiRGBToXYZ_32f_C3R), {kC3, kC3}, kRows},
    {QRX_FUZZ_ENTRY(qrxiRGBToXYZ_32f_AC4R), {kAC4Read, kAC4}, kRows},
    {QRX_FUZZ_ENTRY(qrxiXYZToRGB_8u_C3R), {kC3, kC3}, kRows},
    {QRX_FUZZ_ENTRY(qrxiXYZToRGB_8u_AC4R), {kAC4Read, kAC4}, kRows},
    {QRX_FUZZ_ENTRY(qrxiXYZToRGB_16u_C3R), {kC3, kC3}, kRows},
    {QRX_FUZZ_ENTRY(qrxiXYZToRGB_16u_AC4R), {kAC4Read, kAC4}, kRows},
    {QRX_FUZZ_ENTRY(qrxiXYZToRGB_16s_C3R), {kC3, kC3}, kRows},
    {QRX_FUZZ_ENTRY(qrxiXYZToRGB_16s_AC4R), {kAC4Read, kAC4}, kRows},
    {QRX_FUZZ_ENTRY(qrxiXYZToRGB_32f_C3R), {kC3, kC3}, kRows},
    {QRX_FUZZ_ENTRY(qrxiXYZToRGB_32f_AC4R), {kAC4Read, kAC4}, kRows},
    {QRX_FUZZ_ENTRY(qrxiRGBToLUV_8u_C3R), {kC3, kC3}, kRows},
    {QRX_FUZZ_ENTRY(qrxiRGBToLUV_8u_AC4R), {kAC4Read, kAC4}, kRows},
    {QRX_FUZZ_ENTRY(qrxiRGBToLUV_16u_C3R), {kC3, kC3}, kRows},
    {QRX_FUZZ_ENTRY(qrxiRGBToLUV_16u_AC4R), {kAC4Read, kAC4}, kRows},
    {QRX_FUZZ_ENTRY(qrxiRGBToLUV_16s_C3R), {kC3, kC3}, kRows},
    {QRX_FUZZ_ENTRY(qrxiRGBToLUV_16s_AC4R), {kAC4Read, kAC4}, kRows},
    {QRX_FUZZ_ENTRY(qrxiRGBToLUV_32f_C3R), {kC3, kC3}, kRows},
    {QRX_FUZZ_ENTRY(qrxiRGBToLUV_32f_AC4R), {kAC4Read, kAC4}, kRows},
    {QRX_FUZZ_ENTRY(qrxiLUVToRGB_8u_C3R), {kC3, kC3}, kRows},
    {QRX_FUZZ_ENTRY(qrxiLUVToRGB_8u_AC4R), {kAC4Read, kAC4}, kRows},
    {QRX_FUZZ_ENTRY(qrxiLUVToRGB_16u_C3R), {kC3, kC3}, kRows},
    {QRX_FUZZ_ENTRY(qrxiLUVToRGB_16u_AC4R), {kAC4Read, kAC4}, kRows},
    {QRX_FUZZ_ENTRY(qrxiLUVToRGB_16s_C3R), {kC3, kC3}, kRows},
    {QRX_FUZZ_ENTRY(qrxiLUVToRGB_16s_AC4R), {kAC4Read, kAC4}, kRows},
    {QRX_FUZZ_ENTRY(qrxiLUVToRGB_32f_C3R), {kC3, kC3}, kRows},
    {QRX_FUZZ_ENTRY(qrxiLUVToRGB_32f_AC4R), {kAC4Read, kAC4}, kRows},
}};

}  // namespace
}  // namespace qrxfuzz
