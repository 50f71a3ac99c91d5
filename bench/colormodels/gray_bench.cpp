// Benchmark cases of colour to gray.
#include "operations.h"
#include "qrxcc.h"

namespace qrxbench {
namespace {

const Family kGray{"Colour to gray", {
    {OP(qrxiRGBToGray_8u_C3C1R), &kRGB, &kGray8, "libyuv/RGB24ToJ400 opencv/RGB2GRAY"},
    {OP(qrxiRGBToGray_8u_AC4C1R), &kRGBA, &kGray8, "libyuv/ARGBToJ400 opencv/RGBA2GRAY"},
    {OP(qrxiRGBToGray_16u_C3C1R), &k16uC3, &k16uC1, "opencv/RGB2GRAY_16U"},
    {OP(qrxiRGBToGray_16u_AC4C1R), &k16uC4, &k16uC1, "opencv/RGBA2GRAY_16U"},
    {OP(qrxiRGBToGray_16s_C3C1R), &k16sC3, &k16sC1, ""},
    {OP(qrxiRGBToGray_16s_AC4C1R), &k16sC4, &k16sC1, ""},
    {OP(qrxiRGBToGray_32f_C3C1R), &k32fC3, &k32fC1, "opencv/RGB2GRAY_32F"},
    {OP(qrxiRGBToGray_32f_AC4C1R), &k32fC4, &k32fC1, "opencv/RGBA2GRAY_32F"},
    {OP(qrxiColorToGray_8u_C3C1R), &kRGB, &kGray8, "libyuv/RGB24ToJ400 opencv/RGB2GRAY"},
    {OP(qrxiColorToGray_8u_AC4C1R), &kRGBA, &kGray8, "libyuv/ARGBToJ400 opencv/RGBA2GRAY"},
    {OP(qrxiColorToGray_16u_C3C1R), &k16uC3, &k16uC1, "opencv/RGB2GRAY_16U"},
    {OP(qrxiColorToGray_16u_AC4C1R), &k16uC4, &k16uC1, "opencv/RGBA2GRAY_16U"},
    {OP(qrxiColorToGray_16s_C3C1R), &k16sC3, &k16sC1, ""},
    {OP(qrxiColorToGray_16s_AC4C1R), &k16sC4, &k16sC1, ""},
    {OP(qrxiColorToGray_32f_C3C1R), &k32fC3, &k32fC1, "opencv/RGB2GRAY_32F"},
    {OP(qrxiColorToGray_32f_AC4C1R), &k32fC4, &k32fC1, "opencv/RGBA2GRAY_32F"},
}};

}  // namespace
}  // namespace qrxbench
