// Fuzz table of RGB <-> YCbCr 4:4:4.
#include "harness/table.h"

namespace qrxfuzz {
namespace {

const Family kYCbCr444{"lumachroma/ycbcr444", {
    {QRX_FUZZ_ENTRY(qrxiRGBToYCbCr_8u_C3R), {kC3, kC3}},
    {QRX_FUZZ_ENTRY(qrxiRGBToYCbCr_8u_AC4R), {kAC4Read, kAC4}},
    {QRX_FUZZ_ENTRY(qrxiRGBToYCbCr_8u_C3P3R), {kC3, kP3}},
    {QRX_FUZZ_ENTRY(qrxiRGBToYCbCr_8u_AC4P3R), {kAC4Read, kP3}},
    {QRX_FUZZ_ENTRY(qrxiRGBToYCbCr_8u_P3R), {kP3, kP3}},
    {QRX_FUZZ_ENTRY(qrxiYCbCrToRGB_8u_C3R), {kC3, kC3}},
    {QRX_FUZZ_ENTRY(qrxiYCbCrToRGB_8u_AC4R), {kAC4Read, kAC4}},
    {QRX_FUZZ_ENTRY(qrxiYCbCrToRGB_8u_P3C3R), {kP3, kC3}},
    {QRX_FUZZ_ENTRY(qrxiYCbCrToRGB_8u_P3C4R), {kP3, kC4}, {}, {kAlphaValues}},
    {QRX_FUZZ_ENTRY(qrxiYCbCrToRGB_8u_P3R), {kP3, kP3}},
    {QRX_FUZZ_ENTRY(qrxiYCbCrToBGR_8u_P3C3R), {kP3, kC3}},
    {QRX_FUZZ_ENTRY(qrxiYCbCrToBGR_8u_P3C4R), {kP3, kC4}, {}, {kAlphaValues}},
}};

}  // namespace
}  // namespace qrxfuzz
