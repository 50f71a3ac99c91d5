// Benchmark cases of RGB and YCbCr 4:4:4.
#include "operations.h"
#include "qrxcc.h"

namespace qrxbench {
namespace {

const Family kYcc444{"YCbCr 4:4:4", {
    {OP(qrxiRGBToYCbCr_8u_C3R), &kRGB, &kRGB, "opencv/RGB2YCrCb"},
    {OP(qrxiRGBToYCbCr_8u_AC4R), &kRGBA, &kRGBA, "opencv/RGBA2YCrCb"},
    {OP(qrxiRGBToYCbCr_8u_C3P3R), &kRGB, &kP444, "opencv/RGB2YCrCb"},
    {OP(qrxiRGBToYCbCr_8u_AC4P3R), &kRGBA, &kP444, "libyuv/ARGBToI444 opencv/RGBA2YCrCb"},
    {OP(qrxiRGBToYCbCr_8u_P3R), &kP444, &kP444, "opencv/RGB2YCrCb"},
    {OP(qrxiYCbCrToRGB_8u_C3R), &kRGB, &kRGB, "opencv/YCrCb2RGB"},
    {OP(qrxiYCbCrToRGB_8u_AC4R), &kRGBA, &kRGBA, "opencv/YCrCb2RGBA"},
    {OP(qrxiYCbCrToRGB_8u_P3C3R), &kP444, &kRGB, "libyuv/I444ToRGB24 opencv/YCrCb2RGB"},
    {OP(qrxiYCbCrToRGB_8u_P3C4R), &kP444, &kRGBA, "libyuv/I444ToABGR opencv/YCrCb2RGBA"},
    {OP(qrxiYCbCrToRGB_8u_P3R), &kP444, &kP444, "opencv/YCrCb2RGB"},
    {OP(qrxiYCbCrToBGR_8u_P3C3R), &kP444, &kRGB, "libyuv/I444ToRGB24 opencv/YCrCb2BGR"},
    {OP(qrxiYCbCrToBGR_8u_P3C4R), &kP444, &kRGBA, "libyuv/I444ToARGB opencv/YCrCb2BGRA"},
}};

}  // namespace
}  // namespace qrxbench
