// Fuzz table of HLS and HSV. The RGB members leave steps alone and run rows
// in parallel above 4096 pixels; the BGR plane members (and BGRToHLS_8u_AC4R)
// refuse steps below 1 and always open the parallel region; the `A` plane
// forms copy alpha between the fourth channel and the fourth plane.
#include "harness/table.h"

namespace qrxfuzz {
namespace {

constexpr Rules kRgbRows{.threaded = aboveTile};
constexpr Rules kPlaneRows{.stepsChecked = true, .threaded = always};

const Family kHlsHsv{"colormodels/hls_hsv", {
    {QRX_FUZZ_ENTRY(qrxiRGBToHLS_8u_C3R), {kC3, kC3}, kRgbRows},
    {QRX_FUZZ_ENTRY(qrxiRGBToHLS_8u_AC4R), {kAC4Read, kAC4}, kRgbRows},
    {QRX_FUZZ_ENTRY(qrxiRGBToHLS_16u_C3R), {kC3, kC3}, kRgbRows},
    {QRX_FUZZ_ENTRY(qrxiRGBToHLS_16u_AC4R), {kAC4Read, kAC4}, kRgbRows},
    {QRX_FUZZ_ENTRY(qrxiRGBToHLS_16s_C3R), {kC3, kC3}, kRgbRows},
    {QRX_FUZZ_ENTRY(qrxiRGBToHLS_16s_AC4R), {kAC4Read, kAC4}, kRgbRows},
    {QRX_FUZZ_ENTRY(qrxiRGBToHLS_32f_C3R), {kC3, kC3}, kRgbRows},
    {QRX_FUZZ_ENTRY(qrxiRGBToHLS_32f_AC4R), {kAC4Read, kAC4}, kRgbRows},
    {QRX_FUZZ_ENTRY(qrxiHLSToRGB_8u_C3R), {kC3, kC3}, kRgbRows},
    {QRX_FUZZ_ENTRY(qrxiHLSToRGB_8u_AC4R), {kAC4Read, kAC4}, kRgbRows},
    {QRX_FUZZ_ENTRY(qrxiHLSToRGB_16u_C3R), {kC3, kC3}, kRgbRows},
    {QRX_FUZZ_ENTRY(qrxiHLSToRGB_16u_AC4R), {kAC4Read, kAC4}, kRgbRows},
    {QRX_FUZZ_ENTRY(qrxiHLSToRGB_16s_C3R), {kC3, kC3}, kRgbRows},
    {QRX_FUZZ_ENTRY(qrxiHLSToRGB_16s_AC4R), {kAC4Read, kAC4}, kRgbRows},
    {QRX_FUZZ_ENTRY(qrxiHLSToRGB_32f_C3R), {kC3, kC3}, kRgbRows},
    {QRX_FUZZ_ENTRY(qrxiHLSToRGB_32f_AC4R), {kAC4Read, kAC4}, kRgbRows},
    {QRX_FUZZ_ENTRY(qrxiRGBToHSV_8u_C3R), {kC3, kC3}, kRgbRows},
    {QRX_FUZZ_ENTRY(qrxiRGBToHSV_8u_AC4R), {kAC4Read, kAC4}, kRgbRows},
    {QRX_FUZZ_ENTRY(qrxiRGBToHSV_16u_C3R), {kC3, kC3}, kRgbRows},
    {QRX_FUZZ_ENTRY(qrxiRGBToHSV_16u_AC4R), {kAC4Read, kAC4}, kRgbRows},
    {QRX_FUZZ_ENTRY(qrxiHSVToRGB_8u_C3R), {kC3, kC3}, kRgbRows},
    {QRX_FUZZ_ENTRY(qrxiHSVToRGB_8u_AC4R), {kAC4Read, kAC4}, kRgbRows},
    {QRX_FUZZ_ENTRY(qrxiHSVToRGB_16u_C3R), {kC3, kC3}, kRgbRows},
    {QRX_FUZZ_ENTRY(qrxiHSVToRGB_16u_AC4R), {kAC4Read, kAC4}, kRgbRows},
    {QRX_FUZZ_ENTRY(qrxiBGRToHLS_8u_AC4R), {kAC4Read, kAC4}, kPlaneRows},
    {QRX_FUZZ_ENTRY(qrxiBGRToHLS_8u_C3P3R), {kC3, kP3}, kPlaneRows},
    {QRX_FUZZ_ENTRY(qrxiBGRToHLS_8u_P3C3R), {kP3, kC3}, kPlaneRows},
    {QRX_FUZZ_ENTRY(qrxiBGRToHLS_8u_P3R), {kP3, kP3}, kPlaneRows},
    {QRX_FUZZ_ENTRY(qrxiBGRToHLS_8u_AC4P4R), {kC4, kP4}, kPlaneRows},
    {QRX_FUZZ_ENTRY(qrxiBGRToHLS_8u_AP4C4R), {kP4, kC4}, kPlaneRows},
    {QRX_FUZZ_ENTRY(qrxiBGRToHLS_8u_AP4R), {kP4, kP4}, kPlaneRows},
    {QRX_FUZZ_ENTRY(qrxiHLSToBGR_8u_C3P3R), {kC3, kP3}, kPlaneRows},
    {QRX_FUZZ_ENTRY(qrxiHLSToBGR_8u_P3C3R), {kP3, kC3}, kPlaneRows},
    {QRX_FUZZ_ENTRY(qrxiHLSToBGR_8u_P3R), {kP3, kP3}, kPlaneRows},
    {QRX_FUZZ_ENTRY(qrxiHLSToBGR_8u_AC4P4R), {kC4, kP4}, kPlaneRows},
    {QRX_FUZZ_ENTRY(qrxiHLSToBGR_8u_AP4C4R), {kP4, kC4}, kPlaneRows},
    {QRX_FUZZ_ENTRY(qrxiHLSToBGR_8u_AP4R), {kP4, kP4}, kPlaneRows},
}};

}  // namespace
}  // namespace qrxfuzz
